#pragma once
#include <QString>

class QTableWidget;
class QTableWidgetItem;

// The unit tables of both systems' pages: columns, headers in the display load
// unit, and their cells (numbers as HNumberCell: unedited, they give back the
// exact stored value).
class HUnitTable
{
public:
    enum Column {
        ColumnType,
        ColumnModel,
        ColumnQuantity,
        ColumnCapacityCooling,
        ColumnPowerCooling,
        ColumnCapacityHeating,
        ColumnPowerHeating,
        ColumnCount
    };
    static constexpr int rowHeight = 30;

    // Seven columns with their translated headers and widths, one whole row selected
    // at a time; typed numbers are checked by a validator.
    static void initTable(QTableWidget* table);

    // Widens the category and model columns to their longest text (never narrower).
    static void widenTextColumns(QTableWidget* table);

    // A quantity cell.
    static QTableWidgetItem* quantityItem(int quantity);
    // The cell's text as a whole number; anything else gives 0.
    static int quantityOf(const QTableWidgetItem* item);

    // Capacity cell in the display load unit; `kW` is what it gives back unedited.
    static QTableWidgetItem* capacityItem(double kW);
    // kW of a capacity cell: its stored value when unedited, else its text converted
    // from the display unit. No cell or no number gives 0.
    static double capacityOf(const QTableWidgetItem* item);

    // Power input cell (kW in every unit system).
    static QTableWidgetItem* powerItem(double kW);
    static double powerOf(const QTableWidgetItem* item);

    // Writes a capacity or power value into an existing cell.
    static void setCapacity(QTableWidgetItem* item, double kW);
    static void setPower(QTableWidgetItem* item, double kW);

    // Read-only cell (the flag that allows editing removed).
    static void setReadOnly(QTableWidgetItem* item);
};
