// The shared weather connection, year lists and the averaged hourly year; setting
// the project's location without a widget.
#include "HAppPaths.h"
#include "HDatabase.h"
#include "HHour.h"
#include "HProject.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "tst_weather_fixture.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using weatherfixture::Reading;

class TstWeatherYear : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void yearCondition_data();
    void yearCondition();
    void averagedHour_data();
    void averagedHour();
    void gapsAreInterpolated_data();
    void gapsAreInterpolated();
    void leapYearTable();
    void sameTableTwiceIsSkipped();
    void tableNames_data();
    void tableNames();
    void missingDatabase();
    void setProjectLocation_data();
    void setProjectLocation();

private:
    QString dbPath() const { return m_dir->filePath(QStringLiteral("Weather.db3")); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TstWeatherYear::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    HAppPaths::setApplicationDir(m_dir->path());
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
}

void TstWeatherYear::cleanup()
{
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
    HAppPaths::setApplicationDir(QString());
    m_dir.reset();
}

void TstWeatherYear::yearCondition_data()
{
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<QString>("condition");
    QTest::newRow("two years") << QList<int>{2001, 2002}
                               << QStringLiteral(" WHERE year in(2001 , 2002) and dry_temp<100");
    QTest::newRow("one year") << QList<int>{1995}
                              << QStringLiteral(" WHERE year in(1995) and dry_temp<100");
    QTest::newRow("no year selects nothing")
        << QList<int>{} << QStringLiteral(" WHERE year in() and dry_temp<100");
}

void TstWeatherYear::yearCondition()
{
    QFETCH(QList<int>, years);
    QFETCH(QString, condition);
    QCOMPARE(LumoWeather::yearCondition(years), condition);
}

void TstWeatherYear::averagedHour_data()
{
    // Readings of 3 January 05:00 in each year (dry, humidity); 999 is invalid.
    QTest::addColumn<QList<int>>("years");
    QTest::addColumn<QList<double>>("dry");
    QTest::addColumn<QList<double>>("humidity");
    QTest::addColumn<double>("expectedDry");
    QTest::addColumn<double>("expectedHumidity");
    QTest::newRow("one year taken unchanged")
        << QList<int>{2001} << QList<double>{10.0} << QList<double>{0.4} << 10.0 << 0.4;
    QTest::newRow("two years averaged") << QList<int>{2001, 2002} << QList<double>{10.0, 14.0}
                                        << QList<double>{0.4, 0.8} << 12.0 << 0.6;
    QTest::newRow("invalid reading left out with its humidity")
        << QList<int>{2001, 2002} << QList<double>{10.0, 999.0} << QList<double>{0.4, 0.9} << 10.0
        << 0.4;
    QTest::newRow("exactly 100 is invalid")
        << QList<int>{2001, 2002, 2003} << QList<double>{9.0, 100.0, 12.0}
        << QList<double>{0.2, 1.0, 0.4} << 10.5 << 0.3;
    // Its neighbours both read 5 degrees and 0.5: so does the filled hour.
    QTest::newRow("only invalid readings: filled from the neighbouring hours")
        << QList<int>{2001} << QList<double>{999.0} << QList<double>{0.5} << 5.0 << 0.5;
}

void TstWeatherYear::averagedHour()
{
    QFETCH(QList<int>, years);
    QFETCH(QList<double>, dry);
    QFETCH(QList<double>, humidity);
    QFETCH(double, expectedDry);
    QFETCH(double, expectedHumidity);
    {
        weatherfixture::Db db(dbPath());
        // Every other hour reads 5 degrees + year offset, so the average of the rest is known.
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), years,
                   [](int y, int, int, int) {
                       return Reading{5.0 + (y - 2001), 0.5};
                   });
        for (int i = 0; i < years.size(); ++i)
            db.setReading(QStringLiteral("T"), years[i], 1, 3, 5, dry[i], humidity[i]);
    }
    HYear::year = 2015;
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("T"));
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    QCOMPARE(year->GetweatherTableName(), QStringLiteral("T"));
    QCOMPARE(HYear::year, years.first());
    BRIVANTA_COMPARE_NEAR(year->getHour(1, 3, 5)->Getdry_bulb_temperature(), expectedDry, 1e-12);
    BRIVANTA_COMPARE_NEAR(year->getHour(1, 3, 5)->Getrelative_humidity(), expectedHumidity, 1e-12);
    double meanOther = 0.0;
    for (int i = 0; i < years.size(); ++i)
        meanOther += 5.0 + (years[i] - 2001);
    meanOther /= years.size();
    BRIVANTA_COMPARE_NEAR(year->getHour(12, 31, 23)->Getdry_bulb_temperature(), meanOther, 1e-12);
    BRIVANTA_COMPARE_NEAR(year->getHour(1, 3, 4)->Getrelative_humidity(), 0.5, 1e-12);
}

