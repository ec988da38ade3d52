// Calendar numbering, weekdays, schedule flags, holidays and the global project.
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProject.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"

#include <HAppPaths.h>
#include <QTemporaryDir>
#include <QtTest>

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void hourNumberingAndWeekday_data();
    void hourNumberingAndWeekday();
    void outOfRangeLookupsGiveNoObject_data();
    void outOfRangeLookupsGiveNoObject();
    void sequenceIsCalendarOrder();
    void leapCalendarYearStillHas8760Hours();

    void newProjectHoursStayOffUntilRecompute();
    void scheduleFlags_data();
    void scheduleFlags();
    void setterRecomputesImmediately();
    void holidayTurnsWholeDayOff();
    void unknownOperationKeysReadFalse();

    void resetGivesFreshDefaultProject();
    void hourResetClearsOnlyWeather();

private:
    static int countOn(HYear* year);
    QTemporaryDir m_dir;
};

void TestCalendar::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestCalendar::cleanup()
{
    HYear::year = 2015;
    HProject::reset();
}

void TestCalendar::cleanupTestCase()
{
    HAppPaths::setApplicationDir(QString());
}

int TestCalendar::countOn(HYear* year)
{
    int on = 0;
    for (const HHour* hour : *year)
        on += hour->GetisTurnOnBySchedule() ? 1 : 0;
    return on;
}

void TestCalendar::hourNumberingAndWeekday_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("weekday");

    QTest::newRow("1 Jan 00h, Thursday") << 1 << 1 << 0 << 1 << 4;
    QTest::newRow("1 Jan 09h") << 1 << 1 << 9 << 10 << 4;
    QTest::newRow("3 Jan 12h, Saturday") << 1 << 3 << 12 << 61 << 6;
    QTest::newRow("28 Feb 23h, Saturday") << 2 << 28 << 23 << 1416 << 6;
    QTest::newRow("1 Mar 00h follows 28 Feb, Sunday") << 3 << 1 << 0 << 1417 << 7;
    QTest::newRow("1 Jun 00h, Monday") << 6 << 1 << 0 << 3625 << 1;
    QTest::newRow("31 Dec 23h is the last hour") << 12 << 31 << 23 << 8760 << 4;
}

void TestCalendar::hourNumberingAndWeekday()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, order);
    QFETCH(int, weekday);

    HYear* year = HProject::getProject()->getYear();
    HHour* h = year->getHour(month, day, hour);
    QVERIFY(h);
    QCOMPARE(h->Gethour_order(), order);
    QCOMPARE(h->Gethour(), hour);
    QCOMPARE(h->GetdayOfWeek(), weekday);
    QCOMPARE(year->at(order - 1), h);
    const HDay* d = year->getMonth(month)->getDay(day);
    QCOMPARE(d->Getdate(), QDate(2015, month, day));
    QCOMPARE(d->Getday(), day);
    QCOMPARE(d->Getmonth(), month);
    QVERIFY(!d->GetisHoliday());
}

void TestCalendar::outOfRangeLookupsGiveNoObject_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");

    QTest::newRow("29 February") << 2 << 29 << 0;
    QTest::newRow("31 April") << 4 << 31 << 0;
    QTest::newRow("month 0") << 0 << 1 << 0;
    QTest::newRow("month 13") << 13 << 1 << 0;
    QTest::newRow("day 0") << 1 << 0 << 0;
    QTest::newRow("day 32") << 1 << 32 << 0;
    QTest::newRow("hour -1") << 1 << 1 << -1;
    QTest::newRow("hour 24") << 1 << 1 << 24;
}

void TestCalendar::outOfRangeLookupsGiveNoObject()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QCOMPARE(HProject::getProject()->getYear()->getHour(month, day, hour), nullptr);
}

void TestCalendar::sequenceIsCalendarOrder()
{
    HYear* year = HProject::getProject()->getYear();
    QCOMPARE(year->size(), 8760);
    int days = 0;
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(year->getMonth(m)->Getmonth(), m);
        days += year->getMonth(m)->size();
    }
    QCOMPARE(days, 365);
    QCOMPARE(year->getMonth(2)->size(), 28);
    QCOMPARE(year->getMonth(11)->size(), 30);
    for (int i = 0; i < year->size(); ++i)
        QCOMPARE(year->at(i)->Gethour_order(), i + 1);
}

