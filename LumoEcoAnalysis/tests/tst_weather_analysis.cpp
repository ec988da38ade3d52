// Weather analysis: design hours, extremes, temperature bins, the cache file and
// its failures.
#include "HAppPaths.h"
#include "HJsonFunc.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "tst_weather_fixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using weatherfixture::Reading;

namespace {
// Deterministic values with a realistic spread (about -12 to 36 degrees),
// many of them on exact integers.
Reading wavy(int y, int m, int d, int h)
{
    const int i = weatherfixture::hourIndex(m, d == 29 && m == 2 ? 28 : d, h);
    const double season = -std::cos(2 * M_PI * i / 8760.0) * 15.0 + 12.0;
    const double daily = -std::cos(2 * M_PI * (h - 3) / 24.0) * 5.0;
    const double noise = ((i * 7919 + y * 104729) % 23) - 11.0;
    return Reading{std::round((season + daily + noise * 0.5) * 2.0) / 2.0, 0.3 + (i % 50) / 100.0};
}
} // namespace

class TstWeatherAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ignoreHours_data();
    void ignoreHours();
    void tempSeries_data();
    void tempSeries();
    void designHours_data();
    void designHours();
    void designHoursWithTies_data();
    void designHoursWithTies();
    void binAtExactInteger_data();
    void binAtExactInteger();
    void binCounts_data();
    void binCounts();
    void cacheRoundTrip();
    void corruptCache_data();
    void corruptCache();
    void cacheBelongsToItsSource_data();
    void cacheBelongsToItsSource();
    void cachePathStaysInside_data();
    void cachePathStaysInside();
    void cacheWithOtherDesignHours_data();
    void cacheWithOtherDesignHours();
    void missingTable_data();
    void missingTable();

private:
    QString dbPath() const { return m_dir->filePath(QStringLiteral("Weather.db3")); }
    QString cachePath(const QString& table) const
    {
        return m_dir->filePath(QStringLiteral("weather/%1.json").arg(table));
    }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TstWeatherAnalysis::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    HAppPaths::setApplicationDir(m_dir->path());
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
}

void TstWeatherAnalysis::cleanup()
{
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
    HAppPaths::setApplicationDir(QString());
    m_dir.reset();
}

void TstWeatherAnalysis::ignoreHours_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("hours");
    QTest::newRow("0.4 % default") << 0.4 << 35;
    QTest::newRow("1 %") << 1.0 << 87;
    QTest::newRow("0 %") << 0.0 << 0;
    QTest::newRow("negative") << -1.0 << 0;
    QTest::newRow("100 %") << 100.0 << 8760;
    QTest::newRow("above 100 %") << 101.0 << 0;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void TstWeatherAnalysis::ignoreHours()
{
    QFETCH(double, percent);
    QFETCH(int, hours);
    QCOMPARE(HWeatherAnalysis::calculateIgnoreHours(percent), hours);
}

void TstWeatherAnalysis::tempSeries_data()
{
    QTest::addColumn<double>("minTemp");
    QTest::addColumn<double>("maxTemp");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("-12.7 to 35.2") << -12.7 << 35.2 << -12 << 36;
    QTest::newRow("max exactly 35") << -3.0 << 35.0 << -3 << 35;
    QTest::newRow("-0.5 truncates to 0") << -0.5 << 4.1 << 0 << 5;
    QTest::newRow("nothing computed") << 0.0 << 0.0 << 0 << 0;
    // A damaged reading must not size the table: no dot lies below absolute zero.
    QTest::newRow("-5000 stops at absolute zero") << -5000.0 << 35.2 << -273 << 36;
    QTest::newRow("beyond the int range") << -1e12 << 1e12 << -273 << 100;
}

void TstWeatherAnalysis::tempSeries()
{
    QFETCH(double, minTemp);
    QFETCH(double, maxTemp);
    QFETCH(int, first);
    QFETCH(int, last);
    HWeatherAnalysis analysis(QStringLiteral("none"));
    analysis.setMinTemperature(minTemp);
    analysis.setMaxTemperature(maxTemp);
    analysis.analysisStatisData();
    const QList<int> dots = analysis.getTempSeries();
    QCOMPARE(dots.first(), first);
    QCOMPARE(dots.last(), last);
    QCOMPARE(dots.size(), last - first + 1);
    QCOMPARE(analysis.getStatisResult().size(), dots.size());
}

