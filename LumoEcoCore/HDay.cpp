#include "HDay.h"

#include "HYear.h"

HDay::HDay(int month, int day)
    : date(HYear::year, month, day)
    , day(day)
    , month(month)
{
    const int weekday = date.dayOfWeek(); // 1 Monday ... 7 Sunday
    for (int h = 0; h < 24; ++h) {
        HHour& hour = hours[h];
        hour.sethour(h);
        hour.setdayOfWeek(weekday);
        hour.sethour_order(HYear::hour_order++);
    }
}

HHour* HDay::getHour(int hour)
{
    return hour >= 0 && hour < 24 ? &hours[hour] : nullptr;
}

const HHour* HDay::getHour(int hour) const
{
    return hour >= 0 && hour < 24 ? &hours[hour] : nullptr;
}

void HDay::reset()
{
    for (HHour& hour : hours)
        hour.reset();
}

double HDay::getOwnVRFEnergyConsumption() const
{
    double sum = 0.0;
    for (const HHour& hour : hours)
        sum += hour.getOwnVRFEnergyConsumption();
    return sum;
}

double HDay::getOtherVRFEnergyConsumption() const
{
    double sum = 0.0;
    for (const HHour& hour : hours)
        sum += hour.getOtherVRFEnergyConsumption();
    return sum;
}
