#include "HDatabase.h"
#include "TestSupport.h"

#include <QFile>
#include <QSqlRecord>

class tst_Database : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void openNeverCreates_data();
    void openNeverCreates();
    void createDatabase();
    void boundValuesKeepTheirMeaning_data();
    void boundValuesKeepTheirMeaning();
    void failedStatement();
    void findValuesDistinctAscending_data();
    void findValuesDistinctAscending();
    void findValuesRefusesBadNames_data();
    void findValuesRefusesBadNames();
    void tableIsExist_data();
    void tableIsExist();
    void transactions_data();
    void transactions();
    void connectionsAreIndependent();
    void quoteIdentifier_data();
    void quoteIdentifier();
    void openedFileReadsOnlyTables_data();
    void openedFileReadsOnlyTables();
    void ownTemporaryTriggerRuns();
    void readOnlyOpenWritesNothing_data();
    void readOnlyOpenWritesNothing();
    void stepLimitStopsAStatement_data();
    void stepLimitStopsAStatement();

private:
    QString makeDb(const QString& name);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Database::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// A small weather-like database: table "Xi'an 1" with years and temperatures.
QString tst_Database::makeDb(const QString& name)
{
    const QString path = m_dir->filePath(name);
    HDatabase db;
    if (!db.createDatabase(path))
        qFatal("cannot create %s", qPrintable(path));
    db.exec(QStringLiteral("create table [Xi'an 1] ([year] integer, [t] real, [city] text)"));
    const QList<QVariantList> rows = {{2005, 1.5, "Xi'an"},
                                      {1999, 2.5, "Xi'an"},
                                      {2005, 3.5, "Xi'an"},
                                      {2001, -4.0, "O'Hare"},
                                      {1999, 0.5, "O'Hare"}};
    for (const QVariantList& r : rows)
        if (!db.exec(QStringLiteral("insert into [Xi'an 1] values (?, ?, ?)"), r))
            qFatal("insert failed: %s", qPrintable(db.lastError()));
    return path;
}

void tst_Database::openNeverCreates_data()
{
    QTest::addColumn<bool>("sqliteForm");
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::newRow("missing file") << false << QByteArray();
    QTest::newRow("missing file, project form") << true << QByteArray();
    QTest::newRow("text file is not a database") << false << QByteArray("city,year\nX,2001\n");
    QTest::newRow("text file, project form")
        << true << QByteArray("not sqlite at all, longer text");
}

void tst_Database::openNeverCreates()
{
    QFETCH(bool, sqliteForm);
    QFETCH(QByteArray, content);
    const QString path = m_dir->filePath(QStringLiteral("Weather.db3"));
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    HDatabase db;
    const bool ok = sqliteForm ? db.openSqliteDatabase(path, QString())
                               : db.openDatabase(path, QStringLiteral("any password"));
    QVERIFY(!ok);
    QVERIFY(!db.isVilidDatabase());
    QVERIFY(!db.lastError().isEmpty());
    QCOMPARE(QFile::exists(path), !content.isEmpty());
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }
    // Every operation on an unopened database fails quietly.
    QCOMPARE(db.query(QStringLiteral("select 1")).record().count(), 0);
    QVERIFY(!db.exec(QStringLiteral("select 1")));
    QVERIFY(!db.tableIsExist(QStringLiteral("t")));
    QVERIFY(!db.transaction());
}

void tst_Database::createDatabase()
{
    const QString path = makeDb(QStringLiteral("new.db3"));
    QVERIFY(QFile::exists(path));
    HDatabase db;
    QVERIFY(db.openDatabase(path, QString()));
    QVERIFY(db.isVilidDatabase());
    QCOMPARE(db.filePath(), path);
    db.closeDatabase();
    QVERIFY(!db.isVilidDatabase());
}

void tst_Database::boundValuesKeepTheirMeaning_data()
{
    QTest::addColumn<QString>("city");
    QTest::newRow("apostrophe") << "Xi'an";
    QTest::newRow("two apostrophes") << "L'Aquila d'Abruzzo";
    QTest::newRow("statement text") << "x'); drop table [Xi'an 1]; --";
    QTest::newRow("placeholder text") << "? or 1=1";
    QTest::newRow("unicode") << QStringLiteral("西安");
}

