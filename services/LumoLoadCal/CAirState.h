#pragma once
#include "LumoLoadCalExport.h"

// Moist air at a given barometric pressure (ASHRAE Handbook - Fundamentals, ch. 1).
class LUMOLOADCAL_EXPORT CAirState
{
public:
    explicit CAirState(double pressurePa = 101325.0);
    // Dry-bulb temperature in degrees C, relative humidity as a fraction (0..1).
    void SetD_RH(double dryBulb, double relativeHumidity);
    // Humidity ratio, kg water / kg dry air, with the enhancement factor of moist air.
    // Relative humidity is clamped to 0..1 and temperature to -100..200 degrees C;
    // 0 for NaN input or a non-positive pressure; infinite when the vapour pressure
    // reaches the total pressure (no liquid-free air exists there).
    double GetW() const;
    double GetD() const;                         // dry-bulb, degrees C
    double GetRH() const;                        // fraction
    double GetPws() const;                       // saturation pressure at dry-bulb, Pa
    static double saturationPressure(double tC); // Pa, over ice below 0 degrees C

private:
    double m_p;
    double m_d = 20.0;
    double m_rh = 0.5;
};
