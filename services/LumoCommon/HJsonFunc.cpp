#include "HJsonFunc.h"

#include "HOutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonParseError>
#include <QVector>

#include <cstring>

namespace {
void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Qt 5.15's parser keeps the last value of a key an object repeats, and leaks the earlier
// value when that is an array or object. Such an earlier value is overwritten with 0
// (padded to its length, so that offsets of errors stay) before Qt reads the text: the
// document Qt makes is the same, without the leak. The scan stops where the text stops
// being JSON; Qt then reports the error.
class ShadowedValues
{
public:
    explicit ShadowedValues(QByteArray& text)
        : m_text(text)
    {
    }

    void blank()
    {
        skipSpace();
        value(0);
    }

private:
    struct Member
    {
        QString key;
        int start;
        int end;
        bool container;
    };

    static constexpr int maxDepth = 1024; // Qt refuses deeper nesting

    char at(int i) const { return i < m_text.size() ? m_text.at(i) : '\0'; }

    void skipSpace()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text.at(m_pos);
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                break;
            ++m_pos;
        }
    }

    bool value(int depth)
    {
        const char c = at(m_pos);
        if (c == '{')
            return depth < maxDepth && object(depth + 1);
        if (c == '[')
            return depth < maxDepth && array(depth + 1);
        if (c == '"')
            return string(nullptr);
        // A number or a literal: Qt checks it.
        const int start = m_pos;
        while (m_pos < m_text.size() && !strchr(",]} \t\n\r", m_text.at(m_pos)))
            ++m_pos;
        return m_pos > start;
    }

    bool array(int depth)
    {
        ++m_pos;
        skipSpace();
        if (at(m_pos) == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            if (!value(depth))
                return false;
            skipSpace();
            if (at(m_pos) == ',') {
                ++m_pos;
                continue;
            }
            if (at(m_pos) != ']')
                return false;
            ++m_pos;
            return true;
        }
    }

    bool object(int depth)
    {
        ++m_pos;
        QVector<Member> members;
        skipSpace();
        if (at(m_pos) == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            Member m;
            if (at(m_pos) != '"' || !string(&m.key))
                return false;
            skipSpace();
            if (at(m_pos) != ':')
                return false;
            ++m_pos;
            skipSpace();
            m.start = m_pos;
            m.container = at(m_pos) == '{' || at(m_pos) == '[';
            if (!value(depth))
                return false;
            m.end = m_pos;
            members.append(m);
            skipSpace();
            if (at(m_pos) == ',') {
                ++m_pos;
                continue;
            }
            if (at(m_pos) != '}')
                return false;
            ++m_pos;
            break;
        }
        for (int i = 0; i < members.size(); ++i) {
            if (!members[i].container)
                continue;
            for (int j = i + 1; j < members.size(); ++j) {
                if (members[j].key == members[i].key) {
                    char* span = m_text.data() + members[i].start;
                    memset(span, ' ', size_t(members[i].end - members[i].start));
                    *span = '0'; // fits even "[]"
                    break;
                }
            }
        }
        return true;
    }

    // A string at m_pos; its text (escapes decoded) into text when asked for.
    bool string(QString* text)
    {
        ++m_pos;
        QByteArray raw;
        for (;;) {
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text.at(m_pos++);
            if (c == '"')
                break;
            if (c != '\\') {
                raw += c;
                continue;
            }
            const char e = at(m_pos++);
            switch (e) {
            case '"': raw += '"'; break;
            case '\\': raw += '\\'; break;
            case '/': raw += '/'; break;
            case 'b': raw += '\b'; break;
            case 'f': raw += '\f'; break;
            case 'n': raw += '\n'; break;
            case 'r': raw += '\r'; break;
            case 't': raw += '\t'; break;
            case 'u': {
                bool ok = false;
                const ushort unit = m_text.mid(m_pos, 4).toUShort(&ok, 16);
                if (!ok || m_text.mid(m_pos, 4).size() != 4)
                    return false;
                m_pos += 4;
                // Kept apart from the bytes around it: a surrogate pair is two units.
                if (text)
                    *text += QString::fromUtf8(raw) + QChar(unit);
                raw.clear();
                break;
            }
            default:
                return false;
            }
        }
        if (text)
            *text += QString::fromUtf8(raw);
        return true;
    }

    QByteArray& m_text;
    int m_pos = 0;
};

bool parseBytes(const QByteArray& input, QJsonDocument& doc, QString* error, const QString& where)
{
    QByteArray bytes = input;
    ShadowedValues(bytes).blank();
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
