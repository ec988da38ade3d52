// The weather page on a small weather database whose averaged year is known by
// construction: the design-hours choice, the charts, the location, the batch
// Calculate and the import of a real weather file through the main window.

#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HDatabase.h"
#include "HHour.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "HWeatherAnalysis.h"
#include "HWeatherWidget.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "WidgetTestSupport.h"
#include "chartForm.h"
#include "tst_weather_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

using brivanta::test::ModalDialogs;

using brivanta::test::child;
using brivanta::test::typeInto;

namespace {

HProject* project()
{
    return HProject::getProject();
}

// "Ramp": the temperature rises evenly through the year, -10 degrees C at the first
// hour, 0.005 degrees more each hour. Ranked from the hottest, the hour at rank k
// (counted from 0) is hour 8759 - k of the year.
double rampAt(int hourOfYear)
{
    return -10.0 + 0.005 * hourOfYear;
}

double rampDesign(int ignoreHours)
{
    return rampAt(8759 - ignoreHours);
}

// "Steps": whole degrees, -10 for the first 200 hours, one degree more every 200
// hours; the last 160 hours read 33.
double stepsAt(int hourOfYear)
{
    return -10.0 + hourOfYear / 200;
}

QCPBars* bars(const HWeatherWidget& page, int index)
{
    return qobject_cast<QCPBars*>(page.barChart()->customPlot()->plottable(index));
}

QVector<double> values(const QCPBars* series)
{
    QVector<double> v;
    for (auto it = series->data()->constBegin(); it != series->data()->constEnd(); ++it)
        v.append(it->value);
    return v;
}

QString indexValue(const QString& table, const char* column)
{
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [%1] from tb_glb_idx where [tableName] = ?")
            .arg(QLatin1String(column)),
        {table});
    return q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
}

} // namespace

class TestWeatherWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void locationFillsTheProject();
    void designHours_data();
    void designHours();
    void refreshKeepsTheDesignChoice();
    void lineDrawnOnTheFirstDisplay();
    void barsAtTheDesignTemperatureAreRed();
    void fahrenheitLineAndBars();
    void cityWithoutWeather();
    void relabellingWritesNothing();
    void batchCalculateCancelled();
    void batchCalculateKeepsTheProjectsCity();
    void importButtonAddsARealCity();
    void importOfABadFileChangesNothing();

private:
    void removeCaches();

    QTemporaryDir m_dir;
    QString m_db;
};

void TestWeatherWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    m_db = m_dir.filePath(QStringLiteral("Weather.db3"));
    {
        weatherfixture::Db db(m_db);
        db.addCity("Testland", "Ramp", "TST_Ramp", {2001}, [](int, int m, int d, int h) {
            return weatherfixture::Reading{rampAt(weatherfixture::hourIndex(m, d, h)), 0.5};
        });
        db.addCity("Testland", "Steps", "TST_Steps", {2001}, [](int, int m, int d, int h) {
            return weatherfixture::Reading{stepsAt(weatherfixture::hourIndex(m, d, h)), 0.5};
        });
        db.addCity("Otherland", "Flat", "OTH_Flat", {2001}, [](int, int, int, int) {
            return weatherfixture::Reading{20.0, 0.6};
        });
    }
    LumoWeather::setWeatherDbPath(m_db);
    HJsonConfig::read(m_dir.filePath(QStringLiteral("ee_config.json")));
    HProjectSession::registerProductDatabase(m_dir.filePath(QStringLiteral("no-products.mdb")));
}

void TestWeatherWidget::init()
{
    HProjectSession::newProject();
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
}

void TestWeatherWidget::cleanup()
{
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
}

void TestWeatherWidget::cleanupTestCase()
{
    LumoWeather::setWeatherDbPath(QString());
    HAppPaths::setApplicationDir(QString());
    HProject::reset();
}

void TestWeatherWidget::removeCaches()
{
    QDir(m_dir.filePath(QStringLiteral("weather"))).removeRecursively();
}