void TstWeatherAnalysis::designHours_data()
{
    // One year, hour i of the year (0..8759) reads i / 100 degrees and humidity
    // (i % 100) / 100, so the rank of every hour is known.
    QTest::addColumn<int>("ignoreHours");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("summerIndex");
    QTest::addColumn<int>("winterIndex");
    QTest::newRow("none ignored: the maximum") << 0 << true << 8759 << 0;
    QTest::newRow("35 ignored") << 35 << true << 8724 << 35;
    QTest::newRow("87 ignored (1 %)") << 87 << true << 8672 << 87;
    QTest::newRow("all hours ignored: no design hour") << 8760 << false << -1 << -1;
}

void TstWeatherAnalysis::designHours()
{
    QFETCH(int, ignoreHours);
    QFETCH(bool, exists);
    QFETCH(int, summerIndex);
    QFETCH(int, winterIndex);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("Ramp"), {2001},
                   [](int, int m, int d, int h) {
                       const int i = weatherfixture::hourIndex(m, d, h);
                       return Reading{i / 100.0, (i % 100) / 100.0};
                   });
    }
    LumoWeather weather;
    HWeatherAnalysis analysis(QStringLiteral("Ramp"));
    analysis.setIgnoreHours(ignoreHours);
    analysis.setAverageTemperature(-99.0);
    analysis.calculateDesignAverageTemp();
    double summerDry = -99.0, summerRh = -99.0, winterDry = -99.0, winterRh = -99.0;
    QCOMPARE(analysis.calcuateDesignAverageTempInSummer(summerDry, summerRh), exists);
    QCOMPARE(analysis.calcuateDesignAverageTempInWinter(winterDry, winterRh), exists);
    if (!exists) {
        QCOMPARE(analysis.GetAverageTemperature(), -99.0);
        QCOMPARE(summerDry, -99.0);
        return;
    }
    BRIVANTA_COMPARE_NEAR(analysis.GetAverageTemperature(), summerIndex / 100.0, 1e-12);
    const int day = summerIndex / 24;
    const QDate date = QDate(2001, 1, 1).addDays(day);
    QCOMPARE(analysis.GetMaxTempInMonth(), date.month());
    QCOMPARE(analysis.GetMaxTempInDay(), date.day());
    QCOMPARE(analysis.GetMaxTempHour(), summerIndex % 24);
    BRIVANTA_COMPARE_NEAR(summerDry, summerIndex / 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(summerRh, (summerIndex % 100) / 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(winterDry, winterIndex / 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(winterRh, (winterIndex % 100) / 100.0, 1e-12);

    analysis.analysisExtremeData();
    BRIVANTA_COMPARE_NEAR(analysis.GetMaxTemperature(), 87.59, 1e-12);
    BRIVANTA_COMPARE_NEAR(analysis.GetMinTemperature(), 0.0, 1e-12);
    QCOMPARE(analysis.GettotalHours(), 8760);
}

void TstWeatherAnalysis::designHoursWithTies_data()
{
    // Day n of the year (0..364) reads n / 10 degrees all day: 24 equal hours per day. Equal
    // temperatures keep the year's order, so rank k is hour k % 24 of the (k / 24)-th
    // warmest (summer) or coldest (winter) day.
    QTest::addColumn<int>("ignoreHours");
    QTest::newRow("none ignored") << 0;
    QTest::newRow("5 ignored: within the first day") << 5;
    QTest::newRow("35 ignored: into the second day") << 35;
    QTest::newRow("87 ignored") << 87;
}

void TstWeatherAnalysis::designHoursWithTies()
{
    QFETCH(int, ignoreHours);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("Steps"), {2001},
                   [](int, int m, int d, int h) {
                       const int i = weatherfixture::hourIndex(m, d, h);
                       return Reading{(i / 24) / 10.0, (i % 100) / 100.0};
                   });
    }
    LumoWeather weather;
    HWeatherAnalysis analysis(QStringLiteral("Steps"));
    analysis.setIgnoreHours(ignoreHours);
    analysis.calculateDesignAverageTemp();
    const int summerIndex = (364 - ignoreHours / 24) * 24 + ignoreHours % 24;
    const int winterIndex = ignoreHours;
    const QDate date = QDate(2001, 1, 1).addDays(summerIndex / 24);
    BRIVANTA_COMPARE_NEAR(analysis.GetAverageTemperature(), (summerIndex / 24) / 10.0, 1e-12);
    QCOMPARE(analysis.GetMaxTempInMonth(), date.month());
    QCOMPARE(analysis.GetMaxTempInDay(), date.day());
    QCOMPARE(analysis.GetMaxTempHour(), summerIndex % 24);
    double dry = -99.0, rh = -99.0;
    QVERIFY(analysis.calcuateDesignAverageTempInSummer(dry, rh));
    BRIVANTA_COMPARE_NEAR(rh, (summerIndex % 100) / 100.0, 1e-12);
    QVERIFY(analysis.calcuateDesignAverageTempInWinter(dry, rh));
    BRIVANTA_COMPARE_NEAR(dry, (winterIndex / 24) / 10.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(rh, (winterIndex % 100) / 100.0, 1e-12);
}

void TstWeatherAnalysis::binAtExactInteger_data()
{
    // 5 January 12:00 averages two years' readings (v - 1 and v + 1) to v; every
    // other hour reads 10.
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("dot");
    QTest::newRow("exactly 25 belongs to dot 25") << 25.0 << 25;
    QTest::newRow("25.01 belongs to dot 26") << 25.01 << 26;
    QTest::newRow("exactly -3 belongs to dot -3") << -3.0 << -3;
    QTest::newRow("-2.99 belongs to dot -2") << -2.99 << -2;
    QTest::newRow("exactly 0 belongs to dot 0") << 0.0 << 0;
    QTest::newRow("-0.5 belongs to dot 0") << -0.5 << 0;
}

void TstWeatherAnalysis::binAtExactInteger()
{
    QFETCH(double, value);
    QFETCH(int, dot);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), {2001, 2002},
                   [](int, int, int, int) {
                       return Reading{10.0, 0.5};
                   });
        db.setReading(QStringLiteral("T"), 2001, 1, 5, 12, value - 1.0, 0.5);
        db.setReading(QStringLiteral("T"), 2002, 1, 5, 12, value + 1.0, 0.5);
    }
    LumoWeather weather;
    HWeatherAnalysis analysis(QStringLiteral("T"));
    analysis.analysisExtremeData();
    analysis.analysisStatisData();
    const QJsonArray bins = analysis.getStatisResult();
    int found = 0;
    for (const QJsonValue& v : bins) {
        const QJsonObject bin = v.toObject();
        const int january = bin.value(QStringLiteral("temp_times_month")).toArray().at(0).toInt();
        const int t = bin.value(QStringLiteral("temp_dot")).toInt();
        if (t == 10)
            QCOMPARE(january, 31 * 24 - 1);
        else if (t == dot)
            found = january;
        else
            QCOMPARE(january, 0);
    }
    QCOMPARE(found, 1);
}

