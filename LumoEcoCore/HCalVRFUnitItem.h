#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

class HUnit;

// Result of one unit line in one hour. Owned by the hour; points at its unit
// without owning it, so a unit must outlive the records that are still read.
class LUMOECOCORE_EXPORT HCalVRFUnitItem
{
public:
    explicit HCalVRFUnitItem(HUnit* unit)
        : unit(unit)
    {
    }
    ~HCalVRFUnitItem() { unit = nullptr; }
    HCalVRFUnitItem(const HCalVRFUnitItem&) = delete;
    HCalVRFUnitItem& operator=(const HCalVRFUnitItem&) = delete;

    HUnit* getUnit() const { return unit; }

private:
    HUnit* unit = nullptr;

    // energy input ratio of the unit in this hour (1.0 = rated power)
    H_MEMBER(double, unit_EIR) = 0.0;
    // energy of all units of the line in this hour, kWh
    H_MEMBER(double, unit_power_input) = 0.0;
};
