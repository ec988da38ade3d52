#pragma once
#include "LumoMathExport.h"
#include <QMap>
#include <vector>

// Natural cubic spline through points (x ascending), extended beyond the first
// and last point by straight lines with the end slopes. Two points give a line,
// one point a constant, no point 0. Finite input always gives a finite result.
class LUMOMATH_EXPORT HSpline
{
public:
    HSpline() = default;
    explicit HSpline(const QMap<double, double>& points);
    void fit(const QMap<double, double>& points);
    double value(double x) const;
    bool isEmpty() const { return m_x.empty(); }

private:
    std::vector<double> m_x, m_y, m_m; // abscissae, ordinates, second derivatives
};

class LUMOMATH_EXPORT HPolyFitHelper
{
public:
    static double spline_fit(QMap<double, double>& points, double x);
    static bool spline_fit(QMap<double, double>& points, std::vector<double> xs,
                           std::vector<double>& out);
};
