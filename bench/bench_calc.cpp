// One year's hourly calculation of a large project (30 outdoor and 200 indoor
// lines in each system): HCalHelper::calculateLoadAtHour against the same year
// computed the straightforward way (totals every hour, every record deleted and
// allocated anew, every EIR fitted from the points), with a figure-for-figure
// check that both give the same result.
#include <HAppPaths.h>
#include <HCalHelper.h>
#include <HCalVRFUnitItem.h>
#include <HDbFind.h>
#include <HHour.h>
#include <HPolyFitHelper.h>
#include <HProductPerformanceDataForVRF.h>
#include <HProject.h>
#include <HUnit.h>
#include <HVRF.h>
#include <HYear.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kOutdoorLines = 30;
constexpr int kIndoorLines = 200;

double peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

double currentMemoryMB()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0.0;
    long pages = 0, resident = 0;
    const int n = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return n == 2 ? resident * 4096.0 / (1024.0 * 1024.0) : 0.0;
}

QJsonArray productPoints(double ratedPower, double shape)
{
    QJsonArray array;
    for (double percent : {50.0, 75.0, 100.0, 120.0}) {
        const double x = percent / 100.0;
        const double ratio = x * (0.55 + shape * 0.1) + x * x * (0.45 - shape * 0.1);
        array.append(
            QJsonObject{{"precent", percent}, {"tc", 28.0 * x}, {"pi", ratio * ratedPower}});
    }
    return array;
}

void fillSystem(HVRF* system, bool productCurves)
{
    for (int i = 0; i < kOutdoorLines; ++i) {
        auto* unit = new HUnit;
        unit->setis_odu(true);
        unit->setquantity(1 + i % 3);
        unit->settotal_capacity_cooling(22.4 + 2.8 * (i % 12));
        unit->setpower_input_cooling(5.6 + 0.7 * (i % 12));
        unit->settotal_capacity_heating(25.0 + 3.1 * (i % 12));
        unit->setpower_input_heating(5.9 + 0.75 * (i % 12));
        if (productCurves) {
            const double shape = (i % 7) / 6.0;
            unit->setjsonArrayData_c(productPoints(unit->Getpower_input_cooling(), shape));
            unit->setjsonArrayData_h(productPoints(unit->Getpower_input_heating(), 1.0 - shape));
            unit->calculate();
        }
        system->append(unit);
    }
    for (int i = 0; i < kIndoorLines; ++i) {
        auto* unit = new HUnit;
        unit->setis_odu(false);
        unit->setquantity(1 + i % 4);
        unit->settotal_capacity_cooling(2.2 + 0.4 * (i % 10));
        unit->setpower_input_cooling(0.03 + 0.01 * (i % 8));
        unit->settotal_capacity_heating(2.5 + 0.45 * (i % 10));
        unit->setpower_input_heating(0.035 + 0.01 * (i % 8));
        system->append(unit);
    }
}

void buildProject()
{
    HProject::reset();
    HProject* project = HProject::getProject();
    fillSystem(project->getOwnVRFSys(), true);
    fillSystem(project->getOtherVRFSys(), false);
    HVRF* own = project->getOwnVRFSys();
    own->calculate();
    project->setcooling_peak_load(own->Getodu_total_capacity_cooling() * 0.95);
    project->setheating_peak_load(own->Getodu_total_capacity_heating() * 0.85);
    project->setthermo_mode(true);
    for (HHour* hour : *project->getYear()) {
        const int order = hour->Gethour_order();
        const double day = (order - 1) / 24.0;
        hour->setdry_bulb_temperature(13.0 - 17.0 * std::cos(2.0 * M_PI * (day - 20.0) / 365.0)
                                      + 5.0 * std::sin(2.0 * M_PI * ((order - 1) % 24 - 9) / 24.0)
                                      + 2.0 * std::sin(order * 0.37));
        hour->setrelative_humidity(60.0);
    }
}

