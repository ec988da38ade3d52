// The figures a calculation run collects: a small project whose year is worked
// out by hand.
#include "HCalHelper.h"
#include "HCalculationRun.h"
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"

#include <QtTest>

namespace {

HUnit* addLine(HVRF* system, bool odu, int quantity, double powerCooling, double powerHeating)
{
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    unit->setquantity(quantity);
    unit->settotal_capacity_cooling(odu ? 50.0 : 3.0);
    unit->settotal_capacity_heating(odu ? 55.0 : 3.5);
    unit->setpower_input_cooling(powerCooling);
    unit->setpower_input_heating(powerHeating);
    system->append(unit);
    return unit;
}

// The same energy input ratio at every load.
void setConstantCurves(HProductPerformanceDataForVRF* data, double cooling, double heating)
{
    data->setCoolingModeItems({{0.0, 0.0, cooling}, {0.0, 2.0, cooling}});
    data->setHeatingModeItems({{0.0, 0.0, heating}, {0.0, 2.0, heating}});
}

} // namespace

class TestCalculationRun : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void handWorkedYear();
};

void TestCalculationRun::cleanup()
{
    HProject::reset();
}

void TestCalculationRun::handWorkedYear()
{
    // Calendar 2015 (1 January a Thursday), 1 January a holiday; the plant runs on
    // weekdays from 8:00 to 17:00, ten hours a day. January to June read 0 degrees
    // (heating), July to December 30 degrees (cooling).
    HProject::reset();
    HYear::year = 2015;
    HProject* project = HProject::getProject();
    project->setelectricity_price(0.2);
    project->setcooling_peak_load(100.0);
    project->setheating_peak_load(80.0);
    for (int h = 0; h < 24; ++h)
        project->setOperationDailyIsOn(h, h >= 8 && h <= 17);
    project->getYear()->getMonth(1)->getDay(1)->setisHoliday(true);
    for (int m = 1; m <= 12; ++m)
        for (HDay* day : *project->getYear()->getMonth(m))
            for (int h = 0; h < 24; ++h)
                day->getHour(h)->setdry_bulb_temperature(m <= 6 ? 0.0 : 30.0);

    // Own: 2 outdoor units of 10 / 9 kW at EIR 0.8 / 0.7, 4 indoor units of 0.05 / 0.06 kW.
    // Per running hour: cooling 0.8 x 10 x 2 + 4 x 0.05 = 16.2 kWh,
    //                   heating 0.7 x 9 x 2 + 4 x 0.06 = 12.84 kWh.
    HVRF* own = project->getOwnVRFSys();
    HUnit* odu = addLine(own, true, 2, 10.0, 9.0);
    setConstantCurves(odu->getVRFProductPerformanceData(), 0.8, 0.7);
    addLine(own, false, 4, 0.05, 0.06);
    // Other: 3 outdoor units of 8 / 7.5 kW on the system's curves 0.9 / 1.1, 5 indoor
    // units of 0.04 / 0.05 kW. Cooling 0.9 x 8 x 3 + 5 x 0.04 = 21.8 kWh,
    //                          heating 1.1 x 7.5 x 3 + 5 x 0.05 = 25.0 kWh.
    HVRF* other = project->getOtherVRFSys();
    addLine(other, true, 3, 8.0, 7.5);
    addLine(other, false, 5, 0.04, 0.05);
    setConstantCurves(other->getVRFProductPerformanceData(), 0.9, 1.1);

    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    const HCalculationRun::Result r =
        HCalculationRun::collect(QStringLiteral("hand.ee"), 35, false);

    // Weekdays of 2015 by month, counted on a calendar; January without the holiday.
    const int days[12] = {21, 20, 22, 22, 21, 22, 23, 21, 22, 22, 21, 23};
    QCOMPARE(r.months.size(), 12);
    for (int m = 1; m <= 12; ++m) {
        const HCalculationRun::MonthRow& row = r.months[m - 1];
        const double hours = 10.0 * days[m - 1];
        const double own = (m <= 6 ? 12.84 : 16.2) * hours;
        const double oth = (m <= 6 ? 25.0 : 21.8) * hours;
        QCOMPARE(row.month, m);
        BRIVANTA_COMPARE_NEAR(row.ownKWh, own, 1e-12);
        BRIVANTA_COMPARE_NEAR(row.otherKWh, oth, 1e-12);
        BRIVANTA_COMPARE_NEAR(row.ratioPercent, own / oth * 100.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(row.ownCost, own * 0.2, 1e-12);
        BRIVANTA_COMPARE_NEAR(row.otherCost, oth * 0.2, 1e-12);
    }
    // 1280 heating and 1320 cooling hours of operation.
    BRIVANTA_COMPARE_NEAR(r.year.ownKWh, 37819.2, 1e-12);   // 12.84 x 1280 + 16.2 x 1320
    BRIVANTA_COMPARE_NEAR(r.year.otherKWh, 60776.0, 1e-12); // 25.0 x 1280 + 21.8 x 1320
    BRIVANTA_COMPARE_NEAR(r.year.ratioPercent, 37819.2 / 60776.0 * 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(r.year.ownCost, 7563.84, 1e-12);
    BRIVANTA_COMPARE_NEAR(r.year.otherCost, 12155.2, 1e-12);

    // Every hour of the year in one bin: 181 days at 0 degrees, 184 at 30 degrees,
    // scheduled or not; the bins hold the own system's energy.
    QCOMPARE(r.heatingBins.size(), 1);
    const HCalculationRun::BinRow& heating = r.heatingBins.first();
    QCOMPARE(heating.temp, 0.0);
    QCOMPARE(heating.hours, 181 * 24);
    BRIVANTA_COMPARE_NEAR(heating.loadRatio, -16.0 / 26.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(heating.buildingLoad, 16.0 / 26.0 * 80.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(heating.totalLoad, 181 * 24 * 16.0 / 26.0 * 80.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(heating.oduKWh, 12.6 * 1280, 1e-12);
    BRIVANTA_COMPARE_NEAR(heating.iduKWh, 0.24 * 1280, 1e-12);
    BRIVANTA_COMPARE_NEAR(heating.totalKWh, 12.84 * 1280, 1e-12);
    QCOMPARE(r.coolingBins.size(), 1);
    const HCalculationRun::BinRow& cooling = r.coolingBins.first();
    QCOMPARE(cooling.temp, 30.0);
    QCOMPARE(cooling.hours, 184 * 24);
    BRIVANTA_COMPARE_NEAR(cooling.loadRatio, 14.0 / 19.0 * 1.5, 1e-12);
    BRIVANTA_COMPARE_NEAR(cooling.buildingLoad, 14.0 / 19.0 * 1.5 * 100.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(cooling.oduKWh, 16.0 * 1320, 1e-12);
    BRIVANTA_COMPARE_NEAR(cooling.iduKWh, 0.2 * 1320, 1e-12);
    BRIVANTA_COMPARE_NEAR(cooling.totalKWh, 16.2 * 1320, 1e-12);

    QCOMPARE(r.electricityPrice, 0.2);
    QCOMPARE(r.ownOutdoorLines, 1);
    QCOMPARE(r.ownIndoorLines, 1);
    QCOMPARE(r.otherOutdoorLines, 1);
    QCOMPARE(r.otherIndoorLines, 1);
}

QTEST_GUILESS_MAIN(TestCalculationRun)
#include "tst_calculationrun.moc"
