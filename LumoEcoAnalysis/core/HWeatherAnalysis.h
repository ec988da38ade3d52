#pragma once
#include "HAccessor.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVector>

// Climate figures of one city table of the weather database, computed on the
// averaged year (every (month, day, hour) averaged over the table's valid readings
// of all its years; 29 February is left out, as the project year has none):
// extremes, a design temperature exceeded by IgnoreHours hours, 1-degree bins per
// month, and the summer and winter design points. Results are cached per table in
// <program dir>/weather/<table>.json.
class HWeatherAnalysis
{
public:
    // An empty name takes the table of the program-wide LumoWeather.
    explicit HWeatherAnalysis(const QString& tableName = QString());

    // Cache or compute, then hand "statis_result" and "extreme_result" to the project.
    void analysisData();
    // Loads the cache file; false when it is missing, unreadable or incomplete, or when
    // it was made from another weather database or from other content of the table
    // (a cache written before it recorded its source counts as another).
    bool ReadStatisResult();
    // AverageTemperature and the month, day and hour of the design hour.
    void calculateDesignAverageTemp();
    // MaxTemperature, MinTemperature, totalHours, extremeResult and the hourly series
    // (gySeries, gxSeries) as the cache holds them.
    void analysisExtremeData();
    // tempSeries and statisResult, from one aggregated query and one pass.
    void analysisStatisData();
    // The hour exceeded by IgnoreHours hotter (summer) or undercut by IgnoreHours
    // colder (winter) averaged hours: its dry-bulb temperature and humidity (fraction).
    bool calcuateDesignAverageTempInSummer(double& dryBulb, double& humidity);
    bool calcuateDesignAverageTempInWinter(double& dryBulb, double& humidity);
    // Years of city_table_name (also makes it the program-wide LumoWeather's table).
    bool getYearList(QList<int>& years);

    // Hours of the year (8760) that `percent` % makes, truncated; 0 outside 0..8760.
    static int calculateIgnoreHours(double percent);

    // The bin table by its definition: one counting query per bin and month. Slow;
    // kept as the reference the one-pass computation must match.
    QJsonArray statisResultByBinQueries();

    // <program dir>/weather/<table>.json; empty for a name that would leave that
    // directory (separators, drive colons, control characters, empty).
    static QString cacheFilePath(const QString& tableName);
    // Removes the table's cache file (after its data changed); true when none is left.
    static bool removeCacheFile(const QString& tableName);
    // The cache's "source" object for a table of the shared weather database:
    // "weather_db" (the database file's canonical path) and "table_fingerprint" (a hash
    // of the table's readings). Empty when the table cannot be read.
    static QJsonObject cacheSource(const QString& tableName);

    const QJsonArray& getStatisResult() const { return statisResult; }
    const QJsonObject& getExtremeResult() const { return extremeResult; }
    const QList<int>& getTempSeries() const { return tempSeries; }
    const QList<double>& getgySeries() const { return gySeries; }
    const QList<double>& getgxSeries() const { return gxSeries; }

    H_MEMBER(QString, country);
    H_MEMBER(QString, city);
    H_MEMBER(QString, city_table_name);
    H_MEMBER(int, IgnoreHours) = 35;
    H_MEMBER(int, stepTempRange) = 1;
    H_MEMBER(double, MinTemperature) = 0.0;
    H_MEMBER(double, MaxTemperature) = 0.0;
    H_MEMBER(double, AverageTemperature) = 0.0;
    H_MEMBER(int, MaxTempInMonth) = 0;
    H_MEMBER(int, MaxTempInDay) = 0;
    H_MEMBER(int, MaxTempHour) = 0;
    H_MEMBER(int, totalHours) = 0;

private:
    struct AveragedHour
    {
        int month;
        int day;
        int hour;
        double dry;
        double humidity;
    };

    int statisticsTimes(int temp, int month);
    void initVecTempSeries();
    // The averaged year in calendar order, read with one aggregated query (kept for
    // the life of this object). False when the years cannot be listed.
    bool readAveragedYear();
    // The hour at `rank` in descending (or ascending) order of temperature; ties
    // keep calendar order. Null when there is no such hour.
    const AveragedHour* rankedHour(int rank, bool descending) const;
    // The summer (hottest first) or winter (coldest first) design point.
    bool designPoint(bool summer, double& dryBulb, double& humidity);
    QString analysisCondition(const QList<int>& years) const;

    QList<int> tempSeries;
    QList<double> gySeries;
    QList<double> gxSeries;
    QJsonArray statisResult;
    QJsonObject extremeResult;

    QList<int> m_years;
    QVector<AveragedHour> m_hours;
    QString m_loadedTable;
    bool m_loaded = false;
};