void tst_Database::boundValuesKeepTheirMeaning()
{
    QFETCH(QString, city);
    HDatabase db;
    QVERIFY(db.openDatabase(makeDb(QStringLiteral("w.db3"))));
    QVERIFY(db.exec(QStringLiteral("insert into [Xi'an 1] values (?, ?, ?)"), {2020, 9.25, city}));
    QSqlQuery q = db.query(
        QStringLiteral("select [year], [t] from [Xi'an 1] where [city] = ? and [year] > ?"),
        {city, 2010});
    QVERIFY(q.next());
    QCOMPARE(q.value("year").toInt(), 2020);
    QCOMPARE(q.value("t").toDouble(), 9.25);
    QVERIFY(!q.next());
    // The table and its other rows are untouched.
    QSqlQuery count = db.query(QStringLiteral("select count(*) from [Xi'an 1]"));
    QVERIFY(count.next());
    QCOMPARE(count.value(0).toInt(), 6);
}

void tst_Database::failedStatement()
{
    HDatabase db;
    QVERIFY(db.openDatabase(makeDb(QStringLiteral("w.db3"))));
    QSqlQuery q = db.query(QStringLiteral("select [nope] from [no table]"));
    QCOMPARE(q.record().count(), 0);
    QVERIFY(!q.next());
    QVERIFY(!db.lastError().isEmpty());
    QVERIFY(!db.exec(QStringLiteral("insert into [no table] values (?)"), {1}));
    // Too few values for the placeholders.
    QVERIFY(!db.exec(QStringLiteral("insert into [Xi'an 1] values (?, ?, ?)"), {1}));
    // The connection still works afterwards.
    QVERIFY(db.query(QStringLiteral("select 1")).next());
}

void tst_Database::findValuesDistinctAscending_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariantList>("expected");
    QTest::newRow("years, earliest first") << "year" << QVariantList{1999, 2001, 2005};
    QTest::newRow("texts") << "city" << QVariantList{"O'Hare", "Xi'an"};
}

void tst_Database::findValuesDistinctAscending()
{
    QFETCH(QString, column);
    QFETCH(QVariantList, expected);
    HDatabase db;
    QVERIFY(db.openDatabase(makeDb(QStringLiteral("w.db3"))));
    QVariantList values{QStringLiteral("kept")};
    QVERIFY(db.findValuesByColumnName(QStringLiteral("Xi'an 1"), column, values, true));
    QCOMPARE(values.size(), expected.size() + 1);
    QCOMPARE(values.first().toString(), QStringLiteral("kept"));
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(values.at(i + 1).toString(), expected.at(i).toString());

    QVariantList all;
    QVERIFY(db.findValuesByColumnName(QStringLiteral("Xi'an 1"), column, all, false));
    QCOMPARE(all.size(), 5);
}

void tst_Database::findValuesRefusesBadNames_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("bracket in table") << "Xi'an 1]; drop table x; --"
                                      << "year";
    QTest::newRow("bracket in column") << "Xi'an 1"
                                       << "year] from [x";
    QTest::newRow("missing table") << "Lhasa"
                                   << "year";
    QTest::newRow("missing column") << "Xi'an 1"
                                    << "humidity";
    QTest::newRow("empty names") << ""
                                 << "";
}

void tst_Database::findValuesRefusesBadNames()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    HDatabase db;
    QVERIFY(db.openDatabase(makeDb(QStringLiteral("w.db3"))));
    QVariantList values;
    QVERIFY(!db.findValuesByColumnName(table, column, values, true));
    QVERIFY(values.isEmpty());
    QVERIFY(db.tableIsExist(QStringLiteral("Xi'an 1")));
}

void tst_Database::tableIsExist_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("exists");
    QTest::newRow("present") << "Xi'an 1" << true;
    QTest::newRow("other case") << "XI'AN 1" << true;
    QTest::newRow("absent") << "__product_ec_data" << false;
    QTest::newRow("statement text") << "x' or '1'='1" << false;
    QTest::newRow("a view is not a table") << "v_cities" << false;
    QTest::newRow("a virtual table is not a table") << "ft_cities" << false;
}

void tst_Database::tableIsExist()
{
    QFETCH(QString, table);
    QFETCH(bool, exists);
    const QString path = makeDb(QStringLiteral("w.db3"));
    {
        HDatabase maker;
        QVERIFY(maker.createDatabase(path));
        QVERIFY(maker.exec(QStringLiteral("create view v_cities as select * from [Xi'an 1]")));
        QVERIFY(maker.exec(QStringLiteral("create virtual table ft_cities using fts5(city)")));
    }
    HDatabase db;
    QVERIFY(db.openDatabase(path));
    QCOMPARE(db.tableIsExist(table), exists);
    QCOMPARE(db.nameIsTaken(table), exists || table.contains(QLatin1String("cities")));
}

void tst_Database::transactions_data()
{
    QTest::addColumn<bool>("commit");
    QTest::newRow("commit keeps") << true;
    QTest::newRow("rollback drops") << false;
}

