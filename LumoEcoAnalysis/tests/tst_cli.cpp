// Runs the lumoeco program as a user would, on the example projects and on bad input.

#include "HDatabase.h"
#include "TestSupport.h"
#include "tst_cli_support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

using brivanta::test::writeFile;
using clitest::documentedNames;
using clitest::examples;
using clitest::readJson;
using clitest::Run;

// Key paths of a JSON value: "a.b" for members, "a[].b" for members of array elements.
void keyPaths(const QJsonValue& value, const QString& prefix, QSet<QString>& paths)
{
    if (value.isObject()) {
        const QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            const QString path = prefix.isEmpty() ? it.key() : prefix + '.' + it.key();
            paths.insert(path);
            keyPaths(it.value(), path, paths);
        }
    } else if (value.isArray()) {
        for (const QJsonValue& element : value.toArray())
            keyPaths(element, prefix + QStringLiteral("[]"), paths);
    }
}

const char* const projectFileDoc = BRIVANTA_EXAMPLES "/../docs/project-file.md";

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void helpAndVersion();
    void calculateExamples_data();
    void calculateExamples();
    void formatsAgree();
    void outputKeysAreDocumented_data();
    void outputKeysAreDocumented();
    void projectFileIsDocumented();
    void hourlyCsvAddsUpToTheYear();
    void designHoursOfTheLocation_data();
    void designHoursOfTheLocation();
    void adjustFromOptionOrConfiguration_data();
    void adjustFromOptionOrConfiguration();
    void refusesBadInput_data();
    void refusesBadInput();
    void importThenCalculate();
    void inputWarnings();
    void missingModelsAreNamed();
    void peakLoadReplacementIsReported();
    void missingWeatherReadingIsInterpolated();
    void outputsThatAreNotFiles();
    void curves();
    void weatherCommands();
    void weatherImportRealFile();
    void productsList_data();
    void productsList();

private:
    Run run(const QStringList& args, bool databases = true) const;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // A copy of an example project (the first one unless `base` names another) with
    // some top-level keys replaced.
    QString variant(const QString& name, const QJsonObject& changes,
                    const QString& base = QString()) const;

    QTemporaryDir m_dir;
};

Run TestCli::run(const QStringList& args, bool databases) const
{
    return clitest::runIn(m_dir.path(), args, databases);
}

QString TestCli::variant(const QString& name, const QJsonObject& changes, const QString& base) const
{
    QString source = examples().value(0);
    for (const QString& file : examples())
        if (!base.isEmpty() && QFileInfo(file).fileName() == base)
            source = file;
    QJsonObject root = readJson(source);
    for (auto it = changes.begin(); it != changes.end(); ++it)
        root.insert(it.key(), it.value());
    const QString file = path(name);
    writeFile(file, QJsonDocument(root).toJson());
    return file;
}

void TestCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(LUMOECO_PATH), LUMOECO_PATH);
    // Copies: the program may build the energy-data table and the weather commands write.
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"), path("Weather.db3")));
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), path("Product.mdb")));
    QFile::setPermissions(path("Product.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(path("Weather.db3"), QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(examples().size() >= 3);

    // A weather database with a city whose table holds no valid reading.
    QVERIFY(QFile::copy(path("Weather.db3"), path("empty-city.db3")));
    QVERIFY(clitest::addEmptyCity(path("empty-city.db3")));
}

void TestCli::helpAndVersion()
{
    Run r = run({"--help"}, false);
    QCOMPARE(r.exitCode, 0);
    for (const char* command :
         {"calculate", "curves", "import", "weather list", "weather analyse", "weather design",
          "weather import", "products list", "--without-other", "--hourly"})
        QVERIFY2(r.out.contains(command), command);
    r = run({"--version"}, false);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("lumoeco "));
}

void TestCli::calculateExamples_data()
{
    QTest::addColumn<QString>("project");
    for (const QString& file : examples())
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
}

