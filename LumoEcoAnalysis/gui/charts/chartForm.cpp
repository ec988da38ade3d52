#include "chartForm.h"
#include "ui_chartForm.h"

#include "CUnitFun.h"
#include "HCommon.h"
#include "TranslateString.h"

#include <QFontMetrics>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

chartForm::chartForm(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::chartForm)
    , m_timer(new QTimer(this))
{
    ui->setupUi(this);
    ui->lineEdit->hide();
    setGeometry(400, 250, 542, 390);
    HCommon::setWidgetBackground(this, QColor(255, 255, 255));
    setStyleSheet(QStringLiteral("font: 11pt \"Arial\";"));
    QFont legendFont(QStringLiteral("Arial"), 11);
    legendFont.setBold(false);
    ui->customPlot->legend->setFont(legendFont);
    connect(ui->customPlot, &QCustomPlot::afterLayout, this, &chartForm::relabelBarsAfterLayout);
}

chartForm::~chartForm()
{
    delete ui;
}

QCustomPlot* chartForm::customPlot() const
{
    return ui->customPlot;
}

QColor chartForm::graphColor(int n)
{
    auto channel = [](double s) {
        return int(std::trunc(s * 80.0 + 80.0));
    };
    return QColor(channel(std::sin(n + 1.2)), channel(std::sin(0.3 * n)),
                  channel(std::sin(0.3 * n + 1.5)), 255);
}

void chartForm::replot()
{
    ui->customPlot->replot(QCustomPlot::rpRefreshHint);
}

int chartForm::addLineGraph(QVector<double> x, QVector<double> y)
{
    QCPGraph* graph = ui->customPlot->addGraph();
    if (!graph)
        return -1;
    const int n = ui->customPlot->graphCount();
    graph->setPen(QPen(graphColor(n)));
    graph->setData(x, y);
    replot();
    return n - 1;
}

int chartForm::addLineGraph(QVector<QString> labels, QVector<double> y)
{
    QCustomPlot* plot = ui->customPlot;
    plot->clearPlottables();
    QCPGraph* graph = plot->addGraph();
    if (!graph)
        return -1;
    const int n = plot->graphCount();
    QVector<double> keys(labels.size());
    for (int i = 0; i < keys.size(); ++i)
        keys[i] = i;
    graph->setPen(QPen(graphColor(n)));
    graph->setData(keys, y.mid(0, keys.size()));
    QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
    ticker->setTicks(keys, labels);
    plot->xAxis->setTicker(ticker);
    m_barLabels.clear();
    plot->rescaleAxes();
    replot();
    return n - 1;
}

bool chartForm::setGraphData(int index, const QVector<double>& x, const QVector<double>& y)
{
    QCustomPlot* plot = ui->customPlot;
    if (plot->graphCount() == 0)
        addLineGraph(x, y);
    if (index < 0 || index >= plot->graphCount())
        return false;
    QCPGraph* graph = plot->graph(index);
    graph->data()->clear();
    graph->setData(x, y);
    return true;
}

void chartForm::resetLineGraph(int index, QVector<double> x, QVector<double> y)
{
    setGraphData(index, x, y);
    replot();
}

void chartForm::resetLineGraph(int index, QVector<QString> labels, QVector<int> ticks,
                               QVector<double> x, QVector<double> y)
{
    QCustomPlot* plot = ui->customPlot;
    if (setGraphData(index, x, y)) {
        plot->rescaleAxes();
        const double lower = plot->xAxis->range().lower;
        QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
        const int count = std::min(labels.size(), ticks.size());
        for (int i = 0; i < count; ++i)
            ticker->addTick(lower + ticks.at(i), labels.at(i));
        plot->xAxis->setTicker(ticker);
        m_barLabels.clear();
    }
    replot();
}

int chartForm::addBarGraph(QVector<QString> labels, QVector<double> values)
{
    return addBars(labels, {values}, {graphColor(3)}, 1.0);
}

int chartForm::addBarGraph(QVector<QString> labels, QVector<double> values1,
                           QVector<double> values2)
{
    return addBars(labels, {values1, values2}, {QColor(Qt::blue), QColor(Qt::red)}, 1.0 / 2.5);
}

int chartForm::addBarGraph(QVector<QString> labels, QVector<double> values1,
                           QVector<double> values2, QColor color1, QColor color2)
{
    return addBars(labels, {values1, values2}, {color1, color2}, 1.0);
}

