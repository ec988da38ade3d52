#pragma once
#include <QDialog>
#include <QJsonArray>

class QLabel;

// Weather page: the climate of the project's city. Setting the location fills the
// project's hourly year; the Calculate command has the page analyse the weather.
// This version shows the location's figures; the charts replace it.
class HWeatherWidget : public QDialog
{
    Q_OBJECT
public:
    explicit HWeatherWidget(QWidget* parent = nullptr);

    void setLanguage();

signals:
    void signal_update_project_location_temp_info();
    void signal_update_weather_analysis_result_to_show_table(QJsonArray& statisResult);
    void signal_send_msg_to_status_wnd(QString message);

public slots:
    void updateWeatherParam(QString country, QString city);
    void slot_weather_anlysis();
    // Escape must not close a page of the main window.
    void reject() override;

private:
    void showSummary();

    QLabel* m_title = nullptr;
    QLabel* m_summary = nullptr;
    QString m_country;
    QString m_city;
};
