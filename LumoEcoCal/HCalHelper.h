#pragma once
#include "LumoEcoCalExport.h"

#include <QMap>
#include <QString>
#include <functional>

class HHour;

// The check and the hourly load and energy calculation of the global project's
// year: building load around the balance point (or from the "__temp_data"
// table), part-load ratios of both systems, one result record per unit line and
// hour, monthly sums and the own system's statistics by outdoor temperature.
class LUMOECOCAL_EXPORT HCalHelper
{
public:
    HCalHelper() = default;

    // Answers the one yes/no question of isCanCalculate. The default shows a
    // message box (and answers no when the process has no widgets to show it).
    using QuestionHook = std::function<bool(const QString& title, const QString& text)>;
    // A null hook restores the default.
    static void setQuestionHook(QuestionHook hook);

    // Checks weather, own and other units; may replace out-of-range peak loads.
    // On false `message` says why.
    static bool isCanCalculate(QString& message);
    // Replaces a peak load whose outdoor capacity ratio lies outside 50 %..150 %
    // by 110 % of the capacity and describes the last such case in `message`.
    // Always false.
    static bool calculatePeakLoad(QString& message, bool recalculateTotals);
    // The whole year; false only when the project has no year.
    static bool calculateLoadAtHour(bool adjust);

    // Hourly building loads of "__temp_data", keyed by the hour number as text.
    // True when at least one value was read.
    static bool findInputLoadData(QMap<QString, double>& loads);

    // Per-hour steps, in the order calculateLoadAtHour runs them.
    static void calculateThermostatMode(HHour* hour);
    static void calculateLoadPrecent(HHour* hour);
    static void calculateBuildLoad(HHour* hour);
    static void calculateBuildLoad(HHour* hour, const QMap<QString, double>& loads);
    static void reCalculateLoadPrecent(HHour* hour);
    static void calculateUnitTotalCapacity(HHour* hour);
    static void calclateEIRAndPower_own_vrf(HHour* hour);
    static void calclateEIRAndPower_other_vrf(HHour* hour);

    // Own system's cooling / heating statistics by outdoor temperature.
    static void statisCalculationResult_own_vrf();
    // The other system has no statistics; kept for symmetry.
    static void statisCalculationResult_other_vrf();

    // Tables of both systems' curves at 0 %..120 % load: "x\town\tother" lines, percent.
    static QString calEIRTest();
    static QString calCOPTest();
    // Mean over the own outdoor unit lines; 0 without any.
    static double calEIRTestForOwnVRF(double rate);
    static double calCOPTestForOwnVRF(double rate);
    // The other system's whole-system curve.
    static double calEIRTestForOtherVRF(double rate);
    static double calCOPTestForOtherVRF(double rate);
};
