#pragma once
#include <QStringList>

// Translated names of the months and week days: short as the result page and the
// report show them ("Jan" ... "Dec" with "July" written in full), in full as the
// schedule page and the holiday calendar show them; "Monday" ... "Sunday".
class HCalendarTexts
{
public:
    static QStringList monthNames();
    // Month 1 to 12.
    static QString monthName(int month);
    static QStringList weekDayNames();
    // "January" ... "December" for month 1 to 12.
    static QString fullMonthName(int month);
    // "Monday" ... "Sunday" for day 1 (Monday) to 7.
    static QString weekDayName(int dayOfWeek);
};
