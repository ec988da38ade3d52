#pragma once
#include <QDialog>
#include <QList>
#include <QVector>

struct CAL_ITEM;
class HProductPerformanceDataForVRF;
class QAction;
class QTableWidget;

namespace Ui {
class HSetPerformanceDataDialog;
}

// Editor of a system's part-load points, one table for cooling and one for
// heating: outdoor temperature, load in percent, energy input ratio in percent.
// A typed load sets the row's temperature on the line from 16 degrees at no load to
// 35 (cooling) or -10 (heating) degrees at full load; loads outside 0 to 150 % are
// corrected at once with a notice. OK replaces both point lists, sorted by load
// from the highest; Cancel changes nothing.
class HSetPerformanceDataDialog : public QDialog
{
    Q_OBJECT
public:
    explicit HSetPerformanceDataDialog(HProductPerformanceDataForVRF* data,
                                       QWidget* parent = nullptr);
    ~HSetPerformanceDataDialog() override;

    QTableWidget* coolingTable() const;
    QTableWidget* heatingTable() const;
    // Insert and remove: the tables' context-menu entries.
    const QList<QAction*>& coolingActions() const { return m_coolingActions; }
    const QList<QAction*>& heatingActions() const { return m_heatingActions; }

public slots:
    void on_buttonBox_accepted();
    void updateTableWidgetCoolingTemp(int row, int column);
    void updateTableWidgetHeatingTemp(int row, int column);
    void PopTableWidget_Cooling_menu(QPoint pos);
    void PopTableWidget_Heating_menu(QPoint pos);
    void InsertCoolingAction();
    void RemoveCoolingAction();
    void InsertHeatingAction();
    void RemoveHeatingAction();

private:
    void initTable(QTableWidget* table);
    void fillTable(QTableWidget* table, QVector<CAL_ITEM> items);
    static QVector<CAL_ITEM> readTable(const QTableWidget* table);
    void updateTemperature(QTableWidget* table, int row, int column, double noLoad,
                           double fullLoad);
    void insertRow(QTableWidget* table);
    void removeRow(QTableWidget* table);
    void popMenu(QTableWidget* table, const QList<QAction*>& actions, const QPoint& pos);

    Ui::HSetPerformanceDataDialog* ui = nullptr;
    HProductPerformanceDataForVRF* m_data = nullptr;
    QList<QAction*> m_coolingActions;
    QList<QAction*> m_heatingActions;
};
