// Import of EPW and TMY3 weather files into the weather database.
#include "HAppPaths.h"
#include "HDatabase.h"
#include "HHour.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "HWeatherImport.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "tst_weather_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

struct EpwRow
{
    int year, month, day, hour; // hour 1..24
    QString dry, rh;
};

// A full EPW typical year whose months come from different years (January
// 1995, February 1983, ...); dry-bulb = month + hour / 100, humidity 79 %.
QList<EpwRow> typicalYear(double offset = 0.0)
{
    static const int sourceYear[12] = {1995, 1983, 1985, 1985, 1990, 1995,
                                       1996, 1999, 1982, 1982, 1985, 1985};
    QList<EpwRow> rows;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= QDate(2001, m, 1).daysInMonth(); ++d)
            for (int h = 1; h <= 24; ++h)
                rows.append({sourceYear[m - 1], m, d, h,
                             QString::number(m + h / 100.0 + offset, 'f', 2),
                             QStringLiteral("79")});
    return rows;
}

QByteArray epwText(const QList<EpwRow>& rows)
{
    QByteArray text = "LOCATION,TESTVILLE,-,TST,Test Data,000000,52.30,4.77,1.0,-2.0\n"
                      "DESIGN CONDITIONS,0\n"
                      "TYPICAL/EXTREME PERIODS,0\n"
                      "GROUND TEMPERATURES,0\n"
                      "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\n"
                      "COMMENTS 1,test file\n"
                      "COMMENTS 2,\n"
                      "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
    for (const EpwRow& r : rows)
        text +=
            QStringLiteral(
                "%1,%2,%3,%4,60,A7A7A7A7*0?9?9?9?9?9?9?9A7A7A7A7A7A7*0E8*0*0,%5,1.8,%6,100100,0,"
                "1415,"
                "288,0,0,0,0,0,0,0,340,6.7,6,6,20.0,420,9,999999999,0,0.0500,0,88,0.000,0.0,0.0\n")
                .arg(r.year)
                .arg(r.month)
                .arg(r.day)
                .arg(r.hour)
                .arg(r.dry, r.rh)
                .toLatin1();
    return text;
}

