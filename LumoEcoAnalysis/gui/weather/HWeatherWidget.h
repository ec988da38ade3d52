#pragma once
#include "LumoWeather.h"

#include <QDialog>
#include <QJsonArray>
#include <QStringList>
#include <QVector>

class QListWidgetItem;
class chartForm;

namespace Ui {
class HWeatherWidget;
}

// Weather page: the climate of the project's city. The hourly temperature of the
// averaged year as a line, its 1-degree distribution as bars (blue below the design
// temperature, red from it on), the extremes and the design temperature chosen by a
// percentage of the year or by a number of hours. Setting the location fills the
// project's hourly year; the Calculate command has the page analyse the weather; its
// own Calculate button stores the design points of every city; weather files are
// imported from here. Owns the program-wide LumoWeather.
class HWeatherWidget : public QDialog
{
    Q_OBJECT
public:
    explicit HWeatherWidget(QWidget* parent = nullptr);
    ~HWeatherWidget() override;

    void setLanguage();

    // Hours of the year left out when the design temperature is chosen: the
    // percentage or the hours, whichever is selected.
    int ignoreHours() const;
    // The city table shown; empty while the project's location has no weather.
    QString currentTable() const { return m_table; }
    chartForm* lineChart() const { return m_lineChart; }
    chartForm* barChart() const { return m_barChart; }

signals:
    void signal_update_project_location_temp_info();
    void signal_update_weather_analysis_result_to_show_table(QJsonArray& statisResult);
    void signal_send_msg_to_status_wnd(QString message);
    // A weather file was imported as (country, city); `useForProject`: the user
    // wants it as the project's location.
    void signal_weather_city_imported(QString country, QString city, bool useForProject);

public slots:
    void updateWeatherParam(QString country, QString city);
    void slot_weather_anlysis();
    void setWeatherTableName(QString table, QString country, QString city, bool force);
    void on_pushButton_cal_clicked();
    void on_pushButton_import_clicked();
    void on_lineEdit_X_textChanged(const QString& text);
    void redionBtnSlot();
    void recalTempValueSlot();
    void listWidgetItemClickedSlot(QListWidgetItem* item);
    void reCreateGraph();
    // Escape must not close a page of the main window.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Analyses the current table with the design-hours rule, writes the design
    // temperature into the project and shows the figures.
    void refreshData();
    void initLoadYearlist();
    // The figures of the last refresh in the display unit and language; writes nothing.
    void display();
    void drawLine();
    void drawBars();
    // No hourly weather for the location: nothing drawn, the reason shown.
    void showMissingWeather(const QString& country, const QString& city);
    void showTitle();
    // Under the title: why nothing is shown (`problem`, in red) or a remark; hidden when empty.
    void showNotice(const QString& text, bool problem);
    // Imports `path` after asking for its country and city; false when nothing changed.
    bool importWeatherFile(const QString& path);

    Ui::HWeatherWidget* ui = nullptr;
    chartForm* m_lineChart = nullptr;
    chartForm* m_barChart = nullptr;
    LumoWeather m_weather;

    QString m_country;
    QString m_city;
    QString m_table;
    // What the last refresh found, in degrees C.
    struct Figures
    {
        double maxCelsius = 0.0;
        double minCelsius = 0.0;
        double designCelsius = 0.0;
        int totalHours = 0;
        QVector<double> hours;
        QVector<double> temperatures;
        QJsonArray bins;
    };
    Figures m_figures;
    // The same figures in the display unit.
    double m_maxTemp = 0.0;
    double m_minTemp = 0.0;
    double m_designTemp = 0.0;
    // Hours of the city's year without a valid reading, interpolated when it was loaded.
    int m_filledHours = 0;

    QStringList m_monthNames;
    QVector<int> m_monthPositions;
};
