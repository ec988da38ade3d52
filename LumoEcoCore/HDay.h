#pragma once
#include "HAccessor.h"
#include "HHour.h"
#include "LumoEcoCoreExport.h"

#include <QDate>
#include <array>

// One calendar day with its 24 hours (held inline: a year is built with one
// allocation per day instead of one per hour).
class LUMOECOCORE_EXPORT HDay
{
public:
    // Dates the day in HYear::year and numbers its hours from HYear::hour_order.
    HDay(int month, int day);
    ~HDay() = default;
    HDay(const HDay&) = delete;
    HDay& operator=(const HDay&) = delete;

    // Hour 0 to 23, otherwise null.
    HHour* getHour(int hour);
    const HHour* getHour(int hour) const;

    void reset();

    double getOwnVRFEnergyConsumption() const;
    double getOtherVRFEnergyConsumption() const;

    H_MEMBER(QDate, date);
    H_MEMBER(int, day) = 0;
    H_MEMBER(int, month) = 0;
    H_MEMBER(bool, isHoliday) = false;

private:
    std::array<HHour, 24> hours;
};
