#pragma once
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVector>

class HDatabase;
class HHour;
class HYear;

// The program's access point to the weather database "Weather.db3": owns the one
// shared connection, lists the years of a city table and fills the project's
// calendar year with the hourly weather averaged over those years.
class LumoWeather
{
public:
    // Registers the new object as the program-wide instance.
    LumoWeather();
    LumoWeather(const LumoWeather& other);
    LumoWeather& operator=(const LumoWeather& other) = default;
    // Closes the shared connection (the next getWeatherDB opens it again).
    ~LumoWeather();

    // The shared connection, opened on first use. Callers test isVilidDatabase().
    static HDatabase* getWeatherDB();
    // Points the shared connection at another file (command line, tests); an open
    // connection is closed. An empty path restores the default beside the program.
    // `readOnly` opens the file read-only, for callers that only read it.
    static void setWeatherDbPath(const QString& path, bool readOnly = false);
    static QString weatherDbPath();

    // The program-wide instance. When none is registered (command-line use) a
    // process-lifetime instance is created, so callers never receive null.
    static LumoWeather* getQWeather();

    void setWeatherTableName(const QString& name) { WeatherTableName = name; }
    QString getWeatherTableName() const { return WeatherTableName; }

    // Appends the distinct years (ascending) of WeatherTableName to `years`.
    bool findAllYearList(QList<int>& years);

    // Runs a statement on the shared connection; an inactive query when there is
    // no valid connection or the statement fails.
    QSqlQuery weatherQuery(const QString& sql);
    QSqlQuery weatherQuery(const QString& sql, const QVariantList& values);
    // For rows read once, front to back (next() only): no copy of the rows is kept.
    // A failed statement gives an inactive query.
    QSqlQuery weatherRows(const QString& sql);

    // Fills every hour of `year` with the average over all valid readings of the
    // table for that month, day and hour. An hour without any valid reading takes the
    // value interpolated linearly in time between the nearest hours that have one
    // (across the end of the year), as weather tools fill missing data. False for a
    // null year or when the year already holds this table's data.
    bool initYearWeatherData(HYear* year);
    // Hours of the year this object last filled that had no valid reading and were
    // interpolated (0 when every hour had one, or when no hour had one to start from).
    int filledHours() const { return m_filledHours; }

    // Fills the hours of `hours` (a year in calendar order) whose `covered` flag is false
    // by linear interpolation of dry bulb and humidity between the nearest covered hours,
    // wrapping around the end of the year. Returns the number of hours filled; none
    // when no hour is covered.
    static int fillGaps(const QVector<HHour*>& hours, const QVector<bool>& covered);

    // " WHERE year in(2001 , 2002) and dry_temp<100": the valid readings of the years.
    static QString yearCondition(const QList<int>& years);

private:
    QString WeatherTableName;
    int m_filledHours = 0;

    static HDatabase* database;
    static LumoWeather* weather;
};