QStringList tableList(HDatabase* db)
{
    QStringList names;
    QSqlQuery q = db->query(
        QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
    while (q.next())
        names.append(q.value(0).toString());
    return names;
}

// A TMY3 CSV file with the columns the import reads: `hours` hours from 1 January
// 01:00, 10 degrees and 77 %.
QByteArray tmy3Text(int hours)
{
    QByteArray text = "723170,\"TEST STATION\",NC,-5.0,36.100,-79.950,273\n"
                      "Date (MM/DD/YYYY),Time (HH:MM),Dry-bulb (C),Dry-bulb source,RHum (%)\n";
    QDateTime t(QDate(1991, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < hours; ++i) {
        // The hour ending at 24:00 keeps the date of its day.
        const QDateTime end = t.addSecs(3600);
        const bool midnight = end.time().hour() == 0;
        text += QStringLiteral("%1,%2:00,10.0,A,77\n")
                    .arg(t.date().toString(QStringLiteral("MM/dd/yyyy")))
                    .arg(midnight ? 24 : end.time().hour(), 2, 10, QLatin1Char('0'))
                    .toLatin1();
        t = end;
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(HWeatherImport::Format)

class TstWeatherImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typicalYearUnderOneYear();
    void textVariants_data();
    void textVariants();
    void storedReadings_data();
    void storedReadings();
    void severalYears();
    void badFile_data();
    void badFile();
    void gapWarnings_data();
    void gapWarnings();
    void reimportReplacesTableAndCache();
    void failedImportChangesNothing_data();
    void failedImportChangesNothing();
    void tableNames_data();
    void tableNames();
    void newDatabaseFile();
    void realFiles_data();
    void realFiles();

private:
    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir->filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
        return path;
    }
    QString dbPath() const { return m_dir->filePath(QStringLiteral("Weather.db3")); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TstWeatherImport::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    HAppPaths::setApplicationDir(m_dir->path());
    HProject::reset();
    {
        weatherfixture::Db db(dbPath());
        db.addCity(QStringLiteral("Existing"), QStringLiteral("Town"), QStringLiteral("EX_Town"),
                   {2001}, [](int, int, int, int) {
                       return weatherfixture::Reading{5.0, 0.5};
                   });
    }
    LumoWeather::setWeatherDbPath(dbPath());
}

void TstWeatherImport::cleanup()
{
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
    HAppPaths::setApplicationDir(QString());
    m_dir.reset();
}

void TstWeatherImport::typicalYearUnderOneYear()
{
    HWeatherImport import;
    QVERIFY2(import.readFile(writeFile(QStringLiteral("t.epw"), epwText(typicalYear()))),
             qPrintable(import.errorString()));
    QCOMPARE(import.format(), HWeatherImport::Format::Epw);
    QCOMPARE(import.defaultCity(), QStringLiteral("TESTVILLE"));
    QCOMPARE(import.defaultCountry(), QStringLiteral("TST"));
    QCOMPARE(import.readings().size(), 8760);
    QCOMPARE(import.invalidReadings(), 0);
    const HWeatherImport::Reading& first = import.readings().first();
    QCOMPARE(first.hour, 0); // EPW hour 1 ends at 01:00
    QCOMPARE(import.readings().last().hour, 23);
    BRIVANTA_COMPARE_NEAR(first.humidity, 0.79, 1e-12);
    BRIVANTA_COMPARE_NEAR(first.dryTemp, 1.01, 1e-12);

    QVERIFY2(import.writeToDatabase(), qPrintable(import.errorString()));
    QCOMPARE(import.tableName(), QStringLiteral("TST_TESTVILLE"));
    HDatabase* db = LumoWeather::getWeatherDB();
    QSqlQuery years = db->query(QStringLiteral("select distinct year from TST_TESTVILLE"));
    QVERIFY(years.next());
    QCOMPARE(years.value(0).toInt(), 1995); // the first row's year
    QVERIFY(!years.next());

    // The imported city fills the project's year hour by hour.
    LumoWeather weather;
    HWeatherLocation::Result result;
    QVERIFY(HWeatherLocation::setProjectLocation(QStringLiteral("TST"), QStringLiteral("TESTVILLE"),
                                                 35, &result));
    BRIVANTA_COMPARE_NEAR(
        HProject::getProject()->getYear()->getHour(7, 4, 9)->Getdry_bulb_temperature(), 7.10, 1e-9);
    BRIVANTA_COMPARE_NEAR(result.maxTemp, 12.24, 1e-9);
    BRIVANTA_COMPARE_NEAR(result.minTemp, 1.01, 1e-9);
}

void TstWeatherImport::textVariants_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("city");
    QTest::addColumn<HWeatherImport::Format>("format");
    const HWeatherImport::Format epw = HWeatherImport::Format::Epw;
    const QByteArray plain = epwText(typicalYear());
    QTest::newRow("UTF-8 byte order mark")
        << QByteArray("\xEF\xBB\xBF") + plain << QStringLiteral("TESTVILLE") << epw;
    QByteArray crlf = plain;
    crlf.replace("\n", "\r\n");
    QTest::newRow("Windows line ends") << crlf << QStringLiteral("TESTVILLE") << epw;
    QByteArray latin1 = plain;
    latin1.replace("TESTVILLE", "K\xD6LN"); // KÖLN in Latin-1
    QTest::newRow("Latin-1 station name") << latin1 << QStringLiteral("K\u00D6LN") << epw;
    QTest::newRow("TMY3 CSV, quoted station name")
        << tmy3Text(8760) << QStringLiteral("TEST STATION") << HWeatherImport::Format::Tmy3;
}

void TstWeatherImport::textVariants()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, city);
    QFETCH(HWeatherImport::Format, format);
    HWeatherImport import;
    QVERIFY2(import.readFile(writeFile(QStringLiteral("v.epw"), content)),
             qPrintable(import.errorString()));
    QCOMPARE(import.format(), format);
    QCOMPARE(import.defaultCity(), city);
    QCOMPARE(import.readings().size(), 8760);
}

