// The files of faults found in the loaders (fuzz/regressions), each run through the
// lumoeco program as a user would meet it: the fault must stay mended.

#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestRegressions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void faultStaysMended_data();
    void faultStaysMended();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestRegressions::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"), path("Weather.db3")));
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), path("Product.mdb")));
    QFile::setPermissions(path("Product.mdb"), QFile::ReadOwner | QFile::WriteOwner);
}

void TestRegressions::faultStaysMended_data()
{
    QTest::addColumn<QString>("file");        // under fuzz/regressions
    QTest::addColumn<QStringList>("command"); // "FILE" stands for the file, "OUT" for an output
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("errorTexts"); // each must be on standard error

    // A page of the equipment table overwritten: the rows up to it used to be imported
    // as the whole project, with success.
    QTest::newRow("damaged .vrf is refused, not imported in part")
        << "vrf_bytes/damaged-page.vrf" << QStringList{"import", "FILE", "-o", "OUT"} << 2
        << QStringList{"malformed", "nothing was imported"};
    // The equipment "table" is a view over a recursive query that never ends: the import
    // used to run until killed.
    QTest::newRow("endless view in a .vrf is refused")
        << "vrf_bytes/endless-view.vrf" << QStringList{"import", "FILE", "-o", "OUT"} << 2
        << QStringList{"Not a project database (no equipment table)"};
    // A NUL byte at the start of a line of a whole year: the text ended there, and the
    // file was refused as cut short, 29 hours before its end.
    QTest::newRow("weather file with a NUL byte is refused at its line")
        << "weather_file/nul-byte.csv" << QStringList{"weather", "import", "FILE"} << 2
        << QStringList{"line 8734: the file holds a NUL byte"};
    // Loads, capacities and prices of 1e308: the costs came out as inf with exit 0.
    QTest::newRow("absurd values warn and the calculation is refused")
        << "project_calculation/absurd-values.ee" << QStringList{"calculate", "FILE"} << 3
        << QStringList{"\"cooling_peak_load\" is 1e+308 kW, outside -100000 kW to 100000 kW",
                       "\"electricity_price\" is 1e+308 per kWh",
                       "\"total_capacity_cooling\" (other_vrf unit line 1) is 1e+308 kW",
                       "The calculation gives no finite result"};
}

void TestRegressions::faultStaysMended()
{
    QFETCH(QString, file);
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);
    QFETCH(QStringList, errorTexts);

    const QString out = path("out.ee");
    QFile::remove(out);
    for (QString& arg : command) {
        if (arg == QLatin1String("FILE"))
            arg = QStringLiteral(BRIVANTA_REGRESSIONS "/") + file;
        else if (arg == QLatin1String("OUT"))
            arg = out;
    }
    command << "--weather" << path("Weather.db3") << "--products" << path("Product.mdb")
            << "--app-dir" << m_dir.path();
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(QStringLiteral(LUMOECO_PATH), command);
    // Far more than the refusal takes; a hang is a failure, not a stuck test.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        QFAIL("lumoeco did not finish within 60 s");
    }
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QVERIFY2(p.exitCode() == exitCode, qPrintable(err));
    for (const QString& text : errorTexts)
        QVERIFY2(err.contains(text), qPrintable(QStringLiteral("missing \"%1\" in:\n%2").arg(text, err)));
    QVERIFY2(!QFile::exists(out), "a refused import wrote a project file");
}

QTEST_GUILESS_MAIN(TestRegressions)
#include "tst_regressions.moc"
