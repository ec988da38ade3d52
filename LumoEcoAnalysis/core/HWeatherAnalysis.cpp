#include "HWeatherAnalysis.h"

#include "HAppPaths.h"
#include "HDatabase.h"
#include "HJsonFunc.h"
#include "HProject.h"
#include "LumoWeather.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>

HWeatherAnalysis::HWeatherAnalysis(const QString& tableName)
    : city_table_name(tableName.isEmpty() ? LumoWeather::getQWeather()->getWeatherTableName()
                                          : tableName)
{
}

int HWeatherAnalysis::calculateIgnoreHours(double percent)
{
    const double product = 8760.0 * percent * 0.01;
    if (!std::isfinite(product))
        return 0;
    const int hours = int(std::trunc(std::clamp(product, -1.0, 8761.0)));
    return hours < 0 || hours > 8760 ? 0 : hours;
}

bool HWeatherAnalysis::getYearList(QList<int>& years)
{
    LumoWeather* weather = LumoWeather::getQWeather();
    weather->setWeatherTableName(city_table_name);
    return weather->findAllYearList(years);
}

QString HWeatherAnalysis::analysisCondition(const QList<int>& years) const
{
    // The project year has no 29 February; statistics follow the year the
    // calculation uses, so leap-day rows stay out of every count.
    return LumoWeather::yearCondition(years) + QStringLiteral(" and not (month = 2 and day = 29)");
}

bool HWeatherAnalysis::readAveragedYear()
{
    if (m_loaded && m_loadedTable == city_table_name)
        return true;
    m_hours.clear();
    m_years.clear();
    m_loaded = false;
    if (city_table_name.isEmpty())
        return false;
    const QString table = HDatabase::quoteIdentifier(city_table_name);
    if (table.isEmpty() || !getYearList(m_years))
        return false;
    const QString sql =
        QStringLiteral("SELECT AVG(dry_temp) as a,AVG(Humidity) as b,month,day,hour FROM %1 %2 "
                       "group by month,day,hour order by month,day,hour")
            .arg(table, analysisCondition(m_years));
    QSqlQuery q = LumoWeather::getQWeather()->weatherRows(sql);
    // A statement that fails (damaged table) is no averaged year: nothing to report.
    if (!q.isActive())
        return false;
    m_hours.reserve(8760);
    while (q.next()) {
        m_hours.append({q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(),
                        q.value(0).toDouble(), q.value(1).toDouble()});
    }
    m_loadedTable = city_table_name;
    m_loaded = true;
    return true;
}

const HWeatherAnalysis::AveragedHour* HWeatherAnalysis::rankedHour(int rank, bool descending) const
{
    if (rank < 0 || rank >= m_hours.size())
        return nullptr;
    // The hour at that place of a stable sort: equal temperatures keep the year's order,
    // so ties are broken by index and only that one place needs sorting.
    QVector<int> order(m_hours.size());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&](int i) {
        return std::make_pair(descending ? -m_hours[i].dry : m_hours[i].dry, i);
    };
    std::nth_element(order.begin(), order.begin() + rank, order.end(),
                     [&](int a, int b) { return key(a) < key(b); });
    return &m_hours[order[rank]];
}

void HWeatherAnalysis::calculateDesignAverageTemp()
{
    if (!readAveragedYear())
        return;
    if (const AveragedHour* h = rankedHour(IgnoreHours, true)) {
        AverageTemperature = h->dry;
        MaxTempInMonth = h->month;
        MaxTempInDay = h->day;
        MaxTempHour = h->hour;
    }
}

bool HWeatherAnalysis::designPoint(bool summer, double& dryBulb, double& humidity)
{
    if (!readAveragedYear())
        return false;
    const AveragedHour* h = rankedHour(IgnoreHours, summer);
    if (!h)
        return false;
    dryBulb = h->dry;
    humidity = h->humidity;
    return true;
}

bool HWeatherAnalysis::calcuateDesignAverageTempInSummer(double& dryBulb, double& humidity)
{
    return designPoint(true, dryBulb, humidity);
}

bool HWeatherAnalysis::calcuateDesignAverageTempInWinter(double& dryBulb, double& humidity)
{
    return designPoint(false, dryBulb, humidity);
}

