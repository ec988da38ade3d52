// Unit lines, system totals, list operations, water-side totals and product curves.
#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HProductPerformanceDataForVRF.h"
#include "HUnit.h"
#include "HUnitsGroup.h"
#include "HVRF.h"

#include <HAppPaths.h>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <TestSupport.h>
#include <limits>

namespace {

struct Line
{
    bool odu;
    int quantity;
    double capC, powC, capH, powH;
};

HUnit* makeUnit(const Line& line)
{
    auto* unit = new HUnit;
    unit->setis_odu(line.odu);
    unit->setquantity(line.quantity);
    unit->settotal_capacity_cooling(line.capC);
    unit->setpower_input_cooling(line.powC);
    unit->settotal_capacity_heating(line.capH);
    unit->setpower_input_heating(line.powH);
    return unit;
}

QJsonArray productPoints(const QVector<QPair<double, double>>& percentAndPi)
{
    QJsonArray array;
    for (const auto& p : percentAndPi)
        array.append(QJsonObject{{"precent", p.first}, {"tc", 10.0}, {"pi", p.second}});
    return array;
}

using Points = QVector<QPair<double, double>>;

} // namespace

Q_DECLARE_METATYPE(QVector<Line>)
Q_DECLARE_METATYPE(Points)

class TestUnits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void groupTotals_data();
    void groupTotals();
    void collectAppendsWithoutClearing();
    void deleteByKeepsOrder_data();
    void deleteByKeepsOrder();
    void deleteUnitOfOtherListChangesNothing();
    void resetEmptiesAndZeroes();

    void waterTotals_data();
    void waterTotals();

    void monthMaps();

    void unitReset_data();
    void unitReset();
    void assignmentKeepsOwnPerformanceData();

    void unitCalculatePointOrder_data();
    void unitCalculatePointOrder();
    void fixedPointReplacesProductPointAt30Percent();

private:
    QTemporaryDir m_dir;
};

void TestUnits::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestUnits::cleanupTestCase()
{
    HAppPaths::setApplicationDir(QString());
}

void TestUnits::groupTotals_data()
{
    QTest::addColumn<QVector<Line>>("lines");
    // odu capC, powC, capH, powH, qty, idu capC, powC, capH, powH, qty
    QTest::addColumn<QVector<double>>("totals");

    QTest::newRow("empty group") << QVector<Line>{}
                                 << QVector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("one outdoor and one indoor line")
        << QVector<Line>{{true, 3, 28, 7.3, 31.5, 7.0}, {false, 4, 2.8, 0.05, 3.2, 0.04}}
        << QVector<double>{84, 21.9, 94.5, 21.0, 3, 11.2, 0.2, 12.8, 0.16, 4};
    QTest::newRow("quantity 0 contributes nothing")
        << QVector<Line>{{true, 0, 28, 7.3, 31.5, 7.0}, {false, 2, 5.6, 0.1, 6.3, 0.1}}
        << QVector<double>{0, 0, 0, 0, 0, 11.2, 0.2, 12.6, 0.2, 2};
    QTest::newRow("several outdoor lines add up")
        << QVector<Line>{{true, 1, 10, 3, 11, 2.5},
                         {true, 2, 20, 5, 22, 4.5},
                         {false, 1, 1, 0.02, 1, 0.02}}
        << QVector<double>{50, 13, 55, 11.5, 3, 1, 0.02, 1, 0.02, 1};
    QTest::newRow("negative quantity is not rejected")
        << QVector<Line>{{true, -1, 10, 3, 11, 2.5}}
        << QVector<double>{-10, -3, -11, -2.5, -1, 0, 0, 0, 0, 0};
    QTest::newRow("quantities beyond int saturate")
        << QVector<Line>{{true, 2147483647, 0, 0, 0, 0}, {true, 2147483647, 0, 0, 0, 0}}
        << QVector<double>{0, 0, 0, 0, 2147483647.0, 0, 0, 0, 0, 0};
}

