// The engineers' figures of a calculated year, on a year whose few non-zero hours are
// set by hand, so that every figure can be worked out on paper.

#include "HCalculationFigures.h"
#include "HHour.h"
#include "HProject.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"

#include <QtTest>

#include <cmath>

namespace {

HUnit* outdoorUnit(double cooling, double heating, int quantity)
{
    auto* u = new HUnit;
    u->setis_odu(true);
    u->settotal_capacity_cooling(cooling);
    u->settotal_capacity_heating(heating);
    u->setquantity(quantity);
    return u;
}

struct HourSet
{
    int month, day, hour;
    double temp;
    double ratio;   // building load ratio
    double ownRate; // combination rates
    double otherRate;
    bool schedule;
    bool thermostat;
    double ownOdu, ownIdu, otherOdu, otherIdu; // kWh
};

// Own system 2 x (10 kW cooling, 12 kW heating) = 20 / 24 kW; other 1 x 25 / 30 kW;
// peak loads 16 kW cooling and 20 kW heating. Every other hour is at 0 degrees with
// ratio 0 and no energy.
HProject* handMadeYear()
{
    HProject::reset();
    HProject* p = HProject::getProject();
    p->setcooling_peak_load(16.0);
    p->setheating_peak_load(20.0);
    p->setbuild_area(500.0);
    p->getOwnVRFSys()->append(outdoorUnit(10.0, 12.0, 2));
    p->getOtherVRFSys()->append(outdoorUnit(25.0, 30.0, 1));
    const HourSet hours[] = {
        // Cooling, running: own delivers 0.5 x 20 = 10 kWh, other 0.4 x 25 = 10 kWh.
        {7, 1, 10, 20.5, 0.625, 0.5, 0.4, true, true, 2.5, 0.5, 3.5, 0.5},
        // Cooling in the same bin (20, 21], running, later in the year.
        {7, 2, 10, 20.2, 0.3125, 0.25, 0.2, true, true, 1.0, 0.25, 1.5, 0.25},
        // Heating, running: own 0.25 x 24 = 6 kWh, other 0.2 x 30 = 6 kWh.
        {1, 5, 9, 5.0, -0.3, -0.25, -0.2, true, true, 1.5, 0.5, 2.0, 0.5},
        // Cooling outside the schedule and in a thermo-off hour: nothing delivered.
        {7, 3, 2, 25.0, 0.9, 0.72, 0.576, false, true, 0.0, 0.0, 0.0, 0.0},
        {7, 4, 10, 16.5, 0.04, 0.032, 0.0256, true, false, 0.0, 0.0, 0.0, 0.0},
    };
    for (const HourSet& h : hours) {
        HHour* hour = p->getYear()->getHour(h.month, h.day, h.hour);
        hour->setdry_bulb_temperature(h.temp);
        hour->setload_precent(h.ratio);
        hour->setOwnVRF_load_precent(h.ownRate);
        hour->setOtherVRF_load_precent(h.otherRate);
        hour->setisTurnOnBySchedule(h.schedule);
        hour->setisThermostatMode(h.thermostat);
        hour->setown_vrf_odu_energy_consumption(h.ownOdu);
        hour->setown_vrf_idu_energy_consumption(h.ownIdu);
        hour->setown_vrf_total_energy_consumption(h.ownOdu + h.ownIdu);
        hour->setother_vrf_odu_energy_consumption(h.otherOdu);
        hour->setother_vrf_idu_energy_consumption(h.otherIdu);
        hour->setother_vrf_total_energy_consumption(h.otherOdu + h.otherIdu);
    }
    return p;
}

} // namespace

class TestCalculationFigures : public QObject
{
    Q_OBJECT

private slots:
    void figuresOfBothSystems();
    void figuresWithoutABasis();
    void otherSystemBins();
};

