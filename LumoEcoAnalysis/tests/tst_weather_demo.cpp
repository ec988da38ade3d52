// The demo weather database built from the monthly normals: coverage, climates,
// and that every city analyses and fills a project year.
#include "HAppPaths.h"
#include "HDatabase.h"
#include "HHour.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TestSupport.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TstWeatherDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void coverage();
    void climates_data();
    void climates();
    void everyCityAnalyses();

private:
    QTemporaryDir m_dir;
};

void TstWeatherDemo::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path()); // the analysis cache goes here
    // A copy: the demo database is built from data/ for the tests alone, and stays as built.
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"),
                        m_dir.filePath(QStringLiteral("Weather.db3"))));
    LumoWeather::setWeatherDbPath(m_dir.filePath(QStringLiteral("Weather.db3")));
    QVERIFY(LumoWeather::getWeatherDB()->isVilidDatabase());
}

void TstWeatherDemo::cleanupTestCase()
{
    LumoWeather::setWeatherDbPath(QString());
    HAppPaths::setApplicationDir(QString());
    HProject::reset();
}

void TstWeatherDemo::coverage()
{
    QSet<QString> countries;
    int cities = 0;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select nation, city from tb_glb_idx"));
    while (q.next()) {
        countries.insert(q.value(0).toString());
        ++cities;
    }
    QVERIFY2(cities >= 30, qPrintable(QString::number(cities)));
    QVERIFY2(countries.size() >= 15, qPrintable(QString::number(countries.size())));
    QCOMPARE(HWeatherLocation::findCityTable(QStringLiteral("China"), QStringLiteral("Xi'an")),
             QStringLiteral("CHN_XiAn"));
    QCOMPARE(
        HWeatherLocation::findCityTable(QStringLiteral("Canada"), QStringLiteral("St. John's")),
        QStringLiteral("CAN_StJohns"));
    // Several years per city, and leap-day rows in the tables that include 2020.
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("CHN_Beijing"));
    QList<int> years;
    QVERIFY(weather.findAllYearList(years));
    QVERIFY(years.size() >= 2);
    QSqlQuery leap = weather.weatherQuery(
        QStringLiteral("select count(*) from CHN_Beijing where month = 2 and day = 29"));
    QVERIFY(leap.next());
    QCOMPARE(leap.value(0).toInt(), 24);
}

void TstWeatherDemo::climates_data()
{
    // Loose bounds on the averaged year: each climate keeps its character.
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("city");
    QTest::addColumn<double>("minAbove");
    QTest::addColumn<double>("maxBelow");
    QTest::addColumn<double>("meanHumidityAbove");
    QTest::addColumn<double>("meanHumidityBelow");
    QTest::newRow("hot-humid Singapore") << "Singapore"
                                         << "Singapore" << 20.0 << 37.0 << 0.70 << 0.95;
    QTest::newRow("hot-dry Riyadh") << "Saudi Arabia"
                                    << "Riyadh" << 2.0 << 50.0 << 0.15 << 0.40;
    QTest::newRow("temperate London") << "United Kingdom"
                                      << "London" << -6.0 << 32.0 << 0.65 << 0.85;
    QTest::newRow("cold Harbin") << "China"
                                 << "Harbin" << -35.0 << 36.0 << 0.50 << 0.75;
    QTest::newRow("high-altitude La Paz") << "Bolivia"
                                          << "La Paz" << -12.0 << 23.0 << 0.40 << 0.65;
}

void TstWeatherDemo::climates()
{
    QFETCH(QString, country);
    QFETCH(QString, city);
    QFETCH(double, minAbove);
    QFETCH(double, maxBelow);
    QFETCH(double, meanHumidityAbove);
    QFETCH(double, meanHumidityBelow);
    HProject::reset();
    LumoWeather weather;
    HWeatherLocation::Result result;
    QVERIFY(HWeatherLocation::setProjectLocation(country, city, 35, &result));
    QVERIFY2(result.minTemp > minAbove && result.maxTemp < maxBelow,
             qPrintable(QStringLiteral("%1 .. %2").arg(result.minTemp).arg(result.maxTemp)));
    double humidity = 0.0;
    for (HHour* h : *HProject::getProject()->getYear())
        humidity += h->Getrelative_humidity();
    humidity /= 8760.0;
    QVERIFY2(humidity > meanHumidityAbove && humidity < meanHumidityBelow,
             qPrintable(QString::number(humidity)));
}

void TstWeatherDemo::everyCityAnalyses()
{
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select tableName from tb_glb_idx"));
    int n = 0;
    while (q.next()) {
        HWeatherAnalysis analysis(q.value(0).toString());
        analysis.analysisData();
        QCOMPARE(analysis.GettotalHours(), 8760);
        QVERIFY(analysis.GetMinTemperature() < analysis.GetAverageTemperature());
        QVERIFY(analysis.GetAverageTemperature() < analysis.GetMaxTemperature());
        int total = 0;
        for (const QJsonValue& v : analysis.getStatisResult())
            total += v.toObject().value(QStringLiteral("total_times")).toInt();
        QCOMPARE(total, 8760);
        ++n;
    }
    QVERIFY(n >= 30);
}

QTEST_GUILESS_MAIN(TstWeatherDemo)
#include "tst_weather_demo.moc"