void TestCli::calculateExamples()
{
    QFETCH(QString, project);
    const Run r = run({"calculate", project, "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    for (const char* key :
         {"project", "location", "peak_load", "monthly", "year", "own_temperature_bins"})
        QVERIFY2(root.contains(key), key);
    // The examples are in order: nothing to warn about.
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(root.value("warnings").toArray(), QJsonArray());
    QCOMPARE(root.value("peak_load").toObject().value("replaced").toBool(), false);

    const QJsonArray months = root.value("monthly").toArray();
    QCOMPARE(months.size(), 12);
    double own = 0.0, other = 0.0;
    for (const QJsonValue& v : months) {
        own += v.toObject().value("own_kwh").toDouble();
        other += v.toObject().value("other_kwh").toDouble();
    }
    const QJsonObject year = root.value("year").toObject();
    QVERIFY(year.value("own_kwh").toDouble() > 0.0);
    QVERIFY(year.value("other_kwh").toDouble() > 0.0);
    BRIVANTA_COMPARE_NEAR(year.value("own_kwh").toDouble(), own, 1e-9);
    BRIVANTA_COMPARE_NEAR(year.value("other_kwh").toDouble(), other, 1e-9);
    BRIVANTA_COMPARE_NEAR(year.value("ratio_percent").toDouble(), own / other * 100.0, 1e-9);
    const double price = root.value("project").toObject().value("electricity_price").toDouble();
    BRIVANTA_COMPARE_NEAR(year.value("own_cost").toDouble(), own * price, 1e-9);
    BRIVANTA_COMPARE_NEAR(year.value("other_cost").toDouble(), other * price, 1e-9);

    // Every hour of the year lies in exactly one bin of the own system's statistics,
    // and the bins' energy is the system's energy.
    int hours = 0;
    double binEnergy = 0.0;
    const QJsonObject bins = root.value("own_temperature_bins").toObject();
    for (const char* mode : {"cooling", "heating"})
        for (const QJsonValue& v : bins.value(mode).toArray()) {
            hours += v.toObject().value("hours").toInt();
            binEnergy += v.toObject().value("total_kwh").toDouble();
        }
    QCOMPARE(hours, 8760);
    BRIVANTA_COMPARE_NEAR(binEnergy, own, 1e-9);

    const QJsonObject location = root.value("location").toObject();
    QVERIFY(location.value("max_temp").toDouble() > location.value("min_temp").toDouble());
    QVERIFY(location.value("design_temp").toDouble() <= location.value("max_temp").toDouble());
    QCOMPARE(location.value("ignore_hours").toInt(), 35);
    // The check leaves the peak loads within 50 %..150 % of the outdoor capacity.
    QVERIFY(root.value("peak_load").toObject().value("cooling_kw").toDouble() > 0.0);
}

void TestCli::formatsAgree()
{
    const QString project = examples().value(0);
    const Run json = run({"calculate", project, "--format", "json"});
    const Run csv = run({"calculate", project, "--format", "csv"});
    const Run table = run({"calculate", project});
    QCOMPARE(json.exitCode, 0);
    QCOMPARE(csv.exitCode, 0);
    QCOMPARE(table.exitCode, 0);
    const QJsonObject year =
        QJsonDocument::fromJson(json.out.toUtf8()).object().value("year").toObject();

    QString yearRow;
    for (const QString& line : csv.out.split('\n'))
        if (line.startsWith("year,"))
            yearRow = line;
    const QStringList cells = yearRow.split(',');
    QCOMPARE(cells.size(), 6);
    BRIVANTA_COMPARE_NEAR(cells[1].toDouble(), year.value("own_kwh").toDouble(), 1e-12);
    BRIVANTA_COMPARE_NEAR(cells[2].toDouble(), year.value("other_kwh").toDouble(), 1e-12);

    QVERIFY(table.out.contains("Year"));
    QVERIFY(table.out.contains(QString::number(year.value("own_kwh").toDouble(), 'f', 2)));
}

void TestCli::outputKeysAreDocumented_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<bool>("hourly"); // the hourly CSV's columns, else the JSON keys

    QTest::newRow("calculate --format json") << "## JSON output of calculate" << false;
    QTest::newRow("calculate --hourly") << "## Hourly CSV" << true;
}

void TestCli::outputKeysAreDocumented()
{
    QFETCH(QString, heading);
    QFETCH(bool, hourly);

    // Every example together gives cooling and heating bins.
    QSet<QString> produced;
    for (const QString& project : examples()) {
        const QString csv = path("keys.csv");
        const Run r = run({"calculate", project, "--format", "json", "--hourly", csv});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        if (hourly) {
            QFile f(csv);
            QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
            const QStringList header = QString::fromUtf8(f.readLine()).trimmed().split(',');
            produced.unite(QSet<QString>(header.begin(), header.end()));
        } else {
            keyPaths(QJsonDocument::fromJson(r.out.toUtf8()).object(), QString(), produced);
        }
    }
    const QSet<QString> documented = documentedNames(heading);
    QStringList undocumented = (produced - documented).values();
    QStringList gone = (documented - produced).values();
    undocumented.sort();
    gone.sort();
    QVERIFY2(undocumented.isEmpty(), qPrintable("not in README: " + undocumented.join(", ")));
    QVERIFY2(gone.isEmpty(), qPrintable("in README, not produced: " + gone.join(", ")));
}

