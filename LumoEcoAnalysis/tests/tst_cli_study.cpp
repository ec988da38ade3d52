// lumoeco's engineers' figures (calculate) and the sweep over cities: every sweep row
// equals calculate of its variant, and a failing variant stops no other.

#include "tst_cli_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>

using clitest::readJson;
using clitest::Run;

namespace {

QJsonObject parse(const Run& r)
{
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

QJsonValue at(const QJsonObject& root, const QString& path)
{
    QJsonValue v = root;
    for (const QString& key : path.split('.'))
        v = v.toObject().value(key);
    return v;
}

// Lines of a CSV text that holds no quoted commas, split into cells.
QVector<QStringList> csvRows(const QString& text)
{
    QVector<QStringList> rows;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
        rows << line.split(',');
    return rows;
}

} // namespace

class TestCliStudy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void figuresFromTheHours();
    void figuresWithoutABasis();
    void figuresInEveryFormat();
    void sweepRowsEqualCalculate();
    void sweepOutputs();
    void sweepRefusals_data();
    void sweepRefusals();

private:
    clitest::Fixture m_cli;
};

void TestCliStudy::initTestCase()
{
    m_cli.init();
    // A city whose weather table holds no valid reading: its calculation fails.
    QVERIFY(clitest::addEmptyCity(m_cli.path("Weather.db3")));
}

