#pragma once
#include "LumoDatabaseExport.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <memory>

// One connection to one SQLite database file, under a connection name of its own.
//
// A file that is opened (rather than created) comes from the user and is not trusted:
// - its schema runs no functions with side effects (trusted_schema off, defensive mode);
// - statements read ordinary tables only: a read through a view or a trigger, and a
//   read of a virtual table, is refused when the statement is prepared;
// - every statement stops after stepLimit() steps of SQLite's virtual machine, counted
//   from its start, so no crafted file can keep a query running for ever.
// A file the program creates is its own: only the step limit applies.
class LUMODATABASE_EXPORT HDatabase
{
public:
    enum OpenMode {
        ReadWrite,
        ReadOnly,
    };

    HDatabase();
    ~HDatabase();
    HDatabase(const HDatabase&) = delete;
    HDatabase& operator=(const HDatabase&) = delete;

    // Opens an existing SQLite file; never creates one. SQLite has no passwords:
    // the password is accepted and ignored. False when the file is missing or not a database.
    bool openDatabase(const QString& path, const QString& password = QString(),
                      OpenMode mode = ReadWrite);
    // A project file of the selection software: always opened read-only.
    bool openSqliteDatabase(const QString& path, const QString& unused = QString());
    // Opens the file, creating it when missing (for tools that build databases).
    bool createDatabase(const QString& path);
    bool isVilidDatabase() const;
    bool isReadOnly() const;
    void closeDatabase();

    // Steps of the virtual machine one statement may take (process-wide; a legitimate
    // statement of this program takes a small fraction of the default).
    static qint64 stepLimit();
    static void setStepLimit(qint64 steps);
    // True when the last statement was stopped by the step limit.
    bool stepLimitReached() const;

    // Runs a statement; the result is positioned before the first row. A failed
    // statement yields a result with no columns (record().count() == 0).
    QSqlQuery query(const QString& sql);
    // Same with positional "?" placeholders bound to `values`, in order.
    QSqlQuery query(const QString& sql, const QVariantList& values);
    bool exec(const QString& sql);
    bool exec(const QString& sql, const QVariantList& values);
    // Runs a query prepared on sqlDatabase() with its bound values, as a new statement
    // for the step limit.
    bool execPrepared(QSqlQuery& query);
    // Why stepping through `query` ended early: empty when it ran to its end, else the
    // driver's message, or that the step limit stopped it. Callers that read rows check
    // it after the last next(), as a damaged file ends a query like its last row.
    QString rowError(const QSqlQuery& query) const;

    bool transaction();
    bool commit();
    bool rollback();

    // True when an ordinary table of that name (in any case) exists; a view or a
    // virtual table of the name does not count.
    bool tableIsExist(const QString& table);
    // True when the schema holds any object (table, view, index, trigger) of that name.
    bool nameIsTaken(const QString& name);
    // Appends the column's values (distinct and ascending when `distinct`) to `values`.
    bool findValuesByColumnName(const QString& table, const QString& column, QVariantList& values,
                                bool distinct = true);

    QString lastError() const;
    QString filePath() const;
    QSqlDatabase sqlDatabase() const;

    // "[name]" for a name that can stand in square brackets; empty when it cannot
    // (contains ']' or control characters, or is empty).
    static QString quoteIdentifier(const QString& name);

    struct Guard;

private:
    bool open(const QString& path, bool mustExist, OpenMode mode);
    bool installGuard(bool untrusted);
    void startStatement();
    QString m_connectionName;
    QString m_lastError;
    bool m_readOnly = false;
    // Lives as long as the connection: SQLite calls back into it.
    std::unique_ptr<Guard> m_guard;
};
