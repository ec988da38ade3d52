#include "HMonth.h"

#include "HDay.h"

HMonth::HMonth(int month)
    : month(month)
{
    const int days = daysInMonth(month);
    reserve(days);
    for (int d = 1; d <= days; ++d)
        append(new HDay(month, d));
}

HMonth::~HMonth()
{
    qDeleteAll(*this);
}

int HMonth::daysInMonth(int month)
{
    switch (month) {
    case 2:
        return 28; // the model year never has a 29 February
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return month >= 1 && month <= 12 ? 31 : 0;
    }
}

HDay* HMonth::getDay(int day) const
{
    return day >= 1 && day <= size() ? at(day - 1) : nullptr;
}

void HMonth::reset()
{
    for (HDay* day : *this)
        day->reset();
}

double HMonth::getOwnVRFEnergyConsumption() const
{
    double sum = 0.0;
    for (const HDay* day : *this)
        if (day)
            sum += day->getOwnVRFEnergyConsumption();
    return sum;
}

double HMonth::getOtherVRFEnergyConsumption() const
{
    double sum = 0.0;
    for (const HDay* day : *this)
        if (day)
            sum += day->getOtherVRFEnergyConsumption();
    return sum;
}
