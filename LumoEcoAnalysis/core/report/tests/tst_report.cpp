// The workbook of the report, read back with an independent reader (openpyxl, through
// read_workbook.py) on small projects whose figures are set by hand.
#include "CUnitFun.h"
#include "HDay.h"
#include "HHour.h"
#include "HJsonConfig.h"
#include "HMonth.h"
#include "HProject.h"
#include "HReport.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"
#include "tst_report_fixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace reportfixture;

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sheetsDatesAndNames_data();
    void sheetsDatesAndNames();
    void buildingInfoInDisplayUnits_data();
    void buildingInfoInDisplayUnits();
    void operationalInfo();
    void comparisonResult();
    void statisticsRows_data();
    void statisticsRows();
    void weatherBins_data();
    void weatherBins();
    void hourlySheet_data();
    void hourlySheet();
    void printAllFromConfiguration_data();
    void printAllFromConfiguration();
    void refusedReports_data();
    void refusedReports();
    void replacesAnExistingFile();
    void defaultPath();

private:
    QString write(HReport& report);
    QTemporaryDir m_dir;
    Workbook m_standard; // makeProject() with its defaults, written once
};

void TestReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {"-c", "import openpyxl"});
    QVERIFY2(probe.waitForFinished(60000) && probe.exitCode() == 0,
             "python3-openpyxl is needed to read the workbooks (scripts/install-deps.sh)");
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
    makeProject();
    HReport report;
    report.setPrintAll(false);
    m_standard = readWorkbook(write(report), {"--values"});
    QCOMPARE(m_standard.sheets.size(), 9);
}

void TestReport::init()
{
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
    CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
    CUnitFun::SetUnitLength(CUnitFun::LengthMetre);
}

void TestReport::cleanup()
{
    init();
    HProject::reset();
}

QString TestReport::write(HReport& report)
{
    static int n = 0;
    const QString path = m_dir.filePath(QStringLiteral("report%1.xlsx").arg(++n));
    QString error;
    const bool ok = report.generateReport(path, &error);
    if (!ok)
        qWarning() << error;
    return ok ? path : QString();
}

void TestReport::sheetsDatesAndNames_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("dateCell");
    QTest::addColumn<QString>("nameCell");
    QTest::newRow("Project Info") << "Project Info"
                                  << "D9"
                                  << "D10";
    QTest::newRow("Building Info") << "Building Info"
                                   << "F8"
                                   << "F9";
    QTest::newRow("Operational Info") << "Operational Info"
                                      << "E8"
                                      << "E9";
    QTest::newRow("Comparison Result") << "Comparison Result"
                                       << "E8"
                                       << "E9";
    QTest::newRow("Load_Energy Estimate Result") << "Load_Energy Estimate Result"
                                                 << "E8"
                                                 << "E9";
    QTest::newRow("Graph Cooling Part Load") << "Graph Cooling Part Load"
                                             << "E8"
                                             << "E9";
    QTest::newRow("Graph Heating Part Load") << "Graph Heating Part Load"
                                             << "E8"
                                             << "E9";
    QTest::newRow("Weather Info") << "Weather Info"
                                  << "E8"
                                  << "E9";
}

void TestReport::sheetsDatesAndNames()
{
    QFETCH(QString, sheet);
    QFETCH(QString, dateCell);
    QFETCH(QString, nameCell);
    const QStringList expected = {"Project Info",
                                  "Building Info",
                                  "Operational Info",
                                  "Comparison Result",
                                  "Load_Energy Estimate Result",
                                  "Graph Cooling Part Load",
                                  "Graph Heating Part Load",
                                  "Weather Info",
                                  "All"};
    QCOMPARE(m_standard.sheets, expected);
    QCOMPARE(m_standard.text(sheet, dateCell), QStringLiteral("2024-05-17"));
    QCOMPARE(m_standard.text(sheet, nameCell), kName);
}

