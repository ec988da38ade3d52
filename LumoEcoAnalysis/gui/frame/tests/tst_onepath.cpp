// The window and lumoeco compute the same figures: each example project is opened
// through the window's Open command and calculated with its Calculate command, and
// its monthly energies are compared with `lumoeco calculate --format json` on the
// same file and databases, figure for figure.

#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HVRF.h"
#include "LumoWeather.h"
#include "LumoecoRun.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using brivanta::test::ModalDialogs;

class TestOnePath : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void examples_data();
    void examples();
    void replacedPeakLoadsAreShown();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HInitVRFProductECData> m_productData;
    std::unique_ptr<MainWindow> m_window;
};

void TestOnePath::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Both programs read the tests' databases; the product database is a copy because
    // its energy-data table is built on first use.
    const QString products = m_dir.filePath("Product.mdb");
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), products));
    QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
    HAppPaths::setApplicationDir(m_dir.path());
    LumoWeather::setWeatherDbPath(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"));
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
    HProjectSession::registerProductDatabase(products);
    m_productData = std::make_unique<HInitVRFProductECData>();
    // One window for all examples, as a user opens one project after the other.
    m_window = std::make_unique<MainWindow>();
}

void TestOnePath::cleanupTestCase()
{
    m_window.reset();
    m_productData.reset();
}

void TestOnePath::examples_data()
{
    QTest::addColumn<QString>("file");
    const QFileInfoList files =
        QDir(QStringLiteral(BRIVANTA_EXAMPLES)).entryInfoList({"*.ee"}, QDir::Files, QDir::Name);
    for (const QFileInfo& fi : files)
        QTest::newRow(qPrintable(fi.fileName())) << fi.absoluteFilePath();
    QVERIFY(files.size() >= 3);
}

void TestOnePath::examples()
{
    QFETCH(QString, file);
    const QJsonObject expected = brivanta::test::lumoecoCalculateJson(m_dir.path(), file);
    QVERIFY2(!expected.isEmpty(), qPrintable(file));

    MainWindow& w = *m_window;
    ModalDialogs dialogs;
    if (w.holdsData())
        dialogs.thenClick(QMessageBox::Yes); // close the current project
    dialogs.thenChooseFile(file);
    w.Open();
    QCOMPARE(HProject::getProject()->GetfilePath(), file);
    QVERIFY2(HProject::getProject()->GetisHave8760WeatherData(), "the location's weather");

    QVERIFY(w.Calculate());
    QCOMPARE(dialogs.pending(), 0);
    QVERIFY(HProject::getProject()->GetisCalculationSuccess());
    QCOMPARE(w.stackedWidget()->currentWidget(), reinterpret_cast<QWidget*>(w.resultWidget()));
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Done."));

    HProject* p = HProject::getProject();
    double ownYear = 0.0;
    const QJsonArray months = expected.value("monthly").toArray();
    QCOMPARE(months.size(), 12);
    for (int m = 1; m <= 12; ++m) {
        const QJsonObject row = months.at(m - 1).toObject();
        QCOMPARE(row.value("month").toInt(), m);
        const double own = p->getOwnVRFSys()->getMonthEnergyConsumption(m);
        const double other = p->getOtherVRFSys()->getMonthEnergyConsumption(m);
        // Exactly the same figures: the same code runs in both programs.
        QVERIFY2(own == row.value("own_kwh").toDouble(),
                 qPrintable(QStringLiteral("month %1 own %2 vs %3")
                                .arg(m)
                                .arg(own, 0, 'g', 17)
                                .arg(row.value("own_kwh").toDouble(), 0, 'g', 17)));
        QVERIFY2(other == row.value("other_kwh").toDouble(),
                 qPrintable(QStringLiteral("month %1 other %2 vs %3")
                                .arg(m)
                                .arg(other, 0, 'g', 17)
                                .arg(row.value("other_kwh").toDouble(), 0, 'g', 17)));
        ownYear += own;
    }
    QVERIFY(ownYear > 0.0);
}

void TestOnePath::replacedPeakLoadsAreShown()
{
    // An example whose cooling peak load is far above its outdoor capacity.
    QFile source(QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QJsonObject json = QJsonDocument::fromJson(source.readAll()).object();
    json.insert("cooling_peak_load", 9876.5);
    const QString file = m_dir.filePath("oversized.ee");
    QVERIFY(brivanta::test::writeFile(file, QJsonDocument(json).toJson()));

    MainWindow& w = *m_window;
    ModalDialogs dialogs;
    if (w.holdsData())
        dialogs.thenClick(QMessageBox::Yes);
    dialogs.thenChooseFile(file);
    dialogs.thenClick(QMessageBox::Ok);
    w.Open();
    QCOMPARE(dialogs.pending(), 0);
    const QString notice = dialogs.seen().last();
    QVERIFY2(notice.startsWith("Open File: ") && notice.contains("9876.5"), qPrintable(notice));
    const double used = HProject::getProject()->Getcooling_peak_load();
    QVERIFY(used > 0.0 && used < 9876.5);
    QVERIFY2(notice.contains(QString::number(used, 'f', 2))
                 || notice.contains(QString::number(used)),
             qPrintable(notice));
}

QTEST_MAIN(TestOnePath)
#include "tst_onepath.moc"
