// The own system's unit page on the demo catalogue: category and model combos,
// quantities, rebuilding rows from the project, copying to the other system, the
// display load unit and the water-side equipment table.

#include "HAdditionInfoTable.h"
#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HChartView.h"
#include "HProductPerformanceDataForVRF.h"
#include "HTableComboxItem.h"
#include "HUnit.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "HVRFUnitInfoWidget.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "tst_units_fixture.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QSignalSpy>
#include <QTableWidget>

using brivanta::test::ModalDialogs;
using unitsfixture::Rated;
using unitswidgets::choose;

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

const QString kOutdoorCategory = QStringLiteral("VX heat pump");
const QString kIndoorCategory = QStringLiteral("Four-way cassette");

HProject* project()
{
    return HProject::getProject();
}

HVRF* own()
{
    return project()->getOwnVRFSys();
}

HUnit* addUnit(HVRF* system, bool odu, const QString& category, const QString& model,
               int quantity = 0)
{
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    unit->setunit_type(category);
    unit->setunit_model(model);
    unit->setunit_productcode(model);
    unit->setquantity(quantity);
    system->append(unit);
    return unit;
}

HTableComboxItem* comboAt(QTableWidget* table, int row, int column)
{
    return qobject_cast<HTableComboxItem*>(table->cellWidget(row, column));
}

QStringList entries(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

double cellNumber(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().toDouble() : -1.0;
}

} // namespace

class TestVRFUnitInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void categoryRefillsModels();
    void modelFillsTheRow_data();
    void modelFillsTheRow();
    void typedQuantities();
    void rebuildAfterARemovalKeepsTheOtherUnits();
    void rebuildReadsTheCatalogueAgain();
    void removeWithoutACurrentRow();
    void copyToOther_data();
    void copyToOther();
    void capacitiesInTheDisplayUnit();
    void waterTableFollowsTheProject();
    void waterTableTotals();

private:
    HVRFUnitInfoWidget* page() const { return m_page.get(); }

    unitsfixture::Catalogue m_catalogue;
    QHash<QString, Rated> m_outdoor;
    QHash<QString, Rated> m_indoor;
    std::unique_ptr<HVRFUnitInfoWidget> m_page;
};

void TestVRFUnitInfo::initTestCase()
{
    QVERIFY(m_catalogue.setUp());
    m_outdoor = unitsfixture::ratedFigures(true);
    m_indoor = unitsfixture::ratedFigures(false);
    QVERIFY(m_outdoor.contains("Quellmark VXS-224")
            && m_indoor.contains("Quellmark Cassette CF-28"));
}

void TestVRFUnitInfo::cleanupTestCase()
{
    m_page.reset();
    m_catalogue.tearDown();
}

