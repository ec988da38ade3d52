#pragma once
#include "HThemeItem.h"
#include "LumoCommonExport.h"
#include <QStringList>

// Named chart themes. "light" (the default) and "dark" are built in.
class LUMOCOMMON_EXPORT HTheme
{
public:
    static QString currentThemeName;

    // Copies the theme named `name` into `item`; false, with `item` untouched, for unknown names.
    static bool getThemeItem(const QString& name, HThemeItem& item);
    static QStringList themeNames();
};
