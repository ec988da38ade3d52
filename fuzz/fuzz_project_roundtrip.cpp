// A project file (.ee) is read, saved and read again: the second reading must give
// the document the first one gave, whatever the input held.

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
    const QString input = env.write(QStringLiteral("input.ee"), data, size);
    const QString saved = env.dir() + QStringLiteral("/saved.ee");

    HProjectSession::newProject();
    HProjectNotices notices;
    if (!loadProjectFile(input, nullptr, &notices))
        return 0;
    const QJsonObject first = HProjectFile::toJson(HProject::getProject());
    QString error;
    if (!saveProjectFile(saved, &error)) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
        std::abort();
    }

    HProjectSession::newProject();
    if (!loadProjectFile(saved, &error)) {
        std::fprintf(stderr, "reopening the saved project failed: %s\n", qPrintable(error));
        std::abort();
    }
    const QJsonObject second = HProjectFile::toJson(HProject::getProject());
    if (first != second) {
        std::fprintf(stderr, "saving and reopening changed the project:\n%s\n---\n%s\n",
                     QJsonDocument(first).toJson().constData(),
                     QJsonDocument(second).toJson().constData());
        std::abort();
    }
    return 0;
}
