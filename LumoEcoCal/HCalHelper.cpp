// The hourly calculation of a year: load ratios, building loads, capacities, the
// records and sums of both systems, and the own system's statistics by temperature.
#include "HCalHelper.h"

#include <HCalRecordBlock.h>
#include <HCalVRFUnitItem.h>
#include <HDatabase.h>
#include <HDbFind.h>
#include <HHour.h>
#include <HProductPerformanceDataForVRF.h>
#include <HProject.h>
#include <HStatItem.h>
#include <HStatResult.h>
#include <HUnit.h>
#include <HVRF.h>
#include <HYear.h>

#include <QLoggingCategory>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcCalc, "brivanta.calc", QtWarningMsg)

namespace {

constexpr double kCoolingDesignTemperature = 35.0;
constexpr double kHeatingDesignTemperature = -10.0;
constexpr double kDeadBand = 0.1;
constexpr double kThermoOffBand = 1.0;
constexpr double kAdjustMargin = 0.001;

// Multiplies the other system's outdoor EIR; 1.0 except while one hour is
// recomputed in adjust mode.
double g_otherEIRFactor = 1.0;

class OtherEIRFactorScope
{
public:
    explicit OtherEIRFactorScope(double factor) { g_otherEIRFactor = factor; }
    ~OtherEIRFactorScope() { g_otherEIRFactor = 1.0; }
    OtherEIRFactorScope(const OtherEIRFactorScope&) = delete;
    OtherEIRFactorScope& operator=(const OtherEIRFactorScope&) = delete;
};

using Load = HCalRecordBlock::Load;
using Sums = HCalRecordBlock::Sums;

// Outdoor and indoor lines of a system in list order.
struct SystemUnits
{
    explicit SystemUnits(const HVRF* system)
    {
        if (system) {
            system->getAllOutoorUnits(odus);
            system->getAllIndoorUnits(idus);
        }
    }
    QVector<HUnit*> odus;
    QVector<HUnit*> idus;
};

double curveEIR(const HProductPerformanceDataForVRF* data, double rate)
{
    if (!data)
        return 0.0;
    return rate > 0.0 ? data->calculateEIR(rate) : data->calculateCOP(rate);
}

// EIRs of a system's `count` outdoor lines (`unitAt(i)`) in an hour at the
// system's rate: an own line on its own product curve, every other line on the
// other system's one curve (times the adjust factor); 0 without load.
template<typename UnitAt>
void outdoorEIRs(double* eirs, int count, UnitAt unitAt, bool ownSystem, const HVRF* system,
                 double rate)
{
    if (HCalRecordBlock::loadOf(rate) == Load::None) {
        std::fill(eirs, eirs + count, 0.0);
    } else if (ownSystem) {
        for (int i = 0; i < count; ++i)
            eirs[i] = curveEIR(unitAt(i)->getVRFProductPerformanceData(), rate);
    } else if (count > 0) {
        const HProductPerformanceDataForVRF* data =
            system ? system->getVRFProductPerformanceData() : nullptr;
        std::fill(eirs, eirs + count, data ? curveEIR(data, rate) * g_otherEIRFactor : 0.0);
    }
}

double systemRateOf(const HHour* hour, bool ownSystem)
{
    return ownSystem ? hour->GetOwnVRF_load_precent() : hour->GetOtherVRF_load_precent();
}

bool plantRuns(const HHour* hour)
{
    return hour->GetisTurnOnBySchedule() && hour->GetisThermostatMode();
}

// One system's records of the hour written into the hour's slot of the year's
// block; returns their sums.
Sums writeSlot(HHour* hour, bool ownSystem, const HVRF* system, HCalRecordBlock* block, int slot)
{
    const double rate = systemRateOf(hour, ownSystem);
    outdoorEIRs(
        block->outdoorEIRs(slot), block->outdoorLineCount(),
        [block](int i) { return block->unit(i); }, ownSystem, system, rate);
    const Sums sums = block->setSlot(slot, HCalRecordBlock::loadOf(rate), plantRuns(hour));
    if (ownSystem)
        hour->setOwnVRFRecordSlot(block, slot);
    else
        hour->setOtherVRFRecordSlot(block, slot);
    return sums;
}

// One system's records of a single hour as record objects: one per outdoor then
// indoor line, in list order.
void writeItems(HHour* hour, bool ownSystem, const HVRF* system)
{
    if (ownSystem)
        hour->removeAllCalVRFUnitItemToOwnVRF();
    else
        hour->removeAllCalVRFUnitItemToOtherVRF();
    const SystemUnits units(system);
    const double rate = systemRateOf(hour, ownSystem);
    const Load load = HCalRecordBlock::loadOf(rate);
    const bool on = plantRuns(hour);
    QVector<double> eirs(units.odus.size());
    outdoorEIRs(
        eirs.data(), eirs.size(), [&units](int i) { return units.odus[i]; }, ownSystem, system,
        rate);
    const auto add = [&](HUnit* unit, double eir) {
        auto* item = new HCalVRFUnitItem(unit);
        item->setunit_EIR(eir);
        item->setunit_power_input(HCalRecordBlock::energy(eir, unit, load, on));
        if (ownSystem)
            hour->addCalVRFUnitItemToOwnVRF(item);
        else
            hour->addCalVRFUnitItemToOtherVRF(item);
    };
    for (int i = 0; i < units.odus.size(); ++i)
        add(units.odus[i], eirs[i]);
    // Indoor units draw their rated power whenever the plant runs with a load.
    for (HUnit* unit : units.idus)
        add(unit, 1.0);
}

void setOwnSums(HHour* hour, const Sums& sums)
{
    hour->setown_vrf_odu_energy_consumption(sums.odu);
    hour->setown_vrf_idu_energy_consumption(sums.idu);
    hour->setown_vrf_total_energy_consumption(sums.odu + sums.idu);
}

void setOtherSums(HHour* hour, const Sums& sums)
{
    hour->setother_vrf_odu_energy_consumption(sums.odu);
    hour->setother_vrf_idu_energy_consumption(sums.idu);
    hour->setother_vrf_total_energy_consumption(sums.odu + sums.idu);
}

// The own system's statistics by outdoor temperature, filled hour by hour in
// year order from the hours' current sums.
class OwnStatistics
{
public:
    explicit OwnStatistics(const HProject* project)
        : m_peakCooling(project->Getcooling_peak_load())
        , m_peakHeating(project->Getheating_peak_load())
    {
        if (const HVRF* own = project->getOwnVRFSys()) {
            m_cooling = own->getStatResultCooling();
            m_heating = own->getStatResultHeating();
            m_cooling->resetTemp();
            m_heating->resetTemp();
        }
    }

