#pragma once
#include <QMap>
#include <QString>
#include <QWidget>

class QCheckBox;
class QTableWidget;

namespace Ui {
class HOperationInfoWidget;
}

// Operation schedule page: one check box per hour of the day, day of the week and
// month, each bound to an operation flag of the project, and the Holiday button that
// opens the holiday calendar. A box the user changes is written into the project at
// once and marks the project as not calculated.
class HOperationInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HOperationInfoWidget(QWidget* parent = nullptr);
    ~HOperationInfoWidget() override;

    void setLanguage();

    QTableWidget* dailyTable() const;
    QTableWidget* weeklyTable() const;
    QTableWidget* monthlyTable() const;
    // The check box of a cell; null for a cell without one.
    static QCheckBox* checkBoxAt(QTableWidget* table, int row, int column);
    // "09AM-10AM": the caption of hour 0..23.
    static QString hourCaption(int hour);

public slots:
    void saveDailyTableWidget();
    void saveWeeklyTableWidget();
    void saveMonthlyTableWidget();
    void slot_update_window_data_to_project();
    void slot_update_project_data_to_window();
    void on_pushButton_vacation_clicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Table { Daily, Weekly, Monthly };
    // The project flag a cell stands for: hour 0..23, day 1..7 or month 1..12.
    static int keyOf(Table table, int row, int column);
    QTableWidget* tableOf(Table table) const;
    QString captionOf(Table table, int key) const;
    bool projectFlag(Table table, int key) const;
    void setProjectFlag(Table table, int key, bool on) const;
    void setUpTable(Table table, int rows, int columns);
    // Creates the missing boxes and sets every box from the project without writing back.
    void refreshTable(Table table);
    void saveTable(Table table);

    Ui::HOperationInfoWidget* ui = nullptr;
    QMap<int, QString> m_hourTexts;
    QMap<int, QString> m_dayTexts;
    QMap<int, QString> m_monthTexts;
    // Clear while the page itself sets the boxes.
    bool m_writeBack = true;
};
