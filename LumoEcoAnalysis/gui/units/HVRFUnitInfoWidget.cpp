#include "HVRFUnitInfoWidget.h"
#include "ui_HVRFUnitInfoWidget.h"

#include "HAdditionInfoTable.h"
#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HChartView.h"
#include "HCommon.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HTableComboxItem.h"
#include "HTableMenu.h"
#include "HUnit.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "TranslateString.h"

#include <QAction>
#include <QDebug>
#include <QGraphicsLayout>
#include <QMessageBox>

namespace {

// Product type of the product database: 0 outdoor unit, 1 indoor unit.
int productType(bool odu)
{
    return odu ? 0 : 1;
}

// Counts nested rebuilds for the time it lives.
class BuildScope
{
public:
    explicit BuildScope(int& counter)
        : m_counter(counter)
    {
        ++m_counter;
    }
    ~BuildScope() { --m_counter; }
    BuildScope(const BuildScope&) = delete;
    BuildScope& operator=(const BuildScope&) = delete;

private:
    int& m_counter;
};

} // namespace

HVRFUnitInfoWidget::HVRFUnitInfoWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HVRFUnitInfoWidget)
{
    ui->setupUi(this);
    initActions();

    for (QTableWidget* t : {ui->tableWidget_odu, ui->tableWidget_idu})
        t->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableWidget_odu, &QWidget::customContextMenuRequested, this,
            &HVRFUnitInfoWidget::PopTableWidget_ODU_menu);
    connect(ui->tableWidget_idu, &QWidget::customContextMenuRequested, this,
            &HVRFUnitInfoWidget::PopTableWidget_IDU_menu);
    // A typed quantity is an edit; the rebuild's own cell changes are not.
    for (QTableWidget* t : {ui->tableWidget_odu, ui->tableWidget_idu}) {
        connect(t, &QTableWidget::cellChanged, this, [this](int, int column) {
            if (column == HUnitTable::ColumnQuantity)
                markEdited();
        });
    }

    initTableHeaders();
    initAdditionTable();
    showAdditionInfo();
    connect(ui->tableWidget_addition, &QTableWidget::cellChanged, this,
            &HVRFUnitInfoWidget::saveTbWidgetData);

    m_coolingChart = new HChartView(this);
    m_heatingChart = new HChartView(this);
    for (HChartView* chart : {m_coolingChart, m_heatingChart}) {
        chart->setFixedWidth(400);
        // The side column is short at the smallest window: no room lost to margins.
        chart->chart()->layout()->setContentsMargins(0, 0, 0, 0);
        chart->chart()->setBackgroundRoundness(0);
        ui->verticalLayout_side->addWidget(chart, 1);
    }
    m_coolingChart->setObjectName(QStringLiteral("chartView_cooling"));
    m_heatingChart->setObjectName(QStringLiteral("chartView_heating"));

    HVRF* own = ownSystem();
    if (!own || !own->isHaveWaterUnit()) {
        ui->tableWidget_addition->hide();
        ui->label_additional_infomation->hide();
    }
}

HVRFUnitInfoWidget::~HVRFUnitInfoWidget()
{
    // Neither combos nor editors still open may act on units when they go.
    for (QTableWidget* t : {ui->tableWidget_odu, ui->tableWidget_idu,
                            static_cast<QTableWidget*>(ui->tableWidget_addition)}) {
        releaseCombos(t);
        disconnect(t, nullptr, this, nullptr);
    }
    delete ui;
}

QTableWidget* HVRFUnitInfoWidget::oduTable() const
{
    return ui->tableWidget_odu;
}

QTableWidget* HVRFUnitInfoWidget::iduTable() const
{
    return ui->tableWidget_idu;
}

HAdditionInfoTable* HVRFUnitInfoWidget::additionTable() const
{
    return ui->tableWidget_addition;
}

QTableWidget* HVRFUnitInfoWidget::table(bool odu) const
{
    return odu ? ui->tableWidget_odu : ui->tableWidget_idu;
}

