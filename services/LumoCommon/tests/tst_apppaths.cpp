#include "HAppPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Where the program's files are looked up and how the user's copies of the shipped
// databases are made and kept. Each test has its own shipped folder, per-user
// folders (through the XDG variables) and working directory.
class TestAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workingDirectoryFileWins_data();
    void workingDirectoryFileWins();
    void firstUseCopy();
    void afterARebuild_data();
    void afterARebuild();
    void withoutACopy_data();
    void withoutACopy();
    void locationsCreateNothing();
    void notesWaitForTheReporter();

private:
    QString shipped(const QString& name) const { return m_dir->filePath("shipped/" + name); }
    QString data(const QString& name) const { return m_dir->filePath("data/brivanta/" + name); }
    QString work(const QString& name) const { return m_dir->filePath("work/" + name); }
    static bool write(const QString& path, const QByteArray& bytes, qint64 secondsLater = 0);
    static QByteArray read(const QString& path);

    struct Note
    {
        HAppPaths::Note note;
        QString path;
        QString source;
    };
    QList<Note> m_notes;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cwd;
};

bool TestAppPaths::write(const QString& path, const QByteArray& bytes, qint64 secondsLater)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    // Clear steps in time, whatever the file system's resolution.
    return f.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                         QFileDevice::FileModificationTime);
}

QByteArray TestAppPaths::read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestAppPaths::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath("shipped"));
    QVERIFY(QDir(m_dir->path()).mkpath("work"));
    qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", m_dir->filePath("data").toUtf8());
    qputenv("XDG_CACHE_HOME", m_dir->filePath("cache").toUtf8());
    HAppPaths::setResourceDir(m_dir->filePath("shipped"));
    m_cwd = QDir::currentPath();
    QDir::setCurrent(m_dir->filePath("work"));
    m_notes.clear();
    HAppPaths::setReporter(
        [this](HAppPaths::Note note, const QString& path, const QString& source) {
            m_notes.append({note, path, source});
        });
}

void TestAppPaths::cleanup()
{
    HAppPaths::setReporter({});
    HAppPaths::setResourceDir(QString());
    HAppPaths::setApplicationDir(QString());
    QDir::setCurrent(m_cwd);
    m_dir.reset();
}

void TestAppPaths::workingDirectoryFileWins_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inWorkingDirectory");
    QTest::addColumn<QString>("expected"); // relative to the test folder

    QTest::newRow("configuration in the working directory")
        << "ee_config.json" << true << "work/ee_config.json";
    QTest::newRow("configuration of the user")
        << "ee_config.json" << false << "config/brivanta/ee_config.json";
    QTest::newRow("products in the working directory")
        << "Product.mdb" << true << "work/Product.mdb";
    QTest::newRow("products of the user") << "Product.mdb" << false << "data/brivanta/Product.mdb";
}

void TestAppPaths::workingDirectoryFileWins()
{
    QFETCH(QString, name);
    QFETCH(bool, inWorkingDirectory);
    QFETCH(QString, expected);
    QVERIFY(write(shipped("Product.mdb"), "shipped catalogue"));
    if (inWorkingDirectory)
        QVERIFY(write(work(name), "the user's own"));

    const QString path =
        name == "Product.mdb" ? HAppPaths::productDatabase() : HAppPaths::configFile();
    QCOMPARE(path, m_dir->filePath(expected));
    if (inWorkingDirectory) {
        QCOMPARE(read(path), QByteArray("the user's own"));
        QVERIFY(!QFile::exists(data(name))); // no copy made for nothing
    } else if (name == "Product.mdb") {
        QCOMPARE(read(path), QByteArray("shipped catalogue"));
    } else {
        QVERIFY(!QFile::exists(path)); // made only when a setting is saved
    }
}

