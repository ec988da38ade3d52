#include "HImages.h"

#include "HAppPaths.h"

#include <QFileInfo>

QString HImages::directory()
{
    return HAppPaths::imagesDir();
}

QString HImages::filePath(const QString& fileName)
{
    return directory() + QLatin1Char('/') + fileName;
}

QIcon HImages::icon(const QString& fileName)
{
    const QString path = filePath(fileName);
    return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}
