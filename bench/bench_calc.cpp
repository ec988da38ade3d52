// One year's hourly calculation of a large project (30 outdoor and 200 indoor
// lines in each system): HCalHelper::calculateLoadAtHour against the same year
// computed the straightforward way (totals every hour, one record object
// allocated per line and hour, every EIR fitted from the points, every sum
// walking the records), with a figure-for-figure check that both give the same
// result. Also measured: the peak memory of a calculation, in a child process
// that builds nothing else, and `lumoeco calculate` on a project with 1,000
// indoor lines per system. Each figure is printed next to its goal.
//
//   bench_calc [runs]        the benchmark (runs: repetitions of the fast timings, default 7)
//   bench_calc --peak-memory the child: one project, its calculations, its peak RSS
#include <HAppPaths.h>
#include <HCalHelper.h>
#include <HCalVRFUnitItem.h>
#include <HDbFind.h>
#include <HHour.h>
#include <HPolyFitHelper.h>
#include <HProductPerformanceDataForVRF.h>
#include <HProject.h>
#include <HStatItem.h>
#include <HStatResult.h>
#include <HUnit.h>
#include <HVRF.h>
#include <HYear.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kOutdoorLines = 30;
constexpr int kIndoorLines = 200;
constexpr int kLargeIndoorLines = 1000;

// Goals of the figures printed at the end.
constexpr double kRepeatedRatioGoal = 15.0;
constexpr double kFirstRunRatioGoal = 6.0;
constexpr double kPeakMemoryGoalMB = 100.0;
constexpr double kLargeProjectTimeGoalMs = 400.0;
constexpr double kLargeProjectMemoryGoalMB = 300.0;

double peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
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

// A fresh global project: both systems, peak loads, thermo mode and a year of weather.
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

// Every figure of the calculated year: hours, records, monthly sums and the own
// statistics.
std::vector<double> snapshot()
{
    std::vector<double> values;
    HProject* project = HProject::getProject();
    values.reserve(8760 * (17 + 4 * (kOutdoorLines + kIndoorLines)));
    for (HHour* hour : *project->getYear()) {
        values.insert(
            values.end(),
            {double(hour->GetisThermostatMode()), double(hour->GetisTurnOnBySchedule()),
             hour->Getload_precent(), hour->GetOwnVRF_load_precent(),
             hour->GetOtherVRF_load_precent(), hour->Getbuilding_load_cooling(),
             hour->Getbuilding_load_heating(), hour->Getunit_total_capacity_cooling(),
             hour->Getunit_total_capacity_heating(), hour->Getown_vrf_odu_energy_consumption(),
             hour->Getown_vrf_idu_energy_consumption(), hour->Getown_vrf_total_energy_consumption(),
             hour->Getother_vrf_odu_energy_consumption(),
             hour->Getother_vrf_idu_energy_consumption(),
             hour->Getother_vrf_total_energy_consumption(), hour->getOwnVRFEnergyConsumption(),
             hour->getAverageEIR()});
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
    for (const HStatResult* result : {project->getOwnVRFSys()->getStatResultCooling(),
                                      project->getOwnVRFSys()->getStatResultHeating()})
        for (const HStatItem* bin : *result)
            values.insert(values.end(),
                          {bin->Gettemp(), double(bin->Gethours()), bin->Getload_precent(),
                           bin->Gettotal_load(), bin->Getodu_energy_consumption(),
                           bin->Getidu_energy_consumption()});
    return values;
}

// Figures that differ (NaN equals NaN); a different count counts as all.
std::size_t differences(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size())
        return std::max(a.size(), b.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i]) && !(std::isnan(a[i]) && std::isnan(b[i])))
            ++n;
    return n;
}

double cpuMillis()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall-clock and CPU time; the machine is shared, so both are shown and the
// goals are judged on CPU time.
struct Timing
{
    double wall = 0.0;
    double cpu = 0.0;
    double memoryMB = 0.0; // peak RSS, for child processes
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
    std::vector<double> wall, cpu, memory;
    for (const Timing& t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
        memory.push_back(t.memoryMB);
    }
    for (auto* v : {&wall, &cpu, &memory})
        std::sort(v->begin(), v->end());
    const std::size_t m = runs.size() / 2;
    return {wall[m], cpu[m], memory[m]};
}

// Peak resident memory of this process image, MB (VmHWM: unlike ru_maxrss it
// starts anew at exec); 0 when unknown.
double ownPeakMemoryMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0.0;
}

