// The holiday calendar: weekends marked once for a new project, the month layout,
// marking and unmarking a day, and the schedule of the year after OK.

#include "HAppPaths.h"
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HVacationSetDlg.h"
#include "HYear.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

HDay* day(int month, int d)
{
    return HProject::getProject()->getYear()->getMonth(month)->getDay(d);
}

// Double-clicks the calendar cell as a user does: a click, then the second press
// that the window system reports as a double click.
void doubleClickCell(HVacationSetDlg& dialog, int row, int column)
{
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
    const QPoint centre = table->visualRect(table->model()->index(row, column)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
}

void showMonthOf(HVacationSetDlg& dialog, int month)
{
    dialog.findChild<QComboBox*>(QStringLiteral("comboBox"))->setCurrentIndex(month - 1);
}

// Row and column of the cell showing day `d`; (-1, -1) when none does.
QPair<int, int> cellOf(const HVacationSetDlg& dialog, int d)
{
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            if (dialog.dayLabel(r, c) && dialog.dayLabel(r, c)->text() == QString::number(d))
                return {r, c};
    return {-1, -1};
}

} // namespace

class TestVacationSetDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { HProjectSession::newProject(); }
    void cleanupTestCase() { HProject::reset(); }

    void newProjectRestsOnWeekends();
    void monthLayout_data();
    void monthLayout();
    void doubleClickTogglesADay();
    void unmarkedWeekendStaysUnmarked();
    void okTurnsHolidaysIntoHoursOff();
};

void TestVacationSetDlg::initTestCase()
{
    HAppPaths::setApplicationDir(QStringLiteral(BRIVANTA_BIN_DIR));
    QVERIFY(QFileInfo::exists(QStringLiteral(BRIVANTA_BIN_DIR "/images/holiday_cal.png")));
}

void TestVacationSetDlg::newProjectRestsOnWeekends()
{
    // A new project is dated 2015: 1 January is a Thursday, 3 and 4 January a weekend.
    QVERIFY(day(1, 3)->GetisHoliday());
    QVERIFY(day(1, 4)->GetisHoliday());
    QVERIFY(!day(1, 1)->GetisHoliday());
    QVERIFY(day(12, 27)->GetisHoliday()); // Sunday
    int holidays = 0;
    for (int m = 1; m <= 12; ++m)
        for (HDay* d : *HProject::getProject()->getYear()->getMonth(m))
            holidays += d->GetisHoliday() ? 1 : 0;
    QCOMPARE(holidays, 104); // 52 weekends of 2015

    HVacationSetDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Holiday"));
    QCOMPARE(dialog.dayLabel(0, 5)->text(), QStringLiteral("3"));
    QCOMPARE(dialog.dayLabel(0, 5)->styleSheet(), HVacationSetDlg::holidayStyle());
    QVERIFY(
        dialog.dayLabel(0, 5)->styleSheet().contains(QStringLiteral("/images/holiday_cal.png")));
    QCOMPARE(dialog.dayLabel(1, 0)->text(), QStringLiteral("5"));
    QCOMPARE(dialog.dayLabel(1, 0)->styleSheet(), HVacationSetDlg::workdayStyle());
}

void TestVacationSetDlg::monthLayout_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("emptyBefore"); // cells of row 0 before day 1
    QTest::newRow("January 2015 starts on Thursday") << 1 << 1 << 0 << 3 << 3;
    QTest::newRow("February 2015 starts on Sunday") << 2 << 1 << 0 << 6 << 6;
    QTest::newRow("February has 28 days") << 2 << 28 << 4 << 5 << 6;
    QTest::newRow("August 2015 starts on Saturday") << 8 << 1 << 0 << 5 << 5;
    QTest::newRow("August 31 needs the sixth row") << 8 << 31 << 5 << 0 << 5;
    QTest::newRow("June 2015 starts on Monday") << 6 << 1 << 0 << 0 << 0;
}

void TestVacationSetDlg::monthLayout()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, emptyBefore);

    HVacationSetDlg dialog;
    showMonthOf(dialog, month);
    QCOMPARE(cellOf(dialog, day), qMakePair(row, column));
    for (int c = 0; c < emptyBefore; ++c) {
        QVERIFY(dialog.dayLabel(0, c)->text().isEmpty());
        QCOMPARE(dialog.dayLabel(0, c)->styleSheet(), HVacationSetDlg::emptyStyle());
    }
    QCOMPARE(dialog.dayLabel(0, emptyBefore)->text(), QStringLiteral("1"));
    QCOMPARE(cellOf(dialog, HMonth::daysInMonth(month) + 1), qMakePair(-1, -1));
}

void TestVacationSetDlg::doubleClickTogglesADay()
{
    HVacationSetDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    showMonthOf(dialog, 3);
    // 1 March 2015 is a Sunday, so Tuesday 3 March sits in row 1, column 1.
    QCOMPARE(dialog.dayLabel(1, 1)->text(), QStringLiteral("3"));
    HProject::getProject()->setisCalculationSuccess(true);

    doubleClickCell(dialog, 1, 1);
    QVERIFY(day(3, 3)->GetisHoliday());
    QCOMPARE(dialog.dayLabel(1, 1)->styleSheet(), HVacationSetDlg::holidayStyle());
    QVERIFY(!HProject::getProject()->GetisCalculationSuccess());

    doubleClickCell(dialog, 1, 1);
    QVERIFY(!day(3, 3)->GetisHoliday());
    QCOMPARE(dialog.dayLabel(1, 1)->styleSheet(), HVacationSetDlg::workdayStyle());

    // An empty cell before the first day changes nothing.
    QVector<bool> marks;
    for (HDay* d : *HProject::getProject()->getYear()->getMonth(3))
        marks.append(d->GetisHoliday());
    doubleClickCell(dialog, 0, 0);
    QVERIFY(dialog.dayLabel(0, 0)->text().isEmpty());
    for (int i = 0; i < marks.size(); ++i)
        QCOMPARE(day(3, i + 1)->GetisHoliday(), marks[i]);
}

void TestVacationSetDlg::unmarkedWeekendStaysUnmarked()
{
    {
        HVacationSetDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        doubleClickCell(dialog, 0, 5); // Saturday 3 January
        QVERIFY(!day(1, 3)->GetisHoliday());
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
    HVacationSetDlg again;
    QVERIFY(!day(1, 3)->GetisHoliday());
    QCOMPARE(again.dayLabel(0, 5)->styleSheet(), HVacationSetDlg::workdayStyle());
    QVERIFY(day(1, 4)->GetisHoliday());
}

void TestVacationSetDlg::okTurnsHolidaysIntoHoursOff()
{
    HProject* p = HProject::getProject();
    p->updateOperationInfoToYear();
    // Monday 5 January 2015, 10:00 runs by the default schedule (weekdays 9-17).
    QVERIFY(p->getYear()->getHour(1, 5, 10)->GetisTurnOnBySchedule());
    HVacationSetDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    doubleClickCell(dialog, 1, 0);
    QVERIFY(day(1, 5)->GetisHoliday());
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!p->getYear()->getHour(1, 5, 10)->GetisTurnOnBySchedule());
    QVERIFY(p->getYear()->getHour(1, 6, 10)->GetisTurnOnBySchedule());
}

QTEST_MAIN(TestVacationSetDlg)
#include "tst_vacationsetdlg.moc"
