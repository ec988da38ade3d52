// The year calculation's compact records: a slot of a system's record block,
// which an hour hands out as record objects only when asked, with the same
// records, sums and averages as records added one by one.
#include "HCalRecordBlock.h"
#include "HCalVRFUnitItem.h"
#include "HDay.h"
#include "HHour.h"
#include "HUnit.h"
#include "HUnitsGroup.h"

#include <QtTest>
#include <TestSupport.h>
#include <memory>

namespace {

using Load = HCalRecordBlock::Load;

struct Expected
{
    const char* unit; // "A", "B" outdoor; "C", "D" indoor
    double eir;
    double energy;
};

HUnit* newUnit(bool odu, int quantity, double powerCooling, double powerHeating)
{
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    unit->setquantity(quantity);
    unit->setpower_input_cooling(powerCooling);
    unit->setpower_input_heating(powerHeating);
    return unit;
}

} // namespace

// QCOMPARE allows doubles a relative difference of 1e-12; these must be equal.
#define COMPARE_EXACT(actual, expected)                                                            \
    QVERIFY2((actual) == (expected),                                                               \
             qPrintable(QStringLiteral("%1 = %2, expected %3")                                     \
                            .arg(QStringLiteral(#actual))                                          \
                            .arg(double(actual), 0, 'g', 17)                                       \
                            .arg(double(expected), 0, 'g', 17)))

Q_DECLARE_METATYPE(Load)
Q_DECLARE_METATYPE(QVector<Expected>)

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slotRecords_data();
    void slotRecords();
    void runningSumInRecordOrder();
    void builtRecordsAreTheRecords();

private:
    // Indoor C, outdoor A, indoor D (quantity 0), outdoor B: the records list
    // the outdoor lines first, each kind in list order.
    std::unique_ptr<HUnitsGroup> m_group;
    QHash<QString, HUnit*> m_units;
};

void TestRecords::init()
{
    m_group.reset(new HUnitsGroup);
    m_units = {{"C", newUnit(false, 3, 0.05, 0.06)},
               {"A", newUnit(true, 2, 5.0, 6.0)},
               {"D", newUnit(false, 0, 0.04, 0.04)},
               {"B", newUnit(true, 1, 3.0, 4.0)}};
    for (const char* name : {"C", "A", "D", "B"})
        m_group->append(m_units.value(name));
}

void TestRecords::cleanup()
{
    m_group.reset();
    m_units.clear();
}

void TestRecords::slotRecords_data()
{
    QTest::addColumn<Load>("load");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QVector<Expected>>("records");

    // energy = EIR x rated power for the load x quantity
    QTest::newRow("cooling") << Load::Cooling << true
                             << QVector<Expected>{{"A", 0.8, 8.0},
                                                  {"B", 0.5, 1.5},
                                                  {"C", 1.0, 0.15},
                                                  {"D", 1.0, 0.0}};
    QTest::newRow("heating") << Load::Heating << true
                             << QVector<Expected>{{"A", 0.8, 9.6},
                                                  {"B", 0.5, 2.0},
                                                  {"C", 1.0, 0.18},
                                                  {"D", 1.0, 0.0}};
    QTest::newRow("plant off keeps the EIRs")
        << Load::Cooling << false
        << QVector<Expected>{{"A", 0.8, 0.0}, {"B", 0.5, 0.0}, {"C", 1.0, 0.0}, {"D", 1.0, 0.0}};
    QTest::newRow("no load") << Load::None << true
                             << QVector<Expected>{{"A", 0.0, 0.0},
                                                  {"B", 0.0, 0.0},
                                                  {"C", 1.0, 0.0},
                                                  {"D", 1.0, 0.0}};
}

void TestRecords::slotRecords()
{
    QFETCH(Load, load);
    QFETCH(bool, on);
    QFETCH(QVector<Expected>, records);

    HCalRecordBlock block;
    block.setLines(m_group.get(), 3);
    QCOMPARE(block.outdoorLineCount(), 2);
    QCOMPARE(block.lineCount(), 4);
    // the other slots hold something else
    for (int slot : {0, 2}) {
        block.outdoorEIRs(slot)[0] = 0.3;
        block.outdoorEIRs(slot)[1] = 0.3;
        block.setSlot(slot, Load::Heating, true);
    }
    block.outdoorEIRs(1)[0] = records[0].eir;
    block.outdoorEIRs(1)[1] = records[1].eir;
    block.setSlot(1, load, on);

    HHour hour;
    hour.setOwnVRFRecordSlot(&block, 1);
    double odu = 0.0, idu = 0.0;
    for (const Expected& e : records)
        (QByteArray(e.unit) < "C" ? odu : idu) += e.energy;
    // sums and average without building a record object
    hour.statResult();
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_odu_energy_consumption(), odu, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_idu_energy_consumption(), idu, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_total_energy_consumption(), odu + idu, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getOwnVRFEnergyConsumption(), odu + idu, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getAverageEIR(), (records[0].eir + records[1].eir) / 2, 1e-12);
    QCOMPARE(hour.getOtherVRFEnergyConsumption(), 0.0);

    QVector<HCalVRFUnitItem*> items;
    QVERIFY(hour.getAllCalVRFUnitItemToOwnVRF(items));
    QCOMPARE(items.size(), records.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->getUnit(), m_units.value(records[i].unit));
        BRIVANTA_COMPARE_NEAR(items[i]->Getunit_EIR(), records[i].eir, 1e-12);
        BRIVANTA_COMPARE_NEAR(items[i]->Getunit_power_input(), records[i].energy, 1e-12);
    }
    // the objects are built once and then kept
    QVector<HCalVRFUnitItem*> again;
    hour.getAllCalVRFUnitItemToOwnVRF(again);
    QCOMPARE(again, items);
    hour.getAllCalVRFUnitItemToOtherVRF(again);
    QVERIFY(again.isEmpty());
    hour.statResult();
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_total_energy_consumption(), odu + idu, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getAverageEIR(), (records[0].eir + records[1].eir) / 2, 1e-12);
}

