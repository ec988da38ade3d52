// The result page on projects whose monthly results are set by hand: the monthly
// table and charts, the weather bin table and its colours, and the Report button.
#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HResultElectricalUsageWidget.h"
#include "HResultWidget.h"
#include "HVRF.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "UrlSink.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>

using namespace QtCharts;
using brivanta::test::ModalDialogs;

namespace {

QString text(QTableWidget* t, int row, int column)
{
    QTableWidgetItem* item = t->item(row, column);
    return item ? item->text() : QString();
}

QColor background(QTableWidget* t, int row, int column)
{
    QTableWidgetItem* item = t->item(row, column);
    return item ? item->background().color() : QColor();
}

QBarSeries* barSeries(QChartView* view)
{
    const QList<QAbstractSeries*> series = view->chart()->series();
    return series.size() == 1 ? qobject_cast<QBarSeries*>(series.first()) : nullptr;
}

QJsonObject bin(int temp, const QVector<int>& hours)
{
    QJsonArray months;
    int total = 0;
    for (int h : hours) {
        months.append(h);
        total += h;
    }
    return QJsonObject{{"temp_dot", temp}, {"temp_times_month", months}, {"total_times", total}};
}

} // namespace

class TestResultWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void monthlyTexts_data();
    void monthlyTexts();
    void tableLayout();
    void charts();
    void comboSwitchesPages();
    void emptyBinTable();
    void binTable_data();
    void binTable();
    void binCellColor_data();
    void binCellColor();
    void pictureOfBinTable();
    void reportBeforeCalculation();
    void reportWrittenAndOpened();
    void reportThatCannotBeWritten();

private:
    QTemporaryDir m_dir;
    UrlSink m_sink;
};

void TestResultWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
    // Opening a file must not start a program during the tests.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_sink, "open");
}

void TestResultWidget::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    HProject::reset();
    HAppPaths::setApplicationDir(QString());
}

void TestResultWidget::init()
{
    HProject::reset();
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
    m_sink.urls.clear();
}

void TestResultWidget::monthlyTexts_data()
{
    QTest::addColumn<double>("own");
    QTest::addColumn<double>("other");
    QTest::addColumn<QString>("ownText");
    QTest::addColumn<QString>("otherText");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("ownCost");
    // Energies are truncated before grouping; ratios are rounded. Price 0.5.
    QTest::newRow("other system 0") << 10.9 << 0.0 << "10"
                                    << "0"
                                    << "0%"
                                    << "5";
    QTest::newRow("ratio rounds up") << 1234.99 << 1410.0 << "1,234"
                                     << "1,410"
                                     << "88%"
                                     << "617";
    QTest::newRow("ratio rounds down") << 874.9 << 1000.0 << "874"
                                       << "1,000"
                                       << "87%"
                                       << "437";
    QTest::newRow("millions") << 1234567.8 << 1000000.0 << "1,234,567"
                              << "1,000,000"
                              << "123%"
                              << "617,283";
}

void TestResultWidget::monthlyTexts()
{
    QFETCH(double, own);
    QFETCH(double, other);
    QFETCH(QString, ownText);
    QFETCH(QString, otherText);
    QFETCH(QString, ratio);
    QFETCH(QString, ownCost);
    HProject* p = HProject::getProject();
    p->setelectricity_price(0.5);
    // March only; every other month is 0 for both systems.
    p->getOwnVRFSys()->setMonthEnergyConsumption(3, own);
    p->getOtherVRFSys()->setMonthEnergyConsumption(3, other);
    HResultWidget page;
    page.slot_update_project_data_to_window();
    QTableWidget* t = page.electricalUsageWidget()->resultTable();
    const int march = 4;
    QCOMPARE(text(t, 1, march), ownText);
    QCOMPARE(text(t, 2, march), otherText);
    QCOMPARE(text(t, 3, march), ratio);
    QCOMPARE(text(t, 10, march), ownCost);
    QCOMPARE(text(t, 12, march), ratio);
    // The year is March alone.
    QCOMPARE(text(t, 1, 14), ownText);
    QCOMPARE(text(t, 2, 14), otherText);
    QCOMPARE(text(t, 3, 14), ratio);
    QCOMPARE(text(t, 10, 14), ownCost);
    // Months without energy.
    QCOMPARE(text(t, 1, 2), QStringLiteral("0"));
    QCOMPARE(text(t, 3, 2), QStringLiteral("0%"));
}

