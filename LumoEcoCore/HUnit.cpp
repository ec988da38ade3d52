#include "HUnit.h"

#include "HProductPerformanceDataForVRF.h"

#include <QDebug>
#include <QJsonObject>

HUnit::HUnit()
    : performance_data(new HProductPerformanceDataForVRF)
{
}

HUnit::HUnit(const HUnit& other)
    : performance_data(new HProductPerformanceDataForVRF)
{
    copyLine(other);
}

HUnit::~HUnit()
{
    qDebug() << "HUnit::~HUnit()";
    delete performance_data;
}

HUnit& HUnit::operator=(const HUnit& other)
{
    if (this != &other)
        copyLine(other);
    return *this;
}

void HUnit::copyLine(const HUnit& other)
{
    id_series = other.id_series;
    unit_type = other.unit_type;
    unit_productcode = other.unit_productcode;
    unit_model = other.unit_model;
    quantity = other.quantity;
    total_capacity_cooling = other.total_capacity_cooling;
    power_input_cooling = other.power_input_cooling;
    total_capacity_heating = other.total_capacity_heating;
    power_input_heating = other.power_input_heating;
    price_ea = other.price_ea;
    is_odu = other.is_odu;
    jsonArrayData_c = other.jsonArrayData_c;
    jsonArrayData_h = other.jsonArrayData_h;
}

void HUnit::reset(bool keepTexts)
{
    if (!keepTexts) {
        unit_type.clear();
        unit_productcode.clear();
        unit_model.clear();
        quantity = 0;
    }
    id_series = -1;
    total_capacity_cooling = 0.0;
    power_input_cooling = 0.0;
    total_capacity_heating = 0.0;
    power_input_heating = 0.0;
    price_ea = 0.0;
    is_odu = true;
    jsonArrayData_c = QJsonArray();
    jsonArrayData_h = QJsonArray();
}

namespace {

// Product points to part-load points, anchored at 30 % load / 20 % power and
// at zero load / zero power. Without a rated power input there is no curve.
QVector<CAL_ITEM> productPoints(const QJsonArray& points, double ratedPowerInput)
{
    QVector<CAL_ITEM> items;
    if (!(ratedPowerInput > 0.0))
        return items;
    items.reserve(points.size() + 2);
    for (const QJsonValue& value : points) {
        const QJsonObject point = value.toObject();
        CAL_ITEM item;
        item.combination_rate = point.value(QStringLiteral("precent")).toDouble() * 0.01;
        item.electricity_input_ratio =
            point.value(QStringLiteral("pi")).toDouble() / ratedPowerInput;
        items.append(item);
    }
    items.append(CAL_ITEM{0.0, 0.3, 0.2});
    items.append(CAL_ITEM{0.0, 0.0, 0.0});
    return items;
}

} // namespace

void HUnit::calculate()
{
    if (!performance_data)
        return;
    performance_data->setCoolingModeItems(productPoints(jsonArrayData_c, power_input_cooling));
    performance_data->setHeatingModeItems(productPoints(jsonArrayData_h, power_input_heating));
    performance_data->calculate();
}
