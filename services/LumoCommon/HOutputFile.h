#pragma once
#include "LumoCommonExport.h"

#include <QIODevice>
#include <QString>

#include <memory>

class QFile;
class QSaveFile;

// One output file, written whole or not at all where the target allows it:
// - a new file or an existing regular file is written to a temporary file that commit()
//   renames over the target, so a failed write leaves the previous file intact;
// - an existing target that is not a regular file (a device such as /dev/null, a FIFO,
//   a /dev/fd/N of a pipe) is written directly and never replaced;
// - "-" is standard output.
// An output that is not committed (cancel(), destruction) leaves a regular target as it was.
class LUMOCOMMON_EXPORT HOutputFile
{
public:
    explicit HOutputFile(const QString& path);
    ~HOutputFile();
    HOutputFile(const HOutputFile&) = delete;
    HOutputFile& operator=(const HOutputFile&) = delete;

    // Opens the output for writing (`mode` adds e.g. QIODevice::Text). False with the
    // reason in `error` when it cannot be written: a missing or read-only folder, a
    // folder in place of the file, a device that cannot be opened.
    bool open(QString* error = nullptr, QIODevice::OpenMode mode = QIODevice::WriteOnly);
    // The open output, null before open().
    QIODevice* device() const;
    // Flushes everything written and, for a regular file, puts it in place. False with
    // the reason when any of it failed (a full disk, a closed pipe).
    bool commit(QString* error = nullptr);
    // Discards what was written to a regular file.
    void cancel();

    QString path() const { return m_path; }
    bool isStandardOutput() const;
    // True when the existing target is not a regular file (it is written directly).
    static bool isSpecialTarget(const QString& path);

private:
    // The target as messages name it.
    QString where() const;

    QString m_path;
    std::unique_ptr<QSaveFile> m_save;
    std::unique_ptr<QFile> m_direct;
};
