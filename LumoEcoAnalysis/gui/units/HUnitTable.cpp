#include "HUnitTable.h"

#include "CUnitFun.h"
#include "HNumberCell.h"
#include "HNumberDelegate.h"
#include "TranslateString.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>

void HUnitTable::initTable(QTableWidget* table)
{
    const QString load = CUnitFun::GetUnitLoadString(0);
    const QStringList headers{TranslateString("Unit Type"), TranslateString("Model"),
                              TranslateString("Quantity"),  TranslateString("TC(C)") + load,
                              TranslateString("PI(C) kW"),  TranslateString("TC(H)") + load,
                              TranslateString("PI(H) kW")};
    const int widths[ColumnCount] = {200, 150, 70, 80, 80, 80, 80};
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels(headers);
    // A header longer than its column (another load unit, another language) widens it.
    const QFontMetrics metrics(table->horizontalHeader()->font());
    for (int c = 0; c < ColumnCount; ++c)
        table->setColumnWidth(c, qMax(widths[c], metrics.horizontalAdvance(headers.at(c)) + 16));
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->verticalHeader()->hide(); // row numbers say nothing here; the room goes to the columns
    if (!qobject_cast<HNumberDelegate*>(table->itemDelegateForColumn(ColumnQuantity))) {
        table->setItemDelegateForColumn(ColumnQuantity,
                                        new HNumberDelegate(HNumberDelegate::Count, table));
        for (int c :
             {ColumnCapacityCooling, ColumnPowerCooling, ColumnCapacityHeating, ColumnPowerHeating})
            table->setItemDelegateForColumn(c, new HNumberDelegate(HNumberDelegate::Amount, table));
    }
}

void HUnitTable::widenTextColumns(QTableWidget* table)
{
    for (int c : {ColumnType, ColumnModel}) {
        int width = table->columnWidth(c);
        table->resizeColumnToContents(c); // texts
        width = qMax(width, table->columnWidth(c));
        for (int r = 0; r < table->rowCount(); ++r) { // combo boxes, with all their entries
            const auto* combo = qobject_cast<const QComboBox*>(table->cellWidget(r, c));
            if (!combo)
                continue;
            const QFontMetrics metrics(combo->font());
            int text = 0;
            for (int i = 0; i < combo->count(); ++i)
                text = qMax(text, metrics.horizontalAdvance(combo->itemText(i)));
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QSize size = combo->style()->sizeFromContents(
                QStyle::CT_ComboBox, &option, QSize(text, metrics.height()), combo);
            width = qMax(width, size.width() + 4);
        }
        table->setColumnWidth(c, width);
    }
}

QTableWidgetItem* HUnitTable::quantityItem(int quantity)
{
    return new QTableWidgetItem(QString::number(quantity));
}

int HUnitTable::quantityOf(const QTableWidgetItem* item)
{
    return item ? item->text().trimmed().toInt() : 0;
}

QTableWidgetItem* HUnitTable::capacityItem(double kW)
{
    auto* item = new QTableWidgetItem;
    setCapacity(item, kW);
    return item;
}

double HUnitTable::capacityOf(const QTableWidgetItem* item)
{
    return HNumberCell::value(item, &CUnitFun::capacityToBase);
}

QTableWidgetItem* HUnitTable::powerItem(double kW)
{
    auto* item = new QTableWidgetItem;
    setPower(item, kW);
    return item;
}

double HUnitTable::powerOf(const QTableWidgetItem* item)
{
    return HNumberCell::value(item);
}

void HUnitTable::setCapacity(QTableWidgetItem* item, double kW)
{
    HNumberCell::set(item, CUnitFun::capacityToCurrent(kW), kW);
}

void HUnitTable::setPower(QTableWidgetItem* item, double kW)
{
    HNumberCell::set(item, kW, kW);
}

void HUnitTable::setReadOnly(QTableWidgetItem* item)
{
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
}
