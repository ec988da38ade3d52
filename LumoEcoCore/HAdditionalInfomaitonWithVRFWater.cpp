#include "HAdditionalInfomaitonWithVRFWater.h"

bool HAdditionalInfomaitonWithVRFWater::calculate()
{
    // static_cast truncates toward zero, as the totals are meant to.
    totalQuantity = static_cast<int>(cooling_tower_quantity + circulation_water_pump_quantity
                                     + fossil_fuel_boiler_quantity);
    totalPrice =
        static_cast<int>(cooling_tower_quantity * cooling_tower_price_ea
                         + circulation_water_pump_quantity * circulation_water_pump_price_ea
                         + fossil_fuel_boiler_quantity * fossil_fuel_boiler_price_ea);
    return true;
}
