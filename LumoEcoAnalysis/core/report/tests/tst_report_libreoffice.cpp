// LibreOffice Calc opens the report and computes its formulas. The formulas' stored
// results are set to 0 in the file first, and LibreOffice is told to recalculate on
// load, so the totals it exports come from its own calculation. Skipped when
// LibreOffice is not installed.
#include "HJsonConfig.h"
#include "HReport.h"
#include "TestSupport.h"
#include "tst_report_fixture.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace reportfixture;

namespace {

// Calc recalculates every formula of an .xlsx file when it loads it.
const char* const kRecalculateOnLoad =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\">"
    "<prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\"><value>0</value></prop></item>\n"
    "</oor:items>\n";

// Rows of a CSV file; quoted cells may hold commas and line breaks.
QList<QStringList> readCsv(const QString& path)
{
    QList<QStringList> rows;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    const QString text = QString::fromUtf8(f.readAll());
    QStringList row;
    QString cellText;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            row << cellText;
            cellText.clear();
        } else if (c == QLatin1Char('\n') && !quoted) {
            row << cellText;
            cellText.clear();
            rows << row;
            row.clear();
        } else if (c != QLatin1Char('\r') || quoted) {
            cellText += c;
        }
    }
    if (!cellText.isEmpty() || !row.isEmpty())
        rows << (row << cellText);
    return rows;
}

// Cell "D29" of a CSV sheet as a number; NaN when missing or not a number.
double csvNumber(const QList<QStringList>& rows, const QString& address)
{
    const int row = address.mid(1).toInt() - 1;
    const int column = address.at(0).unicode() - 'A';
    if (row >= rows.size() || column >= rows.at(row).size())
        return std::nan("");
    // Percent-formatted cells are exported with their sign.
    QString text = rows.at(row).at(column);
    const double scale = text.endsWith(QLatin1Char('%')) ? 0.01 : 1.0;
    text.remove(QLatin1Char('%'));
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? v * scale : std::nan("");
}

} // namespace

class TestReportLibreOffice : public QObject
{
    Q_OBJECT

private slots:
    void formulasComputedByCalc();
};

void TestReportLibreOffice::formulasComputedByCalc()
{
    QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    HJsonConfig::read(dir.filePath("ee_config.json"));
    makeProject(4, 3, 3);
    HReport report;
    report.setPrintAll(false);
    QString error;
    const QString written = dir.filePath("written.xlsx");
    QVERIFY2(report.generateReport(written, &error), qPrintable(error));

    const QString book = dir.filePath("report.xlsx");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(ZERO_FORMULA_RESULTS_SCRIPT), written, book});
    QVERIFY(python.waitForFinished(60000) && python.exitCode() == 0);

    QVERIFY(QDir(dir.path()).mkpath("profile/user"));
    QVERIFY(brivanta::test::writeFile(dir.filePath("profile/user/registrymodifications.xcu"),
                                      kRecalculateOnLoad));
    QProcess calc;
    calc.setWorkingDirectory(dir.path());
    // Field separator ",", quote '"', UTF-8, raw values, every sheet to its own file.
    calc.start(office,
               {"-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
                "--headless", "--norestore", "--convert-to",
                "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,false,false,-1",
                "--outdir", dir.filePath("csv"), book});
    QVERIFY(calc.waitForFinished(240000));
    QVERIFY2(calc.exitCode() == 0, calc.readAllStandardError().constData());

    const auto comparison = readCsv(dir.filePath("csv/report-Comparison Result.csv"));
    QVERIFY2(!comparison.isEmpty(), qPrintable(QDir(dir.filePath("csv")).entryList().join(' ')));
    double own = 0.0, other = 0.0;
    for (int m = 1; m <= 12; ++m) {
        own += ownMonth(m);
        other += otherMonth(m);
    }
    BRIVANTA_COMPARE_NEAR(csvNumber(comparison, "P29"), own, 1e-12);
    BRIVANTA_COMPARE_NEAR(csvNumber(comparison, "P30"), other, 1e-12);
    BRIVANTA_COMPARE_NEAR(csvNumber(comparison, "D31"), ownMonth(1) / otherMonth(1), 1e-12);
    // Cost from the price on "Operational Info" (0.2).
    BRIVANTA_COMPARE_NEAR(csvNumber(comparison, "P33"), own * 0.2, 1e-12);

    // Four cooling bins (1 + 2 + 3 + 4 = 10 hours): total row 19; three heating bins
    // from row 26 (6 hours), total row 29.
    const auto load = readCsv(dir.filePath("csv/report-Load_Energy Estimate Result.csv"));
    QCOMPARE(csvNumber(load, "E19"), 10.0);
    BRIVANTA_COMPARE_NEAR(csvNumber(load, "D15"), 0.1, 1e-12);
    BRIVANTA_COMPARE_NEAR(csvNumber(load, "D19"), 1.0, 1e-12);
    // Load x hours: sum of (10 + k)(k + 1) for k = 0..3 = 10 + 22 + 36 + 52.
    BRIVANTA_COMPARE_NEAR(csvNumber(load, "F19"), 120.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(csvNumber(load, "I19"), 25.0, 1e-12);
    QCOMPARE(csvNumber(load, "E29"), 6.0);

    // Three weather bins: column j sums (j + 1) x 6; the total 6 x 78.
    const auto weather = readCsv(dir.filePath("csv/report-Weather Info.csv"));
    QCOMPARE(csvNumber(weather, "C17"), 6.0);
    QCOMPARE(csvNumber(weather, "N17"), 72.0);
    QCOMPARE(csvNumber(weather, "O17"), 468.0);
}

QTEST_GUILESS_MAIN(TestReportLibreOffice)
#include "tst_report_libreoffice.moc"