void TestReport::buildingInfoInDisplayUnits_data()
{
    QTest::addColumn<int>("temp");
    QTest::addColumn<int>("load");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("cooling");
    QTest::addColumn<double>("heating");
    QTest::addColumn<QString>("lengthUnit");
    QTest::addColumn<QString>("loadUnit");
    QTest::addColumn<double>("maxTemp");
    // 1 ft = 0.3048 m; 1 Btu = 1055.05585262 J, so 1 kW = 3.6e6 / 1055.05585262 Btu/h.
    const double btuh = 3.6e6 / 1055.05585262;
    QTest::newRow("kW, m, C") << 1 << 1 << 1 << 1600.0 << 20.0 << 150.0 << 120.0 << "m"
                              << "kW" << 31.5;
    QTest::newRow("Btu/h, ft, F") << 2 << 2 << 2 << 1600.0 / (0.3048 * 0.3048) << 20.0 / 0.3048
                                  << 150.0 * btuh << 120.0 * btuh << "ft"
                                  << "Btu/h" << 31.5 * 1.8 + 32.0;
}

void TestReport::buildingInfoInDisplayUnits()
{
    QFETCH(int, temp);
    QFETCH(int, load);
    QFETCH(int, length);
    QFETCH(double, area);
    QFETCH(double, height);
    QFETCH(double, cooling);
    QFETCH(double, heating);
    QFETCH(QString, lengthUnit);
    QFETCH(QString, loadUnit);
    QFETCH(double, maxTemp);
    makeProject();
    CUnitFun::SetUnitTemp(temp);
    CUnitFun::SetUnitLoad(load);
    CUnitFun::SetUnitLength(length);
    HReport report;
    report.setPrintAll(false);
    const Workbook wb = readWorkbook(write(report));
    const QString s = QStringLiteral("Building Info");
    BRIVANTA_COMPARE_NEAR(wb.number(s, "F12"), area, 1e-12);
    QCOMPARE(wb.text(s, "H12"), lengthUnit + "^2");
    BRIVANTA_COMPARE_NEAR(wb.number(s, "F13"), height, 1e-12);
    QCOMPARE(wb.text(s, "H13"), lengthUnit);
    QCOMPARE(wb.at(s, "F14").toDouble(), 5.0);
    BRIVANTA_COMPARE_NEAR(wb.number(s, "F18"), cooling, 1e-12);
    BRIVANTA_COMPARE_NEAR(wb.number(s, "F19"), heating, 1e-12);
    QCOMPARE(wb.text(s, "H18"), loadUnit);
    QCOMPARE(wb.text(s, "H19"), loadUnit);
    BRIVANTA_COMPARE_NEAR(wb.number("Operational Info", "G45"), maxTemp, 1e-12);
    BRIVANTA_COMPARE_NEAR(wb.number("Weather Info", "M8"), maxTemp, 1e-12);
    QCOMPARE(wb.text("Weather Info", "N8"),
             temp == 1 ? QStringLiteral("°C") : QStringLiteral("°F"));
    QCOMPARE(wb.text("Load_Energy Estimate Result", "C14"), "(" + loadUnit + ")");
}

void TestReport::operationalInfo()
{
    // Hours 7 to 18 run; January and July are off, December on; Saturday off,
    // Sunday on. The project keys months 1..12 and week days 1..7.
    HProject* p = makeProject();
    for (int h = 0; h < 24; ++h)
        p->setOperationDailyIsOn(h, h >= 7 && h <= 18);
    for (int m = 1; m <= 12; ++m)
        p->setOperationMonthlyIsOn(m, m != 1 && m != 7);
    for (int d = 1; d <= 7; ++d)
        p->setOperationWeeklyIsOn(d, d != 6);
    HReport report;
    report.setPrintAll(false);
    const Workbook wb = readWorkbook(write(report));
    const QString s = QStringLiteral("Operational Info");
    for (int h = 0; h < 24; ++h)
        QCOMPARE(wb.text(s, cell("E", h + 12)), h >= 7 && h <= 18 ? "On" : "Off");
    QCOMPARE(wb.text(s, "I12"), QStringLiteral("Off")); // January
    QCOMPARE(wb.text(s, "I17"), QStringLiteral("On"));  // June
    QCOMPARE(wb.text(s, "I18"), QStringLiteral("Off")); // July
    QCOMPARE(wb.text(s, "I23"), QStringLiteral("On"));  // December
    QCOMPARE(wb.text(s, "H23"), QStringLiteral("Dec"));
    for (int d = 1; d <= 7; ++d)
        QCOMPARE(wb.text(s, cell("I", d + 28)), d == 6 ? "Off" : "On");
    QCOMPARE(wb.text(s, "H35"), QStringLiteral("Sunday"));
    QCOMPARE(wb.number(s, "D39"), 0.2);
    QCOMPARE(wb.text(s, "G43"), QStringLiteral("France"));
    QCOMPARE(wb.text(s, "G44"), QStringLiteral("Paris"));
    QCOMPARE(wb.number(s, "G45"), 31.5);
    QCOMPARE(wb.number(s, "G46"), -4.5);
    QCOMPARE(wb.number(s, "G47"), 28.0);
    for (const char* unit : {"I45", "I46", "I47"})
        QCOMPARE(wb.text(s, unit), QStringLiteral("°C"));
}