void TstWeatherImport::storedReadings_data()
{
    QTest::addColumn<QString>("dry");
    QTest::addColumn<QString>("rh");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<double>("humidity"); // stored fraction of a valid reading
    QTest::newRow("valid reading")
        << QStringLiteral("-4.5") << QStringLiteral("100") << false << 1.0;
    QTest::newRow("70 degrees, the highest accepted")
        << QStringLiteral("70") << QStringLiteral("5") << false << 0.05;
    QTest::newRow("-90 degrees, the lowest accepted")
        << QStringLiteral("-90") << QStringLiteral("0") << false << 0.0;
    QTest::newRow("humidity 110 % read as saturated")
        << QStringLiteral("3.0") << QStringLiteral("110") << false << 1.0;
    QTest::newRow("missing dry-bulb 99.9")
        << QStringLiteral("99.9") << QStringLiteral("79") << true << 0.0;
    QTest::newRow("missing humidity 999")
        << QStringLiteral("3.0") << QStringLiteral("999") << true << 0.0;
}

void TstWeatherImport::storedReadings()
{
    QFETCH(QString, dry);
    QFETCH(QString, rh);
    QFETCH(bool, invalid);
    QFETCH(double, humidity);
    QList<EpwRow> rows = typicalYear();
    const int i = weatherfixture::hourIndex(1, 3, 5); // 3 January, EPW hour 6
    QCOMPARE(rows[i].hour, 6);
    rows[i].dry = dry;
    rows[i].rh = rh;
    HWeatherImport import;
    QVERIFY2(import.importFile(writeFile(QStringLiteral("m.epw"), epwText(rows))),
             qPrintable(import.errorString()));
    QCOMPARE(import.invalidReadings(), invalid ? 1 : 0);
    HDatabase* db = LumoWeather::getWeatherDB();
    QSqlQuery q = db->query(QStringLiteral(
        "select dry_temp, Humidity from TST_TESTVILLE where month = 1 and day = 3 and hour = 5"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), invalid ? 999.0 : dry.toDouble());
    BRIVANTA_COMPARE_NEAR(q.value(1).toDouble(), humidity, 1e-12);

    // The averaged year fills the invalid hour from its neighbours, 1.05 and 1.07
    // degrees (EPW hours 5 and 7 of January); they are intact.
    LumoWeather weather;
    weather.setWeatherTableName(import.tableName());
    HYear* year = HProject::getProject()->getYear();
    QVERIFY(weather.initYearWeatherData(year));
    BRIVANTA_COMPARE_NEAR(year->getHour(1, 3, 5)->Getdry_bulb_temperature(),
                          invalid ? 1.06 : dry.toDouble(), 1e-12);
    BRIVANTA_COMPARE_NEAR(year->getHour(1, 3, 6)->Getdry_bulb_temperature(), 1.07, 1e-12);
}

void TstWeatherImport::severalYears()
{
    // 2019 and the leap year 2020, hour by hour: dry-bulb = month + hour / 100 in 2019
    // and 2 degrees more in 2020; 29 February 2020 reads 50 degrees.
    QList<EpwRow> rows;
    for (const int y : {2019, 2020})
        for (QDate d(y, 1, 1); d.year() == y; d = d.addDays(1))
            for (int h = 1; h <= 24; ++h) {
                const bool leapDay = d.month() == 2 && d.day() == 29;
                const double t = leapDay ? 50.0 : d.month() + (h - 1) / 100.0 + 2.0 * (y - 2019);
                rows.append(
                    {y, d.month(), d.day(), h, QString::number(t, 'f', 2), QStringLiteral("60")});
            }
    HWeatherImport import;
    QVERIFY2(import.importFile(writeFile(QStringLiteral("years.epw"), epwText(rows))),
             qPrintable(import.errorString()));
    QCOMPARE(import.readings().size(), 8760 + 8784);
    HDatabase* db = LumoWeather::getWeatherDB();
    QSqlQuery q = db->query(
        QStringLiteral("select year, count(*) from TST_TESTVILLE group by year order by year"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 2019);
    QCOMPARE(q.value(1).toInt(), 8760);
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 2020);
    QCOMPARE(q.value(1).toInt(), 8784);
    QVERIFY(!q.next());
    q.finish();

    // The averaged year: 1 degree above 2019's readings, 29 February left out.
    LumoWeather weather;
    HWeatherAnalysis analysis(import.tableName());
    analysis.analysisData();
    QCOMPARE(analysis.GettotalHours(), 8760);
    BRIVANTA_COMPARE_NEAR(analysis.GetMaxTemperature(), 13.23, 1e-12);
    BRIVANTA_COMPARE_NEAR(analysis.GetMinTemperature(), 2.0, 1e-12);
    QVERIFY(HWeatherLocation::setProjectLocation(QStringLiteral("TST"), QStringLiteral("TESTVILLE"),
                                                 35));
    HYear* year = HProject::getProject()->getYear();
    BRIVANTA_COMPARE_NEAR(year->getHour(2, 28, 23)->Getdry_bulb_temperature(), 3.23, 1e-12);
    BRIVANTA_COMPARE_NEAR(year->getHour(3, 1, 0)->Getdry_bulb_temperature(), 4.0, 1e-12);
}