void TestCli::projectFileIsDocumented()
{
    // Every key the program writes is described, and nothing else.
    const QString eed = path("documented.eed");
    QVERIFY(writeFile(eed, R"({"odu_array":[{"id_series":-1,"product_code":"Quellmark VXS-560",
        "name":"VX heat pump","quantity":1}]})"));
    const Run r = run({"import", eed, "-o", path("documented.ee")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject written = readJson(path("documented.ee"));
    const QStringList topKeys = written.keys();
    QCOMPARE(documentedNames("## Top-level keys", projectFileDoc),
             QSet<QString>(topKeys.begin(), topKeys.end()));
    const QStringList unitKeys =
        written.value("own_vrf").toObject().value("unit_group").toArray().first().toObject().keys();
    QCOMPARE(documentedNames("## `own_vrf` and `other_vrf`", projectFileDoc),
             QSet<QString>(unitKeys.begin(), unitKeys.end()));
    const QStringList scheduleKeys = written.value("operation_map").toObject().keys();
    QCOMPARE(documentedNames("## `operation_map`", projectFileDoc),
             QSet<QString>(scheduleKeys.begin(), scheduleKeys.end()));

    // The page's minimal file calculates as it says: without a single warning.
    QFile doc(projectFileDoc);
    QVERIFY(doc.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(doc.readAll());
    const int from = text.indexOf("```json\n");
    const int to = text.indexOf("```", from + 8);
    QVERIFY(from > 0 && to > from);
    QVERIFY(writeFile(path("minimal.ee"), text.mid(from + 8, to - from - 8).toUtf8()));
    const Run minimal = run({"calculate", path("minimal.ee"), "--format", "json"});
    QVERIFY2(minimal.exitCode == 0, qPrintable(minimal.err));
    QVERIFY2(minimal.err.isEmpty(), qPrintable(minimal.err));
    QVERIFY(QJsonDocument::fromJson(minimal.out.toUtf8())
                .object()
                .value("year")
                .toObject()
                .value("own_kwh")
                .toDouble()
            > 0.0);
}

void TestCli::hourlyCsvAddsUpToTheYear()
{
    const QString project = examples().value(1);
    const QString csv = path("hourly.csv");
    const Run r = run({"calculate", project, "--format", "json", "--hourly", csv});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject year =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value("year").toObject();

    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8761);
    const QStringList header = lines[0].split(',');
    QCOMPARE(header.first(), QString("month"));
    const int ownOdu = header.indexOf("own_odu_kwh");
    const int ownIdu = header.indexOf("own_idu_kwh");
    const int otherOdu = header.indexOf("other_odu_kwh");
    const int otherIdu = header.indexOf("other_idu_kwh");
    const int schedule = header.indexOf("schedule_on");
    QVERIFY(ownOdu > 0 && ownIdu > 0 && otherOdu > 0 && otherIdu > 0 && schedule > 0);
    double own = 0.0, other = 0.0;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList c = lines[i].split(',');
        QCOMPARE(c.size(), header.size());
        own += c[ownOdu].toDouble() + c[ownIdu].toDouble();
        other += c[otherOdu].toDouble() + c[otherIdu].toDouble();
        if (c[schedule] == "0")
            QCOMPARE(c[ownOdu].toDouble() + c[ownIdu].toDouble(), 0.0);
    }
    BRIVANTA_COMPARE_NEAR(own, year.value("own_kwh").toDouble(), 1e-9);
    BRIVANTA_COMPARE_NEAR(other, year.value("other_kwh").toDouble(), 1e-9);
    // The calendar is the fresh program's (2015: 1 January a Thursday), whatever
    // years the city's weather table holds.
    QVERIFY2(lines[1].startsWith("1,1,0,1,4,"), qPrintable(lines[1]));
    QVERIFY2(lines.last().startsWith("12,31,23,8760,4,"), qPrintable(lines.last()));
}

void TestCli::designHoursOfTheLocation_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("ignoreHours");

    QTest::newRow("default 0.4 %") << QStringList{} << 35;
    QTest::newRow("--percent 1") << QStringList{"--percent", "1"} << 87;
    QTest::newRow("--hours 0: the maximum") << QStringList{"--hours", "0"} << 0;
}

void TestCli::designHoursOfTheLocation()
{
    QFETCH(QStringList, options);
    QFETCH(int, ignoreHours);

    const Run r = run(QStringList{"calculate", examples().value(2), "--format", "json"} + options);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject location =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value("location").toObject();
    QCOMPARE(location.value("ignore_hours").toInt(), ignoreHours);
    if (ignoreHours == 0)
        QCOMPARE(location.value("design_temp").toDouble(), location.value("max_temp").toDouble());
    else
        QVERIFY(location.value("design_temp").toDouble() < location.value("max_temp").toDouble());
}

void TestCli::adjustFromOptionOrConfiguration_data()
{
    QTest::addColumn<QByteArray>("config"); // empty: no configuration file
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("adjusted");

    QTest::newRow("no configuration, no option") << QByteArray() << false << false;
    QTest::newRow("configuration is_adjust false")
        << QByteArray(R"({"adjust":{"is_adjust":false}})") << false << false;
    QTest::newRow("configuration is_adjust true")
        << QByteArray(R"({"adjust":{"is_adjust":true}})") << false << true;
    QTest::newRow("option --adjust") << QByteArray() << true << true;
    QTest::newRow("configuration without the key")
        << QByteArray(R"({"other":{"is_debug":true}})") << false << false;
}

void TestCli::adjustFromOptionOrConfiguration()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, option);
    QFETCH(bool, adjusted);

    const QString configPath = path("ee_config.json");
    QFile::remove(configPath);
    if (!config.isEmpty())
        QVERIFY(writeFile(configPath, config));
    // The office in Singapore: the own system uses more outdoor energy in many hours,
    // so adjust mode raises the other system's energy.
    QString project;
    for (const QString& file : examples())
        if (file.contains("office"))
            project = file;
    QVERIFY(!project.isEmpty());

    QStringList args{"calculate", project, "--format", "json"};
    if (option)
        args << "--adjust";
    const Run r = run(args);
    QFile::remove(configPath);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(root.value("project").toObject().value("adjust").toBool(), adjusted);

    const Run plain = run({"calculate", project, "--format", "json"});
    const QJsonObject plainYear =
        QJsonDocument::fromJson(plain.out.toUtf8()).object().value("year").toObject();
    const double other = root.value("year").toObject().value("other_kwh").toDouble();
    const double own = root.value("year").toObject().value("own_kwh").toDouble();
    BRIVANTA_COMPARE_NEAR(own, plainYear.value("own_kwh").toDouble(), 1e-12);
    if (adjusted)
        QVERIFY(other > plainYear.value("other_kwh").toDouble());
    else
        BRIVANTA_COMPARE_NEAR(other, plainYear.value("other_kwh").toDouble(), 1e-12);
}

