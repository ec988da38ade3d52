// The unit information page: which tabs exist, showing and hiding the comparison
// tabs, the pages that were never made, and the pages working together (project
// signals, copy to the other system with rows typed there).

#include "HOtherVRFUnitInfo.h"
#include "HOtherWaterUnitInfoWidget.h"
#include "HTableComboxItem.h"
#include "HUnit.h"
#include "HUnitInfoWidget.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "HVRFUnitInfoWidget.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "tst_units_fixture.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QTabWidget>

using unitswidgets::rowTexts;
using unitswidgets::typeRow;

namespace {

HProject* project()
{
    return HProject::getProject();
}

QStringList tabTitles(const HUnitInfoWidget& w)
{
    QStringList titles;
    for (int i = 0; i < w.tabWidget()->count(); ++i)
        titles << w.tabWidget()->tabText(i);
    return titles;
}

} // namespace

class TestUnitInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void tabs_data();
    void tabs();
    void projectSignalsReachThePages();
    void copyKeepsRowsTypedOnTheOtherPage();

private:
    unitsfixture::Catalogue m_catalogue;
};

void TestUnitInfo::initTestCase()
{
    QVERIFY(m_catalogue.setUp());
}

void TestUnitInfo::cleanupTestCase()
{
    m_catalogue.tearDown();
}

void TestUnitInfo::init()
{
    HProjectSession::newProject();
}

void TestUnitInfo::tabs_data()
{
    QTest::addColumn<bool>("otherVRF");
    QTest::addColumn<bool>("chiller");
    QTest::addColumn<QStringList>("titles");

    const QString own = "VELA-Product";
    const QString vrf = "VRF(Other)";
    const QString water = "Water chilling unit(Other)";
    QTest::newRow("own only") << false << false << QStringList{own};
    QTest::newRow("other VRF") << true << false << QStringList{own, vrf};
    QTest::newRow("water chiller") << false << true << QStringList{own, water};
    QTest::newRow("both") << true << true << QStringList{own, vrf, water};
}

void TestUnitInfo::tabs()
{
    QFETCH(bool, otherVRF);
    QFETCH(bool, chiller);
    QFETCH(QStringList, titles);

    project()->setcompareToOtherVRF(otherVRF);
    project()->setcompareToOtherChiller(chiller);
    HUnitInfoWidget w;
    QCOMPARE(tabTitles(w), titles);
    QCOMPARE(w.otherVRFPage() != nullptr, otherVRF);
    QCOMPARE(w.waterPage() != nullptr, chiller);

    // Switching a comparison off and on again; a page never made gets no tab.
    w.setOtherVRFWidgetVisible(0);
    w.setOtherChillerWidgetVisible(0);
    QCOMPARE(tabTitles(w), QStringList{"VELA-Product"});
    w.setOtherVRFWidgetVisible(2);
    w.setOtherChillerWidgetVisible(2);
    w.setOtherVRFWidgetVisible(2);
    QCOMPARE(tabTitles(w), titles);
    w.setOtherUnitWidgetVisible(1);
    QCOMPARE(tabTitles(w), titles);

    // Pages that do not exist are skipped, hidden ones are still served.
    w.setOtherVRFWidgetVisible(0);
    w.reset();
    w.setLanguage();
    w.slot_update_window_data_to_project();
    w.slot_update_project_data_to_window();
    QCOMPARE(w.tabWidget()->count(), titles.size() - (otherVRF ? 1 : 0));
}

void TestUnitInfo::projectSignalsReachThePages()
{
    HUnitInfoWidget w;
    HVRF* own = project()->getOwnVRFSys();
    HVRF* other = project()->getOtherVRFSys();
    auto* ownUnit = new HUnit;
    ownUnit->setunit_type("VX heat pump");
    ownUnit->setunit_model("Quellmark VXS-224");
    own->append(ownUnit);
    auto* otherUnit = new HUnit;
    otherUnit->setunit_productcode("O-1");
    other->append(otherUnit);

    w.slot_update_project_data_to_window();
    QTableWidget* ownTable = w.ownPage()->oduTable();
    QTableWidget* otherTable = w.otherVRFPage()->oduTable();
    QCOMPARE(ownTable->rowCount(), 1);
    QCOMPARE(otherTable->rowCount(), 1);
    QCOMPARE(otherTable->item(0, HUnitTable::ColumnModel)->text(), QString("O-1"));

    ownTable->item(0, HUnitTable::ColumnQuantity)->setText("3");
    otherTable->item(0, HUnitTable::ColumnQuantity)->setText("4");
    w.slot_update_window_data_to_project();
    QCOMPARE(ownUnit->Getquantity(), 3);
    QCOMPARE(otherUnit->Getquantity(), 4);

    w.reset();
    QCOMPARE(ownTable->rowCount(), 0);
    QCOMPARE(otherTable->rowCount(), 0);
}

// Copying the own outdoor units rebuilds the other page; the indoor rows typed
// there, not yet read, are kept.
void TestUnitInfo::copyKeepsRowsTypedOnTheOtherPage()
{
    HUnitInfoWidget w;
    w.resize(1200, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    HOtherVRFUnitInfo* otherPage = w.otherVRFPage();
    w.tabWidget()->setCurrentWidget(otherPage);
    otherPage->iduActions().at(0)->trigger();
    const QStringList typed{"Other cassette", "OC-28", "3", "2.8", "0.04", "3.2", "0.04"};
    QVERIFY(typeRow(otherPage->iduTable(), 0, typed));

    w.tabWidget()->setCurrentIndex(0);
    HVRFUnitInfoWidget* ownPage = w.ownPage();
    ownPage->oduActions().at(0)->trigger();
    QTableWidget* ownTable = ownPage->oduTable();
    QVERIFY(unitswidgets::choose(
        qobject_cast<QComboBox*>(ownTable->cellWidget(0, HUnitTable::ColumnType)), "VX heat pump"));
    QVERIFY(unitswidgets::choose(
        qobject_cast<QComboBox*>(ownTable->cellWidget(0, HUnitTable::ColumnModel)),
        "Quellmark VXS-280"));
    ownPage->oduActions().at(2)->trigger(); // the other system has no outdoor unit: no question

    QCOMPARE(otherPage->oduTable()->rowCount(), 1);
    QCOMPARE(otherPage->oduTable()->item(0, HUnitTable::ColumnType)->text(),
             QString("VX heat pump"));
    QCOMPARE(rowTexts(otherPage->iduTable(), 0, 7), typed);
    QVector<HUnit*> indoor;
    project()->getOtherVRFSys()->getAllIndoorUnits(indoor);
    QCOMPARE(indoor.size(), 1);
    QCOMPARE(indoor.constFirst()->Getunit_productcode(), QString("OC-28"));
    QCOMPARE(indoor.constFirst()->Getquantity(), 3);
}

QTEST_MAIN(TestUnitInfo)
#include "tst_unitinfo.moc"
