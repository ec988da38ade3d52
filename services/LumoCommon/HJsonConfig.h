#pragma once
#include "LumoCommonExport.h"
#include <QJsonValue>
#include <QString>

// Process-wide configuration file of boolean switches addressed by group and key.
class LUMOCOMMON_EXPORT HJsonConfig
{
public:
    // Loads the file; a missing or malformed file gives an empty configuration.
    static bool read(const QString& fileName);
    // Sets `value` from the configuration; leaves it untouched when absent or not a bool.
    static void getValue(const QString& group, const QString& key, bool& value);
    // Stores the value and persists the whole configuration atomically to the file read last.
    // A file that exists but is not a JSON object is never overwritten: the value then
    // holds for this run only and the result is false.
    static bool setValue(const QString& group, const QString& key, const QJsonValue& value);
    static QString fileName();
};
