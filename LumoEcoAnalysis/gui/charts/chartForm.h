#pragma once
#include <QColor>
#include <QString>
#include <QVector>
#include <QWidget>

class QCustomPlot;
class QTimer;

namespace Ui {
class chartForm;
}

// A small plotting form on QCustomPlot: line graphs (the weather page's hourly
// temperature) and bar series (its temperature distribution). Operations that add a
// graph return its index.
class chartForm : public QWidget
{
    Q_OBJECT
public:
    explicit chartForm(QWidget* parent = nullptr);
    ~chartForm() override;

    QCustomPlot* customPlot() const;

    int addLineGraph(QVector<double> x, QVector<double> y);
    // Replaces every plottable by one graph over 0 .. n-1, labelled on the x axis.
    int addLineGraph(QVector<QString> labels, QVector<double> y);
    // Sets the data of graph `index`; on an empty plot adds the graph first.
    void resetLineGraph(int index, QVector<double> x, QVector<double> y);
    // As above, then labels the x axis at (range start + ticks[i]) with labels[i].
    void resetLineGraph(int index, QVector<QString> labels, QVector<int> ticks, QVector<double> x,
                        QVector<double> y);
    // Bar charts replace every plottable.
    int addBarGraph(QVector<QString> labels, QVector<double> values);
    int addBarGraph(QVector<QString> labels, QVector<double> values1, QVector<double> values2);
    int addBarGraph(QVector<QString> labels, QVector<double> values1, QVector<double> values2,
                    QColor color1, QColor color2);
    // Nothing happens for an index without a graph.
    void setGraphVisible(int index, bool visible);
    void clearGraph();
    void set8760LineChart();
    void set8760BarChart();
    void setXButtonTitle(QString title);
    void setYLeftTitle(QString title);
    void setRangeX(double lower, double upper);
    void setRangeY(double lower, double upper);

    // Pen colour of the n-th graph of a plot (n counted from 1).
    static QColor graphColor(int n);

private:
    // Sets the data of graph `index` (adding the first graph to an empty plot); false
    // when there is no such graph.
    bool setGraphData(int index, const QVector<double>& x, const QVector<double>& y);
    int addBars(const QVector<QString>& labels, const QVector<QVector<double>>& series,
                const QVector<QColor>& colors, double widthFactor);
    void labelBars(const QVector<QString>& labels, double barWidth);
    // Every n-th bar is labelled so that the labels of a shown plot never overlap.
    int barLabelStep() const;
    void applyBarLabels();
    void relabelBarsAfterLayout();
    void replot();

    Ui::chartForm* ui = nullptr;
    QTimer* m_timer = nullptr;
    // The bar labels and their axis positions; empty when the axis carries other ticks.
    QVector<QString> m_barLabels;
    QVector<double> m_barTicks;
    int m_barLabelStep = 1;
};