void TestVRFUnitInfo::init()
{
    CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
    HProjectSession::newProject();
    m_page = std::make_unique<HVRFUnitInfoWidget>();
    m_page->resize(1200, 700);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TestVRFUnitInfo::cleanup()
{
    m_page.reset();
}

void TestVRFUnitInfo::categoryRefillsModels()
{
    page()->iduActions().at(0)->trigger(); // Add IDU
    QTableWidget* table = page()->iduTable();
    QCOMPARE(table->rowCount(), 1);
    HTableComboxItem* category = comboAt(table, 0, HUnitTable::ColumnType);
    HTableComboxItem* model = comboAt(table, 0, HUnitTable::ColumnModel);
    QVERIFY(category && model);
    QCOMPARE(category->itemText(0), QString());
    QCOMPARE(entries(model), QStringList{QString()});

    // The cassette models of the catalogue's sources, in their order.
    QStringList cassettes{QString()};
    for (int size : {28, 36, 45, 56, 71, 90, 112})
        cassettes << QStringLiteral("Quellmark Cassette CF-%1").arg(size);
    QVERIFY(choose(category, kIndoorCategory));
    QCOMPARE(entries(model), cassettes);
    QCOMPARE(model->currentIndex(), 0);

    // A model fills the unit; another category empties the model and the numbers.
    QVERIFY(choose(model, "Quellmark Cassette CF-56"));
    HUnit* unit = own()->constFirst();
    QCOMPARE(unit->Gettotal_capacity_cooling(), 5.6);
    QVERIFY(choose(category, "Wall-mounted"));
    QCOMPARE(model->currentText(), QString());
    QVERIFY(model->count() > 1 && !entries(model).contains("Quellmark Cassette CF-56"));
    QCOMPARE(unit->Getunit_type(), QString("Wall-mounted"));
    QCOMPARE(unit->Gettotal_capacity_cooling(), 0.0);
    QCOMPARE(unit->Getis_odu(), false);
    QCOMPARE(table->item(0, HUnitTable::ColumnCapacityCooling)->text(), QString("0"));
}

void TestVRFUnitInfo::modelFillsTheRow_data()
{
    QTest::addColumn<bool>("odu");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("model");
    QTest::newRow("outdoor VXS-224") << true << kOutdoorCategory << "Quellmark VXS-224";
    QTest::newRow("outdoor VXS-400") << true << kOutdoorCategory << "Quellmark VXS-400";
    QTest::newRow("indoor CF-28, power in W")
        << false << kIndoorCategory << "Quellmark Cassette CF-28";
}

void TestVRFUnitInfo::modelFillsTheRow()
{
    QFETCH(bool, odu);
    QFETCH(QString, category);
    QFETCH(QString, model);
    const Rated rated = (odu ? m_outdoor : m_indoor).value(model);
    QVERIFY(rated.tcC > 0.0);

    QAction* add = (odu ? page()->oduActions() : page()->iduActions()).at(0);
    add->trigger();
    QTableWidget* table = odu ? page()->oduTable() : page()->iduTable();
    QCOMPARE(table->item(0, HUnitTable::ColumnQuantity)->text(), QString("0"));
    project()->setisCalculationSuccess(true);
    QVERIFY(choose(comboAt(table, 0, HUnitTable::ColumnType), category));
    QVERIFY(choose(comboAt(table, 0, HUnitTable::ColumnModel), model));

    HUnit* unit = own()->constFirst();
    QCOMPARE(unit->Getis_odu(), odu);
    QCOMPARE(unit->Getquantity(), 1);
    BRIVANTA_COMPARE_NEAR(unit->Gettotal_capacity_cooling(), rated.tcC, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit->Getpower_input_cooling(), rated.piC, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit->Gettotal_capacity_heating(), rated.tcH, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit->Getpower_input_heating(), rated.piH, 1e-12);
    QCOMPARE(table->item(0, HUnitTable::ColumnQuantity)->text(), QString("1"));
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnCapacityCooling), rated.tcC,
                          1e-12);
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnPowerCooling), rated.piC, 1e-12);
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnCapacityHeating), rated.tcH,
                          1e-12);
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnPowerHeating), rated.piH, 1e-12);
    for (int c = HUnitTable::ColumnCapacityCooling; c < HUnitTable::ColumnCount; ++c)
        QVERIFY(!(table->item(0, c)->flags() & Qt::ItemIsEditable));
    QVERIFY(!project()->GetisCalculationSuccess());
    if (odu) // the chart shows the unit's curve under its category
        QCOMPARE(page()->coolingChart()->chart()->series().size(), 1);
}

void TestVRFUnitInfo::typedQuantities()
{
    addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-224", 1);
    page()->slot_update_project_data_to_window();
    QTableWidget* table = page()->oduTable();
    HUnit* unit = own()->constFirst();

    project()->setisCalculationSuccess(true);
    QVERIFY(unitswidgets::typeInto(table, 0, HUnitTable::ColumnQuantity, "4"));
    QVERIFY(!project()->GetisCalculationSuccess());
    QCOMPARE(unit->Getquantity(), 1); // not read yet
    page()->slot_update_window_data_to_project();
    QCOMPARE(unit->Getquantity(), 4);

    // Another model keeps the quantity typed in the row; Add keeps the typed rows.
    QVERIFY(unitswidgets::typeInto(table, 0, HUnitTable::ColumnQuantity, "6"));
    QVERIFY(choose(comboAt(table, 0, HUnitTable::ColumnModel), "Quellmark VXS-280"));
    QCOMPARE(unit->Getquantity(), 6);
    QCOMPARE(table->item(0, HUnitTable::ColumnQuantity)->text(), QString("6"));
    QVERIFY(unitswidgets::typeInto(table, 0, HUnitTable::ColumnQuantity, "7"));
    page()->oduActions().at(0)->trigger();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, HUnitTable::ColumnQuantity)->text(), QString("7"));
    QCOMPARE(table->item(1, HUnitTable::ColumnQuantity)->text(), QString("0"));
    QCOMPARE(unit->Getquantity(), 7);
}

