// The plot form: graphs and bar series added, reset, shown and labelled.

#include "CUnitFun.h"
#include "TestSupport.h"
#include "chartForm.h"

#include <QtTest>
#include <algorithm>
#include <qcustomplot.h>

namespace {

QVector<double> keysOf(const QCPGraph* graph)
{
    QVector<double> keys;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
        keys << it->key;
    return keys;
}

QVector<double> valuesOf(const QCPBars* bars)
{
    QVector<double> values;
    for (auto it = bars->data()->constBegin(); it != bars->data()->constEnd(); ++it)
        values << it->value;
    return values;
}

QMap<double, QString> ticksOf(QCPAxis* axis)
{
    auto ticker = axis->ticker().dynamicCast<QCPAxisTickerText>();
    return ticker ? ticker->ticks() : QMap<double, QString>();
}

QCPBars* barsAt(QCustomPlot* plot, int index)
{
    return qobject_cast<QCPBars*>(plot->plottable(index));
}

} // namespace

class TestChartForm : public QObject
{
    Q_OBJECT

private slots:
    void lookAtConstruction();
    void graphColors_data();
    void graphColors();
    void addLineGraph();
    void lineGraphWithLabelsReplacesPlottables();
    void resetLineGraphOnEmptyPlot();
    void resetLineGraphWithTicks();
    void resetLineGraphOfMissingIndex();
    void setGraphVisible_data();
    void setGraphVisible();
    void oneBarSeries();
    void twoBarSeries();
    void twoBarSeriesWithColours();
    void singleBarLabel();
    void shownBarLabelsDoNotOverlap_data();
    void shownBarLabelsDoNotOverlap();
    void clearGraph();
    void axisTitles();
};

void TestChartForm::lookAtConstruction()
{
    chartForm form;
    QCOMPARE(form.geometry(), QRect(400, 250, 542, 390));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 255, 255));
    QVERIFY(form.autoFillBackground());
    QCOMPARE(form.styleSheet(), QStringLiteral("font: 11pt \"Arial\";"));
    QCOMPARE(form.customPlot()->legend->font().pointSize(), 11);
    QVERIFY(!form.customPlot()->legend->font().bold());
    QCOMPARE(form.customPlot()->graphCount(), 0);
}

void TestChartForm::graphColors_data()
{
    // RGB(trunc(80 sin(n + 1.2) + 80), trunc(80 sin(0.3 n) + 80), trunc(80 sin(0.3 n + 1.5) + 80)),
    // worked out by hand.
    QTest::addColumn<int>("n");
    QTest::addColumn<QColor>("color");
    QTest::newRow("first graph") << 1 << QColor(144, 103, 157);     // sin 2.2, sin 0.3, sin 1.8
    QTest::newRow("second graph") << 2 << QColor(75, 125, 149);     // sin 3.2, sin 0.6, sin 2.1
    QTest::newRow("bar colour n = 3") << 3 << QColor(10, 142, 134); // sin 4.2, sin 0.9, sin 2.4
}

void TestChartForm::graphColors()
{
    QFETCH(int, n);
    QFETCH(QColor, color);
    QCOMPARE(chartForm::graphColor(n), color);
}

void TestChartForm::addLineGraph()
{
    chartForm form;
    QCOMPARE(form.addLineGraph({0, 1, 2}, {5, 6, 7}), 0);
    QCOMPARE(form.addLineGraph({0, 1}, {1, 2}), 1);
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->graphCount(), 2);
    QCOMPARE(plot->graph(0)->pen().color(), chartForm::graphColor(1));
    QCOMPARE(plot->graph(1)->pen().color(), chartForm::graphColor(2));
    QCOMPARE(keysOf(plot->graph(0)), (QVector<double>{0, 1, 2}));
}

void TestChartForm::lineGraphWithLabelsReplacesPlottables()
{
    chartForm form;
    form.addBarGraph({"a", "b"}, {1, 2});
    form.addLineGraph({0, 1}, {1, 2});
    QCOMPARE(form.addLineGraph(QVector<QString>{"Jan", "Feb", "Mar"}, {3, 4, 5}), 0);
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->plottableCount(), 1);
    QCOMPARE(keysOf(plot->graph(0)), (QVector<double>{0, 1, 2}));
    const QMap<double, QString> ticks = ticksOf(plot->xAxis);
    QCOMPARE(ticks.value(0), QStringLiteral("Jan"));
    QCOMPARE(ticks.value(2), QStringLiteral("Mar"));
}

