#pragma once
#include <QList>
#include <QMap>
#include <QWidget>

class HAdditionInfoTable;
class HChartView;
class HUnit;
class HVRF;
class QAction;
class QPushButton;
class QTableWidget;

namespace Ui {
class HOtherVRFUnitInfo;
}

// The other make's system: its outdoor and indoor units typed into two tables
// (capacities in the display load unit, kept in kW), its water-side equipment and
// its whole-system part-load curves, edited in HSetPerformanceDataDialog. Every edit
// marks the project as not calculated.
class HOtherVRFUnitInfo : public QWidget
{
    Q_OBJECT
public:
    explicit HOtherVRFUnitInfo(QWidget* parent = nullptr);
    ~HOtherVRFUnitInfo() override;

    void setLanguage();

    QTableWidget* oduTable() const;
    QTableWidget* iduTable() const;
    HAdditionInfoTable* additionTable() const { return m_additionTable; }
    QPushButton* performanceDataButton() const { return m_button; }
    HChartView* coolingChart() const { return m_coolingChart; }
    HChartView* heatingChart() const { return m_heatingChart; }
    // Add and remove: the tables' context-menu entries.
    const QList<QAction*>& oduActions() const { return m_oduActions; }
    const QList<QAction*>& iduActions() const { return m_iduActions; }

public slots:
    void saveTbWidgetData();
    void saveODUTbWidgetData();
    void saveIDUTbWidgetData();
    void add_odu_action();
    void remove_odu_action();
    void PopTableWidget_ODU_menu(QPoint pos);
    void add_idu_action();
    void remove_idu_action();
    void PopTableWidget_IDU_menu(QPoint pos);
    void clickProductPerformanceDataBtn();
    void slot_update_window_data_to_project();
    void slot_update_project_data_to_window();
    void showIDUList();
    void showODUList();
    void reset();

private:
    QTableWidget* table(bool odu) const;
    QMap<int, HUnit*>& rows(bool odu) { return odu ? m_oduRows : m_iduRows; }
    static HVRF* otherSystem();
    void initTableHeaders();
    void showList(bool odu);
    void saveTable(bool odu);
    void addUnit(bool odu);
    void removeUnit(bool odu);
    void popMenu(bool odu, const QPoint& pos);
    // The other system's curves in both charts.
    void showCurves();
    void markEdited();

    Ui::HOtherVRFUnitInfo* ui = nullptr;
    HAdditionInfoTable* m_additionTable = nullptr;
    QPushButton* m_button = nullptr;
    HChartView* m_coolingChart = nullptr;
    HChartView* m_heatingChart = nullptr;
    QMap<int, HUnit*> m_oduRows;
    QMap<int, HUnit*> m_iduRows;
    QList<QAction*> m_oduActions;
    QList<QAction*> m_iduActions;
    // Rows are being filled from the project: their cell changes are no edit.
    bool m_building = false;
};
