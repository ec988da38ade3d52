#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

#include <QJsonArray>
#include <QString>

class HProductPerformanceDataForVRF;

// One line of a unit table: a model and how many of it. Owns its part-load data.
class LUMOECOCORE_EXPORT HUnit
{
public:
    HUnit();
    ~HUnit();
    // Copies the line like operator=; the copy gets its own part-load data.
    HUnit(const HUnit& other);
    // Copies the line's data; the part-load data object stays the target's own.
    HUnit& operator=(const HUnit& other);

    // keepTexts false also empties the three texts and sets quantity 0.
    void reset(bool keepTexts);

    // Rebuilds the part-load point lists from the product points
    // (jsonArrayData_c / _h) and tabulates the curves.
    void calculate();

    HProductPerformanceDataForVRF* getVRFProductPerformanceData() const { return performance_data; }

    H_MEMBER(int, id_series) = -1;
    H_MEMBER(QString, unit_type);
    H_MEMBER(QString, unit_productcode);
    H_MEMBER(QString, unit_model);
    H_MEMBER(int, quantity) = 0;
    H_MEMBER(double, total_capacity_cooling) = 0.0;
    H_MEMBER(double, power_input_cooling) = 0.0;
    H_MEMBER(double, total_capacity_heating) = 0.0;
    H_MEMBER(double, power_input_heating) = 0.0;
    H_MEMBER(double, price_ea) = 0.0;
    H_MEMBER(bool, is_odu) = true;
    // product points: objects {"precent", "tc", "pi"}
    H_MEMBER(QJsonArray, jsonArrayData_c);
    H_MEMBER(QJsonArray, jsonArrayData_h);

private:
    void copyLine(const HUnit& other);

    HProductPerformanceDataForVRF* performance_data = nullptr;
};