void TstWeatherAnalysis::binCounts_data()
{
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<bool>("invalidReadings");
    QTest::newRow("one year") << QList<int>{2001} << false;
    QTest::newRow("three years with a leap year") << QList<int>{2019, 2020, 2021} << false;
    QTest::newRow("two years with invalid readings") << QList<int>{2001, 2002} << true;
}

void TstWeatherAnalysis::binCounts()
{
    QFETCH(QList<int>, years);
    QFETCH(bool, invalidReadings);
    // One year invalid at a winter hour, a summer hour invalid in every year.
    const auto invalid = [&](int y, int m, int d, int h) {
        return invalidReadings
            && ((y == years.last() && m == 1 && d == 20 && h == 6)
                || (m == 7 && d == 1 && h == 14));
    };
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("Wavy"), years,
                   [&](int y, int m, int d, int h) {
                       return invalid(y, m, d, h) ? Reading{999.0, 0.5} : wavy(y, m, d, h);
                   });
    }
    // The expected bins straight from the readings: each hour of a 365-day year
    // averaged over the years that have a valid reading, counted in the dot t with
    // t - 1 < average <= t.
    QMap<int, std::array<int, 12>> expected;
    int expectedHours = 0;
    for (QDate date(2001, 1, 1); date.year() == 2001; date = date.addDays(1))
        for (int h = 0; h < 24; ++h) {
            double sum = 0.0;
            int n = 0;
            for (const int y : years)
                if (!invalid(y, date.month(), date.day(), h)) {
                    sum += wavy(y, date.month(), date.day(), h).dry;
                    ++n;
                }
            if (n == 0)
                continue;
            ++expectedHours;
            expected[int(std::ceil(sum / n))][date.month() - 1] += 1;
        }

    LumoWeather weather;
    HWeatherAnalysis analysis(QStringLiteral("Wavy"));
    analysis.analysisExtremeData();
    analysis.analysisStatisData();
    QCOMPARE(analysis.GettotalHours(), expectedHours);
    QCOMPARE(expectedHours, invalidReadings ? 8759 : 8760);
    const QJsonArray bins = analysis.getStatisResult();
    QCOMPARE(bins.first().toObject().value(QStringLiteral("temp_dot")).toInt(),
             expected.firstKey());
    QCOMPARE(bins.last().toObject().value(QStringLiteral("temp_dot")).toInt(), expected.lastKey());
    for (const QJsonValue& v : bins) {
        const QJsonObject bin = v.toObject();
        const int dot = bin.value(QStringLiteral("temp_dot")).toInt();
        const std::array<int, 12> months = expected.value(dot, std::array<int, 12>{});
        int total = 0;
        for (int m = 0; m < 12; ++m) {
            QCOMPARE(bin.value(QStringLiteral("temp_times_month")).toArray().at(m).toInt(),
                     months[m]);
            total += months[m];
        }
        QCOMPARE(bin.value(QStringLiteral("total_times")).toInt(), total);
    }
}

