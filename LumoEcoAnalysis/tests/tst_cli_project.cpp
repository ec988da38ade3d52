// lumoeco project: the example projects made by commands alone calculate to the same
// figures as the stored files; refused commands leave the file as it was; show.

#include "tst_cli_support.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <algorithm>

using clitest::readBytes;
using clitest::readJson;
using clitest::Run;

namespace {

// A JSON value as it is typed on the command line.
QString typed(const QJsonValue& v)
{
    if (v.isBool())
        return v.toBool() ? "true" : "false";
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 17);
    return v.toString();
}

// The members of an object of booleans that are true, as a list "8,9,10" or "none".
QString onList(const QJsonObject& flags)
{
    QList<int> numbers;
    for (auto it = flags.begin(); it != flags.end(); ++it)
        if (it.value().toBool())
            numbers << it.key().toInt();
    std::sort(numbers.begin(), numbers.end());
    QStringList on;
    for (int n : numbers)
        on << QString::number(n);
    return on.isEmpty() ? QStringLiteral("none") : on.join(',');
}

// The calculation's JSON without the path of the file calculated.
QJsonObject figures(const Run& r)
{
    QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QJsonObject project = root.value("project").toObject();
    project.remove("file");
    root.insert("project", project);
    return root;
}

} // namespace

class TestCliProject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_cli.init(); }

    void examplesFromCommands_data();
    void examplesFromCommands();
    void refusalsLeaveTheFile_data();
    void refusalsLeaveTheFile();
    void newNeedsTheLocationAndKeepsFiles();
    void removeByModel();
    void scheduleShorthands();
    void showSummaryAndWarnings();

private:
    // Runs a project command on `file`; fails the test unless it succeeds.
    void edit(const QString& command, const QString& file, const QStringList& args);

    clitest::Fixture m_cli;
};