int chartForm::addBars(const QVector<QString>& labels, const QVector<QVector<double>>& series,
                       const QVector<QColor>& colors, double widthFactor)
{
    QCustomPlot* plot = ui->customPlot;
    plot->clearPlottables();
    double barWidth = 0.0;
    for (int s = 0; s < series.size(); ++s) {
        auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
        bars->setPen(QPen(colors.at(s)));
        bars->setBrush(QBrush(colors.at(s), Qt::SolidPattern));
        bars->setWidth(bars->width() * widthFactor);
        barWidth = bars->width();
        // A series shorter than the labels belongs to the first labels.
        const QVector<double>& values = series.at(s);
        const int count = std::min(values.size(), labels.size());
        QVector<double> keys(count);
        for (int i = 0; i < count; ++i)
            keys[i] = i;
        bars->setData(keys, values.mid(0, count));
    }
    plot->rescaleAxes();
    labelBars(labels, barWidth);
    replot();
    return plot->plottableCount() - 1;
}

void chartForm::labelBars(const QVector<QString>& labels, double barWidth)
{
    const QCPRange range = ui->customPlot->xAxis->range();
    const int k = labels.size();
    // Spread the labels over the axis so that the first and the last sit on the
    // middle of the outer bars; a single label sits on its bar (key 0).
    m_barLabels = labels;
    m_barTicks.clear();
    if (k == 1) {
        m_barTicks.append(0.0);
    } else {
        const double step = barWidth + (range.size() - barWidth * k) / (k - 1);
        for (int i = 0; i < k; ++i)
            m_barTicks.append(range.lower + i * step + barWidth / 2.0);
    }
    m_barLabelStep = barLabelStep();
    applyBarLabels();
}

int chartForm::barLabelStep() const
{
    // Only a plot on screen has its real width; a hidden one keeps every label.
    const QCustomPlot* plot = ui->customPlot;
    const int k = m_barLabels.size();
    const int width = plot->axisRect() ? plot->axisRect()->width() : 0;
    if (k < 2 || width <= 0 || !plot->window()->isVisible())
        return 1;
    const QFontMetrics metrics(plot->xAxis->tickLabelFont());
    int widest = 0;
    for (const QString& label : m_barLabels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    // A label needs its own width and a blank's worth of space beside it.
    const double needed = widest + metrics.horizontalAdvance(QLatin1Char(' '));
    const double perBar = double(width) / k;
    return std::max(1, int(std::ceil(needed / perBar)));
}

void chartForm::applyBarLabels()
{
    QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
    const int step = std::max(1, m_barLabelStep);
    for (int i = 0; i < m_barTicks.size() && i < m_barLabels.size(); ++i)
        ticker->addTick(m_barTicks.at(i), i % step == 0 ? m_barLabels.at(i) : QString());
    ui->customPlot->xAxis->setTicker(ticker);
}

void chartForm::relabelBarsAfterLayout()
{
    // The width is known after the layout; the new labels show on the next replot.
    if (m_barLabels.isEmpty())
        return;
    const int step = barLabelStep();
    if (step == m_barLabelStep)
        return;
    m_barLabelStep = step;
    applyBarLabels();
    ui->customPlot->replot(QCustomPlot::rpQueuedReplot);
}

void chartForm::setGraphVisible(int index, bool visible)
{
    QCustomPlot* plot = ui->customPlot;
    if (index < 0 || index >= plot->graphCount())
        return;
    plot->graph(index)->setVisible(visible);
    replot();
}

void chartForm::clearGraph()
{
    m_barLabels.clear();
    ui->customPlot->clearGraphs();
    ui->customPlot->clearPlottables();
    replot();
}

void chartForm::set8760LineChart()
{
    ui->customPlot->xAxis->setLabel(TranslateString("Hours (h)"));
    ui->customPlot->yAxis->setLabel(TranslateString("Tempteature")
                                    + CUnitFun::GetUnitTempString(1));
}

void chartForm::set8760BarChart()
{
    ui->customPlot->xAxis->setLabel(TranslateString("Tempteature")
                                    + CUnitFun::GetUnitTempString(1));
    ui->customPlot->yAxis->setLabel(TranslateString("Hours (h)"));
}

void chartForm::setXButtonTitle(QString title)
{
    ui->customPlot->xAxis->setLabel(title);
    replot();
}

void chartForm::setYLeftTitle(QString title)
{
    ui->customPlot->yAxis->setLabel(title);
    replot();
}

void chartForm::setRangeX(double lower, double upper)
{
    ui->customPlot->xAxis->setRange(lower, upper);
    replot();
}

void chartForm::setRangeY(double lower, double upper)
{
    ui->customPlot->yAxis->setRange(lower, upper);
    replot();
}
