#pragma once
#include <QWidget>

class QTableWidget;
namespace QtCharts {
class QChart;
class QChartView;
} // namespace QtCharts

// Monthly electricity input and energy cost of the own and the other VRF system: two
// bar charts above the monthly comparison table (the gas chart beside the table stays
// hidden: nothing in the system uses gas).
class HResultElectricalUsageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HResultElectricalUsageWidget(QWidget* parent = nullptr);

    QtCharts::QChartView* electricityChartView() const { return m_electricityView; }
    QtCharts::QChartView* energyCostChartView() const { return m_costView; }
    QtCharts::QChartView* gasChartView() const { return m_gasView; }
    QTableWidget* resultTable() const { return m_table; }

    // Labels the table again and redraws the charts in the current language.
    void setLanguage();

    // "1,234" for 1234.9: energies are truncated, then grouped.
    static QString energyText(double value);
    // own / other x 100 rounded to a whole number with "%"; "0%" when other is 0.
    static QString ratioText(double own, double other);

public slots:
    void slot_update_project_data_to_window();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void initResultTable();
    void fillResultTable();
    void drawElectricityInputChart();
    void drawEnergyCostChart();
    void drawGasInputChart();
    // Puts the monthly bars of both systems, each month's energy times `factor`, into
    // the view in place of its previous chart.
    void drawMonthlyChart(QtCharts::QChartView* view, const QString& title, double factor);
    static void replaceChart(QtCharts::QChartView* view, QtCharts::QChart* chart);

    QtCharts::QChartView* m_electricityView = nullptr;
    QtCharts::QChartView* m_costView = nullptr;
    QtCharts::QChartView* m_gasView = nullptr;
    QTableWidget* m_table = nullptr;
};