void TstWeatherYear::gapsAreInterpolated_data()
{
    // Hours without a valid reading (month, day, hour), as "m-d-h" texts.
    QTest::addColumn<QStringList>("gaps");
    QTest::newRow("one July hour") << QStringList{"7-15-14"};
    QTest::newRow("three hours in a row") << QStringList{"1-3-5", "1-3-6", "1-3-7"};
    QTest::newRow("first hours of the year, from 31 December") << QStringList{"1-1-0", "1-1-1"};
    QTest::newRow("last hour of the year, towards 1 January") << QStringList{"12-31-23"};
    QTest::newRow("two gaps") << QStringList{"3-1-0", "10-10-10", "10-10-11"};
}

void TstWeatherYear::gapsAreInterpolated()
{
    QFETCH(QStringList, gaps);
    // A reading for every hour that differs from its neighbours: hour index i of the
    // year reads 10 + (i mod 7) degrees and 0.30 + (i mod 5) / 10.
    const auto dry = [](int i) {
        return 10.0 + (i % 7);
    };
    const auto humidity = [](int i) {
        return 0.3 + (i % 5) / 10.0;
    };
    QSet<int> missing;
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), {2001},
                   [&](int, int m, int d, int h) {
                       const int i = weatherfixture::hourIndex(m, d, h);
                       return Reading{dry(i), humidity(i)};
                   });
        for (const QString& gap : gaps) {
            const QStringList mdh = gap.split('-');
            db.setReading(QStringLiteral("T"), 2001, mdh[0].toInt(), mdh[1].toInt(), mdh[2].toInt(),
                          999.0, 0.9);
            missing.insert(
                weatherfixture::hourIndex(mdh[0].toInt(), mdh[1].toInt(), mdh[2].toInt()));
        }
    }
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("T"));
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    QCOMPARE(weather.filledHours(), gaps.size());

    // Each hour of a gap lies on the straight line between the last hour before it and
    // the first hour after it that have readings, counted across the year's end.
    for (int i = 0; i < 8760; ++i) {
        double expectedDry = dry(i);
        double expectedHumidity = humidity(i);
        if (missing.contains(i)) {
            int before = i, after = i, stepsBack = 0, stepsOn = 0;
            while (missing.contains(before)) {
                before = (before + 8759) % 8760;
                ++stepsBack;
            }
            while (missing.contains(after)) {
                after = (after + 1) % 8760;
                ++stepsOn;
            }
            const double t = double(stepsBack) / (stepsBack + stepsOn);
            expectedDry = dry(before) + t * (dry(after) - dry(before));
            expectedHumidity = humidity(before) + t * (humidity(after) - humidity(before));
        }
        HHour* hour = year->at(i);
        BRIVANTA_COMPARE_NEAR(hour->Getdry_bulb_temperature(), expectedDry, 1e-12);
        BRIVANTA_COMPARE_NEAR(hour->Getrelative_humidity(), expectedHumidity, 1e-12);
    }
    // By hand for the July hour: 15 July is day 196, so the hour's index is
    // 195 x 24 + 14 = 4694; its neighbours 4693 and 4695 read 13 and 15 degrees
    // (4693 mod 7 = 3) and 0.6 and 0.3 (4693 mod 5 = 3): the gap takes 14 and 0.45.
    if (gaps == QStringList{"7-15-14"}) {
        QCOMPARE(weatherfixture::hourIndex(7, 15, 14), 4694);
        BRIVANTA_COMPARE_NEAR(year->getHour(7, 15, 14)->Getdry_bulb_temperature(), 14.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(year->getHour(7, 15, 14)->Getrelative_humidity(), 0.45, 1e-12);
    }
}

