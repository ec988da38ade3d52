#include "HAppPaths.h"

#include <QCoreApplication>

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
    return QCoreApplication::applicationDirPath();
}

void HAppPaths::setApplicationDir(const QString& dir)
{
    overrideDir() = dir;
}
