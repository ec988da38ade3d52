#pragma once
#include <QList>
#include <QWidget>

class HAdditionInfoTable;
class HAdditionalInfomaitonWithVRFWater;
class HChartView;
class HUnit;
class HVRF;
class QAction;
class QTableWidget;

namespace Ui {
class HVRFUnitInfoWidget;
}

// The own system's units: outdoor and indoor units chosen by category and model
// from the product database, their part-load curves, and the water-side equipment
// of a water-cooled system. Every edit marks the project as not calculated.
class HVRFUnitInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HVRFUnitInfoWidget(QWidget* parent = nullptr);
    ~HVRFUnitInfoWidget() override;

    void setLanguage();
    void reset();

    void initActions();
    void initTableHeaders();
    void initAdditionTable();
    void showAdditionInfo();
    void saveAdditionInfo();
    // Shows the unit's numbers in the cells of row `row` that exist.
    void updateODURow(HUnit* unit, int row);
    void updateIDURow(HUnit* unit, int row);

    QTableWidget* oduTable() const;
    QTableWidget* iduTable() const;
    HAdditionInfoTable* additionTable() const;
    HChartView* coolingChart() const { return m_coolingChart; }
    HChartView* heatingChart() const { return m_heatingChart; }
    // Add, remove, copy to the other system: the tables' context-menu entries.
    const QList<QAction*>& oduActions() const { return m_oduActions; }
    const QList<QAction*>& iduActions() const { return m_iduActions; }

signals:
    void UpdateOtherVRFODUTableData();
    void UpdateOtherVRFIDUTableData();
    // Before units are copied to the other system: what is typed on the other
    // system's page must reach its units first.
    void signal_before_copy_to_other();

public slots:
    void saveTbWidgetData();
    void add_odu_action();
    void remove_odu_action();
    void copyODUDataToOther();
    void PopTableWidget_ODU_menu(QPoint pos);
    void add_idu_action();
    void remove_idu_action();
    void copyIDUDataToOther();
    void PopTableWidget_IDU_menu(QPoint pos);
    void odu_table_Quantity_save();
    void idu_table_Quantity_save();
    void slot_update_window_data_to_project();
    void slot_update_project_data_to_window();
    void idu_table_category_changed(QString sCategory, HUnit* pUnit, int nRow);
    void idu_table_model_changed(QString model, HUnit* pUnit, int nRow);
    void odu_table_category_changed(QString sCategory, HUnit* pUnit, int nRow);
    void odu_table_model_changed(QString model, HUnit* pUnit, int nRow);
    void updateChartView();
    void showIDUList();
    void showODUList();

private:
    QTableWidget* table(bool odu) const;
    static HVRF* ownSystem();
    // The own system's water equipment record of the current project.
    static HAdditionalInfomaitonWithVRFWater* waterRecord();
    // The unit when it belongs to the own system of the current project, else null.
    static HUnit* ownUnit(HUnit* unit);
    // True when the combo that sent the current signal (if any) is the one shown in
    // the table cell; combos of an earlier build do not act.
    bool isShownCombo(bool odu, int row, int column) const;

    void showList(bool odu);
    void releaseCombos(QTableWidget* table);
    void categoryChanged(bool odu, const QString& category, HUnit* unit, int row);
    void modelChanged(bool odu, const QString& model, HUnit* unit, int row);
    void updateRow(bool odu, HUnit* unit, int row);
    void saveQuantities(bool odu);
    void saveRowQuantity(bool odu, HUnit* unit, int row);
    void addUnit(bool odu);
    void removeUnit(bool odu);
    void copyToOther(bool odu);
    void popMenu(bool odu, const QPoint& pos);
    void markEdited();

    Ui::HVRFUnitInfoWidget* ui = nullptr;
    HChartView* m_coolingChart = nullptr;
    HChartView* m_heatingChart = nullptr;
    QList<QAction*> m_oduActions;
    QList<QAction*> m_iduActions;
    // Rows are being rebuilt from the project: the slots the rebuild runs are no edit.
    int m_building = 0;
};