void TestCli::refusesBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    // The first bytes of a JPEG picture (JFIF header).
    const QByteArray jpeg = QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffdb0043");
    QTest::newRow("truncated project file")
        << QStringList{"calculate", "@"} << "cut.ee"
        << QByteArray(R"({"name":"Cut","own_vrf":{"unit_group":[{"is_odu":tr)") << 2
        << "not valid JSON";
    QTest::newRow("project file that is a JPEG")
        << QStringList{"calculate", "@"} << "photo.ee" << jpeg << 2 << "not valid JSON";
    QTest::newRow("project file with an empty object")
        << QStringList{"calculate", "@"} << "empty.ee" << QByteArray("{}") << 2
        << "no project data";
    QTest::newRow("missing project file")
        << QStringList{"calculate", "nothing.ee"} << "" << QByteArray() << 2 << "not found";
    QTest::newRow("unknown project file type")
        << QStringList{"calculate", "@"} << "project.txt" << QByteArray("{}") << 2
        << "Unknown project file type";
    QTest::newRow("export file with wrong types: no units")
        << QStringList{"calculate", "@"} << "types.eed"
        << QByteArray(
               R"({"odu_array":{"a":1},"idu_array":[{"product_code":5,"name":true,"quantity":"2"}],
                          "project_parameter":{"project_information":{"country":"France","city":"Paris"}}})")
        << 3 << "There are not VELA units.";
    QTest::newRow("project database that is not a database")
        << QStringList{"calculate", "@"} << "notdb.vrf" << jpeg << 2 << "Not a project database";
    QTest::newRow("import of a project database that is not a database")
        << QStringList{"import", "@", "-o", "out.ee"} << "notdb2.vrf"
        << QByteArray("hello world, certainly no SQLite header here") << 2
        << "Not a project database";
    // Writing the output over the input would lose the user's file.
    const QByteArray eed = R"({"odu_array":[],"project_parameter":{"project_information":
                                {"project_name":"Source"}}})";
    QTest::newRow("import written over its source")
        << QStringList{"import", "@", "-o", "@"} << "source.eed" << eed << 2 << "source file";
    QTest::newRow("hourly CSV written over the project")
        << QStringList{"calculate", "@", "--hourly", "@"} << "source2.eed" << eed << 2
        << "project file";
    QTest::newRow("calculate without a project file")
        << QStringList{"calculate"} << "" << QByteArray() << 2
        << "calculate takes one project file";
    QTest::newRow("calculate with two project files")
        << QStringList{"calculate", "#", "#"} << "" << QByteArray() << 2
        << "calculate takes one project file";
    // Nothing is printed when the hourly CSV cannot be written.
    QTest::newRow("hourly CSV in a missing folder")
        << QStringList{"calculate", "#", "--hourly", "missing-folder/hours.csv"} << ""
        << QByteArray() << 2 << "cannot write the hourly CSV missing-folder/hours.csv";
    QTest::newRow("unknown format") << QStringList{"calculate", "#", "--format", "xml"} << ""
                                    << QByteArray() << 2 << "unknown format";
    QTest::newRow("unknown command")
        << QStringList{"compute"} << "" << QByteArray() << 2 << "unknown command";
    QTest::newRow("no command") << QStringList{} << "" << QByteArray() << 2 << "no command";
    QTest::newRow("unknown option")
        << QStringList{"calculate", "#", "--fast"} << "" << QByteArray() << 2 << "Unknown option";
    QTest::newRow("option of another command") << QStringList{"weather", "list", "--adjust"} << ""
                                               << QByteArray() << 2 << "does not apply";
    QTest::newRow("weather database that is not one")
        << QStringList{"weather", "list", "--weather", "@"} << "weather.db3" << jpeg << 2
        << "not a weather database";
    // Any other SQLite file: refused, and not written into.
    QByteArray sqlite;
    {
        const QString made = path("weather-like.db3");
        HDatabase db;
        QVERIFY(db.createDatabase(made));
        QVERIFY(db.exec("create table tb_glb_idx (nation text, city text, tableName text)"));
        db.closeDatabase();
        QFile f(made);
        QVERIFY(f.open(QIODevice::ReadOnly));
        sqlite = f.readAll();
    }
    QTest::newRow("product database that is a weather database")
        << QStringList{"calculate", "#", "--products", "@"} << "products.db3" << sqlite << 2
        << "not a product database";
    QTest::newRow("product database missing")
        << QStringList{"products", "list", "--products", "nowhere.mdb"} << "" << QByteArray() << 2
        << "product database not found";
    QTest::newRow("unknown city of a weather analysis")
        << QStringList{"weather", "analyse", "France", "Atlantis"} << "" << QByteArray() << 2
        << "unknown city";
    QTest::newRow("percent and hours together")
        << QStringList{"weather", "analyse", "France", "Paris", "--percent", "1", "--hours", "3"}
        << "" << QByteArray() << 2 << "either --percent or --hours";
    const QString hoursRange = QStringLiteral("--hours takes a whole number from 0 to 8759");
    const QString percentRange = QStringLiteral("--percent takes a number from 0 to below 100");
    for (const char* hours : {"8760", "-1", "1.5", "many"})
        QTest::newRow(qPrintable(QStringLiteral("--hours %1").arg(hours)))
            << QStringList{"weather", "analyse", "France", "Paris", "--hours", hours} << ""
            << QByteArray() << 2 << hoursRange;
    for (const char* percent : {"100", "-0.1", "nan"})
        QTest::newRow(qPrintable(QStringLiteral("--percent %1").arg(percent)))
            << QStringList{"calculate", "#", "--percent", percent} << "" << QByteArray() << 2
            << percentRange;
    // Example projects changed in one key.
    QJsonObject project = readJson(examples().value(0));
    project.insert("other_vrf", QJsonObject{{"unit_group", QJsonArray()}});
    QTest::newRow("no other units without --without-other")
        << QStringList{"calculate", "@"} << "emptied.ee" << QJsonDocument(project).toJson() << 3
        << "There are not Other VRF units.";
    project = readJson(examples().value(0));
    project.insert("city", "Atlantis");
    QTest::newRow("unknown city of a project")
        << QStringList{"calculate", "@"} << "atlantis.ee" << QJsonDocument(project).toJson() << 2
        << "Unknown city \"Atlantis\"";
    // The weather database "!" holds a city whose table has no valid reading.
    project = readJson(examples().value(0));
    project.insert("country", "France");
    project.insert("city", "Emptyville");
    QTest::newRow("city without a valid reading")
        << QStringList{"calculate", "@", "--weather", "!"} << "emptyville.ee"
        << QJsonDocument(project).toJson() << 2 << "holds no valid readings";
}