void TestReport::comparisonResult()
{
    const Workbook& wb = m_standard;
    const QString s = QStringLiteral("Comparison Result");
    const QString columns = QStringLiteral("DEFGHIJKLMNO");
    double own = 0.0, other = 0.0;
    for (int m = 1; m <= 12; ++m) {
        const QString c = columns.at(m - 1);
        QCOMPARE(wb.number(s, c + "29"), ownMonth(m));
        QCOMPARE(wb.number(s, c + "30"), otherMonth(m));
        QCOMPARE(wb.text(s, c + "31"), "=IF(" + c + "30=0,0," + c + "29/" + c + "30)");
        QCOMPARE(wb.text(s, c + "33"), "=" + c + "29*'Operational Info'!$D$39");
        QCOMPARE(wb.text(s, c + "34"), "=" + c + "30*'Operational Info'!$D$39");
        QCOMPARE(wb.text(s, c + "35"), "=IF(" + c + "34=0,0," + c + "33/" + c + "34)");
        BRIVANTA_COMPARE_NEAR(wb.valueAt(s, c + "31").toDouble(), ownMonth(m) / otherMonth(m),
                              1e-12);
        BRIVANTA_COMPARE_NEAR(wb.valueAt(s, c + "33").toDouble(), ownMonth(m) * 0.2, 1e-12);
        own += ownMonth(m);
        other += otherMonth(m);
    }
    QCOMPARE(wb.text(s, "D31"), QStringLiteral("=IF(D30=0,0,D29/D30)"));
    QCOMPARE(wb.text(s, "D28"), QStringLiteral("Jan"));
    QCOMPARE(wb.text(s, "P28"), QStringLiteral("Total"));
    QCOMPARE(wb.text(s, "P29"), QStringLiteral("=SUM(D29:O29)"));
    BRIVANTA_COMPARE_NEAR(wb.valueAt(s, "P29").toDouble(), own, 1e-12);
    BRIVANTA_COMPARE_NEAR(wb.valueAt(s, "P30").toDouble(), other, 1e-12);
    BRIVANTA_COMPARE_NEAR(wb.valueAt(s, "P31").toDouble(), own / other, 1e-12);
    QCOMPARE(wb.charts.value(s).toInt(), 1);
}

void TestReport::statisticsRows_data()
{
    QTest::addColumn<int>("cooling");
    QTest::addColumn<int>("heating");
    QTest::addColumn<int>("coolingTotal");
    QTest::addColumn<int>("heatingFirst");
    QTest::addColumn<int>("heatingTotal");
    // Two entries fill the table as laid out; more push the total row and the heating
    // table down by one row each; fewer leave rows empty.
    QTest::newRow("20 cooling, 3 heating") << 20 << 3 << 35 << 42 << 45;
    QTest::newRow("2 cooling, 2 heating") << 2 << 2 << 17 << 24 << 26;
    QTest::newRow("3 cooling, 7 heating") << 3 << 7 << 18 << 25 << 32;
    QTest::newRow("1 cooling, 1 heating") << 1 << 1 << 17 << 24 << 26;
    QTest::newRow("no cooling, 4 heating") << 0 << 4 << 17 << 24 << 28;
    QTest::newRow("5 cooling, no heating") << 5 << 0 << 20 << 27 << 29;
}