void TestWeatherWidget::locationFillsTheProject()
{
    HWeatherWidget page;
    QSignalSpy temps(&page, &HWeatherWidget::signal_update_project_location_temp_info);
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));

    QCOMPARE(temps.count(), 1);
    QCOMPARE(page.currentTable(), QStringLiteral("TST_Ramp"));
    QVERIFY(project()->GetisHave8760WeatherData());
    BRIVANTA_COMPARE_NEAR(project()->Getmax_temp(), rampAt(8759), 1e-9);
    BRIVANTA_COMPARE_NEAR(project()->Getmin_temp(), -10.0, 1e-9);
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(35), 1e-9);
    // The hourly year: 1 January 00:00 is the first hour, 31 December 23:00 the last.
    BRIVANTA_COMPARE_NEAR(project()->getYear()->getHour(1, 1, 0)->Getdry_bulb_temperature(), -10.0,
                          1e-9);
    BRIVANTA_COMPARE_NEAR(project()->getYear()->getHour(12, 31, 23)->Getdry_bulb_temperature(),
                          rampAt(8759), 1e-9);
    QCOMPARE(child<QLabel>(page, "labelTitle")->text(),
             QStringLiteral("Ambient Air Temperature Distribution(Testland-Ramp)"));
    QCOMPARE(child<QLineEdit>(page, "lineEditMaxTemp")->text(),
             QString::number(rampAt(8759), 'f', 2));
    QCOMPARE(child<QLineEdit>(page, "lineEditMinTemp")->text(), QStringLiteral("-10.00"));
}

void TestWeatherWidget::designHours_data()
{
    QTest::addColumn<bool>("byHours");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("hours");
    QTest::newRow("0.4 % is 35 hours") << false << "0.4" << 35;
    QTest::newRow("1 % is 87 hours") << false << "1" << 87;
    QTest::newRow("35 hours as at 0.4 %") << true << "35" << 35;
    QTest::newRow("0 hours: the hottest hour") << true << "0" << 0;
    QTest::newRow("200 hours") << true << "200" << 200;
}

void TestWeatherWidget::designHours()
{
    QFETCH(bool, byHours);
    QFETCH(QString, typed);
    QFETCH(int, hours);

    HWeatherWidget page;
    page.resize(1018, 579);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    QSignalSpy temps(&page, &HWeatherWidget::signal_update_project_location_temp_info);

    if (byHours) {
        auto* radio = child<QRadioButton>(page, "hoursRadioButton");
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        QVERIFY(radio->isChecked());
        QVERIFY(child<QLineEdit>(page, "lineEdit_h")->isEnabled());
        QVERIFY(!child<QLineEdit>(page, "lineEdit_p")->isEnabled());
        typeInto(child<QLineEdit>(page, "lineEdit_h"), typed);
    } else {
        typeInto(child<QLineEdit>(page, "lineEdit_p"), typed);
    }

    QCOMPARE(page.ignoreHours(), hours);
    QCOMPARE(child<QLineEdit>(page, "lineEdit_X")->text(),
             QString::number(rampDesign(hours), 'f', 2));
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(hours), 1e-9);
    QVERIFY(temps.count() >= 1);
}

void TestWeatherWidget::refreshKeepsTheDesignChoice()
{
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    typeInto(child<QLineEdit>(page, "lineEdit_p"), QStringLiteral("1"));
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(87), 1e-9);

    // The cache was made with 35 hours; neither showing the page again nor setting the
    // same location again brings that design temperature back.
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.reCreateGraph();
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(87), 1e-9);
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(87), 1e-9);
    QCOMPARE(child<QLineEdit>(page, "lineEdit_X")->text(), QString::number(rampDesign(87), 'f', 2));
    // And the weather analysis of the Calculate command uses it too.
    int binTables = 0;
    connect(&page, &HWeatherWidget::signal_update_weather_analysis_result_to_show_table,
            [&](QJsonArray& bins) { binTables += bins.isEmpty() ? 0 : 1; });
    page.slot_weather_anlysis();
    QCOMPARE(binTables, 1);
    QCOMPARE(project()->getWeatherExtremeData().value("IgnoreHours").toInt(), 87);
}