void TestUnits::groupTotals()
{
    QFETCH(QVector<Line>, lines);
    QFETCH(QVector<double>, totals);

    HVRF group;
    for (const Line& line : lines)
        group.append(makeUnit(line));
    // stale cache values must not survive a recalculation
    group.setodu_total_capacity_cooling(999);
    group.setidu_total_quantity(999);
    QVERIFY(group.calculate());

    BRIVANTA_COMPARE_NEAR(group.Getodu_total_capacity_cooling(), totals[0], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getodu_power_input_cooling(), totals[1], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getodu_total_capacity_heating(), totals[2], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getodu_power_input_heating(), totals[3], 1e-12);
    QCOMPARE(group.Getodu_total_quantity(), int(totals[4]));
    BRIVANTA_COMPARE_NEAR(group.Getidu_total_capacity_cooling(), totals[5], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getidu_power_input_cooling(), totals[6], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getidu_total_capacity_heating(), totals[7], 1e-12);
    BRIVANTA_COMPARE_NEAR(group.Getidu_power_input_heating(), totals[8], 1e-12);
    QCOMPARE(group.Getidu_total_quantity(), int(totals[9]));
}

void TestUnits::collectAppendsWithoutClearing()
{
    HUnitsGroup group;
    QVector<HUnit*> units;
    QCOMPARE(group.getAllOutoorUnits(units), 0);
    units.append(nullptr);
    QCOMPARE(group.getAllOutoorUnits(units), 1); // empty group: size of the vector passed in

    HUnit* odu1 = makeUnit({true, 1, 0, 0, 0, 0});
    HUnit* idu1 = makeUnit({false, 1, 0, 0, 0, 0});
    HUnit* odu2 = makeUnit({true, 1, 0, 0, 0, 0});
    group << odu1 << idu1 << odu2;

    QVector<HUnit*> outdoor;
    QCOMPARE(group.getAllOutoorUnits(outdoor), 2);
    QCOMPARE(outdoor, (QVector<HUnit*>{odu1, odu2}));

    QVector<HUnit*> indoor;
    QCOMPARE(group.getAllIndoorUnits(indoor), 1);
    QCOMPARE(group.getAllIndoorUnits(indoor), 2);
    QCOMPARE(indoor, (QVector<HUnit*>{idu1, idu1}));
}

void TestUnits::deleteByKeepsOrder_data()
{
    QTest::addColumn<QString>("kinds"); // O outdoor, I indoor
    QTest::addColumn<bool>("deleteOutdoor");
    QTest::addColumn<QVector<int>>("remaining"); // original positions

    QTest::newRow("outdoor from O I O I") << "OIOI" << true << QVector<int>{1, 3};
    QTest::newRow("indoor from O I O I") << "OIOI" << false << QVector<int>{0, 2};
    QTest::newRow("outdoor from O O") << "OO" << true << QVector<int>{};
    QTest::newRow("indoor from I O I O I") << "IOIOI" << false << QVector<int>{1, 3};
}

void TestUnits::deleteByKeepsOrder()
{
    QFETCH(QString, kinds);
    QFETCH(bool, deleteOutdoor);
    QFETCH(QVector<int>, remaining);

    HUnitsGroup group;
    QVector<HUnit*> original;
    for (QChar c : kinds) {
        original.append(makeUnit({c == 'O', 1, 0, 0, 0, 0}));
        group.append(original.last());
    }
    if (deleteOutdoor)
        group.deleteAllOutdoorUnits();
    else
        group.deleteAllIndoorUnits();

    QVector<HUnit*> expected;
    for (int i : remaining)
        expected.append(original[i]);
    QCOMPARE(static_cast<QVector<HUnit*>&>(group), expected);
}

void TestUnits::deleteUnitOfOtherListChangesNothing()
{
    HUnitsGroup group;
    HUnit* a = makeUnit({true, 1, 0, 0, 0, 0});
    HUnit* b = makeUnit({false, 1, 0, 0, 0, 0});
    group << a << b;
    HUnit stranger;
    group.deleteUnit(&stranger);
    QCOMPARE(group.size(), 2);
    group.deleteUnit(a);
    QCOMPARE(static_cast<QVector<HUnit*>&>(group), QVector<HUnit*>{b});
}

