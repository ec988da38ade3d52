#include "HOtherVRFUnitInfo.h"
#include "ui_HOtherVRFUnitInfo.h"

#include "HAdditionInfoTable.h"
#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HChartView.h"
#include "HNumberCell.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HSetPerformanceDataDialog.h"
#include "HTableMenu.h"
#include "HUnit.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QAction>
#include <QDebug>
#include <QGraphicsLayout>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

HAdditionalInfomaitonWithVRFWater* waterRecord(HVRF* system)
{
    return system ? system->getAdditionInformationWithVRFWater() : nullptr;
}

HProductPerformanceDataForVRF* curves(HVRF* system)
{
    return system ? system->getVRFProductPerformanceData() : nullptr;
}

} // namespace

HOtherVRFUnitInfo::HOtherVRFUnitInfo(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HOtherVRFUnitInfo)
{
    ui->setupUi(this);
    m_additionTable = new HAdditionInfoTable(this);
    m_additionTable->setObjectName(QStringLiteral("tableWidget_addition"));
    ui->verticalLayout_3->addWidget(m_additionTable);

    if (HProductPerformanceDataForVRF* data = curves(otherSystem()))
        data->calculate();

    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("pushButton_performance_data"));
    connect(m_button, &QPushButton::clicked, this,
            &HOtherVRFUnitInfo::clickProductPerformanceDataBtn);
    ui->verticalLayout_3->addWidget(m_button);
    m_coolingChart = new HChartView(0, this);
    m_heatingChart = new HChartView(1, this);
    m_coolingChart->setObjectName(QStringLiteral("chartView_cooling"));
    m_heatingChart->setObjectName(QStringLiteral("chartView_heating"));
    for (HChartView* chart : {m_coolingChart, m_heatingChart}) {
        chart->setFixedWidth(400);
        // The side column is short at the smallest window: no room lost to margins.
        chart->chart()->layout()->setContentsMargins(0, 0, 0, 0);
        chart->chart()->setBackgroundRoundness(0);
        ui->verticalLayout_3->addWidget(chart, 1);
    }

    m_oduActions = {new QAction(this), new QAction(this)};
    m_iduActions = {new QAction(this), new QAction(this)};
    connect(m_oduActions[0], &QAction::triggered, this, &HOtherVRFUnitInfo::add_odu_action);
    connect(m_oduActions[1], &QAction::triggered, this, &HOtherVRFUnitInfo::remove_odu_action);
    connect(m_iduActions[0], &QAction::triggered, this, &HOtherVRFUnitInfo::add_idu_action);
    connect(m_iduActions[1], &QAction::triggered, this, &HOtherVRFUnitInfo::remove_idu_action);
    for (QTableWidget* t : {ui->tableWidget_odu, ui->tableWidget_idu}) {
        t->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(t, &QTableWidget::cellChanged, this, [this] { markEdited(); });
    }
    connect(ui->tableWidget_odu, &QWidget::customContextMenuRequested, this,
            &HOtherVRFUnitInfo::PopTableWidget_ODU_menu);
    connect(ui->tableWidget_idu, &QWidget::customContextMenuRequested, this,
            &HOtherVRFUnitInfo::PopTableWidget_IDU_menu);

    slot_update_project_data_to_window();
    connect(m_additionTable, &QTableWidget::cellChanged, this,
            &HOtherVRFUnitInfo::saveTbWidgetData);

    HVRF* other = otherSystem();
    if (!other || !other->isHaveWaterUnit()) {
        m_additionTable->hide();
        ui->label_additional_infomation->hide();
    }
}

HOtherVRFUnitInfo::~HOtherVRFUnitInfo()
{
    // An editor still open commits when it goes; nothing may answer that any more.
    for (QTableWidget* t :
         {ui->tableWidget_odu, ui->tableWidget_idu, static_cast<QTableWidget*>(m_additionTable)})
        disconnect(t, nullptr, this, nullptr);
    delete ui;
}

QTableWidget* HOtherVRFUnitInfo::oduTable() const
{
    return ui->tableWidget_odu;
}

QTableWidget* HOtherVRFUnitInfo::iduTable() const
{
    return ui->tableWidget_idu;
}

QTableWidget* HOtherVRFUnitInfo::table(bool odu) const
{
    return odu ? ui->tableWidget_odu : ui->tableWidget_idu;
}

