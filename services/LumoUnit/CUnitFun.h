#pragma once
#include "LumoUnitExport.h"
#include <QString>

// Process-wide choice of display units and the conversions between the model's
// base units (degrees C, kW, m) and the units the user sees.
//
// Unit codes, stored in project files; never renumber them:
//   temperature  1 = degrees C (default), 2 = degrees F
//   load         1 = kW (default), 2 = Btu/h, 3 = kcal/h, 4 = RT (refrigeration ton, 12000 Btu/h)
//   length       1 = m (default), 2 = ft
//   air flow     1 = L/s, 2 = m3/h (default), 3 = CFM
// Setting an unknown code selects the quantity's default.
//
// Text results use the C locale and 15 significant digits, so they parse back
// with QString::toDouble and a round trip base -> current -> base agrees within
// about 1e-14 relative. Text arguments are read in the C locale; text that is
// not a number gives an empty result.
//
// Label styles: 0 = "(kW)" for column headers, 1 = " (kW)" for captions and
// axis titles, -1 = "kW" alone. Labels are translated for display.
class LUMOUNIT_EXPORT CUnitFun
{
public:
    enum TemperatureUnit { TempCelsius = 1, TempFahrenheit = 2 };
    enum LoadUnit { LoadKW = 1, LoadBtuPerHour = 2, LoadKcalPerHour = 3, LoadRT = 4 };
    enum LengthUnit { LengthMetre = 1, LengthFoot = 2 };
    enum AirFlowUnit { AirFlowLitrePerSecond = 1, AirFlowCubicMetrePerHour = 2, AirFlowCFM = 3 };

    static void SetUnitTemp(int code);
    static void SetUnitLoad(int code);
    static void SetUnitLength(int code);
    static void SetUnitAirFlowRate(int code);
    static int GetUnitTemp();
    static int GetUnitLoad();
    static int GetUnitLength();
    static int GetUnitAirFlowRate();

    static bool isValidTempCode(int code);
    static bool isValidLoadCode(int code);
    static bool isValidLengthCode(int code);
    static bool isValidAirFlowRateCode(int code);

    // Label of the current unit in the given style.
    static QString GetUnitTempString(int style = 0);
    static QString GetUnitLoadString(int style = 0);
    static QString GetUnitLengthString(int style = 0);
    static QString GetUnitAirFlowRateString(int style = 0);
    // Untranslated symbol of any code ("kW", "RT"); empty for unknown codes.
    static QString tempSymbol(int code);
    static QString loadSymbol(int code);
    static QString lengthSymbol(int code);
    static QString airFlowRateSymbol(int code);

    static QString FromBaseTemperatureUnitToCurrent(double celsius);
    static QString FromCurrentToBaseTemperatureUnit(double value);
    static QString FromCurrentToBaseTemperatureUnit(const QString& value);
    static QString FromCentigradeToCurrent(double celsius);
    static QString FromCurrentToCentigrade(const QString& value);

    // The flag is kept for callers that pass it; it does not change the result.
    static QString FromBaseCapacityUnitToCurrent(double kW, bool flag = false);
    static QString FromCurrentToBaseCapacityUnit(double value);
    static QString FromCurrentToBaseCapacityUnit(const QString& value);

    static double FromBaseLengthUnitToCurrent(double metres);
    static double FromCurrentToBaseLengthUnit(double value);

    // Numeric forms of the conversions above, for code that needs no text.
    static double temperatureToCurrent(double celsius);
    static double temperatureToBase(double value);
    static double capacityToCurrent(double kW);
    static double capacityToBase(double value);

    // Modal dialog choosing the four units; true when the user accepted it.
    static bool showUnitWidget();

    // Formatting shared by the text conversions.
    static QString toText(double value);
};
