#include "HCalculationFigures.h"

#include "HHour.h"
#include "HProject.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HVRF.h"
#include "HYear.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

double quotient(double numerator, double denominator)
{
    return denominator > 0.0 ? numerator / denominator : kUndefined;
}

// One hour of one system: its rate, electricity and the capacity it has in each mode.
void addHour(HCalculationFigures::System* s, double rate, double kWh, bool runs)
{
    if (std::isnan(rate))
        return;
    if (rate > 0.0) {
        s->coolingKWh += kWh;
        if (runs)
            s->coolingDeliveredKWh += rate * s->coolingCapacityKW;
    } else {
        s->heatingKWh += kWh;
        if (runs)
            s->heatingDeliveredKWh += -rate * s->heatingCapacityKW;
    }
}

} // namespace

double HCalculationFigures::System::seasonalCoolingEfficiency() const
{
    return quotient(coolingDeliveredKWh, coolingKWh);
}

double HCalculationFigures::System::seasonalHeatingEfficiency() const
{
    return quotient(heatingDeliveredKWh, heatingKWh);
}

double HCalculationFigures::System::seasonalEfficiency() const
{
    return quotient(coolingDeliveredKWh + heatingDeliveredKWh, totalKWh());
}

double HCalculationFigures::kWhPerM2(const System& system) const
{
    return quotient(system.totalKWh(), buildArea);
}

double HCalculationFigures::coolingCapacityPercent(const System& system) const
{
    return quotient(system.coolingCapacityKW * 100.0, coolingPeakLoad);
}

double HCalculationFigures::heatingCapacityPercent(const System& system) const
{
    return quotient(system.heatingCapacityKW * 100.0, heatingPeakLoad);
}

HCalculationFigures HCalculationFigures::compute(HProject* project)
{
    HCalculationFigures f;
    f.buildArea = project->Getbuild_area();
    f.coolingPeakLoad = project->Getcooling_peak_load();
    f.heatingPeakLoad = project->Getheating_peak_load();
    if (HVRF* own = project->getOwnVRFSys()) {
        own->calculate();
        f.own.coolingCapacityKW = own->Getodu_total_capacity_cooling();
        f.own.heatingCapacityKW = own->Getodu_total_capacity_heating();
    }
    if (HVRF* other = project->getOtherVRFSys()) {
        other->calculate();
        f.other.coolingCapacityKW = other->Getodu_total_capacity_cooling();
        f.other.heatingCapacityKW = other->Getodu_total_capacity_heating();
    }
    const HYear* year = project->getYear();
    if (!year)
        return f;
    for (const HHour* hour : *year) {
        if (!hour)
            continue;
        const bool runs = hour->GetisTurnOnBySchedule() && hour->GetisThermostatMode();
        addHour(&f.own, hour->GetOwnVRF_load_precent(), hour->Getown_vrf_total_energy_consumption(),
                runs);
        addHour(&f.other, hour->GetOtherVRF_load_precent(),
                hour->Getother_vrf_total_energy_consumption(), runs);
    }
    return f;
}

void HCalculationFigures::binOtherSystem(HProject* project, HStatResult* cooling,
                                         HStatResult* heating)
{
    cooling->resetTemp();
    heating->resetTemp();
    const double peakCooling = project->Getcooling_peak_load();
    const double peakHeating = project->Getheating_peak_load();
    if (const HYear* year = project->getYear()) {
        for (const HHour* hour : *year) {
            const double p = hour ? hour->Getload_precent() : kUndefined;
            if (std::isnan(p))
                continue;
            const double t = hour->Getdry_bulb_temperature();
            HStatItem* bin = p > 0.0 ? cooling->getItemByTemp(t) : heating->getItemByTemp(t);
            if (!bin)
                continue;
            bin->gethours() += 1;
            bin->setload_precent(p);
            bin->setbuilding_load(p > 0.0 ? p * peakCooling : std::fabs(p) * peakHeating);
            bin->settotal_load(bin->Gethours() * bin->Getbuilding_load());
            bin->getodu_energy_consumption() += hour->Getother_vrf_odu_energy_consumption();
            bin->getidu_energy_consumption() += hour->Getother_vrf_idu_energy_consumption();
            bin->settotal_energy_consumption(bin->Getodu_energy_consumption()
                                             + bin->Getidu_energy_consumption());
        }
    }
    cooling->clearInvalidItem();
    heating->clearInvalidItem();
}