// The child of --peak-memory: a fresh project and its first and repeated
// calculations, nothing else; prints the process's peak RSS in MB.
int peakMemoryChild()
{
    buildProject();
    for (int i = 0; i < 3; ++i)
        HCalHelper::calculateLoadAtHour(false);
    std::printf("%.1f\n", ownPeakMemoryMB());
    HProject::reset();
    return 0;
}

// Runs a program to its end with stdout and stderr discarded; wall time, CPU
// time (user + system) and peak RSS of that process. CPU -1 when it failed.
Timing runProcess(const QString& program, const QStringList& args, const QString& dir)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const QByteArray workingDir = QFile::encodeName(dir);
    posix_spawn_file_actions_addchdir_np(&actions, workingDir.constData());
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {0.0, -1.0, 0.0};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {0.0, -1.0, 0.0};
    const double wall = timer.nsecsElapsed() / 1e6;
    const double cpu = usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3
        + usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    return {wall, cpu, usage.ru_maxrss / 1024.0};
}

// The example office with 30 outdoor and 1,000 indoor lines in each system,
// taken in turn from the example's lines, and peak loads grown with the own
// outdoor units; false when the example is unreadable.
bool writeLargeProject(const QString& path)
{
    QFile in(QStringLiteral(BRIVANTA_EXAMPLES_DIR "/office_singapore.ee"));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QJsonObject root = QJsonDocument::fromJson(in.readAll()).object();
    double growth = 0.0;
    for (const char* key : {"own_vrf", "other_vrf"}) {
        QJsonObject system = root.value(key).toObject();
        QJsonArray outdoor, indoor, lines;
        for (const QJsonValue& v : system.value("unit_group").toArray())
            (v.toObject().value("is_odu").toBool() ? outdoor : indoor).append(v);
        if (outdoor.isEmpty() || indoor.isEmpty())
            return false;
        double before = 0.0, after = 0.0;
        for (const QJsonValue& v : outdoor)
            before += v.toObject().value("quantity").toDouble();
        for (int i = 0; i < kOutdoorLines + kLargeIndoorLines; ++i) {
            const bool odu = i < kOutdoorLines;
            const QJsonArray& from = odu ? outdoor : indoor;
            QJsonObject line = from.at(i % from.size()).toObject();
            line.insert("quantity", odu ? 1 + i % 3 : 1 + i % 4);
            after += odu ? line.value("quantity").toDouble() : 0.0;
            lines.append(line);
        }
        system.insert("unit_group", lines);
        root.insert(key, system);
        if (growth == 0.0 && before > 0.0)
            growth = after / before;
    }
    for (const char* key : {"cooling_peak_load", "heating_peak_load"})
        root.insert(key, root.value(key).toDouble() * growth);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(root).toJson()) > 0
        && out.flush();
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false")); // no diagnostic lines
    QTemporaryDir dir;
    HAppPaths::setApplicationDir(dir.path());
    HDbFind::setDbFileAndPwd(dir.filePath("no-product.db"), QString()); // temperature model
    if (argc > 1 && QByteArray(argv[1]) == "--peak-memory")
        return peakMemoryChild();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    // Child processes first: a process started from this one begins with this
    // one's peak RSS (the kernel keeps the mark across exec), which must stay
    // below the children's own.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak-memory")});
    const bool childDone = child.waitForFinished(120000) && child.exitCode() == 0;
    bool parsed = false;
    const double calcPeakMB = child.readAllStandardOutput().trimmed().toDouble(&parsed);

    // lumoeco on a project with 1,000 indoor lines per system (one warm-up run
    // writes the weather analysis cache).
    const QString largeProject = dir.filePath("large_office.ee");
    std::vector<Timing> large;
    bool largeOk = writeLargeProject(largeProject);
    const QStringList largeArgs{"calculate", largeProject, "--format", "json"};
    if (largeOk)
        largeOk = runProcess(QStringLiteral(BRIVANTA_LUMOECO), largeArgs, dir.path()).cpu >= 0.0;
    for (int i = 0; largeOk && i < std::max(3, runs); ++i) {
        large.push_back(runProcess(QStringLiteral(BRIVANTA_LUMOECO), largeArgs, dir.path()));
        largeOk = large.back().cpu >= 0.0;
    }

    buildProject();
    std::printf("project: %d outdoor + %d indoor lines per system, %d hours, %d records per run\n",
                kOutdoorLines, kIndoorLines, HProject::getProject()->getYear()->size(),
                HProject::getProject()->getYear()->size() * 2 * (kOutdoorLines + kIndoorLines));

    // The straightforward year, each time on a fresh project.
    std::vector<Timing> plain;
    for (int i = 0; i < std::min(runs, 3); ++i) {
        buildProject();
        plain.push_back(measure(straightforwardYear));
    }
    const std::vector<double> reference = snapshot();

    // calculateLoadAtHour: the first run on fresh projects, then repeated runs.
    std::vector<Timing> first;
    for (int i = 0; i < runs; ++i) {
        buildProject();
        first.push_back(measure([] { HCalHelper::calculateLoadAtHour(false); }));
    }
    std::vector<Timing> repeated;
    for (int i = 0; i < runs; ++i)
        repeated.push_back(measure([] { HCalHelper::calculateLoadAtHour(false); }));

    // A changed unit list (a line added, then removed again so that the result
    // can be compared).
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
    const std::vector<double> repeatedFigures = snapshot();
    buildProject();
    HCalHelper::calculateLoadAtHour(false);
    const std::vector<double> firstFigures = snapshot();
    HProject::reset();

    const std::size_t differingFirst = differences(firstFigures, reference);
    const std::size_t differingRepeated = differences(repeatedFigures, reference);
    const Timing plainMedian = median(plain);
    const Timing firstMedian = median(first);
    const Timing repeatedMedian = median(repeated);
    const Timing changedMedian = median(changed);

    std::printf("\n                                                 wall ms    cpu ms\n");
    std::printf("straightforward year, median of %2d             %9.1f %9.1f\n", int(plain.size()),
                plainMedian.wall, plainMedian.cpu);
    std::printf("calculateLoadAtHour first run, median of %2d    %9.1f %9.1f\n", runs,
                firstMedian.wall, firstMedian.cpu);
    std::printf("calculateLoadAtHour repeated, median of %2d     %9.1f %9.1f\n", runs,
                repeatedMedian.wall, repeatedMedian.cpu);
    std::printf("calculateLoadAtHour after a unit line change   %9.1f %9.1f\n", changedMedian.wall,
                changedMedian.cpu);

    const double repeatedRatio = plainMedian.cpu / repeatedMedian.cpu;
    const double firstRatio = plainMedian.cpu / firstMedian.cpu;
    std::printf("\n%-50s %-14s %s\n", "What (goals judged on CPU time)", "Goal", "Measured");
    std::printf("%-50s >= %4.0fx       %.1fx (%.1f vs %.1f ms; wall %.1fx)  %s\n",
                "Repeated year vs straightforward year", kRepeatedRatioGoal, repeatedRatio,
                repeatedMedian.cpu, plainMedian.cpu, plainMedian.wall / repeatedMedian.wall,
                verdict(repeatedRatio >= kRepeatedRatioGoal));
    std::printf("%-50s >= %4.0fx       %.1fx (%.1f vs %.1f ms; wall %.1fx)  %s\n",
                "First run on a fresh project vs straightforward", kFirstRunRatioGoal, firstRatio,
                firstMedian.cpu, plainMedian.cpu, plainMedian.wall / firstMedian.wall,
                verdict(firstRatio >= kFirstRunRatioGoal));
    if (childDone && parsed)
        std::printf("%-50s <= %4.0f MB     %.1f MB  %s\n",
                    "Peak RSS of a calculation (own process)", kPeakMemoryGoalMB, calcPeakMB,
                    verdict(calcPeakMB <= kPeakMemoryGoalMB));
    else
        std::printf("%-50s <= %4.0f MB     child process failed  NOT MET\n",
                    "Peak RSS of a calculation (own process)", kPeakMemoryGoalMB);
    if (largeOk) {
        const Timing m = median(large);
        std::printf("%-50s <= %4.0f ms     %.0f ms (wall %.0f ms), median of %d  %s\n",
                    "1,000 indoor lines per system, lumoeco calculate", kLargeProjectTimeGoalMs,
                    m.cpu, m.wall, int(large.size()), verdict(m.cpu <= kLargeProjectTimeGoalMs));
        std::printf("%-50s <= %4.0f MB     %.1f MB  %s\n", "", kLargeProjectMemoryGoalMB,
                    m.memoryMB, verdict(m.memoryMB <= kLargeProjectMemoryGoalMB));
    } else {
        std::printf("%-50s <= %4.0f ms     lumoeco failed  NOT MET\n",
                    "1,000 indoor lines per system, lumoeco calculate", kLargeProjectTimeGoalMs);
    }
    std::printf("%-50s %-14s %zu figures; differing: %zu after a first run, %zu after "
                "repeated runs  %s\n",
                "Identity with the straightforward year", "all equal", reference.size(),
                differingFirst, differingRepeated,
                verdict(differingFirst == 0 && differingRepeated == 0));
    std::printf("(this process: peak RSS %.1f MB, with the straightforward year)\n",
                peakMemoryMB());
    return differingFirst == 0 && differingRepeated == 0 && largeOk ? 0 : 1;
}
