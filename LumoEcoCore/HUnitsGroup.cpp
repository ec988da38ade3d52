#include "HUnitsGroup.h"

#include "HUnit.h"

#include <algorithm>
#include <limits>

namespace {
int saturatedInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}
} // namespace

HUnitsGroup::HUnitsGroup() = default;

HUnitsGroup::~HUnitsGroup()
{
    reset();
}

bool HUnitsGroup::calculate()
{
    double oduCapC = 0.0, oduPowC = 0.0, oduCapH = 0.0, oduPowH = 0.0;
    double iduCapC = 0.0, iduPowC = 0.0, iduCapH = 0.0, iduPowH = 0.0;
    // Quantities come from files; sum wide and saturate so that no input overflows.
    qint64 oduQty = 0, iduQty = 0;
    for (const HUnit* unit : qAsConst(*this)) {
        const double q = unit->Getquantity();
        if (unit->Getis_odu()) {
            oduCapC += q * unit->Gettotal_capacity_cooling();
            oduPowC += q * unit->Getpower_input_cooling();
            oduCapH += q * unit->Gettotal_capacity_heating();
            oduPowH += q * unit->Getpower_input_heating();
            oduQty += unit->Getquantity();
        } else {
            iduCapC += q * unit->Gettotal_capacity_cooling();
            iduPowC += q * unit->Getpower_input_cooling();
            iduCapH += q * unit->Gettotal_capacity_heating();
            iduPowH += q * unit->Getpower_input_heating();
            iduQty += unit->Getquantity();
        }
    }
    odu_total_capacity_cooling = oduCapC;
    odu_power_input_cooling = oduPowC;
    odu_total_capacity_heating = oduCapH;
    odu_power_input_heating = oduPowH;
    odu_total_quantity = saturatedInt(oduQty);
    idu_total_capacity_cooling = iduCapC;
    idu_power_input_cooling = iduPowC;
    idu_total_capacity_heating = iduCapH;
    idu_power_input_heating = iduPowH;
    idu_total_quantity = saturatedInt(iduQty);
    return true;
}

int HUnitsGroup::getAllOutoorUnits(QVector<HUnit*>& units) const
{
    for (HUnit* unit : *this)
        if (unit->Getis_odu())
            units.append(unit);
    return units.size();
}

int HUnitsGroup::getAllIndoorUnits(QVector<HUnit*>& units) const
{
    for (HUnit* unit : *this)
        if (!unit->Getis_odu())
            units.append(unit);
    return units.size();
}

void HUnitsGroup::deleteUnit(HUnit* unit)
{
    const int index = indexOf(unit);
    if (index < 0)
        return;
    remove(index);
    delete unit;
}

void HUnitsGroup::deleteWhere(bool odu)
{
    const auto matches = [odu](HUnit* unit) {
        if (unit->Getis_odu() != odu)
            return false;
        delete unit;
        return true;
    };
    erase(std::remove_if(begin(), end(), matches), end());
}

void HUnitsGroup::deleteAllOutdoorUnits()
{
    deleteWhere(true);
}

void HUnitsGroup::deleteAllIndoorUnits()
{
    deleteWhere(false);
}

void HUnitsGroup::reset()
{
    odu_total_capacity_cooling = 0.0;
    odu_power_input_cooling = 0.0;
    odu_total_capacity_heating = 0.0;
    odu_power_input_heating = 0.0;
    idu_total_capacity_cooling = 0.0;
    idu_power_input_cooling = 0.0;
    idu_total_capacity_heating = 0.0;
    idu_power_input_heating = 0.0;
    // An empty list has no units either, even before the next calculate().
    odu_total_quantity = 0;
    idu_total_quantity = 0;
    // Detach first so a unit's destructor never sees a half-emptied list.
    const QVector<HUnit*> units = *this;
    clear();
    qDeleteAll(units);
}