void TestUnits::resetEmptiesAndZeroes()
{
    HVRF group;
    group.append(makeUnit({true, 2, 10, 3, 11, 2.5}));
    group.append(makeUnit({false, 2, 1, 0.1, 1, 0.1}));
    group.calculate();
    group.reset();
    QVERIFY(group.isEmpty());
    QCOMPARE(group.Getodu_total_capacity_cooling(), 0.0);
    QCOMPARE(group.Getidu_power_input_heating(), 0.0);
    QCOMPARE(group.Getodu_total_quantity(), 0);
    QCOMPARE(group.Getidu_total_quantity(), 0);
    group.calculate();
    QCOMPARE(group.Getodu_total_quantity(), 0);
    QCOMPARE(group.Getidu_total_quantity(), 0);
    // the system keeps its owned parts
    QVERIFY(group.getVRFProductPerformanceData());
    QVERIFY(group.getAdditionInformationWithVRFWater());
    QVERIFY(group.getStatResultCooling());
    QVERIFY(group.getStatResultHeating());
    QVERIFY(!group.isHaveWaterUnit());
}

void TestUnits::waterTotals_data()
{
    QTest::addColumn<QVector<double>>("quantities"); // tower, pump, boiler
    QTest::addColumn<QVector<double>>("prices");
    QTest::addColumn<int>("totalQuantity");
    QTest::addColumn<int>("totalPrice");

    QTest::newRow("nothing") << QVector<double>{0, 0, 0} << QVector<double>{0, 0, 0} << 0 << 0;
    QTest::newRow("4.1 truncated, 412.87 truncated")
        << QVector<double>{1.5, 2, 0.6} << QVector<double>{100.7, 100.7, 100.7} << 4 << 412;
    QTest::newRow("whole numbers")
        << QVector<double>{2, 1, 1} << QVector<double>{1000, 250, 5000} << 4 << 7250;
    QTest::newRow("negative truncates toward zero")
        << QVector<double>{-1.5, 0, 0} << QVector<double>{10.3, 0, 0} << -1 << -15;
    // Cells can hold any number: a total beyond the int range saturates and a
    // NaN total reads 0 instead of an arbitrary integer.
    QTest::newRow("price beyond the int range saturates")
        << QVector<double>{10, 0, 0} << QVector<double>{5e8, 0, 0} << 10
        << std::numeric_limits<int>::max();
    QTest::newRow("negative beyond the int range saturates")
        << QVector<double>{-3e9, 0, 0} << QVector<double>{1, 0, 0}
        << std::numeric_limits<int>::min() << std::numeric_limits<int>::min();
    QTest::newRow("NaN quantity gives 0")
        << QVector<double>{std::numeric_limits<double>::quiet_NaN(), 1, 0}
        << QVector<double>{100, 50, 0} << 0 << 0;
    QTest::newRow("infinite price saturates")
        << QVector<double>{1, 0, 0}
        << QVector<double>{std::numeric_limits<double>::infinity(), 0, 0} << 1
        << std::numeric_limits<int>::max();
}

void TestUnits::waterTotals()
{
    QFETCH(QVector<double>, quantities);
    QFETCH(QVector<double>, prices);
    QFETCH(int, totalQuantity);
    QFETCH(int, totalPrice);

    HAdditionalInfomaitonWithVRFWater water;
    QCOMPARE(water.GettotalQuantity(), 0);
    QCOMPARE(water.Getcooling_tower_capacity(), 0.0);
    water.setcooling_tower_quantity(quantities[0]);
    water.setcirculation_water_pump_quantity(quantities[1]);
    water.setfossil_fuel_boiler_quantity(quantities[2]);
    water.setcooling_tower_price_ea(prices[0]);
    water.setcirculation_water_pump_price_ea(prices[1]);
    water.setfossil_fuel_boiler_price_ea(prices[2]);
    // power and gas inputs take no part in the totals
    water.setcooling_tower_power_input(99);
    water.setfossil_fuel_boiler_fuel_input_gas(99);
    QVERIFY(water.calculate());
    QCOMPARE(water.GettotalQuantity(), totalQuantity);
    QCOMPARE(water.GettotalPrice(), totalPrice);

    HAdditionalInfomaitonWithVRFWater copy;
    copy = water;
    QCOMPARE(copy.GettotalPrice(), totalPrice);
    QCOMPARE(copy.Getfossil_fuel_boiler_quantity(), quantities[2]);
}

