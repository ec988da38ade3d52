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

// Writes the outdoor EIRs and the load of a slot and points the hour's own
// records at it.
void writeOwnSlot(HCalRecordBlock& block, int slot, std::initializer_list<double> eirs, Load load,
                  bool on, HHour& hour)
{
    double* outdoor = block.outdoorEIRs(slot);
    for (double eir : eirs)
        *outdoor++ = eir;
    block.setSlot(slot, load, on);
    hour.setOwnVRFRecordSlot(&block, slot);
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
    void repeatedRunKeepsRecords();
    void changedLinesRebuildRecords_data();
    void changedLinesRebuildRecords();

private:
    // Unit names of an hour's own records, in order.
    QString ownRecordUnits(const HHour& hour) const;

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
    HHour hour;
    writeOwnSlot(block, 0, {0.8, 0.5}, Load::Cooling, true, hour);
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

QString TestRecords::ownRecordUnits(const HHour& hour) const
{
    QVector<HCalVRFUnitItem*> items;
    hour.getAllCalVRFUnitItemToOwnVRF(items);
    QString names;
    for (const HCalVRFUnitItem* item : items)
        names += m_units.key(item->getUnit(), QStringLiteral("?"));
    return names;
}

// A repeated run over the same units reuses the block's storage and writes its
// values into the record objects an hour has handed out: the pointers stay
// valid and the lists equal. Quantities and ratings are not unit changes.
void TestRecords::repeatedRunKeepsRecords()
{
    HCalRecordBlock block;
    block.setLines(m_group.get(), 2);
    const quint64 version = block.unitsVersion();
    const double* storage = block.outdoorEIRs(0);
    HHour hour;
    writeOwnSlot(block, 1, {0.8, 0.5}, Load::Cooling, true, hour);
    QVector<HCalVRFUnitItem*> items;
    hour.getAllCalVRFUnitItemToOwnVRF(items);
    QCOMPARE(ownRecordUnits(hour), QStringLiteral("ABCD"));

    // same units: heating at EIRs 0.4 and 0.25
    block.setLines(m_group.get(), 2);
    QCOMPARE(block.unitsVersion(), version);
    QCOMPARE(static_cast<const double*>(block.outdoorEIRs(0)), storage);
    writeOwnSlot(block, 1, {0.4, 0.25}, Load::Heating, true, hour);
    // the pointers held since the first run read the new values:
    // A 0.4 x 6.0 x 2, B 0.25 x 4.0 x 1, C 0.06 x 3, D quantity 0
    const QVector<Expected> heating = {
        {"A", 0.4, 4.8}, {"B", 0.25, 1.0}, {"C", 1.0, 0.18}, {"D", 1.0, 0.0}};
    for (int i = 0; i < heating.size(); ++i) {
        BRIVANTA_COMPARE_NEAR(items[i]->Getunit_EIR(), heating[i].eir, 1e-12);
        BRIVANTA_COMPARE_NEAR(items[i]->Getunit_power_input(), heating[i].energy, 1e-12);
    }
    QVector<HCalVRFUnitItem*> again;
    hour.getAllCalVRFUnitItemToOwnVRF(again);
    QCOMPARE(again, items);
    hour.statResult();
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_odu_energy_consumption(), 5.8, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_idu_energy_consumption(), 0.18, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getOwnVRFEnergyConsumption(), 5.98, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getAverageEIR(), 0.325, 1e-12);

    // a new quantity and rating of A: cooling 0.8 x 7.0 x 4, B 0.5 x 3.0 x 1
    m_units.value("A")->setquantity(4);
    m_units.value("A")->setpower_input_cooling(7.0);
    block.setLines(m_group.get(), 2);
    QCOMPARE(block.unitsVersion(), version);
    writeOwnSlot(block, 1, {0.8, 0.5}, Load::Cooling, true, hour);
    hour.getAllCalVRFUnitItemToOwnVRF(again);
    QCOMPARE(again, items);
    BRIVANTA_COMPARE_NEAR(items[0]->Getunit_power_input(), 22.4, 1e-12);
    BRIVANTA_COMPARE_NEAR(items[1]->Getunit_power_input(), 1.5, 1e-12);
    BRIVANTA_COMPARE_NEAR(items[2]->Getunit_power_input(), 0.15, 1e-12);
    hour.statResult();
    BRIVANTA_COMPARE_NEAR(hour.getOwnVRFEnergyConsumption(), 24.05, 1e-12);

    // another block (the other system's) with the same units builds its own objects
    HCalRecordBlock other;
    other.setLines(m_group.get(), 2);
    writeOwnSlot(other, 1, {0.8, 0.5}, Load::Cooling, false, hour);
    hour.statResult();
    QCOMPARE(hour.getOwnVRFEnergyConsumption(), 0.0);
    QCOMPARE(ownRecordUnits(hour), QStringLiteral("ABCD"));
}