void TestReport::statisticsRows()
{
    QFETCH(int, cooling);
    QFETCH(int, heating);
    QFETCH(int, coolingTotal);
    QFETCH(int, heatingFirst);
    QFETCH(int, heatingTotal);
    makeProject(cooling, heating);
    HReport report;
    report.setPrintAll(false);
    const Workbook wb = readWorkbook(write(report), {"--values"});
    const QString s = QStringLiteral("Load_Energy Estimate Result");

    struct Table
    {
        int first, entries, total, firstKey;
    };
    const Table tables[] = {{15, cooling, coolingTotal, 11},
                            {heatingFirst, heating, heatingTotal, -5}};
    for (const Table& t : tables) {
        QCOMPARE(wb.text(s, cell("B", t.first - 1)), QStringLiteral("°C"));
        QCOMPARE(wb.text(s, cell("C", t.first - 1)), QStringLiteral("(kW)"));
        QCOMPARE(wb.text(s, cell("F", t.first - 1)), QStringLiteral("(kW)"));
        const int hours = t.entries * (t.entries + 1) / 2;
        for (int k = 0; k < t.entries; ++k) {
            const int r = t.first + k;
            QCOMPARE(wb.number(s, cell("B", r)), double(t.firstKey + k));
            QCOMPARE(wb.number(s, cell("C", r)), 10.0 + k);
            QCOMPARE(wb.text(s, cell("D", r)),
                     QStringLiteral("=IF($E$%1=0,0,$E$%2/$E$%1)").arg(t.total).arg(r));
            BRIVANTA_COMPARE_NEAR(wb.valueAt(s, cell("D", r)).toDouble(), (k + 1.0) / hours, 1e-12);
            QCOMPARE(wb.number(s, cell("E", r)), k + 1.0);
            QCOMPARE(wb.text(s, cell("F", r)), QStringLiteral("=C%1*E%1").arg(r));
            QCOMPARE(wb.valueAt(s, cell("F", r)).toDouble(), (10.0 + k) * (k + 1));
            QCOMPARE(wb.number(s, cell("G", r)), 2.0 * (k + 1));
            QCOMPARE(wb.number(s, cell("H", r)), 0.5 * (k + 1));
            QCOMPARE(wb.text(s, cell("I", r)), QStringLiteral("=H%1+G%1").arg(r));
            QCOMPARE(wb.valueAt(s, cell("I", r)).toDouble(), 2.5 * (k + 1));
        }
        // Rows the entries leave free stay empty up to the total row.
        for (int r = t.first + t.entries; r < t.total; ++r)
            QVERIFY2(wb.at(s, cell("B", r)).isUndefined() && wb.at(s, cell("E", r)).isUndefined(),
                     qPrintable(cell("B", r)));
        QCOMPARE(wb.text(s, cell("B", t.total)), QStringLiteral("Total"));
        QCOMPARE(wb.text(s, cell("E", t.total)),
                 QStringLiteral("=SUM(E%1:E%2)").arg(t.first).arg(t.total - 1));
        QCOMPARE(wb.valueAt(s, cell("E", t.total)).toDouble(), double(hours));
        QCOMPARE(wb.valueAt(s, cell("I", t.total)).toDouble(), 2.5 * hours);
    }
    QCOMPARE(wb.text(s, cell("B", heatingFirst - 3)), QStringLiteral("Heating"));
    if (cooling == 20)
        QCOMPARE(wb.text(s, "D34"), QStringLiteral("=IF($E$35=0,0,$E$34/$E$35)"));

    QCOMPARE(wb.charts.value("Graph Cooling Part Load").toInt(), cooling > 0 ? 3 : 0);
    QCOMPARE(wb.charts.value("Graph Heating Part Load").toInt(), heating > 0 ? 3 : 0);
    if (cooling == 0)
        QVERIFY(wb.text("Graph Cooling Part Load", "B11").startsWith("No cooling hours"));
}

void TestReport::weatherBins_data()
{
    QTest::addColumn<int>("bins");
    QTest::addColumn<int>("tempUnit");
    QTest::addColumn<int>("totalRow");
    QTest::newRow("three bins") << 3 << 1 << 17;
    QTest::newRow("three bins in F") << 3 << 2 << 17;
    QTest::newRow("one bin") << 1 << 1 << 16;
    QTest::newRow("no bins") << 0 << 1 << 16;
}

