// An export file (.eed) of the selection software imported into a project.

#include "HFuzzEnvironment.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HProject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    const QString input = env.write(QStringLiteral("input.eed"), data, size);
    HProjectNotices notices;
    QString error;
    if (HProjectSession::openProject(input, &error, &notices))
        HProjectFile::toJson(HProject::getProject());
    return 0;
}