// Rows are rebuilt after a removal; the combos of the build before must not act on
// the unit that is gone, nor on the unit that now stands in their row.
void TestVRFUnitInfo::rebuildAfterARemovalKeepsTheOtherUnits()
{
    addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-224");
    // A model the catalogue does not know, with figures typed elsewhere.
    HUnit* custom = addUnit(own(), true, kOutdoorCategory, "Custom-9", 2);
    custom->settotal_capacity_cooling(50.0);
    custom->setpower_input_cooling(12.0);
    custom->settotal_capacity_heating(55.0);
    custom->setpower_input_heating(13.0);
    HUnit* third = addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-280");
    page()->slot_update_project_data_to_window();
    QTableWidget* table = page()->oduTable();
    QCOMPARE(table->rowCount(), 3);

    table->setCurrentCell(0, HUnitTable::ColumnQuantity);
    page()->oduActions().at(1)->trigger(); // Remove ODU
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(own()->size(), 2);
    QCOMPARE(own()->at(0), custom);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(comboAt(table, 0, HUnitTable::ColumnType)->unit(), custom);
    QCOMPARE(custom->Getquantity(), 2);
    QCOMPARE(custom->Gettotal_capacity_cooling(), 50.0);
    QCOMPARE(custom->Getpower_input_heating(), 13.0);
    QCOMPARE(table->item(0, HUnitTable::ColumnCapacityCooling)->text(), QString("50"));
    BRIVANTA_COMPARE_NEAR(third->Gettotal_capacity_cooling(),
                          m_outdoor.value("Quellmark VXS-280").tcC, 1e-12);
    QCOMPARE(comboAt(table, 1, HUnitTable::ColumnModel)->currentText(),
             QString("Quellmark VXS-280"));
}

void TestVRFUnitInfo::rebuildReadsTheCatalogueAgain()
{
    HUnit* found = addUnit(own(), false, kIndoorCategory, "Quellmark Cassette CF-45", 3);
    found->settotal_capacity_cooling(1.0); // stale figure
    HUnit* unknown = addUnit(own(), false, "No such category", "X", 2);
    unknown->settotal_capacity_cooling(7.5);
    project()->setisCalculationSuccess(true);

    page()->slot_update_project_data_to_window();
    page()->slot_update_project_data_to_window(); // twice: the second rebuild replaces combos

    BRIVANTA_COMPARE_NEAR(found->Gettotal_capacity_cooling(),
                          m_indoor.value("Quellmark Cassette CF-45").tcC, 1e-12);
    QCOMPARE(found->Getquantity(), 3);
    QCOMPARE(unknown->Gettotal_capacity_cooling(), 7.5);
    QCOMPARE(unknown->Getunit_type(), QString("No such category"));
    QCOMPARE(page()->iduTable()->rowCount(), 2);
    // Showing the project is no edit: a calculation stays valid.
    QVERIFY(project()->GetisCalculationSuccess());
}

void TestVRFUnitInfo::removeWithoutACurrentRow()
{
    addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-224");
    page()->slot_update_project_data_to_window();
    page()->oduTable()->setCurrentCell(-1, -1);
    page()->oduActions().at(1)->trigger();
    QCOMPARE(own()->size(), 1);
    QCOMPARE(page()->oduTable()->rowCount(), 1);
}

void TestVRFUnitInfo::copyToOther_data()
{
    QTest::addColumn<bool>("odu");
    QTest::addColumn<bool>("otherFilled");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("copied");

    const auto none = QMessageBox::NoButton;
    QTest::newRow("ODU onto an empty system: no question") << true << false << none << true;
    QTest::newRow("ODU onto a filled system, Yes") << true << true << QMessageBox::Yes << true;
    QTest::newRow("ODU onto a filled system, No") << true << true << QMessageBox::No << false;
    QTest::newRow("IDU onto an empty system: no question") << false << false << none << true;
    QTest::newRow("IDU onto a filled system, No") << false << true << QMessageBox::No << false;
}

void TestVRFUnitInfo::copyToOther()
{
    QFETCH(bool, odu);
    QFETCH(bool, otherFilled);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, copied);

    addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-224", 2);
    addUnit(own(), false, kIndoorCategory, "Quellmark Cassette CF-28", 5);
    page()->slot_update_project_data_to_window();
    HVRF* other = project()->getOtherVRFSys();
    // The other system's own curves, which its copied indoor units take.
    const QVector<CAL_ITEM> otherCurve{{30, 1.0, 1.0}, {20, 0.5, 0.6}};
    other->getVRFProductPerformanceData()->setCoolingModeItems(otherCurve);
    if (otherFilled) {
        addUnit(other, true, "Other make", "O-ODU", 1);
        addUnit(other, false, "Other make", "O-IDU", 1);
    }
    const int otherSizeBefore = other->size();
    project()->setisCalculationSuccess(true);

    ModalDialogs dialogs;
    if (answer != QMessageBox::NoButton)
        dialogs.thenClick(answer);
    QSignalSpy oduSpy(page(), &HVRFUnitInfoWidget::UpdateOtherVRFODUTableData);
    QSignalSpy iduSpy(page(), &HVRFUnitInfoWidget::UpdateOtherVRFIDUTableData);
    (odu ? page()->oduActions() : page()->iduActions()).at(2)->trigger();

    QCOMPARE(dialogs.seen().size(), otherFilled ? 1 : 0);
    if (otherFilled)
        QCOMPARE(dialogs.seen().constFirst(),
                 QString("warning: Other's product data is not empty, do you want to replace it?"));
    QCOMPARE(oduSpy.count(), copied && odu ? 1 : 0);
    QCOMPARE(iduSpy.count(), copied && !odu ? 1 : 0);
    QCOMPARE(project()->GetisCalculationSuccess(), !copied);

    QVector<HUnit*> copies;
    if (odu)
        other->getAllOutoorUnits(copies);
    else
        other->getAllIndoorUnits(copies);
    QVector<HUnit*> untouched;
    if (odu)
        other->getAllIndoorUnits(untouched);
    else
        other->getAllOutoorUnits(untouched);
    if (!copied) {
        QCOMPARE(other->size(), otherSizeBefore);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies.constFirst()->Getunit_type(), QString("Other make"));
        return;
    }
    QCOMPARE(copies.size(), 1);
    HUnit* copy = copies.constFirst();
    QCOMPARE(copy->Getunit_type(), odu ? kOutdoorCategory : kIndoorCategory);
    QCOMPARE(copy->Getquantity(), odu ? 2 : 5);
    const Rated rated =
        odu ? m_outdoor.value("Quellmark VXS-224") : m_indoor.value("Quellmark Cassette CF-28");
    BRIVANTA_COMPARE_NEAR(copy->Gettotal_capacity_cooling(), rated.tcC, 1e-12);
    QVERIFY(!own()->contains(copy));
    QCOMPARE(untouched.size(), otherFilled ? 1 : 0);
    if (!odu) {
        QVector<CAL_ITEM> curve;
        copy->getVRFProductPerformanceData()->getCoolingModeItems(curve);
        QCOMPARE(curve.size(), otherCurve.size());
        QCOMPARE(curve.at(1).electricity_input_ratio, 0.6);
    }
}

