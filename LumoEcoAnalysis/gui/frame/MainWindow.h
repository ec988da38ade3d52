#pragma once
#include <QJsonObject>
#include <QList>
#include <QMainWindow>

class HOperationInfoWidget;
class HProjectSetWidget;
class HResultWidget;
class HToolbar;
class HToolbarItem;
class HUnitInfoWidget;
class HWeatherWidget;
class QAction;
class QActionGroup;
class QStackedWidget;

namespace Ui {
class MainWindow;
}

// The program's only top-level window: the tool bar with the project commands and
// the page buttons, the stacked pages, the status bar. Pages copy their widgets into
// the global project and refresh from it through the three broadcast signals.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the actions of the tool-bar items added so far.
    void initToolbar();
    void addToolbarItem(const QString& text, const QString& icon, const QString& toolTip,
                        bool checkable, bool checked);
    // The action whose text is the translation of `text`; null when there is none.
    QAction* findAction(const QString& text) const;
    // Checks the action labelled with the translation of `text` and unchecks the others.
    void setCheckedAction(const QString& text);
    // Labels the tool bar and the pages again in the current language.
    void updateLanguage();

    // The pages' widgets differ from the project file last opened, saved or started
    // (an imported project counts as modified until it is saved).
    bool isModified();
    // The project has a file, units or changes: replacing it needs the user's word.
    bool holdsData();

    // The Open command after the file is chosen (also --open at start-up): reads a
    // project file or imports a selection-software file into a new project; on failure
    // tells why, keeps the current project and its file path and returns false.
    bool openPath(const QString& path);

    QStackedWidget* stackedWidget() const;
    HToolbar* toolbar() const { return m_toolbar; }
    const QList<HToolbarItem*>& toolbarItems() const { return m_items; }
    HProjectSetWidget* projectSetWidget() const { return m_projectSetWidget; }
    HWeatherWidget* weatherWidget() const { return m_weatherWidget; }
    HOperationInfoWidget* operationInfoWidget() const { return m_operationInfoWidget; }
    HUnitInfoWidget* unitInfoWidget() const { return m_unitInfoWidget; }
    HResultWidget* resultWidget() const { return m_resultWidget; }

signals:
    void signal_update_window_data_to_project();
    void signal_update_project_data_to_window();
    void signal_reset_windows();

public slots:
    void New();
    void Open();
    void Save();
    void SaveAs();
    bool Calculate();
    void setUnits();
    void switchToLanguage();
    void switchToVRF();
    void switchToOperational();
    void switchToProjectSet();
    void switchToWaather();
    void switchReport();
    void sendMsgToStatusBar(QString content);
    void updateTitle();
    void openEED(QString szPath);
    void openVRF(QString szPath);
    void slot_toolbar_rightbtn_doubleclicked();
    void slot_toolbar_midbtn_doubleclicked();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addToolbarItems();
    void createPages();
    void connectAction(HToolbarItem* item);
    QString toolTipOf(const HToolbarItem* item) const;
    void showPage(QWidget* page, const QString& actionText);
    void setPagesLanguage();

    // Save and Save As; false when nothing was written.
    bool saveProject(bool askForPath);
    // Before the project is replaced or the window closed: "Save changes?" when it is
    // modified. False when the user cancels or the save fails.
    bool maybeSave();
    // After New, Open and Save: what the pages show now is what "unmodified" means.
    void markClean();
    // The project's four unit codes become the display units.
    void applyProjectUnits();
    // Pages and results follow the (new) global project, in its display units.
    void refreshPagesFromProject();
    // Shows the messages of an open or a calculation that the user must know about.
    void showNotice(const QString& title, const QString& text);

    Ui::MainWindow* ui = nullptr;
    HToolbar* m_toolbar = nullptr;
    QActionGroup* m_actionGroup = nullptr;
    QList<HToolbarItem*> m_items;

    HProjectSetWidget* m_projectSetWidget = nullptr;
    HWeatherWidget* m_weatherWidget = nullptr;
    HOperationInfoWidget* m_operationInfoWidget = nullptr;
    HUnitInfoWidget* m_unitInfoWidget = nullptr;
    HResultWidget* m_resultWidget = nullptr;

    // The project file's document as of the last New, Open or Save; empty for a
    // project that was imported and never saved.
    QJsonObject m_cleanState;
};
