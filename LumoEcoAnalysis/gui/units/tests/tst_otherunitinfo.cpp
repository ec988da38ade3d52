// The other make's unit page: typed rows kept through add and remove, capacities
// typed in any load unit stored in kW, edits that make a calculation stale, the
// part-load editor behind its button, and rows of a replaced project.

#include "HAdditionInfoTable.h"
#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HChartView.h"
#include "HOtherVRFUnitInfo.h"
#include "HProductPerformanceDataForVRF.h"
#include "HSetPerformanceDataDialog.h"
#include "HUnit.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "tst_units_fixture.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>

using brivanta::test::ModalDialogs;
using unitswidgets::rowTexts;
using unitswidgets::typeInto;
using unitswidgets::typeRow;

namespace {

HProject* project()
{
    return HProject::getProject();
}

HVRF* other()
{
    return project()->getOtherVRFSys();
}

QVector<HUnit*> units(bool odu)
{
    QVector<HUnit*> list;
    if (odu)
        other()->getAllOutoorUnits(list);
    else
        other()->getAllIndoorUnits(list);
    return list;
}

QStringList unitTexts(const HUnit* u)
{
    return {u->Getunit_type(),
            u->Getunit_productcode(),
            QString::number(u->Getquantity()),
            QString::number(u->Gettotal_capacity_cooling()),
            QString::number(u->Getpower_input_cooling()),
            QString::number(u->Gettotal_capacity_heating()),
            QString::number(u->Getpower_input_heating())};
}

} // namespace

class TestOtherUnitInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void addAndRemoveKeepTypedRows();
    void capacityTypedInALoadUnit_data();
    void capacityTypedInALoadUnit();
    void editsMakeTheCalculationStale();
    void performanceDataButton_data();
    void performanceDataButton();
    void rowsOfAReplacedProject();

private:
    HOtherVRFUnitInfo* page() const { return m_page.get(); }

    unitsfixture::Catalogue m_catalogue;
    std::unique_ptr<HOtherVRFUnitInfo> m_page;
};

void TestOtherUnitInfo::initTestCase()
{
    QVERIFY(m_catalogue.setUp());
}

void TestOtherUnitInfo::cleanupTestCase()
{
    m_page.reset();
    m_catalogue.tearDown();
}

void TestOtherUnitInfo::init()
{
    CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
    HProjectSession::newProject();
    m_page = std::make_unique<HOtherVRFUnitInfo>();
    m_page->resize(1200, 700);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TestOtherUnitInfo::cleanup()
{
    m_page.reset();
}

void TestOtherUnitInfo::addAndRemoveKeepTypedRows()
{
    QTableWidget* odu = page()->oduTable();
    QTableWidget* idu = page()->iduTable();
    QAction* addOdu = page()->oduActions().at(0);
    QAction* removeOdu = page()->oduActions().at(1);
    addOdu->trigger();
    addOdu->trigger();
    page()->iduActions().at(0)->trigger();
    QCOMPARE(odu->rowCount(), 2);
    QCOMPARE(rowTexts(odu, 1, 7), QStringList({"", "", "0", "0", "0", "0", "0"}));

    const QStringList first{"Brand X", "X-280", "2", "28", "7.1", "31.5", "7.25"};
    const QStringList second{"Brand X", "X-400", "1", "40", "11", "45", "11.5"};
    const QStringList indoor{"Brand X cassette", "XC-28", "6", "2.8", "0.05", "3.2", "0.05"};
    QVERIFY(typeRow(odu, 0, first));
    QVERIFY(typeRow(odu, 1, second));
    QVERIFY(typeRow(idu, 0, indoor));

    // Add keeps what was typed, in the table and in the units.
    addOdu->trigger();
    QCOMPARE(odu->rowCount(), 3);
    QCOMPARE(rowTexts(odu, 0, 7), first);
    QCOMPARE(rowTexts(odu, 1, 7), second);
    QCOMPARE(unitTexts(units(true).at(0)), first);
    QCOMPARE(rowTexts(idu, 0, 7), indoor); // the other table is left as typed

    // Remove the selected row; the others stay.
    odu->setCurrentCell(1, 0);
    removeOdu->trigger();
    QCOMPARE(odu->rowCount(), 2);
    QCOMPARE(rowTexts(odu, 0, 7), first);
    QCOMPARE(units(true).size(), 2);
    QCOMPARE(units(true).at(1)->Getunit_productcode(), QString());
    // Remove without a current row removes nothing.
    odu->setCurrentCell(-1, -1);
    removeOdu->trigger();
    QCOMPARE(units(true).size(), 2);

    page()->slot_update_window_data_to_project();
    QCOMPARE(unitTexts(units(false).at(0)), indoor);
}

void TestOtherUnitInfo::capacityTypedInALoadUnit_data()
{
    QTest::addColumn<int>("load");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("kW");

    // 1 Btu/h = 0.29307107 W; 1 kcal/h = 1.163 W; 1 RT = 12000 Btu/h = 3.5168528 kW.
    QTest::newRow("kW") << int(CUnitFun::LoadKW) << "kW"
                        << "10" << 10.0;
    QTest::newRow("Btu/h") << int(CUnitFun::LoadBtuPerHour) << "Btu/h"
                           << "34121.4" << 34121.4 * 0.29307107e-3;
    QTest::newRow("kcal/h") << int(CUnitFun::LoadKcalPerHour) << "kcal/h"
                            << "8600" << 8600 * 1.163e-3;
    QTest::newRow("RT") << int(CUnitFun::LoadRT) << "RT"
                        << "2.5" << 2.5 * 3.5168528;
}

void TestOtherUnitInfo::capacityTypedInALoadUnit()
{
    QFETCH(int, load);
    QFETCH(QString, symbol);
    QFETCH(QString, typed);
    QFETCH(double, kW);

    CUnitFun::SetUnitLoad(load);
    page()->slot_update_project_data_to_window();
    QTableWidget* odu = page()->oduTable();
    for (int c : {HUnitTable::ColumnCapacityCooling, HUnitTable::ColumnCapacityHeating})
        QVERIFY(odu->horizontalHeaderItem(c)->text().contains(symbol));
    QCOMPARE(odu->horizontalHeaderItem(HUnitTable::ColumnPowerCooling)->text(),
             QString("PI(C) kW"));

    page()->oduActions().at(0)->trigger();
    QVERIFY(typeInto(odu, 0, HUnitTable::ColumnCapacityCooling, typed));
    QVERIFY(typeInto(odu, 0, HUnitTable::ColumnPowerCooling, "3.5"));
    page()->slot_update_window_data_to_project();
    HUnit* unit = units(true).constFirst();
    BRIVANTA_COMPARE_NEAR(unit->Gettotal_capacity_cooling(), kW, 1e-6);
    QCOMPARE(unit->Getpower_input_cooling(), 3.5); // power inputs are always kW

    // Shown back in the chosen unit after a rebuild ...
    page()->slot_update_project_data_to_window();
    BRIVANTA_COMPARE_NEAR(odu->item(0, HUnitTable::ColumnCapacityCooling)->text().toDouble(),
                          typed.toDouble(), 1e-5);
    // ... and in kW once kW is chosen, after the page read its cells again.
    const double stored = unit->Gettotal_capacity_cooling();
    CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
    page()->setLanguage();
    QCOMPARE(unit->Gettotal_capacity_cooling(), stored);
    BRIVANTA_COMPARE_NEAR(odu->item(0, HUnitTable::ColumnCapacityCooling)->text().toDouble(), kW,
                          1e-5);
}

void TestOtherUnitInfo::editsMakeTheCalculationStale()
{
    page()->oduActions().at(0)->trigger();
    project()->setisCalculationSuccess(true);
    page()->slot_update_project_data_to_window();
    page()->slot_update_window_data_to_project();
    QVERIFY(project()->GetisCalculationSuccess()); // showing and reading is no edit

    QVERIFY(typeInto(page()->oduTable(), 0, HUnitTable::ColumnQuantity, "3"));
    QVERIFY(!project()->GetisCalculationSuccess());

    project()->setisCalculationSuccess(true);
    page()->iduActions().at(0)->trigger();
    QVERIFY(!project()->GetisCalculationSuccess());

    project()->setisCalculationSuccess(true);
    page()->additionTable()->item(1, 2)->setText("2");
    QVERIFY(!project()->GetisCalculationSuccess());
    QCOMPARE(other()->getAdditionInformationWithVRFWater()->Getcooling_tower_quantity(), 2.0);
}

void TestOtherUnitInfo::performanceDataButton_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK replaces the curves") << true;
    QTest::newRow("Cancel keeps them") << false;
}

