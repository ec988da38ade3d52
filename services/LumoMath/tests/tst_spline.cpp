#include "HPolyFitHelper.h"
#include "TestSupport.h"

#include <cmath>
#include <limits>

using Points = QMap<double, double>;
Q_DECLARE_METATYPE(Points)

class tst_Spline : public QObject
{
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void passesThroughPoints_data();
    void passesThroughPoints();
    void straightLinesStayStraight_data();
    void straightLinesStayStraight();
    void vectorFormMatchesScalarForm();
    void neverNaNOrInfinity_data();
    void neverNaNOrInfinity();
};

// Three points (0,0) (1,1) (2,0): the natural spline has M1 = -3, end slopes +1.5 and -1.5.
static Points hump()
{
    return Points{{0.0, 0.0}, {1.0, 1.0}, {2.0, 0.0}};
}

void tst_Spline::values_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("no point gives 0") << Points{} << 0.5 << 0.0;
    QTest::newRow("one point is a constant") << Points{{0.4, 0.8}} << 7.0 << 0.8;
    QTest::newRow("two points: between") << Points{{0.2, 1.0}, {1.0, 3.0}} << 0.6 << 2.0;
    QTest::newRow("two points: below") << Points{{0.2, 1.0}, {1.0, 3.0}} << 0.0 << 0.5;
    QTest::newRow("two points: above") << Points{{0.2, 1.0}, {1.0, 3.0}} << 1.2 << 3.5;
    QTest::newRow("hump between points") << hump() << 0.5 << 0.6875;
    QTest::newRow("hump symmetric") << hump() << 1.5 << 0.6875;
    QTest::newRow("hump left of first point") << hump() << -1.0 << -1.5;
    QTest::newRow("hump right of last point") << hump() << 3.0 << -1.5;
    QTest::newRow("hump far outside stays on the line") << hump() << 100.0 << -147.0;

    // Unevenly spaced points against scipy 1.10's CubicSpline(bc_type='natural'),
    // evaluated between the points; outside them, the line through the end point
    // with scipy's end slope (first derivative of the same spline).
    const Points uneven{{0.1, 0.32}, {0.25, 0.41}, {0.3, 0.45},
                        {0.7, 0.68}, {1.0, 1.0},   {1.3, 1.21}};
    QTest::newRow("uneven 0.15") << uneven << 0.15 << 0.34620730570387315;
    QTest::newRow("uneven 0.27") << uneven << 0.27 << 0.42591688787185356;
    QTest::newRow("uneven 0.5") << uneven << 0.5 << 0.5616742944317317;
    QTest::newRow("uneven 0.85") << uneven << 0.85 << 0.8349563787185355;
    QTest::newRow("uneven 1.15") << uneven << 1.15 << 1.1204312070938214;
    QTest::newRow("uneven below, end slope") << uneven << 0.0 << 0.2685335621662853;
    QTest::newRow("uneven above, end slope") << uneven << 1.5 << 1.3225667429443173;
    const Points partLoad{{0.0, 0.0}, {0.3, 0.2}, {0.5, 0.6}, {0.75, 0.8}, {1.0, 1.0}, {1.2, 1.15}};
    QTest::newRow("part-load 0.1") << partLoad << 0.1 << 0.021219879518072346;
    QTest::newRow("part-load 0.4") << partLoad << 0.4 << 0.4022552710843374;
    QTest::newRow("part-load 0.6") << partLoad << 0.6 << 0.7137338102409638;
    QTest::newRow("part-load 0.9") << partLoad << 0.9 << 0.9139777861445785;
    QTest::newRow("part-load 1.1") << partLoad << 1.1 << 1.0779715737951807;
}

void tst_Spline::values()
{
    QFETCH(Points, points);
    QFETCH(double, x);
    QFETCH(double, y);
    BRIVANTA_COMPARE_NEAR(HPolyFitHelper::spline_fit(points, x), y, 1e-12);
    BRIVANTA_COMPARE_NEAR(HSpline(points).value(x), y, 1e-12);
}

