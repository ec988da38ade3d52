// The configuration file ee_config.json: read, asked for every switch, changed and
// written back (a file that held no JSON object must be left as it was).

#include "HFuzzEnvironment.h"
#include "HJsonConfig.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QString path = env.write(QStringLiteral("ee_config.json"), bytes);
    const bool isObject = HJsonConfig::read(path);
    for (const char* key : {"is_adjust", "is_debug", "is_print_all"}) {
        for (const char* group : {"adjust", "other"}) {
            bool value = true;
            HJsonConfig::getValue(QLatin1String(group), QLatin1String(key), value);
        }
    }
    bool adjust = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), adjust);
    HJsonConfig::setValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), !adjust);
    bool back = adjust;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), back);
    if (back == adjust) {
        std::fprintf(stderr, "a stored switch does not read back\n");
        std::abort();
    }
    if (!isObject) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != bytes) {
            std::fprintf(stderr, "a configuration file without a JSON object was replaced\n");
            std::abort();
        }
    }
    return 0;
}
