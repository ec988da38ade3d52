#pragma once
#include <QTableWidget>

class HAdditionalInfomaitonWithVRFWater;

// The water-side equipment of a water-cooled VRF system (cooling tower, circulation
// pump, fossil-fuel boiler) with their quantities, prices and totals, as a
// 4 x 9 table. The table only shows and reads a record; the page owning it decides
// when.
class HAdditionInfoTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit HAdditionInfoTable(QWidget* parent = nullptr);

    // Lays the table out again: labels (translated), spans, empty data cells.
    void initAdditionTable();
    // Writes the record's eleven fields and its two totals into the cells.
    void showAdditionInfo(const HAdditionalInfomaitonWithVRFWater* record);
    // Reads the eleven data cells into the record; empty or invalid text gives 0.
    void saveAdditionInfo(HAdditionalInfomaitonWithVRFWater* record) const;
};
