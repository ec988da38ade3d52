// A project database (.vrf) built by an SQL script on a fresh database, then imported:
// reaches schemas (views, triggers, virtual tables, odd types) that random bytes rarely
// form into a valid file.

#include "HDatabase.h"
#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useProducts();
    const QString path = env.dir() + QStringLiteral("/script.vrf");
    for (const char* extra : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(extra));
    {
        HDatabase db;
        if (!db.createDatabase(path))
            return 0;
        // One statement at a time, as far as the script goes.
        const QString script =
            QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
        for (const QString& statement : script.split(QLatin1Char(';'))) {
            // Files and extensions stay out of reach of the script.
            const QString lower = statement.toLower();
            if (lower.contains(QLatin1String("attach")) || lower.contains(QLatin1String("load_extension"))
                || lower.contains(QLatin1String("vacuum")))
                continue;
            if (!statement.trimmed().isEmpty())
                db.exec(statement);
        }
        db.closeDatabase();
    }
    HProjectNotices notices;
    QString error;
    HProject* project = HProjectSession::startProject();
    if (openVRF(path, &error, &notices))
        HProjectFile::toJson(project);
    return 0;
}
