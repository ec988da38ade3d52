#pragma once
#include "HAccessor.h"
#include "HCalRecordBlock.h"
#include "LumoEcoCoreExport.h"

#include <QString>
#include <QVector>

class HMonth;
class HHour;

// The calendar year: 12 owned months, and the sequence of all 8760 hours in
// calendar order (references to the hours owned by the days). There is never
// a 29 February, whatever HYear::year is.
class LUMOECOCORE_EXPORT HYear : public QVector<HHour*>
{
public:
    HYear();
    ~HYear();
    HYear(const HYear&) = delete;
    HYear& operator=(const HYear&) = delete;

    // Month 1 to 12, otherwise null.
    HMonth* getMonth(int month) const;
    // Null when the month, day or hour is out of range.
    HHour* getHour(int month, int day, int hour) const;

    // Clears the weather values of every hour.
    void reset();

    // Storage of the year calculation's result records, one per system; the
    // hours refer to their slots.
    HCalRecordBlock* getOwnVRFRecordBlock() { return &own_vrf_records; }
    HCalRecordBlock* getOtherVRFRecordBlock() { return &other_vrf_records; }

    // Calendar year whose dates and weekdays days built from now on take.
    static int year;
    // The value `year` has when the program starts.
    static constexpr int initial_year = 2015;
    // Sequence number given to the next hour built.
    static int hour_order;
    static constexpr double load_adjust_factor_cooling = 1.5;
    static constexpr double load_adjust_factor_heating = 1.0;

    H_MEMBER(QString, weatherTableName);

private:
    QVector<HMonth*> months;
    // Destroyed after the hours that refer to them (the destructor deletes the months).
    HCalRecordBlock own_vrf_records;
    HCalRecordBlock other_vrf_records;
};
