// An EPW or TMY3 weather file as a whole (headers and any number of rows), read as the
// weather page and lumoeco weather import read it. Whole years reaching the database
// and the analysis are the weather_year harness's.

#include "HFuzzEnvironment.h"
#include "HWeatherImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    HWeatherImport importer;
    importer.readFile(env.write(QStringLiteral("input.txt"), data, size));
    return 0;
}
