#include "HVRFProductStatements.h"

#include "HDatabase.h"

#include <QDebug>
#include <QSqlError>

QSqlQuery& HVRFProductStatements::run(HDatabase* db, const QString& sql, const QVariantList& values)
{
    if (db != m_db) {
        m_prepared.clear(); // statements belong to the connection they were prepared on
        m_db = db;
    }
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        QSqlQuery q(db ? db->sqlDatabase() : QSqlDatabase());
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            qDebug() << "HVRFProductStatements: statement failed:" << sql << q.lastError().text();
        it = m_prepared.insert(sql, q);
    }
    QSqlQuery& q = it.value();
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!(db ? db->execPrepared(q) : q.exec()))
        qDebug() << "HVRFProductStatements: statement failed:" << sql << q.lastError().text();
    return q;
}