void TestCliStudy::figuresFromTheHours()
{
    // The Paris school: 3600 m2; own 3 x VXS-560 (56 kW cooling, 62.7 kW heating), other
    // 3 x 56 / 63 kW; peak loads 150 kW cooling and 180 kW heating.
    const QString csv = m_cli.path("school-hours.csv");
    const Run r = m_cli.run(
        {"calculate", clitest::example("school_paris.ee"), "--format", "json", "--hourly", csv});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject root = parse(r);
    const QJsonObject year = root.value("year").toObject();
    const QJsonObject own = root.value("figures").toObject().value("own").toObject();
    const QJsonObject other = root.value("figures").toObject().value("other").toObject();
    QCOMPARE(root.value("figures").toObject().value("build_area_m2").toDouble(), 3600.0);
    BRIVANTA_COMPARE_NEAR(own.value("kwh_per_m2").toDouble(),
                          year.value("own_kwh").toDouble() / 3600.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(other.value("kwh_per_m2").toDouble(),
                          year.value("other_kwh").toDouble() / 3600.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(own.value("cooling_capacity_percent_of_peak").toDouble(),
                          3 * 56.0 / 150.0 * 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(own.value("heating_capacity_percent_of_peak").toDouble(),
                          3 * 62.7 / 180.0 * 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(other.value("heating_capacity_percent_of_peak").toDouble(),
                          3 * 63.0 / 180.0 * 100.0, 1e-12);

    // The split and the energy delivered, summed from the hourly rows.
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QVector<QStringList> rows = csvRows(QString::fromUtf8(f.readAll()));
    QCOMPARE(rows.size(), 8761);
    const QStringList h = rows[0];
    double ownCooling = 0, ownHeating = 0, otherCooling = 0, otherHeating = 0;
    double coolingLoad = 0, heatingLoad = 0;
    for (int i = 1; i < rows.size(); ++i) {
        const QStringList& c = rows[i];
        auto v = [&](const char* column) {
            return c[h.indexOf(column)].toDouble();
        };
        const double ownKWh = v("own_odu_kwh") + v("own_idu_kwh");
        const double otherKWh = v("other_odu_kwh") + v("other_idu_kwh");
        (v("own_ratio") > 0 ? ownCooling : ownHeating) += ownKWh;
        (v("other_ratio") > 0 ? otherCooling : otherHeating) += otherKWh;
        if (v("schedule_on") == 1 && v("thermostat_on") == 1) {
            coolingLoad += v("building_cooling_kw");
            heatingLoad += v("building_heating_kw");
        }
    }
    QVERIFY(ownCooling > 0 && ownHeating > 0);
    BRIVANTA_COMPARE_NEAR(own.value("cooling_kwh").toDouble(), ownCooling, 1e-9);
    BRIVANTA_COMPARE_NEAR(own.value("heating_kwh").toDouble(), ownHeating, 1e-9);
    BRIVANTA_COMPARE_NEAR(other.value("cooling_kwh").toDouble(), otherCooling, 1e-9);
    BRIVANTA_COMPARE_NEAR(other.value("heating_kwh").toDouble(), otherHeating, 1e-9);
    // Both systems deliver the building's load in the hours they run.
    for (const QJsonObject& sys : {own, other}) {
        BRIVANTA_COMPARE_NEAR(sys.value("cooling_delivered_kwh").toDouble(), coolingLoad, 1e-9);
        BRIVANTA_COMPARE_NEAR(sys.value("heating_delivered_kwh").toDouble(), heatingLoad, 1e-9);
    }
    BRIVANTA_COMPARE_NEAR(own.value("seasonal_cooling_efficiency").toDouble(),
                          coolingLoad / ownCooling, 1e-9);
    BRIVANTA_COMPARE_NEAR(other.value("seasonal_heating_efficiency").toDouble(),
                          heatingLoad / otherHeating, 1e-9);
    BRIVANTA_COMPARE_NEAR(own.value("seasonal_efficiency").toDouble(),
                          (coolingLoad + heatingLoad) / (ownCooling + ownHeating), 1e-9);

    // The other system's bins: the own system's hours, and the other system's energy.
    const QJsonObject ownBins = root.value("own_temperature_bins").toObject();
    const QJsonObject otherBins = root.value("other_temperature_bins").toObject();
    double binned = 0.0;
    for (const char* mode : {"cooling", "heating"}) {
        const QJsonArray a = ownBins.value(mode).toArray(), b = otherBins.value(mode).toArray();
        QCOMPARE(b.size(), a.size());
        for (int i = 0; i < a.size(); ++i) {
            for (const char* key : {"temp", "hours", "load_ratio", "building_load_kw"})
                QCOMPARE(b[i].toObject().value(key), a[i].toObject().value(key));
            binned += b[i].toObject().value("total_kwh").toDouble();
        }
    }
    BRIVANTA_COMPARE_NEAR(binned, year.value("other_kwh").toDouble(), 1e-9);
}

void TestCliStudy::figuresWithoutABasis()
{
    // No floor area, and an other system without units.
    QJsonObject p = readJson(clitest::example("school_paris.ee"));
    p.insert("build_area", 0.0);
    p.insert("other_vrf", QJsonObject{{"unit_group", QJsonArray()}});
    const QString file = m_cli.path("nobasis.ee");
    QVERIFY(brivanta::test::writeFile(file, QJsonDocument(p).toJson()));

    Run r = m_cli.run({"calculate", file, "--without-other", "--format", "json"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject figures = parse(r).value("figures").toObject();
    QVERIFY(figures.value("own").toObject().value("kwh_per_m2").isNull());
    QVERIFY(!figures.value("own").toObject().value("seasonal_efficiency").isNull());
    const QJsonObject other = figures.value("other").toObject();
    QVERIFY(other.value("seasonal_efficiency").isNull());
    QCOMPARE(other.value("cooling_capacity_percent_of_peak").toDouble(), 0.0);

    r = m_cli.run({"calculate", file, "--without-other", "--format", "csv"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString block = r.out.mid(r.out.indexOf("\nsystem,") + 1);
    const QVector<QStringList> rows = csvRows(block);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[1][0], QString("own"));
    QCOMPARE(rows[1][1], QString()); // kWh per m2
    QCOMPARE(rows[2][8], QString()); // the other system's seasonal efficiency

    r = m_cli.run({"calculate", file, "--without-other"});
    QVERIFY2(r.out.contains(QRegularExpression("kWh per m2 and year +- +-\n")), qPrintable(r.out));
}

void TestCliStudy::figuresInEveryFormat()
{
    const QString project = clitest::example("hotel_harbin.ee");
    const Run json = m_cli.run({"calculate", project, "--format", "json"});
    const Run csv = m_cli.run({"calculate", project, "--format", "csv"});
    const Run table = m_cli.run({"calculate", project});
    QVERIFY2(json.exitCode == 0 && csv.exitCode == 0 && table.exitCode == 0, qPrintable(csv.err));
    const QJsonObject root = parse(json);
    const QJsonObject figures = root.value("figures").toObject();

    // The CSV's last block: one row per system, the members of figures.own as columns.
    const QVector<QStringList> rows = csvRows(csv.out.mid(csv.out.indexOf("\nsystem,") + 1));
    QCOMPARE(rows.size(), 3);
    const QStringList header = rows[0];
    const QStringList members = figures.value("own").toObject().keys();
    QCOMPARE(QSet<QString>(header.begin() + 1, header.end()),
             QSet<QString>(members.begin(), members.end()));
    for (int i = 1; i <= 2; ++i) {
        const QJsonObject sys = figures.value(rows[i][0]).toObject();
        QVERIFY(!sys.isEmpty());
        for (int c = 1; c < header.size(); ++c)
            BRIVANTA_COMPARE_NEAR(rows[i][c].toDouble(), sys.value(header[c]).toDouble(), 1e-13);
    }
    // The bins' last three columns are the other system's.
    const int binsAt = csv.out.indexOf("\nmode,") + 1;
    const QVector<QStringList> bins =
        csvRows(csv.out.mid(binsAt, csv.out.indexOf("\n\n", binsAt) - binsAt));
    QCOMPARE(bins[0].mid(9), (QStringList{"other_odu_kwh", "other_idu_kwh", "other_total_kwh"}));
    const QJsonObject firstOther =
        root.value("other_temperature_bins").toObject().value("cooling").toArray()[0].toObject();
    BRIVANTA_COMPARE_NEAR(bins[1][11].toDouble(), firstOther.value("total_kwh").toDouble(), 1e-13);

    const QJsonObject own = figures.value("own").toObject();
    QVERIFY(table.out.contains(
        QString("kWh per m2 and year%1")
            .arg(QString::number(own.value("kwh_per_m2").toDouble(), 'f', 2), 26)));
    QVERIFY(table.out.contains("Seasonal heating efficiency"));
    QVERIFY(table.out.contains("Other kWh"));
}

void TestCliStudy::sweepRowsEqualCalculate()
{
    // Four cities, the second of which cannot be calculated, at two peak-load scales.
    const QString project = clitest::example("school_paris.ee");
    const Run r = m_cli.run({"sweep", project, "--cities",
                             "France/Paris,France/Emptyville,China/Harbin,singapore/SINGAPORE",
                             "--peak-scale", "1,1.2", "--jobs", "2", "--format", "json"});
    QCOMPARE(r.exitCode, 4);
    const QJsonArray rows = parse(r).value("rows").toArray();
    QCOMPARE(rows.size(), 8);
    const QStringList cities{"Paris",  "Paris",  "Emptyville", "Emptyville",
                             "Harbin", "Harbin", "Singapore",  "Singapore"};
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows[i].toObject();
        QCOMPARE(row.value("city").toString(), cities[i]);
        QCOMPARE(row.value("peak_scale").toDouble(), i % 2 ? 1.2 : 1.0);
        const bool empty = cities[i] == "Emptyville";
        QCOMPARE(row.value("status").toString(), QString(empty ? "failed" : "ok"));
        if (empty) {
            QVERIFY2(row.value("error").toString().contains("holds no valid readings"),
                     qPrintable(row.value("error").toString()));
            QVERIFY(row.value("own_kwh").isNull());
        }
    }
    // Progress: one line per variant, and the failed one named.
    QCOMPARE(r.err.count(QRegularExpression("\\[\\d/8\\] ")), 8);
    QVERIFY2(r.err.contains("Emptyville, France x1.2: failed:"), qPrintable(r.err));

    // Each row as calculate gives it for the project moved to that city (and scaled).
    const QVector<QPair<QString, QString>> columns{
        {"own_kwh", "year.own_kwh"},
        {"other_kwh", "year.other_kwh"},
        {"ratio_percent", "year.ratio_percent"},
        {"own_cost", "year.own_cost"},
        {"other_cost", "year.other_cost"},
        {"design_temp", "location.design_temp"},
        {"max_temp", "location.max_temp"},
        {"cooling_peak_kw", "peak_load.cooling_kw"},
        {"heating_peak_kw", "peak_load.heating_kw"},
        {"own_kwh_per_m2", "figures.own.kwh_per_m2"},
        {"other_kwh_per_m2", "figures.other.kwh_per_m2"},
        {"own_heating_kwh", "figures.own.heating_kwh"},
        {"other_seasonal_cooling_efficiency", "figures.other.seasonal_cooling_efficiency"},
        {"own_heating_capacity_percent_of_peak", "figures.own.heating_capacity_percent_of_peak"},
    };
    for (const int i : {0, 4, 5, 6}) {
        const QJsonObject row = rows[i].toObject();
        const QString file = m_cli.path(QStringLiteral("variant-%1.ee").arg(i));
        QFile::remove(file);
        QVERIFY(QFile::copy(project, file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QStringList values{"country=" + row.value("country").toString(),
                           "city=" + row.value("city").toString()};
        if (i % 2) // 150 and 180 kW x 1.2
            values << "cooling_peak_load=180"
                   << "heating_peak_load=216";
        const Run set = m_cli.run(QStringList{"project", "set", file} + values);
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
        const Run single = m_cli.run({"calculate", file, "--format", "json"});
        QVERIFY2(single.exitCode == 0, qPrintable(single.err));
        const QJsonObject expected = parse(single);
        for (const auto& c : columns)
            QVERIFY2(row.value(c.first) == at(expected, c.second),
                     qPrintable(QStringLiteral("row %1, %2: %3, calculate: %4")
                                    .arg(i)
                                    .arg(c.first)
                                    .arg(row.value(c.first).toDouble(), 0, 'g', 17)
                                    .arg(at(expected, c.second).toDouble(), 0, 'g', 17)));
        QCOMPARE(row.value("weather_table").toString(),
                 at(expected, "location.weather_table").toString());
        QCOMPARE(row.value("warnings").toArray(), expected.value("warnings").toArray());
    }
}

void TestCliStudy::sweepOutputs()
{
    const QString project = clitest::example("office_singapore.ee");
    const QString rowsFile = m_cli.path("rows.csv");
    Run csv = m_cli.run({"sweep", project, "--cities", "Singapore/Singapore,China/Harbin", "-o",
                         rowsFile, "--jobs", "1"});
    QVERIFY2(csv.exitCode == 0, qPrintable(csv.err));
    QVERIFY(csv.out.isEmpty());
    const Run json = m_cli.run(
        {"sweep", project, "--cities", "Singapore/Singapore,China/Harbin", "--format", "json"});
    QVERIFY2(json.exitCode == 0, qPrintable(json.err));

    // The columns are the documented ones, in CSV and JSON alike.
    QFile f(rowsFile);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QStringList header = lines[0].split(',');
    const QSet<QString> documented = clitest::documentedNames("## Sweep rows");
    QCOMPARE(QSet<QString>(header.begin(), header.end()), documented);
    const QJsonArray rows = parse(json).value("rows").toArray();
    QCOMPARE(rows.size(), 2);
    const QStringList keys = rows[0].toObject().keys();
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()), documented);
    for (int i = 0; i < 2; ++i) {
        const QStringList cells = lines[i + 1].split(',');
        const QJsonObject row = rows[i].toObject();
        for (int c = 0; c < header.size(); ++c) {
            const QJsonValue v = row.value(header[c]);
            if (v.isDouble())
                BRIVANTA_COMPARE_NEAR(cells[c].toDouble(), v.toDouble(), 1e-13);
            else if (v.isString())
                QCOMPARE(cells[c], v.toString());
        }
    }
    QCOMPARE(rows[1].toObject().value("city").toString(), QString("Harbin"));
}

void TestCliStudy::sweepRefusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    const QString project = clitest::example("school_paris.ee");
    QTest::newRow("no cities") << QStringList{"sweep", project} << "give the cities";
    QTest::newRow("unknown city") << QStringList{"sweep", project, "--cities",
                                                 "France/Paris,France/Atlantis,Lyon"}
                                  << "Not a city of the weather database";
    QTest::newRow("city list missing")
        << QStringList{"sweep", project, "--cities", "@nowhere.txt"} << "cannot read the city list";
    QTest::newRow("scale 0") << QStringList{"sweep", project,        "--cities",
                                            "all",   "--peak-scale", "1,0"}
                             << "--peak-scale takes numbers above 0";
    QTest::newRow("jobs 0") << QStringList{"sweep", project, "--cities", "all", "--jobs", "0"}
                            << "--jobs takes a whole number from 1 up";
    QTest::newRow("table format") << QStringList{"sweep", project,    "--cities",
                                                 "all",   "--format", "table"}
                                  << "csv or json";
    QTest::newRow("export file") << QStringList{"sweep", "project.eed", "--cities", "all"}
                                 << "import .eed or .vrf files first";
    QTest::newRow("rows over the project")
        << QStringList{"sweep", project, "--cities", "all", "-o", project}
        << "would replace the project file";
    QTest::newRow("option of another command")
        << QStringList{"sweep", project, "--cities", "all", "--hourly", "h.csv"}
        << "does not apply to 'sweep'";
}

void TestCliStudy::sweepRefusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = m_cli.run(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY2(!r.err.contains("worker"), qPrintable(r.err)); // refused before any ran
}

QTEST_GUILESS_MAIN(TestCliStudy)
#include "tst_cli_study.moc"
