// Editing a project without a window: values by key with their types and ranges, the
// schedule's range lists, days, unit lines from the product database, and saving only
// the parts changed.

#include "HDay.h"
#include "HDbFind.h"
#include "HJsonFunc.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectEditor.h"
#include "HProjectFile.h"
#include "HProjectValues.h"
#include "HRangeList.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "tst_project_fixture.h"
#include "tst_weather_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using brivanta::test::writeFile;

QJsonObject readJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QVector<int> flagged(const QVector<bool>& flags, int first)
{
    QVector<int> on;
    for (int i = 0; i < flags.size(); ++i)
        if (flags[i])
            on << first + i;
    return on;
}

QVector<int> range(int from, int to)
{
    QVector<int> v;
    for (int i = from; i <= to; ++i)
        v << i;
    return v;
}

} // namespace

class TestProjectEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void valuesByKey_data();
    void valuesByKey();
    void rangeLists_data();
    void rangeLists();
    void rangeListsAreWrittenShort_data();
    void rangeListsAreWrittenShort();
    void days_data();
    void days();

    void setValuesAllOrNone();
    void locationMustBeACityOfTheWeatherDatabase();
    void ownUnitsComeFromTheCatalogue();
    void ownUnitRefusals_data();
    void ownUnitRefusals();
    void otherUnitRefusals_data();
    void otherUnitRefusals();
    void removeLines();
    void scheduleAndHolidays();
    void savingKeepsWhatWasNotChanged();
    void newProjectIsWrittenWhole();

private:
    QTemporaryDir m_dir;
};

void TestProjectEditor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(projectfixture::createProductDb(m_dir.filePath("Product.mdb")));
    const QString weather = m_dir.filePath("Weather.db3");
    {
        weatherfixture::Db db(weather);
        db.exec("insert into tb_glb_idx (nation, city, tableName) values (?, ?, ?)",
                {"France", "Paris", "FRA_Paris"});
        db.exec("insert into tb_glb_idx (nation, city, tableName) values (?, ?, ?)",
                {"China", "Harbin", "CHN_Harbin"});
    }
    LumoWeather::setWeatherDbPath(weather);
}

void TestProjectEditor::init()
{
    HProject::reset();
    HYear::year = HYear::initial_year;
}

void TestProjectEditor::valuesByKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QVariant>("stored"); // read back from the project's file object

    QTest::newRow("name, any text") << "name"
                                    << "Office, 3rd floor" << true << QVariant("Office, 3rd floor");
    QTest::newRow("date") << "date"
                          << "2025-09-01" << true << QVariant("2025-09-01");
    QTest::newRow("date 30 February") << "date"
                                      << "2025-02-30" << false << QVariant();
    QTest::newRow("date in another form") << "date"
                                          << "01.09.2025" << false << QVariant();
    QTest::newRow("area") << "build_area"
                          << "3600" << true << QVariant(3600.0);
    QTest::newRow("area 0") << "build_area"
                            << "0" << true << QVariant(0.0);
    QTest::newRow("negative area") << "build_area"
                                   << "-1" << false << QVariant();
    QTest::newRow("area not a number") << "build_area"
                                       << "big" << false << QVariant();
    QTest::newRow("area nan") << "build_area"
                              << "nan" << false << QVariant();
    QTest::newRow("area inf") << "build_area"
                              << "inf" << false << QVariant();
    QTest::newRow("area with a decimal comma") << "build_area"
                                               << "3600,5" << false << QVariant();
    QTest::newRow("floors") << "number_floors"
                            << "12" << true << QVariant(12);
    QTest::newRow("floors with a fraction") << "number_floors"
                                            << "3.5" << false << QVariant();
    QTest::newRow("peak load") << "cooling_peak_load"
                               << " 150.5 " << true << QVariant(150.5);
    QTest::newRow("negative peak load") << "heating_peak_load"
                                        << "-10" << false << QVariant();
    QTest::newRow("price") << "electricity_price"
                           << "0.21" << true << QVariant(0.21);
    QTest::newRow("set-point 24") << "indoor_cooling_temperature"
                                  << "24" << true << QVariant(24.0);
    QTest::newRow("set-point 45") << "indoor_cooling_temperature"
                                  << "45" << true << QVariant(45.0);
    QTest::newRow("set-point 55") << "indoor_cooling_temperature"
                                  << "55" << false << QVariant();
    QTest::newRow("set-point -1") << "indoor_heating_temperature"
                                  << "-1" << false << QVariant();
    QTest::newRow("outdoor minimum -40") << "min_temp"
                                         << "-40" << true << QVariant(-40.0);
    QTest::newRow("outdoor minimum -95") << "min_temp"
                                         << "-95" << false << QVariant();
    QTest::newRow("thermo yes") << "thermo_mode"
                                << "yes" << true << QVariant(true);
    QTest::newRow("thermo OFF") << "thermo_mode"
                                << "OFF" << true << QVariant(false);
    QTest::newRow("thermo maybe") << "thermo_mode"
                                  << "maybe" << false << QVariant();
    QTest::newRow("load unit RT") << "Unit_Load"
                                  << "4" << true << QVariant(4);
    QTest::newRow("load unit 5") << "Unit_Load"
                                 << "5" << false << QVariant();
    QTest::newRow("air flow unit 0") << "Unit_AirFlowRate"
                                     << "0" << false << QVariant();
    QTest::newRow("unknown key") << "floor_area"
                                 << "10" << false << QVariant();
    QTest::newRow("key in another case") << "Name"
                                         << "x" << false << QVariant();
    QTest::newRow("schedule is not a value") << "operation_map"
                                             << "{}" << false << QVariant();
}