void TstWeatherImport::badFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QList<EpwRow> good = typicalYear();
    const QByteArray full = epwText(good);

    QTest::newRow("cut-off last line")
        << full.left(full.size() - 120) << QStringLiteral("line 8768:");
    QTest::newRow("file ends early")
        << epwText(good.mid(0, 100))
        << QStringLiteral("line 108: the file ends with 100 of the 8760");
    QList<EpwRow> rows = good;
    rows[9].month = 13;
    QTest::newRow("month 13") << epwText(rows) << QStringLiteral("line 18: month 13");
    rows = good;
    rows[19].dry = QStringLiteral("abc");
    QTest::newRow("temperature not a number")
        << epwText(rows) << QStringLiteral("line 28: the dry-bulb temperature 'abc'");
    rows = good;
    rows[30].hour = 0;
    QTest::newRow("hour 0") << epwText(rows) << QStringLiteral("line 39: hour 0");
    rows = good;
    rows[40].day = 31;
    rows[40].month = 4;
    QTest::newRow("31 April") << epwText(rows)
                              << QStringLiteral("line 49: day 31 does not exist in month 4");
    rows = good;
    rows[50].dry = QStringLiteral("70.1");
    QTest::newRow("70.1 degrees") << epwText(
        rows) << QStringLiteral("line 59: dry-bulb temperature 70.1 is out of range");
    rows = good;
    rows[60].dry = QStringLiteral("-90.5");
    QTest::newRow("-90.5 degrees")
        << epwText(rows) << QStringLiteral("line 69: dry-bulb temperature -90.5 is out of range");
    rows = good;
    rows[70].rh = QStringLiteral("110.5");
    QTest::newRow("humidity 110.5 %")
        << epwText(rows) << QStringLiteral("line 79: relative humidity 110.5 % is out of range");
    rows = good;
    rows[80].rh = QStringLiteral("-1");
    QTest::newRow("humidity -1 %")
        << epwText(rows) << QStringLiteral("line 89: relative humidity -1 % is out of range");
    rows = good;
    rows.append(rows[100]);
    QTest::newRow("hour twice") << epwText(rows) << QStringLiteral("line 8769:");
    QTest::newRow("no LOCATION line")
        << full.mid(full.indexOf('\n') + 1) << QStringLiteral("line 1:");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("line 1:");
    QTest::newRow("TMY3 ends early")
        << tmy3Text(100) << QStringLiteral("line 102: the file ends with 100 of the 8760");
    const QByteArray tmy3 = tmy3Text(8760);
    QTest::newRow("TMY3 cut-off last line")
        << tmy3.left(tmy3.size() - 7) << QStringLiteral("line 8762: 3 fields");
    // A file of 8760 invalid readings would give a year made up from nothing.
    rows = good;
    for (EpwRow& r : rows)
        r.dry = QStringLiteral("99.9");
    QTest::newRow("no valid dry-bulb temperature")
        << epwText(rows)
        << QStringLiteral("line 8768: none of the 8760 readings has a valid dry-bulb temperature");
    rows = good;
    for (EpwRow& r : rows)
        r.rh = QStringLiteral("999");
    QTest::newRow("no valid humidity")
        << epwText(rows)
        << QStringLiteral("line 8768: none of the 8760 readings has both a valid dry-bulb "
                          "temperature and a valid humidity");
}

