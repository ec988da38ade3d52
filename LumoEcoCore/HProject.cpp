#include "HProject.h"

#include "HChiller.h"
#include "HDay.h"
#include "HMonth.h"
#include "HVRF.h"
#include "HYear.h"

#include <QDebug>

HProject* HProject::globalProject = nullptr;

HProject::HProject()
    : own_vrf(new HVRF)
    , other_vrf(new HVRF)
    , chiller(new HChiller)
    , year(new HYear)
{
    // Filled without recomputing the hours: a new project's hours stay off
    // until the first updateOperationInfoToYear().
    for (int h = 0; h <= 23; ++h)
        operation_daily.insert(h, h >= 9 && h <= 17);
    for (int d = 1; d <= 7; ++d)
        operation_weekly.insert(d, d <= 5);
    for (int m = 1; m <= 12; ++m)
        operation_monthly.insert(m, true);
}

HProject::~HProject()
{
    // The hours' records point at the systems' units: drop the year first.
    delete year;
    delete own_vrf;
    delete other_vrf;
    delete chiller;
    if (globalProject == this)
        globalProject = nullptr;
}

HProject* HProject::getProject()
{
    if (!globalProject)
        globalProject = new HProject;
    return globalProject;
}

void HProject::reset()
{
    HProject* old = globalProject;
    globalProject = nullptr;
    delete old;
}

bool HProject::getOperationDailyIsOn(int hour)
{
    return operation_daily[hour];
}

bool HProject::getOperationWeeklyIsOn(int dayOfWeek)
{
    return operation_weekly[dayOfWeek];
}

bool HProject::getOperationMonthlyIsOn(int month)
{
    return operation_monthly[month];
}

void HProject::setOperationDailyIsOn(int hour, bool on)
{
    operation_daily[hour] = on;
    updateOperationInfoToYear();
}

void HProject::setOperationWeeklyIsOn(int dayOfWeek, bool on)
{
    operation_weekly[dayOfWeek] = on;
    updateOperationInfoToYear();
}

void HProject::setOperationMonthlyIsOn(int month, bool on)
{
    operation_monthly[month] = on;
    updateOperationInfoToYear();
}

void HProject::setOperationSchedule(const QVector<bool>& daily, const QVector<bool>& weekly,
                                    const QVector<bool>& monthly)
{
    for (int h = 0; h < 24; ++h)
        operation_daily[h] = daily.value(h, false);
    for (int d = 1; d <= 7; ++d)
        operation_weekly[d] = weekly.value(d - 1, false);
    for (int m = 1; m <= 12; ++m)
        operation_monthly[m] = monthly.value(m - 1, false);
}

void HProject::updateOperationInfoToYear()
{
    if (!year)
        return;
    bool daily[24];
    for (int h = 0; h < 24; ++h)
        daily[h] = operation_daily.value(h, false);
    bool weekly[8] = {};
    for (int d = 1; d <= 7; ++d)
        weekly[d] = operation_weekly.value(d, false);

    for (int m = 1; m <= 12; ++m) {
        HMonth* month = year->getMonth(m);
        if (!month)
            continue;
        const bool monthOn = operation_monthly.value(m, false);
        for (HDay* day : *month) {
            const int weekday = day->Getdate().dayOfWeek();
            const bool dayOn =
                monthOn && weekday >= 1 && weekday <= 7 && weekly[weekday] && !day->GetisHoliday();
            for (int h = 0; h < 24; ++h)
                day->getHour(h)->setisTurnOnBySchedule(dayOn && daily[h]);
        }
    }
}

void HProject::statisCalResult()
{
    own_vrf->resetMonthEnergyConsumption();
    other_vrf->resetMonthEnergyConsumption();
    if (!year)
        return;
    for (int m = 1; m <= 12; ++m) {
        const HMonth* month = year->getMonth(m);
        const double own = month ? month->getOwnVRFEnergyConsumption() : 0.0;
        const double other = month ? month->getOtherVRFEnergyConsumption() : 0.0;
        own_vrf->setMonthEnergyConsumption(m, own);
        other_vrf->setMonthEnergyConsumption(m, other);
        qDebug() << "month" << m << "own VRF energy" << own;
    }
}
