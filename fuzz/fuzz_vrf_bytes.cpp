// A project database (.vrf) of the selection software, as raw bytes: damaged pages,
// odd schemas, anything a file can hold. One project is reused for every input.

#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    // A journal or WAL file left from an earlier input would be read with this one.
    for (const char* extra : {"-journal", "-wal", "-shm"})
        QFile::remove(env.dir() + QStringLiteral("/input.vrf") + QLatin1String(extra));
    const QString input = env.write(QStringLiteral("input.vrf"), data, size);
    HProjectNotices notices;
    QString error;
    HProject* project = HProjectSession::startProject();
    if (openVRF(input, &error, &notices))
        HProjectFile::toJson(project);
    return 0;
}
