#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

#include <HPolyFitHelper.h>
#include <QJsonArray>
#include <QMap>
#include <QVector>
#include <vector>

// One part-load point. The temperature is kept for the file and the editor only.
struct CAL_ITEM
{
    double outdoor_air_temperature = 0.0;
    double combination_rate = 0.0;        // load / rated capacity (1.0 = 100 %)
    double electricity_input_ratio = 0.0; // power input / rated power input
};

// Part-load curves of a VRF unit or system: cooling and heating point lists
// and the EIR at any combination rate through a spline over the points.
// The fitted splines are kept and refitted only when a list changes; the
// values equal those of fitting the current points at every call.
class LUMOECOCORE_EXPORT HProductPerformanceDataForVRF
{
public:
    HProductPerformanceDataForVRF();
    ~HProductPerformanceDataForVRF() = default;
    HProductPerformanceDataForVRF(const HProductPerformanceDataForVRF& other);
    HProductPerformanceDataForVRF& operator=(const HProductPerformanceDataForVRF& other);

    // Rated values back to their defaults; point lists from the default curve
    // file "OtherVRFPerformanceData.json" (HAppPaths::curveFile), which is
    // written with the default curves among the user's files when missing. The file is parsed once
    // per process and again only after it changed, not once per object.
    void init();

    void setCoolingModeItems(const QVector<CAL_ITEM>& items);
    void setHeatingModeItems(const QVector<CAL_ITEM>& items);
    void getCoolingModeItems(QVector<CAL_ITEM>& items) const;
    void getHeatingModeItems(QVector<CAL_ITEM>& items) const;

    // Tabulates both curves at vecCombinationRateSeries (for charts).
    bool calculate();

    // EIR at |rate| on the cooling / heating curve, sign removed; 0 for an empty list.
    double calculateEIR(double rate) const;
    double calculateCOP(double rate) const;

    void setMapCombiToEIR(const QMap<double, double>& map);
    void setMapCombiToCOP(const QMap<double, double>& map);
    void getMapCombiToEIR(QMap<double, double>& map) const;
    void getMapCombiToCOP(QMap<double, double>& map) const;

    // Point map of a list: rate -> ratio, a later equal rate replaces an earlier one.
    static QMap<double, double> toPointMap(const QVector<CAL_ITEM>& items);

    // Points as the curve file and the project file write them: objects with
    // "combination_rate", "electricity_input_ratio" and "outdoor_air_temperature".
    static QJsonArray toJsonArray(const QVector<CAL_ITEM>& items);
    // Objects that are not empty become points, missing members reading 0.
    static QVector<CAL_ITEM> fromJsonArray(const QJsonArray& array);

    // Abscissae of the tabulated curves: 0, 0.1, ... (eleven running sums).
    static std::vector<double> vecCombinationRateSeries;

    H_MEMBER(double, total_capacity_cooling) = 28.0;
    H_MEMBER(double, power_input_cooling) = 7.3;
    H_MEMBER(double, total_capacity_heaing__10) = 23.0;
    H_MEMBER(double, power_input_heating__10) = 7.3;
    H_MEMBER(double, total_capacity_heaing_7) = 28.0;
    H_MEMBER(double, power_input_heating_7) = 3.5;

private:
    static double evaluate(const QVector<CAL_ITEM>& items, HSpline& spline, bool& fitted,
                           double rate);

    QVector<CAL_ITEM> cooling_items;
    QVector<CAL_ITEM> heating_items;
    QMap<double, double> map_combi_to_eir;
    QMap<double, double> map_combi_to_cop;

    // Fitted splines of the current lists; refitted lazily after a list changes.
    mutable HSpline spline_cooling;
    mutable HSpline spline_heating;
    mutable bool spline_cooling_fitted = false;
    mutable bool spline_heating_fitted = false;
};