void TestReport::weatherBins()
{
    QFETCH(int, bins);
    QFETCH(int, tempUnit);
    QFETCH(int, totalRow);
    makeProject(3, 2, bins);
    CUnitFun::SetUnitTemp(tempUnit);
    HReport report;
    report.setPrintAll(false);
    const Workbook wb = readWorkbook(write(report), {"--values"});
    const QString s = QStringLiteral("Weather Info");
    const QString unit = tempUnit == 1 ? QStringLiteral("°C") : QStringLiteral("°F");
    QCOMPARE(wb.text(s, "B12"), "Temp(DB)\n" + unit);
    QCOMPARE(wb.text(s, "C13"), QStringLiteral("Jan"));
    QCOMPARE(wb.text(s, "I13"), QStringLiteral("July"));
    const QString columns = QStringLiteral("CDEFGHIJKLMN");
    for (int i = 0; i < bins; ++i) {
        const double celsius = -3 + i;
        QCOMPARE(wb.number(s, cell("B", 14 + i)), tempUnit == 1 ? celsius : celsius * 1.8 + 32.0);
        for (int j = 0; j < 12; ++j)
            QCOMPARE(wb.number(s, columns.at(j) + QString::number(14 + i)),
                     double((i + 1) * (j + 1)));
    }
    QCOMPARE(wb.text(s, cell("B", totalRow)), QStringLiteral("Total"));
    QVERIFY(wb.at(s, cell("B", totalRow + 1)).isUndefined());
    // Column j sums (i + 1)(j + 1) over the bins: (j + 1) n (n + 1) / 2.
    for (int j = 0; j < 12; ++j) {
        const QString c = columns.at(j) + QString::number(totalRow);
        QCOMPARE(wb.text(s, c),
                 QStringLiteral("=SUM(%1%2:%1%3)").arg(columns.at(j)).arg(14).arg(totalRow - 1));
        QCOMPARE(wb.valueAt(s, c).toDouble(), double((j + 1) * bins * (bins + 1) / 2));
    }
}

void TestReport::hourlySheet_data()
{
    QTest::addColumn<bool>("printAll");
    QTest::newRow("is_print_all on") << true;
    QTest::newRow("is_print_all off") << false;
}

void TestReport::hourlySheet()
{
    QFETCH(bool, printAll);
    HProject* p = makeProject();
    HYear* year = p->getYear();
    HHour* first = year->getHour(1, 1, 0);
    first->setisTurnOnBySchedule(true);
    first->setdry_bulb_temperature(-2.5);
    first->setbuilding_load_heating(40.0);
    first->setOwnVRF_load_precent(-0.4);
    first->setown_vrf_odu_energy_consumption(7.5);
    first->setown_vrf_idu_energy_consumption(0.75);
    first->setown_vrf_total_energy_consumption(8.25);
    HHour* noon = year->getHour(7, 14, 12);
    noon->setbuilding_load_cooling(55.0);
    noon->setbuilding_load_heating(3.0);
    HHour* last = year->getHour(12, 31, 23);
    last->setdry_bulb_temperature(1.25);

    HReport report;
    report.setPrintAll(printAll);
    const Workbook wb = readWorkbook(write(report));
    const QString s = QStringLiteral("All");
    if (!printAll) {
        QVERIFY(wb.at(s, "E4").isUndefined());
        QVERIFY(wb.at(s, "E5").isUndefined());
        QVERIFY(wb.at(s, "B8").isUndefined());
        QVERIFY(wb.dimensions.value(s).toObject().value("max_row").toInt() <= 8);
        return;
    }
    QCOMPARE(wb.text(s, "E4"), QStringLiteral("2024-05-17"));
    QCOMPARE(wb.text(s, "E5"), kName);
    QCOMPARE(wb.dimensions.value(s).toObject().value("max_row").toInt(), 7 + 8760);
    // Row 8: 1 January, first hour, running.
    QCOMPARE(wb.number(s, "A8"), 1.0);
    QCOMPARE(wb.number(s, "B8"), 1.0);
    QCOMPARE(wb.number(s, "C8"), 1.0);
    QCOMPARE(wb.text(s, "D8"), QStringLiteral("ON"));
    QCOMPARE(wb.number(s, "E8"), -2.5);
    QCOMPARE(wb.number(s, "F8"), 40.0);
    QCOMPARE(wb.number(s, "G8"), -0.4);
    QCOMPARE(wb.number(s, "H8"), 0.0);
    QCOMPARE(wb.number(s, "I8"), 7.5);
    QCOMPARE(wb.number(s, "J8"), 0.75);
    QCOMPARE(wb.number(s, "K8"), 8.25);
    QCOMPARE(wb.text(s, "D9"), QStringLiteral("OFF"));
    QCOMPARE(wb.number(s, "F9"), 0.0);
    // 14 July 12:00 is hour 181 x 24 + 12 of the 365-day year: row 8 + 4356.
    const int noonRow = 8 + (31 + 28 + 31 + 30 + 31 + 30 + 13) * 24 + 12;
    QCOMPARE(wb.number(s, cell("A", noonRow)), 7.0);
    QCOMPARE(wb.number(s, cell("B", noonRow)), 14.0);
    QCOMPARE(wb.number(s, cell("C", noonRow)), 13.0);
    QCOMPARE(wb.number(s, cell("F", noonRow)), 55.0); // cooling before heating
    QCOMPARE(wb.number(s, "A8767"), 12.0);
    QCOMPARE(wb.number(s, "B8767"), 31.0);
    QCOMPARE(wb.number(s, "C8767"), 24.0);
    QCOMPARE(wb.number(s, "E8767"), 1.25);
}

