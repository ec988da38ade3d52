#pragma once
#include <QString>

class HProject;
class HProjectNotices;

// The readable summary "lumoeco project show" prints: the project's values, schedule,
// holidays and unit lines, in base units (kW, °C, m).
class HProjectSummary
{
public:
    static QString text(HProject* project, const QString& path);
    // "Warnings" and one line per notice, or a line saying there are none.
    static QString warningsText(const HProjectNotices& notices);
    // "hours 8-17; days Mon-Fri; months all".
    static QString scheduleText(HProject* project);
    // "3 days: 01-01, 12-24..12-25", or "none".
    static QString holidayText(HProject* project);
};
