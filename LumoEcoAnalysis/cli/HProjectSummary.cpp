#include "HProjectSummary.h"

#include "CUnitFun.h"
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectNotices.h"
#include "HRangeList.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"

#include <QTextStream>

namespace {

QString num(double v, int decimals = 2)
{
    return QString::number(v, 'f', decimals);
}

QString percentOf(double capacity, double peak)
{
    return peak > 0.0 ? num(capacity / peak * 100.0, 1) + QStringLiteral(" % of the peak load")
                      : QStringLiteral("no peak load");
}

void systemText(QTextStream& s, const char* title, HVRF* sys, const HProject* p)
{
    sys->calculate();
    s << "\n"
      << title << "  outdoor " << num(sys->Getodu_total_capacity_cooling()) << " kW cooling ("
      << percentOf(sys->Getodu_total_capacity_cooling(), p->Getcooling_peak_load())
      << "), " << num(sys->Getodu_total_capacity_heating()) << " kW heating ("
      << percentOf(sys->Getodu_total_capacity_heating(), p->Getheating_peak_load()) << ")\n";
    if (sys->isEmpty()) {
        s << "  (no unit lines)\n";
        return;
    }
    s << qSetFieldWidth(6) << "Line" << qSetFieldWidth(0) << "  " << qSetFieldWidth(8) << Qt::left
      << "Unit" << Qt::right << qSetFieldWidth(4) << "Qty" << qSetFieldWidth(0) << "  "
      << qSetFieldWidth(19) << Qt::left << "Category" << qSetFieldWidth(27) << "Model" << Qt::right
      << qSetFieldWidth(8) << "Cool kW"
      << "Heat kW"
      << "In c kW"
      << "In h kW" << qSetFieldWidth(0) << "\n";
    for (int i = 0; i < sys->size(); ++i) {
        const HUnit* u = sys->at(i);
        s << qSetFieldWidth(6) << i + 1 << qSetFieldWidth(0) << "  " << qSetFieldWidth(8)
          << Qt::left << (u->Getis_odu() ? "outdoor" : "indoor") << Qt::right << qSetFieldWidth(4)
          << u->Getquantity() << qSetFieldWidth(0) << "  " << qSetFieldWidth(19) << Qt::left
          << u->Getunit_type().left(18) << qSetFieldWidth(27) << u->Getunit_productcode()
          << Qt::right << qSetFieldWidth(8) << num(u->Gettotal_capacity_cooling())
          << num(u->Gettotal_capacity_heating()) << num(u->Getpower_input_cooling(), 3)
          << num(u->Getpower_input_heating(), 3) << qSetFieldWidth(0) << "\n";
    }
    s << "  (kW per unit; In: power input)\n";
}

} // namespace

QString HProjectSummary::scheduleText(HProject* p)
{
    QVector<bool> hours, days, months;
    for (int h = 0; h < 24; ++h)
        hours << p->getOperationDailyIsOn(h);
    for (int d = 1; d <= 7; ++d)
        days << p->getOperationWeeklyIsOn(d);
    for (int m = 1; m <= 12; ++m)
        months << p->getOperationMonthlyIsOn(m);
    return QStringLiteral("hours %1; days %2; months %3")
        .arg(HRangeList(0, 23).format(hours),
             HRangeList(1, 7, HRangeList::weekdayNames()).format(days),
             HRangeList(1, 12, HRangeList::monthNames()).format(months));
}

QString HProjectSummary::holidayText(HProject* p)
{
    QVector<const HDay*> days;
    if (const HYear* year = p->getYear())
        for (int m = 1; m <= 12; ++m)
            for (const HDay* day : *year->getMonth(m))
                days << day;
    QStringList parts;
    int count = 0;
    for (int i = 0; i < days.size(); ++i) {
        if (!days[i]->GetisHoliday())
            continue;
        int j = i;
        while (j + 1 < days.size() && days[j + 1]->GetisHoliday())
            ++j;
        const QString from = days[i]->Getdate().toString(QStringLiteral("MM-dd"));
        parts << (i == j ? from
                         : from + QStringLiteral("..")
                          + days[j]->Getdate().toString(QStringLiteral("MM-dd")));
        count += j - i + 1;
        i = j;
    }
    if (count == 0)
        return QStringLiteral("none");
    return QStringLiteral("%1 %2: %3")
        .arg(count)
        .arg(count == 1 ? "day" : "days", parts.join(QStringLiteral(", ")));
}

QString HProjectSummary::text(HProject* p, const QString& path)
{
    QString out;
    QTextStream s(&out);
    p->updateOperationInfoToYear();
    int running = 0;
    if (const HYear* year = p->getYear())
        for (const HHour* hour : *year)
            running += hour && hour->GetisTurnOnBySchedule() ? 1 : 0;

    s << "Project      " << p->Getname() << " (" << path << ")";
    if (p->Getdate().isValid())
        s << ", " << p->Getdate().toString(QStringLiteral("yyyy-MM-dd"));
    s << "\n";
    s << "Location     " << p->Getcity() << ", " << p->Getcountry() << "\n";
    s << "Building     " << num(p->Getbuild_area(), 1) << " m2 floor area, "
      << num(p->Getbuild_height(), 1) << " m high, " << p->Getnumber_floors() << " floors\n";
    s << "Peak loads   cooling " << num(p->Getcooling_peak_load()) << " kW, heating "
      << num(p->Getheating_peak_load()) << " kW\n";
    s << "Set-points   cooling " << num(p->Getindoor_cooling_temperature(), 1) << " C, heating "
      << num(p->Getindoor_heating_temperature(), 1) << " C; thermo-off mode "
      << (p->Getthermo_mode() ? "on" : "off") << "\n";
    s << "Prices       electricity " << num(p->Getelectricity_price(), 4) << " per kWh, gas "
      << num(p->Getgas_price(), 4) << "\n";
    s << "Display      loads in " << CUnitFun::GetUnitLoadString(-1) << ", temperatures in "
      << CUnitFun::GetUnitTempString(-1) << ", lengths in " << CUnitFun::GetUnitLengthString(-1)
      << ", air flow in " << CUnitFun::GetUnitAirFlowRateString(-1) << "\n";
    s << "Schedule     " << scheduleText(p) << "; the plant runs " << running << " hours a year\n";
    s << "Holidays     " << holidayText(p) << "\n";
    systemText(s, "Own system  ", p->getOwnVRFSys(), p);
    systemText(s, "Other system", p->getOtherVRFSys(), p);
    s.flush();
    return out;
}

QString HProjectSummary::warningsText(const HProjectNotices& notices)
{
    if (notices.isEmpty())
        return QStringLiteral("\nWarnings     none: the file reads as written\n");
    QString out = QStringLiteral("\nWarnings\n");
    for (const QString& text : notices.texts())
        out += QStringLiteral("  - ") + text.simplified() + QLatin1Char('\n');
    return out;
}