HVRF* HVRFUnitInfoWidget::ownSystem()
{
    return HProject::getProject()->getOwnVRFSys();
}

HAdditionalInfomaitonWithVRFWater* HVRFUnitInfoWidget::waterRecord()
{
    HVRF* own = ownSystem();
    return own ? own->getAdditionInformationWithVRFWater() : nullptr;
}

HUnit* HVRFUnitInfoWidget::ownUnit(HUnit* unit)
{
    HVRF* own = ownSystem();
    return unit && own && own->contains(unit) ? unit : nullptr;
}

void HVRFUnitInfoWidget::initActions()
{
    qDeleteAll(m_oduActions);
    qDeleteAll(m_iduActions);
    m_oduActions = {new QAction(this), new QAction(this), new QAction(this)};
    m_iduActions = {new QAction(this), new QAction(this), new QAction(this)};
    connect(m_oduActions[0], &QAction::triggered, this, &HVRFUnitInfoWidget::add_odu_action);
    connect(m_oduActions[1], &QAction::triggered, this, &HVRFUnitInfoWidget::remove_odu_action);
    connect(m_oduActions[2], &QAction::triggered, this, &HVRFUnitInfoWidget::copyODUDataToOther);
    connect(m_iduActions[0], &QAction::triggered, this, &HVRFUnitInfoWidget::add_idu_action);
    connect(m_iduActions[1], &QAction::triggered, this, &HVRFUnitInfoWidget::remove_idu_action);
    connect(m_iduActions[2], &QAction::triggered, this, &HVRFUnitInfoWidget::copyIDUDataToOther);
}

void HVRFUnitInfoWidget::initTableHeaders()
{
    HUnitTable::initTable(ui->tableWidget_odu);
    HUnitTable::initTable(ui->tableWidget_idu);
    ui->label_additional_infomation->setText(TranslateString("Additional Information for water"));
    ui->label_odu->setText(TranslateString("Outdoor units"));
    ui->label_idu->setText(TranslateString("Indoor units"));
    ui->label_hint->setText(TranslateString(
        "Right-click a table to add or remove units, or to copy them to the other system."));
    m_oduActions[0]->setText(TranslateString("Add ODU"));
    m_oduActions[1]->setText(TranslateString("Remove ODU"));
    m_oduActions[2]->setText(TranslateString("Copy ODU data to other's"));
    m_iduActions[0]->setText(TranslateString("Add IDU"));
    m_iduActions[1]->setText(TranslateString("Remove IDU"));
    m_iduActions[2]->setText(TranslateString("Copy IDU data to other's"));
}

void HVRFUnitInfoWidget::initAdditionTable()
{
    ui->tableWidget_addition->initAdditionTable();
}

void HVRFUnitInfoWidget::showAdditionInfo()
{
    ui->tableWidget_addition->showAdditionInfo(waterRecord());
}

void HVRFUnitInfoWidget::saveAdditionInfo()
{
    ui->tableWidget_addition->saveAdditionInfo(waterRecord());
}

void HVRFUnitInfoWidget::setLanguage()
{
    initTableHeaders();
    HUnitTable::widenTextColumns(ui->tableWidget_odu);
    HUnitTable::widenTextColumns(ui->tableWidget_idu);
    initAdditionTable();
    showAdditionInfo();
    updateChartView(); // axis titles
}

void HVRFUnitInfoWidget::reset()
{
    for (bool odu : {true, false}) {
        releaseCombos(table(odu));
        table(odu)->setRowCount(0);
    }
}

void HVRFUnitInfoWidget::saveTbWidgetData()
{
    HAdditionalInfomaitonWithVRFWater* record = waterRecord();
    if (!record)
        return;
    saveAdditionInfo();
    record->calculate();
    showAdditionInfo();
    markEdited();
}

void HVRFUnitInfoWidget::slot_update_window_data_to_project()
{
    odu_table_Quantity_save();
    idu_table_Quantity_save();
}