void HWeatherAnalysis::analysisExtremeData()
{
    if (!readAveragedYear())
        return;
    gySeries.clear();
    gxSeries.clear();
    QJsonArray gy;
    totalHours = 0;
    bool first = true;
    for (const AveragedHour& h : m_hours) {
        if (first || h.dry > MaxTemperature)
            MaxTemperature = h.dry;
        if (first || h.dry < MinTemperature)
            MinTemperature = h.dry;
        first = false;
        ++totalHours;
        // The cached series holds single-precision values rounded to two decimals; a
        // fresh analysis holds the same series as one read back from the cache.
        const double rounded = QString::number(double(float(h.dry)), 'f', 2).toDouble();
        gy.append(rounded);
        gySeries.append(rounded);
        gxSeries.append(double(totalHours - 1));
    }
    QJsonArray yearList;
    for (int i = 0; i < m_years.size(); ++i)
        yearList.append(i);

    extremeResult = QJsonObject();
    extremeResult.insert(QStringLiteral("MaxTempInMonth"), MaxTempInMonth);
    extremeResult.insert(QStringLiteral("MaxTempInDay"), MaxTempInDay);
    extremeResult.insert(QStringLiteral("MaxTempHour"), MaxTempHour);
    extremeResult.insert(QStringLiteral("totalHours"), totalHours);
    extremeResult.insert(QStringLiteral("MinTemperature"), MinTemperature);
    extremeResult.insert(QStringLiteral("MaxTemperature"), MaxTemperature);
    extremeResult.insert(QStringLiteral("AverageTemperature"), AverageTemperature);
    extremeResult.insert(QStringLiteral("city_table_name"), city_table_name);
    extremeResult.insert(QStringLiteral("IgnoreHours"), IgnoreHours);
    extremeResult.insert(QStringLiteral("year_list"), yearList);
    extremeResult.insert(QStringLiteral("gy"), gy);
    extremeResult.insert(QStringLiteral("gx"), QString());
}

void HWeatherAnalysis::initVecTempSeries()
{
    // Valid readings lie below 100 degrees and nothing is colder than -273: a damaged
    // value (or NaN) must neither overflow the conversion nor size a huge table.
    auto bounded = [](double t) {
        return std::isnan(t) ? 0.0 : std::clamp(t, -273.0, 100.0);
    };
    const double minTemp = bounded(MinTemperature);
    const double maxTemp = bounded(MaxTemperature);
    const int low = int(std::trunc(minTemp));
    int high = int(std::trunc(maxTemp));
    if (maxTemp > high)
        high += 1;
    tempSeries.clear();
    const int step = std::max(1, stepTempRange);
    for (int t = low; t <= high; t += step)
        tempSeries.append(t);
}

void HWeatherAnalysis::analysisStatisData()
{
    initVecTempSeries();
    statisResult = QJsonArray();
    const int step = std::max(1, stepTempRange);
    QVector<std::array<int, 12>> counts(tempSeries.size(), std::array<int, 12>{});
    if (readAveragedYear() && !tempSeries.isEmpty()) {
        const int low = tempSeries.first();
        for (const AveragedHour& h : m_hours) {
            if (h.month < 1 || h.month > 12 || !std::isfinite(h.dry))
                continue;
            if (h.dry <= low - step || h.dry > tempSeries.last())
                continue; // below the lowest bin or above the highest dot
            // Dot t holds the hours in (t - step, t]: the lowest dot not below the value.
            long long k = (long long)std::ceil((h.dry - low) / step);
            while (low + k * step < h.dry)
                ++k;
            while (low + (k - 1) * step >= h.dry)
                --k;
            if (k < 0 || k >= tempSeries.size())
                continue;
            ++counts[int(k)][h.month - 1];
        }
    }
    long long total = 0;
    for (int i = 0; i < tempSeries.size(); ++i) {
        QJsonArray months;
        int sum = 0;
        for (int m = 0; m < 12; ++m) {
            months.append(counts[i][m]);
            sum += counts[i][m];
        }
        total += sum;
        QJsonObject item;
        item.insert(QStringLiteral("temp_dot"), tempSeries[i]);
        item.insert(QStringLiteral("temp_times_month"), months);
        item.insert(QStringLiteral("total_times"), sum);
        statisResult.append(item);
    }
    qDebug() << "weather bins: total hours counted" << total;
}