HVRF* HOtherVRFUnitInfo::otherSystem()
{
    return HProject::getProject()->getOtherVRFSys();
}

void HOtherVRFUnitInfo::initTableHeaders()
{
    HUnitTable::initTable(ui->tableWidget_odu);
    HUnitTable::initTable(ui->tableWidget_idu);
    ui->label_additional_infomation->setText(TranslateString("Additional Information for water"));
    ui->label_odu->setText(TranslateString("Outdoor units"));
    ui->label_idu->setText(TranslateString("Indoor units"));
    ui->label_hint->setText(
        TranslateString("Type the units of the other make; right-click a table to add or remove "
                        "rows."));
    m_button->setText(TranslateString("Product Performance data"));
    m_oduActions[0]->setText(TranslateString("Add ODU"));
    m_oduActions[1]->setText(TranslateString("Remove ODU"));
    m_iduActions[0]->setText(TranslateString("Add IDU"));
    m_iduActions[1]->setText(TranslateString("Remove IDU"));
}

void HOtherVRFUnitInfo::setLanguage()
{
    saveODUTbWidgetData();
    saveIDUTbWidgetData();
    slot_update_project_data_to_window();
}

void HOtherVRFUnitInfo::slot_update_window_data_to_project()
{
    saveODUTbWidgetData();
    saveIDUTbWidgetData();
}

void HOtherVRFUnitInfo::slot_update_project_data_to_window()
{
    initTableHeaders();
    showODUList();
    showIDUList();
    {
        const QSignalBlocker block(m_additionTable);
        m_additionTable->initAdditionTable();
        m_additionTable->showAdditionInfo(waterRecord(otherSystem()));
    }
    showCurves();
}

void HOtherVRFUnitInfo::reset()
{
    for (bool odu : {true, false}) {
        rows(odu).clear();
        table(odu)->setRowCount(0);
    }
}

// ---------------------------------------------------------------------------------
// Rows

void HOtherVRFUnitInfo::showODUList()
{
    showList(true);
}

void HOtherVRFUnitInfo::showIDUList()
{
    showList(false);
}

void HOtherVRFUnitInfo::showList(bool odu)
{
    HVRF* other = otherSystem();
    if (!other)
        return;
    QMap<int, HUnit*>& map = rows(odu);
    map.clear();
    QVector<HUnit*> units;
    if (odu)
        other->getAllOutoorUnits(units);
    else
        other->getAllIndoorUnits(units);

    const QScopedValueRollback<bool> building(m_building, true);
    QTableWidget* t = table(odu);
    t->setRowCount(0);
    t->setRowCount(units.size());
    int r = 0;
    for (HUnit* unit : qAsConst(units)) {
        if (!unit || unit->Getis_odu() != odu)
            continue;
        t->setRowHeight(r, HUnitTable::rowHeight);
        map.insert(r, unit);
        t->setItem(r, HUnitTable::ColumnType, new QTableWidgetItem(unit->Getunit_type()));
        t->setItem(r, HUnitTable::ColumnModel, new QTableWidgetItem(unit->Getunit_productcode()));
        t->setItem(r, HUnitTable::ColumnQuantity, HUnitTable::quantityItem(unit->Getquantity()));
        t->setItem(r, HUnitTable::ColumnCapacityCooling,
                   HUnitTable::capacityItem(unit->Gettotal_capacity_cooling()));
        t->setItem(r, HUnitTable::ColumnPowerCooling,
                   HUnitTable::powerItem(unit->Getpower_input_cooling()));
        t->setItem(r, HUnitTable::ColumnCapacityHeating,
                   HUnitTable::capacityItem(unit->Gettotal_capacity_heating()));
        t->setItem(r, HUnitTable::ColumnPowerHeating,
                   HUnitTable::powerItem(unit->Getpower_input_heating()));
        ++r;
    }
    t->setRowCount(r);
    HUnitTable::widenTextColumns(t);
}

void HOtherVRFUnitInfo::saveODUTbWidgetData()
{
    saveTable(true);
}

void HOtherVRFUnitInfo::saveIDUTbWidgetData()
{
    saveTable(false);
}

