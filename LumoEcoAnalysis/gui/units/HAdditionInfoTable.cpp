#include "HAdditionInfoTable.h"

#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HNumberDelegate.h"
#include "TranslateString.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace {

using Record = HAdditionalInfomaitonWithVRFWater;

struct Field
{
    int row;
    int column;
    const double& (Record::*read)() const;
    double& (Record::*write)();
};

#define H_FIELD(row, column, name)                                                                 \
    {                                                                                              \
        row, column, &Record::Get##name, &Record::get##name                                        \
    }

// The record's data cells.
const Field kFields[] = {
    // clang-format off
    H_FIELD(1, 1, cooling_tower_capacity),
    H_FIELD(1, 2, cooling_tower_quantity),
    H_FIELD(1, 3, cooling_tower_price_ea),
    H_FIELD(2, 1, cooling_tower_power_input),
    H_FIELD(4, 1, circulation_water_pump_power_input),
    H_FIELD(4, 2, circulation_water_pump_quantity),
    H_FIELD(4, 3, circulation_water_pump_price_ea),
    H_FIELD(6, 1, fossil_fuel_boiler_power_input),
    H_FIELD(6, 2, fossil_fuel_boiler_quantity),
    H_FIELD(6, 3, fossil_fuel_boiler_price_ea),
    H_FIELD(7, 1, fossil_fuel_boiler_fuel_input_gas),
    // clang-format on
};

#undef H_FIELD

constexpr int kTotalRow = 8;

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QTableWidgetItem* titleItem(const QString& text)
{
    QTableWidgetItem* item = readOnlyItem(text);
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

HAdditionInfoTable::HAdditionInfoTable(QWidget* parent)
    : QTableWidget(parent)
{
    setItemDelegate(new HNumberDelegate(HNumberDelegate::Amount, this));
    initAdditionTable();
}

void HAdditionInfoTable::initAdditionTable()
{
    const QSignalBlocker block(this);
    clearSpans();
    clear();
    setFixedWidth(400);
    setMinimumHeight(360);
    setColumnCount(4);
    setRowCount(9);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const int widths[] = {200, 40, 40, 40};
    for (int c = 0; c < 4; ++c)
        setColumnWidth(c, widths[c]);
    setHorizontalHeaderLabels({TranslateString("Description"), TranslateString("Data"),
                               TranslateString("ea"), TranslateString("Price/ea")});

    for (int row : {0, 3, 5})
        setSpan(row, 0, 1, 4);
    for (int row : {1, 6}) {
        setSpan(row, 2, 2, 1);
        setSpan(row, 3, 2, 1);
    }
    setSpan(kTotalRow, 0, 1, 2);

    setItem(0, 0, titleItem(TranslateString("Cooling Tower")));
    setItem(1, 0, readOnlyItem(TranslateString("Capacity CRT")));
    setItem(2, 0, readOnlyItem(TranslateString("Power Input kW")));
    setItem(3, 0, titleItem(TranslateString("Circulation-Water Pump")));
    setItem(4, 0, readOnlyItem(TranslateString("Rated Power Input kW")));
    setItem(5, 0, titleItem(TranslateString("Fossil-fuel Boiler")));
    setItem(6, 0, readOnlyItem(TranslateString("Power Input(Electricity) kW")));
    setItem(7, 0, readOnlyItem(TranslateString("Fuel Input(gas) N/m^3")));
    setItem(kTotalRow, 0, readOnlyItem(TranslateString("Total")));
    for (const Field& f : kFields)
        setItem(f.row, f.column, new QTableWidgetItem);
    setItem(kTotalRow, 2, readOnlyItem(QString()));
    setItem(kTotalRow, 3, readOnlyItem(QString()));
}

void HAdditionInfoTable::showAdditionInfo(const HAdditionalInfomaitonWithVRFWater* record)
{
    if (!record)
        return;
    const QSignalBlocker block(this);
    for (const Field& f : kFields)
        item(f.row, f.column)->setText(numberText((record->*f.read)()));
    item(kTotalRow, 2)->setText(QString::number(record->GettotalQuantity()));
    item(kTotalRow, 3)->setText(QString::number(record->GettotalPrice()));
    viewport()->update();
}

void HAdditionInfoTable::saveAdditionInfo(HAdditionalInfomaitonWithVRFWater* record) const
{
    if (!record)
        return;
    for (const Field& f : kFields) {
        const QTableWidgetItem* cell = item(f.row, f.column);
        (record->*f.write)() = cell ? cell->text().trimmed().toDouble() : 0.0;
    }
}