void TstWeatherImport::badFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    HDatabase* db = LumoWeather::getWeatherDB();
    const QStringList tablesBefore = tableList(db);
    HWeatherImport import;
    QVERIFY(!import.importFile(writeFile(QStringLiteral("bad.epw"), content)));
    QVERIFY2(import.errorString().contains(message), qPrintable(import.errorString()));
    QVERIFY2(import.errorString().startsWith(QStringLiteral("bad.epw: ")),
             qPrintable(import.errorString()));
    QCOMPARE(tableList(db), tablesBefore);
    QCOMPARE(db->query(QStringLiteral("select count(*) from tb_glb_idx")).next(), true);
    QSqlQuery count = db->query(QStringLiteral("select count(*) from tb_glb_idx"));
    QVERIFY(count.next());
    QCOMPARE(count.value(0).toInt(), 1);
    QVERIFY(!import.writeToDatabase()); // nothing parsed, nothing written
}

void TstWeatherImport::gapWarnings_data()
{
    // Hour indexes of the year whose dry bulb is missing (99.9).
    QTest::addColumn<QList<int>>("missing");
    QTest::addColumn<bool>("warns");

    QTest::newRow("one hour") << QList<int>{4694} << false;
    QList<int> day;
    for (int i = 100; i < 124; ++i)
        day << i;
    QTest::newRow("24 hours in a row") << day << false;
    QTest::newRow("25 hours in a row") << (day << 124) << true;
    QList<int> across{8759, 8758, 8757};
    for (int i = 0; i < 22; ++i)
        across << i;
    QTest::newRow("25 hours across the end of the year") << across << true;
    // 438 hours are 5.0 % of 8760; every 20th hour keeps the gaps short.
    QList<int> scattered;
    for (int i = 0; i < 438; ++i)
        scattered << i * 20;
    QTest::newRow("5.0 % scattered") << scattered << false;
    QTest::newRow("5.0 % and one hour more") << (scattered << 8749) << true;
}

void TstWeatherImport::gapWarnings()
{
    QFETCH(QList<int>, missing);
    QFETCH(bool, warns);
    QList<EpwRow> rows = typicalYear();
    for (int i : missing)
        rows[i].dry = QStringLiteral("99.9");
    HWeatherImport import;
    QVERIFY2(import.importFile(writeFile(QStringLiteral("gaps.epw"), epwText(rows))),
             qPrintable(import.errorString()));
    QCOMPARE(import.gapHours(), missing.size());
    QCOMPARE(import.warnings().size(), warns ? 1 : 0);
    if (warns)
        QVERIFY2(import.warnings().first().startsWith(
                     QStringLiteral("%1 of the 8760 hours").arg(missing.size())),
                 qPrintable(import.warnings().first()));
}

