#pragma once
#include "LumoDatabaseExport.h"
#include <QString>

class HDatabase;

// The process-wide product database.
class LUMODATABASE_EXPORT HDbFind
{
public:
    // Registers the file (relative names resolve against the working directory)
    // and its password (ignored by SQLite). Closes a connection opened before.
    static void setDbFileAndPwd(const QString& fileName, const QString& password);
    // Opens the registered file read-only from now on (for a run that only reads it);
    // an open connection is closed. Registering a file makes it writable again.
    static void setReadOnly(bool readOnly);
    // Opened on first use and kept for the run; null when the file is missing or unusable.
    // Callers never close or delete it.
    static HDatabase* getDb();
    static QString dbFile();
    // Closes and forgets the connection (tests, tear-down).
    static void close();
};