void TstWeatherAnalysis::cacheRoundTrip()
{
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("Xi'an"), QStringLiteral("CHN_Xi'an"),
                   {2001, 2002}, wavy);
    }
    LumoWeather weather;
    HWeatherAnalysis first(QStringLiteral("CHN_Xi'an"));
    first.analysisData();
    QVERIFY(QFile::exists(cachePath(QStringLiteral("CHN_Xi'an"))));
    QCOMPARE(first.getgySeries().size(), 8760); // a fresh computation has the series too
    QCOMPARE(HProject::getProject()->getWeatherStatisData(), first.getStatisResult());
    QCOMPARE(HProject::getProject()->getWeatherExtremeData(), first.getExtremeResult());

    // The second analysis is served from the file (only reading it fills the series).
    HProject::reset();
    HWeatherAnalysis second(QStringLiteral("CHN_Xi'an"));
    second.analysisData();
    QCOMPARE(second.getStatisResult(), first.getStatisResult());
    QCOMPARE(second.getExtremeResult(), first.getExtremeResult());
    QCOMPARE(second.GetMaxTemperature(), first.GetMaxTemperature());
    QCOMPARE(second.GetMinTemperature(), first.GetMinTemperature());
    QCOMPARE(second.GetAverageTemperature(), first.GetAverageTemperature());
    QCOMPARE(second.GetMaxTempInDay(), first.GetMaxTempInDay());
    QCOMPARE(second.GettotalHours(), 8760);
    QCOMPARE(second.getgySeries().size(), 8760);
    QCOMPARE(second.getgxSeries().size(), 8760);
    QCOMPARE(second.getgxSeries().last(), 8759.0);
    QCOMPARE(second.getgySeries(), first.getgySeries());
    QCOMPARE(second.getgxSeries(), first.getgxSeries());
    QCOMPARE(HProject::getProject()->getWeatherStatisData(), first.getStatisResult());
    const QJsonObject extreme = second.getExtremeResult();
    QCOMPARE(extreme.value(QStringLiteral("year_list")).toArray(), QJsonArray({0, 1}));
    QCOMPARE(extreme.value(QStringLiteral("gx")).toString(), QString());
    QCOMPARE(extreme.value(QStringLiteral("IgnoreHours")).toInt(), 35);
}

