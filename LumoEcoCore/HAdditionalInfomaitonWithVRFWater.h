#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

// Water-side equipment of a water-cooled VRF system: cooling tower,
// circulation pump and fossil-fuel boiler. Quantities come from table cells
// and are therefore doubles; the two totals are whole numbers.
class LUMOECOCORE_EXPORT HAdditionalInfomaitonWithVRFWater
{
public:
    HAdditionalInfomaitonWithVRFWater() = default;
    HAdditionalInfomaitonWithVRFWater(const HAdditionalInfomaitonWithVRFWater&) = default;
    HAdditionalInfomaitonWithVRFWater(HAdditionalInfomaitonWithVRFWater&&) = default;
    HAdditionalInfomaitonWithVRFWater&
    operator=(const HAdditionalInfomaitonWithVRFWater&) = default;
    HAdditionalInfomaitonWithVRFWater& operator=(HAdditionalInfomaitonWithVRFWater&&) = default;

    // Derives totalQuantity and totalPrice (truncated toward zero); always true.
    bool calculate();

    H_MEMBER(double, cooling_tower_capacity) = 0.0;
    H_MEMBER(double, cooling_tower_power_input) = 0.0;
    H_MEMBER(double, cooling_tower_quantity) = 0.0;
    H_MEMBER(double, cooling_tower_price_ea) = 0.0;
    H_MEMBER(double, circulation_water_pump_power_input) = 0.0;
    H_MEMBER(double, circulation_water_pump_quantity) = 0.0;
    H_MEMBER(double, circulation_water_pump_price_ea) = 0.0;
    H_MEMBER(double, fossil_fuel_boiler_power_input) = 0.0;
    H_MEMBER(double, fossil_fuel_boiler_fuel_input_gas) = 0.0;
    H_MEMBER(double, fossil_fuel_boiler_quantity) = 0.0;
    H_MEMBER(double, fossil_fuel_boiler_price_ea) = 0.0;
    H_MEMBER(int, totalQuantity) = 0;
    H_MEMBER(int, totalPrice) = 0;
};
