// An export file (.eed) of the selection software imported into a project (one project
// reused for every input), then written as a project document.

#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    HProject* project = HProjectSession::startProject();
    const QString input = env.write(QStringLiteral("input.eed"), data, size);
    HProjectNotices notices;
    QString error;
    if (openEED(input, &error, &notices))
        HProjectFile::toJson(project);
    return 0;
}