void TestReport::printAllFromConfiguration_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("printAll");
    QTest::newRow("no configuration file") << QByteArray() << true;
    QTest::newRow("switch absent") << QByteArray(R"({"other": {"is_debug": true}})") << true;
    QTest::newRow("switch on") << QByteArray(R"({"other": {"is_print_all": true}})") << true;
    QTest::newRow("switch off") << QByteArray(R"({"other": {"is_print_all": false}})") << false;
}

void TestReport::printAllFromConfiguration()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, printAll);
    const QString file = m_dir.filePath("config.json");
    QFile::remove(file);
    if (!config.isEmpty())
        QVERIFY(brivanta::test::writeFile(file, config));
    HJsonConfig::read(file);
    QCOMPARE(HReport().printAll(), printAll);
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
}

void TestReport::refusedReports_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("calculated");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not calculated") << "sub/report.xlsx" << false << "not calculated";
    QTest::newRow("folder missing") << "missing/report.xlsx" << true << "missing/report.xlsx";
    QTest::newRow("a folder") << "sub" << true << "folder";
    QTest::newRow("the project file") << "sub/project.ee" << true << "project file";
}

void TestReport::refusedReports()
{
    QFETCH(QString, target);
    QFETCH(bool, calculated);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("sub"));
    const QString projectFile = dir.filePath("sub/project.ee");
    const QByteArray projectBytes("{\"name\": \"kept\"}");
    QVERIFY(brivanta::test::writeFile(projectFile, projectBytes));
    const QString existing = dir.filePath("sub/report.xlsx");
    QVERIFY(brivanta::test::writeFile(existing, "previous report"));

    HProject* p = makeProject();
    p->setfilePath(projectFile);
    p->setisCalculationSuccess(calculated);
    HReport report;
    report.setPrintAll(false);
    QString error;
    QVERIFY(!report.generateReport(dir.filePath(target), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    // Nothing was replaced and nothing was left behind.
    QFile project(projectFile);
    QVERIFY(project.open(QIODevice::ReadOnly));
    QCOMPARE(project.readAll(), projectBytes);
    QFile previous(existing);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("previous report"));
    QCOMPARE(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden),
             QStringList({"project.ee", "report.xlsx"}));
    QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
}

void TestReport::replacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.xlsx");
    QVERIFY(brivanta::test::writeFile(path, "previous report"));
    makeProject();
    HReport report;
    report.setPrintAll(false);
    QString error;
    QVERIFY2(report.generateReport(path, &error), qPrintable(error));
    QCOMPARE(readWorkbook(path).text("Project Info", "D10"), kName);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"report.xlsx"}));
}

void TestReport::defaultPath()
{
    HProject* p = makeProject();
    QCOMPARE(HReport::defaultPath("/home/u"), QStringLiteral("/home/u/Lycée Nord — 北楼.xlsx"));
    p->setname(QStringLiteral("a/b: c"));
    QCOMPARE(HReport::defaultPath("/home/u"), QStringLiteral("/home/u/a_b_ c.xlsx"));
    p->setfilePath(QStringLiteral("/data/projects/school.v2.ee"));
    QCOMPARE(HReport::defaultPath("/home/u"), QStringLiteral("/data/projects/school.v2.xlsx"));
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