void TstWeatherAnalysis::corruptCache_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not JSON") << QByteArray("\x01\x02garbage");
    QTest::newRow("cut-off JSON") << QByteArray("{\"extreme_result\":{\"MaxTemperature\":3");
    QTest::newRow("empty object") << QByteArray("{}");
    QTest::newRow("empty bins") << QByteArray(
        "{\"extreme_result\":{\"city_table_name\":\"T\"},\"statis_result\":[]}");
    QTest::newRow("another table's file") << QByteArray(
        "{\"extreme_result\":{\"city_table_name\":\"U\",\"MaxTemperature\":50},"
        "\"statis_result\":[{\"temp_dot\":1,\"temp_times_month\":[0,0,0,0,0,0,0,0,0,0,0,0],"
        "\"total_times\":0}]}");
    QTest::newRow("hour count far beyond a year") << QByteArray(
        "{\"extreme_result\":{\"city_table_name\":\"T\",\"totalHours\":100000,\"gy\":[]},"
        "\"statis_result\":[{\"temp_dot\":1,\"temp_times_month\":[0,0,0,0,0,0,0,0,0,0,0,0],"
        "\"total_times\":0}]}");
    QTest::newRow("fewer temperatures than hours") << QByteArray(
        "{\"extreme_result\":{\"city_table_name\":\"T\",\"totalHours\":8760,\"gy\":[1,2]},"
        "\"statis_result\":[{\"temp_dot\":1,\"temp_times_month\":[0,0,0,0,0,0,0,0,0,0,0,0],"
        "\"total_times\":0}]}");
    QTest::newRow("damaged bin") << QByteArray(
        "{\"extreme_result\":{\"city_table_name\":\"T\",\"MaxTemperature\":50},"
        "\"statis_result\":[{\"temp_dot\":1,\"temp_times_month\":[0,0]}]}");
}