void TestOtherUnitInfo::performanceDataButton()
{
    QFETCH(bool, ok);
    HProductPerformanceDataForVRF* data = other()->getVRFProductPerformanceData();
    QVector<CAL_ITEM> before;
    data->getCoolingModeItems(before);
    project()->setisCalculationSuccess(true);

    ModalDialogs dialogs;
    dialogs.then([ok](QWidget* w) {
        auto* dialog = qobject_cast<HSetPerformanceDataDialog*>(w);
        if (!dialog)
            return;
        // Full load at 90 % of the rated power instead of 100 %.
        dialog->coolingTable()->item(0, 2)->setText("90");
        auto* box = dialog->findChild<QDialogButtonBox*>();
        box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    QTest::mouseClick(page()->performanceDataButton(), Qt::LeftButton);
    QCOMPARE(dialogs.seen(), QStringList{"Performance Data: "});

    QVector<CAL_ITEM> after;
    data->getCoolingModeItems(after);
    QCOMPARE(after.size(), before.size());
    if (ok) { // sorted from full load down
        QCOMPARE(after.constFirst().combination_rate, 1.0);
        QCOMPARE(after.constFirst().electricity_input_ratio, 0.9);
    } else {
        for (int i = 0; i < before.size(); ++i)
            QCOMPARE(after.at(i).electricity_input_ratio, before.at(i).electricity_input_ratio);
    }
    QCOMPARE(project()->GetisCalculationSuccess(), !ok);

    // The chart shows the other system's curve alone, ending at its full-load ratio.
    QtCharts::QChart* chart = page()->coolingChart()->chart();
    QCOMPARE(chart->series().size(), 1);
    auto* series = qobject_cast<QtCharts::QXYSeries*>(chart->series().constFirst());
    QVERIFY(series);
    QCOMPARE(series->name(), QString("VRF(Other)"));
    QVERIFY(qAbs(series->points().constLast().y() - (ok ? 90.0 : 100.0)) < 0.5);
}

// After New the rows still name the units of the project before, until the page
// is reset: reading them then must not touch those units.
void TestOtherUnitInfo::rowsOfAReplacedProject()
{
    page()->oduActions().at(0)->trigger();
    QVERIFY(typeInto(page()->oduTable(), 0, HUnitTable::ColumnModel, "Gone"));
    HProjectSession::newProject();
    page()->slot_update_window_data_to_project();
    QVERIFY(other()->isEmpty());
    page()->reset();
    QCOMPARE(page()->oduTable()->rowCount(), 0);
    page()->slot_update_project_data_to_window();
    QCOMPARE(page()->oduTable()->rowCount(), 0);
}

QTEST_MAIN(TestOtherUnitInfo)
#include "tst_otherunitinfo.moc"