void TstWeatherImport::reimportReplacesTableAndCache()
{
    const QString country = QStringLiteral("Canada");
    const QString city = QStringLiteral("St. John's");
    HWeatherImport first;
    QVERIFY2(
        first.importFile(writeFile(QStringLiteral("a.epw"), epwText(typicalYear())), country, city),
        qPrintable(first.errorString()));
    const QString table = first.tableName();
    QCOMPARE(table, QStringLiteral("Canada_St_Johns"));
    QCOMPARE(HWeatherLocation::findCityTable(country, city), table);

    LumoWeather weather;
    HWeatherAnalysis analysis(table);
    analysis.analysisData();
    const QString cache = HWeatherAnalysis::cacheFilePath(table);
    QVERIFY(QFile::exists(cache));
    QVERIFY(HWeatherLocation::setProjectLocation(country, city, 35));
    HYear* year = HProject::getProject()->getYear();
    BRIVANTA_COMPARE_NEAR(year->getHour(7, 4, 9)->Getdry_bulb_temperature(), 7.10, 1e-9);

    HWeatherImport second;
    QVERIFY2(second.importFile(writeFile(QStringLiteral("b.epw"), epwText(typicalYear(10.0))),
                               country, city),
             qPrintable(second.errorString()));
    QCOMPARE(second.tableName(), table);
    QVERIFY(!QFile::exists(cache));
    HDatabase* db = LumoWeather::getWeatherDB();
    QSqlQuery q =
        db->query(QStringLiteral("select count(*), max(dry_temp) from [Canada_St_Johns]"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 8760);
    BRIVANTA_COMPARE_NEAR(q.value(1).toDouble(), 22.24, 1e-12);
    QSqlQuery idx =
        db->query(QStringLiteral("select count(*) from tb_glb_idx where city = ?"), {city});
    QVERIFY(idx.next());
    QCOMPARE(idx.value(0).toInt(), 1);

    HWeatherAnalysis again(table);
    again.analysisData();
    BRIVANTA_COMPARE_NEAR(again.GetMaxTemperature(), 22.24, 1e-12);

    // The project's year held the old readings: setting the location again refills it.
    QVERIFY(HWeatherLocation::setProjectLocation(country, city, 35));
    BRIVANTA_COMPARE_NEAR(year->getHour(7, 4, 9)->Getdry_bulb_temperature(), 17.10, 1e-9);
    BRIVANTA_COMPARE_NEAR(HProject::getProject()->Getmax_temp(), 22.24, 1e-9);
}

void TstWeatherImport::failedImportChangesNothing_data()
{
    QTest::addColumn<QString>("trap");
    QTest::addColumn<QString>("city"); // of country "Existing"; "Town" is the table EX_Town
    QTest::addColumn<QString>("message");
    // The index refuses new rows: the import fails at its last statement, after the
    // old table was dropped and refilled inside the transaction.
    QTest::newRow("index refuses the new row") << "index"
                                               << "Town"
                                               << "index";
    // The database runs full while the readings are written into a new table.
    QTest::newRow("disk full while filling") << "full"
                                             << "Newtown"
                                             << "cannot fill table";
    // A directory where the cache file of EX_Town would be cannot be removed: the
    // import must not replace the table while an old analysis may stay behind.
    QTest::newRow("old analysis cannot be removed") << "cache"
                                                    << "Town"
                                                    << "EX_Town.json";
}

void TstWeatherImport::failedImportChangesNothing()
{
    QFETCH(QString, trap);
    QFETCH(QString, city);
    QFETCH(QString, message);
    HDatabase* db = LumoWeather::getWeatherDB();
    LumoWeather weather;
    const QString cache = HWeatherAnalysis::cacheFilePath(QStringLiteral("EX_Town"));
    if (trap != QLatin1String("cache")) {
        HWeatherAnalysis before(QStringLiteral("EX_Town"));
        before.analysisData();
        QVERIFY(QFile::exists(cache));
    }
    if (trap == QLatin1String("index")) {
        QVERIFY(db->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tb_glb_idx "
                                        "BEGIN SELECT RAISE(ABORT, 'index is read-only'); END")));
    } else if (trap == QLatin1String("full")) {
        QSqlQuery pages = db->query(QStringLiteral("pragma page_count"));
        QVERIFY(pages.next());
        const int pageCount = pages.value(0).toInt();
        pages.finish();
        QVERIFY(db->exec(QStringLiteral("pragma max_page_count = %1").arg(pageCount + 2)));
    } else {
        QVERIFY(QDir().mkpath(cache + QStringLiteral("/inner")));
    }
    const QStringList tablesBefore = tableList(db);

    HWeatherImport import;
    QVERIFY(!import.importFile(writeFile(QStringLiteral("t.epw"), epwText(typicalYear())),
                               QStringLiteral("Existing"), city));
    QVERIFY2(import.errorString().contains(message), qPrintable(import.errorString()));
    QVERIFY(import.tableName().isEmpty());
    QCOMPARE(tableList(db), tablesBefore);
    QSqlQuery q =
        db->query(QStringLiteral("select count(*), min(dry_temp), max(dry_temp) from [EX_Town]"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 8760);
    QCOMPARE(q.value(1).toDouble(), 5.0);
    QCOMPARE(q.value(2).toDouble(), 5.0);
    q.finish();
    QSqlQuery index = db->query(QStringLiteral("select count(*) from tb_glb_idx"));
    QVERIFY(index.next());
    QCOMPARE(index.value(0).toInt(), 1);
    index.finish();
    QCOMPARE(HWeatherLocation::findCityTable(QStringLiteral("Existing"), QStringLiteral("Town")),
             QStringLiteral("EX_Town"));
    QVERIFY(db->transaction()); // no transaction was left open
    QVERIFY(db->rollback());
    if (trap == QLatin1String("cache"))
        return;
    // Whether the cache went or stayed, the analysis describes the unchanged table.
    HWeatherAnalysis after(QStringLiteral("EX_Town"));
    after.analysisData();
    QCOMPARE(after.GetMaxTemperature(), 5.0);
    QCOMPARE(after.GettotalHours(), 8760);
}