void TestVRFUnitInfo::capacitiesInTheDisplayUnit()
{
    addUnit(own(), true, kOutdoorCategory, "Quellmark VXS-224");
    CUnitFun::SetUnitLoad(CUnitFun::LoadBtuPerHour);
    page()->slot_update_project_data_to_window();
    QTableWidget* table = page()->oduTable();
    const QString header = table->horizontalHeaderItem(HUnitTable::ColumnCapacityCooling)->text();
    QVERIFY2(header.startsWith("TC(C)") && header.contains("Btu/h"), qPrintable(header));
    QVERIFY(table->horizontalHeaderItem(HUnitTable::ColumnPowerCooling)->text().endsWith("kW"));
    // 1 kW = 3412.14 Btu/h (international table Btu).
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnCapacityCooling),
                          22.4 * 3412.14163, 1e-5);
    BRIVANTA_COMPARE_NEAR(cellNumber(table, 0, HUnitTable::ColumnPowerCooling), 5.27, 1e-12);
    QCOMPARE(own()->constFirst()->Gettotal_capacity_cooling(), 22.4);
}

// The table shows the water equipment of the project in use, also after New.
void TestVRFUnitInfo::waterTableFollowsTheProject()
{
    HAdditionInfoTable* table = page()->additionTable();
    QVERIFY(table->isHidden()); // no system has water units
    HProjectSession::newProject();
    own()->getAdditionInformationWithVRFWater()->setcooling_tower_quantity(3.0);
    page()->setLanguage();
    QCOMPARE(table->item(1, 2)->text(), QString("3"));
    table->item(4, 2)->setText("2");
    QCOMPARE(own()->getAdditionInformationWithVRFWater()->Getcirculation_water_pump_quantity(),
             2.0);
    QCOMPARE(table->item(8, 2)->text(), QString("5"));
}

void TestVRFUnitInfo::waterTableTotals()
{
    HAdditionInfoTable* table = page()->additionTable();
    project()->setisCalculationSuccess(true);
    // Quantities 1.5, 2 and 0.6 at 100.7 each: 4.1 units, 412.87 in all, both cut.
    table->item(1, 2)->setText("1.5");
    table->item(4, 2)->setText("2");
    table->item(6, 2)->setText("0.6");
    for (int row : {1, 4, 6})
        table->item(row, 3)->setText("100.7");
    QCOMPARE(table->item(8, 2)->text(), QString("4"));
    QCOMPARE(table->item(8, 3)->text(), QString("412"));
    HAdditionalInfomaitonWithVRFWater* record = own()->getAdditionInformationWithVRFWater();
    QCOMPARE(record->GettotalPrice(), 412);
    QCOMPARE(record->Getfossil_fuel_boiler_quantity(), 0.6);
    QVERIFY(!project()->GetisCalculationSuccess());
    QVERIFY(!(table->item(8, 3)->flags() & Qt::ItemIsEditable));
    // Another language lays the table out again with the same values.
    page()->setLanguage();
    QCOMPARE(table->item(1, 2)->text(), QString("1.5"));
    QCOMPARE(table->item(8, 3)->text(), QString("412"));
}

QTEST_MAIN(TestVRFUnitInfo)
#include "tst_vrfunitinfo.moc"