void HOtherVRFUnitInfo::saveTable(bool odu)
{
    HVRF* other = otherSystem();
    QTableWidget* t = table(odu);
    const QMap<int, HUnit*>& map = rows(odu);
    const QScopedValueRollback<bool> reading(m_building, true);
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        HUnit* unit = it.value();
        const int r = it.key();
        // Only units of the current project's system: after New or Open the rows
        // still name the units of the project before until they are rebuilt.
        if (!unit || !other || !other->contains(unit) || r >= t->rowCount())
            continue;
        const auto text = [t, r](int column) {
            const QTableWidgetItem* item = t->item(r, column);
            return item ? item->text() : QString();
        };
        // Each number read is kept with its text, so that a later read (after a
        // change of display unit, say) gives the same value.
        const auto number = [t, r](int column, double (*read)(const QTableWidgetItem*)) {
            QTableWidgetItem* item = t->item(r, column);
            const double value = read(item);
            HNumberCell::keep(item, value);
            return value;
        };
        unit->setunit_type(text(HUnitTable::ColumnType));
        unit->setunit_productcode(text(HUnitTable::ColumnModel));
        unit->setquantity(HUnitTable::quantityOf(t->item(r, HUnitTable::ColumnQuantity)));
        unit->settotal_capacity_cooling(
            number(HUnitTable::ColumnCapacityCooling, &HUnitTable::capacityOf));
        unit->setpower_input_cooling(number(HUnitTable::ColumnPowerCooling, &HUnitTable::powerOf));
        unit->settotal_capacity_heating(
            number(HUnitTable::ColumnCapacityHeating, &HUnitTable::capacityOf));
        unit->setpower_input_heating(number(HUnitTable::ColumnPowerHeating, &HUnitTable::powerOf));
    }
}

void HOtherVRFUnitInfo::saveTbWidgetData()
{
    HAdditionalInfomaitonWithVRFWater* record = waterRecord(otherSystem());
    if (!record)
        return;
    m_additionTable->saveAdditionInfo(record);
    record->calculate();
    m_additionTable->showAdditionInfo(record);
    saveODUTbWidgetData();
    saveIDUTbWidgetData();
    markEdited();
}

// ---------------------------------------------------------------------------------
// Add, remove, menus

void HOtherVRFUnitInfo::add_odu_action()
{
    addUnit(true);
    qDebug() << "add_odu_action";
}

void HOtherVRFUnitInfo::add_idu_action()
{
    addUnit(false);
}

void HOtherVRFUnitInfo::addUnit(bool odu)
{
    HVRF* other = otherSystem();
    if (!other)
        return;
    saveTable(odu);
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    other->append(unit);
    showList(odu);
    markEdited();
}

void HOtherVRFUnitInfo::remove_odu_action()
{
    removeUnit(true);
}

void HOtherVRFUnitInfo::remove_idu_action()
{
    removeUnit(false);
}

void HOtherVRFUnitInfo::removeUnit(bool odu)
{
    HVRF* other = otherSystem();
    if (!other)
        return;
    saveTable(odu);
    HUnit* unit = rows(odu).value(table(odu)->currentRow(), nullptr);
    if (!unit || !other->contains(unit))
        return;
    rows(odu).clear();
    other->deleteUnit(unit);
    showList(odu);
    markEdited();
}

void HOtherVRFUnitInfo::PopTableWidget_ODU_menu(QPoint pos)
{
    popMenu(true, pos);
}

void HOtherVRFUnitInfo::PopTableWidget_IDU_menu(QPoint pos)
{
    popMenu(false, pos);
}

void HOtherVRFUnitInfo::popMenu(bool odu, const QPoint& pos)
{
    const QList<QAction*>& actions = odu ? m_oduActions : m_iduActions;
    HTableMenu::exec(table(odu), actions, actions[1], pos);
}

// ---------------------------------------------------------------------------------
// Part-load curves

void HOtherVRFUnitInfo::clickProductPerformanceDataBtn()
{
    qDebug() << "clickProductPerformanceDataBtn";
    HProductPerformanceDataForVRF* data = curves(otherSystem());
    if (!data)
        return;
    HSetPerformanceDataDialog dialog(data, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    showCurves();
    markEdited();
}

void HOtherVRFUnitInfo::showCurves()
{
    HProductPerformanceDataForVRF* data = curves(otherSystem());
    if (!data)
        return;
    data->calculate();
    m_coolingChart->showCurve(data, TranslateString("VRF(Other)"), 0);
    m_heatingChart->showCurve(data, TranslateString("VRF(Other)"), 1);
}

void HOtherVRFUnitInfo::markEdited()
{
    if (!m_building)
        HProject::getProject()->setisCalculationSuccess(false);
}
