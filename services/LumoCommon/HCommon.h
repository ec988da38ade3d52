#pragma once
#include "LumoCommonExport.h"
#include <QColor>
#include <QString>

class QComboBox;
class QWidget;

// Small helpers shared by the pages.
class LUMOCOMMON_EXPORT HCommon
{
public:
    // Integer with thousands grouped by commas: 1234567 -> "1,234,567", -1234 -> "-1,234".
    static QString FormatLargeIntNumber(qint64 value);
    // Paints the widget's background in the colour (auto-fill on).
    static void setWidgetBackground(QWidget* widget, const QColor& color);
    // Makes the item whose text equals `text` current; false, with the current
    // item kept, when the box has no such item (nothing is added).
    static bool updateCombox(QComboBox* box, const QString& text);
};