void TestCliProject::edit(const QString& command, const QString& file, const QStringList& args)
{
    const Run r = m_cli.run(QStringList{"project", command, file} + args);
    QVERIFY2(r.exitCode == 0, qPrintable(command + ": " + r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(command + ": " + r.err));
}

void TestCliProject::examplesFromCommands_data()
{
    QTest::addColumn<QString>("example");
    for (const QString& file : clitest::examples())
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
}

void TestCliProject::examplesFromCommands()
{
    QFETCH(QString, example);
    const QJsonObject stored = readJson(example);
    QVERIFY(!stored.isEmpty());
    const QString built = m_cli.path("built-" + QFileInfo(example).fileName());
    QFile::remove(built);

    Run r =
        m_cli.run({"project", "new", built, "--name", stored.value("name").toString(), "--country",
                   stored.value("country").toString(), "--city", stored.value("city").toString()});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    // Every other value by its key, in one command.
    QStringList values;
    const QStringList parts{"operation_map", "own_vrf", "other_vrf", "holiday"};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        if (!parts.contains(it.key()))
            values << it.key() + '=' + typed(it.value());
    edit("set", built, values);

    const QJsonObject schedule = stored.value("operation_map").toObject();
    edit("schedule", built,
         {"--hours", onList(schedule.value("daily").toObject()), "--days",
          onList(schedule.value("week").toObject()), "--months",
          onList(schedule.value("month").toObject())});

    QStringList holidays{"--clear"};
    const QJsonObject days = stored.value("holiday").toObject();
    for (auto it = days.begin(); it != days.end(); ++it)
        if (it.value().toBool())
            holidays << QDate(2015, 1, 1).addDays(it.key().toInt() - 1).toString(Qt::ISODate);
    edit("holiday", built, holidays);

    for (const char* system : {"own_vrf", "other_vrf"}) {
        const bool own = qstrcmp(system, "own_vrf") == 0;
        for (const QJsonValue& v : stored.value(system).toObject().value("unit_group").toArray()) {
            const QJsonObject u = v.toObject();
            QStringList args{own ? "--own" : "--other",
                             u.value("is_odu").toBool() ? "--outdoor" : "--indoor",
                             "--model",
                             u.value("unit_productcode").toString(),
                             "--category",
                             u.value("unit_type").toString(),
                             "--series",
                             typed(u.value("id_series")),
                             "--quantity",
                             typed(u.value("quantity"))};
            if (!own)
                args << "--capacity-cooling" << typed(u.value("total_capacity_cooling"))
                     << "--power-cooling" << typed(u.value("power_input_cooling"))
                     << "--capacity-heating" << typed(u.value("total_capacity_heating"))
                     << "--power-heating" << typed(u.value("power_input_heating")) << "--price"
                     << typed(u.value("price_ea"));
            edit("add-unit", built, args);
        }
    }

    // The built file holds what the stored one does, as the program reads both.
    const QJsonObject written = readJson(built);
    for (const char* key : {"name", "date", "build_area", "cooling_peak_load", "thermo_mode",
                            "electricity_price", "Unit_AirFlowRate", "operation_map", "holiday"})
        QCOMPARE(written.value(key), stored.value(key));

    const Run expected = m_cli.run({"calculate", example, "--format", "json"});
    const Run actual = m_cli.run({"calculate", built, "--format", "json"});
    QVERIFY2(expected.exitCode == 0, qPrintable(expected.err));
    QVERIFY2(actual.exitCode == 0, qPrintable(actual.err));
    QCOMPARE(actual.err, QString());
    const QJsonObject a = figures(actual), e = figures(expected);
    for (const QString& key : e.keys())
        QVERIFY2(a.value(key) == e.value(key), qPrintable("differs: " + key));
    QCOMPARE(a, e);
}

void TestCliProject::refusalsLeaveTheFile_data()
{
    QTest::addColumn<QStringList>("args"); // "@" stands for the project file
    QTest::addColumn<QString>("message");

    auto row = [](const char* name, const QStringList& args, const QString& message) {
        QTest::newRow(name) << args << message;
    };
    row("unknown key", {"set", "@", "floor_area=100"}, "Unknown key \"floor_area\"");
    row("number that is not one", {"set", "@", "electricity_price=cheap"},
        "electricity_price takes a number from 0 up");
    row("negative area", {"set", "@", "build_area=-1"}, "build_area takes a number from 0 up");
    row("set-point out of range", {"set", "@", "indoor_heating_temperature=60"},
        "a number from 0 to 50");
    row("floors with a fraction", {"set", "@", "number_floors=2.5"}, "a whole number from 0 up");
    row("unit code out of range", {"set", "@", "Unit_Temperature=3"}, "a whole number from 1 to 2");
    row("not a date", {"set", "@", "date=2025-13-01"}, "a date yyyy-MM-dd");
    row("not a flag", {"set", "@", "thermo_mode=sometimes"}, "true or false");
    row("good and bad value together", {"set", "@", "gas_price=1", "build_height=x"},
        "build_height=x is refused");
    row("city not in the weather database", {"set", "@", "city=Atlantis"}, "no city \"Atlantis\"");
    row("country without its city", {"set", "@", "country=China"}, "in the country \"China\"");
    row("schedule as a value", {"set", "@", "operation_map={}"}, "their own commands");
    row("not KEY=VALUE", {"set", "@", "gas_price"}, "not of the form KEY=VALUE");
    row("own model not in the catalogue",
        {"add-unit", "@", "--own", "--outdoor", "--model", "Quellmark VXS-565", "--quantity", "1"},
        "no outdoor unit \"Quellmark VXS-565\"");
    row("own indoor model as outdoor unit",
        {"add-unit", "@", "--own", "--outdoor", "--model", "Quellmark Cassette CF-71", "--quantity",
         "1"},
        "is an indoor unit");
    row("own model of another category",
        {"add-unit", "@", "--own", "--outdoor", "--model", "Quellmark VXS-560", "--category",
         "Wall-mounted", "--quantity", "1"},
        "in the category \"Wall-mounted\"");
    row("own unit with figures",
        {"add-unit", "@", "--own", "--outdoor", "--model", "Quellmark VXS-560", "--quantity", "1",
         "--capacity-cooling", "60"},
        "come from the product database");
    row("quantity 0",
        {"add-unit", "@", "--own", "--indoor", "--model", "Quellmark Cassette CF-71", "--quantity",
         "0"},
        "--quantity takes a whole number from 1 up");
    row("quantity with a fraction",
        {"add-unit", "@", "--own", "--indoor", "--model", "Quellmark Cassette CF-71", "--quantity",
         "2.5"},
        "--quantity takes a whole number from 1 up");
    row("other unit without its heating figures",
        {"add-unit", "@", "--other", "--outdoor", "--capacity-cooling", "56", "--power-cooling",
         "15", "--quantity", "1"},
        "needs --capacity-cooling, --power-cooling");
    row("other unit with a negative capacity",
        {"add-unit", "@", "--other", "--indoor", "--capacity-cooling", "-7", "--power-cooling",
         "0.1", "--capacity-heating", "8", "--power-heating", "0.1", "--quantity", "1"},
        "--capacity-cooling takes a number from 0 up");
    row("other outdoor unit without power",
        {"add-unit", "@", "--other", "--outdoor", "--capacity-cooling", "56", "--power-cooling",
         "0", "--capacity-heating", "63", "--power-heating", "15", "--quantity", "1"},
        "cooling capacity and the cooling power input together");
    row("neither own nor other", {"add-unit", "@", "--outdoor", "--model", "X", "--quantity", "1"},
        "either --own or --other");
    row("outdoor and indoor",
        {"add-unit", "@", "--own", "--outdoor", "--indoor", "--model", "X", "--quantity", "1"},
        "not both");
    row("line beyond the list", {"remove-unit", "@", "--own", "--line", "9"},
        "has no unit line 9 (it has 3)");
    row("line of the wrong kind", {"remove-unit", "@", "--own", "--outdoor", "--line", "2"},
        "not an outdoor unit");
    row("model on no line", {"remove-unit", "@", "--other", "--model", "Quellmark VXS-560"},
        "has no line with the model");
    row("hour 24", {"schedule", "@", "--hours", "8-24"}, "Hours of the day: \"8-24\"");
    row("month by a wrong name", {"schedule", "@", "--months", "jan-jum"}, "Months:");
    row("weekdays with days", {"schedule", "@", "--weekdays", "8-18", "--days", "1-7"},
        "--weekdays sets the days and the hours");
    row("schedule without a part", {"schedule", "@"}, "give --hours");
    row("29 February", {"holiday", "@", "2024-02-29"}, "no 29 February");
    row("not a day", {"holiday", "@", "Christmas"}, "\"Christmas\" is not a day");
    row("remove and clear", {"holiday", "@", "--remove", "--clear", "01-01"}, "not both");
    row("option of another command", {"set", "@", "gas_price=1", "--quantity", "2"},
        "does not apply to 'project set'");
    row("new over an existing file",
        {"new", "@", "--name", "X", "--country", "France", "--city", "Paris"},
        "exists; give --force");
}

void TestCliProject::refusalsLeaveTheFile()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);

    const QString file = m_cli.path("refused.ee");
    QFile::remove(file);
    QVERIFY(QFile::copy(clitest::example("school_paris.ee"), file));
    const QByteArray before = readBytes(file);
    args.replaceInStrings("@", file);
    const Run r = m_cli.run(QStringList{"project"} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(r.err.trimmed().count('\n'), 0); // one line
    QVERIFY(r.out.isEmpty());
    QCOMPARE(readBytes(file), before);
}