void TstWeatherAnalysis::corruptCache()
{
    QFETCH(QByteArray, content);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), {2001}, wavy);
    }
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("weather")));
    QFile file(cachePath(QStringLiteral("T")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    LumoWeather weather;
    HWeatherAnalysis probe(QStringLiteral("T"));
    QVERIFY(!probe.ReadStatisResult());

    HWeatherAnalysis analysis(QStringLiteral("T"));
    analysis.analysisData();
    QVERIFY(analysis.GetMaxTemperature() < 40.0);
    QCOMPARE(analysis.GettotalHours(), 8760);
    // The file was rewritten and now serves the computed results.
    HWeatherAnalysis reread(QStringLiteral("T"));
    QVERIFY(reread.ReadStatisResult());
    QCOMPARE(reread.getStatisResult(), analysis.getStatisResult());
}

void TstWeatherAnalysis::cacheBelongsToItsSource_data()
{
    // What changes between the analysis that wrote the cache and the next one.
    QTest::addColumn<QString>("change");
    QTest::newRow("another database with a table of the same name") << "database";
    QTest::newRow("one reading of the table changed") << "reading";
    QTest::newRow("a cache written before it recorded its source") << "old cache";
    QTest::newRow("nothing: the cache serves") << "nothing";
}

void TstWeatherAnalysis::cacheBelongsToItsSource()
{
    QFETCH(QString, change);
    const QString other = m_dir->filePath(QStringLiteral("Other.db3"));
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("France"), QStringLiteral("Paris"), QStringLiteral("T"), {2001},
                   wavy);
        // The same table name in another database, 10 degrees warmer.
        weatherfixture::Db warm(other);
        warm.addCity(QStringLiteral("France"), QStringLiteral("Paris"), QStringLiteral("T"), {2001},
                     [](int y, int m, int d, int h) {
                         Reading r = wavy(y, m, d, h);
                         r.dry += 10.0;
                         return r;
                     });
    }
    LumoWeather weather;
    HWeatherAnalysis first(QStringLiteral("T"));
    first.analysisData();
    const double firstMax = first.GetMaxTemperature();
    QVERIFY(QFile::exists(cachePath(QStringLiteral("T"))));

    double expectedMax = firstMax;
    if (change == QLatin1String("database")) {
        LumoWeather::setWeatherDbPath(other);
        expectedMax = firstMax + 10.0;
    } else if (change == QLatin1String("reading")) {
        weatherfixture::Db db(dbPath(), weatherfixture::Db::Keep);
        db.setReading(QStringLiteral("T"), 2001, 3, 3, 3, 45.0, 0.5);
        expectedMax = 45.0;
    } else if (change == QLatin1String("old cache")) {
        QJsonDocument doc;
        QVERIFY(HJsonFunc::readFileToJsonDoc(cachePath(QStringLiteral("T")), doc));
        QJsonObject root = doc.object();
        QVERIFY(root.contains(QStringLiteral("source")));
        root.remove(QStringLiteral("source"));
        // Marked, so that serving it would show.
        QJsonObject extreme = root.value(QStringLiteral("extreme_result")).toObject();
        extreme.insert(QStringLiteral("MaxTemperature"), 99.0);
        root.insert(QStringLiteral("extreme_result"), extreme);
        QVERIFY(HJsonFunc::jsonDocToFile(QJsonDocument(root), cachePath(QStringLiteral("T"))));
    }

    HProject::reset();
    HWeatherAnalysis second(QStringLiteral("T"));
    second.analysisData();
    BRIVANTA_COMPARE_NEAR(second.GetMaxTemperature(), expectedMax, 1e-12);
    BRIVANTA_COMPARE_NEAR(HProject::getProject()
                              ->getWeatherExtremeData()
                              .value(QStringLiteral("MaxTemperature"))
                              .toDouble(),
                          expectedMax, 1e-12);
    // The hourly series, served from the file or computed, is the current source's.
    const QList<double>& series = second.getgySeries();
    QCOMPARE(series.size(), 8760);
    BRIVANTA_COMPARE_NEAR(*std::max_element(series.cbegin(), series.cend()), expectedMax, 1e-3);

    // The file now describes the current source, with every key it always had.
    QJsonDocument doc;
    QVERIFY(HJsonFunc::readFileToJsonDoc(cachePath(QStringLiteral("T")), doc));
    const QJsonObject root = doc.object();
    QCOMPARE(root.value(QStringLiteral("source")).toObject(),
             HWeatherAnalysis::cacheSource(QStringLiteral("T")));
    const QJsonObject extreme = root.value(QStringLiteral("extreme_result")).toObject();
    for (const char* key : {"MaxTempInMonth", "MaxTempInDay", "MaxTempHour", "totalHours",
                            "MinTemperature", "MaxTemperature", "AverageTemperature",
                            "city_table_name", "IgnoreHours", "year_list", "gy", "gx"})
        QVERIFY2(extreme.contains(QLatin1String(key)), key);
    QCOMPARE(root.value(QStringLiteral("statis_result")).toArray(), second.getStatisResult());
    BRIVANTA_COMPARE_NEAR(extreme.value(QStringLiteral("MaxTemperature")).toDouble(), expectedMax,
                          1e-12);
}

void TstWeatherAnalysis::cachePathStaysInside_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("plain") << QStringLiteral("CHN_Beijing") << true;
    QTest::newRow("apostrophe and space") << QStringLiteral("St. John's") << true;
    QTest::newRow("parent directory") << QStringLiteral("../escape") << false;
    QTest::newRow("subdirectory") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("..\\escape") << false;
    QTest::newRow("drive colon") << QStringLiteral("C:escape") << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << false;
    QTest::newRow("empty") << QString() << false;
}