void TstWeatherImport::tableNames_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("table");
    QTest::newRow("apostrophe") << QStringLiteral("China") << QStringLiteral("Xi'an")
                                << QStringLiteral("China_Xian");
    QTest::newRow("accents") << QStringLiteral("Brazil") << QStringLiteral("São Paulo")
                             << QStringLiteral("Brazil_Sao_Paulo");
    QTest::newRow("starts with a digit")
        << QStringLiteral("1") << QStringLiteral("2") << QStringLiteral("W_1_2");
    QTest::newRow("taken by another city")
        << QStringLiteral("EX") << QStringLiteral("Town") << QStringLiteral("EX_Town_2");
    QTest::newRow("brackets and quotes")
        << QStringLiteral("A]") << QStringLiteral("'; drop") << QStringLiteral("A_drop");
}

void TstWeatherImport::tableNames()
{
    QFETCH(QString, country);
    QFETCH(QString, city);
    QFETCH(QString, table);
    HWeatherImport import;
    QVERIFY2(import.importFile(writeFile(QStringLiteral("t.epw"), epwText(typicalYear())), country,
                               city),
             qPrintable(import.errorString()));
    QCOMPARE(import.tableName(), table);
    QCOMPARE(HWeatherLocation::findCityTable(country, city), table);
    // The existing city is untouched.
    QCOMPARE(HWeatherLocation::findCityTable(QStringLiteral("Existing"), QStringLiteral("Town")),
             QStringLiteral("EX_Town"));
    QSqlQuery q =
        LumoWeather::getWeatherDB()->query(QStringLiteral("select count(*) from EX_Town"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 8760);
}

void TstWeatherImport::newDatabaseFile()
{
    HDatabase db;
    QVERIFY(db.createDatabase(m_dir->filePath(QStringLiteral("fresh.db3"))));
    HWeatherImport import;
    QVERIFY2(import.importFile(writeFile(QStringLiteral("t.epw"), epwText(typicalYear())),
                               QString(), QString(), &db),
             qPrintable(import.errorString()));
    QVERIFY(db.tableIsExist(QStringLiteral("tb_glb_idx")));
    QVERIFY(db.tableIsExist(QStringLiteral("TST_TESTVILLE")));
}

void TstWeatherImport::realFiles_data()
{
    // Expected figures read from the files with a separate script (Python csv module):
    // the hourly dry-bulb column, 29 February left out, extremes, the 36th warmest hour
    // (35 left out, the earliest of equal hours first) and the count of every 1-degree
    // bin (t - 1, t].
    QTest::addColumn<QString>("file");
    QTest::addColumn<HWeatherImport::Format>("format");
    QTest::addColumn<int>("readings");
    QTest::addColumn<double>("maxTemp");
    QTest::addColumn<double>("minTemp");
    QTest::addColumn<double>("designTemp");
    QTest::addColumn<QDateTime>("designHour"); // the year is not compared
    QTest::addColumn<QString>("bins");
    const HWeatherImport::Format epw = HWeatherImport::Format::Epw;
    QTest::newRow("Amsterdam IWEC EPW")
        << "NLD_Amsterdam062400_IWEC.epw" << epw << 8760 << 32.7 << -8.4 << 28.0
        << QDateTime(QDate(2001, 8, 2), QTime(12, 0))
        << "-8:1 -7:4 -6:6 -5:13 -4:24 -3:31 -2:62 -1:82 0:189 1:203 2:237 3:240 4:374 5:478 "
           "6:569 7:619 8:596 9:449 10:420 11:400 12:387 13:448 14:469 15:450 16:386 17:397 "
           "18:392 19:263 20:145 21:108 22:82 23:59 24:41 25:44 26:24 27:18 28:15 29:12 30:14 "
           "31:4 32:1 33:4";
    QTest::newRow("typical year of mixed source years EPW")
        << "tmy_45.000_8.000_2005_2023.epw" << epw << 8760 << 34.33 << -2.34 << 31.71
        << QDateTime(QDate(2001, 6, 22), QTime(15, 0))
        << "-2:2 -1:52 0:112 1:162 2:219 3:289 4:269 5:358 6:442 7:363 8:394 9:333 10:309 "
           "11:298 12:276 13:354 14:343 15:347 16:303 17:299 18:344 19:398 20:381 21:382 22:334 "
           "23:256 24:228 25:192 26:158 27:145 28:129 29:117 30:75 31:41 32:24 33:21 34:9 35:2";
    QTest::newRow("Greensboro TMY3 CSV")
        << "723170TYA.CSV" << HWeatherImport::Format::Tmy3 << 8760 << 35.6 << -16.7 << 33.3
        << QDateTime(QDate(2001, 7, 27), QTime(14, 0))
        << "-16:4 -15:2 -14:2 -13:5 -12:12 -11:13 -10:27 -9:38 -8:59 -7:40 -6:64 -5:81 -4:23 "
           "-3:97 -2:105 -1:146 0:131 1:59 2:145 3:199 4:213 5:247 6:137 7:252 8:248 9:298 "
           "10:353 11:141 12:278 13:262 14:270 15:289 16:162 17:296 18:387 19:384 20:412 21:217 "
           "22:432 23:413 24:355 25:291 26:127 27:233 28:230 29:208 30:139 31:49 32:83 33:56 "
           "34:31 35:9 36:6";
    QTest::newRow("Los Angeles EPW of a leap year")
        << "los_angeles_no_leap_field.epw" << epw << 8784 << 44.9 << 2.8 << 39.7
        << QDateTime(QDate(2001, 8, 5), QTime(15, 0))
        << "3:4 4:8 5:24 6:39 7:89 8:126 9:211 10:304 11:319 12:363 13:537 14:550 15:570 "
           "16:507 17:546 18:478 19:451 20:455 21:364 22:390 23:363 24:290 25:257 26:197 27:174 "
           "28:147 29:137 30:121 31:145 32:117 33:104 34:82 35:71 36:78 37:46 38:27 39:23 40:13 "
           "41:13 42:7 43:4 44:5 45:4";
}

void TstWeatherImport::realFiles()
{
    QFETCH(QString, file);
    QFETCH(HWeatherImport::Format, format);
    QFETCH(int, readings);
    QFETCH(double, maxTemp);
    QFETCH(double, minTemp);
    QFETCH(double, designTemp);
    QFETCH(QDateTime, designHour);
    QFETCH(QString, bins);
    const QString path = QStringLiteral(BRIVANTA_SHARED_DATA "/weather/") + file;
    BRIVANTA_REQUIRE_SHARED_FILE(path);
    HWeatherImport import;
    QVERIFY2(import.importFile(path), qPrintable(import.errorString()));
    QCOMPARE(import.format(), format);
    QCOMPARE(import.readings().size(), readings);
    QCOMPARE(import.invalidReadings(), 0);

    LumoWeather weather;
    HWeatherAnalysis analysis(import.tableName());
    analysis.analysisData();
    QCOMPARE(analysis.GettotalHours(), 8760);
    BRIVANTA_COMPARE_NEAR(analysis.GetMaxTemperature(), maxTemp, 1e-12);
    BRIVANTA_COMPARE_NEAR(analysis.GetMinTemperature(), minTemp, 1e-12);
    BRIVANTA_COMPARE_NEAR(analysis.GetAverageTemperature(), designTemp, 1e-12);
    QCOMPARE(analysis.GetMaxTempInMonth(), designHour.date().month());
    QCOMPARE(analysis.GetMaxTempInDay(), designHour.date().day());
    QCOMPARE(analysis.GetMaxTempHour(), designHour.time().hour());
    QStringList counts;
    for (const QJsonValue& v : analysis.getStatisResult()) {
        const QJsonObject bin = v.toObject();
        if (bin.value(QStringLiteral("total_times")).toInt() > 0)
            counts << QStringLiteral("%1:%2")
                          .arg(bin.value(QStringLiteral("temp_dot")).toInt())
                          .arg(bin.value(QStringLiteral("total_times")).toInt());
    }
    QCOMPARE(counts.join(QLatin1Char(' ')), bins);
}

QTEST_GUILESS_MAIN(TstWeatherImport)
#include "tst_weather_import.moc"
