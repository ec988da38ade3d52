#pragma once
#include <QColor>
#include <QJsonArray>
#include <QWidget>

class HResultElectricalUsageWidget;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace Ui {
class HResultWidget;
}

// Result page: a combo box switches between the electrical-usage results of both
// systems and the city's monthly temperature bins; "Report" writes the spreadsheet
// report of the calculated project and opens it.
class HResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HResultWidget(QWidget* parent = nullptr);
    ~HResultWidget() override;

    // Labels the page, its combo box and both tables again in the current language
    // and display units.
    void setLanguage();

    // Background of a bin cell with n hours: pale yellow at 0 hours, pure red at 100,
    // pale again towards 200 and beyond.
    static QColor binCellColor(int hours);
    // temp/weather_analysis.jpg in the user's cache folder, written by savePic().
    static QString picturePath();

    HResultElectricalUsageWidget* electricalUsageWidget() const { return m_usage; }
    QTableWidget* weatherBinTable() const { return m_binTable; }
    QComboBox* comboBox() const;
    QPushButton* reportButton() const;
    QStackedWidget* stackedWidget() const;

signals:
    void signal_send_msg_to_status_wnd(QString message);

public slots:
    void slot_showMonthWeatherAnalysisDataToTableView(QJsonArray& jsonArray);
    // Saves the picture of the weather bin table, making its folder; nothing is said
    // when the folder cannot be made or the picture cannot be written.
    void savePic();
    void slot_update_project_data_to_window();
    void on_pushButton_Report_clicked();

private:
    void showBins(const QJsonArray& bins);

    Ui::HResultWidget* ui = nullptr;
    HResultElectricalUsageWidget* m_usage = nullptr;
    QTableWidget* m_binTable = nullptr;
    QJsonArray m_bins;
};
