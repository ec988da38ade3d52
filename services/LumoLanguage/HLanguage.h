#pragma once
#include "LumoLanguageExport.h"
#include <QString>
#include <QStringList>

// The process-wide display language. Languages are named by locale codes ("en",
// "zh_CN"); a language is available when its compiled catalogue
// "brivanta_<code>.qm" is installed in translationsDir(). English is the source
// language and always available.
class LUMOLANGUAGE_EXPORT HLanguage
{
public:
    static const char* context();    // "Brivanta", the one translation context
    static QString sourceLanguage(); // "en"
    // The shipped catalogues (HAppPaths::translationsDir).
    static QString translationsDir();
    static QString catalogueFile(const QString& code);
    // "en" first, then the installed catalogues in code order.
    static QStringList availableLanguages();
    // Installs the language's translator (and Qt's own catalogue for standard
    // dialog texts when the system has it); "en" removes them. False, with the
    // current language kept, when the catalogue is missing or unreadable.
    static bool setLanguage(const QString& code);
    static QString currentLanguage();
    // The language's own name ("English", "简体中文"), for choosing it.
    static QString displayName(const QString& code);

    // The choice kept between runs (HAppPaths::languageFile).
    static QString settingsFile();
    static QString savedLanguage(); // empty when nothing was saved
    static bool saveLanguage(const QString& code);
    // Installs the saved language; false (English kept) when none was saved or
    // its catalogue is no longer installed.
    static bool applySavedLanguage();
};