void TstWeatherAnalysis::cachePathStaysInside()
{
    QFETCH(QString, table);
    QFETCH(bool, allowed);
    const QString path = HWeatherAnalysis::cacheFilePath(table);
    QCOMPARE(!path.isEmpty(), allowed);
    if (allowed)
        QCOMPARE(path, cachePath(table));
    if (table.isEmpty())
        return;
    // A table of that name still analyses; no file appears outside weather/.
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), table, {2001}, wavy);
    }
    LumoWeather weather;
    HWeatherAnalysis analysis(table);
    analysis.analysisData();
    QCOMPARE(analysis.GettotalHours(), 8760);
    QCOMPARE(QFile::exists(cachePath(table)), allowed);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("escape.json"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("weather/a/b.json"))));
}

void TstWeatherAnalysis::cacheWithOtherDesignHours_data()
{
    QTest::addColumn<int>("hours");
    QTest::newRow("87 hours (1 %)") << 87;
    QTest::newRow("every hour ignored: no design hour") << 8760;
}

void TstWeatherAnalysis::cacheWithOtherDesignHours()
{
    QFETCH(int, hours);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), {2001, 2002},
                   wavy);
    }
    LumoWeather weather;
    HWeatherAnalysis with35(QStringLiteral("T"));
    with35.analysisData(); // writes the cache with 35 hours

    HWeatherAnalysis fresh87(QStringLiteral("T"));
    fresh87.setIgnoreHours(hours);
    fresh87.calculateDesignAverageTemp();

    HWeatherAnalysis cached87(QStringLiteral("T"));
    cached87.setIgnoreHours(hours);
    cached87.analysisData();
    QCOMPARE(cached87.GetIgnoreHours(), hours);
    // Served from the cache or computed afresh, the same request gives the same answer.
    QCOMPARE(cached87.GetAverageTemperature(), fresh87.GetAverageTemperature());
    QCOMPARE(cached87.GetMaxTempInMonth(), fresh87.GetMaxTempInMonth());
    QCOMPARE(cached87.GetMaxTempInDay(), fresh87.GetMaxTempInDay());
    QCOMPARE(cached87.GetMaxTempHour(), fresh87.GetMaxTempHour());
    QVERIFY(cached87.GetAverageTemperature() < with35.GetAverageTemperature());
    QCOMPARE(cached87.getStatisResult(), with35.getStatisResult());
    const QJsonObject extreme = HProject::getProject()->getWeatherExtremeData();
    QCOMPARE(extreme.value(QStringLiteral("IgnoreHours")).toInt(), hours);
    QCOMPARE(extreme.value(QStringLiteral("AverageTemperature")).toDouble(),
             fresh87.GetAverageTemperature());
}

void TstWeatherAnalysis::missingTable_data()
{
    // Statement creating the table "NoSuchTable" (none: the table is missing).
    QTest::addColumn<QString>("create");
    QTest::newRow("no such table") << QString();
    QTest::newRow("table that cannot be averaged (no humidity column)")
        << QStringLiteral("CREATE TABLE NoSuchTable (year INTEGER, month INTEGER, day INTEGER, "
                          "hour INTEGER, dry_temp REAL)");
}

void TstWeatherAnalysis::missingTable()
{
    QFETCH(QString, create);
    {
        weatherfixture::Db db(dbPath());
        if (!create.isEmpty()) {
            db.exec(create);
            db.exec(QStringLiteral("INSERT INTO NoSuchTable VALUES (2001, 1, 1, 0, 5.0)"));
        }
    }
    LumoWeather weather;
    HWeatherAnalysis analysis(QStringLiteral("NoSuchTable"));
    analysis.analysisData();
    QVERIFY(analysis.getExtremeResult().isEmpty());
    QCOMPARE(analysis.getStatisResult().size(), 1); // the single dot 0
    QVERIFY(!QFile::exists(cachePath(QStringLiteral("NoSuchTable"))));
    double dry = 0, rh = 0;
    QVERIFY(!analysis.calcuateDesignAverageTempInSummer(dry, rh));
    HWeatherAnalysis empty{QString()};
    QVERIFY(!empty.calcuateDesignAverageTempInWinter(dry, rh));
}

QTEST_GUILESS_MAIN(TstWeatherAnalysis)
#include "tst_weather_analysis.moc"
