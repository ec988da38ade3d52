#include "LumoWeather.h"

#include "HAppPaths.h"
#include "HDatabase.h"
#include "HHour.h"
#include "HYear.h"

#include <QDebug>
#include <QHash>

HDatabase* LumoWeather::database = nullptr;
LumoWeather* LumoWeather::weather = nullptr;

namespace {
QString& dbPathOverride()
{
    static QString path;
    return path;
}

bool& dbReadOnly()
{
    static bool readOnly = false;
    return readOnly;
}
} // namespace

LumoWeather::LumoWeather()
{
    weather = this;
}

LumoWeather::LumoWeather(const LumoWeather& other)
    : WeatherTableName(other.WeatherTableName)
    , m_filledHours(other.m_filledHours)
{
}

LumoWeather::~LumoWeather()
{
    if (database) {
        database->closeDatabase();
        delete database;
        database = nullptr;
    }
    WeatherTableName.clear();
    // Never leave the program-wide pointer dangling.
    if (weather == this)
        weather = nullptr;
}

QString LumoWeather::weatherDbPath()
{
    if (!dbPathOverride().isEmpty())
        return dbPathOverride();
    return HAppPaths::weatherDatabase();
}

void LumoWeather::setWeatherDbPath(const QString& path, bool readOnly)
{
    dbReadOnly() = readOnly;
    if (database) {
        database->closeDatabase();
        delete database;
        database = nullptr;
    }
    dbPathOverride() = path;
}

HDatabase* LumoWeather::getWeatherDB()
{
    if (!database) {
        database = new HDatabase;
        database->openDatabase(weatherDbPath(), QString(),
                               dbReadOnly() ? HDatabase::ReadOnly : HDatabase::ReadWrite);
    }
    return database;
}

LumoWeather* LumoWeather::getQWeather()
{
    if (!weather) {
        // Without a weather page (command line) the instance lives as long as the process.
        static LumoWeather* fallback = nullptr;
        if (!fallback)
            fallback = new LumoWeather;
        weather = fallback;
    }
    return weather;
}

bool LumoWeather::findAllYearList(QList<int>& years)
{
    HDatabase* db = getWeatherDB();
    if (!db || !db->isVilidDatabase())
        return false;
    QVariantList values;
    if (!db->findValuesByColumnName(WeatherTableName, QStringLiteral("year"), values, true))
        return false;
    if (values.size() < 1)
        return false;
    for (const QVariant& v : values)
        years.append(v.toInt());
    return true;
}

QSqlQuery LumoWeather::weatherQuery(const QString& sql)
{
    return weatherQuery(sql, QVariantList());
}

QSqlQuery LumoWeather::weatherQuery(const QString& sql, const QVariantList& values)
{
    HDatabase* db = getWeatherDB();
    if (!db || !db->isVilidDatabase())
        return QSqlQuery();
    return db->query(sql, values);
}

QSqlQuery LumoWeather::weatherRows(const QString& sql)
{
    HDatabase* db = getWeatherDB();
    if (!db || !db->isVilidDatabase())
        return QSqlQuery();
    QSqlQuery q(db->sqlDatabase());
    q.setForwardOnly(true);
    if (!q.prepare(sql) || !db->execPrepared(q))
        return QSqlQuery();
    return q;
}

QString LumoWeather::yearCondition(const QList<int>& years)
{
    QString condition = QStringLiteral(" WHERE year in(");
    for (int i = 0; i < years.size(); ++i)
        condition += (i == 0 ? QStringLiteral("%1") : QStringLiteral(" , %1")).arg(years[i]);
    condition += QStringLiteral(") and %1<100").arg(QStringLiteral("dry_temp"));
    return condition;
}

bool LumoWeather::initYearWeatherData(HYear* year)
{
    if (!year)
        return false;
    if (year->GetweatherTableName() == WeatherTableName)
        return false;
    year->setweatherTableName(WeatherTableName);

    QList<int> years;
    findAllYearList(years);
    if (!years.isEmpty())
        HYear::year = years.first();
    const QString condition = yearCondition(years);

    // A name that cannot be quoted safely selects nothing, like a missing table.
    const QString table = HDatabase::quoteIdentifier(WeatherTableName);
    QSqlQuery q;
    if (!table.isEmpty()) {
        const QString sql =
            QStringLiteral("SELECT AVG(%1) as dbt,AVG(%2) as rh,year,month,day,hour FROM %3 %4 "
                           "group by month,day,hour")
                .arg(QStringLiteral("dry_temp"), QStringLiteral("Humidity"), table, condition);
        qDebug() << "weather year condition:" << condition;
        qDebug() << "weather year statement:" << sql;
        q = weatherRows(sql);
    }

    year->reset();
    // Which hours of the year received an average, by their place in the year.
    QHash<const HHour*, int> place;
    place.reserve(year->size());
    for (int i = 0; i < year->size(); ++i)
        place.insert(year->at(i), i);
    QVector<bool> covered(year->size(), false);
    while (q.isActive() && q.next()) {
        // Columns by place: dbt, rh, year, month, day, hour.
        const int month = q.value(3).toInt();
        const int day = q.value(4).toInt();
        const int hour = q.value(5).toInt();
        HHour* h = year->getHour(month, day, hour);
        if (!h) {
            qDebug() << "find null hour"
                     << QStringLiteral("%1-%2-%3").arg(month).arg(day).arg(hour);
            continue;
        }
        h->setdry_bulb_temperature(q.value(0).toDouble());
        h->setrelative_humidity(q.value(1).toDouble());
        covered[place.value(h)] = true;
    }
    m_filledHours = fillGaps(*year, covered);
    if (m_filledHours > 0)
        qDebug() << "weather year:" << m_filledHours << "hours without a valid reading filled";
    return true;
}

int LumoWeather::fillGaps(const QVector<HHour*>& hours, const QVector<bool>& covered)
{
    const int n = hours.size();
    QVector<int> known;
    for (int i = 0; i < n; ++i) {
        if (covered.value(i) && hours[i])
            known.append(i);
    }
    if (known.isEmpty() || known.size() == n)
        return 0;
    int filled = 0;
    for (int k = 0; k < known.size(); ++k) {
        const int a = known[k];
        const int b = known[(k + 1) % known.size()];
        // Hours from a to b, going forward and wrapping at the year's end; with one
        // covered hour the gap is the rest of the year, on both sides of it.
        const int span = b > a ? b - a : b - a + n;
        const HHour* from = hours[a];
        const HHour* to = hours[b];
        for (int step = 1; step < span; ++step) {
            HHour* h = hours[(a + step) % n];
            if (!h)
                continue;
            const double t = double(step) / span;
            h->setdry_bulb_temperature(
                from->Getdry_bulb_temperature()
                + t * (to->Getdry_bulb_temperature() - from->Getdry_bulb_temperature()));
            h->setrelative_humidity(
                from->Getrelative_humidity()
                + t * (to->Getrelative_humidity() - from->Getrelative_humidity()));
            ++filled;
        }
    }
    return filled;
}
