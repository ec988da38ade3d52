#include "HOutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {
void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}
} // namespace

HOutputFile::HOutputFile(const QString& path)
    : m_path(path)
{
}

HOutputFile::~HOutputFile()
{
    cancel();
}

bool HOutputFile::isStandardOutput() const
{
    return m_path == QLatin1String("-");
}

bool HOutputFile::isSpecialTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

bool HOutputFile::open(QString* error, QIODevice::OpenMode mode)
{
    cancel();
    mode |= QIODevice::WriteOnly;
    bool opened = false;
    if (isStandardOutput()) {
        // What the program printed through the C stream so far goes first.
        std::fflush(stdout);
        m_direct = std::make_unique<QFile>();
        opened = m_direct->open(stdout, mode, QFileDevice::DontCloseHandle);
    } else if (isSpecialTarget(m_path)) {
        // Renaming a temporary file over a device or a pipe would replace it by a file.
        m_direct = std::make_unique<QFile>(m_path);
        opened = m_direct->open(mode);
    } else {
        m_save = std::make_unique<QSaveFile>(m_path);
        opened = m_save->open(mode);
    }
    if (!opened) {
        setError(error, QStringLiteral("%1: %2").arg(where(), device()->errorString()));
        m_save.reset();
        m_direct.reset();
    }
    return opened;
}

QIODevice* HOutputFile::device() const
{
    if (m_save)
        return m_save.get();
    return m_direct.get();
}

QString HOutputFile::where() const
{
    return isStandardOutput() ? QStringLiteral("standard output") : m_path;
}

bool HOutputFile::commit(QString* error)
{
    if (m_direct) {
        // A short write (full device, closed pipe) only shows when the buffer is flushed.
        const bool ok = m_direct->error() == QFileDevice::NoError && m_direct->flush();
        if (!ok)
            setError(error, QStringLiteral("%1: %2").arg(where(), m_direct->errorString()));
        m_direct->close();
        m_direct.reset();
        return ok;
    }
    if (!m_save) {
        setError(error, QStringLiteral("%1: not open for writing").arg(where()));
        return false;
    }
    // Flush before commit: QSaveFile::commit would otherwise put a truncated file in
    // place of the old one and report success.
    if (m_save->error() != QFileDevice::NoError || !m_save->flush()) {
        setError(error, QStringLiteral("%1: %2").arg(where(), m_save->errorString()));
        cancel();
        return false;
    }
    const bool ok = m_save->commit();
    if (!ok)
        setError(error, QStringLiteral("%1: %2").arg(where(), m_save->errorString()));
    m_save.reset();
    return ok;
}

void HOutputFile::cancel()
{
    if (m_save) {
        m_save->cancelWriting();
        m_save.reset();
    }
    if (m_direct) {
        m_direct->close();
        m_direct.reset();
    }
}
