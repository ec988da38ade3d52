#include "HSetPerformanceDataDialog.h"
#include "ui_HSetPerformanceDataDialog.h"

#include "HNumberCell.h"
#include "HProductPerformanceDataForVRF.h"
#include "HTableMenu.h"
#include "TranslateString.h"

#include <QAction>
#include <QHeaderView>
#include <QMessageBox>
#include <QSignalBlocker>
#include <algorithm>

namespace {

enum Column { ColumnTemperature, ColumnLoad, ColumnRatio };

// Outdoor temperatures at no load and at full load of the load lines.
constexpr double kNoLoadTemperature = 16.0;
constexpr double kCoolingFullLoadTemperature = 35.0;
constexpr double kHeatingFullLoadTemperature = -10.0;

// Divided, not multiplied by 0.01: a typed 95 gives the double nearest to 0.95.
double fromPercent(double percent)
{
    return percent / 100.0;
}

QTableWidgetItem* numberItem(double shown, double exact)
{
    auto* item = new QTableWidgetItem;
    HNumberCell::set(item, shown, exact);
    return item;
}

void sortByLoad(QVector<CAL_ITEM>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const CAL_ITEM& a, const CAL_ITEM& b) {
        return a.combination_rate > b.combination_rate;
    });
}

} // namespace

HSetPerformanceDataDialog::HSetPerformanceDataDialog(HProductPerformanceDataForVRF* data,
                                                     QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::HSetPerformanceDataDialog)
    , m_data(data)
{
    ui->setupUi(this);
    setWindowTitle(TranslateString("Performance Data"));
    ui->label_cooling->setText(TranslateString("Cooling Mode"));
    ui->label_heating->setText(TranslateString("Heating Mode"));
    ui->label_hint->setText(TranslateString("Right-click a table to insert or remove a point."));
    initTable(ui->tableWidget_cooling);
    initTable(ui->tableWidget_heating);
    connect(ui->tableWidget_cooling, &QTableWidget::cellChanged, this,
            &HSetPerformanceDataDialog::updateTableWidgetCoolingTemp);
    connect(ui->tableWidget_heating, &QTableWidget::cellChanged, this,
            &HSetPerformanceDataDialog::updateTableWidgetHeatingTemp);

    QVector<CAL_ITEM> cooling;
    QVector<CAL_ITEM> heating;
    if (m_data) {
        m_data->getCoolingModeItems(cooling);
        m_data->getHeatingModeItems(heating);
    }
    fillTable(ui->tableWidget_cooling, cooling);
    fillTable(ui->tableWidget_heating, heating);

    m_coolingActions = {new QAction(TranslateString("Insert"), this),
                        new QAction(TranslateString("Remove"), this)};
    m_heatingActions = {new QAction(TranslateString("Insert"), this),
                        new QAction(TranslateString("Remove"), this)};
    connect(m_coolingActions[0], &QAction::triggered, this,
            &HSetPerformanceDataDialog::InsertCoolingAction);
    connect(m_coolingActions[1], &QAction::triggered, this,
            &HSetPerformanceDataDialog::RemoveCoolingAction);
    connect(m_heatingActions[0], &QAction::triggered, this,
            &HSetPerformanceDataDialog::InsertHeatingAction);
    connect(m_heatingActions[1], &QAction::triggered, this,
            &HSetPerformanceDataDialog::RemoveHeatingAction);
    for (QTableWidget* t : {ui->tableWidget_cooling, ui->tableWidget_heating})
        t->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tableWidget_cooling, &QWidget::customContextMenuRequested, this,
            &HSetPerformanceDataDialog::PopTableWidget_Cooling_menu);
    connect(ui->tableWidget_heating, &QWidget::customContextMenuRequested, this,
            &HSetPerformanceDataDialog::PopTableWidget_Heating_menu);
}

HSetPerformanceDataDialog::~HSetPerformanceDataDialog()
{
    // An editor still open commits when it goes; nothing may answer that any more.
    for (QTableWidget* t : {ui->tableWidget_cooling, ui->tableWidget_heating})
        disconnect(t, nullptr, this, nullptr);
    delete ui;
}

QTableWidget* HSetPerformanceDataDialog::coolingTable() const
{
    return ui->tableWidget_cooling;
}

QTableWidget* HSetPerformanceDataDialog::heatingTable() const
{
    return ui->tableWidget_heating;
}

