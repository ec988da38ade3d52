#include "HLanguage.h"
#include "HAppPaths.h"
#include "HJsonFunc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

struct LanguageState
{
    QString code = HLanguage::sourceLanguage();
    std::unique_ptr<QTranslator> own;
    std::unique_ptr<QTranslator> qt;
};

LanguageState& state()
{
    static LanguageState s;
    return s;
}

void removeTranslators()
{
    LanguageState& s = state();
    if (s.own)
        QCoreApplication::removeTranslator(s.own.get());
    if (s.qt)
        QCoreApplication::removeTranslator(s.qt.get());
    s.own.reset();
    s.qt.reset();
}

} // namespace

const char* HLanguage::context()
{
    return "Brivanta";
}

QString HLanguage::sourceLanguage()
{
    return QStringLiteral("en");
}

QString HLanguage::translationsDir()
{
    return HAppPaths::translationsDir();
}

QString HLanguage::catalogueFile(const QString& code)
{
    return QDir(translationsDir()).filePath(QStringLiteral("brivanta_%1.qm").arg(code));
}

QStringList HLanguage::availableLanguages()
{
    QStringList codes;
    const QStringList files =
        QDir(translationsDir())
            .entryList({QStringLiteral("brivanta_*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString code = QFileInfo(file).completeBaseName().mid(int(qstrlen("brivanta_")));
        if (!code.isEmpty() && code != sourceLanguage())
            codes << code;
    }
    codes.prepend(sourceLanguage());
    return codes;
}

bool HLanguage::setLanguage(const QString& code)
{
    LanguageState& s = state();
    if (code.isEmpty() || code == sourceLanguage()) {
        removeTranslators();
        s.code = sourceLanguage();
        return true;
    }
    auto own = std::make_unique<QTranslator>();
    if (!own->load(catalogueFile(code)))
        return false;
    removeTranslators();
    QCoreApplication::installTranslator(own.get());
    s.own = std::move(own);
    // Standard buttons and dialogs of Qt itself; optional, as not every system ships them.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + code,
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        s.qt = std::move(qt);
    }
    s.code = code;
    return true;
}

QString HLanguage::currentLanguage()
{
    return state().code;
}

QString HLanguage::displayName(const QString& code)
{
    if (code == sourceLanguage())
        return QStringLiteral("English");
    const QLocale locale(code);
    if (locale.language() == QLocale::C)
        return code;
    QString name = locale.nativeLanguageName();
    if (locale.script() == QLocale::SimplifiedHanScript
        || (locale.language() == QLocale::Chinese && locale.country() == QLocale::China))
        name = QStringLiteral("简体中文");
    return name.isEmpty() ? code : name;
}

QString HLanguage::settingsFile()
{
    return HAppPaths::languageFile();
}

QString HLanguage::savedLanguage()
{
    QJsonDocument doc;
    if (!HJsonFunc::readFileToJsonDoc(settingsFile(), doc))
        return QString();
    return doc.object().value(QStringLiteral("language")).toString();
}

bool HLanguage::saveLanguage(const QString& code)
{
    const QJsonObject obj{{QStringLiteral("language"), code}};
    const QString path = settingsFile();
    const bool existed = QFileInfo::exists(path);
    if (!HJsonFunc::jsonDocToFile(QJsonDocument(obj), path))
        return false;
    if (!existed)
        HAppPaths::report(HAppPaths::Note::Written, path);
    return true;
}

bool HLanguage::applySavedLanguage()
{
    const QString code = savedLanguage();
    if (code.isEmpty() || !availableLanguages().contains(code))
        return false;
    return setLanguage(code);
}