int HWeatherAnalysis::statisticsTimes(int temp, int month)
{
    const QString table = HDatabase::quoteIdentifier(city_table_name);
    if (table.isEmpty())
        return 0;
    const QString inner =
        QStringLiteral(
            "SELECT AVG(%1) as dry_temp,year,month,day,hour FROM %2 %3 group by month,day,hour")
            .arg(QStringLiteral("dry_temp"), table, analysisCondition(m_years));
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral(
            "select count(dry_temp) as temp_value from (%1) where [month] = ? and [dry_temp] <= ? "
            "and [dry_temp] > ?")
            .arg(inner),
        {month, temp, temp - stepTempRange});
    if (q.record().count() == 0)
        return 0;
    return q.next() ? q.value(0).toInt() : 0;
}

QJsonArray HWeatherAnalysis::statisResultByBinQueries()
{
    initVecTempSeries();
    QJsonArray result;
    m_years.clear();
    const bool haveYears = !city_table_name.isEmpty() && getYearList(m_years);
    HDatabase* db = LumoWeather::getWeatherDB();
    db->transaction();
    for (const int t : qAsConst(tempSeries)) {
        QJsonArray months;
        int sum = 0;
        for (int m = 1; m <= 12; ++m) {
            const int n = haveYears ? statisticsTimes(t, m) : 0;
            months.append(n);
            sum += n;
        }
        QJsonObject item;
        item.insert(QStringLiteral("temp_dot"), t);
        item.insert(QStringLiteral("temp_times_month"), months);
        item.insert(QStringLiteral("total_times"), sum);
        result.append(item);
    }
    db->commit();
    return result;
}

QString HWeatherAnalysis::cacheFilePath(const QString& tableName)
{
    if (tableName.isEmpty() || tableName == QLatin1String(".") || tableName == QLatin1String(".."))
        return QString();
    for (const QChar ch : tableName) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch == QLatin1Char(':')
            || ch.unicode() < 0x20 || ch.category() == QChar::Other_Control)
            return QString();
    }
    return HAppPaths::weatherCacheDir() + QLatin1Char('/') + tableName + QStringLiteral(".json");
}

bool HWeatherAnalysis::removeCacheFile(const QString& tableName)
{
    const QString path = cacheFilePath(tableName);
    if (path.isEmpty() || !QFile::exists(path))
        return true;
    return QFile::remove(path);
}

QJsonObject HWeatherAnalysis::cacheSource(const QString& tableName)
{
    const QString table = HDatabase::quoteIdentifier(tableName);
    if (table.isEmpty())
        return {};
    // Every reading counts, weighted by its place in time, so that changed, added,
    // removed or moved readings all change the sums.
    const QString place = QStringLiteral("(((year * 13 + month) * 32 + day) * 24 + hour)");
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select count(*), total(dry_temp), total(Humidity), total(dry_temp * %1), "
                       "total(Humidity * %1), total(%1) from %2")
            .arg(place, table));
    if (!q.next())
        return {};
    QStringList sums;
    for (int i = 0; i < 6; ++i)
        sums << QString::number(q.value(i).toDouble(), 'g', 17);
    const QByteArray hash =
        QCryptographicHash::hash(sums.join(QLatin1Char(';')).toUtf8(), QCryptographicHash::Sha1);
    const QFileInfo db(LumoWeather::weatherDbPath());
    QJsonObject source;
    source.insert(QStringLiteral("weather_db"),
                  db.canonicalFilePath().isEmpty() ? db.absoluteFilePath()
                                                   : db.canonicalFilePath());
    source.insert(QStringLiteral("table_fingerprint"), QString::fromLatin1(hash.toHex()));
    return source;
}