void HSetPerformanceDataDialog::initTable(QTableWidget* table)
{
    table->setColumnCount(3);
    // Outdoor temperatures of the points are kept in degrees C, whatever the display unit.
    table->setHorizontalHeaderLabels({TranslateString("Temperature") + QStringLiteral("(°C)"),
                                      TranslateString("Load(%)"),
                                      TranslateString("Energy input ratio(%)")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void HSetPerformanceDataDialog::fillTable(QTableWidget* table, QVector<CAL_ITEM> items)
{
    sortByLoad(items);
    // The stored temperatures are shown as they are, not derived from the loads.
    const QSignalBlocker block(table);
    table->setRowCount(items.size());
    for (int r = 0; r < items.size(); ++r) {
        const CAL_ITEM& item = items.at(r);
        QTableWidgetItem* temperature =
            numberItem(item.outdoor_air_temperature, item.outdoor_air_temperature);
        temperature->setFlags(temperature->flags() & ~Qt::ItemIsEditable);
        table->setItem(r, ColumnTemperature, temperature);
        table->setItem(r, ColumnLoad,
                       numberItem(item.combination_rate * 100.0, item.combination_rate));
        table->setItem(
            r, ColumnRatio,
            numberItem(item.electricity_input_ratio * 100.0, item.electricity_input_ratio));
    }
}

QVector<CAL_ITEM> HSetPerformanceDataDialog::readTable(const QTableWidget* table)
{
    QVector<CAL_ITEM> items;
    for (int r = 0; r < table->rowCount(); ++r) {
        CAL_ITEM item;
        const QTableWidgetItem* temperature = table->item(r, ColumnTemperature);
        const QTableWidgetItem* load = table->item(r, ColumnLoad);
        const QTableWidgetItem* ratio = table->item(r, ColumnRatio);
        // A typed (or derived) temperature is a whole number of degrees.
        if (HNumberCell::isUnedited(temperature))
            item.outdoor_air_temperature = HNumberCell::value(temperature);
        else if (temperature)
            item.outdoor_air_temperature = temperature->text().trimmed().toInt();
        item.combination_rate = HNumberCell::value(load, &fromPercent);
        item.electricity_input_ratio = HNumberCell::value(ratio, &fromPercent);
        items.append(item);
    }
    sortByLoad(items);
    return items;
}

void HSetPerformanceDataDialog::on_buttonBox_accepted()
{
    const QVector<CAL_ITEM> cooling = readTable(ui->tableWidget_cooling);
    const QVector<CAL_ITEM> heating = readTable(ui->tableWidget_heating);
    // A curve is drawn through its points; with fewer than two there is no curve and
    // the system would use no energy at all.
    if (cooling.size() < 2 || heating.size() < 2) {
        QMessageBox::information(
            this, TranslateString("Notice"),
            cooling.size() < 2 ? TranslateString("The cooling curve needs at least two points.")
                               : TranslateString("The heating curve needs at least two points."),
            QMessageBox::Ok);
        return;
    }
    if (m_data) {
        m_data->setCoolingModeItems(cooling);
        m_data->setHeatingModeItems(heating);
    }
    accept();
}

void HSetPerformanceDataDialog::updateTableWidgetCoolingTemp(int row, int column)
{
    updateTemperature(ui->tableWidget_cooling, row, column, kNoLoadTemperature,
                      kCoolingFullLoadTemperature);
}

void HSetPerformanceDataDialog::updateTableWidgetHeatingTemp(int row, int column)
{
    updateTemperature(ui->tableWidget_heating, row, column, kNoLoadTemperature,
                      kHeatingFullLoadTemperature);
}

void HSetPerformanceDataDialog::updateTemperature(QTableWidget* table, int row, int column,
                                                  double noLoad, double fullLoad)
{
    if (column != ColumnLoad)
        return;
    QTableWidgetItem* load = table->item(row, ColumnLoad);
    if (!load)
        return;
    const double v = load->text().trimmed().toDouble();
    if (v < 0.0) {
        QMessageBox::information(this, TranslateString("Notice"),
                                 TranslateString("The Combination ratio can not less than 0%."),
                                 QMessageBox::Ok);
        load->setText(QStringLiteral("0")); // comes back here with 0
        return;
    }
    if (v > 150.0) {
        QMessageBox::information(
            this, TranslateString("Notice"),
            TranslateString("The Combination ratio can not greater than 150%."), QMessageBox::Ok);
        load->setText(QStringLiteral("150"));
        return;
    }
    // The load line: no load at `noLoad` degrees, full load at `fullLoad` degrees;
    // the temperature is cut to whole degrees toward zero.
    const int temperature = int(noLoad + (fullLoad - noLoad) * v * 0.01);
    QTableWidgetItem* cell = table->item(row, ColumnTemperature);
    if (!cell) {
        cell = new QTableWidgetItem;
        table->setItem(row, ColumnTemperature, cell);
    }
    cell->setText(QString::number(temperature));
}

// ---------------------------------------------------------------------------------
// Rows

void HSetPerformanceDataDialog::InsertCoolingAction()
{
    insertRow(ui->tableWidget_cooling);
}

void HSetPerformanceDataDialog::RemoveCoolingAction()
{
    removeRow(ui->tableWidget_cooling);
}

void HSetPerformanceDataDialog::InsertHeatingAction()
{
    insertRow(ui->tableWidget_heating);
}

void HSetPerformanceDataDialog::RemoveHeatingAction()
{
    removeRow(ui->tableWidget_heating);
}

void HSetPerformanceDataDialog::insertRow(QTableWidget* table)
{
    // Before the current row; at the end when there is none (an emptied table).
    int r = table->currentRow();
    if (r < 0)
        r = table->rowCount();
    const QSignalBlocker block(table);
    table->insertRow(r);
    for (int c = ColumnTemperature; c <= ColumnRatio; ++c)
        table->setItem(r, c, new QTableWidgetItem);
}

void HSetPerformanceDataDialog::removeRow(QTableWidget* table)
{
    const int r = table->currentRow();
    if (r >= 0 && r < table->rowCount())
        table->removeRow(r);
}

void HSetPerformanceDataDialog::PopTableWidget_Cooling_menu(QPoint pos)
{
    popMenu(ui->tableWidget_cooling, m_coolingActions, pos);
}

void HSetPerformanceDataDialog::PopTableWidget_Heating_menu(QPoint pos)
{
    popMenu(ui->tableWidget_heating, m_heatingActions, pos);
}

void HSetPerformanceDataDialog::popMenu(QTableWidget* table, const QList<QAction*>& actions,
                                        const QPoint& pos)
{
    HTableMenu::exec(table, actions, actions[1], pos);
}