void TestWeatherWidget::lineDrawnOnTheFirstDisplay()
{
    removeCaches();
    QVERIFY(!QFileInfo::exists(HWeatherAnalysis::cacheFilePath(QStringLiteral("TST_Ramp"))));
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));

    QCustomPlot* plot = page.lineChart()->customPlot();
    QCOMPARE(plot->graphCount(), 1);
    QCPGraph* line = plot->graph(0);
    QCOMPARE(line->data()->size(), 8760);
    QCOMPARE(line->data()->constBegin()->key, 0.0);
    BRIVANTA_COMPARE_NEAR(line->data()->constBegin()->value, -10.0, 1e-9);
    // The series holds two decimals.
    BRIVANTA_COMPARE_NEAR((line->data()->constEnd() - 1)->value, rampAt(8759), 2e-4);
    BRIVANTA_COMPARE_NEAR(plot->yAxis->range().lower, -12.0, 1e-9);
    BRIVANTA_COMPARE_NEAR(plot->yAxis->range().upper, rampAt(8759) + 2.0, 1e-9);
    QCOMPARE(plot->xAxis->range().upper, 8760.0);
    QVERIFY(page.barChart()->customPlot()->plottableCount() == 2);
}

void TestWeatherWidget::barsAtTheDesignTemperatureAreRed()
{
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Steps"));
    // The 36th hottest hour reads 33 degrees: the design temperature is the highest bin.
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), 33.0, 1e-12);

    QCOMPARE(page.barChart()->customPlot()->plottableCount(), 2);
    const QVector<double> blue = values(bars(page, 0));
    const QVector<double> red = values(bars(page, 1));
    // Bins -10 .. 33 (44 of them): 200 hours each, 160 in the last.
    QCOMPARE(red.size(), 44);
    QCOMPARE(blue.size(), 43); // the bins below 33
    QCOMPARE(red.last(), 160.0);
    QCOMPARE(blue.last(), 200.0);
    QCOMPARE(red.first(), 0.0);
    QCOMPARE(bars(page, 0)->brush().color(), QColor(Qt::blue));
    QCOMPARE(bars(page, 1)->brush().color(), QColor(Qt::red));
}

void TestWeatherWidget::fahrenheitLineAndBars()
{
    CUnitFun::SetUnitTemp(CUnitFun::TempFahrenheit);
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Steps"));

    // -10 C = 14 F, 33 C = 91.4 F; the range reaches 2 degrees C beyond: 10.4 .. 95 F.
    QCustomPlot* plot = page.lineChart()->customPlot();
    QCPGraph* line = plot->graph(0);
    BRIVANTA_COMPARE_NEAR(line->data()->constBegin()->value, 14.0, 1e-9);
    BRIVANTA_COMPARE_NEAR((line->data()->constEnd() - 1)->value, 91.4, 1e-9);
    BRIVANTA_COMPARE_NEAR(plot->yAxis->range().lower, 10.4, 1e-9);
    BRIVANTA_COMPARE_NEAR(plot->yAxis->range().upper, 95.0, 1e-9);
    QVERIFY(plot->yAxis->label().endsWith(CUnitFun::GetUnitTempString(1)));
    QCOMPARE(child<QLineEdit>(page, "lineEditMaxTemp")->text(), QStringLiteral("91.40"));
    QCOMPARE(child<QLineEdit>(page, "lineEdit_X")->text(), QStringLiteral("91.40"));
    // The project keeps degrees C.
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), 33.0, 1e-12);
    // Bin labels: -10 C = 14 F, 0 C = 32 F.
    QSharedPointer<QCPAxisTickerText> ticker =
        page.barChart()->customPlot()->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    QVERIFY(ticker);
    QCOMPARE(ticker->ticks().first(), QStringLiteral("14"));
    QVERIFY(ticker->ticks().values().contains(QStringLiteral("32")));
}

