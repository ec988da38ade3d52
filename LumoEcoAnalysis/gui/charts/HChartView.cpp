#include "HChartView.h"

#include "HJsonConfig.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HTheme.h"
#include "HUnit.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QtCharts/QAbstractAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

// QChartView makes a chart of its own, and setChart() only releases the chart it
// replaces: the base's chart is kept or deleted here.
HChartView::HChartView(QWidget* parent)
    : QChartView(parent)
{
    applyTheme();
}

HChartView::HChartView(int mode, QWidget* parent)
    : QChartView(parent)
{
    QChart* made = chart();
    setChart(createChart(mode));
    delete made;
    applyTheme();
}

void HChartView::applyTheme()
{
    HThemeItem item;
    if (HTheme::getThemeItem(HTheme::currentThemeName, item))
        chart()->setTheme(QChart::ChartTheme(item.chartTheme));
}

QString HChartView::valueAxisTitle(int mode)
{
    return mode == 0 ? TranslateString("Energy input ratio(%)") : TranslateString("COP(%)");
}

QAbstractSeries* HChartView::createSeries(HProductPerformanceDataForVRF* data, const QString& name,
                                          int mode)
{
    QMap<double, double> map;
    if (mode == 0)
        data->getMapCombiToEIR(map);
    else
        data->getMapCombiToCOP(map);
    auto* series = new QSplineSeries;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        series->append(it.key() * 100.0, it.value() * 100.0);
    series->setName(name);
    return series;
}

void HChartView::finishAxes(QChart* chart, int mode)
{
    chart->createDefaultAxes();
    titleAxes(chart, mode);
    // Percentages: both axes from 0, on round ticks.
    for (QAbstractAxis* axis : chart->axes()) {
        if (auto* value = qobject_cast<QValueAxis*>(axis)) {
            if (value->min() > 0.0)
                value->setMin(0.0);
            value->applyNiceNumbers();
        }
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
}

void HChartView::titleAxes(QChart* chart, int mode)
{
    const QList<QAbstractAxis*> horizontal = chart->axes(Qt::Horizontal);
    const QList<QAbstractAxis*> vertical = chart->axes(Qt::Vertical);
    if (!horizontal.isEmpty())
        horizontal.first()->setTitleText(TranslateString("Load(%)"));
    if (!vertical.isEmpty())
        vertical.first()->setTitleText(valueAxisTitle(mode));
}

QChart* HChartView::createChart(int mode)
{
    auto* chart = new QChart;
    HProject* project = HProject::getProject();
    if (HVRF* own = project->getOwnVRFSys(); own && own->getVRFProductPerformanceData())
        chart->addSeries(
            createSeries(own->getVRFProductPerformanceData(), TranslateString("VELA's"), mode));
    if (HVRF* other = project->getOtherVRFSys(); other && other->getVRFProductPerformanceData())
        chart->addSeries(createSeries(other->getVRFProductPerformanceData(),
                                      TranslateString("VRF(Other)"), mode));
    finishAxes(chart, mode);
    return chart;
}

void HChartView::addCurve(HProductPerformanceDataForVRF* data, QString name, int mode)
{
    QChart* c = chart();
    if (!c)
        return;
    if (data)
        c->addSeries(createSeries(data, name, mode));
    // createDefaultAxes replaces the axes made for the series before.
    finishAxes(c, mode);
}

void HChartView::showCurve(HProductPerformanceDataForVRF* data, QString name, int mode)
{
    chart()->removeAllSeries();
    bool debug = false;
    HJsonConfig::getValue(QStringLiteral("other"), QStringLiteral("is_debug"), debug);
    if (debug)
        updateChart(mode);
    addCurve(data, name, mode);
}

void HChartView::updateChart(int mode)
{
    chart()->removeAllSeries();
    HVRF* own = HProject::getProject()->getOwnVRFSys();
    if (!own)
        return;
    // The curves are built the way an opened project gets them.
    HProjectSession::buildOwnUnitCurves();
    QVector<HUnit*> outdoor;
    own->getAllOutoorUnits(outdoor);
    bool drawn = false;
    for (HUnit* unit : qAsConst(outdoor)) {
        if (unit->getVRFProductPerformanceData() && !unit->Getunit_type().isEmpty()
            && !unit->Getunit_productcode().isEmpty()) {
            addCurve(unit->getVRFProductPerformanceData(), unit->Getunit_type(), mode);
            drawn = true;
        }
    }
    // Without curves the axes of the last ones stay; their titles follow the language.
    if (!drawn)
        titleAxes(chart(), mode);
}