void TestCalendar::leapCalendarYearStillHas8760Hours()
{
    HYear::year = 2016;
    HYear year;
    QCOMPARE(year.size(), 8760);
    QCOMPARE(year.getHour(1, 1, 0)->GetdayOfWeek(), 5); // 1 Jan 2016 was a Friday
    QCOMPARE(year.getHour(3, 1, 0)->GetdayOfWeek(), 2); // 1 Mar 2016 was a Tuesday
    QCOMPARE(year.getHour(2, 29, 0), nullptr);
    QCOMPARE(year.getHour(12, 31, 23)->Gethour_order(), 8760);
}

void TestCalendar::newProjectHoursStayOffUntilRecompute()
{
    HProject* project = HProject::getProject();
    QCOMPARE(countOn(project->getYear()), 0);
    project->updateOperationInfoToYear();
    // 2015 has 261 weekdays, each with the nine hours 9..17
    QCOMPARE(countOn(project->getYear()), 261 * 9);
}

void TestCalendar::scheduleFlags_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("expectedOnHours");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<bool>("expectedHour");

    QTest::newRow("default, Thursday 00h off") << "" << 0 << false << 2349 << 1 << 1 << 0 << false;
    QTest::newRow("default, Thursday 09h on") << "" << 0 << false << 2349 << 1 << 1 << 9 << true;
    QTest::newRow("default, Thursday 17h on") << "" << 0 << false << 2349 << 1 << 1 << 17 << true;
    QTest::newRow("default, Thursday 18h off") << "" << 0 << false << 2349 << 1 << 1 << 18 << false;
    QTest::newRow("default, Saturday off") << "" << 0 << false << 2349 << 1 << 3 << 12 << false;
    QTest::newRow("Saturdays on") << "weekly" << 6 << true << 2349 + 52 * 9 << 1 << 3 << 12 << true;
    QTest::newRow("Thursdays off")
        << "weekly" << 4 << false << 2349 - 53 * 9 << 1 << 1 << 9 << false;
    QTest::newRow("February off") << "monthly" << 2 << false << 2349 - 20 * 9 << 2 << 2 << 10
                                  << false;
    QTest::newRow("hour 8 on") << "daily" << 8 << true << 261 * 10 << 1 << 5 << 8 << true;
    QTest::newRow("hour 12 off") << "daily" << 12 << false << 261 * 8 << 1 << 5 << 12 << false;
}

void TestCalendar::scheduleFlags()
{
    QFETCH(QString, map);
    QFETCH(int, key);
    QFETCH(bool, on);
    QFETCH(int, expectedOnHours);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(bool, expectedHour);

    HProject* project = HProject::getProject();
    if (map == "daily")
        project->setOperationDailyIsOn(key, on);
    else if (map == "weekly")
        project->setOperationWeeklyIsOn(key, on);
    else if (map == "monthly")
        project->setOperationMonthlyIsOn(key, on);
    else
        project->updateOperationInfoToYear();

    QCOMPARE(countOn(project->getYear()), expectedOnHours);
    QCOMPARE(project->getYear()->getHour(month, day, hour)->GetisTurnOnBySchedule(), expectedHour);
}

void TestCalendar::setterRecomputesImmediately()
{
    HProject* project = HProject::getProject();
    project->setOperationMonthlyIsOn(2, false);
    HMonth* february = project->getYear()->getMonth(2);
    int febOn = 0;
    int febHours = 0;
    for (HDay* day : *february)
        for (int h = 0; h < 24; ++h) {
            ++febHours;
            febOn += day->getHour(h)->GetisTurnOnBySchedule() ? 1 : 0;
        }
    QCOMPARE(febHours, 672);
    QCOMPARE(febOn, 0);
    QVERIFY(project->getYear()->getHour(3, 2, 9)->GetisTurnOnBySchedule()); // a Monday
}

void TestCalendar::holidayTurnsWholeDayOff()
{
    HProject* project = HProject::getProject();
    // everything on, so only the holiday can turn hours off
    for (int h = 0; h < 24; ++h)
        project->setOperationDailyIsOn(h, true);
    for (int d = 1; d <= 7; ++d)
        project->setOperationWeeklyIsOn(d, true);
    QCOMPARE(countOn(project->getYear()), 8760);

    HDay* day = project->getYear()->getMonth(1)->getDay(5);
    day->setisHoliday(true);
    project->updateOperationInfoToYear();
    QCOMPARE(countOn(project->getYear()), 8760 - 24);
    for (int h = 0; h < 24; ++h)
        QVERIFY(!day->getHour(h)->GetisTurnOnBySchedule());

    day->setisHoliday(false);
    project->updateOperationInfoToYear();
    QCOMPARE(countOn(project->getYear()), 8760);
}

