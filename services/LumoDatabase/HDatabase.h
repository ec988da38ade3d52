#pragma once
#include "LumoDatabaseExport.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// One connection to one SQLite database file, under a connection name of its own.
class LUMODATABASE_EXPORT HDatabase
{
public:
    HDatabase();
    ~HDatabase();
    HDatabase(const HDatabase&) = delete;
    HDatabase& operator=(const HDatabase&) = delete;

    // Opens an existing SQLite file; never creates one. SQLite has no passwords:
    // the password is accepted and ignored. False when the file is missing or not a database.
    bool openDatabase(const QString& path, const QString& password = QString());
    bool openSqliteDatabase(const QString& path, const QString& unused = QString());
    // Opens the file, creating it when missing (for tools that build databases).
    bool createDatabase(const QString& path);
    bool isVilidDatabase() const;
    void closeDatabase();

    // Runs a statement; the result is positioned before the first row. A failed
    // statement yields a result with no columns (record().count() == 0).
    QSqlQuery query(const QString& sql);
    // Same with positional "?" placeholders bound to `values`, in order.
    QSqlQuery query(const QString& sql, const QVariantList& values);
    bool exec(const QString& sql);
    bool exec(const QString& sql, const QVariantList& values);

    bool transaction();
    bool commit();
    bool rollback();

    bool tableIsExist(const QString& table);
    // Appends the column's values (distinct and ascending when `distinct`) to `values`.
    bool findValuesByColumnName(const QString& table, const QString& column, QVariantList& values,
                                bool distinct = true);

    QString lastError() const;
    QString filePath() const;
    QSqlDatabase sqlDatabase() const;

    // "[name]" for a name that can stand in square brackets; empty when it cannot
    // (contains ']' or control characters, or is empty).
    static QString quoteIdentifier(const QString& name);

private:
    bool open(const QString& path, bool mustExist);
    QString m_connectionName;
    QString m_lastError;
};
