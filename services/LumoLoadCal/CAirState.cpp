#include "CAirState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Range of the saturation-pressure correlations.
constexpr double kMinTemperature = -100.0;
constexpr double kMaxTemperature = 200.0;

// Enhancement factor of water vapour in moist air (Buck 1996 fit of the
// Hyland-Wexler values): saturated moist air holds 0.4..0.5 % more vapour near
// sea level than pure vapour would, which the handbook's Ws tables include.
double enhancementFactor(double tC, double pPa)
{
    const double p_hPa = pPa / 100.0;
    if (tC < 0.0)
        return 1.0 + 1e-4 * (2.2 + p_hPa * (0.0383 + 6.4e-6 * tC * tC));
    return 1.0 + 1e-4 * (7.2 + p_hPa * (0.0320 + 5.9e-6 * tC * tC));
}

} // namespace

CAirState::CAirState(double pressurePa)
    : m_p(pressurePa)
{
}

void CAirState::SetD_RH(double dryBulb, double relativeHumidity)
{
    m_d = dryBulb;
    m_rh = relativeHumidity;
}

double CAirState::GetD() const
{
    return m_d;
}

double CAirState::GetRH() const
{
    return m_rh;
}

double CAirState::GetPws() const
{
    return saturationPressure(m_d);
}

double CAirState::saturationPressure(double tC)
{
    // Hyland-Wexler correlations, ASHRAE Handbook - Fundamentals ch. 1, eqs. 5 and 6.
    if (std::isnan(tC))
        return 0.0;
    const double T = std::clamp(tC, kMinTemperature, kMaxTemperature) + 273.15;
    double lnP = 0.0;
    if (T < 273.15) {
        // Over ice.
        lnP = -5.6745359e3 / T + 6.3925247 - 9.6778430e-3 * T + 6.2215701e-7 * T * T
            + 2.0747825e-9 * T * T * T - 9.4840240e-13 * T * T * T * T + 4.1635019 * std::log(T);
    } else {
        // Over liquid water.
        lnP = -5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T * T
            - 1.4452093e-8 * T * T * T + 6.5459673 * std::log(T);
    }
    return std::exp(lnP);
}

double CAirState::GetW() const
{
    if (std::isnan(m_d) || std::isnan(m_rh) || !(m_p > 0.0))
        return 0.0;
    const double t = std::clamp(m_d, kMinTemperature, kMaxTemperature);
    const double rh = std::clamp(m_rh, 0.0, 1.0);
    const double pw = rh * enhancementFactor(t, m_p) * saturationPressure(t);
    // Vapour at or above the total pressure: the air would boil off; no finite ratio.
    if (pw >= m_p)
        return std::numeric_limits<double>::infinity();
    return 0.621945 * pw / (m_p - pw);
}
