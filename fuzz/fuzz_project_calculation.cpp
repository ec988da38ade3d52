// A project file (.ee) through everything lumoeco calculate does: open, location and
// weather, check, weather analysis, the hourly year, the figures and their reports.

#include "HCalculationRun.h"
#include "HFuzzEnvironment.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    env.useWeather();
    HCalculationRun::Options options;
    options.projectPath = env.write(QStringLiteral("input.ee"), data, size);
    // The input's own last byte decides the two switches, so both ways are reached.
    const uint8_t flags = size > 0 ? data[size - 1] : 0;
    options.adjustGiven = true;
    options.adjust = flags & 1;
    options.withoutOther = flags & 2;

    HCalculationRun run;
    QString message;
    const HCalculationRun::Status status = run.run(options, &message);
    if (status != HCalculationRun::Success) {
        if (message.isEmpty()) {
            std::fprintf(stderr, "refused without a message (status %d)\n", int(status));
            std::abort();
        }
        return 0;
    }
    run.toTable();
    run.toJson();
    run.toCsv();
    return 0;
}
