#include "HAppPaths.h"
#include "HJsonFunc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace {

// The folder name under the per-user locations, shared by both programs whatever
// their application names: the AppDataLocation (and so on) of "brivanta".
const QString kAppFolder = QStringLiteral("brivanta");
// Which shipped file each copy was made from, to refresh copies after an upgrade.
const QString kCopiesFile = QStringLiteral("shipped-copies.json");
const QString kWeatherDb = QStringLiteral("Weather.db3");
const QString kProductDb = QStringLiteral("Product.mdb");
const QString kConfig = QStringLiteral("ee_config.json");
const QString kCurves = QStringLiteral("OtherVRFPerformanceData.json");

QString& overrideDir()
{
    static QString dir;
    return dir;
}

QString& resourceOverride()
{
    static QString dir;
    return dir;
}

struct Pending
{
    HAppPaths::Note note;
    QString path;
    QString source;
};

struct ReportState
{
    HAppPaths::Reporter reporter;
    QVector<Pending> pending;
};

ReportState& reportState()
{
    static ReportState s;
    return s;
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    const QString base = QStandardPaths::writableLocation(location);
    return base.isEmpty() ? QString() : base + QLatin1Char('/') + kAppFolder;
}

// <program dir>/../share/brivanta (as installed) when it exists.
QString installedResourceDir()
{
    const QString dir = QDir::cleanPath(HAppPaths::applicationDir() + QLatin1Char('/')
                                        + QStringLiteral(BRIVANTA_RELATIVE_DATA_DIR));
    return QFileInfo(dir).isDir() ? dir : QString();
}

QString workingDirFile(const QString& name)
{
    const QFileInfo info(name);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

// What identifies one state of a file: where it is, its size and its time.
QJsonObject fingerprint(const QString& path)
{
    const QFileInfo info(path);
    return QJsonObject{
        {QStringLiteral("path"), info.absoluteFilePath()},
        {QStringLiteral("size"), double(info.size())},
        {QStringLiteral("modified"), double(info.lastModified().toMSecsSinceEpoch())}};
}

QString copiesFile()
{
    return HAppPaths::dataDir() + QLatin1Char('/') + kCopiesFile;
}

QJsonObject readCopies()
{
    QJsonDocument doc; // unreadable or missing: no copies recorded
    HJsonFunc::readFileToJsonDoc(copiesFile(), doc);
    return doc.object();
}

void recordCopy(const QString& name, const QString& source, const QString& copy)
{
    QJsonObject copies = readCopies();
    copies.insert(name,
                  QJsonObject{{QStringLiteral("source"), fingerprint(source)},
                              {QStringLiteral("copy"), fingerprint(copy)}});
    QSaveFile file(copiesFile());
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(copies).toJson());
        file.commit();
    }
}

// Copies `source` to `target` through a temporary file, so that a failed copy never
// leaves half a database; the copy is the user's to write whatever the source's mode.
bool copyFile(const QString& source, const QString& target)
{
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray buffer;
    while (!(buffer = in.read(1 << 20)).isEmpty()) {
        if (out.write(buffer) != buffer.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFile::NoError) {
        out.cancelWriting();
        return false;
    }
    out.setPermissions(out.permissions() | QFile::ReadOwner | QFile::WriteOwner);
    return out.commit();
}

enum class Refresh {
    WhenUntouched, // the user may have written into the copy: keep it then
    Always,        // the copy holds nothing of the user's
};

// The user's copy of a shipped file: made when missing, refreshed when the shipped
// file changed since the copy was made and `refresh` allows it.
QString userCopy(const QString& name, Refresh refresh, bool* replaced = nullptr)
{
    const QString shipped = HAppPaths::resourceDir() + QLatin1Char('/') + name;
    const QString data = HAppPaths::dataDir();
    if (data.isEmpty() || QFileInfo(data) == QFileInfo(HAppPaths::resourceDir()))
        return shipped;
    const QString copy = data + QLatin1Char('/') + name;
    const bool haveShipped = QFileInfo(shipped).isFile();
    if (!QFileInfo::exists(copy)) {
        if (!haveShipped)
            return copy; // nothing to copy; the caller reports the missing file
        if (!copyFile(shipped, copy)) {
            HAppPaths::report(HAppPaths::Note::CannotCopy, copy, shipped);
            return shipped;
        }
        recordCopy(name, shipped, copy);
        HAppPaths::report(HAppPaths::Note::Copied, copy, shipped);
        return copy;
    }
    if (!haveShipped)
        return copy;
    // A file the user put there has no record and is never replaced.
    const QJsonObject record = readCopies().value(name).toObject();
    if (record.isEmpty()
        || record.value(QStringLiteral("source")).toObject() == fingerprint(shipped))
        return copy;
    if (refresh == Refresh::WhenUntouched
        && record.value(QStringLiteral("copy")).toObject() != fingerprint(copy))
        return copy;
    if (copyFile(shipped, copy)) {
        recordCopy(name, shipped, copy);
        HAppPaths::report(HAppPaths::Note::Updated, copy, shipped);
        if (replaced)
            *replaced = true;
    }
    return copy;
}

} // namespace

QString HAppPaths::applicationDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    // Without an application object there is no executable path; never fall back
    // to the file-system root.
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

void HAppPaths::setApplicationDir(const QString& dir)
{
    overrideDir() = dir;
}

QString HAppPaths::resourceDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    if (!resourceOverride().isEmpty())
        return resourceOverride();
    const QString installed = installedResourceDir();
    return installed.isEmpty() ? applicationDir() : installed;
}

