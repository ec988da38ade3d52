#include "HDatabase.h"

#include <QAtomicInt>
#include <QDebug>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <sqlite3.h>

#include <atomic>

struct HDatabase::Guard
{
    qint64 steps = 0;
    bool limitReached = false;
    bool untrusted = false;
    // Lower-case names of the virtual tables in the schema when the file was opened.
    QSet<QByteArray> virtualTables;
    // Lower-case names of the temporary views and triggers made on this connection: they
    // live in its own schema, never in the file.
    QSet<QByteArray> ownObjects;
};

namespace {

// SQLite folds the case of ASCII letters only.
QByteArray asciiLower(QByteArray name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return name;
}

// Whether a schema row of type 'table' is an ordinary table: one with pages of its own
// (a virtual table has none) whose statement creates no virtual table.
bool isOrdinaryTable(const QVariant& rootPage, const QString& sql)
{
    static const QRegularExpression virtualTable(
        QStringLiteral("^\\s*create\\s+virtual\\s"), QRegularExpression::CaseInsensitiveOption);
    return rootPage.toLongLong() > 0 && !virtualTable.match(sql).hasMatch();
}

// Progress callbacks come every this many virtual-machine steps.
constexpr int stepsPerCallback = 1000;

// About a second of work per statement on this kind of machine; reading a whole
// multi-year weather table takes well under a tenth of it.
std::atomic<qint64> g_stepLimit{200'000'000};

int countSteps(void* data)
{
    auto* guard = static_cast<HDatabase::Guard*>(data);
    guard->steps += stepsPerCallback;
    if (guard->steps <= g_stepLimit.load(std::memory_order_relaxed))
        return 0;
    guard->limitReached = true;
    return 1; // interrupts the statement
}

// Reads come only from ordinary tables named by the statement itself: never through a
// view or a trigger of the file (SQLite names the one responsible in `context`), never
// from a virtual table. Views and triggers the program made itself on this connection
// (temporary ones) are its own.
int authorize(void* data, int action, const char* first, const char*, const char*,
              const char* context)
{
    auto* guard = static_cast<HDatabase::Guard*>(data);
    if ((action == SQLITE_CREATE_TEMP_TRIGGER || action == SQLITE_CREATE_TEMP_VIEW) && first)
        guard->ownObjects.insert(asciiLower(QByteArray(first)));
    if (context && !guard->ownObjects.contains(asciiLower(QByteArray(context))))
        return SQLITE_DENY;
    if (action == SQLITE_READ && first
        && guard->virtualTables.contains(asciiLower(QByteArray(first))))
        return SQLITE_DENY;
    return SQLITE_OK;
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    if (!db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("brivanta_db_%1").arg(counter.fetchAndAddRelaxed(1));
}

// Prepares `sql`, binds `values` to its "?" placeholders in order and runs it.
bool prepareAndRun(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    if (!q.prepare(sql))
        return false;
    for (const QVariant& v : values)
        q.addBindValue(v);
    return q.exec();
}
} // namespace

HDatabase::HDatabase()
    : m_connectionName(nextConnectionName())
{
}

HDatabase::~HDatabase()
{
    closeDatabase();
}

bool HDatabase::openDatabase(const QString& path, const QString& password, OpenMode mode)
{
    Q_UNUSED(password) // SQLite files carry no password; accepted for callers that pass one.
    return open(path, true, mode);
}

bool HDatabase::openSqliteDatabase(const QString& path, const QString& unused)
{
    Q_UNUSED(unused)
    return open(path, true, ReadOnly);
}

bool HDatabase::createDatabase(const QString& path)
{
    return open(path, false, ReadWrite);
}

qint64 HDatabase::stepLimit()
{
    return g_stepLimit.load();
}

void HDatabase::setStepLimit(qint64 steps)
{
    g_stepLimit.store(steps);
}

bool HDatabase::stepLimitReached() const
{
    return m_guard && m_guard->limitReached;
}

bool HDatabase::isReadOnly() const
{
    return isVilidDatabase() && m_readOnly;
}

void HDatabase::startStatement()
{
    m_lastError.clear();
    if (m_guard) {
        m_guard->steps = 0;
        m_guard->limitReached = false;
    }
}

bool HDatabase::installGuard(bool untrusted)
{
    QSqlDatabase db = sqlDatabase();
    sqlite3* handle = handleOf(db);
    if (!handle) {
        m_lastError = QStringLiteral("the SQLite driver gives no connection handle");
        return false;
    }
    m_guard = std::make_unique<Guard>();
    m_guard->untrusted = untrusted;
    sqlite3_progress_handler(handle, stepsPerCallback, countSteps, m_guard.get());
    QSqlQuery q(db);
    if (untrusted) {
        sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        if (!q.exec(QStringLiteral("PRAGMA trusted_schema=OFF"))) {
            m_lastError = q.lastError().text();
            return false;
        }
    }
    // SQLite opens any file lazily; reading the schema tells whether it is a database.
    if (!q.exec(QStringLiteral(
            "select name, rootpage, sql from sqlite_master where type = 'table'"))) {
        m_lastError = QStringLiteral("not an SQLite database (%1)").arg(q.lastError().text());
        return false;
    }
    while (q.next()) {
        if (!isOrdinaryTable(q.value(1), q.value(2).toString()))
            m_guard->virtualTables.insert(asciiLower(q.value(0).toString().toUtf8()));
    }
    if (q.lastError().isValid()) {
        m_lastError = QStringLiteral("not an SQLite database (%1)").arg(q.lastError().text());
        return false;
    }
    q.finish();
    if (untrusted)
        sqlite3_set_authorizer(handle, authorize, m_guard.get());
    return true;
}

bool HDatabase::open(const QString& path, bool mustExist, OpenMode mode)
{
    closeDatabase();
    m_lastError.clear();
    m_readOnly = mode == ReadOnly;
    const QFileInfo info(path);
    // Opening a missing file would make SQLite create an empty one; refuse instead.
    if (mustExist && (!info.exists() || !info.isFile())) {
        m_lastError = QStringLiteral("%1: no such database file").arg(path);
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        if (m_readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            m_lastError = QStringLiteral("%1: %2").arg(path, db.lastError().text());
        else if (!installGuard(mustExist))
            m_lastError = QStringLiteral("%1: %2").arg(path, m_lastError);
    }
    if (!m_lastError.isEmpty()) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
        m_guard.reset();
        return false;
    }
    return true;
}

bool HDatabase::isVilidDatabase() const
{
    if (!QSqlDatabase::contains(m_connectionName))
        return false;
    return QSqlDatabase::database(m_connectionName, false).isOpen();
}

void HDatabase::closeDatabase()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_guard.reset();
}