void TestWeatherWidget::cityWithoutWeather()
{
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    const double design = project()->Getaverage_temp();

    QSignalSpy temps(&page, &HWeatherWidget::signal_update_project_location_temp_info);
    page.updateWeatherParam(QStringLiteral("Nowhere"), QStringLiteral("Atlantis"));
    QCOMPARE(temps.count(), 1);
    QVERIFY(!project()->GetisHave8760WeatherData());
    QVERIFY(page.currentTable().isEmpty());
    QVERIFY(child<QLabel>(page, "labelCity")->text().contains(QStringLiteral("Atlantis")));
    QCOMPARE(page.lineChart()->customPlot()->graphCount(), 0);
    QCOMPARE(page.barChart()->customPlot()->plottableCount(), 0);
    QVERIFY(child<QTabWidget>(page, "tabWidget")->isHidden());
    // Nothing of the previous city is written, and a design-hours edit changes nothing.
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), design, 1e-12);
    typeInto(child<QLineEdit>(page, "lineEdit_p"), QStringLiteral("1"));
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), design, 1e-12);
}

void TestWeatherWidget::relabellingWritesNothing()
{
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    // Another project is opened; before its location reaches the page, the units change.
    HProjectSession::newProject();
    project()->setaverage_temp(1.5);
    CUnitFun::SetUnitTemp(CUnitFun::TempFahrenheit);
    page.setLanguage();

    QCOMPARE(project()->Getaverage_temp(), 1.5);
    QVERIFY(project()->getWeatherStatisData().isEmpty());
    QVERIFY(project()->getWeatherExtremeData().isEmpty());
    // The page shows its figures in the new unit: -10 C = 14 F.
    QCOMPARE(child<QLineEdit>(page, "lineEditMinTemp")->text(), QStringLiteral("14.00"));
    QCOMPARE(page.lineChart()->customPlot()->graph(0)->data()->constBegin()->value, 14.0);
}

void TestWeatherWidget::batchCalculateCancelled()
{
    HWeatherWidget page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    ModalDialogs dialogs;
    dialogs.then([](QWidget* w) {
        if (auto* progress = qobject_cast<QProgressDialog*>(w))
            progress->cancel();
    });
    QSignalSpy status(&page, &HWeatherWidget::signal_send_msg_to_status_wnd);
    QTest::mouseClick(child<QPushButton>(page, "pushButton_cal"), Qt::LeftButton);

    QCOMPARE(dialogs.pending(), 0);
    QVERIFY(dialogs.seen().first().startsWith(QStringLiteral("Calculate")));
    QCOMPARE(status.last().first().toString(),
             QStringLiteral("Cancelled: the design points were not stored."));
    for (const char* table : {"TST_Ramp", "TST_Steps", "OTH_Flat"})
        QCOMPARE(indexValue(QString::fromLatin1(table), "SummeryDry"), QString());
    QCOMPARE(LumoWeather::getQWeather()->getWeatherTableName(), QStringLiteral("TST_Ramp"));
}

void TestWeatherWidget::batchCalculateKeepsTheProjectsCity()
{
    HWeatherWidget page;
    page.updateWeatherParam(QStringLiteral("Testland"), QStringLiteral("Ramp"));
    typeInto(child<QLineEdit>(page, "lineEdit_p"), QStringLiteral("1"));
    const QJsonArray bins = project()->getWeatherStatisData();
    const QJsonObject extreme = project()->getWeatherExtremeData();
    QSignalSpy status(&page, &HWeatherWidget::signal_send_msg_to_status_wnd);

    QTest::mouseClick(child<QPushButton>(page, "pushButton_cal"), Qt::LeftButton);

    QCOMPARE(status.last().first().toString(),
             QStringLiteral("Design points of 3 of 3 cities stored."));
    // Design points with 35 hours: the ramp's 36th hottest hour and 36th coldest hour.
    QCOMPARE(indexValue(QStringLiteral("TST_Ramp"), "SummeryDry"),
             QString::number(rampDesign(35), 'g', 6));
    QCOMPARE(indexValue(QStringLiteral("TST_Ramp"), "WinterDry"),
             QString::number(rampAt(35), 'g', 6));
    QCOMPARE(indexValue(QStringLiteral("OTH_Flat"), "SummeryDry"), QStringLiteral("20"));
    QVERIFY(!indexValue(QStringLiteral("OTH_Flat"), "SummeryWet").isEmpty());
    // The project still describes its own city with its own rule.
    QCOMPARE(LumoWeather::getQWeather()->getWeatherTableName(), QStringLiteral("TST_Ramp"));
    QCOMPARE(project()->getWeatherStatisData(), bins);
    QCOMPARE(project()->getWeatherExtremeData(), extreme);
    BRIVANTA_COMPARE_NEAR(project()->Getaverage_temp(), rampDesign(87), 1e-9);
    QCOMPARE(page.currentTable(), QStringLiteral("TST_Ramp"));
}