void tst_Spline::passesThroughPoints_data()
{
    QTest::addColumn<Points>("points");
    // Part-load style curves: load ratio to energy input ratio.
    QTest::newRow("uneven spacing")
        << Points{{0.1, 0.32}, {0.25, 0.41}, {0.3, 0.45}, {0.7, 0.68}, {1.0, 1.0}, {1.3, 1.21}};
    QTest::newRow("steep and flat") << Points{{0.0, 0.0}, {0.01, 5.0}, {0.02, 5.0}, {5.0, 5.0}};
    QTest::newRow("negative abscissae") << Points{{-20.0, 2.1}, {-5.0, 2.8}, {7.0, 3.6}};
}

void tst_Spline::passesThroughPoints()
{
    QFETCH(Points, points);
    const HSpline spline(points);
    for (auto it = points.cbegin(); it != points.cend(); ++it)
        BRIVANTA_COMPARE_NEAR(spline.value(it.key()), it.value(), 1e-12);
    // Between two points the curve is continuous: values just left and right of
    // each inner point agree.
    for (auto it = std::next(points.cbegin()); it != std::prev(points.cend()); ++it) {
        const double h = 1e-9;
        QVERIFY(std::fabs(spline.value(it.key() - h) - spline.value(it.key() + h)) < 1e-6);
    }
}

void tst_Spline::straightLinesStayStraight_data()
{
    QTest::addColumn<double>("x");
    QTest::newRow("inside") << 0.37;
    QTest::newRow("at a point") << 0.9;
    QTest::newRow("below") << -3.0;
    QTest::newRow("above") << 12.0;
}

void tst_Spline::straightLinesStayStraight()
{
    // Points on y = 2x + 1: a natural spline reproduces the line everywhere.
    QFETCH(double, x);
    Points points;
    for (double px : {0.0, 0.15, 0.9, 1.0, 2.5})
        points.insert(px, 2.0 * px + 1.0);
    BRIVANTA_COMPARE_NEAR(HPolyFitHelper::spline_fit(points, x), 2.0 * x + 1.0, 1e-12);
}

void tst_Spline::vectorFormMatchesScalarForm()
{
    Points points = hump();
    const std::vector<double> xs{-2.0, 0.0, 0.25, 1.0, 1.75, 2.0, 9.0};
    std::vector<double> out{42.0};
    QVERIFY(HPolyFitHelper::spline_fit(points, xs, out));
    QCOMPARE(out.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        QCOMPARE(out[i], HPolyFitHelper::spline_fit(points, xs[i]));

    Points none;
    QVERIFY(!HPolyFitHelper::spline_fit(none, xs, out));
    QCOMPARE(out, std::vector<double>(xs.size(), 0.0));
}

void tst_Spline::neverNaNOrInfinity_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("x");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("nan abscissa") << hump() << nan;
    QTest::newRow("infinite abscissa") << hump() << inf;
    QTest::newRow("huge abscissa") << hump() << 1e308;
    QTest::newRow("infinite point is left out")
        << Points{{0.0, 1.0}, {1.0, inf}, {2.0, 3.0}} << 1.0;
    QTest::newRow("points a hair apart")
        << Points{{1.0, 0.0}, {1.0 + 1e-12, 1.0}, {2.0, 0.5}} << 1.5;
    QTest::newRow("flat ends, infinite abscissa") << Points{{0.0, 1.0}, {1.0, 1.0}} << -inf;
}

void tst_Spline::neverNaNOrInfinity()
{
    QFETCH(Points, points);
    QFETCH(double, x);
    QVERIFY(std::isfinite(HPolyFitHelper::spline_fit(points, x)));
}

QTEST_APPLESS_MAIN(tst_Spline)
#include "tst_spline.moc"
