// Hourly, daily and monthly energy sums and the temperature and load bins.
#include "HCalVRFUnitItem.h"
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProject.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"

#include <HAppPaths.h>
#include <QTemporaryDir>
#include <QtTest>
#include <TestSupport.h>
#include <cmath>
#include <limits>

using Records = QVector<QPair<bool, double>>; // is_odu, energy
Q_DECLARE_METATYPE(Records)

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void layouts();
    void temperatureBin_data();
    void temperatureBin();
    void loadBin_data();
    void loadBin();
    void fewerThanTwoBinsHaveNoTemperatureBin();
    void clearInvalidItemKeepsOrder();
    void thinnedBinsFollowTheStepRule();

    void hourSums_data();
    void hourSums();
    void averageEIR_data();
    void averageEIR();
    void recordListsAreOwnedAndCopiedOut();

    void monthlySums();

private:
    QTemporaryDir m_dir;
};

void TestStatistics::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestStatistics::cleanupTestCase()
{
    HAppPaths::setApplicationDir(QString());
}

void TestStatistics::cleanup()
{
    HProject::reset();
}

void TestStatistics::layouts()
{
    HStatResult result;
    QCOMPARE(result.size(), 15);
    BRIVANTA_COMPARE_NEAR(result.first()->Getload_precent(), 0.10, 1e-12);
    BRIVANTA_COMPARE_NEAR(result.last()->Getload_precent(), 1.50, 1e-12);
    result.resetTemp();
    QCOMPARE(result.size(), 131);
    QCOMPARE(result.first()->Gettemp(), -50.0);
    QCOMPARE(result.last()->Gettemp(), 80.0);
    for (const HStatItem* item : result)
        QCOMPARE(item->Gethours(), 0);
    result.resetPrecent();
    QCOMPARE(result.size(), 15);
}

void TestStatistics::temperatureBin_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<bool>("hasBin");
    QTest::addColumn<double>("key");

    QTest::newRow("-49.5 in bin -49") << -49.5 << true << -49.0;
    QTest::newRow("-49 in bin -49") << -49.0 << true << -49.0;
    QTest::newRow("-48.99 in bin -48") << -48.99 << true << -48.0;
    QTest::newRow("-60 in the open bottom bin -50") << -60.0 << true << -50.0;
    QTest::newRow("0 in bin 0") << 0.0 << true << 0.0;
    QTest::newRow("0.01 in bin 1") << 0.01 << true << 1.0;
    QTest::newRow("21.7 in bin 22") << 21.7 << true << 22.0;
    QTest::newRow("80 in bin 80") << 80.0 << true << 80.0;
    QTest::newRow("-50 has no bin") << -50.0 << false << 0.0;
    QTest::newRow("80.5 has no bin") << 80.5 << false << 0.0;
    QTest::newRow("NaN has no bin") << std::numeric_limits<double>::quiet_NaN() << false << 0.0;
}

void TestStatistics::temperatureBin()
{
    QFETCH(double, t);
    QFETCH(bool, hasBin);
    QFETCH(double, key);
    HStatResult result;
    result.resetTemp();
    HStatItem* item = result.getItemByTemp(t);
    QCOMPARE(item != nullptr, hasBin);
    if (item)
        QCOMPARE(item->Gettemp(), key);
}

void TestStatistics::loadBin_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("hasBin");
    QTest::addColumn<double>("key");

    QTest::newRow("0.05 below the first bin goes to 0.10") << 0.05 << true << 0.10;
    QTest::newRow("negative goes to 0.10") << -0.4 << true << 0.10;
    QTest::newRow("0.15 in 0.10") << 0.15 << true << 0.10;
    QTest::newRow("0.55 in 0.50") << 0.55 << true << 0.50;
    QTest::newRow("1.49 in 1.40") << 1.49 << true << 1.40;
    QTest::newRow("1.6 beyond the last bin goes to 1.50") << 1.6 << true << 1.50;
    QTest::newRow("exactly the last key has no bin") << 150 * 0.01 << false << 0.0;
}

void TestStatistics::loadBin()
{
    QFETCH(double, ratio);
    QFETCH(bool, hasBin);
    QFETCH(double, key);
    HStatResult result;
    HStatItem* item = result.getItem(ratio);
    QCOMPARE(item != nullptr, hasBin);
    if (item)
        BRIVANTA_COMPARE_NEAR(item->Getload_precent(), key, 1e-12);
}

void TestStatistics::fewerThanTwoBinsHaveNoTemperatureBin()
{
    HStatResult result;
    result.resetTemp();
    for (HStatItem* item : result)
        if (item->Gettemp() == 20.0)
            item->sethours(1);
    result.clearInvalidItem();
    QCOMPARE(result.size(), 1);
    QCOMPARE(result.getItemByTemp(19.5), nullptr);
    QCOMPARE(result.getItemByTemp(-70), nullptr);
}