void TstWeatherYear::leapYearTable()
{
    {
        weatherfixture::Db db(dbPath());
        // 2019 and the leap year 2020: each hour reads its day of the month.
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("Leap"),
                   {2019, 2020}, [](int, int, int d, int h) {
                       return Reading{double(d) + h / 100.0, 0.5};
                   });
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from Leap where month = 2 and day = 29"))
                     .toInt(),
                 24);
    }
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("Leap"));
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    int filled = 0;
    for (HHour* h : *year)
        filled += h->Getdry_bulb_temperature() > 0.0 ? 1 : 0;
    QCOMPARE(filled, 8760);
    BRIVANTA_COMPARE_NEAR(year->getHour(2, 28, 23)->Getdry_bulb_temperature(), 28.23, 1e-12);
    BRIVANTA_COMPARE_NEAR(year->getHour(3, 1, 0)->Getdry_bulb_temperature(), 1.0, 1e-12);
    QCOMPARE(year->getHour(2, 29, 0), static_cast<HHour*>(nullptr));
}

void TstWeatherYear::sameTableTwiceIsSkipped()
{
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("T"), {2001},
                   [](int, int, int, int) {
                       return Reading{7.0, 0.5};
                   });
    }
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("T"));
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    year->getHour(6, 1, 12)->setdry_bulb_temperature(-3.0);
    QVERIFY(!weather.initYearWeatherData(year));
    QCOMPARE(year->getHour(6, 1, 12)->Getdry_bulb_temperature(), -3.0);
    QVERIFY(!weather.initYearWeatherData(nullptr));
}

void TstWeatherYear::tableNames_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("usable");
    QTest::newRow("apostrophe") << QStringLiteral("CAN_St. John's") << true;
    QTest::newRow("spaces and quotes") << QStringLiteral("a \"b\" c") << true;
    QTest::newRow("closing bracket is refused")
        << QStringLiteral("x] ; drop table tb_glb_idx; --") << false;
}

void TstWeatherYear::tableNames()
{
    QFETCH(QString, table);
    QFETCH(bool, usable);
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("C"), QStringLiteral("City"), QStringLiteral("Plain"), {2001},
                   [](int, int, int, int) {
                       return Reading{7.0, 0.5};
                   });
        if (usable)
            db.addCity(QStringLiteral("C"), QStringLiteral("Other"), table, {2003, 2004},
                       [](int, int, int, int) {
                           return Reading{9.0, 0.5};
                       });
    }
    LumoWeather weather;
    weather.setWeatherTableName(table);
    QList<int> years;
    QCOMPARE(weather.findAllYearList(years), usable);
    const QList<int> expectedYears = usable ? QList<int>{2003, 2004} : QList<int>();
    QCOMPARE(years, expectedYears);
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    QCOMPARE(year->getHour(7, 7, 7)->Getdry_bulb_temperature(), usable ? 9.0 : 0.0);
    // The index is intact whatever the name held.
    QVERIFY(LumoWeather::getWeatherDB()->tableIsExist(QStringLiteral("tb_glb_idx")));
}

void TstWeatherYear::missingDatabase()
{
    LumoWeather::setWeatherDbPath(m_dir->filePath(QStringLiteral("missing.db3")));
    LumoWeather weather;
    weather.setWeatherTableName(QStringLiteral("T"));
    QList<int> years;
    QVERIFY(!weather.findAllYearList(years));
    QSqlQuery q = weather.weatherQuery(QStringLiteral("select 1"));
    QVERIFY(!q.next());
    HYear* year = HProject::getProject()->getYear();
    year->getHour(1, 1, 0)->setdry_bulb_temperature(12.0);
    QVERIFY(weather.initYearWeatherData(year));
    QCOMPARE(year->getHour(1, 1, 0)->Getdry_bulb_temperature(), 0.0);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("missing.db3"))));
}

