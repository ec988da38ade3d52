// The part-load point editor: the default points as rows, temperatures derived
// from typed loads, the two range notices, OK, Cancel, insert and remove.

#include "HProductPerformanceDataForVRF.h"
#include "HSetPerformanceDataDialog.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "tst_units_fixture.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>

using brivanta::test::ModalDialogs;
using unitswidgets::rowTexts;
using unitswidgets::typeInto;

namespace {

QList<QStringList> allRows(const QTableWidget* table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << rowTexts(table, r, 3);
    return rows;
}

QList<QVector<double>> triples(const QVector<CAL_ITEM>& items)
{
    QList<QVector<double>> t;
    for (const CAL_ITEM& i : items)
        t << QVector<double>{i.outdoor_air_temperature, i.combination_rate,
                             i.electricity_input_ratio};
    return t;
}

void clickButton(HSetPerformanceDataDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

} // namespace

class TestPerformanceDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultRows();
    void typedLoadSetsTheTemperature_data();
    void typedLoadSetsTheTemperature();
    void okReplacesTheSortedPoints();
    void cancelChangesNothing();
    void insertAndRemove();
    void tooFewPointsAreRefused();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HProductPerformanceDataForVRF> m_data;
    std::unique_ptr<HSetPerformanceDataDialog> m_dialog;
};

void TestPerformanceDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // No curve file yet: the default curves are written and used.
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestPerformanceDialog::init()
{
    m_data = std::make_unique<HProductPerformanceDataForVRF>();
    m_dialog = std::make_unique<HSetPerformanceDataDialog>(m_data.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestPerformanceDialog::cleanup()
{
    m_dialog.reset();
    m_data.reset();
}

void TestPerformanceDialog::defaultRows()
{
    QCOMPARE(m_dialog->windowTitle(), QString("Performance Data"));
    // The default curves: loads from full to a quarter, ratios in percent.
    const QList<QStringList> cooling{
        {"35", "100", "100"}, {"30", "75", "70"}, {"26", "50", "45"}, {"21", "25", "30"}};
    const QList<QStringList> heating{
        {"-10", "100", "100"}, {"-4", "75", "74"}, {"3", "50", "55"}, {"6", "25", "35"}};
    QCOMPARE(allRows(m_dialog->coolingTable()), cooling);
    QCOMPARE(allRows(m_dialog->heatingTable()), heating);
    QVERIFY(!(m_dialog->coolingTable()->item(0, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(m_dialog->coolingTable()->item(0, 1)->flags() & Qt::ItemIsEditable);
}

void TestPerformanceDialog::typedLoadSetsTheTemperature_data()
{
    QTest::addColumn<bool>("heating");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("temperature");

    const QString greater = "Notice: The Combination ratio can not greater than 150%.";
    const QString less = "Notice: The Combination ratio can not less than 0%.";
    // Cooling: 16 + 19 x load; heating: 16 - 26 x load; cut toward zero.
    QTest::newRow("cooling 50: 25.5") << false << "50"
                                      << ""
                                      << "50"
                                      << "25";
    QTest::newRow("cooling 100: 35") << false << "100"
                                     << ""
                                     << "100"
                                     << "35";
    QTest::newRow("cooling 160 is cut to 150: 44.5") << false << "160" << greater << "150"
                                                     << "44";
    QTest::newRow("cooling -5 is raised to 0: 16") << false << "-5" << less << "0"
                                                   << "16";
    QTest::newRow("heating 50: 3") << true << "50"
                                   << ""
                                   << "50"
                                   << "3";
    QTest::newRow("heating 100: -10") << true << "100"
                                      << ""
                                      << "100"
                                      << "-10";
    QTest::newRow("heating 12: 12.88") << true << "12"
                                       << ""
                                       << "12"
                                       << "12";
    QTest::newRow("heating 30: 8.2") << true << "30"
                                     << ""
                                     << "30"
                                     << "8";
    QTest::newRow("heating 160 is cut to 150: -23") << true << "160" << greater << "150"
                                                    << "-23";
    QTest::newRow("heating -5 is raised to 0: 16") << true << "-5" << less << "0"
                                                   << "16";
}

void TestPerformanceDialog::typedLoadSetsTheTemperature()
{
    QFETCH(bool, heating);
    QFETCH(QString, typed);
    QFETCH(QString, notice);
    QFETCH(QString, load);
    QFETCH(QString, temperature);

    QTableWidget* table = heating ? m_dialog->heatingTable() : m_dialog->coolingTable();
    ModalDialogs dialogs;
    if (!notice.isEmpty())
        dialogs.thenClick(QMessageBox::Ok);
    // Typed over the 75 % row.
    QVERIFY(typeInto(table, 1, 1, typed));
    QCOMPARE(dialogs.seen(), notice.isEmpty() ? QStringList() : QStringList{notice});
    QCOMPARE(table->item(1, 1)->text(), load);
    QCOMPARE(table->item(1, 0)->text(), temperature);
}

void TestPerformanceDialog::okReplacesTheSortedPoints()
{
    QTableWidget* cooling = m_dialog->coolingTable();
    QTableWidget* heating = m_dialog->heatingTable();
    // The quarter-load point becomes an 80 % point; it must be sorted in.
    QVERIFY(typeInto(cooling, 3, 1, "80"));
    QVERIFY(typeInto(cooling, 3, 2, "77"));
    // A new heating point before the second row.
    heating->setCurrentCell(1, 1);
    m_dialog->heatingActions().at(0)->trigger();
    QCOMPARE(heating->rowCount(), 5);
    QVERIFY(typeInto(heating, 1, 1, "90"));
    QVERIFY(typeInto(heating, 1, 2, "95"));
    QCOMPARE(heating->item(1, 0)->text(), QString("-7")); // 16 - 23.4

    clickButton(*m_dialog, QDialogButtonBox::Ok);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));

    QVector<CAL_ITEM> c;
    QVector<CAL_ITEM> h;
    m_data->getCoolingModeItems(c);
    m_data->getHeatingModeItems(h);
    // Untouched points keep their exact values.
    QCOMPARE(triples(c),
             (QList<QVector<double>>{
                 {35, 1.0, 1.0}, {31, 0.8, 0.77}, {30, 0.75, 0.7}, {26, 0.5, 0.45}}));
    QCOMPARE(
        triples(h),
        (QList<QVector<double>>{
            {-10, 1.0, 1.0}, {-7, 0.9, 0.95}, {-4, 0.75, 0.74}, {3, 0.5, 0.55}, {6, 0.25, 0.35}}));
}

void TestPerformanceDialog::cancelChangesNothing()
{
    QVector<CAL_ITEM> before;
    m_data->getCoolingModeItems(before);
    QVERIFY(typeInto(m_dialog->coolingTable(), 0, 2, "50"));
    m_dialog->coolingTable()->setCurrentCell(1, 1);
    m_dialog->coolingActions().at(1)->trigger();
    clickButton(*m_dialog, QDialogButtonBox::Cancel);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVector<CAL_ITEM> after;
    m_data->getCoolingModeItems(after);
    QCOMPARE(triples(after), triples(before));
}

void TestPerformanceDialog::insertAndRemove()
{
    QTableWidget* cooling = m_dialog->coolingTable();
    QAction* insert = m_dialog->coolingActions().at(0);
    QAction* remove = m_dialog->coolingActions().at(1);
    cooling->setCurrentCell(-1, -1);
    remove->trigger();
    QCOMPARE(cooling->rowCount(), 4);

    cooling->setCurrentCell(1, 1);
    insert->trigger();
    QCOMPARE(cooling->rowCount(), 5);
    QCOMPARE(rowTexts(cooling, 1, 3), QStringList({"", "", ""}));
    QVERIFY(cooling->item(1, 0)->flags() & Qt::ItemIsEditable);
    QCOMPARE(rowTexts(cooling, 2, 3), QStringList({"30", "75", "70"}));

    cooling->setCurrentCell(2, 1);
    remove->trigger();
    QCOMPARE(cooling->rowCount(), 4);
    QCOMPARE(rowTexts(cooling, 2, 3), QStringList({"26", "50", "45"}));
}

// A curve needs two points; an emptied table takes new rows at its end.
void TestPerformanceDialog::tooFewPointsAreRefused()
{
    QTableWidget* heating = m_dialog->heatingTable();
    while (heating->rowCount() > 0) {
        heating->setCurrentCell(0, 1);
        m_dialog->heatingActions().at(1)->trigger();
    }
    m_dialog->heatingActions().at(0)->trigger();
    QCOMPARE(heating->rowCount(), 1);
    QVERIFY(typeInto(heating, 0, 1, "100"));
    QVERIFY(typeInto(heating, 0, 2, "100"));

    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    clickButton(*m_dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialogs.seen(), QStringList{"Notice: The heating curve needs at least two points."});
    QVERIFY(m_dialog->isVisible());
    QVector<CAL_ITEM> h;
    m_data->getHeatingModeItems(h);
    QCOMPARE(h.size(), 4);

    heating->setCurrentCell(-1, -1);
    m_dialog->heatingActions().at(0)->trigger();
    QVERIFY(typeInto(heating, 1, 1, "50"));
    QVERIFY(typeInto(heating, 1, 2, "60"));
    clickButton(*m_dialog, QDialogButtonBox::Ok);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    m_data->getHeatingModeItems(h);
    QCOMPARE(triples(h), (QList<QVector<double>>{{-10, 1.0, 1.0}, {3, 0.5, 0.6}}));
}

QTEST_MAIN(TestPerformanceDialog)
#include "tst_performancedialog.moc"