void TestCliProject::newNeedsTheLocationAndKeepsFiles()
{
    const QString file = m_cli.path("new.ee");
    QFile::remove(file);
    Run r = m_cli.run({"project", "new", file, "--name", "X", "--country", "France"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("needs --name, --country and --city"), qPrintable(r.err));
    r = m_cli.run(
        {"project", "new", file, "--name", "X", "--country", "France", "--city", "Atlantis"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!QFileInfo::exists(file));

    // A file that cannot be written is reported, not passed over (a regular file stands
    // where its folder would be).
    QVERIFY(brivanta::test::writeFile(m_cli.path("not-a-folder"), "x"));
    const QString unwritable = m_cli.path("not-a-folder/new.ee");
    r = m_cli.run(
        {"project", "new", unwritable, "--name", "X", "--country", "France", "--city", "Paris"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("Cannot save the project to " + unwritable), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());

    // Options and KEY=VALUE pairs together; the rest are the new project's defaults.
    r = m_cli.run({"project", "new", file, "--name", "Small office", "--country", "france",
                   "--city", "paris", "--area", "250", "--cooling-peak", "30",
                   "electricity_price=0.31", "thermo_mode=on"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.startsWith("Created " + file), qPrintable(r.out));
    QJsonObject p = readJson(file);
    QCOMPARE(p.value("name").toString(), QString("Small office"));
    QCOMPARE(p.value("build_area").toDouble(), 250.0);
    QCOMPARE(p.value("cooling_peak_load").toDouble(), 30.0);
    QCOMPARE(p.value("heating_peak_load").toDouble(), 0.0);
    QCOMPARE(p.value("electricity_price").toDouble(), 0.31);
    QCOMPARE(p.value("thermo_mode").toBool(), true);
    QCOMPARE(p.value("build_height").toDouble(), 20.0);
    QCOMPARE(p.value("number_floors").toInt(), 3);
    QCOMPARE(p.value("own_vrf").toObject().value("unit_group").toArray().size(), 0);

    // --force replaces it.
    r = m_cli.run({"project", "new", file, "--name", "Other", "--country", "China", "--city",
                   "Harbin", "--force"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(readJson(file).value("name").toString(), QString("Other"));
}

void TestCliProject::removeByModel()
{
    const QString file = m_cli.path("remove.ee");
    QFile::remove(file);
    QVERIFY(QFile::copy(clitest::example("office_singapore.ee"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    // Add the slim duct a second time: the model then stands on two lines.
    edit("add-unit", file,
         {"--own", "--indoor", "--model", "Quellmark Slim duct SD-56", "--quantity", "2"});
    Run r = m_cli.run(
        {"project", "remove-unit", file, "--own", "--model", "Quellmark Slim duct SD-56"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("lines 3, 4: give --line"), qPrintable(r.err));

    r = m_cli.run({"project", "remove-unit", file, "--own", "--line", "3"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("Removed line 3 (12 x Quellmark Slim duct SD-56"), qPrintable(r.out));
    r = m_cli.run({"project", "remove-unit", file, "--own", "--indoor", "--model",
                   "Quellmark Cassette CF-71"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonArray own = readJson(file).value("own_vrf").toObject().value("unit_group").toArray();
    QCOMPARE(own.size(), 2);
    QCOMPARE(own[0].toObject().value("unit_productcode").toString(), QString("Quellmark VXC-1350"));
    QCOMPARE(own[1].toObject().value("quantity").toInt(), 2);
    // The other system was not touched.
    QCOMPARE(readJson(file).value("other_vrf"),
             readJson(clitest::example("office_singapore.ee")).value("other_vrf"));
}

void TestCliProject::scheduleShorthands()
{
    const QString file = m_cli.path("schedule.ee");
    QFile::remove(file);
    QVERIFY(QFile::copy(clitest::example("hotel_harbin.ee"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    // Monday to Friday 8:00-18:59, May to September; no holidays in the hotel.
    Run r = m_cli.run({"project", "schedule", file, "--weekdays", "8-18", "--months", "may-sep"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    // 2015: May 21, June 22, July 23, August 21, September 22 weekdays = 109 days x 11 hours.
    QVERIFY2(r.out.contains("hours 8-18; days Mon-Fri; months May-Sep; the plant runs 1199 hours"),
             qPrintable(r.out));
    const QJsonObject map = readJson(file).value("operation_map").toObject();
    QCOMPARE(onList(map.value("daily").toObject()), QString("8,9,10,11,12,13,14,15,16,17,18"));
    QCOMPARE(onList(map.value("week").toObject()), QString("1,2,3,4,5"));
    QCOMPARE(onList(map.value("month").toObject()), QString("5,6,7,8,9"));

    // Round the clock, across midnight written as one range; a holiday week in August.
    r = m_cli.run({"project", "schedule", file, "--every-day", "22-21"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("hours all; days all; months May-Sep"), qPrintable(r.out));
    r = m_cli.run({"project", "holiday", file, "2025-08-03..08-09"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("7 days: 08-03..08-09"), qPrintable(r.out));
    r = m_cli.run({"project", "holiday", file, "--remove", "08-09"});
    QVERIFY2(r.out.contains("6 days: 08-03..08-08"), qPrintable(r.out));
    // 3 August 2015 is day 215 of the year.
    QCOMPARE(readJson(file).value("holiday").toObject().value("215").toBool(), true);
    QCOMPARE(readJson(file).value("holiday").toObject().value("221").toBool(), false);

    // A schedule that runs nothing is written, with a warning.
    r = m_cli.run({"project", "schedule", file, "--months", "none"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("lumoeco: warning: The operation schedule runs no hour"),
             qPrintable(r.err));
}

void TestCliProject::showSummaryAndWarnings()
{
    Run r = m_cli.run({"project", "show", clitest::example("school_paris.ee")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    for (const char* line :
         {"Project      Secondary school, Paris (", "Location     Paris, France",
          "Building     3600.0 m2 floor area, 12.0 m high, 3 floors",
          "Peak loads   cooling 150.00 kW, heating 180.00 kW",
          "Schedule     hours 8-17; days Mon-Fri; months Jan-Jun, Sep-Dec",
          // 3 x 56 kW against 150 kW; 3 x 62.7 kW against 180 kW.
          "outdoor 168.00 kW cooling (112.0 % of the peak load), 188.10 kW heating (104.5 % of "
          "the peak load)",
          "Warnings     none"})
        QVERIFY2(r.out.contains(line), line);
    QVERIFY(r.err.isEmpty());

    // What the reader notices, and what the capacity check would replace.
    QJsonObject p = readJson(clitest::example("school_paris.ee"));
    p.insert("gas_price", "cheap");
    p.insert("cooling_peak_load", 0.0);
    p.insert("heating_peak_load", 100.0);
    QJsonArray own = p.value("own_vrf").toObject().value("unit_group").toArray();
    QJsonObject line = own[1].toObject();
    line.insert("unit_productcode", "Quellmark Cassette CF-99");
    own[1] = line;
    p.insert("own_vrf", QJsonObject{{"unit_group", own}});
    const QString file = m_cli.path("noticed.ee");
    QVERIFY(brivanta::test::writeFile(file, QJsonDocument(p).toJson()));
    r = m_cli.run({"project", "show", file});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("Peak loads   cooling 0.00 kW, heating 100.00 kW"), qPrintable(r.out));
    // 188.1 kW against 100 kW.
    QVERIFY2(r.out.contains("168.00 kW cooling (no peak load), 188.10 kW heating (188.1 % of the "
                            "peak load)"),
             qPrintable(r.out));
    const QString warnings = r.out.mid(r.out.indexOf("\nWarnings\n"));
    QVERIFY2(warnings.contains("\"gas_price\""), qPrintable(warnings));
    QVERIFY2(warnings.contains("Own indoor unit line 2 (category \"Four-way cassette\", model "
                               "\"Quellmark Cassette CF-99\") is not in the product database"),
             qPrintable(warnings));
    QVERIFY2(warnings.contains("The heating peak load 100.00 kW is outside 50%-150%"),
             qPrintable(warnings));
}

QTEST_GUILESS_MAIN(TestCliProject)
#include "tst_cli_project.moc"
