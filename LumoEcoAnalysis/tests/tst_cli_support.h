#pragma once
// Running the lumoeco program as a user would, for the tests of its commands: copies
// of the demo databases in a temporary folder, the example projects and the names the
// documentation lists.

#include "HDatabase.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace clitest {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline QJsonObject readJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The example projects, by file name.
inline QStringList examples()
{
    QStringList files;
    for (const QFileInfo& fi :
         QDir(QStringLiteral(BRIVANTA_EXAMPLES)).entryInfoList({"*.ee"}, QDir::Files, QDir::Name))
        files << fi.absoluteFilePath();
    return files;
}

inline QString example(const QString& fileName)
{
    return QStringLiteral(BRIVANTA_EXAMPLES "/") + fileName;
}

// The names in the first column ("| `name` |") of the tables below a heading of a
// Markdown file (the examples' README unless another is given).
inline QSet<QString> documentedNames(const QString& heading,
                                     const QString& file = QStringLiteral(BRIVANTA_EXAMPLES
                                                                          "/README.md"))
{
    QFile f(file);
    QSet<QString> names;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    bool inSection = false;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        if (line.startsWith('#')) {
            inSection = line.trimmed() == heading;
            continue;
        }
        if (inSection && line.startsWith(QLatin1String("| `"))) {
            const int end = line.indexOf('`', 3);
            if (end > 3)
                names.insert(line.mid(3, end - 3));
        }
    }
    return names;
}

// Adds the city "Emptyville, France" to a weather database, its table holding no valid
// reading, so that a calculation there fails.
inline bool addEmptyCity(const QString& weatherDb)
{
    HDatabase db;
    const bool ok = db.openDatabase(weatherDb)
        && db.exec("create table [Empty_City] (year int, month int, day int, hour int, "
                   "dry_temp double, Humidity double)")
        && db.exec("insert into [Empty_City] values (2019, 1, 1, 0, 999, 0.5)")
        && db.exec("insert into tb_glb_idx ([nation], [city], [tableName]) values (?, ?, ?)",
                   {"France", "Emptyville", "Empty_City"});
    db.closeDatabase();
    return ok;
}

// lumoeco run in `dir` with `args`, the program folder `dir` and, unless `databases` is
// false, the databases Weather.db3 and Product.mdb of `dir`.
inline Run runIn(const QString& dir, QStringList args, bool databases = true)
{
    if (databases)
        args << "--weather" << QDir(dir).filePath("Weather.db3") << "--products"
             << QDir(dir).filePath("Product.mdb");
    args << "--app-dir" << dir;
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(LUMOECO_PATH), args);
    Run r;
    if (!p.waitForFinished(240000)) {
        p.kill();
        p.waitForFinished();
        r.err = "timed out";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A temporary folder with writable copies of the demo databases, where lumoeco runs.
class Fixture
{
public:
    // Call from initTestCase.
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(LUMOECO_PATH), LUMOECO_PATH);
        // Copies: the program may build the energy-data table and the weather commands write.
        for (const char* name : {"Weather.db3", "Product.mdb"}) {
            QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/") + name, path(name)));
            QFile::setPermissions(path(name), QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // lumoeco with `args`, and the databases of the folder unless `databases` is false.
    Run run(const QStringList& args, bool databases = true) const
    {
        return runIn(m_dir.path(), args, databases);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace clitest
