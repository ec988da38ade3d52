#pragma once
#include "HAccessor.h"
#include "LumoEcoCoreExport.h"

#include <QVector>

class HDay;

// One month: its days in order (owned). February always has 28 days.
class LUMOECOCORE_EXPORT HMonth : public QVector<HDay*>
{
public:
    explicit HMonth(int month);
    ~HMonth();
    HMonth(const HMonth&) = delete;
    HMonth& operator=(const HMonth&) = delete;

    static int daysInMonth(int month);

    // Day 1 to the month's length, otherwise null.
    HDay* getDay(int day) const;

    void reset();

    double getOwnVRFEnergyConsumption() const;
    double getOtherVRFEnergyConsumption() const;

    H_MEMBER(int, month) = 0;
};
