// From New to the report in the real main window: a new project is given its inputs,
// calculated, shown on the result page (also through Report Preview) and written as a
// workbook that is read back independently.
//
// The unit pages are driven through their widgets; the inputs of the project settings
// and schedule pages are set on the project, as those pages would set them.
#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HOtherVRFUnitInfo.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "HResultElectricalUsageWidget.h"
#include "HResultWidget.h"
#include "HUnit.h"
#include "HUnitInfoWidget.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "HVRFUnitInfoWidget.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "UrlSink.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using brivanta::test::ModalDialogs;
using unitswidgets::addOtherUnit;
using unitswidgets::addOwnUnit;

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
    // Units, through the unit pages: one own outdoor line and its indoor units from the
    // catalogue, and the other make's units typed in.
    w.switchToVRF();
    HUnitInfoWidget* units = w.unitInfoWidget();
    HVRFUnitInfoWidget* ownPage = units->ownPage();
    HOtherVRFUnitInfo* otherPage = units->otherVRFPage();
    QVERIFY(ownPage && otherPage);
    QVERIFY(addOwnUnit(ownPage, true, "VX heat pump", "Quellmark VXS-560", "2"));
    QVERIFY(addOwnUnit(ownPage, false, "Four-way cassette", "Quellmark Cassette CF-71", "14"));
    units->tabWidget()->setCurrentWidget(otherPage);
    QVERIFY(addOtherUnit(otherPage, true, {"Other ODU", "X-56", "2", "56", "17", "63", "16.5"}));
    QVERIFY(addOtherUnit(otherPage, false,
                         {"Other cassette", "C-71", "14", "7.1", "0.06", "8", "0.06"}));
    QCOMPARE(p->getOwnVRFSys()->size(), 2);
    QCOMPARE(p->getOtherVRFSys()->size(), 2);
    // The quantities reach the project when the pages hand their rows over, as before
    // every Save and Calculate.
    emit w.signal_update_window_data_to_project();
    HVRF* ownSystem = p->getOwnVRFSys();
    ownSystem->calculate();
    QVERIFY(ownSystem->Getodu_total_capacity_cooling() > 0.0);
    // Peak loads the outdoor units can meet: no replacement, no notice.
    p->setcooling_peak_load(ownSystem->Getodu_total_capacity_cooling());
    p->setheating_peak_load(ownSystem->Getodu_total_capacity_heating());

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