    void add(const HHour* hour)
    {
        const double p = hour->Getload_precent();
        const double t = hour->Getdry_bulb_temperature();
        if (!m_cooling || std::isnan(p))
            return;
        HStatItem* bin = p > 0.0 ? m_cooling->getItemByTemp(t) : m_heating->getItemByTemp(t);
        if (!bin)
            return;
        bin->gethours() += 1;
        bin->setload_precent(p);
        const double load = p > 0.0 ? p * m_peakCooling : std::fabs(p) * m_peakHeating;
        bin->setbuilding_load(load);
        bin->settotal_load(bin->Gethours() * load);
        bin->getodu_energy_consumption() += hour->Getown_vrf_odu_energy_consumption();
        bin->getidu_energy_consumption() += hour->Getown_vrf_idu_energy_consumption();
        bin->settotal_energy_consumption(bin->Getodu_energy_consumption()
                                         + bin->Getidu_energy_consumption());
        bin->setgas_consumption(0.0);
        qCDebug(lcCalc) << "hour" << hour->Gethour_order() << "bin distance"
                        << std::fabs(bin->Gettemp() - t);
    }

    // Bins without hours are removed.
    void finish()
    {
        if (!m_cooling)
            return;
        m_cooling->clearInvalidItem();
        m_heating->clearInvalidItem();
    }

private:
    double m_peakCooling;
    double m_peakHeating;
    HStatResult* m_cooling = nullptr;
    HStatResult* m_heating = nullptr;
};

// Loads and capacities are never shown as "-0".
double withoutNegativeZero(double v)
{
    return v == 0.0 ? 0.0 : v;
}

// A system's combination rate for the building ratio p.
double systemRate(double p, const HProject* project, const HVRF* system)
{
    if (!system)
        return 0.0;
    if (p > 0.0 && system->Getodu_total_capacity_cooling() > 0.0)
        return p * project->Getcooling_peak_load() / system->Getodu_total_capacity_cooling();
    if (p <= 0.0 && system->Getodu_total_capacity_heating() > 0.0)
        return p * project->Getheating_peak_load() / system->Getodu_total_capacity_heating();
    return 0.0;
}

} // namespace

