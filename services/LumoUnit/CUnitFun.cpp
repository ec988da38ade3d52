#include "CUnitFun.h"
#include "HUnitSetDlg.h"
#include "TranslateString.h"

#include <QLocale>

namespace {

// International Table British thermal unit and calorie.
constexpr double kJoulePerBtu = 1055.05585262;
constexpr double kJoulePerKcal = 4186.8;
constexpr double kBtuPerHourPerKW = 3.6e6 / kJoulePerBtu;
constexpr double kKcalPerHourPerKW = 3.6e6 / kJoulePerKcal;
constexpr double kKWPerRT = 12000.0 / kBtuPerHourPerKW;
constexpr double kMetrePerFoot = 0.3048;

struct Units
{
    int temp = CUnitFun::TempCelsius;
    int load = CUnitFun::LoadKW;
    int length = CUnitFun::LengthMetre;
    int airFlow = CUnitFun::AirFlowCubicMetrePerHour;
};

Units& units()
{
    static Units u;
    return u;
}

bool parse(const QString& text, double& value)
{
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

QString label(const QString& symbol, int style)
{
    const QString shown = TranslateString(symbol);
    if (style < 0)
        return shown;
    if (style == 0)
        return QLatin1Char('(') + shown + QLatin1Char(')');
    return QStringLiteral(" (") + shown + QLatin1Char(')');
}

} // namespace

bool CUnitFun::isValidTempCode(int code)
{
    return code == TempCelsius || code == TempFahrenheit;
}

bool CUnitFun::isValidLoadCode(int code)
{
    return code >= LoadKW && code <= LoadRT;
}

bool CUnitFun::isValidLengthCode(int code)
{
    return code == LengthMetre || code == LengthFoot;
}

bool CUnitFun::isValidAirFlowRateCode(int code)
{
    return code >= AirFlowLitrePerSecond && code <= AirFlowCFM;
}

void CUnitFun::SetUnitTemp(int code)
{
    units().temp = isValidTempCode(code) ? code : int(TempCelsius);
}

void CUnitFun::SetUnitLoad(int code)
{
    units().load = isValidLoadCode(code) ? code : int(LoadKW);
}

void CUnitFun::SetUnitLength(int code)
{
    units().length = isValidLengthCode(code) ? code : int(LengthMetre);
}

void CUnitFun::SetUnitAirFlowRate(int code)
{
    units().airFlow = isValidAirFlowRateCode(code) ? code : int(AirFlowCubicMetrePerHour);
}

int CUnitFun::GetUnitTemp()
{
    return units().temp;
}

int CUnitFun::GetUnitLoad()
{
    return units().load;
}

int CUnitFun::GetUnitLength()
{
    return units().length;
}

int CUnitFun::GetUnitAirFlowRate()
{
    return units().airFlow;
}

QString CUnitFun::tempSymbol(int code)
{
    switch (code) {
    case TempCelsius:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "°C"));
    case TempFahrenheit:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "°F"));
    default:
        return QString();
    }
}

QString CUnitFun::loadSymbol(int code)
{
    switch (code) {
    case LoadKW:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "kW"));
    case LoadBtuPerHour:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "Btu/h"));
    case LoadKcalPerHour:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "kcal/h"));
    case LoadRT:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "RT"));
    default:
        return QString();
    }
}

QString CUnitFun::lengthSymbol(int code)
{
    switch (code) {
    case LengthMetre:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "m"));
    case LengthFoot:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "ft"));
    default:
        return QString();
    }
}

QString CUnitFun::airFlowRateSymbol(int code)
{
    switch (code) {
    case AirFlowLitrePerSecond:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "L/s"));
    case AirFlowCubicMetrePerHour:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "m³/h"));
    case AirFlowCFM:
        return QString::fromUtf8(QT_TRANSLATE_NOOP("Brivanta", "CFM"));
    default:
        return QString();
    }
}

QString CUnitFun::GetUnitTempString(int style)
{
    return label(tempSymbol(GetUnitTemp()), style);
}

QString CUnitFun::GetUnitLoadString(int style)
{
    return label(loadSymbol(GetUnitLoad()), style);
}

QString CUnitFun::GetUnitLengthString(int style)
{
    return label(lengthSymbol(GetUnitLength()), style);
}

QString CUnitFun::GetUnitAirFlowRateString(int style)
{
    return label(airFlowRateSymbol(GetUnitAirFlowRate()), style);
}

QString CUnitFun::toText(double value)
{
    // 15 significant digits: exact enough for round trips, free of binary noise.
    return QLocale::c().toString(value, 'g', 15);
}

double CUnitFun::temperatureToCurrent(double celsius)
{
    return GetUnitTemp() == TempFahrenheit ? celsius * 1.8 + 32.0 : celsius;
}

double CUnitFun::temperatureToBase(double value)
{
    return GetUnitTemp() == TempFahrenheit ? (value - 32.0) / 1.8 : value;
}

double CUnitFun::capacityToCurrent(double kW)
{
    switch (GetUnitLoad()) {
    case LoadBtuPerHour:
        return kW * kBtuPerHourPerKW;
    case LoadKcalPerHour:
        return kW * kKcalPerHourPerKW;
    case LoadRT:
        return kW / kKWPerRT;
    default:
        return kW;
    }
}

double CUnitFun::capacityToBase(double value)
{
    switch (GetUnitLoad()) {
    case LoadBtuPerHour:
        return value / kBtuPerHourPerKW;
    case LoadKcalPerHour:
        return value / kKcalPerHourPerKW;
    case LoadRT:
        return value * kKWPerRT;
    default:
        return value;
    }
}

QString CUnitFun::FromBaseTemperatureUnitToCurrent(double celsius)
{
    return toText(temperatureToCurrent(celsius));
}

QString CUnitFun::FromCurrentToBaseTemperatureUnit(double value)
{
    return toText(temperatureToBase(value));
}

QString CUnitFun::FromCurrentToBaseTemperatureUnit(const QString& value)
{
    double v = 0.0;
    return parse(value, v) ? FromCurrentToBaseTemperatureUnit(v) : QString();
}

QString CUnitFun::FromCentigradeToCurrent(double celsius)
{
    return FromBaseTemperatureUnitToCurrent(celsius);
}

QString CUnitFun::FromCurrentToCentigrade(const QString& value)
{
    return FromCurrentToBaseTemperatureUnit(value);
}

QString CUnitFun::FromBaseCapacityUnitToCurrent(double kW, bool /*flag*/)
{
    return toText(capacityToCurrent(kW));
}

QString CUnitFun::FromCurrentToBaseCapacityUnit(double value)
{
    return toText(capacityToBase(value));
}

QString CUnitFun::FromCurrentToBaseCapacityUnit(const QString& value)
{
    double v = 0.0;
    return parse(value, v) ? FromCurrentToBaseCapacityUnit(v) : QString();
}

double CUnitFun::FromBaseLengthUnitToCurrent(double metres)
{
    return GetUnitLength() == LengthFoot ? metres / kMetrePerFoot : metres;
}

double CUnitFun::FromCurrentToBaseLengthUnit(double value)
{
    return GetUnitLength() == LengthFoot ? value * kMetrePerFoot : value;
}

bool CUnitFun::showUnitWidget()
{
    HUnitSetDlg dlg;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    dlg.apply();
    return true;
}