void TestProjectEditor::valuesByKey()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QVariant, stored);

    HProject* p = HProject::getProject();
    const QJsonObject before = HProjectFile::toJson(p);
    QString error;
    QCOMPARE(HProjectValues::set(p, key, text, &error), accepted);
    const QJsonObject after = HProjectFile::toJson(p);
    if (!accepted) {
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(key), qPrintable(error));
        QCOMPARE(after, before);
        return;
    }
    QCOMPARE(after.value(key).toVariant(), stored);
}

void TestProjectEditor::rangeLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("names");
    QTest::addColumn<QVector<int>>("on"); // empty with ok false: refused
    QTest::addColumn<bool>("ok");

    QTest::newRow("8-17") << "8-17" << 0 << 23 << false << range(8, 17) << true;
    QTest::newRow("one hour") << "12" << 0 << 23 << false << QVector<int>{12} << true;
    QTest::newRow("two ranges") << "8-11, 13-17" << 0 << 23 << false << range(8, 11) + range(13, 17)
                                << true;
    QTest::newRow("across midnight")
        << "22-2" << 0 << 23 << false << QVector<int>{0, 1, 2, 22, 23} << true;
    QTest::newRow("all") << "all" << 1 << 12 << false << range(1, 12) << true;
    QTest::newRow("none") << "none" << 1 << 7 << true << QVector<int>{} << true;
    QTest::newRow("mon-fri") << "mon-fri" << 1 << 7 << true << range(1, 5) << true;
    QTest::newRow("whole names") << "Saturday,SUNDAY" << 1 << 7 << true << QVector<int>{6, 7}
                                 << true;
    QTest::newRow("months by name")
        << "jan-jun,sep-dec" << 1 << 12 << true << range(1, 6) + range(9, 12) << true;
    QTest::newRow("hour 24") << "8-24" << 0 << 23 << false << QVector<int>{} << false;
    QTest::newRow("open range") << "8-" << 0 << 23 << false << QVector<int>{} << false;
    QTest::newRow("not a number") << "morning" << 0 << 23 << false << QVector<int>{} << false;
    QTest::newRow("name not known") << "mon-funday" << 1 << 7 << true << QVector<int>{} << false;
    QTest::newRow("empty") << "" << 1 << 7 << true << QVector<int>{} << false;
}

void TestProjectEditor::rangeLists()
{
    QFETCH(QString, text);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, names);
    QFETCH(QVector<int>, on);
    QFETCH(bool, ok);

    const QStringList words = !names ? QStringList()
        : last == 7                  ? HRangeList::weekdayNames()
                                     : HRangeList::monthNames();
    QVector<bool> flags{true};
    QString error;
    QCOMPARE(HRangeList(first, last, words).parse(text, &flags, &error), ok);
    if (!ok) {
        QVERIFY(!error.isEmpty());
        QCOMPARE(flags, QVector<bool>{true}); // untouched
        return;
    }
    QCOMPARE(flags.size(), last - first + 1);
    QCOMPARE(flagged(flags, first), on);
}