bool HCalHelper::calculateLoadAtHour(bool adjust)
{
    HProject* project = HProject::getProject();
    HYear* year = project->getYear();
    if (!year)
        return false;
    project->updateOperationInfoToYear();

    QMap<QString, double> loads;
    const bool hasInput = findInputLoadData(loads);

    HVRF* ownSystem = project->getOwnVRFSys();
    HVRF* otherSystem = project->getOtherVRFSys();
    // Nothing changes the unit lists during the run, so their totals are taken
    // once instead of every hour, and the records of the whole year go into one
    // block per system that the hours refer to.
    if (ownSystem)
        ownSystem->calculate();
    if (otherSystem)
        otherSystem->calculate();
    HCalRecordBlock* ownBlock = year->getOwnVRFRecordBlock();
    HCalRecordBlock* otherBlock = year->getOtherVRFRecordBlock();
    ownBlock->setLines(ownSystem, year->size());
    otherBlock->setLines(otherSystem, year->size());

    // The own statistics only read the hours' own sums, which the adjust step
    // never changes: each hour is counted as soon as it is complete.
    OwnStatistics statistics(project);
    for (int slot = 0; slot < year->size(); ++slot) {
        HHour* hour = year->at(slot);
        if (!hour)
            continue;
        calculateThermostatMode(hour);
        calculateLoadPrecent(hour);
        if (hasInput) {
            calculateBuildLoad(hour, loads);
            reCalculateLoadPrecent(hour);
        } else {
            calculateBuildLoad(hour);
        }
        calculateUnitTotalCapacity(hour);
        // The sums are those of HHour::statResult(), taken while the records are written.
        const Sums own = writeSlot(hour, true, ownSystem, ownBlock, slot);
        Sums other = writeSlot(hour, false, otherSystem, otherBlock, slot);
        if (adjust && own.odu > other.odu && other.odu > 0.0) {
            const OtherEIRFactorScope factor(own.odu / other.odu + kAdjustMargin);
            other = writeSlot(hour, false, otherSystem, otherBlock, slot);
        }
        setOwnSums(hour, own);
        setOtherSums(hour, other);
        statistics.add(hour);
    }

    project->statisCalResult();
    statistics.finish();
    return true;
}

bool HCalHelper::findInputLoadData(QMap<QString, double>& loads)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;
    QSqlQuery query = db->query(QStringLiteral("select * from __temp_data"));
    // A missing table (failed query) or one without a "load" column gives no loads.
    const int column = query.record().indexOf(QStringLiteral("load"));
    if (column < 0)
        return false;
    int row = 0;
    while (query.next()) {
        ++row;
        loads[QString::number(row)] = query.value(column).toDouble() * 0.001 * 0.45;
    }
    return !loads.isEmpty();
}

void HCalHelper::calculateThermostatMode(HHour* hour)
{
    const HProject* project = HProject::getProject();
    const double t = hour->Getdry_bulb_temperature();
    const bool off = std::fabs(HProject::temperature_balance_point - t) < kThermoOffBand
        && project->Getthermo_mode();
    hour->setisThermostatMode(!off);
}

void HCalHelper::calculateLoadPrecent(HHour* hour)
{
    const HProject* project = HProject::getProject();
    const double bp = HProject::temperature_balance_point;
    const double t = hour->Getdry_bulb_temperature();
    double p = 0.0;
    if (t > bp)
        p = (t - bp) / (kCoolingDesignTemperature - bp) * HYear::load_adjust_factor_cooling;
    else
        p = -(t - bp) / (kHeatingDesignTemperature - bp) * HYear::load_adjust_factor_heating;
    if (std::fabs(t - bp) < kDeadBand)
        p = 0.0;
    hour->setload_precent(p);
    hour->setOwnVRF_load_precent(systemRate(p, project, project->getOwnVRFSys()));
    hour->setOtherVRF_load_precent(systemRate(p, project, project->getOtherVRFSys()));
}

