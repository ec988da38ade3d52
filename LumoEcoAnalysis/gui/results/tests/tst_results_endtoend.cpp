// From New to the report in the real main window: a new project is given its inputs
// through the pages (project settings, schedule, units), calculated, shown on the result
// page (also through Report Preview), saved, and written as a workbook. The saved file
// is read back and calculated by lumoeco, whose figures the page and the workbook show.
#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HOperationInfoWidget.h"
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
#include "LumoecoRun.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "UrlSink.h"
#include "WidgetTestSupport.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <memory>

using brivanta::test::child;
using brivanta::test::ModalDialogs;
using unitswidgets::addOtherUnit;
using unitswidgets::addOwnUnit;
using unitswidgets::choose;

namespace {

// "08AM-09AM": an hour's caption on the schedule page, written out here. The day starts
// at 00AM and ends at 12AM.
QString hourCaption(int hour)
{
    auto clock = [](int h) {
        const int twelve = h == 0 ? 0 : h % 12 == 0 ? 12 : h % 12;
        return QStringLiteral("%1%2")
            .arg(twelve, 2, 10, QLatin1Char('0'))
            .arg(h % 24 < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    };
    return clock(hour) + QLatin1Char('-') + clock(hour + 1);
}

// The check box captioned `caption` in one of the schedule tables.
QCheckBox* scheduleBox(QTableWidget* table, const QString& caption)
{
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            QCheckBox* box = HOperationInfoWidget::checkBoxAt(table, r, c);
            if (box && box->text() == caption)
                return box;
        }
    qWarning("no schedule box %s", qPrintable(caption));
    return nullptr;
}

// Clicks the box, on its caption, when it does not show `on` yet.
bool setScheduleBox(QTableWidget* table, const QString& caption, bool on)
{
    QCheckBox* box = scheduleBox(table, caption);
    if (!box)
        return false;
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {},
                          QPoint(box->sizeHint().width() / 2, box->height() / 2));
    return box->isChecked() == on;
}

} // namespace

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

    // Project settings, typed and chosen on the page; the location reaches the weather
    // page, which loads its year.
    HProject* p = HProject::getProject();
    w.findAction("Project")->trigger();
    HProjectSetWidget* settings = w.projectSetWidget();
    QCOMPARE(w.stackedWidget()->currentWidget(), static_cast<QWidget*>(settings));
    brivanta::test::typeInto(child<QLineEdit>(*settings, "lineEdit_ProjectName"), "End to end");
    brivanta::test::typeInto(child<QLineEdit>(*settings, "lineEdit_electricticy"), "0.3");
    QVERIFY(choose(child<QComboBox>(*settings, "comboBox_Country"), "France"));
    QVERIFY(choose(child<QComboBox>(*settings, "comboBox_City"), "Paris"));
    QCOMPARE(p->Getcity(), QStringLiteral("Paris"));
    QVERIFY(p->GetisHave8760WeatherData());

    // Schedule, clicked on the page: 8:00 to 18:00, Monday to Friday.
    w.findAction("Operational Info")->trigger();
    HOperationInfoWidget* schedule = w.operationInfoWidget();
    QCOMPARE(w.stackedWidget()->currentWidget(), static_cast<QWidget*>(schedule));
    for (int h = 0; h < 24; ++h)
        QVERIFY2(setScheduleBox(schedule->dailyTable(), hourCaption(h), h >= 8 && h < 18),
                 qPrintable(hourCaption(h)));
    const QStringList days = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    for (int d = 0; d < days.size(); ++d)
        QVERIFY2(setScheduleBox(schedule->weeklyTable(), days.at(d), d < 5),
                 qPrintable(days.at(d)));

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
    // Peak loads the outdoor units can meet, typed in kW on the settings page: no
    // replacement, no notice.
    const double coolingLoad = std::floor(ownSystem->Getodu_total_capacity_cooling() * 10.0) / 10.0;
    const double heatingLoad = std::floor(ownSystem->Getodu_total_capacity_heating() * 10.0) / 10.0;
    w.findAction("Project")->trigger();
    brivanta::test::typeInto(child<QLineEdit>(*settings, "lineEdit_CoolingPeakLoad"),
                             QString::number(coolingLoad, 'f', 1));
    brivanta::test::typeInto(child<QLineEdit>(*settings, "lineEdit_HeatingPeakLoad"),
                             QString::number(heatingLoad, 'f', 1));

    // Calculate: the result page shows the year.
    w.findAction("Calculate")->trigger();
    // No question and no notice after New's.
    QVERIFY2(dialogs.seen().size() == 1, qPrintable(dialogs.seen().join('\n')));
    QVERIFY(p->GetisCalculationSuccess());
    HResultWidget* page = w.resultWidget();
    QCOMPARE(w.stackedWidget()->currentWidget(), static_cast<QWidget*>(page));

    // Save: the file holds what was entered on the pages, and lumoeco computes from it
    // the figures the window shows.
    const QString file = m_dir.filePath("end to end.ee");
    dialogs.thenChooseFile(file);
    w.findAction("Save")->trigger();
    QCOMPARE(dialogs.pending(), 0);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(saved.readAll()).object();
    QCOMPARE(json.value("name").toString(), QStringLiteral("End to end"));
    QCOMPARE(json.value("electricity_price").toDouble(), 0.3);
    QCOMPARE(json.value("country").toString(), QStringLiteral("France"));
    QCOMPARE(json.value("city").toString(), QStringLiteral("Paris"));
    QCOMPARE(json.value("cooling_peak_load").toDouble(), coolingLoad);
    QCOMPARE(json.value("heating_peak_load").toDouble(), heatingLoad);
    const QJsonObject operation = json.value("operation_map").toObject();
    for (int h = 0; h < 24; ++h)
        QCOMPARE(operation.value("daily").toObject().value(QString::number(h)).toBool(),
                 h >= 8 && h < 18);
    for (int d = 1; d <= 7; ++d)
        QCOMPARE(operation.value("week").toObject().value(QString::number(d)).toBool(), d <= 5);

    const QJsonObject expected = brivanta::test::lumoecoCalculateJson(m_dir.path(), file);
    const QJsonArray months = expected.value("monthly").toArray();
    QCOMPARE(months.size(), 12);
    double own = 0.0;
    for (int m = 1; m <= 12; ++m) {
        const QJsonObject row = months.at(m - 1).toObject();
        QCOMPARE(row.value("month").toInt(), m);
        QCOMPARE(p->getOwnVRFSys()->getMonthEnergyConsumption(m), row.value("own_kwh").toDouble());
        QCOMPARE(p->getOtherVRFSys()->getMonthEnergyConsumption(m),
                 row.value("other_kwh").toDouble());
        own += row.value("own_kwh").toDouble();
    }
    QVERIFY(own > 0.0);
    QTableWidget* table = page->electricalUsageWidget()->resultTable();
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
    QCOMPARE(comparison.value("D29").toDouble(),
             months.at(0).toObject().value("own_kwh").toDouble());
    QCOMPARE(comparison.value("O30").toDouble(),
             months.at(11).toObject().value("other_kwh").toDouble());
    QCOMPARE(cells.value("Operational Info").toObject().value("G44").toString(),
             QStringLiteral("Paris"));
}

QTEST_MAIN(TestResultsEndToEnd)
#include "tst_results_endtoend.moc"