void TestProjectEditor::rangeListsAreWrittenShort_data()
{
    QTest::addColumn<QVector<int>>("on");
    QTest::addColumn<bool>("weekdays");
    QTest::addColumn<QString>("text");

    QTest::newRow("office hours") << range(8, 17) << false << "8-17";
    QTest::newRow("split") << QVector<int>{0, 5, 6, 7, 23} << false << "0, 5-7, 23";
    QTest::newRow("every hour") << range(0, 23) << false << "all";
    QTest::newRow("no hour") << QVector<int>{} << false << "none";
    QTest::newRow("Monday to Friday") << range(1, 5) << true << "Mon-Fri";
    QTest::newRow("Sunday") << QVector<int>{7} << true << "Sun";
}

void TestProjectEditor::rangeListsAreWrittenShort()
{
    QFETCH(QVector<int>, on);
    QFETCH(bool, weekdays);
    QFETCH(QString, text);

    const HRangeList list =
        weekdays ? HRangeList(1, 7, HRangeList::weekdayNames()) : HRangeList(0, 23);
    const int first = weekdays ? 1 : 0;
    QVector<bool> flags(weekdays ? 7 : 24, false);
    for (int v : on)
        flags[v - first] = true;
    QCOMPARE(list.format(flags), text);
    // And it reads back.
    QVector<bool> read;
    QVERIFY(list.parse(text, &read));
    QCOMPARE(read, flags);
}

void TestProjectEditor::days_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("days"); // MM-dd; empty: refused
    QTest::addColumn<bool>("ok");

    QTest::newRow("a date") << QStringList{"2015-12-25"} << QStringList{"12-25"} << true;
    QTest::newRow("another year's date")
        << QStringList{"2024-05-01"} << QStringList{"05-01"} << true;
    QTest::newRow("month and day") << QStringList{"07-14"} << QStringList{"07-14"} << true;
    QTest::newRow("a range") << QStringList{"02-26..03-02"}
                             << QStringList{"02-26", "02-27", "02-28", "03-01", "03-02"} << true;
    QTest::newRow("over the new year")
        << QStringList{"12-30..01-02"} << QStringList{"12-30", "12-31", "01-01", "01-02"} << true;
    QTest::newRow("29 February") << QStringList{"2024-02-29"} << QStringList{} << false;
    QTest::newRow("a range ending on 29 February")
        << QStringList{"02-20..02-29"} << QStringList{} << false;
    QTest::newRow("month 13") << QStringList{"13-01"} << QStringList{} << false;
    QTest::newRow("not a day") << QStringList{"Christmas"} << QStringList{} << false;
    QTest::newRow("a good and a bad day")
        << QStringList{"01-01", "04-31"} << QStringList{} << false;
}

void TestProjectEditor::days()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, days);
    QFETCH(bool, ok);

    QVector<HProjectEditor::MonthDay> found;
    QString error;
    QCOMPARE(HProjectEditor::parseDays(texts, &found, &error), ok);
    if (!ok) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QStringList written;
    for (const auto& d : found)
        written << QStringLiteral("%1-%2")
                       .arg(d.first, 2, 10, QChar('0'))
                       .arg(d.second, 2, 10, QChar('0'));
    QCOMPARE(written, days);
}

void TestProjectEditor::setValuesAllOrNone()
{
    HProjectEditor editor;
    editor.startNew();
    const QJsonObject before = editor.document();
    QString error;
    QVERIFY(!editor.setValues({"electricity_price=0.3", "build_area=-5"}, &error));
    QVERIFY2(error.contains("build_area"), qPrintable(error));
    QCOMPARE(editor.document(), before);
    QVERIFY(!editor.setValues({"electricity_price"}, &error));
    QVERIFY(!editor.setValues({"=3"}, &error));
    QCOMPARE(editor.document(), before);

    QVERIFY2(editor.setValues({"electricity_price=0.3", "build_area=5", "name=a=b"}, &error),
             qPrintable(error));
    QCOMPARE(editor.project()->Getelectricity_price(), 0.3);
    QCOMPARE(editor.project()->Getbuild_area(), 5.0);
    QCOMPARE(editor.project()->Getname(), QString("a=b"));
}

