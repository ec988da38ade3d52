#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

#include <QVector>

class HUnit;

// The units of one system (owned, never null) and their totals. The totals
// are a cache, valid after calculate() on the current list.
class LUMOECOCORE_EXPORT HUnitsGroup : public QVector<HUnit*>
{
public:
    HUnitsGroup();
    virtual ~HUnitsGroup();
    // Systems never share unit objects: no copies.
    HUnitsGroup(const HUnitsGroup&) = delete;
    HUnitsGroup& operator=(const HUnitsGroup&) = delete;

    // Recomputes the ten totals in one pass; always true.
    bool calculate();

    // Append matching units in list order (the vector is not emptied first);
    // return the vector's size afterwards.
    int getAllOutoorUnits(QVector<HUnit*>& units) const;
    int getAllIndoorUnits(QVector<HUnit*>& units) const;

    void deleteUnit(HUnit* unit);
    void deleteAllOutdoorUnits();
    void deleteAllIndoorUnits();

    // Deletes every unit and zeroes the totals.
    void reset();

    H_MEMBER(double, odu_total_capacity_cooling) = 0.0;
    H_MEMBER(double, odu_power_input_cooling) = 0.0;
    H_MEMBER(double, odu_total_capacity_heating) = 0.0;
    H_MEMBER(double, odu_power_input_heating) = 0.0;
    H_MEMBER(int, odu_total_quantity) = 0;
    H_MEMBER(double, idu_total_capacity_cooling) = 0.0;
    H_MEMBER(double, idu_power_input_cooling) = 0.0;
    H_MEMBER(double, idu_total_capacity_heating) = 0.0;
    H_MEMBER(double, idu_power_input_heating) = 0.0;
    H_MEMBER(int, idu_total_quantity) = 0;

private:
    void deleteWhere(bool odu);
};
