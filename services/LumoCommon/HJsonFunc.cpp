#include "HJsonFunc.h"

#include "HOutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonParseError>

namespace {
void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool parseBytes(const QByteArray& bytes, QJsonDocument& doc, QString* error, const QString& where)
{
    QJsonParseError pe;
    QJsonDocument parsed = QJsonDocument::fromJson(bytes, &pe);
    if (pe.error != QJsonParseError::NoError) {
        doc = QJsonDocument();
        setError(error,
                 QStringLiteral("%1: not valid JSON (%2 at offset %3)")
                     .arg(where, pe.errorString())
                     .arg(pe.offset));
        return false;
    }
    doc = parsed;
    return true;
}

bool parseFile(const QString& path, bool skipByteOrderMark, QJsonDocument& doc, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc = QJsonDocument();
        setError(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (skipByteOrderMark && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return parseBytes(bytes, doc, error, path);
}
} // namespace

bool HJsonFunc::readFileToJsonDoc(const QString& path, QJsonDocument& doc, QString* error)
{
    return parseFile(path, false, doc, error);
}

bool HJsonFunc::readUTF_8FileToJsonDoc(const QString& path, QJsonDocument& doc, QString* error)
{
    // Tolerate a UTF-8 byte-order mark, which some exporters write.
    return parseFile(path, true, doc, error);
}

bool HJsonFunc::parseTextToJsonDoc(const QString& text, QJsonDocument& doc, QString* error)
{
    return parseBytes(text.toUtf8(), doc, error, QStringLiteral("text"));
}

QString HJsonFunc::jsonDocToText(const QJsonDocument& doc, QJsonDocument::JsonFormat format)
{
    return QString::fromUtf8(doc.toJson(format));
}

bool HJsonFunc::jsonDocToFile(const QJsonDocument& doc, const QString& path,
                              QJsonDocument::JsonFormat format, QString* error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("no file name given"));
        return false;
    }
    HOutputFile file(path);
    if (!file.isStandardOutput() && !HOutputFile::isSpecialTarget(path)) {
        const QFileInfo info(path);
        QDir dir = info.absoluteDir();
        if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) {
            setError(error,
                     QStringLiteral("%1: cannot create the folder %2").arg(path, dir.path()));
            return false;
        }
    }
    if (!file.open(error))
        return false;
    const QByteArray bytes = doc.toJson(format);
    if (file.device()->write(bytes) != bytes.size()) {
        setError(error, QStringLiteral("%1: %2").arg(path, file.device()->errorString()));
        file.cancel();
        return false;
    }
    return file.commit(error);
}