void TestChartForm::resetLineGraphOnEmptyPlot()
{
    chartForm form;
    form.resetLineGraph(0, {0, 1, 2, 3}, {10, 11, 12, 13});
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->graphCount(), 1);
    QCOMPARE(plot->graph(0)->data()->size(), 4);
    form.resetLineGraph(0, {0, 1}, {10, 11});
    QCOMPARE(plot->graphCount(), 1);
    QCOMPARE(plot->graph(0)->data()->size(), 2);
}

void TestChartForm::resetLineGraphWithTicks()
{
    chartForm form;
    const QVector<double> x{0, 100, 200, 300, 400};
    form.resetLineGraph(0, QVector<QString>{"Jan", "Feb"}, QVector<int>{50, 250}, x,
                        {1, 2, 3, 4, 5});
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->graphCount(), 1);
    QCOMPARE(plot->graph(0)->data()->size(), 5);
    // Ticks at the range's lower bound (0 after rescaling) + the given offsets.
    const QMap<double, QString> ticks = ticksOf(plot->xAxis);
    QCOMPARE(ticks.size(), 2);
    QCOMPARE(ticks.value(50), QStringLiteral("Jan"));
    QCOMPARE(ticks.value(250), QStringLiteral("Feb"));
}

void TestChartForm::resetLineGraphOfMissingIndex()
{
    chartForm form;
    form.addLineGraph({0, 1}, {1, 2});
    form.resetLineGraph(3, {0, 1, 2}, {7, 8, 9});
    QCOMPARE(form.customPlot()->graphCount(), 1);
    QCOMPARE(form.customPlot()->graph(0)->data()->size(), 2);
}

void TestChartForm::setGraphVisible_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("hidesGraph");
    QTest::newRow("existing graph") << 0 << true;
    QTest::newRow("index without graph") << 1 << false;
    QTest::newRow("negative index") << -1 << false;
}

void TestChartForm::setGraphVisible()
{
    QFETCH(int, index);
    QFETCH(bool, hidesGraph);
    chartForm form;
    form.addLineGraph({0, 1}, {1, 2});
    form.setGraphVisible(index, false);
    QCOMPARE(form.customPlot()->graphCount(), 1);
    QCOMPARE(form.customPlot()->graph(0)->visible(), !hidesGraph);
}

void TestChartForm::oneBarSeries()
{
    chartForm form;
    form.addLineGraph({0, 1}, {1, 2});
    QCOMPARE(form.addBarGraph({"-5", "-4", "-3", "-2"}, {10, 20, 30, 40}), 0);
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->plottableCount(), 1);
    QCPBars* bars = barsAt(plot, 0);
    QVERIFY(bars);
    QCOMPARE(bars->brush().color(), QColor(10, 142, 134));
    QCOMPARE(bars->pen().color(), QColor(10, 142, 134));
    QCOMPARE(bars->brush().style(), Qt::SolidPattern);
    QCOMPARE(valuesOf(bars), (QVector<double>{10, 20, 30, 40}));
    // One label in the middle of each bar: keys 0 .. 3.
    const QMap<double, QString> ticks = ticksOf(plot->xAxis);
    QCOMPARE(ticks.size(), 4);
    int i = 0;
    for (auto it = ticks.cbegin(); it != ticks.cend(); ++it, ++i)
        BRIVANTA_COMPARE_NEAR(it.key(), double(i), 1e-9);
    QCOMPARE(ticks.last(), QStringLiteral("-2"));
}

void TestChartForm::twoBarSeries()
{
    chartForm form;
    // The first series may be shorter: its values belong to the first labels.
    QCOMPARE(form.addBarGraph({"1", "2", "3"}, {5, 6}, {0, 0, 7}), 1);
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(plot->plottableCount(), 2);
    QCPBars* first = barsAt(plot, 0);
    QCPBars* second = barsAt(plot, 1);
    QCOMPARE(first->brush().color(), QColor(Qt::blue));
    QCOMPARE(second->brush().color(), QColor(Qt::red));
    QCOMPARE(valuesOf(first), (QVector<double>{5, 6}));
    QCOMPARE(valuesOf(second), (QVector<double>{0, 0, 7}));
    auto* defaultBars = new QCPBars(plot->xAxis, plot->yAxis); // owned by the plot
    BRIVANTA_COMPARE_NEAR(first->width(), defaultBars->width() / 2.5, 1e-12);
    plot->removePlottable(defaultBars);
    QCOMPARE(ticksOf(plot->xAxis).size(), 3);
}

