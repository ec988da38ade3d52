#include "HCalendarTexts.h"

#include "TranslateString.h"

namespace {

const char* const kMonths[] = {
    QT_TRANSLATE_NOOP("Brivanta", "Jan"),  QT_TRANSLATE_NOOP("Brivanta", "Feb"),
    QT_TRANSLATE_NOOP("Brivanta", "Mar"),  QT_TRANSLATE_NOOP("Brivanta", "Apr"),
    QT_TRANSLATE_NOOP("Brivanta", "May"),  QT_TRANSLATE_NOOP("Brivanta", "Jun"),
    QT_TRANSLATE_NOOP("Brivanta", "July"), QT_TRANSLATE_NOOP("Brivanta", "Aug"),
    QT_TRANSLATE_NOOP("Brivanta", "Sep"),  QT_TRANSLATE_NOOP("Brivanta", "Oct"),
    QT_TRANSLATE_NOOP("Brivanta", "Nov"),  QT_TRANSLATE_NOOP("Brivanta", "Dec")};

const char* const kFullMonths[] = {
    QT_TRANSLATE_NOOP("Brivanta", "January"),   QT_TRANSLATE_NOOP("Brivanta", "February"),
    QT_TRANSLATE_NOOP("Brivanta", "March"),     QT_TRANSLATE_NOOP("Brivanta", "April"),
    QT_TRANSLATE_NOOP("Brivanta", "May"),       QT_TRANSLATE_NOOP("Brivanta", "June"),
    QT_TRANSLATE_NOOP("Brivanta", "July"),      QT_TRANSLATE_NOOP("Brivanta", "August"),
    QT_TRANSLATE_NOOP("Brivanta", "September"), QT_TRANSLATE_NOOP("Brivanta", "October"),
    QT_TRANSLATE_NOOP("Brivanta", "November"),  QT_TRANSLATE_NOOP("Brivanta", "December")};

const char* const kWeekDays[] = {
    QT_TRANSLATE_NOOP("Brivanta", "Monday"),    QT_TRANSLATE_NOOP("Brivanta", "Tuesday"),
    QT_TRANSLATE_NOOP("Brivanta", "Wednesday"), QT_TRANSLATE_NOOP("Brivanta", "Thursday"),
    QT_TRANSLATE_NOOP("Brivanta", "Friday"),    QT_TRANSLATE_NOOP("Brivanta", "Saturday"),
    QT_TRANSLATE_NOOP("Brivanta", "Sunday")};

} // namespace

QStringList HCalendarTexts::monthNames()
{
    QStringList names;
    for (const char* m : kMonths)
        names << TranslateString(QString::fromLatin1(m));
    return names;
}

QString HCalendarTexts::monthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return TranslateString(QString::fromLatin1(kMonths[month - 1]));
}

QStringList HCalendarTexts::weekDayNames()
{
    QStringList names;
    for (const char* d : kWeekDays)
        names << TranslateString(QString::fromLatin1(d));
    return names;
}

QString HCalendarTexts::fullMonthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return TranslateString(QString::fromLatin1(kFullMonths[month - 1]));
}

QString HCalendarTexts::weekDayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    return TranslateString(QString::fromLatin1(kWeekDays[dayOfWeek - 1]));
}