void TestUnits::monthMaps()
{
    HVRF vrf;
    QCOMPARE(vrf.getMonthEnergyConsumption(5), 0.0);
    vrf.setMonthEnergyConsumption(5, 123.5);
    vrf.setMonthGasConsumption(5, 7.0);
    QCOMPARE(vrf.getMonthEnergyConsumption(5), 123.5);
    QCOMPARE(vrf.getMonthGasConsumption(5), 7.0);
    vrf.resetMonthEnergyConsumption();
    QCOMPARE(vrf.getMonthEnergyConsumption(5), 0.0);
    QCOMPARE(vrf.getMonthGasConsumption(5), 7.0); // the gas map is separate
    vrf.resetMonthGasConsumption();
    QCOMPARE(vrf.getMonthGasConsumption(5), 0.0);
}

void TestUnits::unitReset_data()
{
    QTest::addColumn<bool>("keepTexts");
    QTest::newRow("keep texts and quantity") << true;
    QTest::newRow("clear everything") << false;
}

void TestUnits::unitReset()
{
    QFETCH(bool, keepTexts);

    HUnit unit;
    QCOMPARE(unit.Getid_series(), -1);
    QVERIFY(unit.Getis_odu());
    unit.setid_series(12);
    unit.setunit_type("Outdoor");
    unit.setunit_productcode("ABC-280");
    unit.setunit_model("M280");
    unit.setquantity(3);
    unit.settotal_capacity_cooling(28);
    unit.setpower_input_cooling(7.3);
    unit.settotal_capacity_heating(31.5);
    unit.setpower_input_heating(7);
    unit.setprice_ea(1000);
    unit.setis_odu(false);
    unit.setjsonArrayData_c(productPoints({{100, 7.3}}));
    unit.setjsonArrayData_h(productPoints({{100, 7.0}}));
    HProductPerformanceDataForVRF* data = unit.getVRFProductPerformanceData();

    unit.reset(keepTexts);

    QCOMPARE(unit.Getunit_type(), keepTexts ? QString("Outdoor") : QString());
    QCOMPARE(unit.Getunit_productcode(), keepTexts ? QString("ABC-280") : QString());
    QCOMPARE(unit.Getunit_model(), keepTexts ? QString("M280") : QString());
    QCOMPARE(unit.Getquantity(), keepTexts ? 3 : 0);
    QCOMPARE(unit.Getid_series(), -1);
    QCOMPARE(unit.Gettotal_capacity_cooling(), 0.0);
    QCOMPARE(unit.Getpower_input_cooling(), 0.0);
    QCOMPARE(unit.Gettotal_capacity_heating(), 0.0);
    QCOMPARE(unit.Getpower_input_heating(), 0.0);
    QCOMPARE(unit.Getprice_ea(), 0.0);
    QVERIFY(unit.Getis_odu());
    QVERIFY(unit.GetjsonArrayData_c().isEmpty());
    QVERIFY(unit.GetjsonArrayData_h().isEmpty());
    QCOMPARE(unit.getVRFProductPerformanceData(), data);
}