bool HWeatherAnalysis::ReadStatisResult()
{
    const QString path = cacheFilePath(city_table_name);
    if (path.isEmpty() || !QFile::exists(path))
        return false;
    QJsonDocument doc;
    HJsonFunc::readFileToJsonDoc(path, doc);
    const QJsonObject root = doc.object();
    if (root.isEmpty())
        return false;
    // Another database's table of the same name, or this table with other readings,
    // would serve figures of another place or time.
    const QJsonObject source = root.value(QStringLiteral("source")).toObject();
    if (source.isEmpty() || source != cacheSource(city_table_name))
        return false;
    const QJsonArray statis = root.value(QStringLiteral("statis_result")).toArray();
    if (statis.isEmpty())
        return false;
    const QJsonObject extreme = root.value(QStringLiteral("extreme_result")).toObject();
    if (extreme.isEmpty())
        return false;
    // A file that is not this table's, or whose bins are damaged, is recomputed.
    if (extreme.value(QStringLiteral("city_table_name")).toString() != city_table_name)
        return false;
    for (const QJsonValue& v : statis) {
        const QJsonObject item = v.toObject();
        if (!item.value(QStringLiteral("temp_dot")).isDouble()
            || item.value(QStringLiteral("temp_times_month")).toArray().size() != 12)
            return false;
    }
    // The hour axis is built from totalHours: a damaged count (beyond a leap year, or
    // not the number of cached temperatures) must not size it.
    const int hours = extreme.value(QStringLiteral("totalHours")).toInt();
    if (hours < 0 || hours > 8784 || extreme.value(QStringLiteral("gy")).toArray().size() != hours)
        return false;

    statisResult = statis;
    extremeResult = extreme;
    MaxTempInMonth = extreme.value(QStringLiteral("MaxTempInMonth")).toInt();
    MaxTempInDay = extreme.value(QStringLiteral("MaxTempInDay")).toInt();
    MaxTempHour = extreme.value(QStringLiteral("MaxTempHour")).toInt();
    totalHours = extreme.value(QStringLiteral("totalHours")).toInt();
    MinTemperature = extreme.value(QStringLiteral("MinTemperature")).toDouble();
    MaxTemperature = extreme.value(QStringLiteral("MaxTemperature")).toDouble();
    AverageTemperature = extreme.value(QStringLiteral("AverageTemperature")).toDouble();
    city_table_name = extreme.value(QStringLiteral("city_table_name")).toString();
    IgnoreHours = extreme.value(QStringLiteral("IgnoreHours")).toInt();
    gySeries.clear();
    gxSeries.clear();
    for (const QJsonValue& v : extreme.value(QStringLiteral("gy")).toArray())
        gySeries.append(v.toDouble());
    for (int i = 0; i < totalHours; ++i)
        gxSeries.append(double(i));
    tempSeries.clear();
    for (const QJsonValue& v : statis)
        tempSeries.append(v.toObject().value(QStringLiteral("temp_dot")).toInt());
    return true;
}

void HWeatherAnalysis::analysisData()
{
    const int requestedIgnoreHours = IgnoreHours;
    if (ReadStatisResult()) {
        // The bins and extremes do not depend on the design-hours rule; the design
        // temperature does, so a cache made with another rule is not served as is.
        if (IgnoreHours != requestedIgnoreHours && readAveragedYear()) {
            IgnoreHours = requestedIgnoreHours;
            // As a fresh analysis: no design hour (too many ignored) leaves zeros, never
            // the cached rule's figures under the requested rule's name.
            AverageTemperature = 0.0;
            MaxTempInMonth = MaxTempInDay = MaxTempHour = 0;
            calculateDesignAverageTemp();
            extremeResult.insert(QStringLiteral("IgnoreHours"), IgnoreHours);
            extremeResult.insert(QStringLiteral("AverageTemperature"), AverageTemperature);
            extremeResult.insert(QStringLiteral("MaxTempInMonth"), MaxTempInMonth);
            extremeResult.insert(QStringLiteral("MaxTempInDay"), MaxTempInDay);
            extremeResult.insert(QStringLiteral("MaxTempHour"), MaxTempHour);
        }
    } else {
        if (city_table_name.isEmpty())
            return;
        calculateDesignAverageTemp();
        analysisExtremeData();
        analysisStatisData();
        // Nothing worth keeping when the table could not be read: the next call retries.
        const QString path = cacheFilePath(city_table_name);
        const QJsonObject source = cacheSource(city_table_name);
        if (!extremeResult.isEmpty() && !path.isEmpty() && !source.isEmpty()) {
            QJsonObject root;
            root.insert(QStringLiteral("extreme_result"), extremeResult);
            root.insert(QStringLiteral("statis_result"), statisResult);
            root.insert(QStringLiteral("source"), source);
            QString error;
            if (!HJsonFunc::jsonDocToFile(QJsonDocument(root), path, QJsonDocument::Compact,
                                          &error))
                qWarning() << "weather analysis cache not written:" << path << error;
        }
    }
    HProject* project = HProject::getProject();
    project->setWeatherStatisData(statisResult);
    project->setWeatherExtremeData(extremeResult);
}
