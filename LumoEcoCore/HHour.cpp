#include "HHour.h"

#include "HCalVRFUnitItem.h"
#include "HUnit.h"

HHour::~HHour()
{
    qDeleteAll(own_vrf_items);
    qDeleteAll(other_vrf_items);
}

void HHour::addCalVRFUnitItemToOwnVRF(HCalVRFUnitItem* item)
{
    own_vrf_items.append(item);
}

void HHour::addCalVRFUnitItemToOtherVRF(HCalVRFUnitItem* item)
{
    other_vrf_items.append(item);
}

void HHour::removeAllCalVRFUnitItemToOwnVRF()
{
    qDeleteAll(own_vrf_items);
    own_vrf_items.clear(); // keeps the capacity for the next run
}

void HHour::removeAllCalVRFUnitItemToOtherVRF()
{
    qDeleteAll(other_vrf_items);
    other_vrf_items.clear();
}

bool HHour::getAllCalVRFUnitItemToOwnVRF(QVector<HCalVRFUnitItem*>& items) const
{
    items = own_vrf_items;
    return true;
}

bool HHour::getAllCalVRFUnitItemToOtherVRF(QVector<HCalVRFUnitItem*>& items) const
{
    items = other_vrf_items;
    return true;
}

namespace {

double positiveSum(const QVector<HCalVRFUnitItem*>& items)
{
    double sum = 0.0;
    for (const HCalVRFUnitItem* item : items)
        if (item->Getunit_power_input() > 0.0)
            sum += item->Getunit_power_input();
    return sum;
}

// Positive energies split into outdoor and indoor units.
void splitSums(const QVector<HCalVRFUnitItem*>& items, double& odu, double& idu)
{
    odu = 0.0;
    idu = 0.0;
    for (const HCalVRFUnitItem* item : items) {
        const double energy = item->Getunit_power_input();
        if (!(energy > 0.0))
            continue;
        const HUnit* unit = item->getUnit();
        if (!unit)
            continue;
        if (unit->Getis_odu())
            odu += energy;
        else
            idu += energy;
    }
}

} // namespace

double HHour::getOwnVRFEnergyConsumption() const
{
    return positiveSum(own_vrf_items);
}

double HHour::getOtherVRFEnergyConsumption() const
{
    return positiveSum(other_vrf_items);
}

double HHour::getAverageEIR() const
{
    double sum = 0.0;
    int count = 0;
    for (const HCalVRFUnitItem* item : own_vrf_items) {
        const HUnit* unit = item->getUnit();
        if (unit && unit->Getis_odu()) {
            sum += item->Getunit_EIR();
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

void HHour::reset()
{
    dry_bulb_temperature = 0.0;
    relative_humidity = 0.0;
}

void HHour::statResult()
{
    splitSums(own_vrf_items, own_vrf_odu_energy_consumption, own_vrf_idu_energy_consumption);
    own_vrf_total_energy_consumption =
        own_vrf_odu_energy_consumption + own_vrf_idu_energy_consumption;
    splitSums(other_vrf_items, other_vrf_odu_energy_consumption, other_vrf_idu_energy_consumption);
    other_vrf_total_energy_consumption =
        other_vrf_odu_energy_consumption + other_vrf_idu_energy_consumption;
}