// The records of one system and hour the straightforward way.
void straightforwardRecords(HHour* hour, HVRF* system, bool own)
{
    if (own)
        hour->removeAllCalVRFUnitItemToOwnVRF();
    else
        hour->removeAllCalVRFUnitItemToOtherVRF();
    const double r = own ? hour->GetOwnVRF_load_precent() : hour->GetOtherVRF_load_precent();
    const bool on = hour->GetisTurnOnBySchedule() && hour->GetisThermostatMode();
    QVector<HUnit*> odus;
    QVector<HUnit*> idus;
    system->getAllOutoorUnits(odus);
    system->getAllIndoorUnits(idus);
    const auto add = [&](HCalVRFUnitItem* item) {
        if (own)
            hour->addCalVRFUnitItemToOwnVRF(item);
        else
            hour->addCalVRFUnitItemToOtherVRF(item);
    };
    for (HUnit* unit : odus) {
        auto* item = new HCalVRFUnitItem(unit);
        double eir = 0.0, energy = 0.0;
        if (r > 0.0 || r < 0.0) {
            const HProductPerformanceDataForVRF* data =
                own ? unit->getVRFProductPerformanceData() : system->getVRFProductPerformanceData();
            QVector<CAL_ITEM> items;
            if (r > 0.0)
                data->getCoolingModeItems(items);
            else
                data->getHeatingModeItems(items);
            QMap<double, double> points = HProductPerformanceDataForVRF::toPointMap(items);
            eir = points.isEmpty() ? 0.0
                                   : std::fabs(HPolyFitHelper::spline_fit(points, std::fabs(r)));
            const double power =
                r > 0.0 ? unit->Getpower_input_cooling() : unit->Getpower_input_heating();
            energy = on ? eir * power * unit->Getquantity() : 0.0;
        }
        item->setunit_EIR(eir);
        item->setunit_power_input(std::fabs(energy));
        add(item);
    }
    for (HUnit* unit : idus) {
        auto* item = new HCalVRFUnitItem(unit);
        double energy = 0.0;
        if (r > 0.0)
            energy = on ? unit->Getquantity() * unit->Getpower_input_cooling() : 0.0;
        else if (r < 0.0)
            energy = on ? unit->Getquantity() * unit->Getpower_input_heating() : 0.0;
        item->setunit_EIR(1.0);
        item->setunit_power_input(std::fabs(energy));
        add(item);
    }
}

void straightforwardYear()
{
    HProject* project = HProject::getProject();
    project->updateOperationInfoToYear();
    HVRF* own = project->getOwnVRFSys();
    HVRF* other = project->getOtherVRFSys();
    for (HHour* hour : *project->getYear()) {
        own->calculate();
        other->calculate();
        HCalHelper::calculateThermostatMode(hour);
        HCalHelper::calculateLoadPrecent(hour);
        HCalHelper::calculateBuildLoad(hour);
        HCalHelper::calculateUnitTotalCapacity(hour);
        straightforwardRecords(hour, own, true);
        straightforwardRecords(hour, other, false);
        hour->statResult();
    }
    project->statisCalResult();
    HCalHelper::statisCalculationResult_own_vrf();
}

std::vector<double> snapshot()
{
    std::vector<double> values;
    HProject* project = HProject::getProject();
    values.reserve(8760 * (12 + 4 * (kOutdoorLines + kIndoorLines)));
    for (HHour* hour : *project->getYear()) {
        values.insert(values.end(),
                      {double(hour->GetisThermostatMode()), double(hour->GetisTurnOnBySchedule()),
                       hour->Getload_precent(), hour->GetOwnVRF_load_precent(),
                       hour->GetOtherVRF_load_precent(), hour->Getbuilding_load_cooling(),
                       hour->Getbuilding_load_heating(), hour->Getunit_total_capacity_cooling(),
                       hour->Getunit_total_capacity_heating(),
                       hour->Getown_vrf_total_energy_consumption(),
                       hour->Getother_vrf_total_energy_consumption()});
        QVector<HCalVRFUnitItem*> items;
        hour->getAllCalVRFUnitItemToOwnVRF(items);
        for (const HCalVRFUnitItem* item : items)
            values.insert(values.end(), {item->Getunit_EIR(), item->Getunit_power_input()});
        hour->getAllCalVRFUnitItemToOtherVRF(items);
        for (const HCalVRFUnitItem* item : items)
            values.insert(values.end(), {item->Getunit_EIR(), item->Getunit_power_input()});
    }
    for (int m = 1; m <= 12; ++m) {
        values.push_back(project->getOwnVRFSys()->getMonthEnergyConsumption(m));
        values.push_back(project->getOtherVRFSys()->getMonthEnergyConsumption(m));
    }
    return values;
}

double cpuMillis()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall-clock and CPU time of one call; the machine is shared, so both are shown.
struct Timing
{
    double wall = 0.0;
    double cpu = 0.0;
};

template<typename F>
Timing measure(F&& f)
{
    QElapsedTimer timer;
    const double cpu0 = cpuMillis();
    timer.start();
    f();
    return {timer.nsecsElapsed() / 1e6, cpuMillis() - cpu0};
}