QSqlDatabase HDatabase::sqlDatabase() const
{
    if (!QSqlDatabase::contains(m_connectionName))
        return QSqlDatabase();
    return QSqlDatabase::database(m_connectionName, false);
}

QString HDatabase::filePath() const
{
    return sqlDatabase().databaseName();
}

QString HDatabase::lastError() const
{
    return m_lastError;
}

QSqlQuery HDatabase::query(const QString& sql)
{
    return query(sql, QVariantList());
}

QSqlQuery HDatabase::query(const QString& sql, const QVariantList& values)
{
    if (!isVilidDatabase()) {
        m_lastError = QStringLiteral("no open database");
        return QSqlQuery();
    }
    QSqlQuery q(sqlDatabase());
    q.setForwardOnly(false);
    startStatement();
    if (!prepareAndRun(q, sql, values)) {
        m_lastError = rowError(q);
        qDebug() << "HDatabase: statement failed:" << sql << m_lastError;
        // A failed statement yields a result without columns.
        return QSqlQuery(sqlDatabase());
    }
    return q;
}

bool HDatabase::exec(const QString& sql)
{
    return exec(sql, QVariantList());
}

bool HDatabase::exec(const QString& sql, const QVariantList& values)
{
    if (!isVilidDatabase()) {
        m_lastError = QStringLiteral("no open database");
        return false;
    }
    QSqlQuery q(sqlDatabase());
    startStatement();
    const bool ok = prepareAndRun(q, sql, values);
    if (!ok)
        m_lastError = rowError(q);
    return ok;
}

bool HDatabase::execPrepared(QSqlQuery& query)
{
    startStatement();
    if (query.exec())
        return true;
    m_lastError = rowError(query);
    return false;
}

QString HDatabase::rowError(const QSqlQuery& query) const
{
    if (!query.lastError().isValid())
        return QString();
    if (stepLimitReached())
        return QStringLiteral("the query was stopped after %1 steps: the database is damaged "
                              "or built to make it run for ever")
            .arg(stepLimit());
    return query.lastError().text();
}

bool HDatabase::transaction()
{
    if (!isVilidDatabase())
        return false;
    startStatement();
    QSqlDatabase db = sqlDatabase();
    return db.transaction();
}

bool HDatabase::commit()
{
    if (!isVilidDatabase())
        return false;
    QSqlDatabase db = sqlDatabase();
    if (db.commit())
        return true;
    m_lastError = db.lastError().text();
    return false;
}

bool HDatabase::rollback()
{
    if (!isVilidDatabase())
        return false;
    QSqlDatabase db = sqlDatabase();
    return db.rollback();
}

bool HDatabase::tableIsExist(const QString& table)
{
    if (!isVilidDatabase())
        return false;
    QSqlQuery q = query(QStringLiteral("select rootpage, sql from sqlite_master where type = "
                                       "'table' and lower(name) = lower(?)"),
                        {table});
    while (q.next()) {
        if (isOrdinaryTable(q.value(0), q.value(1).toString()))
            return true;
    }
    return false;
}

bool HDatabase::nameIsTaken(const QString& name)
{
    if (!isVilidDatabase())
        return false;
    QSqlQuery q =
        query(QStringLiteral("select count(*) from sqlite_master where lower(name) = lower(?)"),
              {name});
    return q.next() && q.value(0).toInt() > 0;
}

bool HDatabase::findValuesByColumnName(const QString& table, const QString& column,
                                       QVariantList& values, bool distinct)
{
    const QString t = quoteIdentifier(table);
    const QString c = quoteIdentifier(column);
    if (t.isEmpty() || c.isEmpty()) {
        m_lastError = QStringLiteral("invalid table or column name");
        return false;
    }
    const QString sql = distinct
        ? QStringLiteral("select distinct %1 from %2 order by %1 asc").arg(c, t)
        : QStringLiteral("select %1 from %2").arg(c, t);
    QSqlQuery q = query(sql);
    if (q.record().count() == 0)
        return false;
    QVariantList found;
    while (q.next())
        found.append(q.value(0));
    const QString error = rowError(q);
    if (!error.isEmpty()) {
        m_lastError = error;
        return false;
    }
    values += found;
    return true;
}

QString HDatabase::quoteIdentifier(const QString& name)
{
    if (name.isEmpty() || name.size() > 128)
        return QString();
    for (const QChar ch : name) {
        if (ch == QLatin1Char(']') || ch == QLatin1Char('[')
            || ch.category() == QChar::Other_Control)
            return QString();
    }
    return QLatin1Char('[') + name + QLatin1Char(']');
}