// A day adds its hours' energies as the records add up one after another, not
// as the outdoor and indoor sums: with 1e16 kWh outdoors each 1 kWh indoors
// is lost to rounding (1e16 + 1 is a tie that rounds to the even 1e16), while
// outdoor 1e16 + indoor 2 is exactly 1e16 + 2.
void TestRecords::runningSumInRecordOrder()
{
    HUnitsGroup group;
    group.append(newUnit(true, 1, 1e16, 0.0));
    group.append(newUnit(false, 1, 1.0, 0.0));
    group.append(newUnit(false, 1, 1.0, 0.0));
    HCalRecordBlock block;
    block.setLines(&group, 24);
    HDay day(1, 1);
    for (int h = 0; h < 24; ++h) {
        block.outdoorEIRs(h)[0] = 1.0;
        const HCalRecordBlock::Sums& sums = block.setSlot(h, Load::Cooling, h == 5);
        day.getHour(h)->setOwnVRFRecordSlot(&block, h);
        day.getHour(h)->setOtherVRFRecordSlot(&block, h);
        COMPARE_EXACT(sums.records, h == 5 ? 1e16 : 0.0);
    }
    HHour* hour = day.getHour(5);
    hour->statResult();
    COMPARE_EXACT(hour->Getown_vrf_odu_energy_consumption(), 1e16);
    COMPARE_EXACT(hour->Getown_vrf_idu_energy_consumption(), 2.0);
    COMPARE_EXACT(hour->Getown_vrf_total_energy_consumption(), 1e16 + 2.0);
    COMPARE_EXACT(hour->getOwnVRFEnergyConsumption(), 1e16);
    COMPARE_EXACT(day.getOwnVRFEnergyConsumption(), 1e16);
    COMPARE_EXACT(day.getOtherVRFEnergyConsumption(), 1e16);

    // the same records added one by one
    QVector<HCalVRFUnitItem*> items;
    hour->getAllCalVRFUnitItemToOwnVRF(items);
    HHour listed;
    for (const HCalVRFUnitItem* item : items) {
        auto* copy = new HCalVRFUnitItem(item->getUnit());
        copy->setunit_power_input(item->Getunit_power_input());
        listed.addCalVRFUnitItemToOwnVRF(copy);
    }
    COMPARE_EXACT(listed.getOwnVRFEnergyConsumption(), 1e16);
    COMPARE_EXACT(day.getOwnVRFEnergyConsumption(), 1e16);
}

// Once a caller holds the record objects, they are what the hour sums.
void TestRecords::builtRecordsAreTheRecords()
{
    HCalRecordBlock block;
    block.setLines(m_group.get(), 1);
    block.outdoorEIRs(0)[0] = 0.8;
    block.outdoorEIRs(0)[1] = 0.5;
    block.setSlot(0, Load::Cooling, true);
    HHour hour;
    hour.setOwnVRFRecordSlot(&block, 0);
    QVector<HCalVRFUnitItem*> items;
    hour.getAllCalVRFUnitItemToOwnVRF(items);
    QCOMPARE(items.size(), 4);

    items[1]->setunit_power_input(4.5); // B: 1.5 -> 4.5
    items[0]->setunit_EIR(0.2);
    auto* extra = new HCalVRFUnitItem(m_units.value("C"));
    extra->setunit_power_input(1.0);
    hour.addCalVRFUnitItemToOwnVRF(extra);
    hour.statResult();
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_odu_energy_consumption(), 12.5, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_idu_energy_consumption(), 1.15, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getOwnVRFEnergyConsumption(), 13.65, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getAverageEIR(), 0.35, 1e-12);
    QVector<HCalVRFUnitItem*> after;
    hour.getAllCalVRFUnitItemToOwnVRF(after);
    QCOMPARE(after, items + QVector<HCalVRFUnitItem*>{extra});

    // a new slot replaces them all
    block.setSlot(0, Load::None, true);
    hour.setOwnVRFRecordSlot(&block, 0);
    hour.statResult();
    QCOMPARE(hour.Getown_vrf_total_energy_consumption(), 0.0);
    hour.removeAllCalVRFUnitItemToOwnVRF();
    hour.getAllCalVRFUnitItemToOwnVRF(after);
    QVERIFY(after.isEmpty());
    QCOMPARE(hour.getAverageEIR(), 0.0);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