void TestStatistics::clearInvalidItemKeepsOrder()
{
    HStatResult result;
    result.resetTemp();
    const QVector<double> kept = {-3.0, 11.0, 12.0, 30.0};
    for (double t : kept)
        result.getItemByTemp(t)->sethours(2);
    result.clearInvalidItem();
    QCOMPARE(result.size(), kept.size());
    for (int i = 0; i < kept.size(); ++i)
        QCOMPARE(result.at(i)->Gettemp(), kept[i]);
    QCOMPARE(result.getItemByTemp(11.5)->Gettemp(), 12.0);
}

// Bins with gaps (after clearInvalidItem): every t between two kept keys goes to the
// upper one, t below the first key to the first, the first key and t above the last to none.
void TestStatistics::thinnedBinsFollowTheStepRule()
{
    HStatResult result;
    result.resetTemp();
    const QVector<double> kept = {-40.0, -3.0, 11.0, 12.0, 30.0, 79.0};
    for (double t : kept)
        result.getItemByTemp(t)->sethours(1);
    result.clearInvalidItem();
    QCOMPARE(result.size(), kept.size());
    for (double t = -60.0; t <= 90.0; t += 0.25) {
        double expected = std::numeric_limits<double>::quiet_NaN();
        if (t < kept.first())
            expected = kept.first();
        for (int i = 0; i + 1 < kept.size(); ++i)
            if (kept[i] < t && t <= kept[i + 1])
                expected = kept[i + 1];
        HStatItem* item = result.getItemByTemp(t);
        if (std::isnan(expected))
            QVERIFY2(!item, qPrintable(QString::number(t)));
        else
            QVERIFY2(item && item->Gettemp() == expected, qPrintable(QString::number(t)));
    }
}

void TestStatistics::hourSums_data()
{
    QTest::addColumn<Records>("own");
    QTest::addColumn<Records>("other");
    QTest::addColumn<QVector<double>>("sums"); // own odu, idu, total, other odu, idu, total

    QTest::newRow("no records") << Records{} << Records{} << QVector<double>{0, 0, 0, 0, 0, 0};
    QTest::newRow("outdoor 3.0 and 0, indoor 0.5")
        << Records{{true, 3.0}, {true, 0.0}, {false, 0.5}} << Records{}
        << QVector<double>{3.0, 0.5, 3.5, 0, 0, 0};
    QTest::newRow("negative energy is left out")
        << Records{{true, 2.0}, {true, -1.0}, {false, -0.2}} << Records{{false, 0.25}, {true, 4.0}}
        << QVector<double>{2.0, 0, 2.0, 4.0, 0.25, 4.25};
    QTest::newRow("several lines of each kind")
        << Records{{true, 1.5}, {false, 0.1}, {true, 2.5}, {false, 0.2}}
        << Records{{true, 6.0}, {true, 1.0}, {false, 0.3}}
        << QVector<double>{4.0, 0.3, 4.3, 7.0, 0.3, 7.3};
}

void TestStatistics::hourSums()
{
    QFETCH(Records, own);
    QFETCH(Records, other);
    QFETCH(QVector<double>, sums);

    HUnit odu;
    HUnit idu;
    idu.setis_odu(false);
    HHour hour;
    for (const auto& r : own) {
        auto* item = new HCalVRFUnitItem(r.first ? &odu : &idu);
        item->setunit_power_input(r.second);
        hour.addCalVRFUnitItemToOwnVRF(item);
    }
    for (const auto& r : other) {
        auto* item = new HCalVRFUnitItem(r.first ? &odu : &idu);
        item->setunit_power_input(r.second);
        hour.addCalVRFUnitItemToOtherVRF(item);
    }
    hour.setown_vrf_total_energy_consumption(99); // stale values are replaced
    hour.statResult();

    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_odu_energy_consumption(), sums[0], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_idu_energy_consumption(), sums[1], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getown_vrf_total_energy_consumption(), sums[2], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getother_vrf_odu_energy_consumption(), sums[3], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getother_vrf_idu_energy_consumption(), sums[4], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.Getother_vrf_total_energy_consumption(), sums[5], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getOwnVRFEnergyConsumption(), sums[2], 1e-12);
    BRIVANTA_COMPARE_NEAR(hour.getOtherVRFEnergyConsumption(), sums[5], 1e-12);

    hour.removeAllCalVRFUnitItemToOwnVRF();
    hour.removeAllCalVRFUnitItemToOtherVRF();
    hour.statResult();
    QCOMPARE(hour.Getown_vrf_total_energy_consumption(), 0.0);
    QCOMPARE(hour.Getother_vrf_total_energy_consumption(), 0.0);
}

