// The operation schedule page: which project flag each check box stands for, its
// caption, and that only the user's changes reach the project.

#include "HHour.h"
#include "HOperationInfoWidget.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HYear.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QtTest>

namespace {

HProject* project()
{
    return HProject::getProject();
}

enum TableKind { Daily, Weekly, Monthly };

QTableWidget* tableOf(const HOperationInfoWidget& page, int kind)
{
    switch (kind) {
    case Daily:
        return page.dailyTable();
    case Weekly:
        return page.weeklyTable();
    default:
        return page.monthlyTable();
    }
}

bool flagOf(int kind, int key)
{
    switch (kind) {
    case Daily:
        return project()->getOperationDailyIsOn(key);
    case Weekly:
        return project()->getOperationWeeklyIsOn(key);
    default:
        return project()->getOperationMonthlyIsOn(key);
    }
}

QString flags(int kind)
{
    const int first = kind == Daily ? 0 : 1;
    const int last = kind == Daily ? 23 : kind == Weekly ? 7 : 12;
    QString text;
    for (int k = first; k <= last; ++k)
        text += flagOf(kind, k) ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

} // namespace

class TestOperationInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void init() { HProjectSession::newProject(); }
    void cleanupTestCase() { HProject::reset(); }

    void cellMapping_data();
    void cellMapping();
    void refreshDoesNotWriteBack();
    void savingUnchangedBoxesKeepsResults();
};

void TestOperationInfoWidget::cellMapping_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("daily row 2 col 3 is 14:00-15:00") << int(Daily) << 2 << 3 << 14 << "02PM-03PM";
    QTest::newRow("daily first hour") << int(Daily) << 0 << 0 << 0 << "00AM-01AM";
    QTest::newRow("daily hour before noon") << int(Daily) << 3 << 2 << 11 << "11AM-12PM";
    QTest::newRow("daily noon") << int(Daily) << 0 << 3 << 12 << "12PM-01PM";
    QTest::newRow("daily last hour ends at midnight") << int(Daily) << 3 << 5 << 23 << "11PM-12AM";
    QTest::newRow("weekly col 0 is Monday") << int(Weekly) << 0 << 0 << 1 << "Monday";
    QTest::newRow("weekly col 5 is Saturday") << int(Weekly) << 0 << 5 << 6 << "Saturday";
    QTest::newRow("monthly row 1 col 0 is July") << int(Monthly) << 1 << 0 << 7 << "July";
    QTest::newRow("monthly row 0 col 5 is June") << int(Monthly) << 0 << 5 << 6 << "June";
    QTest::newRow("monthly row 1 col 5 is December") << int(Monthly) << 1 << 5 << 12 << "December";
}

void TestOperationInfoWidget::cellMapping()
{
    QFETCH(int, table);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(QString, caption);

    HOperationInfoWidget page;
    page.resize(1000, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCheckBox* box = HOperationInfoWidget::checkBoxAt(tableOf(page, table), row, column);
    QVERIFY(box);
    QCOMPARE(box->text(), caption);
    const bool before = flagOf(table, key);
    QCOMPARE(box->isChecked(), before);
    QString expected = flags(table);
    const int first = table == Daily ? 0 : 1;
    expected[key - first] = before ? QLatin1Char('0') : QLatin1Char('1');
    project()->setisCalculationSuccess(true);

    // On the box and its caption (the cell is wider than both).
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(box->sizeHint().width() / 2, box->height() / 2));

    QCOMPARE(box->isChecked(), !before);
    QCOMPARE(flags(table), expected); // this flag alone changed
    QVERIFY(!project()->GetisCalculationSuccess());
    // The hours of the year follow at once: Monday 5 January 2015 at 14:00.
    if (table == Daily && key == 14)
        QCOMPARE(project()->getYear()->getHour(1, 5, 14)->GetisTurnOnBySchedule(), !before);
}

void TestOperationInfoWidget::refreshDoesNotWriteBack()
{
    // The page shows one schedule; the project then gets another one (as after Open).
    for (int h = 0; h < 24; ++h)
        project()->setOperationDailyIsOn(h, h == 3);
    for (int d = 1; d <= 7; ++d)
        project()->setOperationWeeklyIsOn(d, d == 7);
    HOperationInfoWidget page;
    for (int h = 0; h < 24; ++h)
        project()->setOperationDailyIsOn(h, h == 20 || h == 21);
    for (int d = 1; d <= 7; ++d)
        project()->setOperationWeeklyIsOn(d, d == 2);
    project()->setisCalculationSuccess(true);

    page.slot_update_project_data_to_window();

    // Setting box after box must not write the half-set table into the project.
    QCOMPARE(flags(Daily), QStringLiteral("000000000000000000001100"));
    QCOMPARE(flags(Weekly), QStringLiteral("0100000"));
    QVERIFY(HOperationInfoWidget::checkBoxAt(page.dailyTable(), 0, 5)->isChecked());  // hour 20
    QVERIFY(!HOperationInfoWidget::checkBoxAt(page.dailyTable(), 3, 0)->isChecked()); // hour 3
    QVERIFY(project()->GetisCalculationSuccess());
}

void TestOperationInfoWidget::savingUnchangedBoxesKeepsResults()
{
    // Save and Calculate copy the pages into the project; an unchanged schedule leaves
    // the results valid.
    HOperationInfoWidget page;
    const QString daily = flags(Daily);
    project()->setisCalculationSuccess(true);
    page.slot_update_window_data_to_project();
    QCOMPARE(flags(Daily), daily);
    QVERIFY(project()->GetisCalculationSuccess());
}

QTEST_MAIN(TestOperationInfoWidget)
#include "tst_operationinfowidget.moc"
