#include "HFuzzEnvironment.h"

#include "HAppPaths.h"
#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HProjectSession.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void silent(QtMsgType, const QMessageLogContext&, const QString&) {}

void require(bool ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "fuzz environment: %s failed\n", what);
        std::abort();
    }
}

} // namespace

HFuzzEnvironment& HFuzzEnvironment::get()
{
    static HFuzzEnvironment environment;
    return environment;
}

HFuzzEnvironment::HFuzzEnvironment()
{
    static int argc = 1;
    static char name[] = "brivanta_fuzz";
    static char* argv[] = {name, nullptr};
    m_app = new QCoreApplication(argc, argv);
    qInstallMessageHandler(silent);
    // Every input is written to a file: in memory where the system offers it, as a disk
    // file system flushes a file that is cut and rewritten on every close.
    const QString shm = QStringLiteral("/dev/shm");
    m_dir = QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
        ? new QTemporaryDir(shm + QStringLiteral("/brivanta-fuzz-XXXXXX"))
        : new QTemporaryDir;
    require(m_dir->isValid(), "temporary directory");
    HAppPaths::setApplicationDir(m_dir->path());
}

// The directory lives in memory and holds a database per input: it goes when the process
// ends normally. The application object is left alone, as other objects that outlive
// this one may still use it.
HFuzzEnvironment::~HFuzzEnvironment()
{
    m_dir->remove();
}

QString HFuzzEnvironment::dir() const
{
    return m_dir->path();
}

QString HFuzzEnvironment::write(const QString& name, const uint8_t* data, std::size_t size) const
{
    return write(name, QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
}

QString HFuzzEnvironment::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = m_dir->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "writing an input");
    require(file.write(bytes) == bytes.size(), "writing an input");
    return path;
}

void HFuzzEnvironment::useProducts()
{
    if (m_products.isEmpty()) {
        m_products = m_dir->filePath(QStringLiteral("Product.mdb"));
        require(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), m_products),
                "copying the product database");
        QFile::setPermissions(m_products, QFile::ReadOwner | QFile::WriteOwner);
        HProjectSession::registerProductDatabase(m_products);
        HInitVRFProductECData build; // builds the energy-data table once
        require(HDbFind::getDb() && HDbFind::getDb()->tableIsExist(HInitVRFProductECData::ecTableName),
                "building the energy-data table");
        // The application object is never destroyed, so the connection is closed by an
        // exit handler instead. Registered after the first connection, it runs before
        // Qt's list of connections is destroyed.
        std::atexit(&HDbFind::close);
    }
}

void HFuzzEnvironment::useWeather()
{
    if (m_weather.isEmpty()) {
        m_weather = m_dir->filePath(QStringLiteral("Weather.db3"));
        require(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"), m_weather),
                "copying the weather database");
    }
    // Setting the path closes the open connection: only when another path was set.
    if (LumoWeather::weatherDbPath() != m_weather)
        LumoWeather::setWeatherDbPath(m_weather, true);
}
