#include "HYear.h"

#include "HDay.h"
#include "HMonth.h"

int HYear::year = initial_year;
int HYear::hour_order = 1;

HYear::HYear()
{
    hour_order = 1;
    reserve(8760);
    months.reserve(12);
    for (int m = 1; m <= 12; ++m) {
        auto* month = new HMonth(m);
        months.append(month);
        for (HDay* day : *month)
            for (int h = 0; h < 24; ++h)
                append(day->getHour(h));
    }
}

HYear::~HYear()
{
    clear(); // the hours belong to the days
    qDeleteAll(months);
}

HMonth* HYear::getMonth(int month) const
{
    return month >= 1 && month <= months.size() ? months.at(month - 1) : nullptr;
}

HHour* HYear::getHour(int month, int day, int hour) const
{
    HMonth* m = getMonth(month);
    HDay* d = m ? m->getDay(day) : nullptr;
    return d ? d->getHour(hour) : nullptr;
}

void HYear::reset()
{
    for (HMonth* month : months)
        month->reset();
}