void tst_Database::transactions()
{
    QFETCH(bool, commit);
    const QString path = makeDb(QStringLiteral("w.db3"));
    {
        HDatabase db;
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.transaction());
        for (int i = 0; i < 10; ++i)
            QVERIFY(db.exec(QStringLiteral("insert into [Xi'an 1] values (?, ?, ?)"),
                            {3000 + i, 0.0, QStringLiteral("batch")}));
        QVERIFY(commit ? db.commit() : db.rollback());
    }
    HDatabase again;
    QVERIFY(again.openDatabase(path));
    QSqlQuery q = again.query(QStringLiteral("select count(*) from [Xi'an 1] where [city] = ?"),
                              {QStringLiteral("batch")});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), commit ? 10 : 0);
}

void tst_Database::connectionsAreIndependent()
{
    const QString path = makeDb(QStringLiteral("w.db3"));
    HDatabase a;
    HDatabase b;
    QVERIFY(a.openDatabase(path));
    QVERIFY(b.openDatabase(path));
    QVERIFY(a.sqlDatabase().connectionName() != b.sqlDatabase().connectionName());
    a.closeDatabase();
    QVERIFY(!a.isVilidDatabase());
    QVERIFY(b.isVilidDatabase());
    QVERIFY(b.query(QStringLiteral("select count(*) from [Xi'an 1]")).next());
    // Reopening an object replaces its connection.
    QVERIFY(b.openDatabase(path));
    QVERIFY(b.isVilidDatabase());
}

void tst_Database::quoteIdentifier_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "tb_glb_idx"
                           << "[tb_glb_idx]";
    QTest::newRow("apostrophe and blank") << "Xi'an 1"
                                          << "[Xi'an 1]";
    QTest::newRow("closing bracket") << "a]b"
                                     << "";
    QTest::newRow("opening bracket") << "a[b"
                                     << "";
    QTest::newRow("control character") << "a\nb"
                                       << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_Database::quoteIdentifier()
{
    QFETCH(QString, name);
    QTEST(HDatabase::quoteIdentifier(name), "quoted");
}

void tst_Database::openedFileReadsOnlyTables_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("table") << "select count(*) from [Xi'an 1]" << true;
    QTest::newRow("table in a sub-select") << "select count(*) from (select t from [Xi'an 1])"
                                           << true;
    QTest::newRow("view") << "select count(*) from v_all" << false;
    QTest::newRow("view over an endless query") << "select count(*) from v_endless" << false;
    QTest::newRow("insert that fires a trigger")
        << "insert into [Xi'an 1] values (2020, 1.0, 'x')" << false;
    QTest::newRow("insert into a table without trigger") << "insert into log values (1)" << true;
    QTest::newRow("virtual table") << "select count(*) from ft_words" << false;
}

// A file the program opens (and did not create) is read through its tables only: views,
// triggers and virtual tables of a crafted file never run.
void tst_Database::openedFileReadsOnlyTables()
{
    QFETCH(QString, statement);
    QFETCH(bool, allowed);
    const QString path = makeDb(QStringLiteral("crafted.db3"));
    {
        HDatabase maker;
        QVERIFY(maker.createDatabase(path));
        QVERIFY(maker.exec(QStringLiteral("create table log (x)")));
        QVERIFY(maker.exec(QStringLiteral("create view v_all as select * from [Xi'an 1]")));
        QVERIFY(maker.exec(QStringLiteral("create view v_endless as with recursive c(x) as "
                                          "(select 1 union all select x + 1 from c) "
                                          "select x from c where x < 0")));
        QVERIFY(maker.exec(QStringLiteral("create trigger grow after insert on [Xi'an 1] "
                                          "begin insert into log values (new.year); end")));
        QVERIFY(maker.exec(QStringLiteral("create virtual table ft_words using fts5(w)")));
        // The file's own maker may use all of it.
        QVERIFY(maker.query(QStringLiteral("select count(*) from v_all")).next());
    }
    HDatabase db;
    QVERIFY(db.openDatabase(path));
    QCOMPARE(db.query(QStringLiteral("pragma trusted_schema")).next(), true);
    QCOMPARE(db.query(QStringLiteral("pragma trusted_schema")).value(0).toInt(), 0);
    if (statement.startsWith(QLatin1String("insert")))
        QCOMPARE(db.exec(statement), allowed);
    else
        QCOMPARE(db.query(statement).next(), allowed);
    // SQLite says "not authorized" for a refused statement and "access to T.C is
    // prohibited" for a refused read of a column.
    if (!allowed)
        QVERIFY2(db.lastError().contains(QLatin1String("not authorized"))
                     || db.lastError().contains(QLatin1String("prohibited")),
                 qPrintable(db.lastError()));
    QSqlQuery log = db.query(QStringLiteral("select count(*) from log"));
    QVERIFY(log.next());
    QCOMPARE(log.value(0).toInt(), statement.contains(QLatin1String("into log")) ? 1 : 0);
}