Timing median(const std::vector<Timing>& runs)
{
    std::vector<double> wall, cpu;
    for (const Timing& t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false")); // no diagnostic lines
    QTemporaryDir dir;
    HAppPaths::setApplicationDir(dir.path());
    HDbFind::setDbFileAndPwd(dir.filePath("no-product.db"), QString()); // temperature model
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    buildProject();
    const double projectMB = currentMemoryMB();
    std::printf("project: %d outdoor + %d indoor lines per system, %d hours, %d records per run\n",
                kOutdoorLines, kIndoorLines, HProject::getProject()->getYear()->size(),
                HProject::getProject()->getYear()->size() * 2 * (kOutdoorLines + kIndoorLines));

    // calculateLoadAtHour: the first run allocates the records, later runs reuse them.
    const Timing first = measure([] { HCalHelper::calculateLoadAtHour(false); });
    std::vector<Timing> repeated;
    for (int i = 0; i < runs; ++i)
        repeated.push_back(measure([] { HCalHelper::calculateLoadAtHour(false); }));
    const double fastPeakMB = peakMemoryMB();

    // A changed unit list: every record is deleted and allocated anew (twice:
    // a line added, then removed again so that the result can be compared).
    std::vector<Timing> changed;
    {
        HVRF* own = HProject::getProject()->getOwnVRFSys();
        auto* extra = new HUnit;
        extra->setis_odu(false);
        extra->setquantity(1);
        extra->setpower_input_cooling(0.05);
        own->append(extra);
        changed.push_back(measure([] { HCalHelper::calculateLoadAtHour(false); }));
        own->deleteUnit(extra);
        changed.push_back(measure([] { HCalHelper::calculateLoadAtHour(false); }));
    }
    const std::vector<double> fast = snapshot();

    // What the records alone cost: one allocation and one list append per record, then freeing.
    Timing allocation, freeing;
    {
        auto* hours = new std::vector<HHour>(8760);
        allocation = measure([hours] {
            for (HHour& hour : *hours)
                for (int i = 0; i < kOutdoorLines + kIndoorLines; ++i) {
                    hour.addCalVRFUnitItemToOwnVRF(new HCalVRFUnitItem(nullptr));
                    hour.addCalVRFUnitItemToOtherVRF(new HCalVRFUnitItem(nullptr));
                }
        });
        freeing = measure([hours] { delete hours; });
    }

    // The straightforward year on a fresh project.
    buildProject();
    std::vector<Timing> plain;
    for (int i = 0; i < std::min(runs, 3); ++i)
        plain.push_back(measure(straightforwardYear));
    const std::vector<double> reference = snapshot();

    std::size_t differing =
        fast.size() == reference.size() ? 0 : std::max(fast.size(), reference.size());
    for (std::size_t i = 0; i < std::min(fast.size(), reference.size()); ++i)
        if (!(fast[i] == reference[i]) && !(std::isnan(fast[i]) && std::isnan(reference[i])))
            ++differing;

    const Timing fastMedian = median(repeated);
    const Timing plainMedian = median(plain);
    std::printf("                                      wall ms    cpu ms\n");
    std::printf("calculateLoadAtHour first run      %9.1f %9.1f\n", first.wall, first.cpu);
    std::printf("calculateLoadAtHour median of %2d   %9.1f %9.1f\n", runs, fastMedian.wall,
                fastMedian.cpu);
    std::printf("calculateLoadAtHour unit change    %9.1f %9.1f\n", median(changed).wall,
                median(changed).cpu);
    std::printf("  records alone: allocate + append %9.1f %9.1f\n", allocation.wall,
                allocation.cpu);
    std::printf("  records alone: delete            %9.1f %9.1f\n", freeing.wall, freeing.cpu);
    std::printf("straightforward year median of %2d  %9.1f %9.1f\n", int(plain.size()),
                plainMedian.wall, plainMedian.cpu);
    std::printf("ratio straightforward / median     %9.2f %9.2f\n",
                plainMedian.wall / fastMedian.wall, plainMedian.cpu / fastMedian.cpu);
    std::printf("ratio straightforward / first run  %9.2f %9.2f\n", plainMedian.wall / first.wall,
                plainMedian.cpu / first.cpu);
    std::printf("memory: project built %.1f MB, peak after calculateLoadAtHour runs %.1f MB, "
                "peak overall %.1f MB (ru_maxrss)\n",
                projectMB, fastPeakMB, peakMemoryMB());
    std::printf("figures compared: %zu, differing: %zu -> %s\n", fast.size(), differing,
                differing == 0 ? "identical" : "DIFFERENT");
    HProject::reset();
    return differing == 0 ? 0 : 1;
}
