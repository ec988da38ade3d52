#include "HHour.h"

HHour::~HHour() = default;

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
    own_vrf_items.clear();
}

void HHour::removeAllCalVRFUnitItemToOtherVRF()
{
    other_vrf_items.clear();
}

bool HHour::getAllCalVRFUnitItemToOwnVRF(QVector<HCalVRFUnitItem*>& items) const
{
    items = own_vrf_items.items();
    return true;
}

bool HHour::getAllCalVRFUnitItemToOtherVRF(QVector<HCalVRFUnitItem*>& items) const
{
    items = other_vrf_items.items();
    return true;
}

void HHour::setOwnVRFRecordSlot(const HCalRecordBlock* block, int slot)
{
    own_vrf_items.setSlot(block, slot);
}

void HHour::setOtherVRFRecordSlot(const HCalRecordBlock* block, int slot)
{
    other_vrf_items.setSlot(block, slot);
}

double HHour::getOwnVRFEnergyConsumption() const
{
    return own_vrf_items.positiveSum();
}

double HHour::getOtherVRFEnergyConsumption() const
{
    return other_vrf_items.positiveSum();
}

double HHour::getAverageEIR() const
{
    return own_vrf_items.averageOutdoorEIR();
}

void HHour::reset()
{
    dry_bulb_temperature = 0.0;
    relative_humidity = 0.0;
}

void HHour::statResult()
{
    own_vrf_items.splitSums(own_vrf_odu_energy_consumption, own_vrf_idu_energy_consumption);
    own_vrf_total_energy_consumption =
        own_vrf_odu_energy_consumption + own_vrf_idu_energy_consumption;
    other_vrf_items.splitSums(other_vrf_odu_energy_consumption, other_vrf_idu_energy_consumption);
    other_vrf_total_energy_consumption =
        other_vrf_odu_energy_consumption + other_vrf_idu_energy_consumption;
}
