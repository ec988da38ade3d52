// A project database (.vrf) built by an SQL script on a fresh database, then imported:
// reaches schemas (views, triggers, virtual tables, odd types) that random bytes rarely
// form into a valid file. The script runs on an in-memory database, written to the
// file in one piece: building it on disk would cost more than the import it feeds.

#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

#include <QByteArray>
#include <QFile>

#include <sqlite3.h>

#include <cstring>

namespace {

// Files and extensions stay out of reach of the script: statements that name them are
// skipped, and the authorizer refuses attaching.
int refuseFiles(void*, int action, const char*, const char*, const char*, const char*)
{
    return action == SQLITE_ATTACH ? SQLITE_DENY : SQLITE_OK;
}

bool touchesFiles(const char* sql)
{
    const QByteArray lower = QByteArray(sql).toLower();
    return lower.contains("attach") || lower.contains("vacuum")
        || lower.contains("load_extension");
}

// The database the script builds, as the bytes of a database file; empty when the
// script left nothing that can be written.
QByteArray buildDatabase(const uint8_t* data, std::size_t size)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        return QByteArray();
    }
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_set_authorizer(db, refuseFiles, nullptr);
    // A runaway statement (a recursive query) is cut short: a few milliseconds at most.
    static int steps;
    steps = 0;
    sqlite3_progress_handler(
        db, 1000, [](void*) { return ++steps > 200 ? 1 : 0; }, nullptr);
    // One statement at a time, as far as the script goes; a failing one is skipped.
    const QByteArray script(reinterpret_cast<const char*>(data), int(size));
    const char* next = script.constData();
    const char* end = next + script.size();
    while (next < end) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, next, int(end - next), &statement, &tail);
        if (statement && !touchesFiles(sqlite3_sql(statement))) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
            }
            sqlite3_finalize(statement);
        }
        if (rc != SQLITE_OK || !tail || tail <= next) {
            // Skip to the next statement after a parse error.
            const char* semicolon = static_cast<const char*>(memchr(next, ';', size_t(end - next)));
            if (!semicolon)
                break;
            next = semicolon + 1;
        } else {
            next = tail;
        }
    }
    sqlite3_int64 length = 0;
    unsigned char* bytes = sqlite3_serialize(db, "main", &length, 0);
    QByteArray file;
    if (bytes)
        file = QByteArray(reinterpret_cast<const char*>(bytes), int(length));
    sqlite3_free(bytes);
    sqlite3_close(db);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    const QByteArray file = buildDatabase(data, size);
    if (file.isEmpty())
        return 0;
    const QString path = env.dir() + QStringLiteral("/script.vrf");
    for (const char* extra : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(extra));
    env.write(QStringLiteral("script.vrf"), file);
    HProjectNotices notices;
    QString error;
    HProject* project = HProjectSession::startProject();
    if (openVRF(path, &error, &notices))
        HProjectFile::toJson(project);
    return 0;
}
