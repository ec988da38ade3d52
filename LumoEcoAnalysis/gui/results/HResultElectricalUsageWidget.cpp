#include "HResultElectricalUsageWidget.h"

#include "HCalendarTexts.h"
#include "HCommon.h"
#include "HProject.h"
#include "HResultCells.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {

constexpr int kRows = 13;
constexpr int kColumns = 15;

QTableWidgetItem* item(const QString& text)
{
    return HResultCells::centred(text);
}

} // namespace

HResultElectricalUsageWidget::HResultElectricalUsageWidget(QWidget* parent)
    : QWidget(parent)
{
    m_electricityView = new QChartView(this);
    m_electricityView->setObjectName(QStringLiteral("chartView_electricity"));
    m_costView = new QChartView(this);
    m_costView->setObjectName(QStringLiteral("chartView_energyCost"));
    m_gasView = new QChartView(this);
    m_gasView->setObjectName(QStringLiteral("chartView_gas"));
    m_gasView->hide();
    for (QChartView* view : {m_electricityView, m_costView, m_gasView})
        view->setRenderHint(QPainter::Antialiasing);
    m_table = new QTableWidget(kRows, kColumns, this);
    m_table->setObjectName(QStringLiteral("tableWidget_result"));

    auto* charts = new QHBoxLayout;
    charts->addWidget(m_electricityView);
    charts->addWidget(m_costView);
    auto* tables = new QHBoxLayout;
    tables->addWidget(m_gasView);
    tables->addWidget(m_table);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(charts, 1);
    layout->addLayout(tables, 0);

    initResultTable();
}

void HResultElectricalUsageWidget::initResultTable()
{
    QTableWidget* t = m_table;
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::ContiguousSelection);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setColumnWidth(0, 100);
    t->setColumnWidth(1, 80);
    for (int c = 2; c < kColumns; ++c)
        t->setColumnWidth(c, 60);
    // Gas and user-input cost rows exist but nothing fills them.
    for (int r = 4; r <= 9; ++r)
        t->setRowHeight(r, 0);
    t->setSpan(0, 0, 1, 2);
    for (int r : {1, 4, 7, 10})
        t->setSpan(r, 0, 3, 1);

    // Just the size of its visible rows and columns; the charts take the rest.
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int height = 2 * t->frameWidth();
    for (int r = 0; r < kRows; ++r)
        height += t->rowHeight(r);
    t->setFixedSize(100 + 80 + 13 * 60 + 2 * t->frameWidth(), height);
    setLanguage();
}

void HResultElectricalUsageWidget::setLanguage()
{
    QTableWidget* t = m_table;
    t->setItem(0, 0, item(TranslateString("Month")));
    const QStringList months = HCalendarTexts::monthNames();
    for (int c = 2; c < kColumns; ++c)
        t->setItem(0, c,
                   HResultCells::header(c < 14 ? months.at(c - 2) : TranslateString("Total")));
    const QString captions[] = {TranslateString("Electricity Input(kWH)"),
                                TranslateString("Gas Input(Nm^3)"),
                                TranslateString("Energy Cost(User-input)($)"),
                                TranslateString("Energy Cost(Auto Calculation)($)")};
    for (int i = 0; i < 4; ++i) {
        QTableWidgetItem* caption = item(captions[i]);
        t->setItem(1 + 3 * i, 0, caption);
        t->setItem(1 + 3 * i, 1, item(TranslateString("VELA")));
        t->setItem(2 + 3 * i, 1, item(TranslateString("Other'VRF")));
        t->setItem(3 + 3 * i, 1, item(TranslateString("Ratio(%)")));
    }
    // Long captions wrap inside their three rows.
    t->setWordWrap(true);
    slot_update_project_data_to_window();
    drawGasInputChart();
}

QString HResultElectricalUsageWidget::energyText(double value)
{
    return HCommon::FormatLargeIntNumber(static_cast<qint64>(value));
}

QString HResultElectricalUsageWidget::ratioText(double own, double other)
{
    const double ratio = other == 0.0 ? 0.0 : own / other * 100.0;
    return QString::number(ratio, 'f', 0) + QLatin1Char('%');
}

void HResultElectricalUsageWidget::fillResultTable()
{
    HProject* p = HProject::getProject();
    const double price = p->Getelectricity_price();
    HVRF* systems[] = {p->getOwnVRFSys(), p->getOtherVRFSys()};
    double sums[2] = {0.0, 0.0};
    double monthly[2][12] = {};
    for (int s = 0; s < 2; ++s) {
        for (int c = 2; c <= 13; ++c) {
            const double e = systems[s]->getMonthEnergyConsumption(c - 1);
            monthly[s][c - 2] = e;
            sums[s] += e;
            m_table->setItem(1 + s, c, item(energyText(e)));
            m_table->setItem(10 + s, c, item(energyText(e * price)));
        }
        m_table->setItem(1 + s, 14, item(energyText(sums[s])));
        m_table->setItem(10 + s, 14, item(energyText(sums[s] * price)));
    }
    for (int c = 2; c <= 13; ++c) {
        const QString ratio = ratioText(monthly[0][c - 2], monthly[1][c - 2]);
        m_table->setItem(3, c, item(ratio));
        m_table->setItem(12, c, item(ratio));
    }
    m_table->setItem(3, 14, item(ratioText(sums[0], sums[1])));
    m_table->setItem(12, 14, item(ratioText(sums[0], sums[1])));
}

void HResultElectricalUsageWidget::replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

void HResultElectricalUsageWidget::drawMonthlyChart(QChartView* view, const QString& title,
                                                    double factor)
{
    HProject* p = HProject::getProject();
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::SeriesAnimations);
    chart->setTitle(title);
    auto* series = new QBarSeries(chart);
    auto* own = new QBarSet(TranslateString("VELA's"));
    auto* other = new QBarSet(TranslateString("Other VRF's"));
    for (int m = 1; m <= 12; ++m) {
        *own << p->getOwnVRFSys()->getMonthEnergyConsumption(m) * factor;
        *other << p->getOtherVRFSys()->getMonthEnergyConsumption(m) * factor;
    }
    own->setColor(QColor(0, 0, 255));
    other->setColor(QColor(255, 0, 0));
    series->append(own);
    series->append(other);
    chart->addSeries(series);

    auto* months = new QBarCategoryAxis(chart);
    months->append(HCalendarTexts::monthNames());
    chart->createDefaultAxes();
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->addAxis(months, Qt::AlignBottom);
    series->attachAxis(months);
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
        if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            values->setMin(0.0);
            values->applyNiceNumbers();
            values->setLabelFormat(QStringLiteral("%.0f"));
        }
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    replaceChart(view, chart);
}

void HResultElectricalUsageWidget::drawElectricityInputChart()
{
    drawMonthlyChart(m_electricityView, TranslateString("Electricity Input(kWh)"), 1.0);
}

void HResultElectricalUsageWidget::drawEnergyCostChart()
{
    drawMonthlyChart(m_costView, TranslateString("Energy Cost($)"),
                     HProject::getProject()->Getelectricity_price());
}

void HResultElectricalUsageWidget::drawGasInputChart()
{
    // Nothing in the system consumes gas: an empty chart under its title.
    auto* chart = new QChart;
    chart->setTitle(TranslateString("Gas Input(Nm^3)"));
    replaceChart(m_gasView, chart);
}

void HResultElectricalUsageWidget::slot_update_project_data_to_window()
{
    drawElectricityInputChart();
    drawEnergyCostChart();
    fillResultTable();
}

void HResultElectricalUsageWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    slot_update_project_data_to_window();
}