void TestRecords::changedLinesRebuildRecords_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("units"); // expected record order afterwards

    QTest::newRow("outdoor line added") << QStringLiteral("add E") << QStringLiteral("ABECD");
    QTest::newRow("indoor line removed") << QStringLiteral("remove C") << QStringLiteral("ABD");
    QTest::newRow("lines reordered") << QStringLiteral("swap A B") << QStringLiteral("BACD");
    QTest::newRow("indoor line made outdoor")
        << QStringLiteral("outdoor D") << QStringLiteral("ADBC");
    QTest::newRow("a line replaced in place")
        << QStringLiteral("replace B") << QStringLiteral("AECD");
}

// Any change of the units, their order or their kinds gives a new version, and
// an hour's records are built afresh from the lines as they now stand.
void TestRecords::changedLinesRebuildRecords()
{
    QFETCH(QString, change);
    QFETCH(QString, units);

    HCalRecordBlock block;
    block.setLines(m_group.get(), 1);
    const quint64 version = block.unitsVersion();
    HHour hour;
    writeOwnSlot(block, 0, {0.8, 0.5}, Load::Cooling, true, hour);
    QCOMPARE(ownRecordUnits(hour), QStringLiteral("ABCD"));

    HUnit* e = newUnit(true, 1, 2.0, 2.0);
    m_units.insert("E", e);
    const QStringList words = change.split(' ');
    HUnit* first = m_units.value(words.value(1));
    if (words[0] == "add") {
        m_group->append(e);
    } else if (words[0] == "remove") {
        m_group->deleteUnit(first);
        m_units.remove(words[1]);
    } else if (words[0] == "swap") {
        const int a = m_group->indexOf(first);
        const int b = m_group->indexOf(m_units.value(words.value(2)));
        std::swap((*m_group)[a], (*m_group)[b]);
    } else if (words[0] == "outdoor") {
        first->setis_odu(true);
    } else if (words[0] == "replace") {
        (*m_group)[m_group->indexOf(first)] = e;
        m_units.remove(words[1]);
        delete first;
    }
    if (!m_group->contains(e))
        delete m_units.take("E");

    block.setLines(m_group.get(), 1);
    QVERIFY(block.unitsVersion() != version);
    for (int line = 0; line < block.outdoorLineCount(); ++line)
        block.outdoorEIRs(0)[line] = 0.5;
    block.setSlot(0, Load::Cooling, true);
    hour.setOwnVRFRecordSlot(&block, 0);
    QCOMPARE(ownRecordUnits(hour), units);
    // every outdoor record at the new EIR, every indoor one at 1
    QVector<HCalVRFUnitItem*> items;
    hour.getAllCalVRFUnitItemToOwnVRF(items);
    for (const HCalVRFUnitItem* item : items)
        QCOMPARE(item->Getunit_EIR(), item->getUnit()->Getis_odu() ? 0.5 : 1.0);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