void TestChartForm::twoBarSeriesWithColours()
{
    chartForm form;
    form.addBarGraph({"1", "2"}, {5}, {0, 7}, QColor(Qt::green), QColor(Qt::yellow));
    QCustomPlot* plot = form.customPlot();
    QCOMPARE(barsAt(plot, 0)->brush().color(), QColor(Qt::green));
    QCOMPARE(barsAt(plot, 1)->brush().color(), QColor(Qt::yellow));
    QCOMPARE(barsAt(plot, 0)->width(), barsAt(plot, 1)->width());
}

void TestChartForm::singleBarLabel()
{
    chartForm form;
    form.addBarGraph({"only"}, {3});
    const QMap<double, QString> ticks = ticksOf(form.customPlot()->xAxis);
    QCOMPARE(ticks.size(), 1);
    BRIVANTA_COMPARE_NEAR(ticks.firstKey(), 0.0, 1e-9);
}

void TestChartForm::shownBarLabelsDoNotOverlap_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bins");
    QTest::newRow("58 bins in a narrow window") << 700 << 58;
    QTest::newRow("58 bins in a full-screen window") << 1260 << 58;
    QTest::newRow("58 bins in a very wide window") << 3000 << 58;
    QTest::newRow("4 bins") << 700 << 4;
}

void TestChartForm::shownBarLabelsDoNotOverlap()
{
    QFETCH(int, width);
    QFETCH(int, bins);
    chartForm form;
    form.resize(width, 400);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Bins of 1 degree from -22 on: Chicago's year.
    QVector<QString> labels;
    QVector<double> counts;
    for (int i = 0; i < bins; ++i) {
        labels << QString::number(i - 22);
        counts << 10.0 * i;
    }
    form.addBarGraph(labels, counts, {}, QColor(Qt::blue), QColor(Qt::red));
    QCoreApplication::processEvents(); // the queued replot after the layout

    QCPAxis* axis = form.customPlot()->xAxis;
    const QMap<double, QString> ticks = ticksOf(axis);
    QCOMPARE(ticks.size(), bins); // a tick on every bar
    QVector<int> shown;
    int i = 0;
    for (auto it = ticks.cbegin(); it != ticks.cend(); ++it, ++i) {
        if (!it.value().isEmpty()) {
            QCOMPARE(it.value(), labels.at(i));
            shown << i;
        }
    }
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.first(), 0);
    const int step = shown.size() > 1 ? shown.at(1) - shown.at(0) : bins;
    for (int j = 1; j < shown.size(); ++j)
        QCOMPARE(shown.at(j) - shown.at(j - 1), step); // evenly spread

    // Neighbouring labels (centred on their ticks) keep apart; one bar fewer between
    // them would not.
    const QFontMetrics metrics(axis->tickLabelFont());
    int widest = 0;
    for (const QString& label : qAsConst(labels))
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const double perBar =
        axis->coordToPixel(ticks.keys().at(1)) - axis->coordToPixel(ticks.firstKey());
    QVERIFY2(step * perBar >= widest, qPrintable(QString::number(step * perBar)));
    if (step > 1)
        QVERIFY((step - 1) * perBar < widest + metrics.horizontalAdvance(QLatin1Char(' ')));
    if (bins == 4)
        QCOMPARE(shown.size(), 4);
}

void TestChartForm::clearGraph()
{
    chartForm form;
    form.addLineGraph({0, 1}, {1, 2});
    form.addBarGraph({"a"}, {1});
    form.clearGraph();
    QCOMPARE(form.customPlot()->graphCount(), 0);
    QCOMPARE(form.customPlot()->plottableCount(), 0);
}

void TestChartForm::axisTitles()
{
    chartForm form;
    form.set8760LineChart();
    QCOMPARE(form.customPlot()->xAxis->label(), QStringLiteral("Hours (h)"));
    QCOMPARE(form.customPlot()->yAxis->label(), "Tempteature" + CUnitFun::GetUnitTempString(1));
    form.set8760BarChart();
    QCOMPARE(form.customPlot()->yAxis->label(), QStringLiteral("Hours (h)"));
    form.setXButtonTitle("x");
    form.setYLeftTitle("y");
    QCOMPARE(form.customPlot()->xAxis->label(), QStringLiteral("x"));
    QCOMPARE(form.customPlot()->yAxis->label(), QStringLiteral("y"));
    form.setRangeX(-3, 9);
    form.setRangeY(1, 2);
    QCOMPARE(form.customPlot()->xAxis->range(), QCPRange(-3, 9));
    QCOMPARE(form.customPlot()->yAxis->range(), QCPRange(1, 2));
}

QTEST_MAIN(TestChartForm)
#include "tst_chartform.moc"