void TestResultWidget::tableLayout()
{
    HResultWidget page;
    page.resize(1280, 700);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTableWidget* t = page.electricalUsageWidget()->resultTable();
    QCOMPARE(t->rowCount(), 13);
    QCOMPARE(t->columnCount(), 15);
    QVERIFY(t->horizontalHeader()->isHidden());
    QVERIFY(t->verticalHeader()->isHidden());
    QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(t->columnWidth(0), 100);
    QCOMPARE(t->columnWidth(1), 80);
    QCOMPARE(t->columnWidth(14), 60);
    for (int r = 0; r < 13; ++r)
        QVERIFY2((t->rowHeight(r) == 0) == (r >= 4 && r <= 9), qPrintable(QString::number(r)));
    QCOMPARE(text(t, 0, 0), QStringLiteral("Month"));
    QCOMPARE(t->columnSpan(0, 0), 2);
    QCOMPARE(text(t, 1, 0), QStringLiteral("Electricity Input(kWH)"));
    QCOMPARE(t->rowSpan(1, 0), 3);
    QCOMPARE(text(t, 10, 0), QStringLiteral("Energy Cost(Auto Calculation)($)"));
    QCOMPARE(t->rowSpan(10, 0), 3);
    QCOMPARE(text(t, 4, 0), QStringLiteral("Gas Input(Nm^3)"));
    QCOMPARE(text(t, 1, 1), QStringLiteral("VELA"));
    QCOMPARE(text(t, 2, 1), QStringLiteral("Other'VRF"));
    QCOMPARE(text(t, 12, 1), QStringLiteral("Ratio(%)"));
    QCOMPARE(text(t, 0, 2), QStringLiteral("Jan"));
    QCOMPARE(text(t, 0, 8), QStringLiteral("July"));
    QCOMPARE(text(t, 0, 14), QStringLiteral("Total"));
    for (int c = 2; c <= 14; ++c)
        QCOMPARE(background(t, 0, c), QColor(179, 198, 231));
    // Nothing feeds the gas and user-input cost rows.
    for (int r = 4; r <= 9; ++r)
        QVERIFY(text(t, r, 5).isEmpty());
    QVERIFY(!page.electricalUsageWidget()->gasChartView()->isVisible());
    QVERIFY(page.electricalUsageWidget()->electricityChartView()->isVisible());
    QCOMPARE(page.reportButton()->text(), QStringLiteral("Report"));
    QCOMPARE(page.reportButton()->width(), 120);
}

void TestResultWidget::charts()
{
    HProject* p = HProject::getProject();
    p->setelectricity_price(0.25);
    for (int m = 1; m <= 12; ++m) {
        p->getOwnVRFSys()->setMonthEnergyConsumption(m, 100.0 * m);
        p->getOtherVRFSys()->setMonthEnergyConsumption(m, 120.0 * m);
    }
    HResultWidget page;
    page.slot_update_project_data_to_window();
    HResultElectricalUsageWidget* usage = page.electricalUsageWidget();

    struct Expected
    {
        QChartView* view;
        QString title;
        double factor;
    };
    for (const Expected& e :
         {Expected{usage->electricityChartView(), "Electricity Input(kWh)", 1.0},
          Expected{usage->energyCostChartView(), "Energy Cost($)", 0.25}}) {
        QCOMPARE(e.view->chart()->title(), e.title);
        QBarSeries* series = barSeries(e.view);
        QVERIFY(series);
        QCOMPARE(series->count(), 2);
        QBarSet* own = series->barSets().at(0);
        QBarSet* other = series->barSets().at(1);
        QCOMPARE(own->label(), QStringLiteral("VELA's"));
        QCOMPARE(other->label(), QStringLiteral("Other VRF's"));
        QCOMPARE(own->color(), QColor(0, 0, 255));
        QCOMPARE(other->color(), QColor(255, 0, 0));
        QCOMPARE(own->count(), 12);
        for (int m = 1; m <= 12; ++m) {
            QCOMPARE(own->at(m - 1), 100.0 * m * e.factor);
            QCOMPARE(other->at(m - 1), 120.0 * m * e.factor);
        }
        const QList<QAbstractAxis*> x = e.view->chart()->axes(Qt::Horizontal, series);
        QCOMPARE(x.size(), 1);
        auto* months = qobject_cast<QBarCategoryAxis*>(x.first());
        QVERIFY(months);
        QCOMPARE(months->count(), 12);
        QCOMPARE(months->at(6), QStringLiteral("July"));
        QCOMPARE(e.view->chart()->legend()->alignment(), Qt::AlignBottom);
    }

    // A refresh puts new charts in place of the old ones.
    QPointer<QChart> before = usage->electricityChartView()->chart();
    p->getOwnVRFSys()->setMonthEnergyConsumption(1, 7.0);
    page.slot_update_project_data_to_window();
    QVERIFY(before.isNull());
    QCOMPARE(barSeries(usage->electricityChartView())->barSets().at(0)->at(0), 7.0);
}

