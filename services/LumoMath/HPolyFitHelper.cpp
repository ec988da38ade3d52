#include "HPolyFitHelper.h"

#include <algorithm>
#include <cmath>

HSpline::HSpline(const QMap<double, double>& points)
{
    fit(points);
}

void HSpline::fit(const QMap<double, double>& points)
{
    m_x.clear();
    m_y.clear();
    m_m.clear();
    m_x.reserve(points.size());
    m_y.reserve(points.size());
    for (auto it = points.constBegin(); it != points.constEnd(); ++it) {
        // Non-finite points cannot lie on a finite curve; leave them out.
        if (!std::isfinite(it.key()) || !std::isfinite(it.value()))
            continue;
        m_x.push_back(it.key());
        m_y.push_back(it.value());
    }
    const std::size_t n = m_x.size();
    m_m.assign(n, 0.0);
    if (n < 3)
        return;

    // Natural spline: second derivatives zero at both ends; solve the
    // tridiagonal system for the inner second derivatives (Thomas algorithm).
    const std::size_t inner = n - 2;
    std::vector<double> diag(inner), upper(inner), rhs(inner);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double h0 = m_x[i] - m_x[i - 1];
        const double h1 = m_x[i + 1] - m_x[i];
        diag[i - 1] = 2.0 * (h0 + h1);
        upper[i - 1] = h1;
        rhs[i - 1] = 6.0 * ((m_y[i + 1] - m_y[i]) / h1 - (m_y[i] - m_y[i - 1]) / h0);
    }
    for (std::size_t k = 1; k < inner; ++k) {
        const double lower = m_x[k + 1] - m_x[k]; // h of row k, left neighbour
        const double w = lower / diag[k - 1];
        diag[k] -= w * upper[k - 1];
        rhs[k] -= w * rhs[k - 1];
    }
    m_m[inner] = rhs[inner - 1] / diag[inner - 1];
    for (std::size_t k = inner - 1; k-- > 0;)
        m_m[k + 1] = (rhs[k] - upper[k] * m_m[k + 2]) / diag[k];
}

double HSpline::value(double x) const
{
    const std::size_t n = m_x.size();
    if (n == 0 || std::isnan(x))
        return 0.0;
    if (n == 1)
        return m_y[0];

    auto slopeAt = [this](std::size_t i, bool atRight) {
        const double h = m_x[i + 1] - m_x[i];
        const double d = (m_y[i + 1] - m_y[i]) / h;
        return atRight ? d + h * (2.0 * m_m[i + 1] + m_m[i]) / 6.0
                       : d - h * (2.0 * m_m[i] + m_m[i + 1]) / 6.0;
    };

    // Beyond the ends: straight lines with the end slopes.
    if (x <= m_x.front())
        return m_y.front() + slopeAt(0, false) * (x - m_x.front());
    if (x >= m_x.back())
        return m_y.back() + slopeAt(n - 2, true) * (x - m_x.back());

    const auto it = std::upper_bound(m_x.begin(), m_x.end(), x);
    const std::size_t i = std::size_t(it - m_x.begin()) - 1;
    const double h = m_x[i + 1] - m_x[i];
    const double a = (m_x[i + 1] - x) / h;
    const double b = (x - m_x[i]) / h;
    return a * m_y[i] + b * m_y[i + 1]
        + ((a * a * a - a) * m_m[i] + (b * b * b - b) * m_m[i + 1]) * h * h / 6.0;
}

double HPolyFitHelper::spline_fit(QMap<double, double>& points, double x)
{
    const double y = HSpline(points).value(x);
    return std::isfinite(y) ? y : 0.0;
}

bool HPolyFitHelper::spline_fit(QMap<double, double>& points, std::vector<double> xs,
                                std::vector<double>& out)
{
    const HSpline spline(points);
    out.clear();
    out.reserve(xs.size());
    for (double x : xs) {
        const double y = spline.value(x);
        out.push_back(std::isfinite(y) ? y : 0.0);
    }
    return !spline.isEmpty();
}
