#pragma once
#include "LumoCommonExport.h"
#include <QString>

// The directory the program treats as its own (curve file, weather database,
// analysis cache). Defaults to the executable's directory; tests and tools
// point it elsewhere so that nothing is written beside the binaries by accident.
class LUMOCOMMON_EXPORT HAppPaths
{
public:
    static QString applicationDir();
    static void setApplicationDir(const QString& dir); // empty restores the default
};