void HVRFUnitInfoWidget::slot_update_project_data_to_window()
{
    initTableHeaders();
    showODUList();
    showIDUList();
    showAdditionInfo();
}

// ---------------------------------------------------------------------------------
// Rows

void HVRFUnitInfoWidget::showODUList()
{
    showList(true);
}

void HVRFUnitInfoWidget::showIDUList()
{
    showList(false);
}

void HVRFUnitInfoWidget::releaseCombos(QTableWidget* t)
{
    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c : {HUnitTable::ColumnType, HUnitTable::ColumnModel}) {
            if (auto* combo = qobject_cast<HTableComboxItem*>(t->cellWidget(r, c)))
                combo->release();
        }
    }
}

void HVRFUnitInfoWidget::showList(bool odu)
{
    HVRF* own = ownSystem();
    if (!own)
        return;
    QVector<HUnit*> units;
    if (odu)
        own->getAllOutoorUnits(units);
    else
        own->getAllIndoorUnits(units);

    const BuildScope building(m_building);
    QTableWidget* t = table(odu);
    // The previous build's combos are cut from their units and go with their rows,
    // before any new combo can act.
    releaseCombos(t);
    t->setRowCount(0);
    t->setRowCount(units.size());

    const auto categorySlot = odu ? &HVRFUnitInfoWidget::odu_table_category_changed
                                  : &HVRFUnitInfoWidget::idu_table_category_changed;
    const auto modelSlot = odu ? &HVRFUnitInfoWidget::odu_table_model_changed
                               : &HVRFUnitInfoWidget::idu_table_model_changed;
    const auto signal = QOverload<QString, HUnit*, int>::of(&HTableComboxItem::selectChanged);
    int r = 0;
    for (HUnit* unit : qAsConst(units)) {
        if (!unit || unit->Getis_odu() != odu)
            continue;
        t->setRowHeight(r, HUnitTable::rowHeight);

        auto* category = new HTableComboxItem(unit, r);
        category->setObjectName(QStringLiteral("category_%1").arg(r));
        HVRFProductHelper::getCategoryFromDb(category, productType(odu));
        t->setCellWidget(r, HUnitTable::ColumnType, category);
        connect(category, signal, this, categorySlot);
        HCommon::updateCombox(category, unit->Getunit_type());

        auto* model = new HTableComboxItem(unit, r);
        model->setObjectName(QStringLiteral("model_%1").arg(r));
        t->setCellWidget(r, HUnitTable::ColumnModel, model);
        HVRFProductHelper::getModelFromDb(model, unit->Getunit_type(), productType(odu));
        connect(model, signal, this, modelSlot);
        HCommon::updateCombox(model, unit->Getunit_model());

        t->setItem(r, HUnitTable::ColumnQuantity, HUnitTable::quantityItem(unit->Getquantity()));
        t->setItem(r, HUnitTable::ColumnCapacityCooling,
                   HUnitTable::capacityItem(unit->Gettotal_capacity_cooling()));
        t->setItem(r, HUnitTable::ColumnPowerCooling,
                   HUnitTable::powerItem(unit->Getpower_input_cooling()));
        t->setItem(r, HUnitTable::ColumnCapacityHeating,
                   HUnitTable::capacityItem(unit->Gettotal_capacity_heating()));
        t->setItem(r, HUnitTable::ColumnPowerHeating,
                   HUnitTable::powerItem(unit->Getpower_input_heating()));
        for (int c = HUnitTable::ColumnCapacityCooling; c < HUnitTable::ColumnCount; ++c)
            HUnitTable::setReadOnly(t->item(r, c));
        ++r;
    }
    t->setRowCount(r);
    HUnitTable::widenTextColumns(t);
    if (odu)
        updateChartView();
}

bool HVRFUnitInfoWidget::isShownCombo(bool odu, int row, int column) const
{
    QObject* from = sender();
    auto* combo = qobject_cast<HTableComboxItem*>(from);
    if (!combo)
        return !from; // called directly
    return table(odu)->cellWidget(row, column) == combo;
}

