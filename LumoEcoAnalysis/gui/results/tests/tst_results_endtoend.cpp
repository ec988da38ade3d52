// From New to the report in the real main window: a new project is given its inputs,
// calculated, shown on the result page (also through Report Preview) and written as a
// workbook that is read back independently.
//
// The input pages that offer editing are driven through their widgets; inputs whose
// page does not edit them yet are set on the project, as those pages would.
#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "HResultElectricalUsageWidget.h"
#include "HResultWidget.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "UrlSink.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using brivanta::test::ModalDialogs;

class TestResultsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void newProjectToReport();

private:
    QTemporaryDir m_dir;
    UrlSink m_sink;
    std::unique_ptr<HInitVRFProductECData> m_productData;
};

void TestResultsEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString products = m_dir.filePath("Product.mdb");
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), products));
    QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
    HAppPaths::setApplicationDir(m_dir.path());
    LumoWeather::setWeatherDbPath(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"));
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
    HProjectSession::registerProductDatabase(products);
    m_productData = std::make_unique<HInitVRFProductECData>();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_sink, "open");
}

void TestResultsEndToEnd::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    m_productData.reset();
}

void TestResultsEndToEnd::newProjectToReport()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalDialogs dialogs;

    // New.
    dialogs.thenClick(QMessageBox::Yes);
    w.findAction("New")->trigger();
    QCOMPARE(dialogs.pending(), 0);

    // Project settings: the location reaches the weather page, which loads its year.
    HProject* p = HProject::getProject();
    p->setname(QStringLiteral("End to end"));
    p->setelectricity_price(0.3);
    p->setcountry(QStringLiteral("France"));
    p->setcity(QStringLiteral("Paris"));
    emit w.projectSetWidget()->signal_update_project_city(QStringLiteral("France"),
                                                          QStringLiteral("Paris"));
    QVERIFY(p->GetisHave8760WeatherData());
    // Schedule: weekdays 8:00 to 18:00.
    for (int h = 0; h < 24; ++h)
        p->setOperationDailyIsOn(h, h >= 8 && h < 18);
    // Units: one own outdoor line and its indoor units from the catalogue, and the
    // other make's units typed in.
    bool found = false;
    HUnit* odu = HVRFProductHelper::newOwnUnit(-1, QStringLiteral("VX heat pump"),
                                               QStringLiteral("Quellmark VXS-560"), 2, true,
                                               nullptr, &found);
    QVERIFY(found);
    p->getOwnVRFSys()->append(odu);
    HUnit* idu = HVRFProductHelper::newOwnUnit(-1, QStringLiteral("Four-way cassette"),
                                               QStringLiteral("Quellmark Cassette CF-71"), 14,
                                               false, nullptr, &found);
    QVERIFY(found);
    p->getOwnVRFSys()->append(idu);
    HProjectSession::buildOwnUnitCurves();
    auto* other = new HUnit;
    other->setis_odu(true);
    other->setunit_type(QStringLiteral("Other ODU"));
    other->setunit_productcode(QStringLiteral("X-56"));
    other->setquantity(2);
    other->settotal_capacity_cooling(56.0);
    other->setpower_input_cooling(17.0);
    other->settotal_capacity_heating(63.0);
    other->setpower_input_heating(16.5);
    p->getOtherVRFSys()->append(other);
    auto* otherIndoor = new HUnit;
    otherIndoor->setis_odu(false);
    otherIndoor->setunit_type(QStringLiteral("Other cassette"));
    otherIndoor->setunit_productcode(QStringLiteral("C-71"));
    otherIndoor->setquantity(14);
    otherIndoor->settotal_capacity_cooling(7.1);
    otherIndoor->setpower_input_cooling(0.06);
    otherIndoor->settotal_capacity_heating(8.0);
    otherIndoor->setpower_input_heating(0.06);
    p->getOtherVRFSys()->append(otherIndoor);
    // Peak loads the outdoor units can meet: no replacement, no notice.
    p->setcooling_peak_load(odu->Gettotal_capacity_cooling() * odu->Getquantity());
    p->setheating_peak_load(odu->Gettotal_capacity_heating() * odu->Getquantity());
    emit w.signal_update_project_data_to_window();

    // Calculate: the result page shows the year.
    w.findAction("Calculate")->trigger();
    // No question and no notice after New's.
    QVERIFY2(dialogs.seen().size() == 1, qPrintable(dialogs.seen().join('\n')));
    QVERIFY(p->GetisCalculationSuccess());
    HResultWidget* page = w.resultWidget();
    QCOMPARE(w.stackedWidget()->currentWidget(), static_cast<QWidget*>(page));
    QTableWidget* table = page->electricalUsageWidget()->resultTable();
    double own = 0.0;
    for (int m = 1; m <= 12; ++m)
        own += p->getOwnVRFSys()->getMonthEnergyConsumption(m);
    QVERIFY(own > 0.0);
    QCOMPARE(table->item(1, 14)->text(), HResultElectricalUsageWidget::energyText(own));
    // Paris: the city's bins, one row per degree between the extremes.
    QVERIFY(page->weatherBinTable()->rowCount() > 20);

    // Report Preview after another page.
    w.findAction("Project")->trigger();
    QVERIFY(w.stackedWidget()->currentWidget() != page);
    w.findAction("Report Preview")->trigger();
    QCOMPARE(w.stackedWidget()->currentWidget(), static_cast<QWidget*>(page));
    QVERIFY(w.findAction("Report Preview")->isChecked());

    // Report.
    const QString book = m_dir.filePath("end to end.xlsx");
    dialogs.thenChooseFile(book);
    QTest::mouseClick(page->reportButton(), Qt::LeftButton);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(m_sink.urls, QList<QUrl>{QUrl::fromLocalFile(book)});

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(READ_WORKBOOK_SCRIPT), book, "--rows", "All=10"});
    QVERIFY(python.waitForFinished(120000));
    QCOMPARE(python.exitCode(), 0);
    const QJsonObject cells =
        QJsonDocument::fromJson(python.readAllStandardOutput()).object().value("cells").toObject();
    QCOMPARE(cells.value("Project Info").toObject().value("D10").toString(),
             QStringLiteral("End to end"));
    const QJsonObject comparison = cells.value("Comparison Result").toObject();
    QCOMPARE(comparison.value("D29").toDouble(), p->getOwnVRFSys()->getMonthEnergyConsumption(1));
    QCOMPARE(comparison.value("O30").toDouble(),
             p->getOtherVRFSys()->getMonthEnergyConsumption(12));
    QCOMPARE(cells.value("Operational Info").toObject().value("G44").toString(),
             QStringLiteral("Paris"));
}

QTEST_MAIN(TestResultsEndToEnd)
#include "tst_results_endtoend.moc"