void TestAppPaths::firstUseCopy()
{
    QVERIFY(write(shipped("Weather.db3"), "demo weather"));
    // As installed: neither the file nor its folder is writable.
    QVERIFY(QFile::setPermissions(shipped("Weather.db3"), QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(m_dir->filePath("shipped"),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                      | QFile::ExeOther));
    const QStringList shippedBefore = QDir(m_dir->filePath("shipped")).entryList(QDir::Files);

    const QString path = HAppPaths::weatherDatabase();
    QCOMPARE(path, data("Weather.db3"));
    QCOMPARE(read(path), QByteArray("demo weather"));
    QVERIFY(QFileInfo(path).permissions() & QFile::WriteOwner); // the user imports into it
    QCOMPARE(m_notes.size(), 1);
    QCOMPARE(m_notes[0].note, HAppPaths::Note::Copied);
    QCOMPARE(m_notes[0].path, data("Weather.db3"));
    QCOMPARE(m_notes[0].source, shipped("Weather.db3"));

    QCOMPARE(HAppPaths::weatherDatabase(), path);
    QCOMPARE(m_notes.size(), 1); // made once
    QCOMPARE(QDir(m_dir->filePath("shipped")).entryList(QDir::Files), shippedBefore);
    QVERIFY(QFile::setPermissions(m_dir->filePath("shipped"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestAppPaths::afterARebuild_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("madeByProgram"); // false: the user put the file there
    QTest::addColumn<bool>("writtenInto");
    QTest::addColumn<bool>("rebuilt");
    QTest::addColumn<bool>("refreshed");

    QTest::newRow("weather nobody wrote into follows the rebuild")
        << "Weather.db3" << true << false << true << true;
    QTest::newRow("weather with an imported city is kept")
        << "Weather.db3" << true << true << true << false;
    QTest::newRow("weather the user put there is kept")
        << "Weather.db3" << false << false << true << false;
    QTest::newRow("weather without a rebuild stays")
        << "Weather.db3" << true << false << false << false;
    QTest::newRow("products follow the catalogue, the energy table is rebuilt")
        << "Product.mdb" << true << true << true << true;
    QTest::newRow("products the user put there are kept")
        << "Product.mdb" << false << false << true << false;
}

void TestAppPaths::afterARebuild()
{
    QFETCH(QString, name);
    QFETCH(bool, madeByProgram);
    QFETCH(bool, writtenInto);
    QFETCH(bool, rebuilt);
    QFETCH(bool, refreshed);
    const auto lookUp = [&] {
        return name == "Product.mdb" ? HAppPaths::productDatabase() : HAppPaths::weatherDatabase();
    };
    const QString cached = m_dir->filePath("cache/brivanta/weather/CITY.json");
    QVERIFY(write(shipped(name), "demo 1", -60));
    if (!madeByProgram)
        QVERIFY(write(data(name), "the user's own", -30));
    QCOMPARE(lookUp(), data(name));
    QVERIFY(write(cached, "{}"));
    QByteArray expected = madeByProgram ? "demo 1" : "the user's own";
    if (writtenInto) {
        QFile f(data(name));
        QVERIFY(f.open(QIODevice::Append));
        f.write(" + Amsterdam");
        expected += " + Amsterdam";
    }
    if (rebuilt)
        QVERIFY(write(shipped(name), "demo 2, rebuilt", 60));
    m_notes.clear();

    QCOMPARE(lookUp(), data(name));
    QCOMPARE(read(data(name)), refreshed ? QByteArray("demo 2, rebuilt") : expected);
    QCOMPARE(m_notes.size(), refreshed ? 1 : 0);
    if (refreshed) {
        QCOMPARE(m_notes[0].note, HAppPaths::Note::Updated);
        QCOMPARE(m_notes[0].source, shipped(name));
    }
    // Analyses of a replaced weather database are dropped.
    QCOMPARE(QFile::exists(cached), !(refreshed && name == "Weather.db3"));
    // Once refreshed, the copy is the new demo's: nothing more happens.
    m_notes.clear();
    lookUp();
    QVERIFY(m_notes.isEmpty());
}

void TestAppPaths::withoutACopy_data()
{
    QTest::addColumn<bool>("haveShipped");
    QTest::addColumn<QString>("dataHome"); // relative to the test folder
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("noted");

    // A regular file where the data folder would be: it cannot be made, even by root.
    QTest::newRow("data folder cannot be made: the shipped file is read")
        << true << "blocked/data"
        << "shipped/Weather.db3" << true;
    QTest::newRow("nothing shipped: nothing is made") << false << "data"
                                                      << "data/brivanta/Weather.db3" << false;
}

void TestAppPaths::withoutACopy()
{
    QFETCH(bool, haveShipped);
    QFETCH(QString, dataHome);
    QFETCH(QString, expected);
    QFETCH(bool, noted);
    QVERIFY(write(m_dir->filePath("blocked"), "a file"));
    qputenv("XDG_DATA_HOME", m_dir->filePath(dataHome).toUtf8());
    if (haveShipped)
        QVERIFY(write(shipped("Weather.db3"), "demo"));

    QCOMPARE(HAppPaths::weatherDatabase(), m_dir->filePath(expected));
    QVERIFY(!QFile::exists(m_dir->filePath("data/brivanta/Weather.db3")));
    QCOMPARE(m_notes.size(), noted ? 1 : 0);
    if (noted)
        QCOMPARE(m_notes[0].note, HAppPaths::Note::CannotCopy);
}

void TestAppPaths::locationsCreateNothing()
{
    QVERIFY(write(shipped("Weather.db3"), "demo"));
    const QVector<HAppPaths::Location> list = HAppPaths::locations();
    QStringList names;
    for (const HAppPaths::Location& l : list)
        names << l.name;
    QCOMPARE(names,
             QStringList({"Program", "Shipped files", "Configuration", "Language",
                          "Weather database", "Product database", "Default curves",
                          "Weather analysis cache", "Images", "Translations"}));
    const HAppPaths::Location& weather = list[4];
    QCOMPARE(weather.path, data("Weather.db3"));
    QCOMPARE(weather.state, "copied from " + shipped("Weather.db3") + " on first use");
    for (const char* folder : {"config", "data", "cache"})
        QVERIFY2(!QFile::exists(m_dir->filePath(folder)), folder);
    QVERIFY(m_notes.isEmpty());
}

void TestAppPaths::notesWaitForTheReporter()
{
    HAppPaths::setReporter({});
    HAppPaths::report(HAppPaths::Note::Written, "/a");
    HAppPaths::report(HAppPaths::Note::Copied, "/b", "/c");
    QVERIFY(m_notes.isEmpty());
    HAppPaths::setReporter(
        [this](HAppPaths::Note note, const QString& path, const QString& source) {
            m_notes.append({note, path, source});
        });
    QCOMPARE(m_notes.size(), 2);
    QCOMPARE(m_notes[1].source, QString("/c"));

    // In a folder chosen for everything, files are expected: nothing is said.
    HAppPaths::setApplicationDir(m_dir->path());
    HAppPaths::report(HAppPaths::Note::Written, "/d");
    QCOMPARE(m_notes.size(), 2);
}

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
