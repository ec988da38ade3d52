#pragma once
#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

class HDatabase;

// Statements of the product database prepared once and run for many look-ups
// (the own unit lines of a whole project), instead of once per look-up.
// Lives only while the lines are looked up; the database must stay open meanwhile.
class HVRFProductStatements
{
public:
    HVRFProductStatements() = default;
    HVRFProductStatements(const HVRFProductStatements&) = delete;
    HVRFProductStatements& operator=(const HVRFProductStatements&) = delete;

    // Runs `sql` on `db` with `values` bound to its "?" placeholders, preparing it
    // on first use. The result is positioned before its first row; a failed
    // statement gives a result without rows.
    QSqlQuery& run(HDatabase* db, const QString& sql, const QVariantList& values);

private:
    HDatabase* m_db = nullptr;
    QHash<QString, QSqlQuery> m_prepared;
};