void TestCalculationFigures::figuresOfBothSystems()
{
    const HCalculationFigures f = HCalculationFigures::compute(handMadeYear());

    // Own: cooling 3.0 + 1.25 kWh, heating 2.0 kWh; delivered 10 + 5 and 6 kWh.
    QCOMPARE(f.own.coolingKWh, 4.25);
    QCOMPARE(f.own.heatingKWh, 2.0);
    QCOMPARE(f.own.coolingDeliveredKWh, 15.0);
    QCOMPARE(f.own.heatingDeliveredKWh, 6.0);
    BRIVANTA_COMPARE_NEAR(f.own.seasonalCoolingEfficiency(), 15.0 / 4.25, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.own.seasonalHeatingEfficiency(), 3.0, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.own.seasonalEfficiency(), 21.0 / 6.25, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.kWhPerM2(f.own), 6.25 / 500.0, 1e-15);
    QCOMPARE(f.own.coolingCapacityKW, 20.0);
    QCOMPARE(f.own.heatingCapacityKW, 24.0);
    BRIVANTA_COMPARE_NEAR(f.coolingCapacityPercent(f.own), 125.0, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.heatingCapacityPercent(f.own), 120.0, 1e-15);

    // Other: cooling 4.0 + 1.75 kWh, heating 2.5 kWh; delivered 10 + 5 and 6 kWh.
    QCOMPARE(f.other.coolingKWh, 5.75);
    QCOMPARE(f.other.heatingKWh, 2.5);
    QCOMPARE(f.other.coolingDeliveredKWh, 15.0);
    QCOMPARE(f.other.heatingDeliveredKWh, 6.0);
    BRIVANTA_COMPARE_NEAR(f.other.seasonalHeatingEfficiency(), 2.4, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.other.seasonalEfficiency(), 21.0 / 8.25, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.coolingCapacityPercent(f.other), 25.0 / 16.0 * 100.0, 1e-15);
    BRIVANTA_COMPARE_NEAR(f.heatingCapacityPercent(f.other), 150.0, 1e-15);
}

void TestCalculationFigures::figuresWithoutABasis()
{
    HProject* p = handMadeYear();
    p->setbuild_area(0.0);
    p->setheating_peak_load(0.0);
    // No heating electricity of the other system.
    HHour* heating = p->getYear()->getHour(1, 5, 9);
    heating->setother_vrf_total_energy_consumption(0.0);
    const HCalculationFigures f = HCalculationFigures::compute(p);
    QVERIFY(std::isnan(f.kWhPerM2(f.own)));
    QVERIFY(std::isnan(f.heatingCapacityPercent(f.own)));
    QVERIFY(std::isnan(f.other.seasonalHeatingEfficiency()));
    QVERIFY(!std::isnan(f.other.seasonalCoolingEfficiency()));
    QVERIFY(!std::isnan(f.coolingCapacityPercent(f.own)));
}

void TestCalculationFigures::otherSystemBins()
{
    HProject* p = handMadeYear();
    HStatResult cooling;
    HStatResult heating;
    HCalculationFigures::binOtherSystem(p, &cooling, &heating);

    // Cooling hours at 20.5 and 20.2 (bin 21), 25.0 (bin 25) and 16.5 (bin 17).
    QCOMPARE(cooling.size(), 3);
    const HStatItem* bin = cooling.getItemByTemp(20.5);
    QVERIFY(bin);
    QCOMPARE(bin->Gettemp(), 21.0);
    QCOMPARE(bin->Gethours(), 2);
    // The bin keeps the ratio of its last hour in year order (2 July): 0.3125 x 16 kW.
    QCOMPARE(bin->Getload_precent(), 0.3125);
    QCOMPARE(bin->Getbuilding_load(), 5.0);
    QCOMPARE(bin->Gettotal_load(), 10.0);
    QCOMPARE(bin->Getodu_energy_consumption(), 5.0);
    QCOMPARE(bin->Getidu_energy_consumption(), 0.75);
    QCOMPARE(bin->Gettotal_energy_consumption(), 5.75);

    // Heating: the hour at 5 degrees, and the 8755 others at 0 degrees (bin 0).
    QCOMPARE(heating.size(), 2);
    QCOMPARE(heating[0]->Gettemp(), 0.0);
    QCOMPARE(heating[0]->Gethours(), 8755);
    QCOMPARE(heating[0]->Gettotal_energy_consumption(), 0.0);
    QCOMPARE(heating[1]->Gettemp(), 5.0);
    QCOMPARE(heating[1]->Getbuilding_load(), 6.0);
    QCOMPARE(heating[1]->Gettotal_energy_consumption(), 2.5);

    // The other system's own statistics keep their empty load bins.
    QCOMPARE(p->getOtherVRFSys()->getStatResultCooling()->size(), 15);
    QCOMPARE(p->getOtherVRFSys()->getStatResultCooling()->first()->Gethours(), 0);
}

QTEST_GUILESS_MAIN(TestCalculationFigures)
#include "tst_calculationfigures.moc"
