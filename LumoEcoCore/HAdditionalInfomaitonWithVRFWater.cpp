#include "HAdditionalInfomaitonWithVRFWater.h"

#include <cmath>
#include <limits>

namespace {

// Truncates toward zero. Table cells can hold any number, and converting a
// double outside the int range is undefined: such totals saturate, NaN reads 0.
int truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace

bool HAdditionalInfomaitonWithVRFWater::calculate()
{
    totalQuantity = truncateToInt(cooling_tower_quantity + circulation_water_pump_quantity
                                  + fossil_fuel_boiler_quantity);
    totalPrice = truncateToInt(cooling_tower_quantity * cooling_tower_price_ea
                               + circulation_water_pump_quantity * circulation_water_pump_price_ea
                               + fossil_fuel_boiler_quantity * fossil_fuel_boiler_price_ea);
    return true;
}
