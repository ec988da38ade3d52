#include "HAppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString HAppPaths::applicationDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    // Without an application object there is no executable path; never fall back
    // to the file-system root.
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

void HAppPaths::setApplicationDir(const QString& dir)
{
    overrideDir() = dir;
}
