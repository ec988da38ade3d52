// The tables of the EIR and COP curves of both systems, 0 % to 120 % of load.
#include "HCalHelper.h"

#include <HProductPerformanceDataForVRF.h>
#include <HProject.h>
#include <HUnit.h>
#include <HVRF.h>

#include <QStringList>

namespace {

double ownMean(double rate, bool cooling)
{
    const HVRF* own = HProject::getProject()->getOwnVRFSys();
    if (!own)
        return 0.0;
    QVector<HUnit*> odus;
    if (own->getAllOutoorUnits(odus) == 0)
        return 0.0;
    double sum = 0.0;
    for (const HUnit* unit : qAsConst(odus)) {
        const HProductPerformanceDataForVRF* data = unit->getVRFProductPerformanceData();
        if (data)
            sum += cooling ? data->calculateEIR(rate) : data->calculateCOP(rate);
    }
    return sum / odus.size();
}

double otherCurve(double rate, bool cooling)
{
    const HVRF* other = HProject::getProject()->getOtherVRFSys();
    const HProductPerformanceDataForVRF* data =
        other ? other->getVRFProductPerformanceData() : nullptr;
    if (!data)
        return 0.0;
    return cooling ? data->calculateEIR(rate) : data->calculateCOP(rate);
}

QString curveTable(double (*own)(double), double (*other)(double))
{
    QStringList lines;
    // Repeated addition on purpose: thirteen rows, 0 % to 120 %.
    for (double x = 0.0; x < 1.3; x += 0.1) {
        lines << QStringLiteral("%1\t%2\t%3")
                     .arg(QStringLiteral("%1").arg(x * 100.0, 10, 'g', 6),
                          QStringLiteral("%1").arg(own(x) * 100.0, 10, 'g', 6),
                          QStringLiteral("%1").arg(other(x) * 100.0, 10, 'g', 6));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString HCalHelper::calEIRTest()
{
    return curveTable(&HCalHelper::calEIRTestForOwnVRF, &HCalHelper::calEIRTestForOtherVRF);
}

QString HCalHelper::calCOPTest()
{
    return curveTable(&HCalHelper::calCOPTestForOwnVRF, &HCalHelper::calCOPTestForOtherVRF);
}

double HCalHelper::calEIRTestForOwnVRF(double rate)
{
    return ownMean(rate, true);
}

double HCalHelper::calCOPTestForOwnVRF(double rate)
{
    return ownMean(rate, false);
}

double HCalHelper::calEIRTestForOtherVRF(double rate)
{
    return otherCurve(rate, true);
}

double HCalHelper::calCOPTestForOtherVRF(double rate)
{
    return otherCurve(rate, false);
}
