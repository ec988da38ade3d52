#pragma once
#include "HAccessor.h"
#include "HHourRecords.h"
#include "LumoEcoCoreExport.h"

#include <QVector>

class HCalRecordBlock;
class HCalVRFUnitItem;

// One hour of the project year: weather, schedule flag, load ratios and the
// per-unit result records of both systems (owned), with their energy sums.
class LUMOECOCORE_EXPORT HHour
{
public:
    HHour() = default;
    ~HHour();
    HHour(const HHour&) = delete;
    HHour& operator=(const HHour&) = delete;

    // The hour takes ownership of the item.
    void addCalVRFUnitItemToOwnVRF(HCalVRFUnitItem* item);
    void addCalVRFUnitItemToOtherVRF(HCalVRFUnitItem* item);
    // Delete every item of the list and empty it (the capacity is kept).
    void removeAllCalVRFUnitItemToOwnVRF();
    void removeAllCalVRFUnitItemToOtherVRF();
    // Replace `items` with the hour's list; the hour keeps ownership. Always true.
    bool getAllCalVRFUnitItemToOwnVRF(QVector<HCalVRFUnitItem*>& items) const;
    bool getAllCalVRFUnitItemToOtherVRF(QVector<HCalVRFUnitItem*>& items) const;
    // The records of the year calculation: slot `slot` of `block`, which holds
    // them until a caller asks for the list. Record objects held before are deleted.
    void setOwnVRFRecordSlot(const HCalRecordBlock* block, int slot);
    void setOtherVRFRecordSlot(const HCalRecordBlock* block, int slot);

    // Sum of the positive unit_power_input of the system's items, kWh.
    double getOwnVRFEnergyConsumption() const;
    double getOtherVRFEnergyConsumption() const;
    // Mean unit_EIR of the own outdoor-unit items; 0 without any.
    double getAverageEIR() const;

    // Clears the weather values only.
    void reset();
    // Recomputes the six energy sums from the items.
    void statResult();

    H_MEMBER(int, hour_order) = 0;
    H_MEMBER(int, hour) = 0;
    H_MEMBER(int, dayOfWeek) = 0;
    H_MEMBER(double, dry_bulb_temperature) = 0.0;
    H_MEMBER(double, relative_humidity) = 0.0;
    H_MEMBER(bool, isThermostatMode) = false;
    H_MEMBER(bool, isTurnOnBySchedule) = false;
    H_MEMBER(double, load_precent) = 0.0;
    H_MEMBER(double, OwnVRF_load_precent) = 0.0;
    H_MEMBER(double, OtherVRF_load_precent) = 0.0;
    H_MEMBER(double, building_load_cooling) = 0.0;
    H_MEMBER(double, building_load_heating) = 0.0;
    H_MEMBER(double, unit_total_capacity_cooling) = 0.0;
    H_MEMBER(double, unit_total_capacity_heating) = 0.0;

private:
    HHourRecords own_vrf_items;
    HHourRecords other_vrf_items;

    H_MEMBER(double, own_vrf_odu_energy_consumption) = 0.0;
    H_MEMBER(double, own_vrf_idu_energy_consumption) = 0.0;
    H_MEMBER(double, own_vrf_total_energy_consumption) = 0.0;
    H_MEMBER(double, other_vrf_odu_energy_consumption) = 0.0;
    H_MEMBER(double, other_vrf_idu_energy_consumption) = 0.0;
    H_MEMBER(double, other_vrf_total_energy_consumption) = 0.0;
};
