// The other system's default part-load curve file, OtherVRFPerformanceData.json:
// read by a new performance-data object, tabulated, and evaluated over the whole range
// of load ratios the hourly calculation uses. Every value must be a finite number
// when the points themselves are of a sensible size.

#include "HFuzzEnvironment.h"
#include "HProductPerformanceDataForVRF.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.write(QStringLiteral("OtherVRFPerformanceData.json"), data, size);
    HProductPerformanceDataForVRF curves;
    curves.calculate();
    QVector<CAL_ITEM> cooling, heating;
    curves.getCoolingModeItems(cooling);
    curves.getHeatingModeItems(heating);
    for (const CAL_ITEM& item : cooling + heating) {
        if (!(std::fabs(item.combination_rate) < 1e3 && std::fabs(item.electricity_input_ratio) < 1e3))
            return 0;
    }
    for (double rate = -1.5; rate <= 1.5; rate += 0.125) {
        const double eir = curves.calculateEIR(rate);
        const double cop = curves.calculateCOP(rate);
        if (!std::isfinite(eir) || !std::isfinite(cop)) {
            std::fprintf(stderr, "curve value at %g is not finite: %g %g\n", rate, eir, cop);
            std::abort();
        }
    }
    return 0;
}
