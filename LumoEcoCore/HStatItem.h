#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

// One bin of the calculation statistics (by outdoor temperature or by load ratio).
class LUMOECOCORE_EXPORT HStatItem
{
public:
    HStatItem() = default;
    ~HStatItem() = default;
    HStatItem(const HStatItem&) = default;
    HStatItem& operator=(const HStatItem&) = default;

    // temperature bins: upper bound of the bin, degrees C
    H_MEMBER(double, temp) = 0.0;
    // load bins: the key; temperature bins: ratio of the last hour counted
    H_MEMBER(double, load_precent) = 0.0;
    H_MEMBER(double, building_load) = 0.0;
    H_MEMBER(int, hours) = 0;
    H_MEMBER(double, total_load) = 0.0;
    H_MEMBER(double, odu_energy_consumption) = 0.0;
    H_MEMBER(double, idu_energy_consumption) = 0.0;
    H_MEMBER(double, total_energy_consumption) = 0.0;
    H_MEMBER(double, gas_consumption) = 0.0;
};
