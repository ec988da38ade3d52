#pragma once
#include "LumoLanguageExport.h"
#include <QString>

// The display text of an English source text in the current language (the English
// text itself when the catalogue has no translation). All keys share the one
// translation context "Brivanta" of the catalogues under translations/.
LUMOLANGUAGE_EXPORT QString TranslateString(const QString& english);
