#include "HDatabase.h"

#include <QAtomicInt>
#include <QDebug>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace {
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

bool HDatabase::openDatabase(const QString& path, const QString& password)
{
    Q_UNUSED(password) // SQLite files carry no password; accepted for callers that pass one.
    return open(path, true);
}

bool HDatabase::openSqliteDatabase(const QString& path, const QString& unused)
{
    Q_UNUSED(unused)
    return open(path, true);
}

bool HDatabase::createDatabase(const QString& path)
{
    return open(path, false);
}

bool HDatabase::open(const QString& path, bool mustExist)
{
    closeDatabase();
    m_lastError.clear();
    const QFileInfo info(path);
    // Opening a missing file would make SQLite create an empty one; refuse instead.
    if (mustExist && (!info.exists() || !info.isFile())) {
        m_lastError = QStringLiteral("%1: no such database file").arg(path);
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        if (!db.open()) {
            m_lastError = QStringLiteral("%1: %2").arg(path, db.lastError().text());
        } else {
            // SQLite opens any file lazily; reading the schema tells whether it is a database.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
                m_lastError = QStringLiteral("%1: not an SQLite database (%2)")
                                  .arg(path, probe.lastError().text());
            }
        }
    }
    if (!m_lastError.isEmpty()) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
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
    if (!prepareAndRun(q, sql, values)) {
        m_lastError = q.lastError().text();
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
    const bool ok = prepareAndRun(q, sql, values);
    if (!ok)
        m_lastError = q.lastError().text();
    return ok;
}

bool HDatabase::transaction()
{
    if (!isVilidDatabase())
        return false;
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
    QSqlQuery q =
        query(QStringLiteral("select count(*) from sqlite_master where type in ('table','view') "
                             "and lower(name) = lower(?)"),
              {table});
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
    while (q.next())
        values.append(q.value(0));
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
