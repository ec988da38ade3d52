#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QVector>
#include <QString>

class HVRF;
class HChiller;
class HYear;

// The one project of the program: building, location, prices, schedule, the
// two compared VRF systems, the chiller place holder and the calendar year.
class LUMOECOCORE_EXPORT HProject
{
public:
    HProject();
    ~HProject();
    HProject(const HProject&) = delete;
    HProject& operator=(const HProject&) = delete;

    // The global project, created with defaults on first use.
    static HProject* getProject();
    // Deletes the global project; the next getProject() creates a new one.
    // The old project must not be touched afterwards.
    static void reset();

    HVRF* getOwnVRFSys() const { return own_vrf; }
    HVRF* getOtherVRFSys() const { return other_vrf; }
    HChiller* getChillerSys() const { return chiller; }
    HYear* getYear() const { return year; }

    // A key never stored reads false (and is then stored as false).
    bool getOperationDailyIsOn(int hour);
    bool getOperationWeeklyIsOn(int dayOfWeek);
    bool getOperationMonthlyIsOn(int month);
    // Store the flag and recompute every hour's schedule flag.
    void setOperationDailyIsOn(int hour, bool on);
    void setOperationWeeklyIsOn(int dayOfWeek, bool on);
    void setOperationMonthlyIsOn(int month, bool on);
    // Stores the whole schedule (hours 0-23, weekdays 1-7, months 1-12); the hours'
    // flags follow at the next updateOperationInfoToYear().
    void setOperationSchedule(const QVector<bool>& daily, const QVector<bool>& weekly,
                              const QVector<bool>& monthly);

    // isTurnOnBySchedule of every hour from the three maps and the holidays.
    void updateOperationInfoToYear();

    void setWeatherStatisData(const QJsonArray& data) { weather_statis_data = data; }
    QJsonArray getWeatherStatisData() const { return weather_statis_data; }
    void setWeatherExtremeData(const QJsonObject& data) { weather_extreme_data = data; }
    QJsonObject getWeatherExtremeData() const { return weather_extreme_data; }

    // Monthly energy of both systems from the hours' records.
    void statisCalResult();

    static HProject* globalProject;
    static constexpr double temperature_balance_point = 16.0;

    H_MEMBER(QString, filePath);
    H_MEMBER(QString, name) = QStringLiteral("NewProject");
    H_MEMBER(QDate, date) = QDate::currentDate();
    H_MEMBER(double, build_area) = 1600.0;
    H_MEMBER(double, build_height) = 20.0;
    H_MEMBER(int, number_floors) = 3;
    H_MEMBER(double, cooling_peak_load) = 0.0;
    H_MEMBER(double, heating_peak_load) = 0.0;
    H_MEMBER(int, Unit_Load) = 1;
    H_MEMBER(int, Unit_Length) = 1;
    H_MEMBER(int, Unit_Temperature) = 1;
    H_MEMBER(int, Unit_AirFlowRate) = 2;
    H_MEMBER(QString, country);
    H_MEMBER(QString, city);
    H_MEMBER(bool, isHave8760WeatherData) = false;
    H_MEMBER(double, max_temp) = 31.9;
    H_MEMBER(double, min_temp) = 4.0;
    H_MEMBER(double, average_temp) = 16.9;
    H_MEMBER(double, indoor_cooling_temperature) = 23.0;
    H_MEMBER(double, indoor_heating_temperature) = 20.0;
    H_MEMBER(bool, thermo_mode) = false;
    H_MEMBER(double, electricity_price) = 0.8;
    H_MEMBER(double, gas_price) = 2.0;
    H_MEMBER(bool, compareToOtherVRF) = true;
    H_MEMBER(bool, compareToOtherChiller) = false;
    H_MEMBER(bool, isCalculationSuccess) = false;

private:
    QMap<int, bool> operation_daily;
    QMap<int, bool> operation_weekly;
    QMap<int, bool> operation_monthly;
    QJsonArray weather_statis_data;
    QJsonObject weather_extreme_data;

    HVRF* own_vrf = nullptr;
    HVRF* other_vrf = nullptr;
    HChiller* chiller = nullptr;
    HYear* year = nullptr;
};