// A trigger the program makes on its own connection (a temporary one) runs in an opened
// file, where the file's own triggers do not.
void tst_Database::ownTemporaryTriggerRuns()
{
    const QString path = makeDb(QStringLiteral("own.db3"));
    {
        HDatabase maker;
        QVERIFY(maker.createDatabase(path));
        QVERIFY(maker.exec(QStringLiteral("create table log (x)")));
    }
    HDatabase db;
    QVERIFY(db.openDatabase(path));
    QVERIFY(db.exec(QStringLiteral("create temp trigger note after insert on [Xi'an 1] "
                                   "begin insert into log values (new.year); end")));
    QVERIFY2(db.exec(QStringLiteral("insert into [Xi'an 1] values (2020, 1.0, 'x')")),
             qPrintable(db.lastError()));
    QSqlQuery log = db.query(QStringLiteral("select x from log"));
    QVERIFY(log.next());
    QCOMPARE(log.value(0).toInt(), 2020);
    QVERIFY(!log.next());
}

void tst_Database::readOnlyOpenWritesNothing_data()
{
    QTest::addColumn<bool>("sqliteForm");
    QTest::newRow("read-only mode") << false;
    QTest::newRow("project form is always read-only") << true;
}

void tst_Database::readOnlyOpenWritesNothing()
{
    QFETCH(bool, sqliteForm);
    const QString path = makeDb(QStringLiteral("w.db3"));
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();
    {
        HDatabase db;
        QVERIFY(sqliteForm ? db.openSqliteDatabase(path)
                           : db.openDatabase(path, QString(), HDatabase::ReadOnly));
        QVERIFY(db.isReadOnly());
        QVERIFY(db.query(QStringLiteral("select count(*) from [Xi'an 1]")).next());
        QVERIFY(!db.exec(QStringLiteral("insert into [Xi'an 1] values (1, 2, 'x')")));
        QVERIFY(!db.exec(QStringLiteral("create table t (x)")));
        QVERIFY(db.lastError().contains(QLatin1String("readonly")));
    }
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    HDatabase writable;
    QVERIFY(writable.openDatabase(path));
    QVERIFY(!writable.isReadOnly());
}

void tst_Database::stepLimitStopsAStatement_data()
{
    QTest::addColumn<bool>("created");
    QTest::newRow("opened file") << false;
    QTest::newRow("file the program created") << true;
}

// A statement that would run for ever (a join of a table with itself six times here:
// 10^12 rows) is stopped by the step limit; the next statement runs normally.
void tst_Database::stepLimitStopsAStatement()
{
    QFETCH(bool, created);
    const QString path = m_dir->filePath(QStringLiteral("big.db3"));
    HDatabase db;
    QVERIFY(db.createDatabase(path));
    QVERIFY(db.exec(QStringLiteral("create table n (i)")));
    QVERIFY(db.transaction());
    for (int i = 0; i < 100; ++i)
        QVERIFY(db.exec(QStringLiteral("insert into n values (?)"), {i}));
    QVERIFY(db.commit());
    if (!created)
        QVERIFY(db.openDatabase(path));

    const qint64 defaultLimit = HDatabase::stepLimit();
    QVERIFY(defaultLimit >= 100'000'000);
    HDatabase::setStepLimit(2'000'000);
    QSqlQuery q = db.query(
        QStringLiteral("select count(*) from n a, n b, n c, n d, n e, n f where a.i + b.i + "
                       "c.i + d.i + e.i + f.i < 0"));
    const bool gotRow = q.next();
    // Stopped at its first row the statement fails outright; later, its rows end early.
    const QString error = q.record().isEmpty() ? db.lastError() : db.rowError(q);
    const bool reached = db.stepLimitReached();
    // Within the limit, the same statement form runs to its end.
    QSqlQuery small = db.query(QStringLiteral("select count(*) from n a, n b where a.i < b.i"));
    HDatabase::setStepLimit(defaultLimit);
    QVERIFY(!gotRow);
    QVERIFY(reached);
    QVERIFY2(error.contains(QLatin1String("stopped after 2000000 steps")), qPrintable(error));
    QVERIFY(small.next());
    QCOMPARE(small.value(0).toInt(), 100 * 99 / 2);
    QVERIFY(db.rowError(small).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