void TestProjectEditor::locationMustBeACityOfTheWeatherDatabase()
{
    HProjectEditor editor;
    editor.startNew();
    QString error;
    QVERIFY(editor.setValues({"country=France", "city=Paris"}, &error));
    // Moved one part at a time, the pair in between names no city.
    QVERIFY(!editor.setValues({"country=China"}, &error));
    QVERIFY2(error.contains("\"Paris\"") && error.contains("\"China\""), qPrintable(error));
    QCOMPARE(editor.project()->Getcountry(), QString("France"));
    QVERIFY(editor.setValues({"country=China", "city=Harbin"}, &error));
    // As a calculation finds it: regardless of case when one city matches.
    QVERIFY(editor.setValues({"city=harbin"}, &error));
    QVERIFY(!editor.setValues({"city=Atlantis"}, &error));
    QVERIFY(!editor.setValues({"city="}, &error));
    QCOMPARE(editor.project()->Getcity(), QString("harbin"));
}

void TestProjectEditor::ownUnitsComeFromTheCatalogue()
{
    HProjectEditor editor;
    editor.startNew();
    HProjectEditor::UnitLine line;
    line.outdoor = true;
    line.model = "Test ODU 28"; // the catalogue's shown model; its category is looked up
    line.quantity = 3;
    QString error;
    QVERIFY2(editor.addUnit(line, &error), qPrintable(error));
    line.outdoor = false;
    line.category = "Cassette";
    line.model = "T-CF28"; // the model code
    line.quantity = 12;
    QVERIFY2(editor.addUnit(line, &error), qPrintable(error));

    const HVRF* own = editor.project()->getOwnVRFSys();
    QCOMPARE(own->size(), 2);
    const HUnit* odu = own->at(0);
    QCOMPARE(odu->Getunit_type(), QString("VX test"));
    QCOMPARE(odu->Getunit_productcode(), QString("Test ODU 28"));
    QCOMPARE(odu->Getid_series(), 7);
    QCOMPARE(odu->Getquantity(), 3);
    QCOMPARE(odu->Gettotal_capacity_cooling(), 28.0);
    QCOMPARE(odu->Getpower_input_heating(), 7.5);
    const HUnit* idu = own->at(1);
    QVERIFY(!idu->Getis_odu());
    QCOMPARE(idu->Getquantity(), 12);
    // The catalogue holds indoor power in watts.
    QCOMPARE(idu->Getpower_input_cooling(), 0.045);
    QCOMPARE(editor.changedKeys(), QStringList{"own_vrf"});
}

void TestProjectEditor::ownUnitRefusals_data()
{
    QTest::addColumn<bool>("outdoor");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown model") << true << ""
                                   << "T-ODU999" << 1 << "no outdoor unit";
    QTest::newRow("model of another category")
        << true << "Chef's line"
        << "T-ODU100" << 1 << "in the category \"Chef's line\"";
    QTest::newRow("indoor model as outdoor") << true << ""
                                             << "T-CF28" << 1 << "indoor unit";
    QTest::newRow("outdoor model as indoor") << false << ""
                                             << "O'Neil 56" << 1 << "outdoor unit";
    QTest::newRow("quantity 0") << true << ""
                                << "T-ODU100" << 0 << "quantity";
}

