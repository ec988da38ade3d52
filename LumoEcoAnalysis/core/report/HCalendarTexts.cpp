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