void HVRFUnitInfoWidget::odu_table_category_changed(QString sCategory, HUnit* pUnit, int nRow)
{
    categoryChanged(true, sCategory, pUnit, nRow);
}

void HVRFUnitInfoWidget::idu_table_category_changed(QString sCategory, HUnit* pUnit, int nRow)
{
    categoryChanged(false, sCategory, pUnit, nRow);
}

void HVRFUnitInfoWidget::odu_table_model_changed(QString model, HUnit* pUnit, int nRow)
{
    modelChanged(true, model, pUnit, nRow);
}

void HVRFUnitInfoWidget::idu_table_model_changed(QString model, HUnit* pUnit, int nRow)
{
    modelChanged(false, model, pUnit, nRow);
}

void HVRFUnitInfoWidget::categoryChanged(bool odu, const QString& category, HUnit* unit, int row)
{
    qDebug() << "category" << category;
    if (!isShownCombo(odu, row, HUnitTable::ColumnType) || !ownUnit(unit))
        return;
    unit->setunit_type(category);
    if (auto* model =
            qobject_cast<HTableComboxItem*>(table(odu)->cellWidget(row, HUnitTable::ColumnModel))) {
        if (model->unit() == unit) {
            HVRFProductHelper::getModelFromDb(model, category, productType(odu));
            if (!m_building)
                HUnitTable::widenTextColumns(table(odu));
        }
    }
    markEdited();
}

void HVRFUnitInfoWidget::modelChanged(bool odu, const QString& model, HUnit* unit, int row)
{
    if (!isShownCombo(odu, row, HUnitTable::ColumnModel) || !ownUnit(unit))
        return;
    qDebug() << "model" << model << "type" << unit->Getunit_type();
    // A quantity typed in the row counts, not the one the unit had before.
    saveRowQuantity(odu, unit, row);
    if (odu)
        HVRFProductHelper::getOutdoorUnitFromDb(-1, unit->Getunit_type(), model, unit);
    else
        HVRFProductHelper::getIndoorUnitFromDb(-1, unit->Getunit_type(), model, unit);
    updateRow(odu, unit, row);
    if (odu && !m_building)
        updateChartView();
    markEdited();
}

void HVRFUnitInfoWidget::updateODURow(HUnit* unit, int row)
{
    updateRow(true, unit, row);
}

void HVRFUnitInfoWidget::updateIDURow(HUnit* unit, int row)
{
    updateRow(false, unit, row);
}

void HVRFUnitInfoWidget::updateRow(bool odu, HUnit* unit, int row)
{
    QTableWidget* t = table(odu);
    if (row < 0 || row >= t->rowCount() || !unit)
        return;
    if (QTableWidgetItem* item = t->item(row, HUnitTable::ColumnQuantity))
        item->setText(QString::number(unit->Getquantity()));
    if (QTableWidgetItem* item = t->item(row, HUnitTable::ColumnCapacityCooling))
        HUnitTable::setCapacity(item, unit->Gettotal_capacity_cooling());
    if (QTableWidgetItem* item = t->item(row, HUnitTable::ColumnPowerCooling))
        HUnitTable::setPower(item, unit->Getpower_input_cooling());
    if (QTableWidgetItem* item = t->item(row, HUnitTable::ColumnCapacityHeating))
        HUnitTable::setCapacity(item, unit->Gettotal_capacity_heating());
    if (QTableWidgetItem* item = t->item(row, HUnitTable::ColumnPowerHeating))
        HUnitTable::setPower(item, unit->Getpower_input_heating());
}

void HVRFUnitInfoWidget::updateChartView()
{
    m_coolingChart->updateChart(0);
    m_heatingChart->updateChart(1);
}

// ---------------------------------------------------------------------------------
// Quantities, add, remove, copy

void HVRFUnitInfoWidget::odu_table_Quantity_save()
{
    saveQuantities(true);
}

void HVRFUnitInfoWidget::idu_table_Quantity_save()
{
    saveQuantities(false);
}

