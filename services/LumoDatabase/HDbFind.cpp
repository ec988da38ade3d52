#include "HDbFind.h"
#include "HDatabase.h"

#include <QCoreApplication>

#include <memory>

namespace {
struct DbState
{
    QString fileName;
    QString password;
    bool readOnly = false;
    std::unique_ptr<HDatabase> db;
};

DbState& state()
{
    static DbState s;
    return s;
}
} // namespace

void HDbFind::setDbFileAndPwd(const QString& fileName, const QString& password)
{
    DbState& s = state();
    s.db.reset();
    s.fileName = fileName;
    s.password = password;
    s.readOnly = false;
}

void HDbFind::setReadOnly(bool readOnly)
{
    DbState& s = state();
    s.db.reset();
    s.readOnly = readOnly;
}

HDatabase* HDbFind::getDb()
{
    DbState& s = state();
    if (s.db && s.db->isVilidDatabase())
        return s.db.get();
    if (s.fileName.isEmpty())
        return nullptr;
    // Retry when the file appeared since the last attempt; never create it.
    auto db = std::make_unique<HDatabase>();
    if (!db->openDatabase(s.fileName, s.password,
                          s.readOnly ? HDatabase::ReadOnly : HDatabase::ReadWrite))
        return nullptr;
    s.db = std::move(db);
    // Close before the application object (and the SQL driver with it) goes away,
    // rather than from a static destructor after it.
    static bool postRoutineAdded = false;
    if (!postRoutineAdded && QCoreApplication::instance()) {
        qAddPostRoutine(&HDbFind::close);
        postRoutineAdded = true;
    }
    return s.db.get();
}

QString HDbFind::dbFile()
{
    return state().fileName;
}

void HDbFind::close()
{
    state().db.reset();
}
