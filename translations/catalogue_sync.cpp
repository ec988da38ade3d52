// Keeps the translation catalogues in step with the sources.
//
//   catalogue_sync --check  <source root> <catalogue.ts>...
//       fails when a text passed to TranslateString("...") (or marked with
//       QT_TRANSLATE_NOOP("Brivanta", "...")) has no entry in a catalogue.
//   catalogue_sync --update <source root> <catalogue.ts>...
//       adds the missing texts as unfinished entries and marks entries whose
//       text is no longer used as vanished.
//
// Plain string literals only; texts built at run time must be marked with
// QT_TRANSLATE_NOOP where they are written down.

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>

namespace {

const QString kContext = QStringLiteral("Brivanta");

struct Message
{
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished", "obsolete"
};

struct Catalogue
{
    QString language;
    QString sourceLanguage;
    QMap<QString, QList<Message>> contexts; // context name -> messages
};

QString unescape(const QString& literal)
{
    QString out;
    for (int i = 0; i < literal.size(); ++i) {
        const QChar c = literal.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= literal.size()) {
            out += c;
            continue;
        }
        const QChar n = literal.at(++i);
        if (n == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (n == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else
            out += n;
    }
    return out;
}

QSet<QString> scanSources(const QString& root)
{
    static const char* const pattern =
        R"re((?:\bTranslateString\s*\(\s*|\bQT_TRANSLATE_NOOP\s*\(\s*"Brivanta"\s*,\s*)"((?:[^"\\]|\\.)*)")re";
    static const QRegularExpression call(QString::fromLatin1(pattern));
    static const QRegularExpression next(QString::fromLatin1(R"re(\s*"((?:[^"\\]|\\.)*)")re"));
    QSet<QString> texts;
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size());
        if (relative.contains(QLatin1String("/build")) || relative.contains(QLatin1String("/.git/"))
            || relative.contains(QLatin1String("/tests/"))
            || relative.startsWith(QLatin1String("/translations/")))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        auto matches = call.globalMatch(text);
        while (matches.hasNext()) {
            const QRegularExpressionMatch m = matches.next();
            QString source = unescape(m.captured(1));
            // Adjacent literals ("a " "b") are one text to the compiler.
            int end = m.capturedEnd(0);
            for (;;) {
                const QRegularExpressionMatch more =
                    next.match(text, end, QRegularExpression::NormalMatch,
                               QRegularExpression::AnchoredMatchOption);
                if (!more.hasMatch())
                    break;
                source += unescape(more.captured(1));
                end = more.capturedEnd(0);
            }
            if (!source.isEmpty())
                texts.insert(source);
        }
    }
    return texts;
}

bool readCatalogue(const QString& path, Catalogue& cat, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message msg;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                cat.language = xml.attributes().value(QLatin1String("language")).toString();
                cat.sourceLanguage =
                    xml.attributes().value(QLatin1String("sourcelanguage")).toString();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
                cat.contexts[context];
            } else if (name == QLatin1String("message")) {
                msg = Message();
            } else if (name == QLatin1String("source")) {
                msg.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                msg.type = xml.attributes().value(QLatin1String("type")).toString();
                msg.translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            cat.contexts[context].append(msg);
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

bool writeCatalogue(const QString& path, const Catalogue& cat)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), cat.language);
    xml.writeAttribute(QStringLiteral("sourcelanguage"), cat.sourceLanguage);
    for (auto ctx = cat.contexts.cbegin(); ctx != cat.contexts.cend(); ++ctx) {
        xml.writeStartElement(QStringLiteral("context"));
        xml.writeTextElement(QStringLiteral("name"), ctx.key());
        for (const Message& m : ctx.value()) {
            xml.writeStartElement(QStringLiteral("message"));
            xml.writeTextElement(QStringLiteral("source"), m.source);
            xml.writeStartElement(QStringLiteral("translation"));
            if (!m.type.isEmpty())
                xml.writeAttribute(QStringLiteral("type"), m.type);
            xml.writeCharacters(m.translation);
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4
        || (args[1] != QLatin1String("--check") && args[1] != QLatin1String("--update"))) {
        std::fprintf(stderr, "usage: catalogue_sync --check|--update <source root> <file.ts>...\n");
        return 2;
    }
    const bool update = args[1] == QLatin1String("--update");
    const QSet<QString> used = scanSources(args[2]);
    QTextStream out(stdout);
    int missingTotal = 0;
    for (int i = 3; i < args.size(); ++i) {
        Catalogue cat;
        QString error;
        if (!readCatalogue(args[i], cat, error)) {
            out << args[i] << ": " << error << Qt::endl;
            return 2;
        }
        QList<Message>& messages = cat.contexts[kContext];
        QSet<QString> present;
        int unfinished = 0;
        for (Message& m : messages) {
            const bool live =
                m.type != QLatin1String("vanished") && m.type != QLatin1String("obsolete");
            if (live && !used.contains(m.source) && update)
                m.type = QStringLiteral("vanished");
            if (live)
                present.insert(m.source);
            if (m.type == QLatin1String("unfinished"))
                ++unfinished;
        }
        QStringList missing;
        for (const QString& s : used)
            if (!present.contains(s))
                missing << s;
        missing.sort();
        missingTotal += missing.size();
        for (const QString& s : missing)
            out << args[i] << ": missing \"" << s << "\"" << Qt::endl;
        out << args[i] << ": " << used.size() << " texts used, " << missing.size() << " missing, "
            << unfinished << " unfinished" << Qt::endl;
        if (update) {
            for (const QString& s : missing) {
                // A vanished entry that is used again comes back with its translation.
                bool revived = false;
                for (Message& m : messages)
                    if (m.source == s
                        && (m.type == QLatin1String("vanished")
                            || m.type == QLatin1String("obsolete"))) {
                        m.type = m.translation.isEmpty() ? QStringLiteral("unfinished") : QString();
                        revived = true;
                    }
                if (!revived)
                    messages.append({s, QString(), QStringLiteral("unfinished")});
            }
            std::sort(messages.begin(), messages.end(),
                      [](const Message& a, const Message& b) { return a.source < b.source; });
            if (!writeCatalogue(args[i], cat)) {
                out << args[i] << ": cannot write" << Qt::endl;
                return 2;
            }
        }
    }
    return (!update && missingTotal > 0) ? 1 : 0;
}
