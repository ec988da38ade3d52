// A project file (.ee) is read, saved and read again: the second reading must give the
// document the first one gave, whatever the input held. Both readings start from the
// same known project, so a value the reading misses shows as a change. One project is
// reused for every input: building a project costs more than reading one.

#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    static const QJsonObject start = HProjectFile::toJson(HProjectSession::newProject());
    HProject* project = HProject::getProject();
    const QString input = env.write(QStringLiteral("input.ee"), data, size);
    const QString saved = env.dir() + QStringLiteral("/saved.ee");

    HProjectFile::fromJson(start, project);
    HProjectNotices notices;
    if (!loadProjectFile(input, nullptr, &notices))
        return 0;
    const QJsonObject first = HProjectFile::toJson(project);
    QString error;
    if (!saveProjectFile(saved, &error)) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
        std::abort();
    }

    HProjectFile::fromJson(start, project);
    if (!loadProjectFile(saved, &error)) {
        std::fprintf(stderr, "reopening the saved project failed: %s\n", qPrintable(error));
        std::abort();
    }
    const QJsonObject second = HProjectFile::toJson(project);
    if (first != second) {
        std::fprintf(stderr, "saving and reopening changed the project:\n%s\n---\n%s\n",
                     QJsonDocument(first).toJson().constData(),
                     QJsonDocument(second).toJson().constData());
        std::abort();
    }
    return 0;
}
