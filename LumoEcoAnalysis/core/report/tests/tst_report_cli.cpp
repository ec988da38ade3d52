// `lumoeco calculate --report` writes the program's workbook of the calculated
// example project: its monthly energies are the ones the same run prints as JSON.
#include "TestSupport.h"
#include "tst_report_fixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace reportfixture;

class TestReportCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportOfExample();
    void reportToStandardOutput();
    void refusedReports_data();
    void refusedReports();

private:
    QTemporaryDir m_dir;
};

void TestReportCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString products = m_dir.filePath("Product.mdb");
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), products));
    QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
}

QProcess* lumoeco(const QString& dir, const QStringList& arguments)
{
    auto* p = new QProcess;
    p->setWorkingDirectory(dir);
    p->start(QStringLiteral(LUMOECO_PATH),
             QStringList{"calculate"} + arguments
                 + QStringList{"--weather", QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"),
                               "--products", dir + "/Product.mdb", "--app-dir", dir});
    p->waitForFinished(180000);
    return p;
}

void TestReportCli::reportOfExample()
{
    const QString example = QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee");
    const QString book = m_dir.filePath("school report.xlsx");
    std::unique_ptr<QProcess> run(
        lumoeco(m_dir.path(), {example, "--format", "json", "--report", book}));
    QVERIFY2(run->exitCode() == 0, run->readAllStandardError().constData());
    const QJsonObject json = QJsonDocument::fromJson(run->readAllStandardOutput()).object();
    const QJsonArray months = json.value("monthly").toArray();
    QCOMPARE(months.size(), 12);

    const Workbook wb = readWorkbook(book);
    QCOMPARE(wb.sheets.size(), 9);
    QCOMPARE(wb.text("Project Info", "D10"), QStringLiteral("Secondary school, Paris"));
    QCOMPARE(wb.text("Project Info", "D9"), QStringLiteral("2025-09-01"));
    const QString columns = QStringLiteral("DEFGHIJKLMNO");
    for (int m = 1; m <= 12; ++m) {
        const QJsonObject row = months.at(m - 1).toObject();
        const QString c = columns.at(m - 1);
        BRIVANTA_COMPARE_NEAR(wb.number("Comparison Result", c + "29"),
                              row.value("own_kwh").toDouble(), 1e-15);
        BRIVANTA_COMPARE_NEAR(wb.number("Comparison Result", c + "30"),
                              row.value("other_kwh").toDouble(), 1e-15);
    }
    // The own system's bins as printed: first cooling bin in row 15.
    const QJsonObject bins = json.value("own_temperature_bins").toObject();
    const QJsonArray cooling = bins.value("cooling").toArray();
    QVERIFY(!cooling.isEmpty());
    const QJsonObject first = cooling.at(0).toObject();
    QCOMPARE(wb.number("Load_Energy Estimate Result", "B15"), first.value("temp").toDouble());
    QCOMPARE(wb.number("Load_Energy Estimate Result", "E15"), first.value("hours").toDouble());
    const int total = 15 + qMax(cooling.size(), 2);
    QCOMPARE(wb.text("Load_Energy Estimate Result", cell("B", total)), QStringLiteral("Total"));
    // No configuration file: the hourly sheet is written.
    QCOMPARE(wb.dimensions.value("All").toObject().value("max_row").toInt(), 7 + 8760);
}

void TestReportCli::reportToStandardOutput()
{
    // The workbook in place of the results.
    const QString example = QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee");
    std::unique_ptr<QProcess> run(lumoeco(m_dir.path(), {example, "--report", "-"}));
    QVERIFY2(run->exitCode() == 0, run->readAllStandardError().constData());
    const QByteArray bytes = run->readAllStandardOutput();
    QVERIFY(bytes.startsWith("PK"));
    const QString book = m_dir.filePath("piped.xlsx");
    QVERIFY(brivanta::test::writeFile(book, bytes));
    QCOMPARE(readWorkbook(book, {"--rows", "All=10"}).text("Project Info", "D10"),
             QStringLiteral("Secondary school, Paris"));

    std::unique_ptr<QProcess> both(
        lumoeco(m_dir.path(), {example, "--report", "-", "--hourly", "-"}));
    QCOMPARE(both->exitCode(), 2);
    QVERIFY(both->readAllStandardOutput().isEmpty());
}

void TestReportCli::refusedReports_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "missing/r.xlsx"
                                    << "cannot write the report";
    QTest::newRow("the project file") << "project.ee"
                                      << "would replace the project file";
}

void TestReportCli::refusedReports()
{
    QFETCH(QString, report);
    QFETCH(QString, message);
    const QString project = m_dir.filePath("project.ee");
    QFile::remove(project);
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee"), project));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray before = [&] {
        QFile f(project);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    std::unique_ptr<QProcess> run(
        lumoeco(m_dir.path(), {project, "--report", m_dir.filePath(report)}));
    QCOMPARE(run->exitCode(), 2);
    const QString err = QString::fromUtf8(run->readAllStandardError());
    QVERIFY2(err.contains(message), qPrintable(err));
    QFile f(project);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_report_cli.moc"
