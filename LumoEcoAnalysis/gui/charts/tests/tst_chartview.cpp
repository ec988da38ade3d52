// The part-load curve chart: series from the performance maps, the debug switch,
// the own outdoor units' curves and the axis titles of both modes.

#include "HAppPaths.h"
#include "HChartView.h"
#include "HJsonConfig.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HUnit.h"
#include "HVRF.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QSplineSeries>
#include <QtTest>

using namespace QtCharts;
using brivanta::test::writeFile;

namespace {

HUnit* outdoorUnit(const QString& type, const QString& code)
{
    auto* unit = new HUnit;
    unit->setis_odu(true);
    unit->setunit_type(type);
    unit->setunit_productcode(code);
    unit->setquantity(1);
    unit->setpower_input_cooling(10.0);
    unit->setpower_input_heating(8.0);
    const QJsonArray points{QJsonObject{{"precent", 100}, {"pi", 10}},
                            QJsonObject{{"precent", 50}, {"pi", 4}}};
    unit->setjsonArrayData_c(points);
    unit->setjsonArrayData_h(points);
    return unit;
}

QStringList seriesNames(QChart* chart)
{
    QStringList names;
    for (QAbstractSeries* s : chart->series())
        names << s->name();
    return names;
}

QString axisTitle(QChart* chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? QString() : axes.first()->titleText();
}

} // namespace

class TestChartView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void showCurve_data();
    void showCurve();
    void showCurveOfNoData();
    void updateChartSkipsUnnamedUnits();
    void updateChartWithoutCurvesRetitlesTheAxes();
    void createChart_data();
    void createChart();

private:
    void setDebug(bool on);

    QTemporaryDir m_dir;
    HProductPerformanceDataForVRF m_given;
};

void TestChartView::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    // Cooling EIR and heating COP maps: load fraction -> ratio.
    m_given.setMapCombiToEIR({{0.0, 0.0}, {0.5, 0.4}, {1.0, 0.9}});
    m_given.setMapCombiToCOP({{0.0, 0.0}, {0.5, 0.6}, {1.0, 1.1}});
}

void TestChartView::init()
{
    HProject* p = HProjectSession::newProject();
    p->getOwnVRFSys()->append(outdoorUnit("VX outdoor", "VX-280"));
    p->getOwnVRFSys()->append(outdoorUnit("VX outdoor", "VX-335"));
    p->getOwnVRFSys()->append(outdoorUnit(QString(), "VX-400"));     // no category
    p->getOwnVRFSys()->append(outdoorUnit("VX outdoor", QString())); // no model
    HUnit* indoor = outdoorUnit("Cassette", "C-28");
    indoor->setis_odu(false);
    p->getOwnVRFSys()->append(indoor);
}

void TestChartView::setDebug(bool on)
{
    const QString file = m_dir.filePath("ee_config.json");
    QVERIFY(writeFile(file, on ? R"({"other":{"is_debug":true}})" : R"({"other":{}})"));
    HJsonConfig::read(file);
}

void TestChartView::showCurve_data()
{
    QTest::addColumn<bool>("debug");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("valueTitle");
    const QStringList units{"VX outdoor", "VX outdoor"};
    QTest::newRow("cooling") << false << 0 << QStringList{"Given"} << "Energy input ratio(%)";
    QTest::newRow("heating") << false << 1 << QStringList{"Given"} << "COP(%)";
    QTest::newRow("cooling, debug")
        << true << 0 << units + QStringList{"Given"} << "Energy input ratio(%)";
    QTest::newRow("heating, debug") << true << 1 << units + QStringList{"Given"} << "COP(%)";
}

void TestChartView::showCurve()
{
    QFETCH(bool, debug);
    QFETCH(int, mode);
    QFETCH(QStringList, names);
    QFETCH(QString, valueTitle);

    setDebug(debug);
    HChartView view;
    view.showCurve(&m_given, "Earlier", mode);
    view.showCurve(&m_given, "Given", mode);
    QChart* chart = view.chart();
    QCOMPARE(seriesNames(chart), names);

    auto* given = qobject_cast<QSplineSeries*>(chart->series().last());
    QVERIFY(given);
    const QVector<QPointF> expected = mode == 0 ? QVector<QPointF>{{0, 0}, {50, 40}, {100, 90}}
                                                : QVector<QPointF>{{0, 0}, {50, 60}, {100, 110}};
    QCOMPARE(given->pointsVector(), expected);
    QCOMPARE(axisTitle(chart, Qt::Horizontal), QStringLiteral("Load(%)"));
    QCOMPARE(axisTitle(chart, Qt::Vertical), valueTitle);
    QCOMPARE(chart->legend()->alignment(), Qt::AlignBottom);
    if (debug) {
        // The own units' curves come from their product points: 11 tabulated loads.
        auto* unit = qobject_cast<QSplineSeries*>(chart->series().first());
        QCOMPARE(unit->count(), 11);
    }
}

void TestChartView::showCurveOfNoData()
{
    setDebug(false);
    HChartView view;
    view.showCurve(&m_given, "Given", 0);
    view.showCurve(nullptr, "Nothing", 0);
    QVERIFY(view.chart()->series().isEmpty());
    QCOMPARE(axisTitle(view.chart(), Qt::Horizontal), QStringLiteral("Load(%)"));
}

void TestChartView::updateChartSkipsUnnamedUnits()
{
    HChartView view;
    view.updateChart(0);
    QCOMPARE(seriesNames(view.chart()), (QStringList{"VX outdoor", "VX outdoor"}));
    // Without units nothing is drawn.
    HProjectSession::newProject();
    view.updateChart(1);
    QVERIFY(view.chart()->series().isEmpty());
}

void TestChartView::updateChartWithoutCurvesRetitlesTheAxes()
{
    HChartView view;
    view.updateChart(1);
    // Titles of an earlier language on the axes the curves left.
    for (QAbstractAxis* axis : view.chart()->axes())
        axis->setTitleText(QStringLiteral("old"));
    HProjectSession::newProject();
    view.updateChart(0);
    QVERIFY(view.chart()->series().isEmpty());
    QCOMPARE(axisTitle(view.chart(), Qt::Horizontal), QStringLiteral("Load(%)"));
    QCOMPARE(axisTitle(view.chart(), Qt::Vertical), QStringLiteral("Energy input ratio(%)"));
}

void TestChartView::createChart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("valueTitle");
    QTest::newRow("cooling") << 0 << "Energy input ratio(%)";
    QTest::newRow("heating") << 1 << "COP(%)";
}

void TestChartView::createChart()
{
    QFETCH(int, mode);
    QFETCH(QString, valueTitle);
    HProject* p = HProject::getProject();
    p->getOtherVRFSys()->getVRFProductPerformanceData()->setMapCombiToEIR({{0.0, 0.1}, {1.0, 1.0}});
    p->getOtherVRFSys()->getVRFProductPerformanceData()->setMapCombiToCOP({{0.0, 0.2}, {1.0, 1.0}});
    HChartView view(mode);
    QChart* chart = view.chart();
    QCOMPARE(seriesNames(chart), (QStringList{"VELA's", "VRF(Other)"}));
    auto* other = qobject_cast<QSplineSeries*>(chart->series().last());
    QCOMPARE(other->at(0), QPointF(0, mode == 0 ? 10 : 20));
    QCOMPARE(other->at(1), QPointF(100, 100));
    QCOMPARE(axisTitle(chart, Qt::Horizontal), QStringLiteral("Load(%)"));
    QCOMPARE(axisTitle(chart, Qt::Vertical), valueTitle);
}

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
