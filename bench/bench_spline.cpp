// Part-load EIR per outdoor unit and hour: the kept spline against fitting the
// points at every call, plus the other hot paths of one year's calculation.
#include <HAppPaths.h>
#include <HCalVRFUnitItem.h>
#include <HHour.h>
#include <HPolyFitHelper.h>
#include <HProductPerformanceDataForVRF.h>
#include <HUnit.h>
#include <HVRF.h>
#include <HYear.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

double refit(const QVector<CAL_ITEM>& items, double rate)
{
    QMap<double, double> map;
    for (const CAL_ITEM& item : items)
        map[item.combination_rate] = item.electricity_input_ratio;
    return std::fabs(HPolyFitHelper::spline_fit(map, std::fabs(rate)));
}

// Best of five runs: the machine is shared, the minimum is the stable figure.
template<typename F>
double millis(F&& f)
{
    double best = 0.0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        f();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (run == 0 || ms < best)
            best = ms;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    HAppPaths::setApplicationDir(dir.path());

    // a product curve: design rows plus the two fixed points
    HProductPerformanceDataForVRF data;
    data.setCoolingModeItems({{0, 1.0, 1.0},
                              {0, 0.75, 0.68},
                              {0, 0.5, 0.47},
                              {0, 1.2, 1.31},
                              {0, 0.3, 0.2},
                              {0, 0.0, 0.0}});
    QVector<CAL_ITEM> items;
    data.getCoolingModeItems(items);

    // one year for 20 outdoor unit lines, rates spread over the curve
    const int calls = 8760 * 20;
    double sumCached = 0.0, sumRefit = 0.0;
    const double cached = millis([&] {
        for (int i = 0; i < calls; ++i)
            sumCached += data.calculateEIR(0.05 + (i % 140) * 0.01);
    });
    const double refitted = millis([&] {
        for (int i = 0; i < calls; ++i)
            sumRefit += refit(items, 0.05 + (i % 140) * 0.01);
    });
    std::printf("calculateEIR, %d calls (8760 h x 20 lines), best of 5\n", calls);
    std::printf("  kept spline          %9.2f ms\n", cached);
    std::printf("  refit every call     %9.2f ms\n", refitted);
    std::printf("  ratio refit / kept   %9.1f\n", refitted / cached);
    std::printf("  sums identical       %s\n", sumCached == sumRefit ? "yes" : "NO");

    const double yearBuild = millis([] { HYear year; });
    std::printf("build one year (8760 hours)        %9.2f ms\n", yearBuild);

    HVRF vrf;
    for (int i = 0; i < 20; ++i) {
        auto* unit = new HUnit;
        unit->setis_odu(i % 2 == 0);
        unit->setquantity(1 + i % 3);
        unit->settotal_capacity_cooling(28.0);
        unit->setpower_input_cooling(7.3);
        vrf.append(unit);
    }
    const double totals = millis([&] {
        for (int i = 0; i < 8760 * 2; ++i)
            vrf.calculate();
    });
    std::printf("HUnitsGroup::calculate x 17520, 20 lines  %9.2f ms\n", totals);

    HYear year;
    const double records = millis([&] {
        for (HHour* hour : year) {
            hour->removeAllCalVRFUnitItemToOwnVRF();
            for (HUnit* unit : vrf) {
                auto* item = new HCalVRFUnitItem(unit);
                item->setunit_power_input(1.0);
                hour->addCalVRFUnitItemToOwnVRF(item);
            }
            hour->statResult();
        }
    });
    std::printf("records + statResult, 8760 h x 20 lines  %9.2f ms\n", records);
    return 0;
}