void TestUnits::assignmentKeepsOwnPerformanceData()
{
    HUnit source;
    source.setid_series(7);
    source.setunit_model("M140");
    source.setquantity(2);
    source.setpower_input_cooling(4.0);
    source.setis_odu(false);
    source.setjsonArrayData_c(productPoints({{50, 2.0}, {100, 4.0}}));
    source.calculate();

    HUnit target;
    HProductPerformanceDataForVRF* own = target.getVRFProductPerformanceData();
    QVector<CAL_ITEM> before;
    own->getCoolingModeItems(before);

    target = source;
    QCOMPARE(target.getVRFProductPerformanceData(), own);
    QVector<CAL_ITEM> after;
    own->getCoolingModeItems(after);
    QCOMPARE(after.size(), before.size()); // default curve, not the source's four points
    QCOMPARE(target.Getid_series(), 7);
    QCOMPARE(target.Getunit_model(), QString("M140"));
    QCOMPARE(target.Getquantity(), 2);
    QVERIFY(!target.Getis_odu());
    QCOMPARE(target.GetjsonArrayData_c(), source.GetjsonArrayData_c());

    HUnit copy(source);
    QVERIFY(copy.getVRFProductPerformanceData() != source.getVRFProductPerformanceData());
    QCOMPARE(copy.Getunit_model(), QString("M140"));
}

void TestUnits::unitCalculatePointOrder_data()
{
    QTest::addColumn<double>("powerInput");
    QTest::addColumn<Points>("product");  // percent, pi
    QTest::addColumn<Points>("expected"); // combination rate, ratio

    QTest::newRow("50 % and 100 %, fixed points last")
        << 8.0 << Points{{50, 4}, {100, 8}} << Points{{0.5, 0.5}, {1.0, 1.0}, {0.3, 0.2}, {0, 0}};
    QTest::newRow("product order is kept")
        << 10.0 << Points{{100, 10}, {75, 7}, {120, 13}}
        << Points{{1.0, 1.0}, {0.75, 0.7}, {1.2, 1.3}, {0.3, 0.2}, {0, 0}};
    QTest::newRow("no product points, only the fixed points")
        << 5.0 << Points{} << Points{{0.3, 0.2}, {0, 0}};
    QTest::newRow("no rated power input: empty list")
        << 0.0 << Points{{50, 4}, {100, 8}} << Points{};
    QTest::newRow("negative rated power input: empty list")
        << -1.0 << Points{{50, 4}, {100, 8}} << Points{};
}

void TestUnits::unitCalculatePointOrder()
{
    QFETCH(double, powerInput);
    QFETCH(Points, product);
    QFETCH(Points, expected);

    // Cooling and heating take the same path; use different data to tell them apart.
    HUnit unit;
    unit.setpower_input_cooling(powerInput);
    unit.setjsonArrayData_c(productPoints(product));
    unit.setpower_input_heating(4.0);
    unit.setjsonArrayData_h(productPoints({{100, 4.0}}));
    unit.calculate();

    QVector<CAL_ITEM> cooling;
    unit.getVRFProductPerformanceData()->getCoolingModeItems(cooling);
    QCOMPARE(cooling.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(cooling[i].outdoor_air_temperature, 0.0);
        BRIVANTA_COMPARE_NEAR(cooling[i].combination_rate, expected[i].first, 1e-12);
        BRIVANTA_COMPARE_NEAR(cooling[i].electricity_input_ratio, expected[i].second, 1e-12);
    }

    QVector<CAL_ITEM> heating;
    unit.getVRFProductPerformanceData()->getHeatingModeItems(heating);
    QCOMPARE(heating.size(), 3);
    QCOMPARE(heating[0].combination_rate, 1.0);
    QCOMPARE(heating[0].electricity_input_ratio, 1.0);

    // an empty curve evaluates to 0, and a filled one passes through its points
    const double eir = unit.getVRFProductPerformanceData()->calculateEIR(0.3);
    QCOMPARE(eir, expected.isEmpty() ? 0.0 : 0.2);
}

void TestUnits::fixedPointReplacesProductPointAt30Percent()
{
    HUnit unit;
    unit.setpower_input_cooling(10.0);
    unit.setjsonArrayData_c(productPoints({{30, 5}, {100, 10}}));
    unit.calculate();
    QMap<double, double> tabulated;
    unit.getVRFProductPerformanceData()->getMapCombiToEIR(tabulated);
    QCOMPARE(tabulated.size(), 11);
    BRIVANTA_COMPARE_NEAR(unit.getVRFProductPerformanceData()->calculateEIR(0.3), 0.2, 1e-12);
}

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