void TestStatistics::averageEIR_data()
{
    QTest::addColumn<Records>("own"); // is_odu, EIR
    QTest::addColumn<double>("average");

    QTest::newRow("no records") << Records{} << 0.0;
    QTest::newRow("indoor records only") << Records{{false, 1.0}, {false, 1.0}} << 0.0;
    QTest::newRow("outdoor 0.4 and 0.8, indoor ignored")
        << Records{{true, 0.4}, {false, 1.0}, {true, 0.8}} << 0.6;
    QTest::newRow("outdoor record without energy still counts")
        << Records{{true, 0.0}, {true, 0.9}} << 0.45;
}

void TestStatistics::averageEIR()
{
    QFETCH(Records, own);
    QFETCH(double, average);
    HUnit odu;
    HUnit idu;
    idu.setis_odu(false);
    HHour hour;
    for (const auto& r : own) {
        auto* item = new HCalVRFUnitItem(r.first ? &odu : &idu);
        item->setunit_EIR(r.second);
        hour.addCalVRFUnitItemToOwnVRF(item);
    }
    // the other system's records never count
    auto* other = new HCalVRFUnitItem(&odu);
    other->setunit_EIR(5.0);
    hour.addCalVRFUnitItemToOtherVRF(other);
    BRIVANTA_COMPARE_NEAR(hour.getAverageEIR(), average, 1e-12);
}

void TestStatistics::recordListsAreOwnedAndCopiedOut()
{
    HUnit unit;
    HHour hour;
    auto* a = new HCalVRFUnitItem(&unit);
    auto* b = new HCalVRFUnitItem(&unit);
    QCOMPARE(a->getUnit(), &unit);
    QCOMPARE(a->Getunit_EIR(), 0.0);
    hour.addCalVRFUnitItemToOwnVRF(a);
    hour.addCalVRFUnitItemToOtherVRF(b);
    QVector<HCalVRFUnitItem*> list{nullptr, nullptr, nullptr};
    QVERIFY(hour.getAllCalVRFUnitItemToOwnVRF(list));
    QCOMPARE(list, QVector<HCalVRFUnitItem*>{a});
    QVERIFY(hour.getAllCalVRFUnitItemToOtherVRF(list));
    QCOMPARE(list, QVector<HCalVRFUnitItem*>{b});
    hour.removeAllCalVRFUnitItemToOwnVRF();
    QVERIFY(hour.getAllCalVRFUnitItemToOwnVRF(list));
    QVERIFY(list.isEmpty());
    // b is deleted by the hour's destructor (checked by the leak run)
}

void TestStatistics::monthlySums()
{
    HProject* project = HProject::getProject();
    HVRF* own = project->getOwnVRFSys();
    HVRF* other = project->getOtherVRFSys();
    auto* odu = new HUnit;
    auto* idu = new HUnit;
    idu->setis_odu(false);
    own->append(odu);
    own->append(idu);
    auto* otherOdu = new HUnit;
    other->append(otherOdu);

    // own: 1 kWh outdoor + 0.25 kWh indoor every hour; other: 0.5 kWh
    for (HHour* hour : *project->getYear()) {
        auto* a = new HCalVRFUnitItem(odu);
        a->setunit_power_input(1.0);
        auto* b = new HCalVRFUnitItem(idu);
        b->setunit_power_input(0.25);
        auto* c = new HCalVRFUnitItem(otherOdu);
        c->setunit_power_input(0.5);
        hour->addCalVRFUnitItemToOwnVRF(a);
        hour->addCalVRFUnitItemToOwnVRF(b);
        hour->addCalVRFUnitItemToOtherVRF(c);
    }
    other->setMonthEnergyConsumption(13, 5.0); // cleared by the recalculation
    project->statisCalResult();

    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double ownYear = 0.0;
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(own->getMonthEnergyConsumption(m), days[m - 1] * 24 * 1.25);
        QCOMPARE(other->getMonthEnergyConsumption(m), days[m - 1] * 24 * 0.5);
        ownYear += own->getMonthEnergyConsumption(m);
    }
    QCOMPARE(own->getMonthEnergyConsumption(2), 672 * 1.25);
    QCOMPARE(ownYear, 8760 * 1.25);
    QCOMPARE(other->getMonthEnergyConsumption(13), 0.0);
    QCOMPARE(project->getYear()->getMonth(7)->getDay(4)->getOwnVRFEnergyConsumption(), 24 * 1.25);
    QCOMPARE(project->getYear()->getMonth(7)->getDay(4)->getOtherVRFEnergyConsumption(), 24 * 0.5);
    QCOMPARE(own->getMonthGasConsumption(2), 0.0);
    // the monthly pass leaves the statistics in their load layout
    QCOMPARE(other->getStatResultCooling()->size(), 15);
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