void TestWeatherWidget::importButtonAddsARealCity()
{
    const QString epw =
        QStringLiteral(BRIVANTA_SHARED_DATA "/weather/NLD_Amsterdam062400_IWEC.epw");
    BRIVANTA_REQUIRE_SHARED_FILE(epw);
    MainWindow w;
    w.switchToWaather();
    HWeatherWidget* page = w.weatherWidget();
    auto* cities = child<QComboBox>(*w.projectSetWidget(), "comboBox_City");
    auto* countries = child<QComboBox>(*w.projectSetWidget(), "comboBox_Country");
    QVERIFY(countries->findText(QStringLiteral("NLD")) < 0);

    ModalDialogs dialogs;
    dialogs.thenChooseFile(epw);
    QString offeredCountry;
    QString offeredCity;
    dialogs.then([&](QWidget* w) {
        // The file's own location is offered; take it.
        auto* dialog = qobject_cast<QDialog*>(w);
        offeredCountry = dialog->findChild<QComboBox*>("comboBox_country")->currentText();
        offeredCity = dialog->findChild<QLineEdit*>("lineEdit_city")->text();
        dialog->accept();
    });
    QTest::mouseClick(child<QPushButton>(*page, "pushButton_import"), Qt::LeftButton);

    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 2);
    // The file's location line: LOCATION,AMSTERDAM,-,NLD,...
    QCOMPARE(offeredCountry, QStringLiteral("NLD"));
    QCOMPARE(offeredCity, QStringLiteral("AMSTERDAM"));
    QVERIFY(countries->findText(QStringLiteral("NLD")) >= 0);
    QCOMPARE(countries->currentText(), QStringLiteral("NLD"));
    QCOMPARE(cities->currentText(), QStringLiteral("AMSTERDAM"));
    QCOMPARE(project()->Getcountry(), QStringLiteral("NLD"));
    QCOMPARE(project()->Getcity(), QStringLiteral("AMSTERDAM"));
    QVERIFY(project()->GetisHave8760WeatherData());
    QCOMPARE(page->currentTable(), QStringLiteral("NLD_AMSTERDAM"));
    QCOMPARE(page->lineChart()->customPlot()->graph(0)->data()->size(), 8760);
    QVERIFY(child<QLabel>(*page, "labelTitle")->text().endsWith(QStringLiteral("(NLD-AMSTERDAM)")));
    QVERIFY(project()->Getmin_temp() < project()->Getaverage_temp());
    QVERIFY(project()->Getaverage_temp() < project()->Getmax_temp());
}

void TestWeatherWidget::importOfABadFileChangesNothing()
{
    const QString bad = m_dir.filePath(QStringLiteral("bad.epw"));
    QVERIFY(brivanta::test::writeFile(bad, "LOCATION,Nowhere,,XXX,src,0,0,0,0,0\nnot weather\n"));
    HWeatherWidget page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy imported(&page, &HWeatherWidget::signal_weather_city_imported);
    QSqlQuery before = LumoWeather::getQWeather()->weatherQuery("select count(*) from tb_glb_idx");
    QVERIFY(before.next());
    const int rows = before.value(0).toInt();

    ModalDialogs dialogs;
    dialogs.thenChooseFile(bad);
    dialogs.thenClick(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(page, "pushButton_import"), Qt::LeftButton);

    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 2);
    QVERIFY2(dialogs.seen().last().contains(QStringLiteral("bad.epw cannot be imported")),
             qPrintable(dialogs.seen().last()));
    QCOMPARE(imported.count(), 0);
    QSqlQuery after = LumoWeather::getQWeather()->weatherQuery("select count(*) from tb_glb_idx");
    QVERIFY(after.next());
    QCOMPARE(after.value(0).toInt(), rows);
}

QTEST_MAIN(TestWeatherWidget)
#include "tst_weatherwidget.moc"