void HVRFUnitInfoWidget::saveQuantities(bool odu)
{
    QTableWidget* t = table(odu);
    for (int r = 0; r < t->rowCount(); ++r) {
        if (auto* combo = qobject_cast<HTableComboxItem*>(t->cellWidget(r, HUnitTable::ColumnType)))
            saveRowQuantity(odu, combo->unit(), r);
    }
}

void HVRFUnitInfoWidget::saveRowQuantity(bool odu, HUnit* unit, int row)
{
    const QTableWidgetItem* item = table(odu)->item(row, HUnitTable::ColumnQuantity);
    if (item && ownUnit(unit))
        unit->setquantity(HUnitTable::quantityOf(item));
}

void HVRFUnitInfoWidget::add_odu_action()
{
    addUnit(true);
}

void HVRFUnitInfoWidget::add_idu_action()
{
    addUnit(false);
}

void HVRFUnitInfoWidget::addUnit(bool odu)
{
    HVRF* own = ownSystem();
    if (!own)
        return;
    saveQuantities(odu);
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    own->append(unit);
    showList(odu);
    markEdited();
}

void HVRFUnitInfoWidget::remove_odu_action()
{
    removeUnit(true);
}

void HVRFUnitInfoWidget::remove_idu_action()
{
    removeUnit(false);
}

void HVRFUnitInfoWidget::removeUnit(bool odu)
{
    saveQuantities(odu);
    QTableWidget* t = table(odu);
    const int row = t->currentRow();
    auto* combo = qobject_cast<HTableComboxItem*>(t->cellWidget(row, HUnitTable::ColumnType));
    if (HUnit* unit = combo ? ownUnit(combo->unit()) : nullptr) {
        releaseCombos(t);
        ownSystem()->deleteUnit(unit);
        showList(odu);
    }
    markEdited();
}

void HVRFUnitInfoWidget::copyODUDataToOther()
{
    copyToOther(true);
}

void HVRFUnitInfoWidget::copyIDUDataToOther()
{
    copyToOther(false);
}

void HVRFUnitInfoWidget::copyToOther(bool odu)
{
    emit signal_before_copy_to_other();
    saveQuantities(odu);
    HVRF* own = ownSystem();
    HVRF* other = HProject::getProject()->getOtherVRFSys();
    if (!own || !other)
        return;
    QVector<HUnit*> present;
    if (odu)
        other->getAllOutoorUnits(present);
    else
        other->getAllIndoorUnits(present);
    if (!present.isEmpty()) {
        const auto answer = QMessageBox::question(
            this, TranslateString("warning"),
            TranslateString("Other's product data is not empty, do you want to replace it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    if (odu)
        other->deleteAllOutdoorUnits();
    else
        other->deleteAllIndoorUnits();

    QVector<HUnit*> units;
    if (odu)
        own->getAllOutoorUnits(units);
    else
        own->getAllIndoorUnits(units);
    for (const HUnit* unit : qAsConst(units)) {
        auto* copy = new HUnit;
        *copy = *unit;
        if (!odu)
            *copy->getVRFProductPerformanceData() = *other->getVRFProductPerformanceData();
        other->append(copy);
    }
    if (odu)
        emit UpdateOtherVRFODUTableData();
    else
        emit UpdateOtherVRFIDUTableData();
    markEdited();
}

// ---------------------------------------------------------------------------------
// Context menus

void HVRFUnitInfoWidget::PopTableWidget_ODU_menu(QPoint pos)
{
    popMenu(true, pos);
}

void HVRFUnitInfoWidget::PopTableWidget_IDU_menu(QPoint pos)
{
    popMenu(false, pos);
}

void HVRFUnitInfoWidget::popMenu(bool odu, const QPoint& pos)
{
    const QList<QAction*>& actions = odu ? m_oduActions : m_iduActions;
    HTableMenu::exec(table(odu), actions, actions[1], pos);
}

void HVRFUnitInfoWidget::markEdited()
{
    if (!m_building)
        HProject::getProject()->setisCalculationSuccess(false);
}