void HAppPaths::setResourceDir(const QString& dir)
{
    resourceOverride() = dir;
}

bool HAppPaths::isInstalled()
{
    return overrideDir().isEmpty() && resourceOverride().isEmpty()
        && !installedResourceDir().isEmpty();
}

QString HAppPaths::configDir()
{
    return userFolder(QStandardPaths::GenericConfigLocation);
}

QString HAppPaths::dataDir()
{
    return userFolder(QStandardPaths::GenericDataLocation);
}

QString HAppPaths::cacheDir()
{
    return userFolder(QStandardPaths::GenericCacheLocation);
}

QString HAppPaths::configFile()
{
    const QString local = workingDirFile(kConfig);
    if (!local.isEmpty())
        return local;
    const QString dir = configDir();
    return dir.isEmpty() ? QString() : dir + QLatin1Char('/') + kConfig;
}

QString HAppPaths::languageFile()
{
    return configDir() + QStringLiteral("/language.json");
}

QString HAppPaths::productDatabase()
{
    const QString local = workingDirFile(kProductDb);
    return local.isEmpty() ? userCopy(kProductDb, Refresh::Always) : local;
}

QString HAppPaths::weatherDatabase()
{
    bool replaced = false;
    const QString path = userCopy(kWeatherDb, Refresh::WhenUntouched, &replaced);
    if (replaced) {
        // The analyses of the old cities no longer hold.
        QDir cache(weatherCacheDir());
        for (const QString& file : cache.entryList({QStringLiteral("*.json")}, QDir::Files))
            cache.remove(file);
    }
    return path;
}

QString HAppPaths::curveFile()
{
    const QString user = userCurveFile();
    if (QFileInfo(user).isFile())
        return user;
    const QString shipped = resourceDir() + QLatin1Char('/') + kCurves;
    return QFileInfo(shipped).isFile() ? shipped : user;
}

QString HAppPaths::userCurveFile()
{
    return dataDir() + QLatin1Char('/') + kCurves;
}

QString HAppPaths::weatherCacheDir()
{
    return cacheDir() + QStringLiteral("/weather");
}

QString HAppPaths::imagesDir()
{
    return resourceDir() + QStringLiteral("/images");
}

QString HAppPaths::translationsDir()
{
    return resourceDir() + QStringLiteral("/translations");
}

QVector<HAppPaths::Location> HAppPaths::locations()
{
    const auto state = [](const QString& path, const QString& otherwise) {
        return QFileInfo::exists(path) ? QStringLiteral("exists") : otherwise;
    };
    const auto userFile = [&](const QString& name) -> Location {
        const QString copy = dataDir() + QLatin1Char('/') + name;
        const QString shipped = resourceDir() + QLatin1Char('/') + name;
        if (QFileInfo::exists(copy) || copy == shipped)
            return {QString(), copy, state(copy, QStringLiteral("missing"))};
        if (QFileInfo(shipped).isFile())
            return {QString(), copy, QStringLiteral("copied from %1 on first use").arg(shipped)};
        return {QString(), copy, QStringLiteral("missing, and %1 is missing too").arg(shipped)};
    };

    QVector<Location> list;
    list.append({QStringLiteral("Program"), applicationDir(), QStringLiteral("exists")});
    list.append({QStringLiteral("Shipped files"), resourceDir(),
                 isInstalled() ? QStringLiteral("installed")
                               : state(resourceDir(), QStringLiteral("missing"))});
    const QString config = configFile();
    list.append({QStringLiteral("Configuration"), config,
                 workingDirFile(kConfig).isEmpty()
                     ? state(config, QStringLiteral("created when a setting is saved"))
                     : QStringLiteral("exists (working directory)")});
    list.append({QStringLiteral("Language"), languageFile(),
                 state(languageFile(), QStringLiteral("created when a language is chosen"))});

    Location weather = userFile(kWeatherDb);
    weather.name = QStringLiteral("Weather database");
    list.append(weather);

    Location products = userFile(kProductDb);
    const QString localProducts = workingDirFile(kProductDb);
    if (!localProducts.isEmpty())
        products = {QString(), localProducts, QStringLiteral("exists (working directory)")};
    products.name = QStringLiteral("Product database");
    list.append(products);

    const QString curves = curveFile();
    list.append({QStringLiteral("Default curves"), curves,
                 state(curves, QStringLiteral("written with the built-in curves on first use"))});
    list.append({QStringLiteral("Weather analysis cache"), weatherCacheDir(),
                 state(weatherCacheDir(), QStringLiteral("created on first analysis"))});
    list.append(
        {QStringLiteral("Images"), imagesDir(), state(imagesDir(), QStringLiteral("missing"))});
    list.append({QStringLiteral("Translations"), translationsDir(),
                 state(translationsDir(), QStringLiteral("missing"))});
    return list;
}

void HAppPaths::setReporter(const Reporter& reporter)
{
    ReportState& s = reportState();
    s.reporter = reporter;
    if (!s.reporter)
        return;
    const QVector<Pending> pending = std::exchange(s.pending, {});
    for (const Pending& p : pending)
        s.reporter(p.note, p.path, p.source);
}

void HAppPaths::report(Note note, const QString& path, const QString& source)
{
    // In a directory chosen with setApplicationDir files are expected; nothing is announced.
    if (!overrideDir().isEmpty())
        return;
    ReportState& s = reportState();
    if (s.reporter)
        s.reporter(note, path, source);
    else
        s.pending.append({note, path, source});
}
