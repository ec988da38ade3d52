#include "HDatabase.h"
#include "HDbFind.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

class tst_DbFind : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void missingFileGivesNoneAndCreatesNothing_data();
    void missingFileGivesNoneAndCreatesNothing();
    void sameObjectForTheRun();
    void fileAppearingLaterIsFound();
    void registeringAgainClosesTheOld();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
};

static void makeDb(const QString& path, const QString& table)
{
    HDatabase db;
    if (!db.createDatabase(path)
        || !db.exec(
            QStringLiteral("create table %1 (a integer)").arg(HDatabase::quoteIdentifier(table))))
        qFatal("cannot create %s", qPrintable(path));
}

void tst_DbFind::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void tst_DbFind::cleanup()
{
    HDbFind::close();
    HDbFind::setDbFileAndPwd(QString(), QString());
    QDir::setCurrent(m_oldCwd);
}

void tst_DbFind::missingFileGivesNoneAndCreatesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("relative name") << "Product.mdb";
    QTest::newRow("missing folder") << "nowhere/Product.mdb";
}

void tst_DbFind::missingFileGivesNoneAndCreatesNothing()
{
    QFETCH(QString, name);
    HDbFind::setDbFileAndPwd(name, QStringLiteral("abcde1234"));
    QCOMPARE(HDbFind::dbFile(), name);
    QVERIFY(!HDbFind::getDb());
    QVERIFY(!HDbFind::getDb());
    QVERIFY(!QFile::exists(name));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

void tst_DbFind::sameObjectForTheRun()
{
    // A relative name resolves against the working directory.
    makeDb(m_dir->filePath(QStringLiteral("Product.mdb")), QStringLiteral("__Product_idx"));
    HDbFind::setDbFileAndPwd(QStringLiteral("Product.mdb"), QStringLiteral("abcde1234"));
    HDatabase* db = HDbFind::getDb();
    QVERIFY(db);
    QVERIFY(db->tableIsExist(QStringLiteral("__Product_idx")));
    QCOMPARE(HDbFind::getDb(), db);
    QCOMPARE(HDbFind::getDb(), db);
}

void tst_DbFind::fileAppearingLaterIsFound()
{
    HDbFind::setDbFileAndPwd(QStringLiteral("Product.mdb"), QString());
    QVERIFY(!HDbFind::getDb());
    makeDb(m_dir->filePath(QStringLiteral("Product.mdb")), QStringLiteral("t"));
    QVERIFY(HDbFind::getDb());
}

void tst_DbFind::registeringAgainClosesTheOld()
{
    makeDb(m_dir->filePath(QStringLiteral("a.mdb")), QStringLiteral("only_in_a"));
    makeDb(m_dir->filePath(QStringLiteral("b.mdb")), QStringLiteral("only_in_b"));
    HDbFind::setDbFileAndPwd(QStringLiteral("a.mdb"), QString());
    QVERIFY(HDbFind::getDb() && HDbFind::getDb()->tableIsExist(QStringLiteral("only_in_a")));
    HDbFind::setDbFileAndPwd(QStringLiteral("b.mdb"), QString());
    HDatabase* db = HDbFind::getDb();
    QVERIFY(db);
    QVERIFY(db->tableIsExist(QStringLiteral("only_in_b")));
    QVERIFY(!db->tableIsExist(QStringLiteral("only_in_a")));
}

QTEST_GUILESS_MAIN(tst_DbFind)
#include "tst_dbfind.moc"