void TestCli::refusesBadInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    if (!file.isEmpty())
        QVERIFY(writeFile(path(file), content));
    for (QString& a : args) {
        if (a == "@")
            a = path(file);
        else if (a == "#")
            a = examples().value(0);
        else if (a == "!")
            a = path("empty-city.db3");
    }
    // Databases given last win for the rows that point at their own.
    const bool ownDatabases = args.contains("--weather") || args.contains("--products");
    QStringList full = args;
    if (ownDatabases) {
        if (!args.contains("--weather"))
            full << "--weather" << path("Weather.db3");
        if (!args.contains("--products"))
            full << "--products" << path("Product.mdb");
    }
    const Run r = run(full, !ownDatabases);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    // One line says why; warnings about the input may come before it.
    QStringList lines = r.err.trimmed().split('\n');
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString& l) { return l.startsWith("lumoeco: warning:"); }),
                lines.end());
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines.first().contains(message));
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    if (!file.isEmpty() && !content.isEmpty()) {
        QFile f(path(file));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content); // the input is never written
    }
}

void TestCli::importThenCalculate()
{
    // Without other units the year is calculated with --without-other.
    QJsonObject emptyOther;
    emptyOther.insert("unit_group", QJsonArray());
    const QString emptied = variant("emptied.ee", {{"other_vrf", emptyOther}});
    Run r = run({"calculate", emptied, "--without-other", "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject year =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value("year").toObject();
    QVERIFY(year.value("own_kwh").toDouble() > 0.0);
    QCOMPARE(year.value("other_kwh").toDouble(), 0.0);
    QCOMPARE(year.value("ratio_percent").toDouble(), 0.0);

    // An export file imports into a project file that calculates.
    const QString eed = path("selection.eed");
    QVERIFY(writeFile(eed, R"({"project_parameter":{
        "project_climate":{"cooling_room_dry":25,"heating_room_dry":20},
        "project_information":{"project_name":"From selection","date":"2024-05-06",
                               "country":"France","city":"Paris"}},
        "odu_array":[{"id_series":-1,"product_code":"Quellmark VXS-560","name":"VX heat pump","quantity":2},
                     {"id_series":-1,"product_code":"Quellmark VXS-560","name":"VX heat pump","quantity":0}],
        "idu_array":[{"id_series":-1,"product_code":"Quellmark Wall WM-56","name":"Wall-mounted","quantity":18}]})"));
    const QString out = path("imported.ee");
    r = run({"import", eed, "-o", out});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("1 outdoor and 1 indoor"));
    const QJsonObject saved = readJson(out);
    QCOMPARE(saved.value("name").toString(), QString("From selection"));
    QCOMPARE(saved.value("own_vrf").toObject().value("unit_group").toArray().size(), 2);
    // The import's peak-load check, as after Open: 110 % of 2 x 56 kW.
    BRIVANTA_COMPARE_NEAR(saved.value("cooling_peak_load").toDouble(), 2 * 56.0 * 1.1, 1e-9);
    r = run({"calculate", out, "--without-other"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("Paris"));
    // The same export file calculates directly.
    r = run({"calculate", eed, "--without-other", "--format", "csv"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    // A project database without equipment: imported, with the warning on one line.
    const QString vrf = path("noequipment.vrf");
    {
        HDatabase db;
        QVERIFY(db.createDatabase(vrf));
        QVERIFY(db.exec("create table r_material (scope text, type integer, id_series integer, "
                        "description text, model text, quantity integer)"));
        QVERIFY(db.exec("create table p_project_info (project_base_info text)"));
        QVERIFY(
            db.exec("insert into p_project_info values (?)",
                    {R"({"project_parameter":{"project_information":{"project_name":"Empty"}}})"}));
        db.closeDatabase();
    }
    r = run({"import", vrf});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.contains("No find equipment info in this project file"), qPrintable(r.err));
    QCOMPARE(r.err.trimmed().count('\n'), 0);
    QCOMPARE(readJson(path("noequipment.ee")).value("name").toString(), QString("Empty"));
}

void TestCli::inputWarnings()
{
    // Values the reading rules take as 0 are calculated as before, but not quietly.
    const QString project =
        variant("typed.ee", {{"electricity_price", "abc"}, {"gas_price", -0.3}});
    const Run r = run({"calculate", project, "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList lines = r.err.trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("lumoeco: warning: \"electricity_price\" is not a number "
                                 "(\"abc\"); read as 0."),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith("lumoeco: warning: \"gas_price\" is negative (-0.3)"),
             qPrintable(lines[1]));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray warnings = root.value("warnings").toArray();
    QCOMPARE(warnings.size(), 2);
    QCOMPARE("lumoeco: warning: " + warnings.at(0).toString(), lines[0]);
    QCOMPARE(root.value("year").toObject().value("own_cost").toDouble(), 0.0);
    QVERIFY(root.value("year").toObject().value("own_kwh").toDouble() > 0.0);

    // Without a schedule no hour runs: the year is 0, and the user is told why.
    QJsonObject noSchedule = readJson(examples().value(0));
    noSchedule.remove("operation_map");
    writeFile(path("noschedule.ee"), QJsonDocument(noSchedule).toJson());
    const Run off = run({"calculate", path("noschedule.ee"), "--format", "json"});
    QVERIFY2(off.exitCode == 0, qPrintable(off.err));
    QVERIFY2(off.err.contains("\"operation_map\" is missing: no hour of the year runs"),
             qPrintable(off.err));
    QCOMPARE(QJsonDocument::fromJson(off.out.toUtf8())
                 .object()
                 .value("year")
                 .toObject()
                 .value("own_kwh")
                 .toDouble(),
             0.0);
}

void TestCli::missingModelsAreNamed()
{
    const QJsonObject hotel = readJson(examples().value(0));
    QVERIFY(hotel.value("name").toString().contains("hotel", Qt::CaseInsensitive));
    // The hotel's own lines: 2 x VXC-1680 outdoor, 40 wall-mounted, 8 high-static ducts.
    const auto withModel = [&](const QString& name, int line, const QString& model) {
        QJsonObject root = hotel;
        QJsonObject own = root.value("own_vrf").toObject();
        QJsonArray group = own.value("unit_group").toArray();
        QJsonObject unit = group.at(line - 1).toObject();
        unit.insert("unit_productcode", model);
        group.replace(line - 1, unit);
        own.insert("unit_group", group);
        root.insert("own_vrf", own);
        writeFile(path(name), QJsonDocument(root).toJson());
        return path(name);
    };

    // A misspelt indoor model: the year is calculated without that line, and said so.
    Run r =
        run({"calculate", withModel("indoor.ee", 2, "Quellmark Wall WM-65"), "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString named = "Own indoor unit line 2 (category \"Wall-mounted\", model "
                          "\"Quellmark Wall WM-65\") is not in the product database";
    QVERIFY2(r.err.contains("lumoeco: warning: " + named), qPrintable(r.err));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QVERIFY(root.value("warnings").toArray().first().toString().startsWith(named));
    const QJsonArray missing = root.value("missing_models").toArray();
    QCOMPARE(missing.size(), 1);
    QCOMPARE(missing.first().toObject(),
             QJsonObject({{"line", 2},
                          {"outdoor", false},
                          {"category", "Wall-mounted"},
                          {"model", "Quellmark Wall WM-65"}}));

    // A misspelt outdoor model leaves no capacity: no year of zeros, but a refusal that
    // says why and what to do; the peak loads are reported, not silently zeroed.
    r = run({"calculate", withModel("outdoor.ee", 1, "Quellmark VXC-1860")});
    QCOMPARE(r.exitCode, 3);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains("Own outdoor unit line 1 (category \"VX heat pump combined\", model "
                            "\"Quellmark VXC-1860\")"),
             qPrintable(r.err));
    const QString refusal = r.err.trimmed().split('\n').last();
    QVERIFY2(refusal.startsWith("lumoeco: The VELA outdoor units have no cooling or heating "
                                "capacity"),
             qPrintable(refusal));
    QVERIFY2(refusal.contains("lumoeco products list --outdoor"), qPrintable(refusal));

    // The import names the line as well, and its summary counts it.
    const QString eed = path("misspelt.eed");
    QVERIFY(writeFile(eed, R"({"odu_array":[{"id_series":-1,"product_code":"Quellmark VXS-560",
        "name":"VX heat pump","quantity":2}],"idu_array":[{"id_series":-1,
        "product_code":"Quellmark Wall WM-65","name":"Wall-mounted","quantity":18}]})"));
    r = run({"import", eed, "-o", path("misspelt.ee")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("1 outdoor and 1 indoor unit lines")
                 && r.out.contains("(1 line has a model not in the product database)"),
             qPrintable(r.out));
    QVERIFY2(r.err.contains("Own indoor unit line 1 (category \"Wall-mounted\", model "
                            "\"Quellmark Wall WM-65\")"),
             qPrintable(r.err));
}

void TestCli::peakLoadReplacementIsReported()
{
    // The Paris school's own system: 3 x VXS-560, rated 56 kW cooling and 62.7 kW
    // heating each. A heating peak of 120 kW is below 188.1 / 1.5 = 125.4 kW.
    const QString project =
        variant("peak.ee", {{"heating_peak_load", 120.0}}, QStringLiteral("school_paris.ee"));
    Run r = run({"calculate", project, "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.err,
             QString("lumoeco: warning: The heating peak load 120.00 kW is outside 50%-150% of "
                     "the own system's outdoor heating capacity 188.10 kW; 206.91 kW (110% of "
                     "the capacity) is used instead.\n"));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject peak = root.value("peak_load").toObject();
    QCOMPARE(peak.value("replaced").toBool(), true);
    QCOMPARE(peak.value("input_heating_kw").toDouble(), 120.0);
    BRIVANTA_COMPARE_NEAR(peak.value("heating_kw").toDouble(), 3 * 62.7 * 1.1, 1e-9);
    QCOMPARE(peak.value("input_cooling_kw").toDouble(), 150.0);
    QCOMPARE(peak.value("cooling_kw").toDouble(), 150.0);
    QCOMPARE(root.value("warnings").toArray().size(), 1);

    r = run({"calculate", project});
    QVERIFY2(r.out.contains("Peak loads   cooling 150.00 kW, heating 206.91 kW (after the "
                            "capacity check; given: cooling 150.00 kW, heating 120.00 kW)"),
             qPrintable(r.out));
}

void TestCli::missingWeatherReadingIsInterpolated()
{
    // Harbin in July: 15 July 14:00 has no valid reading in either year of the table.
    const QString weather = path("gap.db3");
    QVERIFY(QFile::copy(path("Weather.db3"), weather));
    {
        HDatabase db;
        QVERIFY(db.openDatabase(weather));
        QVERIFY(db.exec("update [CHN_Harbin] set dry_temp = 999 where month = 7 and day = 15 "
                        "and hour = 14"));
        db.closeDatabase();
    }
    QString hotel;
    for (const QString& file : examples())
        if (file.contains("harbin"))
            hotel = file;
    const QString csv = path("gap.csv");
    const Run r = run({"calculate", hotel, "--format", "json", "--hourly", csv, "--weather",
                       weather, "--products", path("Product.mdb")},
                      false);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.err,
             QString("lumoeco: warning: The weather year lacks a valid reading in 1 of its 8760 "
                     "hours; their temperature and humidity were interpolated between the "
                     "nearest hours with readings.\n"));
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(root.value("location").toObject().value("filled_hours").toInt(), 1);

    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList header = lines[0].split(',');
    const int dry = header.indexOf("dry_bulb_c");
    const int heating = header.indexOf("building_heating_kw");
    int at = -1;
    for (int i = 1; i < lines.size(); ++i)
        if (lines[i].startsWith("7,15,14,"))
            at = i;
    QVERIFY(at > 1);
    const double before = lines[at - 1].split(',')[dry].toDouble();
    const double after = lines[at + 1].split(',')[dry].toDouble();
    const QStringList hour = lines[at].split(',');
    // A summer afternoon, not 0 degrees with a heating load.
    BRIVANTA_COMPARE_NEAR(hour[dry].toDouble(), (before + after) / 2.0, 1e-9);
    QVERIFY(hour[dry].toDouble() > 15.0);
    QCOMPARE(hour[heating].toDouble(), 0.0);
}

void TestCli::outputsThatAreNotFiles()
{
    const QString project = examples().value(0);
    // "-": the hourly rows on standard output, in place of the results.
    Run r = run({"calculate", project, "--hourly", "-"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8761);
    QVERIFY(lines.first().startsWith("month,day,hour,"));

    // A named pipe is written into, and stays a pipe.
    const QString fifo = path("hours.fifo");
    QFile::remove(fifo);
    QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
    QProcess reader;
    reader.setStandardOutputFile(path("fifo.out")); // a pipe back to us would fill up
    reader.start("cat", {fifo});
    QVERIFY(reader.waitForStarted());
    r = run({"calculate", project, "--hourly", fifo, "--format", "csv"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    if (!reader.waitForFinished(10000)) {
        reader.kill();
        reader.waitForFinished();
        QFAIL("the pipe was never written");
    }
    QFile out(path("fifo.out"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(out.readAll()).split('\n', Qt::SkipEmptyParts).size(), 8761);
    const QFileInfo info(fifo);
    QVERIFY(info.exists() && !info.isFile());

    // An import printed on standard output; its summary goes to standard error.
    const QString eed = path("printed.eed");
    QVERIFY(writeFile(eed, R"({"odu_array":[{"id_series":-1,"product_code":"Quellmark VXS-560",
        "name":"VX heat pump","quantity":1}]})"));
    r = run({"import", eed, "-o", "-"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject printed = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(printed.value("own_vrf").toObject().value("unit_group").toArray().size(), 1);
    QVERIFY2(r.err.contains("Imported 1 outdoor and 0 indoor unit lines into -"),
             qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(path("-")));
}

void TestCli::curves()
{
    Run r = run({"curves"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList blocks = r.out.split("\n\n");
    QCOMPARE(blocks.size(), 2);
    QStringList eir = blocks[0].split('\n');
    QCOMPARE(eir.size(), 14); // title + 13 rates
    QCOMPARE(eir[1].left(10), QString("         0"));
    QCOMPARE(eir[13].left(10), QString("       120"));
    // Without a project the own system has no units: its column reads 0.
    QCOMPARE(eir[11].split('\t').value(1).trimmed(), QString("0"));

    r = run({"curves", examples().value(0)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    eir = r.out.split("\n\n").value(0).split('\n');
    QCOMPARE(eir.size(), 14);
    QVERIFY(eir[11].split('\t').value(1).trimmed().toDouble() > 0.0);
}

void TestCli::weatherCommands()
{
    Run r = run({"weather", "list"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("France\tParis\t"));
    QVERIFY(r.out.contains("Canada\tSt. John's\t"));
    const int cities = r.out.trimmed().split('\n').size() - 1;
    QVERIFY(cities >= 30);

    r = run({"weather", "analyse", "France", "Paris", "--json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject extreme = root.value("extreme_result").toObject();
    const QJsonArray bins = root.value("statis_result").toArray();
    QCOMPARE(extreme.value("IgnoreHours").toInt(), 35);
    QCOMPARE(extreme.value("totalHours").toInt(), 8760);
    QVERIFY(!bins.isEmpty());
    QCOMPARE(bins.first().toObject().value("temp_times_month").toArray().size(), 12);

    // With no hours left out the design temperature is the maximum.
    r = run({"weather", "analyse", "France", "Paris", "--hours", "0", "--json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(root.value("extreme_result").toObject().value("AverageTemperature").toDouble(),
             root.value("extreme_result").toObject().value("MaxTemperature").toDouble());

    // With every hour but one left out it is the minimum.
    r = run({"weather", "analyse", "France", "Paris", "--hours", "8759", "--json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(root.value("extreme_result").toObject().value("AverageTemperature").toDouble(),
             root.value("extreme_result").toObject().value("MinTemperature").toDouble());

    r = run({"weather", "analyse", "Canada", "St. John's", "--percent", "1"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("exceeded by 87 hours"));
    // The design hour as an ISO date of the calendar year 2015.
    QVERIFY2(
        QRegularExpression("design hour 2015-\\d\\d-\\d\\d \\d\\d:00\\)").match(r.out).hasMatch(),
        qPrintable(r.out));
    // A city is found regardless of case when only one table matches.
    r = run({"weather", "analyse", "canada", "ST. JOHN'S", "--percent", "1"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("exceeded by 87 hours"));

    r = run({"weather", "design"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QStringList lines = r.out.trimmed().split('\n');
    QCOMPARE(lines.size(), cities + 1);
    QVERIFY(!r.out.contains("\t-\t"));

    r = run({"weather", "design", "--write"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    HDatabase db;
    QVERIFY(db.openDatabase(path("Weather.db3")));
    QSqlQuery q =
        db.query("select [SummeryDry], [WinterWet] from tb_glb_idx where [city] = ?", {"Paris"});
    QVERIFY(q.next());
    QVERIFY(q.value(0).toDouble() > 20.0);
    QVERIFY(q.value(1).toDouble() > 0.0);
    db.closeDatabase();
}

void TestCli::weatherImportRealFile()
{
    const QString epw =
        QStringLiteral(BRIVANTA_SHARED_DATA "/weather/NLD_Amsterdam062400_IWEC.epw");
    BRIVANTA_REQUIRE_SHARED_FILE(epw);
    Run r = run({"weather", "import", epw, "--country", "Netherlands", "--city", "Amsterdam"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains("8760 readings"));
    r = run({"weather", "list"});
    QVERIFY(r.out.contains("Netherlands\tAmsterdam\t"));

    // A project in the imported city calculates.
    const QString project =
        variant("amsterdam.ee", {{"country", "Netherlands"}, {"city", "Amsterdam"}});
    r = run({"calculate", project, "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    // Extremes and the 35-hour design temperature read from the file with a separate script.
    const QJsonObject location =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value("location").toObject();
    BRIVANTA_COMPARE_NEAR(location.value("max_temp").toDouble(), 32.7, 1e-12);
    BRIVANTA_COMPARE_NEAR(location.value("min_temp").toDouble(), -8.4, 1e-12);
    BRIVANTA_COMPARE_NEAR(location.value("design_temp").toDouble(), 28.0, 1e-12);

    // A truncated weather file is refused and adds nothing.
    QFile src(epw);
    QVERIFY(src.open(QIODevice::ReadOnly));
    QVERIFY(writeFile(path("cut.epw"), src.read(200000)));
    r = run({"weather", "import", path("cut.epw"), "--country", "Netherlands", "--city", "Cut"});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.err.trimmed().count('\n'), 0);
    r = run({"weather", "list"});
    QVERIFY(!r.out.contains("\tCut\t"));
}

void TestCli::productsList_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("type");     // every line's type, empty: both
    QTest::addColumn<QString>("category"); // every line's category, empty: any

    QTest::newRow("all") << QStringList{} << ""
                         << "";
    QTest::newRow("outdoor") << QStringList{"--outdoor"} << "outdoor"
                             << "";
    QTest::newRow("indoor wall-mounted")
        << QStringList{"--indoor", "--category", "Wall-mounted"} << "indoor"
        << "Wall-mounted";
}

void TestCli::productsList()
{
    QFETCH(QStringList, options);
    QFETCH(QString, type);
    QFETCH(QString, category);

    const Run r = run(QStringList{"products", "list"} + options);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList lines = r.out.trimmed().split('\n');
    QVERIFY(lines.size() > 3);
    QSet<QString> types;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList c = lines[i].split('\t');
        QCOMPARE(c.size(), 7);
        types.insert(c[0]);
        if (!type.isEmpty())
            QCOMPARE(c[0], type);
        if (!category.isEmpty())
            QCOMPARE(c[1], category);
        QVERIFY(c[3].toDouble() > 0.0); // rated cooling capacity
    }
    if (type.isEmpty())
        QCOMPARE(types.size(), 2);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
