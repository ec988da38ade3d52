#pragma once
#include <QString>
#include <QtCharts/QChartView>

class HProductPerformanceDataForVRF;

// Part-load curves as spline series: load in percent against the energy input
// ratio (mode 0, cooling) or the coefficient of performance (any other mode,
// heating) in percent.
class HChartView : public QtCharts::QChartView
{
    Q_OBJECT
public:
    explicit HChartView(QWidget* parent = nullptr);
    explicit HChartView(int mode, QWidget* parent = nullptr);

    // A new chart with the whole-system curves of the own and the other system;
    // the caller owns it.
    QtCharts::QChart* createChart(int mode);
    void addCurve(HProductPerformanceDataForVRF* data, QString name, int mode);
    // Clears the chart, then shows the curve (after every own outdoor unit's
    // curve when "other"/"is_debug" is set in the configuration).
    void showCurve(HProductPerformanceDataForVRF* data, QString name, int mode);
    // Clears the chart, then shows one curve per own outdoor unit.
    void updateChart(int mode);

    // Axis title of the curve values in the mode.
    static QString valueAxisTitle(int mode);

private:
    static QtCharts::QAbstractSeries* createSeries(HProductPerformanceDataForVRF* data,
                                                   const QString& name, int mode);
    void finishAxes(QtCharts::QChart* chart, int mode);
    static void titleAxes(QtCharts::QChart* chart, int mode);
    void applyTheme();
};
