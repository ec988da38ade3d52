#pragma once
// Small SQLite weather databases for the weather tests, built in a temporary
// directory with plain QtSql (independent of the code under test).

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QtTest>

#include <functional>

namespace weatherfixture {

struct Reading
{
    double dry;
    double humidity;
};

// Value of one reading; a year/month/day/hour for every hour of the listed years.
using ReadingFn = std::function<Reading(int year, int month, int day, int hour)>;

class Db
{
public:
    // A new database replaces any file at `path`; Keep opens the existing one.
    enum Mode { Replace, Keep };

    explicit Db(const QString& path, Mode mode = Replace)
        : m_name(QStringLiteral("fixture_%1").arg(quintptr(this)))
    {
        if (mode == Replace)
            QFile::remove(path);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        if (mode == Replace)
            exec(QStringLiteral(
                "CREATE TABLE tb_glb_idx (nation TEXT, city TEXT, tableName TEXT, SummeryDry TEXT, "
                "SummeryWet TEXT, WinterDry TEXT, WinterWet TEXT)"));
    }
    ~Db()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    void exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text() + " " + sql));
        for (const QVariant& v : values)
            q.addBindValue(v);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text() + " " + sql));
    }

    QVariant scalar(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec() || !q.next())
            return QVariant();
        return q.value(0);
    }

    // A city table with every hour of `years` (29 February included in leap
    // years) and its index row.
    void addCity(const QString& nation, const QString& city, const QString& table,
                 const QList<int>& years, const ReadingFn& fn)
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.transaction();
        exec(QStringLiteral("INSERT INTO tb_glb_idx (nation, city, tableName) VALUES (?, ?, ?)"),
             {nation, city, table});
        const QString quoted = QLatin1Char('[') + table + QLatin1Char(']');
        exec(QStringLiteral(
                 "CREATE TABLE %1 (year INTEGER, month INTEGER, day INTEGER, hour INTEGER, "
                 "dry_temp REAL, Humidity REAL)")
                 .arg(quoted));
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?, ?, ?)").arg(quoted));
        for (const int y : years)
            for (QDate d(y, 1, 1); d.year() == y; d = d.addDays(1))
                for (int h = 0; h < 24; ++h) {
                    const Reading r = fn(y, d.month(), d.day(), h);
                    q.bindValue(0, y);
                    q.bindValue(1, d.month());
                    q.bindValue(2, d.day());
                    q.bindValue(3, h);
                    q.bindValue(4, r.dry);
                    q.bindValue(5, r.humidity);
                    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
                }
        db.commit();
    }

    void setReading(const QString& table, int year, int month, int day, int hour, double dry,
                    double humidity)
    {
        exec(QStringLiteral("UPDATE [%1] SET dry_temp = ?, Humidity = ? WHERE year = ? AND month = "
                            "? AND day = ? "
                            "AND hour = ?")
                 .arg(table),
             {dry, humidity, year, month, day, hour});
    }

private:
    QString m_name;
};

// 0-based hour of a 365-day year (no 29 February).
inline int hourIndex(int month, int day, int hour)
{
    return (QDate(2001, month, day).dayOfYear() - 1) * 24 + hour;
}

} // namespace weatherfixture
