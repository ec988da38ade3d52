#pragma once
#include <QIcon>
#include <QString>

// The pictures the build renders into "images/" beside the program (tool bar,
// holiday calendar). Resolved against the program's directory, not the working
// directory.
class HImages
{
public:
    // <application dir>/images
    static QString directory();
    // <application dir>/images/<fileName>
    static QString filePath(const QString& fileName);
    // The icon of the file; a null icon when the file is missing.
    static QIcon icon(const QString& fileName);
};
