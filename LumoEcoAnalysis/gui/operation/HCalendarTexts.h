#pragma once
#include <QString>

// Names of week days and months in the display language.
class HCalendarTexts
{
public:
    // 1 Monday .. 7 Sunday; empty outside.
    static QString dayName(int dayOfWeek);
    // 1 January .. 12 December; empty outside.
    static QString monthName(int month);
};