void TestProjectEditor::ownUnitRefusals()
{
    QFETCH(bool, outdoor);
    QFETCH(QString, category);
    QFETCH(QString, model);
    QFETCH(int, quantity);
    QFETCH(QString, message);

    HProjectEditor editor;
    editor.startNew();
    HProjectEditor::UnitLine line;
    line.outdoor = outdoor;
    line.category = category;
    line.model = model;
    line.quantity = quantity;
    QString error;
    QVERIFY(!editor.addUnit(line, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(editor.project()->getOwnVRFSys()->isEmpty());
    QVERIFY(editor.changedKeys().isEmpty());
}

void TestProjectEditor::otherUnitRefusals_data()
{
    QTest::addColumn<bool>("outdoor");
    QTest::addColumn<QVector<double>>("figures"); // capacity c, power c, capacity h, power h
    QTest::addColumn<bool>("accepted");

    QTest::newRow("outdoor unit") << true << QVector<double>{56, 14.6, 63, 15.4} << true;
    QTest::newRow("cooling-only outdoor unit") << true << QVector<double>{56, 14.6, 0, 0} << true;
    QTest::newRow("outdoor unit without capacity") << true << QVector<double>{0, 0, 0, 0} << false;
    QTest::newRow("cooling capacity without its power")
        << true << QVector<double>{56, 0, 63, 15} << false;
    QTest::newRow("heating power without its capacity")
        << true << QVector<double>{56, 14, 0, 15} << false;
    QTest::newRow("negative power") << false << QVector<double>{7.1, -0.1, 8, 0.1} << false;
    QTest::newRow("not a number") << false << QVector<double>{7.1, qQNaN(), 8, 0.1} << false;
    QTest::newRow("indoor unit without a power input")
        << false << QVector<double>{7.1, 0, 8, 0} << true;
}

void TestProjectEditor::otherUnitRefusals()
{
    QFETCH(bool, outdoor);
    QFETCH(QVector<double>, figures);
    QFETCH(bool, accepted);

    HProjectEditor editor;
    editor.startNew();
    HProjectEditor::UnitLine line;
    line.own = false;
    line.outdoor = outdoor;
    line.model = "X-1";
    line.quantity = 2;
    line.capacityCooling = figures[0];
    line.powerCooling = figures[1];
    line.capacityHeating = figures[2];
    line.powerHeating = figures[3];
    line.price = 100.0;
    QString error;
    QCOMPARE(editor.addUnit(line, &error), accepted);
    const HVRF* other = editor.project()->getOtherVRFSys();
    if (!accepted) {
        QVERIFY(!error.isEmpty());
        QVERIFY(other->isEmpty());
        return;
    }
    QCOMPARE(other->size(), 1);
    const HUnit* u = other->first();
    QCOMPARE(u->Getis_odu(), outdoor);
    QCOMPARE(u->Getquantity(), 2);
    QCOMPARE(u->Gettotal_capacity_cooling(), figures[0]);
    QCOMPARE(u->Getpower_input_cooling(), figures[1]);
    QCOMPARE(u->Gettotal_capacity_heating(), figures[2]);
    QCOMPARE(u->Getpower_input_heating(), figures[3]);
    QCOMPARE(u->Getprice_ea(), 100.0);
}

void TestProjectEditor::removeLines()
{
    HProjectEditor editor;
    editor.startNew();
    QString error;
    for (const char* model : {"A", "B", "A"}) {
        HProjectEditor::UnitLine line;
        line.own = false;
        line.outdoor = qstrcmp(model, "B") != 0;
        line.model = model;
        line.capacityCooling = line.capacityHeating = 10.0;
        line.powerCooling = line.powerHeating = 3.0;
        QVERIFY(editor.addUnit(line, &error));
    }
    QCOMPARE(editor.findLines(false, -1, "A"), (QVector<int>{1, 3}));
    QCOMPARE(editor.findLines(false, 0, ""), QVector<int>{2});
    QCOMPARE(editor.findLines(true, -1, "A"), QVector<int>{});
    QVERIFY(!editor.removeLine(false, 4, &error));
    QVERIFY2(error.contains("has no unit line 4 (it has 3)"), qPrintable(error));
    QVERIFY(editor.removeLine(false, 1, &error));
    QCOMPARE(editor.findLines(false, -1, "A"), QVector<int>{2});
    QCOMPARE(editor.project()->getOtherVRFSys()->first()->Getunit_productcode(), QString("B"));
}

void TestProjectEditor::scheduleAndHolidays()
{
    HProjectEditor editor;
    editor.startNew();
    QString error;
    editor.clearHolidays();
    QVERIFY(editor.setSchedule("8-17", "mon-fri", "all", &error));
    // 2015 has 261 weekdays (1 January a Thursday, 365 days): 261 x 10 hours.
    QCOMPARE(editor.runningHours(), 2610);

    // A refused part changes no part.
    QVERIFY(!editor.setSchedule("0-23", "1-7", "13", &error));
    QCOMPARE(editor.runningHours(), 2610);

    // 25 December 2015 is a Friday, 26 December a Saturday.
    QVector<HProjectEditor::MonthDay> days;
    QVERIFY(HProjectEditor::parseDays({"12-25..12-26"}, &days, &error));
    editor.setHolidays(days, true);
    QCOMPARE(editor.runningHours(), 2600);
    editor.setHolidays({{12, 25}}, false);
    QCOMPARE(editor.runningHours(), 2610);

    QVERIFY(editor.setSchedule(QString(), QString(), "none", &error));
    QCOMPARE(editor.runningHours(), 0);
    const QJsonObject month =
        editor.document().value("operation_map").toObject().value("month").toObject();
    QCOMPARE(month.size(), 12);
    QVERIFY(!month.value("6").toBool());
    QCOMPARE(editor.document()
                 .value("operation_map")
                 .toObject()
                 .value("daily")
                 .toObject()
                 .value("8")
                 .toBool(),
             true);
}

void TestProjectEditor::savingKeepsWhatWasNotChanged()
{
    // A file with a member the reader ignores, a value it cannot read and a schedule.
    QJsonObject file;
    file.insert("name", "Kept");
    file.insert("comment", "written by hand");
    file.insert("gas_price", "cheap");
    file.insert("cooling_peak_load", 500.0); // far above any capacity: kept as given
    file.insert("operation_map", QJsonObject{{"daily", QJsonObject{{"9", true}}}});
    const QString path = m_dir.filePath("kept.ee");
    QVERIFY(writeFile(path, QJsonDocument(file).toJson()));

    HProjectEditor editor;
    QString error;
    QVERIFY2(editor.open(path, &error), qPrintable(error));
    QCOMPARE(editor.project()->Getcooling_peak_load(), 500.0);
    QVERIFY(editor.setValues({"electricity_price=0.25"}, &error));
    QVERIFY(editor.save(path, &error));

    QJsonObject expected = file;
    expected.insert("electricity_price", 0.25);
    QCOMPARE(readJson(path), expected);

    // An own line added: only "own_vrf" joins the file.
    QVERIFY(editor.open(path, &error));
    HProjectEditor::UnitLine line;
    line.model = "T-ODU100";
    line.category = "VX test";
    QVERIFY(editor.addUnit(line, &error));
    QVERIFY(editor.save(path, &error));
    const QJsonObject written = readJson(path);
    expected.insert("own_vrf", written.value("own_vrf"));
    QCOMPARE(written, expected);
    const QJsonArray group = written.value("own_vrf").toObject().value("unit_group").toArray();
    QCOMPARE(group.size(), 1);
    QCOMPARE(group.first().toObject().value("unit_productcode").toString(), QString("T-ODU100"));
    QCOMPARE(group.first().toObject().value("quantity").toInt(), 1);

    // A file that is not a project is refused and stays as it was.
    const QString broken = m_dir.filePath("broken.ee");
    QVERIFY(writeFile(broken, "{\"name\": "));
    QVERIFY(!editor.open(broken, &error));
    QVERIFY2(error.contains("not valid JSON"), qPrintable(error));
    QCOMPARE(readBytes(broken), QByteArray("{\"name\": "));
    QVERIFY(!editor.open(m_dir.filePath("export.eed"), &error));
    QVERIFY2(error.contains("import"), qPrintable(error));
}

void TestProjectEditor::newProjectIsWrittenWhole()
{
    HProjectEditor editor;
    editor.startNew();
    QString error;
    QVERIFY(editor.setValues({"name=Fresh", "country=France", "city=Paris"}, &error));
    const QString path = m_dir.filePath("fresh.ee");
    QVERIFY(editor.save(path, &error));
    const QJsonObject written = readJson(path);
    // Every key of a saved project, with the values set and the new project's defaults.
    QCOMPARE(written.keys(), HProjectFile::toJson(editor.project()).keys());
    QCOMPARE(written.value("name").toString(), QString("Fresh"));
    QCOMPARE(written.value("city").toString(), QString("Paris"));
    QCOMPARE(written.value("build_area").toDouble(), 1600.0);
    QCOMPARE(written.value("electricity_price").toDouble(), 0.8);
    QCOMPARE(written.value("holiday").toObject().size(), 365);
}

QTEST_GUILESS_MAIN(TestProjectEditor)
#include "tst_projecteditor.moc"
