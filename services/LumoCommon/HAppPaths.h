#pragma once
#include "LumoCommonExport.h"
#include <QString>
#include <QVector>

#include <functional>

// Where the program finds its files, in one place for both programs and the libraries.
//
// Shipped files (images, translations, the demo databases, the default curve file)
// are read from resourceDir(): <prefix>/share/brivanta when the program is installed,
// else the program's own directory (a build tree). The program never writes there.
//
// What the program writes lives in per-user folders: the configuration in the
// configuration folder, the user's Weather.db3 and Product.mdb (copied from the
// shipped ones on first use) and a changed curve file in the data folder, the
// weather-analysis cache in the cache folder. A working directory holding
// "ee_config.json" or "Product.mdb" still wins for those two files.
//
// setApplicationDir() makes one directory the program's own for everything, shipped
// and written alike (tests, lumoeco --app-dir): nothing then lands elsewhere.
class LUMOCOMMON_EXPORT HAppPaths
{
public:
    // The executable's directory, or the directory set with setApplicationDir.
    static QString applicationDir();
    static void setApplicationDir(const QString& dir); // empty restores the default

    // Shipped, read-only files.
    static QString resourceDir();
    // Takes the shipped files from `dir` while the per-user folders stay where they are
    // (tests of the copies); empty restores the default.
    static void setResourceDir(const QString& dir);
    // True when resourceDir() is the share folder of an installed program.
    static bool isInstalled();

    // Per-user folders (not created by asking).
    static QString configDir();
    static QString dataDir();
    static QString cacheDir();

    // "ee_config.json" of the working directory when there is one, else the
    // configuration folder's (created when first saved).
    static QString configFile();
    // The chosen display language, kept between runs.
    static QString languageFile();
    // "Product.mdb" of the working directory when there is one, else the user's copy
    // of the shipped catalogue (made now when missing; replaced when the shipped
    // catalogue changed, as the program only adds its derived energy-data table).
    static QString productDatabase();
    // The user's Weather.db3, copied from the shipped demo database when missing, and
    // refreshed from it after a rebuild or an upgrade only while nothing was imported
    // into it. When no copy can be made the shipped file is returned for reading.
    static QString weatherDatabase();
    // The default part-load curves: the user's file when there is one, else the
    // shipped one; userCurveFile() is where the program writes them.
    static QString curveFile();
    static QString userCurveFile();
    // One analysis JSON file per city table.
    static QString weatherCacheDir();
    static QString imagesDir();
    static QString translationsDir();

    // Every location in use, for showing; nothing is created or copied by asking.
    struct Location
    {
        QString name;  // what it is
        QString path;  // where it is
        QString state; // "exists", "missing", or how it comes to be
    };
    static QVector<Location> locations();

    // Files the program created for the user: `path` was made, as a copy of `source`
    // when that is not empty. Notes made before a reporter is set are kept and handed
    // to it when it is set. An empty reporter keeps the notes again.
    enum class Note { Copied, Updated, Written, CannotCopy };
    using Reporter = std::function<void(Note note, const QString& path, const QString& source)>;
    static void setReporter(const Reporter& reporter);
    static void report(Note note, const QString& path, const QString& source = QString());
};