void TestCalendar::unknownOperationKeysReadFalse()
{
    HProject* project = HProject::getProject();
    QVERIFY(!project->getOperationDailyIsOn(24));
    QVERIFY(!project->getOperationDailyIsOn(-1));
    QVERIFY(!project->getOperationWeeklyIsOn(0));
    QVERIFY(!project->getOperationMonthlyIsOn(13));
    QVERIFY(project->getOperationDailyIsOn(9));
    QVERIFY(!project->getOperationDailyIsOn(8));
    QVERIFY(project->getOperationWeeklyIsOn(5));
    QVERIFY(!project->getOperationWeeklyIsOn(6));
    for (int m = 1; m <= 12; ++m)
        QVERIFY(project->getOperationMonthlyIsOn(m));
}

void TestCalendar::resetGivesFreshDefaultProject()
{
    HProject* first = HProject::getProject();
    QCOMPARE(HProject::getProject(), first);
    first->setname("Changed");
    first->setcooling_peak_load(120.0);
    first->getOwnVRFSys()->append(new HUnit);
    first->setOperationDailyIsOn(3, true);
    HYear::hour_order = 777; // as after building some other year

    first->reset();
    QCOMPARE(HProject::globalProject, nullptr);

    // A new project carries the date it was made on; read on both sides, in case
    // midnight passes in between.
    const QDate before = QDate::currentDate();
    HProject* project = HProject::getProject();
    const QDate after = QDate::currentDate();
    QCOMPARE(project->Getname(), QString("NewProject"));
    QVERIFY(project->Getdate() == before || project->Getdate() == after);
    QCOMPARE(project->Getbuild_area(), 1600.0);
    QCOMPARE(project->Getbuild_height(), 20.0);
    QCOMPARE(project->Getnumber_floors(), 3);
    QCOMPARE(project->Getcooling_peak_load(), 0.0);
    QCOMPARE(project->Getheating_peak_load(), 0.0);
    QCOMPARE(project->GetUnit_Load(), 1);
    QCOMPARE(project->GetUnit_AirFlowRate(), 2);
    QCOMPARE(project->Getmax_temp(), 31.9);
    QCOMPARE(project->Getmin_temp(), 4.0);
    QCOMPARE(project->Getaverage_temp(), 16.9);
    QCOMPARE(project->Getindoor_cooling_temperature(), 23.0);
    QCOMPARE(project->Getindoor_heating_temperature(), 20.0);
    QCOMPARE(project->Getelectricity_price(), 0.8);
    QCOMPARE(project->Getgas_price(), 2.0);
    QVERIFY(project->GetcompareToOtherVRF());
    QVERIFY(!project->GetcompareToOtherChiller());
    QVERIFY(!project->GetisCalculationSuccess());
    QVERIFY(!project->Getthermo_mode());
    QVERIFY(!project->GetisHave8760WeatherData());
    QVERIFY(project->Getcountry().isEmpty());
    QVERIFY(!project->getOperationDailyIsOn(3));
    QVERIFY(project->getOwnVRFSys()->isEmpty());
    QVERIFY(project->getOtherVRFSys()->isEmpty());
    QVERIFY(project->getChillerSys());
    QVERIFY(project->getWeatherStatisData().isEmpty());
    QVERIFY(project->getWeatherExtremeData().isEmpty());
    QCOMPARE(project->getYear()->first()->Gethour_order(), 1);
    QCOMPARE(project->getYear()->last()->Gethour_order(), 8760);
    QCOMPARE(HProject::temperature_balance_point, 16.0);
    QCOMPARE(HYear::load_adjust_factor_cooling, 1.5);
    QCOMPARE(HYear::load_adjust_factor_heating, 1.0);
}

void TestCalendar::hourResetClearsOnlyWeather()
{
    HYear* year = HProject::getProject()->getYear();
    HHour* hour = year->getHour(7, 4, 15);
    hour->setdry_bulb_temperature(31.5);
    hour->setrelative_humidity(0.6);
    hour->setload_precent(0.8);
    hour->setisTurnOnBySchedule(true);
    year->reset();
    QCOMPARE(hour->Getdry_bulb_temperature(), 0.0);
    QCOMPARE(hour->Getrelative_humidity(), 0.0);
    QCOMPARE(hour->Getload_precent(), 0.8);
    QVERIFY(hour->GetisTurnOnBySchedule());
}

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