void HCalHelper::calculateBuildLoad(HHour* hour)
{
    const HProject* project = HProject::getProject();
    const double p = hour->Getload_precent();
    if (p > 0.0) {
        hour->setbuilding_load_cooling(p * project->Getcooling_peak_load());
        hour->setbuilding_load_heating(0.0);
    } else {
        hour->setbuilding_load_cooling(0.0);
        hour->setbuilding_load_heating(withoutNegativeZero(-p * project->Getheating_peak_load()));
    }
}

void HCalHelper::calculateBuildLoad(HHour* hour, const QMap<QString, double>& loads)
{
    hour->setbuilding_load_cooling(0.0);
    hour->setbuilding_load_heating(0.0);
    const auto it = loads.constFind(QString::number(hour->Gethour_order()));
    if (it == loads.constEnd())
        return;
    const double v = it.value();
    if (v > 0.0)
        hour->setbuilding_load_cooling(v);
    else
        hour->setbuilding_load_heating(std::fabs(v));
}

void HCalHelper::reCalculateLoadPrecent(HHour* hour)
{
    const HProject* project = HProject::getProject();
    const HVRF* own = project->getOwnVRFSys();
    double p = 0.0;
    double rate = 0.0;
    if (hour->Getbuilding_load_cooling() > 0.0) {
        const double peak = project->Getcooling_peak_load();
        if (peak > 0.0) {
            p = hour->Getbuilding_load_cooling() / peak;
            if (own && own->Getodu_total_capacity_cooling() > 0.0)
                rate = p * peak / own->Getodu_total_capacity_cooling();
        }
    } else {
        const double peak = project->Getheating_peak_load();
        if (peak > 0.0) {
            p = hour->Getbuilding_load_heating() / peak;
            if (own && own->Getodu_total_capacity_heating() > 0.0)
                rate = p * peak / own->Getodu_total_capacity_heating();
        }
        // Heating is negative; an hour without load stays +0, and a load that is
        // not a number keeps its ratio not a number (no load, no statistics).
        p = p != 0.0 ? -p : 0.0;
        rate = rate != 0.0 ? -rate : 0.0;
    }
    hour->setload_precent(p);
    hour->setOwnVRF_load_precent(rate);
}

void HCalHelper::calculateUnitTotalCapacity(HHour* hour)
{
    const HVRF* own = HProject::getProject()->getOwnVRFSys();
    const double m = hour->GetisThermostatMode() ? 1.0 : 0.0;
    const double rate = hour->GetOwnVRF_load_precent();
    const double capC = own ? own->Getodu_total_capacity_cooling() : 0.0;
    const double capH = own ? own->Getodu_total_capacity_heating() : 0.0;
    if (hour->Getload_precent() > 0.0) {
        hour->setunit_total_capacity_cooling(withoutNegativeZero(m * rate * capC));
        hour->setunit_total_capacity_heating(0.0);
    } else {
        hour->setunit_total_capacity_cooling(0.0);
        hour->setunit_total_capacity_heating(withoutNegativeZero(-m * rate * capH));
    }
}

void HCalHelper::calclateEIRAndPower_own_vrf(HHour* hour)
{
    writeItems(hour, true, HProject::getProject()->getOwnVRFSys());
}

void HCalHelper::calclateEIRAndPower_other_vrf(HHour* hour)
{
    writeItems(hour, false, HProject::getProject()->getOtherVRFSys());
}

void HCalHelper::statisCalculationResult_own_vrf()
{
    HProject* project = HProject::getProject();
    OwnStatistics statistics(project);
    if (HYear* year = project->getYear()) {
        for (HHour* hour : qAsConst(*year)) {
            if (!hour)
                continue;
            hour->statResult(); // picks up records changed after the hour was summed
            statistics.add(hour);
        }
    }
    statistics.finish();
}

void HCalHelper::statisCalculationResult_other_vrf() { }