void TestResultWidget::comboSwitchesPages()
{
    HResultWidget page;
    QCOMPARE(page.comboBox()->count(), 2);
    QCOMPARE(page.comboBox()->itemText(0), QStringLiteral("Electrical Usage Estimate Results"));
    QCOMPARE(page.comboBox()->itemText(1),
             QStringLiteral("Monthly Weather Analysis (Temperature)"));
    QCOMPARE(page.stackedWidget()->count(), 2);
    QCOMPARE(page.stackedWidget()->currentWidget(),
             static_cast<QWidget*>(page.electricalUsageWidget()));
    page.comboBox()->setCurrentIndex(1);
    QCOMPARE(page.stackedWidget()->currentWidget(), static_cast<QWidget*>(page.weatherBinTable()));
}

void TestResultWidget::emptyBinTable()
{
    HResultWidget page;
    QJsonArray none;
    page.slot_showMonthWeatherAnalysisDataToTableView(none);
    QTableWidget* t = page.weatherBinTable();
    QCOMPARE(t->rowCount(), 4);
    QCOMPARE(t->columnCount(), 13);
    QCOMPARE(text(t, 0, 0), QStringLiteral("Dry Bulb Temperature"));
    QCOMPARE(t->columnSpan(0, 0), 13);
    QCOMPARE(text(t, 1, 0), QStringLiteral("Temp(DB)(°C)"));
    QCOMPARE(t->rowSpan(1, 0), 2);
    QCOMPARE(text(t, 1, 1), QStringLiteral("Monthly Bin-data"));
    QCOMPARE(t->columnSpan(1, 1), 12);
    QCOMPARE(text(t, 2, 1), QStringLiteral("Jan"));
    QCOMPARE(text(t, 2, 12), QStringLiteral("Dec"));
    QCOMPARE(text(t, 3, 0), QStringLiteral("Total"));
    for (int c = 1; c <= 12; ++c)
        QCOMPARE(text(t, 3, c), QStringLiteral("0"));
}

void TestResultWidget::binTable_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("degrees C") << 1 << "Temp(DB)(°C)"
                               << "-3"
                               << "25";
    // -3 C = 26.6 F, 25 C = 77 F.
    QTest::newRow("degrees F") << 2 << "Temp(DB)(°F)"
                               << "26.6"
                               << "77";
}

void TestResultWidget::binTable()
{
    QFETCH(int, unit);
    QFETCH(QString, caption);
    QFETCH(QString, first);
    QFETCH(QString, second);
    CUnitFun::SetUnitTemp(unit);
    HResultWidget page;
    QJsonArray bins{bin(-3, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100}),
                    bin(25, {0, 0, 0, 0, 0, 0, 250, 120, 0, 0, 0, 1})};
    page.slot_showMonthWeatherAnalysisDataToTableView(bins);
    QTableWidget* t = page.weatherBinTable();
    QCOMPARE(t->rowCount(), 6);
    QCOMPARE(text(t, 1, 0), caption);
    QCOMPARE(text(t, 3, 0), first);
    QCOMPARE(text(t, 4, 0), second);
    QCOMPARE(text(t, 3, 1), QStringLiteral("5"));
    QCOMPARE(text(t, 4, 7), QStringLiteral("250"));
    QCOMPARE(background(t, 3, 12), QColor(255, 0, 0));    // 100 hours
    QCOMPARE(background(t, 3, 2), QColor(255, 255, 127)); // 0 hours
    QCOMPARE(text(t, 5, 0), QStringLiteral("Total"));
    QCOMPARE(text(t, 5, 1), QStringLiteral("5"));
    QCOMPARE(text(t, 5, 7), QStringLiteral("250"));
    QCOMPARE(text(t, 5, 12), QStringLiteral("101"));
    for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
            if (QTableWidgetItem* item = t->item(r, c))
                QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));

    // A change of units shows the same bins in the new unit.
    CUnitFun::SetUnitTemp(unit == 1 ? 2 : 1);
    page.setLanguage();
    QCOMPARE(text(t, 3, 0), unit == 1 ? QStringLiteral("26.6") : QStringLiteral("-3"));
}

