#pragma once
#include <QStringList>

// Translated names of the months and week days as the result page and the report
// show them ("Jan" ... "Dec" with "July" written in full; "Monday" ... "Sunday").
class HCalendarTexts
{
public:
    static QStringList monthNames();
    // Month 1 to 12.
    static QString monthName(int month);
    static QStringList weekDayNames();
};
