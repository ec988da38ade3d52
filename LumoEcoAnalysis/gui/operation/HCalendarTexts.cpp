#include "HCalendarTexts.h"

#include "TranslateString.h"

#include <QtGlobal>

QString HCalendarTexts::dayName(int dayOfWeek)
{
    static const char* const days[] = {
        QT_TRANSLATE_NOOP("Brivanta", "Monday"),    QT_TRANSLATE_NOOP("Brivanta", "Tuesday"),
        QT_TRANSLATE_NOOP("Brivanta", "Wednesday"), QT_TRANSLATE_NOOP("Brivanta", "Thursday"),
        QT_TRANSLATE_NOOP("Brivanta", "Friday"),    QT_TRANSLATE_NOOP("Brivanta", "Saturday"),
        QT_TRANSLATE_NOOP("Brivanta", "Sunday")};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    return TranslateString(QString::fromLatin1(days[dayOfWeek - 1]));
}

QString HCalendarTexts::monthName(int month)
{
    static const char* const months[] = {
        QT_TRANSLATE_NOOP("Brivanta", "January"),   QT_TRANSLATE_NOOP("Brivanta", "February"),
        QT_TRANSLATE_NOOP("Brivanta", "March"),     QT_TRANSLATE_NOOP("Brivanta", "April"),
        QT_TRANSLATE_NOOP("Brivanta", "May"),       QT_TRANSLATE_NOOP("Brivanta", "June"),
        QT_TRANSLATE_NOOP("Brivanta", "July"),      QT_TRANSLATE_NOOP("Brivanta", "August"),
        QT_TRANSLATE_NOOP("Brivanta", "September"), QT_TRANSLATE_NOOP("Brivanta", "October"),
        QT_TRANSLATE_NOOP("Brivanta", "November"),  QT_TRANSLATE_NOOP("Brivanta", "December")};
    if (month < 1 || month > 12)
        return QString();
    return TranslateString(QString::fromLatin1(months[month - 1]));
}