void TestResultWidget::binCellColor_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<QColor>("colour");
    // green = trunc(|100 - n| / 100 x 255), at most 255; blue = green / 2, at most 255.
    QTest::newRow("0 hours") << 0 << QColor(255, 255, 127);
    QTest::newRow("1 hour") << 1 << QColor(255, 252, 126);
    QTest::newRow("50 hours") << 50 << QColor(255, 127, 63);
    QTest::newRow("100 hours") << 100 << QColor(255, 0, 0);
    QTest::newRow("150 hours") << 150 << QColor(255, 127, 63);
    QTest::newRow("200 hours") << 200 << QColor(255, 255, 127);
    QTest::newRow("400 hours") << 400 << QColor(255, 255, 255);
}

void TestResultWidget::binCellColor()
{
    QFETCH(int, hours);
    QFETCH(QColor, colour);
    QCOMPARE(HResultWidget::binCellColor(hours), colour);
}

void TestResultWidget::pictureOfBinTable()
{
    const QString picture = HResultWidget::picturePath();
    QCOMPARE(picture, m_dir.filePath("temp/weather_analysis.jpg"));
    HResultWidget page;
    QJsonArray bins{bin(10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})};
    // A file where the folder should be: nothing is written and nothing is said.
    QDir(m_dir.filePath("temp")).removeRecursively();
    {
        QFile blocker(m_dir.filePath("temp"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    page.slot_showMonthWeatherAnalysisDataToTableView(bins);
    QVERIFY(!QFileInfo::exists(picture));
    QVERIFY(QFile::remove(m_dir.filePath("temp")));
    // The folder is made when missing.
    page.slot_showMonthWeatherAnalysisDataToTableView(bins);
    QImage image(picture);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 100 && image.height() > 50);
    QVERIFY(QDir(m_dir.filePath("temp")).removeRecursively());
}

void TestResultWidget::reportBeforeCalculation()
{
    HResultWidget page;
    page.show();
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    QTest::mouseClick(page.reportButton(), Qt::LeftButton);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen(),
             QStringList{"Notice: Please push the [Calculate] button to complete calculation."});
    QVERIFY(m_sink.urls.isEmpty());
}

void TestResultWidget::reportWrittenAndOpened()
{
    HProject* p = HProject::getProject();
    p->setfilePath(m_dir.filePath("school.ee"));
    p->getOwnVRFSys()->setMonthEnergyConsumption(1, 10.0);
    p->setisCalculationSuccess(true);
    HResultWidget page;
    page.show();
    QSignalSpy status(&page, &HResultWidget::signal_send_msg_to_status_wnd);
    const QString target = m_dir.filePath("chosen.xlsx");
    QString proposed;
    ModalDialogs dialogs;
    dialogs.then([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(page.reportButton(), Qt::LeftButton);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 1);
    // Proposed beside the project file, under its name.
    QCOMPARE(proposed, m_dir.filePath("school.xlsx"));
    QVERIFY(QFileInfo(target).size() > 1000);
    QCOMPARE(m_sink.urls, QList<QUrl>{QUrl::fromLocalFile(target)});
    QVERIFY(!status.isEmpty());
    QCOMPARE(status.last().at(0).toString(), "Report saved as " + target);
}

void TestResultWidget::reportThatCannotBeWritten()
{
    HProject::getProject()->setisCalculationSuccess(true);
    HResultWidget page;
    page.show();
    const QString target = m_dir.filePath("no such folder/report.xlsx");
    ModalDialogs dialogs;
    dialogs.then([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        // The dialog itself would refuse a missing folder; the report must too.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    dialogs.thenClick(QMessageBox::Ok);
    QTest::mouseClick(page.reportButton(), Qt::LeftButton);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 2);
    const QString warning = dialogs.seen().at(1);
    QVERIFY2(warning.startsWith("Report: Cannot write the report") && warning.contains(target),
             qPrintable(warning));
    QVERIFY(!QFileInfo::exists(target));
    QVERIFY(m_sink.urls.isEmpty());
}

QTEST_MAIN(TestResultWidget)
#include "tst_resultwidget.moc"
