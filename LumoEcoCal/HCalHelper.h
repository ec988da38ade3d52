#pragma once
#include "HPeakLoadReplacement.h"
#include "LumoEcoCalExport.h"

#include <QMap>
#include <QString>
#include <QVector>
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

    // Why a project cannot be calculated.
    enum class Refusal {
        None,
        NoWeatherYear, // the project's year holds no full year of weather
        NoOwnUnits,    // no own outdoor or no own indoor unit line
        NoOwnCapacity, // own outdoor units without any cooling or heating capacity
        NoOtherUnits,  // no other units, and the question was answered no
    };

    // What the check found.
    struct CheckResult
    {
        bool canCalculate = false;
        Refusal refusal = Refusal::None;
        // Why, when refused: translated lines joined by '\n' (the last one says where to
        // look); empty otherwise.
        QString message;
        // The peak loads the check replaced, in the order replaced (cooling first).
        QVector<HPeakLoadReplacement> peakLoadReplacements;
    };

    // Checks weather, own and other units; may replace out-of-range peak loads. A
    // project whose own outdoor units have neither cooling nor heating capacity (their
    // models unknown to the product database) is refused before its peak loads change.
    static CheckResult checkCanCalculate();
    // checkCanCalculate() as a yes/no; on false `message` says why.
    static bool isCanCalculate(QString& message);
    // Replaces a peak load whose outdoor capacity ratio lies outside 50 %..150 %
    // by 110 % of the capacity and describes the last such case in `message`; each
    // replacement that changes a load is appended to `replacements` when given.
    // Always false.
    static bool calculatePeakLoad(QString& message, bool recalculateTotals,
                                  QVector<HPeakLoadReplacement>* replacements = nullptr);
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