void TstWeatherYear::setProjectLocation_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("city");
    QTest::addColumn<bool>("found");
    QTest::newRow("apostrophe in the city")
        << QStringLiteral("China") << QStringLiteral("Xi'an") << true;
    QTest::newRow("apostrophe in the country")
        << QStringLiteral("Côte d'Ivoire") << QStringLiteral("Abidjan") << true;
    QTest::newRow("unknown city") << QStringLiteral("China") << QStringLiteral("Atlantis") << false;
    QTest::newRow("country and city in another case")
        << QStringLiteral("CHINA") << QStringLiteral("xi'an") << true;
    QTest::newRow("exact case of one of two tables")
        << QStringLiteral("China") << QStringLiteral("Twin") << true;
    QTest::newRow("another case matching two tables is not guessed")
        << QStringLiteral("china") << QStringLiteral("twin") << false;
    QTest::newRow("quote injection finds nothing")
        << QStringLiteral("China") << QStringLiteral("x' or '1'='1") << false;
    // An index row is not weather: a year of 0 degrees must not pass as data.
    QTest::newRow("index row whose table is missing")
        << QStringLiteral("China") << QStringLiteral("Ghost") << false;
    QTest::newRow("table without a valid reading")
        << QStringLiteral("China") << QStringLiteral("Broken") << false;
}

void TstWeatherYear::setProjectLocation()
{
    QFETCH(QString, country);
    QFETCH(QString, city);
    QFETCH(bool, found);
    {
        weatherfixture::Db db(dbPath());
        // Temperature = day of the year / 10: maximum 36.5 on 31 December.
        db.addCity(QStringLiteral("China"), QStringLiteral("Xi'an"), QStringLiteral("CHN_XiAn"),
                   {2001}, [](int, int m, int d, int) {
                       return Reading{QDate(2001, m, d).dayOfYear() / 10.0, 0.5};
                   });
        db.addCity(QStringLiteral("Côte d'Ivoire"), QStringLiteral("Abidjan"),
                   QStringLiteral("CIV_Abidjan"), {2001}, [](int, int m, int d, int) {
                       return Reading{QDate(2001, m, d).dayOfYear() / 10.0, 0.5};
                   });
        db.exec(QStringLiteral("INSERT INTO tb_glb_idx (nation, city, tableName) VALUES (?, ?, ?)"),
                {QStringLiteral("China"), QStringLiteral("Ghost"), QStringLiteral("CHN_Ghost")});
        db.addCity(QStringLiteral("China"), QStringLiteral("Twin"), QStringLiteral("CHN_Twin"),
                   {2001}, [](int, int m, int d, int) {
                       return Reading{QDate(2001, m, d).dayOfYear() / 10.0, 0.5};
                   });
        db.addCity(QStringLiteral("CHINA"), QStringLiteral("TWIN"), QStringLiteral("CHN_TWIN_2"),
                   {2001}, [](int, int, int, int) {
                       return Reading{20.0, 0.5};
                   });
        db.addCity(QStringLiteral("China"), QStringLiteral("Broken"), QStringLiteral("CHN_Broken"),
                   {2001}, [](int, int, int, int) {
                       return Reading{999.0, 0.5};
                   });
    }
    LumoWeather weather;
    HProject* project = HProject::getProject();
    project->getYear()->getHour(2, 1, 3)->setdry_bulb_temperature(-7.0);
    project->setisHave8760WeatherData(!found);
    HWeatherLocation::Result result;
    QCOMPARE(HWeatherLocation::setProjectLocation(country, city, 35, &result), found);
    QCOMPARE(project->GetisHave8760WeatherData(), found);
    QCOMPARE(result.found, found);
    if (!found) {
        QCOMPARE(project->Getmax_temp(), 31.9); // untouched default
        QCOMPARE(project->getYear()->getHour(2, 1, 3)->Getdry_bulb_temperature(), -7.0);
        QVERIFY(project->getWeatherExtremeData().isEmpty());
        return;
    }
    BRIVANTA_COMPARE_NEAR(project->Getmax_temp(), 36.5, 1e-12);
    BRIVANTA_COMPARE_NEAR(project->Getmin_temp(), 0.1, 1e-12);
    // 35 hotter hours: the whole of 31 December and 11 hours of 30 December.
    BRIVANTA_COMPARE_NEAR(project->Getaverage_temp(), 36.4, 1e-12);
    BRIVANTA_COMPARE_NEAR(result.designTemp, 36.4, 1e-12);
    BRIVANTA_COMPARE_NEAR(project->getYear()->getHour(2, 1, 3)->Getdry_bulb_temperature(), 3.2,
                          1e-12);
    QVERIFY(
        QFile::exists(m_dir->filePath(QStringLiteral("weather/%1.json").arg(result.tableName))));
}

QTEST_GUILESS_MAIN(TstWeatherYear)
#include "tst_weather_year.moc"
