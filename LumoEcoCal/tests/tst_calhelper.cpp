// The hourly energy calculation: load ratios, unit records, peak-load check,
// input-load table, adjust mode, statistics and the curve tables.
#include "HCalHelper.h"

#include <HAppPaths.h>
#include <HCalVRFUnitItem.h>
#include <HDatabase.h>
#include <HDay.h>
#include <HDbFind.h>
#include <HHour.h>
#include <HMonth.h>
#include <HPolyFitHelper.h>
#include <HProductPerformanceDataForVRF.h>
#include <HProject.h>
#include <HStatItem.h>
#include <HStatResult.h>
#include <HUnit.h>
#include <HVRF.h>
#include <HYear.h>

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <TestSupport.h>
#include <cmath>
#include <functional>
#include <limits>

namespace {

struct Line
{
    bool odu;
    int quantity;
    double capC, powC, capH, powH;
};

using Points = QVector<QPair<double, double>>; // (percent, power input)

HUnit* addLine(HVRF* system, const Line& line)
{
    auto* unit = new HUnit;
    unit->setis_odu(line.odu);
    unit->setquantity(line.quantity);
    unit->settotal_capacity_cooling(line.capC);
    unit->setpower_input_cooling(line.powC);
    unit->settotal_capacity_heating(line.capH);
    unit->setpower_input_heating(line.powH);
    system->append(unit);
    return unit;
}

QJsonArray productPoints(const Points& points)
{
    QJsonArray array;
    for (const auto& p : points)
        array.append(QJsonObject{{"precent", p.first}, {"tc", 10.0}, {"pi", p.second}});
    return array;
}

// The curve a product unit must end up with: its points as ratios of the rated
// power plus the two anchor points, through the spline.
double productCurve(const Points& points, double ratedPower, double rate)
{
    if (!(ratedPower > 0.0))
        return 0.0;
    QMap<double, double> map;
    for (const auto& p : points)
        map[p.first * 0.01] = p.second / ratedPower;
    map[0.3] = 0.2;
    map[0.0] = 0.0;
    return std::fabs(HPolyFitHelper::spline_fit(map, std::fabs(rate)));
}

// The default curves of the curve file.
double defaultCurve(bool cooling, double rate)
{
    QMap<double, double> map = cooling
        ? QMap<double, double>{{0.25, 0.3}, {0.5, 0.45}, {0.75, 0.7}, {1.0, 1.0}}
        : QMap<double, double>{{0.25, 0.35}, {0.5, 0.55}, {0.75, 0.74}, {1.0, 1.0}};
    return std::fabs(HPolyFitHelper::spline_fit(map, std::fabs(rate)));
}

void setConstantCurves(HProductPerformanceDataForVRF* data, double cooling, double heating)
{
    data->setCoolingModeItems({{0.0, 0.0, cooling}, {0.0, 2.0, cooling}});
    data->setHeatingModeItems({{0.0, 0.0, heating}, {0.0, 2.0, heating}});
}

const Points kOduACooling = {{50, 6.0}, {75, 10.0}, {100, 15.0}};
const Points kOduAHeating = {{50, 5.0}, {100, 12.0}};
const Points kOduBCooling = {{50, 5.5}, {100, 13.0}};
const Points kOduBHeating = {{50, 4.8}, {100, 11.0}};

void setWeather(const std::function<double(int hourOrder)>& temperature)
{
    for (HHour* hour : *HProject::getProject()->getYear())
        hour->setdry_bulb_temperature(temperature(hour->Gethour_order()));
}

QString binsText(const HStatResult* result, QChar tag)
{
    QStringList bins;
    for (const HStatItem* item : *result)
        bins << QStringLiteral("%1%2:%3").arg(tag).arg(item->Gettemp()).arg(item->Gethours());
    return bins.join(QLatin1Char(' '));
}

// Every figure the calculation writes into the hours, in hour order.
QVector<double> hourlySnapshot()
{
    QVector<double> values;
    for (HHour* hour : *HProject::getProject()->getYear()) {
        values << hour->GetisThermostatMode() << hour->GetisTurnOnBySchedule()
               << hour->Getload_precent() << hour->GetOwnVRF_load_precent()
               << hour->GetOtherVRF_load_precent() << hour->Getbuilding_load_cooling()
               << hour->Getbuilding_load_heating() << hour->Getunit_total_capacity_cooling()
               << hour->Getunit_total_capacity_heating()
               << hour->Getown_vrf_total_energy_consumption()
               << hour->Getother_vrf_total_energy_consumption();
        QVector<HCalVRFUnitItem*> items;
        hour->getAllCalVRFUnitItemToOwnVRF(items);
        for (const HCalVRFUnitItem* item : items)
            values << item->Getunit_EIR() << item->Getunit_power_input();
        hour->getAllCalVRFUnitItemToOtherVRF(items);
        for (const HCalVRFUnitItem* item : items)
            values << item->Getunit_EIR() << item->Getunit_power_input();
    }
    return values;
}

// The year computed step by step through the public per-hour functions,
// refreshing both systems' totals every hour.
void calculateStepByStep()
{
    HProject* project = HProject::getProject();
    project->updateOperationInfoToYear();
    QMap<QString, double> loads;
    const bool hasInput = HCalHelper::findInputLoadData(loads);
    for (HHour* hour : *project->getYear()) {
        project->getOwnVRFSys()->calculate();
        project->getOtherVRFSys()->calculate();
        HCalHelper::calculateThermostatMode(hour);
        HCalHelper::calculateLoadPrecent(hour);
        if (hasInput) {
            HCalHelper::calculateBuildLoad(hour, loads);
            HCalHelper::reCalculateLoadPrecent(hour);
        } else {
            HCalHelper::calculateBuildLoad(hour);
        }
        HCalHelper::calculateUnitTotalCapacity(hour);
        HCalHelper::calclateEIRAndPower_own_vrf(hour);
        HCalHelper::calclateEIRAndPower_other_vrf(hour);
        hour->statResult();
    }
    project->statisCalResult();
    HCalHelper::statisCalculationResult_own_vrf();
}

double yearlyTemperature(int hourOrder)
{
    const double day = (hourOrder - 1) / 24.0;
    return 13.0 - 17.0 * std::cos(2.0 * M_PI * (day - 20.0) / 365.0)
        + 5.0 * std::sin(2.0 * M_PI * ((hourOrder - 1) % 24 - 9) / 24.0);
}

// The building ratio of the degree-hour model: 0 at the balance point 16, the
// cooling factor 1.5 at the design temperature 35, -1 at -10.
double coolingRatio(double t)
{
    return (t - 16.0) / 19.0 * 1.5;
}

double heatingRatio(double t)
{
    return -(16.0 - t) / 26.0;
}

} // namespace

Q_DECLARE_METATYPE(QVector<double>)

class TestCalHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void hourlyLoads_data();
    void hourlyLoads();
    void unitRecords_data();
    void unitRecords();
    void peakLoads_data();
    void peakLoads();
    void canCalculate_data();
    void canCalculate();
    void peakLoadReplacements_data();
    void peakLoadReplacements();
    void ownUnitsWithoutCapacity();
    void inputLoads_data();
    void inputLoads();
    void reCalculatedRatios_data();
    void reCalculatedRatios();
    void inputLoadNotANumber();
    void adjustMode_data();
    void adjustMode();
    void adjustWholeYear();
    void emptySystems();
    void wholeYear_data();
    void wholeYear();
    void repeatedRunFollowsUnitChanges();
    void statistics_data();
    void statistics();
    void curveTables_data();
    void curveTables();
    void yearEqualsRecordsFromTheCurves();

private:
    // Peak loads 100 / 80 kW; own outdoor capacity 110 / 96 kW in two product
    // lines, other outdoor capacity 120 / 100 kW with the default curves.
    void buildStandardProject();
    // Compares every hour's energy with the rules applied to its temperature and date:
    // the plant runs 9:00 to 17:00 on the given weekdays outside the holidays.
    void compareWithRules(const QSet<int>& weekdays, const QSet<QDate>& holidays);
    QString writeProductDb(const QString& createSql, const QVariantList& loads);

    QTemporaryDir m_dir;
    HUnit* m_oduA = nullptr;
    HUnit* m_oduB = nullptr;
};

void TestCalHelper::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestCalHelper::init()
{
    HProject::reset();
    HCalHelper::setQuestionHook(nullptr);
    HDbFind::setDbFileAndPwd(m_dir.filePath("no-such-product.db"), QString());
    m_oduA = m_oduB = nullptr;
}

void TestCalHelper::cleanupTestCase()
{
    HProject::reset();
    HCalHelper::setQuestionHook(nullptr);
    HDbFind::close();
    HAppPaths::setApplicationDir(QString());
}

void TestCalHelper::buildStandardProject()
{
    HProject* project = HProject::getProject();
    project->setcooling_peak_load(100.0);
    project->setheating_peak_load(80.0);
    HVRF* own = project->getOwnVRFSys();
    m_oduA = addLine(own, {true, 1, 60.0, 15.0, 50.0, 12.0});
    m_oduA->setjsonArrayData_c(productPoints(kOduACooling));
    m_oduA->setjsonArrayData_h(productPoints(kOduAHeating));
    m_oduB = addLine(own, {true, 2, 25.0, 6.5, 23.0, 5.5});
    m_oduB->setjsonArrayData_c(productPoints(kOduBCooling));
    m_oduB->setjsonArrayData_h(productPoints(kOduBHeating));
    addLine(own, {false, 4, 2.8, 0.05, 3.2, 0.06});
    addLine(own, {false, 2, 5.6, 0.1, 6.3, 0.11});
    m_oduA->calculate();
    m_oduB->calculate();
    HVRF* other = project->getOtherVRFSys();
    addLine(other, {true, 2, 60.0, 16.0, 50.0, 13.0});
    addLine(other, {false, 6, 4.5, 0.07, 5.0, 0.08});
    own->calculate();
    other->calculate();
}

void TestCalHelper::compareWithRules(const QSet<int>& weekdays, const QSet<QDate>& holidays)
{
    HProject* project = HProject::getProject();
    const auto capacity = [](const HVRF* system, bool cooling) {
        double sum = 0.0;
        for (const HUnit* unit : *system)
            if (unit->Getis_odu())
                sum += unit->Getquantity()
                    * (cooling ? unit->Gettotal_capacity_cooling()
                               : unit->Gettotal_capacity_heating());
        return sum;
    };
    // Energy of one system's lines in an hour: outdoor EIR x rated power x quantity,
    // indoor rated power x quantity, while the plant runs with a load.
    const auto energy = [&](const HVRF* system, double p, bool on, double& odu, double& idu) {
        odu = idu = 0.0;
        if (p == 0.0 || !on)
            return;
        const bool cooling = p > 0.0;
        const double rate = p * (cooling ? 100.0 : 80.0) / capacity(system, cooling);
        for (const HUnit* unit : *system) {
            const double power =
                cooling ? unit->Getpower_input_cooling() : unit->Getpower_input_heating();
            if (!unit->Getis_odu()) {
                idu += unit->Getquantity() * power;
                continue;
            }
            double eir = defaultCurve(cooling, rate);
            if (unit == m_oduA)
                eir = productCurve(cooling ? kOduACooling : kOduAHeating, power, rate);
            else if (unit == m_oduB)
                eir = productCurve(cooling ? kOduBCooling : kOduBHeating, power, rate);
            odu += eir * power * unit->Getquantity();
        }
    };

    for (int m = 1; m <= 12; ++m) {
        for (HDay* day : *project->getYear()->getMonth(m)) {
            const QDate date(2015, m, day->Getday());
            for (int h = 0; h < 24; ++h) {
                const HHour* hour = day->getHour(h);
                const double t = hour->Getdry_bulb_temperature();
                const double p = std::fabs(t - 16.0) < 0.1 ? 0.0
                    : t > 16.0                             ? coolingRatio(t)
                                                           : heatingRatio(t);
                const bool thermoOff = project->Getthermo_mode() && std::fabs(t - 16.0) < 1.0;
                const bool on = h >= 9 && h <= 17 && weekdays.contains(date.dayOfWeek())
                    && !holidays.contains(date) && !thermoOff;
                double ownOdu, ownIdu, otherOdu, otherIdu;
                energy(project->getOwnVRFSys(), p, on, ownOdu, ownIdu);
                energy(project->getOtherVRFSys(), p, on, otherOdu, otherIdu);
                BRIVANTA_COMPARE_NEAR(hour->Getload_precent(), p, 1e-12);
                BRIVANTA_COMPARE_NEAR(hour->Getown_vrf_odu_energy_consumption(), ownOdu, 1e-9);
                BRIVANTA_COMPARE_NEAR(hour->Getown_vrf_idu_energy_consumption(), ownIdu, 1e-9);
                BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_odu_energy_consumption(), otherOdu, 1e-9);
                BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_idu_energy_consumption(), otherIdu, 1e-9);
                if (QTest::currentTestFailed()) {
                    qWarning() << "at" << date << h << "h," << t << "degrees";
                    return;
                }
            }
        }
    }
}

QString TestCalHelper::writeProductDb(const QString& createSql, const QVariantList& loads)
{
    const QString path =
        m_dir.filePath(QStringLiteral("product-%1.db").arg(QTest::currentDataTag()));
    QFile::remove(path);
    HDatabase db;
    if (!db.createDatabase(path))
        return QString();
    if (!createSql.isEmpty() && !db.exec(createSql))
        return QString();
    for (const QVariant& load : loads)
        if (!db.exec(QStringLiteral("insert into __temp_data (load) values (?)"), {load}))
            return QString();
    db.closeDatabase();
    return path;
}

void TestCalHelper::hourlyLoads_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<bool>("thermoMode");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("unitsRun");

    QTest::newRow("30") << 30.0 << false << coolingRatio(30.0) << true;
    QTest::newRow("25") << 25.0 << false << coolingRatio(25.0) << true;
    QTest::newRow("10") << 10.0 << false << heatingRatio(10.0) << true;
    QTest::newRow("0") << 0.0 << false << heatingRatio(0.0) << true;
    QTest::newRow("design -10") << -10.0 << false << -1.0 << true;
    QTest::newRow("beyond 35 not limited") << 40.0 << false << coolingRatio(40.0) << true;
    // Dead band |t - 16| < 0.1: inside and just outside on both sides.
    QTest::newRow("dead band 16.05") << 16.05 << false << 0.0 << true;
    QTest::newRow("dead band 15.95") << 15.95 << false << 0.0 << true;
    QTest::newRow("16.15 outside the dead band") << 16.15 << false << coolingRatio(16.15) << true;
    QTest::newRow("15.85 outside the dead band") << 15.85 << false << heatingRatio(15.85) << true;
    // Thermo-off band |t - 16| < 1 with the thermo mode on: inside and at its edge.
    QTest::newRow("thermo-off 16.5") << 16.5 << true << coolingRatio(16.5) << false;
    QTest::newRow("16.5 thermo mode off runs") << 16.5 << false << coolingRatio(16.5) << true;
    QTest::newRow("thermo-off 16.95") << 16.95 << true << coolingRatio(16.95) << false;
    QTest::newRow("thermo-off 15.05 heating") << 15.05 << true << heatingRatio(15.05) << false;
    QTest::newRow("17 runs") << 17.0 << true << coolingRatio(17.0) << true;
    QTest::newRow("15 runs") << 15.0 << true << heatingRatio(15.0) << true;
}

void TestCalHelper::hourlyLoads()
{
    QFETCH(double, temperature);
    QFETCH(bool, thermoMode);
    QFETCH(double, ratio);
    QFETCH(bool, unitsRun);

    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setthermo_mode(thermoMode);
    HHour* hour = project->getYear()->getHour(7, 15, 14);
    QVERIFY(hour);
    hour->setdry_bulb_temperature(temperature);

    HCalHelper::calculateThermostatMode(hour);
    HCalHelper::calculateLoadPrecent(hour);
    HCalHelper::calculateBuildLoad(hour);
    HCalHelper::calculateUnitTotalCapacity(hour);

    // Peak loads 100 / 80 kW; own outdoor capacity 110 / 96 kW, other 120 / 100 kW.
    const bool cooling = ratio > 0.0;
    const double ownRate = cooling ? ratio * 100.0 / 110.0 : ratio * 80.0 / 96.0;
    const double otherRate = cooling ? ratio * 100.0 / 120.0 : ratio * 80.0 / 100.0;
    const double load = cooling ? ratio * 100.0 : -ratio * 80.0;
    const double delivered = unitsRun ? load : 0.0; // the own rate times the own capacity
    QCOMPARE(hour->GetisThermostatMode(), unitsRun);
    BRIVANTA_COMPARE_NEAR(hour->Getload_precent(), ratio, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->GetOwnVRF_load_precent(), ownRate, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->GetOtherVRF_load_precent(), otherRate, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_cooling(), cooling ? load : 0.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_heating(), cooling ? 0.0 : load, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getunit_total_capacity_cooling(), cooling ? delivered : 0.0, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getunit_total_capacity_heating(), cooling ? 0.0 : delivered, 1e-12);
    // Loads are never negative, not even "-0".
    QVERIFY(!std::signbit(hour->Getbuilding_load_cooling()));
    QVERIFY(!std::signbit(hour->Getbuilding_load_heating()));
    QVERIFY(!std::signbit(hour->Getunit_total_capacity_heating()));
}

void TestCalHelper::unitRecords_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<bool>("thermoMode");
    QTest::addColumn<bool>("scheduled");
    QTest::addColumn<bool>("withoutCoolingPower"); // first own outdoor line has no cooling power
    QTest::addColumn<bool>("energyExpected");

    QTest::newRow("cooling 30 scheduled") << 30.0 << false << true << false << true;
    QTest::newRow("heating 0 scheduled") << 0.0 << false << true << false << true;
    QTest::newRow("above design 38 scheduled") << 38.0 << false << true << false << true;
    QTest::newRow("cooling 30 outside schedule") << 30.0 << false << false << false << false;
    QTest::newRow("heating 0 outside schedule") << 0.0 << false << false << false << false;
    QTest::newRow("dead band 16.05") << 16.05 << false << true << false << false;
    QTest::newRow("thermo-off 16.5") << 16.5 << true << true << false << false;
    QTest::newRow("16.5 thermo mode off runs") << 16.5 << false << true << false << true;
    QTest::newRow("no cooling power input") << 30.0 << false << true << true << true;
}

void TestCalHelper::unitRecords()
{
    QFETCH(double, temperature);
    QFETCH(bool, thermoMode);
    QFETCH(bool, scheduled);
    QFETCH(bool, withoutCoolingPower);
    QFETCH(bool, energyExpected);

    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setthermo_mode(thermoMode);
    if (withoutCoolingPower) {
        m_oduA->setpower_input_cooling(0.0);
        m_oduA->calculate();
    }
    HHour* hour = project->getYear()->getHour(3, 2, 11);
    hour->setdry_bulb_temperature(temperature);
    hour->setisTurnOnBySchedule(scheduled);

    HCalHelper::calculateThermostatMode(hour);
    HCalHelper::calculateLoadPrecent(hour);
    HCalHelper::calculateBuildLoad(hour);
    HCalHelper::calculateUnitTotalCapacity(hour);
    // Twice: records are replaced, never added up.
    HCalHelper::calclateEIRAndPower_own_vrf(hour);
    HCalHelper::calclateEIRAndPower_other_vrf(hour);
    HCalHelper::calclateEIRAndPower_own_vrf(hour);
    HCalHelper::calclateEIRAndPower_other_vrf(hour);
    hour->statResult();

    const double ownRate = hour->GetOwnVRF_load_precent();
    const double otherRate = hour->GetOtherVRF_load_precent();
    const bool cooling = hour->Getload_precent() > 0.0;
    const bool loaded = hour->Getload_precent() != 0.0;
    const double on = energyExpected ? 1.0 : 0.0;

    struct Expected
    {
        HUnit* unit;
        double eir;
        double energy;
    };
    QVector<Expected> expectedOwn;
    QVector<Expected> expectedOther;
    for (HUnit* unit : *project->getOwnVRFSys()) {
        const double power =
            cooling ? unit->Getpower_input_cooling() : unit->Getpower_input_heating();
        if (!unit->Getis_odu()) {
            expectedOwn.append({unit, 1.0, loaded ? on * unit->Getquantity() * power : 0.0});
            continue;
        }
        const Points& points = unit == m_oduA ? (cooling ? kOduACooling : kOduAHeating)
                                              : (cooling ? kOduBCooling : kOduBHeating);
        const double eir = loaded ? productCurve(points, power, ownRate) : 0.0;
        expectedOwn.append({unit, eir, on * eir * power * unit->Getquantity()});
    }
    for (HUnit* unit : *project->getOtherVRFSys()) {
        const double power =
            cooling ? unit->Getpower_input_cooling() : unit->Getpower_input_heating();
        const double eir =
            unit->Getis_odu() ? (loaded ? defaultCurve(cooling, otherRate) : 0.0) : 1.0;
        const double energy = unit->Getis_odu() ? on * eir * power * unit->Getquantity()
                                                : (loaded ? on * unit->Getquantity() * power : 0.0);
        expectedOther.append({unit, eir, energy});
    }
    // Outdoor lines first, then indoor lines, each in list order (the lists are built that way).

    const auto check = [](const QVector<HCalVRFUnitItem*>& items, const QVector<Expected>& expected,
                          double& oduSum, double& iduSum) {
        QCOMPARE(items.size(), expected.size());
        oduSum = iduSum = 0.0;
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->getUnit(), expected[i].unit);
            BRIVANTA_COMPARE_NEAR(items[i]->Getunit_EIR(), expected[i].eir, 1e-12);
            BRIVANTA_COMPARE_NEAR(items[i]->Getunit_power_input(), expected[i].energy, 1e-12);
            (expected[i].unit->Getis_odu() ? oduSum : iduSum) += expected[i].energy;
        }
    };
    QVector<HCalVRFUnitItem*> items;
    double oduSum = 0.0, iduSum = 0.0;
    hour->getAllCalVRFUnitItemToOwnVRF(items);
    check(items, expectedOwn, oduSum, iduSum);
    if (QTest::currentTestFailed())
        return;
    BRIVANTA_COMPARE_NEAR(hour->Getown_vrf_odu_energy_consumption(), oduSum, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getown_vrf_idu_energy_consumption(), iduSum, 1e-12);
    hour->getAllCalVRFUnitItemToOtherVRF(items);
    check(items, expectedOther, oduSum, iduSum);
    if (QTest::currentTestFailed())
        return;
    BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_odu_energy_consumption(), oduSum, 1e-12);
    BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_idu_energy_consumption(), iduSum, 1e-12);

    if (loaded) // the curves really are evaluated, whether or not the units run
        QVERIFY(expectedOwn[1].eir > 0.0);
    if (withoutCoolingPower) {
        QCOMPARE(expectedOwn[0].eir, 0.0);
        QCOMPARE(expectedOwn[0].energy, 0.0);
    }
}

void TestCalHelper::peakLoads_data()
{
    QTest::addColumn<double>("capacityCooling");
    QTest::addColumn<double>("capacityHeating");
    QTest::addColumn<double>("peakCooling");
    QTest::addColumn<double>("peakHeating");
    QTest::addColumn<double>("newPeakCooling");
    QTest::addColumn<double>("newPeakHeating");
    QTest::addColumn<QString>("message");

    const QString cooling =
        QStringLiteral("The ratio of VRF outdoor cooling capacity to cooling peak load is ");
    const QString heating =
        QStringLiteral("The ratio of VRF outdoor heating capacity to heating peak load is ");
    QTest::newRow("no peak loads")
        << 50.0 << 60.0 << 0.0 << 0.0 << 55.0 << 66.0 << heating + "0%[50%-150%].";
    QTest::newRow("cooling ratio 2.0 heating 1.0")
        << 100.0 << 80.0 << 50.0 << 80.0 << 110.0 << 80.0 << cooling + "200%[50%-150%].";
    QTest::newRow("cooling ratio 0.4")
        << 40.0 << 80.0 << 100.0 << 80.0 << 44.0 << 80.0 << cooling + "40%[50%-150%].";
    QTest::newRow("both out of range")
        << 100.0 << 30.0 << 50.0 << 100.0 << 110.0 << 33.0 << heating + "30%[50%-150%].";
    QTest::newRow("six significant digits")
        << 100.0 << 80.0 << 30.0 << 80.0 << 110.0 << 80.0 << cooling + "333.333%[50%-150%].";
    QTest::newRow("limits 0.5 and 1.5 accepted")
        << 50.0 << 120.0 << 100.0 << 80.0 << 100.0 << 80.0 << QString();
    QTest::newRow("cooling 0.45 refused")
        << 45.0 << 80.0 << 100.0 << 80.0 << 49.5 << 80.0 << cooling + "45%[50%-150%].";
    QTest::newRow("cooling 0.55 and heating 1.45 accepted")
        << 55.0 << 116.0 << 100.0 << 80.0 << 100.0 << 80.0 << QString();
    QTest::newRow("cooling 1.45 and heating 0.55 accepted")
        << 145.0 << 44.0 << 100.0 << 80.0 << 100.0 << 80.0 << QString();
    QTest::newRow("cooling 1.55 refused")
        << 155.0 << 80.0 << 100.0 << 80.0 << 170.5 << 80.0 << cooling + "155%[50%-150%].";
    QTest::newRow("heating 0.45 refused")
        << 100.0 << 36.0 << 100.0 << 80.0 << 100.0 << 39.6 << heating + "45%[50%-150%].";
    QTest::newRow("heating 1.55 refused")
        << 100.0 << 124.0 << 100.0 << 80.0 << 100.0 << 136.4 << heating + "155%[50%-150%].";
    QTest::newRow("both in range") << 110.0 << 96.0 << 100.0 << 80.0 << 100.0 << 80.0 << QString();
    QTest::newRow("no outdoor units")
        << 0.0 << 0.0 << 100.0 << 80.0 << 0.0 << 0.0 << heating + "0%[50%-150%].";
}

void TestCalHelper::peakLoads()
{
    QFETCH(double, capacityCooling);
    QFETCH(double, capacityHeating);
    QFETCH(double, peakCooling);
    QFETCH(double, peakHeating);
    QFETCH(double, newPeakCooling);
    QFETCH(double, newPeakHeating);
    QFETCH(QString, message);

    HProject* project = HProject::getProject();
    project->setcooling_peak_load(peakCooling);
    project->setheating_peak_load(peakHeating);
    if (capacityCooling > 0.0 || capacityHeating > 0.0)
        addLine(project->getOwnVRFSys(),
                {true, 2, capacityCooling / 2, 5.0, capacityHeating / 2, 5.0});
    addLine(project->getOwnVRFSys(), {false, 3, 7.0, 0.1, 8.0, 0.1});

    QString text;
    QVERIFY(!HCalHelper::calculatePeakLoad(text, true));
    QCOMPARE(text, message);
    BRIVANTA_COMPARE_NEAR(project->Getcooling_peak_load(), newPeakCooling, 1e-12);
    BRIVANTA_COMPARE_NEAR(project->Getheating_peak_load(), newPeakHeating, 1e-12);
}

void TestCalHelper::canCalculate_data()
{
    QTest::addColumn<bool>("weather");
    QTest::addColumn<int>("ownOdu");
    QTest::addColumn<int>("ownIdu");
    QTest::addColumn<int>("otherOdu");
    QTest::addColumn<int>("otherIdu");
    QTest::addColumn<int>("answer"); // -1: no hook installed
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("peakCooling"); // own outdoor capacity 50 / 60 kW per unit, peaks 0

    const QString check = QStringLiteral("\nPlease check the Unit Information Page.");
    const QString noOther = QStringLiteral("There are not Other VRF units.") + check;
    QTest::newRow("no weather year") << false << 1 << 1 << 1 << 1 << 1 << false << false
                                     << "There are no entire year meteorological data(8760 hours) "
                                        "for Harbin."
                                     << 0.0;
    QTest::newRow("no own units") << true << 0 << 0 << 1 << 1 << 1 << false << false
                                  << QStringLiteral("There are not VELA units.") + check << 0.0;
    QTest::newRow("own outdoor units only")
        << true << 1 << 0 << 1 << 1 << 1 << false << false
        << QStringLiteral("There are not VELA units.") + check << 0.0;
    QTest::newRow("both systems filled") << true << 1 << 2 << 1 << 3 << 0 << true << false
                                         << "The ratio of VRF outdoor heating capacity to heating "
                                            "peak load is 0%[50%-150%]."
                                         << 55.0;
    QTest::newRow("no other units, yes") << true << 1 << 2 << 0 << 0 << 1 << true << true
                                         << "The ratio of VRF outdoor heating capacity to heating "
                                            "peak load is 0%[50%-150%]."
                                         << 55.0;
    QTest::newRow("no other units, no")
        << true << 1 << 2 << 0 << 0 << 0 << false << true << noOther << 55.0;
    QTest::newRow("other outdoor only, no")
        << true << 1 << 2 << 2 << 0 << 0 << false << true << noOther << 55.0;
    QTest::newRow("no hook without widgets is no")
        << true << 1 << 2 << 0 << 0 << -1 << false << false << noOther << 55.0;
}

void TestCalHelper::canCalculate()
{
    QFETCH(bool, weather);
    QFETCH(int, ownOdu);
    QFETCH(int, ownIdu);
    QFETCH(int, otherOdu);
    QFETCH(int, otherIdu);
    QFETCH(int, answer);
    QFETCH(bool, result);
    QFETCH(bool, asked);
    QFETCH(QString, message);
    QFETCH(double, peakCooling);

    HProject* project = HProject::getProject();
    project->setcity(QStringLiteral("Harbin"));
    project->setisHave8760WeatherData(weather);
    if (ownOdu)
        addLine(project->getOwnVRFSys(), {true, ownOdu, 50.0, 12.0, 60.0, 13.0});
    if (ownIdu)
        addLine(project->getOwnVRFSys(), {false, ownIdu, 5.0, 0.1, 6.0, 0.1});
    if (otherOdu)
        addLine(project->getOtherVRFSys(), {true, otherOdu, 50.0, 14.0, 60.0, 15.0});
    if (otherIdu)
        addLine(project->getOtherVRFSys(), {false, otherIdu, 5.0, 0.1, 6.0, 0.1});

    bool wasAsked = false;
    QString question;
    if (answer >= 0)
        HCalHelper::setQuestionHook([&](const QString& title, const QString& text) {
            wasAsked = true;
            question = title + QLatin1Char('|') + text;
            return answer == 1;
        });

    QString text;
    QCOMPARE(HCalHelper::isCanCalculate(text), result);
    QCOMPARE(text, message);
    QCOMPARE(wasAsked, asked);
    if (asked)
        QCOMPARE(question,
                 QStringLiteral("Query|There are not other VRF Units, Do you want to continue?"));
    BRIVANTA_COMPARE_NEAR(project->Getcooling_peak_load(), peakCooling, 1e-12);
    BRIVANTA_COMPARE_NEAR(project->Getheating_peak_load(), peakCooling > 0 ? 66.0 : 0.0, 1e-12);
}

void TestCalHelper::peakLoadReplacements_data()
{
    QTest::addColumn<double>("capacityCooling"); // own outdoor capacity, kW
    QTest::addColumn<double>("capacityHeating");
    QTest::addColumn<double>("peakCooling"); // as given, kW
    QTest::addColumn<double>("peakHeating");
    // Expected replacements "c|h input capacity used", in the order made.
    QTest::addColumn<QStringList>("expected");

    // 201.6 / 120 = 1.68 is above 1.5: 201.6 x 1.1 = 221.76 kW is used.
    QTest::newRow("cooling 120 kW on 201.6 kW")
        << 201.6 << 190.0 << 120.0 << 150.0 << QStringList{"c 120 201.6 221.76"};
    QTest::newRow("heating 400 kW on 190 kW: ratio 0.475")
        << 201.6 << 190.0 << 180.0 << 400.0 << QStringList{"h 400 190 209"};
    QTest::newRow("both absent (0)")
        << 50.0 << 60.0 << 0.0 << 0.0 << QStringList{"c 0 50 55", "h 0 60 66"};
    QTest::newRow("in range: nothing replaced") << 110.0 << 96.0 << 100.0 << 80.0 << QStringList{};
    QTest::newRow("no capacity and no load: nothing changes")
        << 0.0 << 0.0 << 0.0 << 0.0 << QStringList{};
}

void TestCalHelper::peakLoadReplacements()
{
    QFETCH(double, capacityCooling);
    QFETCH(double, capacityHeating);
    QFETCH(double, peakCooling);
    QFETCH(double, peakHeating);
    QFETCH(QStringList, expected);

    HProject* project = HProject::getProject();
    project->setcooling_peak_load(peakCooling);
    project->setheating_peak_load(peakHeating);
    addLine(project->getOwnVRFSys(), {true, 2, capacityCooling / 2, 5.0, capacityHeating / 2, 5.0});
    addLine(project->getOwnVRFSys(), {false, 3, 7.0, 0.1, 8.0, 0.1});

    QString text;
    QVector<HPeakLoadReplacement> replacements;
    HCalHelper::calculatePeakLoad(text, true, &replacements);
    QStringList made;
    for (const HPeakLoadReplacement& r : replacements) {
        made << QStringLiteral("%1 %2 %3 %4")
                    .arg(r.cooling ? 'c' : 'h')
                    .arg(r.input, 0, 'g', 10)
                    .arg(r.capacity, 0, 'g', 10)
                    .arg(r.used, 0, 'g', 10);
        // The sentence the user reads names the three figures.
        // The sentence the user reads names the figures; an absent load is said to be absent.
        const QString message = r.message();
        const QString load = r.cooling ? "cooling" : "heating";
        QVERIFY2(message.startsWith(r.input > 0.0 ? "The " + load + " peak load "
                                                  : "No " + load + " peak load is given"),
                 qPrintable(message));
        for (double figure : {r.input, r.capacity, r.used})
            if (figure > 0.0)
                QVERIFY2(message.contains(QString::number(figure, 'f', 2) + " kW"),
                         qPrintable(message));
    }
    QCOMPARE(made, expected);

    // The check before a calculation reports what it replaces; nothing is left to replace.
    project->setcooling_peak_load(peakCooling);
    project->setheating_peak_load(peakHeating);
    project->setisHave8760WeatherData(true);
    addLine(project->getOtherVRFSys(), {true, 1, 50.0, 14.0, 60.0, 15.0});
    addLine(project->getOtherVRFSys(), {false, 1, 5.0, 0.1, 6.0, 0.1});
    const HCalHelper::CheckResult check = HCalHelper::checkCanCalculate();
    QCOMPARE(check.canCalculate, capacityCooling > 0.0);
    QCOMPARE(check.peakLoadReplacements.size(), capacityCooling > 0.0 ? expected.size() : 0);
    QCOMPARE(HCalHelper::checkCanCalculate().peakLoadReplacements.size(), 0);
}

void TestCalHelper::ownUnitsWithoutCapacity()
{
    // Own lines whose models the product database did not know: no capacity at all.
    HProject* project = HProject::getProject();
    project->setcity(QStringLiteral("Paris"));
    project->setisHave8760WeatherData(true);
    project->setcooling_peak_load(150.0);
    project->setheating_peak_load(180.0);
    addLine(project->getOwnVRFSys(), {true, 3, 0.0, 0.0, 0.0, 0.0});
    addLine(project->getOwnVRFSys(), {false, 20, 7.1, 0.05, 8.0, 0.05});
    addLine(project->getOtherVRFSys(), {true, 3, 56.0, 15.0, 63.0, 16.0});
    addLine(project->getOtherVRFSys(), {false, 20, 7.1, 0.05, 8.0, 0.05});

    // A year of zeros is no result: the check refuses and says why.
    QString message;
    QVERIFY(!HCalHelper::isCanCalculate(message));
    QVERIFY2(message.contains("no cooling or heating capacity"), qPrintable(message));
    QVERIFY(message.endsWith("\nPlease check the Unit Information Page."));
    // The peak loads the user gave are not replaced by 0.
    QCOMPARE(project->Getcooling_peak_load(), 150.0);
    QCOMPARE(project->Getheating_peak_load(), 180.0);

    const HCalHelper::CheckResult check = HCalHelper::checkCanCalculate();
    QVERIFY(!check.canCalculate);
    QCOMPARE(check.refusal, HCalHelper::Refusal::NoOwnCapacity);
    QCOMPARE(check.message, message);
    QVERIFY(check.peakLoadReplacements.isEmpty());
}

void TestCalHelper::inputLoads_data()
{
    QTest::addColumn<bool>("withDatabase");
    QTest::addColumn<QString>("createSql");
    QTest::addColumn<QVariantList>("loads");
    QTest::addColumn<bool>("fromTable");

    const QString table =
        QStringLiteral("create table __temp_data (id integer primary key, load real)");
    QTest::newRow("ten rows") << true << table << QVariantList{200000, -100000, 0,  50000,  -20000,
                                                               300000, 1,       -1, 100000, -200000}
                              << true;
    QTest::newRow("text loads") << true << table << QVariantList{"200000", "-100000"} << true;
    QTest::newRow("empty table") << true << table << QVariantList{} << false;
    QTest::newRow("no table") << true << QString() << QVariantList{} << false;
    QTest::newRow("table without load column")
        << true << QStringLiteral("create table __temp_data (id integer, value real)")
        << QVariantList{} << false;
    QTest::newRow("no database") << false << QString() << QVariantList{} << false;
}

void TestCalHelper::inputLoads()
{
    QFETCH(bool, withDatabase);
    QFETCH(QString, createSql);
    QFETCH(QVariantList, loads);
    QFETCH(bool, fromTable);

    if (withDatabase) {
        const QString path = writeProductDb(createSql, loads);
        QVERIFY(!path.isEmpty());
        HDbFind::setDbFileAndPwd(path, QString());
    }
    buildStandardProject();
    HProject* project = HProject::getProject();
    setWeather([](int order) { return order % 2 ? 30.0 : 0.0; });

    QMap<QString, double> map;
    QCOMPARE(HCalHelper::findInputLoadData(map), fromTable);
    QCOMPARE(map.size(), loads.size());
    QVERIFY(HCalHelper::calculateLoadAtHour(false));

    const HVRF* own = project->getOwnVRFSys();
    for (HHour* hour : *project->getYear()) {
        const int order = hour->Gethour_order();
        const double t = hour->Getdry_bulb_temperature();
        // The other system always follows the temperature.
        const double p = t > 16.0 ? (t - 16.0) / 19.0 * 1.5 : -(t - 16.0) / -26.0;
        const double otherRate = p > 0 ? p * 100.0 / 120.0 : p * 80.0 / 100.0;
        BRIVANTA_COMPARE_NEAR(hour->GetOtherVRF_load_precent(), otherRate, 1e-12);
        if (!fromTable) {
            BRIVANTA_COMPARE_NEAR(hour->Getload_precent(), p, 1e-12);
            continue;
        }
        const double v = order <= loads.size() ? loads[order - 1].toDouble() * 0.001 * 0.45 : 0.0;
        BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_cooling(), v > 0 ? v : 0.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_heating(), v > 0 ? 0.0 : -v, 1e-12);
        const double ratio = v > 0 ? v / 100.0 : v / 80.0;
        BRIVANTA_COMPARE_NEAR(hour->Getload_precent(), ratio, 1e-12);
        const double ownRate = v > 0 ? v / own->Getodu_total_capacity_cooling()
                                     : v / own->Getodu_total_capacity_heating();
        BRIVANTA_COMPARE_NEAR(hour->GetOwnVRF_load_precent(), ownRate, 1e-12);
        if (QTest::currentTestFailed()) {
            qWarning() << "hour" << order;
            return;
        }
    }
    if (QTest::currentDataTag() == QLatin1String("ten rows")) {
        // 200000 x 0.00045: 90 kW of cooling in the first hour
        BRIVANTA_COMPARE_NEAR(project->getYear()->first()->Getbuilding_load_cooling(), 90.0, 1e-12);
        HHour* eleventh = project->getYear()->at(10);
        QCOMPARE(eleventh->Getload_precent(), 0.0);
        QCOMPARE(eleventh->GetOwnVRF_load_precent(), 0.0);
        QVERIFY(eleventh->GetOtherVRF_load_precent() != 0.0);
    }
}

void TestCalHelper::reCalculatedRatios_data()
{
    QTest::addColumn<double>("coolingLoad");
    QTest::addColumn<double>("heatingLoad");
    QTest::addColumn<double>("peakCooling");
    QTest::addColumn<double>("peakHeating");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("ownRate");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    // own outdoor capacity: 110 kW cooling, 96 kW heating
    QTest::newRow("cooling 55 kW") << 55.0 << 0.0 << 100.0 << 80.0 << 0.55 << 0.5;
    QTest::newRow("heating 48 kW") << 0.0 << 48.0 << 100.0 << 80.0 << -0.6 << -0.5;
    QTest::newRow("no load") << 0.0 << 0.0 << 100.0 << 80.0 << 0.0 << 0.0;
    QTest::newRow("cooling without peak load") << 55.0 << 0.0 << 0.0 << 80.0 << 0.0 << 0.0;
    QTest::newRow("heating without peak load") << 0.0 << 48.0 << 100.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("heating load not a number") << 0.0 << nan << 100.0 << 80.0 << nan << nan;
}

void TestCalHelper::reCalculatedRatios()
{
    QFETCH(double, coolingLoad);
    QFETCH(double, heatingLoad);
    QFETCH(double, peakCooling);
    QFETCH(double, peakHeating);
    QFETCH(double, ratio);
    QFETCH(double, ownRate);

    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setcooling_peak_load(peakCooling);
    project->setheating_peak_load(peakHeating);
    HHour* hour = project->getYear()->getHour(4, 10, 12);
    hour->setbuilding_load_cooling(coolingLoad);
    hour->setbuilding_load_heating(heatingLoad);
    hour->setOtherVRF_load_precent(0.25);

    HCalHelper::reCalculateLoadPrecent(hour);

    const auto compare = [](double actual, double expected) {
        if (std::isnan(expected))
            QVERIFY2(std::isnan(actual), qPrintable(QString::number(actual)));
        else
            BRIVANTA_COMPARE_NEAR(actual, expected, 1e-12);
    };
    compare(hour->Getload_precent(), ratio);
    compare(hour->GetOwnVRF_load_precent(), ownRate);
    QCOMPARE(hour->GetOtherVRF_load_precent(), 0.25);
    QVERIFY(!(hour->Getload_precent() == 0.0 && std::signbit(hour->Getload_precent())));
}

void TestCalHelper::inputLoadNotANumber()
{
    // A load that does not read as a number makes its hour's ratio not a number:
    // the hour draws no energy and is left out of the statistics.
    const QString path = writeProductDb(
        QStringLiteral("create table __temp_data (id integer primary key, load real)"),
        {QStringLiteral("nan"), 200000});
    QVERIFY(!path.isEmpty());
    HDbFind::setDbFileAndPwd(path, QString());
    buildStandardProject();
    HProject* project = HProject::getProject();
    setWeather([](int) { return 20.0; });
    QMap<QString, double> loads;
    QVERIFY(HCalHelper::findInputLoadData(loads));
    QVERIFY(std::isnan(loads.value(QStringLiteral("1"))));

    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    HHour* first = project->getYear()->first();
    QVERIFY(std::isnan(first->Getload_precent()));
    QVERIFY(std::isnan(first->GetOwnVRF_load_precent()));
    QCOMPARE(first->Getown_vrf_total_energy_consumption(), 0.0);
    const HVRF* own = project->getOwnVRFSys();
    QCOMPARE(QStringList({binsText(own->getStatResultCooling(), 'C'),
                          binsText(own->getStatResultHeating(), 'H')})
                 .join(QLatin1Char(' ')),
             QStringLiteral("C20:1 H20:8758"));
}

void TestCalHelper::adjustMode_data()
{
    QTest::addColumn<double>("ownPower");
    QTest::addColumn<double>("otherPower");
    QTest::addColumn<bool>("adjust");
    QTest::addColumn<double>("otherEnergy"); // other outdoor energy in a running hour, kWh

    QTest::newRow("12 vs 10 adjusted") << 12.0 << 10.0 << true << 12.01;
    QTest::newRow("12 vs 10 without adjust") << 12.0 << 10.0 << false << 10.0;
    QTest::newRow("own below other") << 8.0 << 10.0 << true << 10.0;
    QTest::newRow("other without energy") << 12.0 << 0.0 << true << 0.0;
}

void TestCalHelper::adjustMode()
{
    QFETCH(double, ownPower);
    QFETCH(double, otherPower);
    QFETCH(bool, adjust);
    QFETCH(double, otherEnergy);

    HProject* project = HProject::getProject();
    project->setcooling_peak_load(100.0);
    project->setheating_peak_load(80.0);
    HUnit* own = addLine(project->getOwnVRFSys(), {true, 1, 100.0, ownPower, 80.0, ownPower});
    setConstantCurves(own->getVRFProductPerformanceData(), 1.0, 1.0);
    addLine(project->getOtherVRFSys(), {true, 1, 100.0, otherPower, 80.0, otherPower});
    setConstantCurves(project->getOtherVRFSys()->getVRFProductPerformanceData(), 1.0, 1.0);
    setWeather([](int) { return 30.0; });

    QVERIFY(HCalHelper::calculateLoadAtHour(adjust));

    int runningHours = 0;
    for (HHour* hour : *project->getYear()) {
        const bool runs = hour->GetisTurnOnBySchedule();
        runningHours += runs;
        BRIVANTA_COMPARE_NEAR(hour->Getown_vrf_odu_energy_consumption(), runs ? ownPower : 0.0,
                              1e-12);
        BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_odu_energy_consumption(), runs ? otherEnergy : 0.0,
                              1e-12);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(runningHours, 261 * 9); // weekdays of 2015, 9:00 to 17:00
    double otherYear = 0.0;
    for (int m = 1; m <= 12; ++m)
        otherYear += project->getOtherVRFSys()->getMonthEnergyConsumption(m);
    BRIVANTA_COMPARE_NEAR(otherYear, runningHours * otherEnergy, 1e-9);

    // The correction factor is back to 1.0 after the run.
    HHour* hour = project->getYear()->getHour(1, 5, 10);
    QVERIFY(hour->GetisTurnOnBySchedule());
    HCalHelper::calclateEIRAndPower_other_vrf(hour);
    hour->statResult();
    BRIVANTA_COMPARE_NEAR(hour->Getother_vrf_odu_energy_consumption(), otherPower, 1e-12);
}

void TestCalHelper::adjustWholeYear()
{
    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setOperationWeeklyIsOn(6, true);
    setWeather(yearlyTemperature);

    struct HourFigures
    {
        double ownOdu, otherOdu;
        QVector<double> own, other; // EIR and energy of every record
    };
    const auto figures = [](const HHour* hour) {
        HourFigures f{hour->Getown_vrf_odu_energy_consumption(),
                      hour->Getother_vrf_odu_energy_consumption(),
                      {},
                      {}};
        QVector<HCalVRFUnitItem*> items;
        hour->getAllCalVRFUnitItemToOwnVRF(items);
        for (const HCalVRFUnitItem* item : items)
            f.own << item->Getunit_EIR() << item->Getunit_power_input();
        hour->getAllCalVRFUnitItemToOtherVRF(items);
        for (const HCalVRFUnitItem* item : items)
            f.other << item->Getunit_EIR() << item->Getunit_power_input();
        return f;
    };

    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    QVector<HourFigures> plain;
    for (const HHour* hour : *project->getYear())
        plain << figures(hour);
    const HVRF* own = project->getOwnVRFSys();
    const QString plainBins =
        binsText(own->getStatResultCooling(), 'C') + binsText(own->getStatResultHeating(), 'H');
    double plainOtherYear = 0.0;
    for (int m = 1; m <= 12; ++m)
        plainOtherYear += project->getOtherVRFSys()->getMonthEnergyConsumption(m);

    QVERIFY(HCalHelper::calculateLoadAtHour(true));
    int adjusted = 0, unadjusted = 0;
    double expectedOtherYear = 0.0;
    for (const HHour* hour : *project->getYear()) {
        const HourFigures& before = plain[hour->Gethour_order() - 1];
        const HourFigures after = figures(hour);
        QCOMPARE(after.own, before.own);
        QCOMPARE(after.ownOdu, before.ownOdu);
        const bool adjust = before.ownOdu > before.otherOdu && before.otherOdu > 0.0;
        (adjust ? adjusted : unadjusted) += before.otherOdu > 0.0;
        const double factor = adjust ? before.ownOdu / before.otherOdu + 0.001 : 1.0;
        // Outdoor line then indoor line of the other system: only the outdoor EIR changes.
        QCOMPARE(after.other.size(), 4);
        BRIVANTA_COMPARE_NEAR(after.other[0], before.other[0] * factor, 1e-12);
        BRIVANTA_COMPARE_NEAR(after.other[1], before.other[1] * factor, 1e-9);
        QCOMPARE(after.other.mid(2), before.other.mid(2));
        BRIVANTA_COMPARE_NEAR(after.otherOdu, before.otherOdu * factor, 1e-9);
        if (adjust)
            BRIVANTA_COMPARE_NEAR(after.otherOdu, before.ownOdu + 0.001 * before.otherOdu, 1e-9);
        expectedOtherYear += hour->Getother_vrf_total_energy_consumption();
        if (QTest::currentTestFailed()) {
            qWarning() << "hour" << hour->Gethour_order();
            return;
        }
    }
    QVERIFY(adjusted > 100);
    QVERIFY(unadjusted > 100);
    double otherYear = 0.0;
    for (int m = 1; m <= 12; ++m)
        otherYear += project->getOtherVRFSys()->getMonthEnergyConsumption(m);
    BRIVANTA_COMPARE_NEAR(otherYear, expectedOtherYear, 1e-6);
    QVERIFY(otherYear > plainOtherYear);
    // The own statistics do not change with the other system's correction.
    QCOMPARE(binsText(own->getStatResultCooling(), 'C')
                 + binsText(own->getStatResultHeating(), 'H'),
             plainBins);
}

void TestCalHelper::emptySystems()
{
    HProject* project = HProject::getProject();
    project->setcooling_peak_load(100.0);
    project->setheating_peak_load(80.0);
    setWeather([](int order) { return order % 2 ? 30.0 : 0.0; });

    QVERIFY(HCalHelper::calculateLoadAtHour(true));
    for (const HHour* hour : *project->getYear()) {
        const bool cooling = hour->Gethour_order() % 2;
        BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_cooling(), cooling ? 110.526315789 : 0.0,
                              1e-6);
        BRIVANTA_COMPARE_NEAR(hour->Getbuilding_load_heating(), cooling ? 0.0 : 49.230769231, 1e-6);
        QCOMPARE(hour->GetOwnVRF_load_precent(), 0.0);
        QCOMPARE(hour->GetOtherVRF_load_precent(), 0.0);
        QCOMPARE(hour->Getown_vrf_total_energy_consumption(), 0.0);
        QCOMPARE(hour->Getother_vrf_total_energy_consumption(), 0.0);
        QVector<HCalVRFUnitItem*> items;
        hour->getAllCalVRFUnitItemToOwnVRF(items);
        QVERIFY(items.isEmpty());
        hour->getAllCalVRFUnitItemToOtherVRF(items);
        QVERIFY(items.isEmpty());
        if (QTest::currentTestFailed())
            return;
    }
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(project->getOwnVRFSys()->getMonthEnergyConsumption(m), 0.0);
        QCOMPARE(project->getOtherVRFSys()->getMonthEnergyConsumption(m), 0.0);
    }
    const HVRF* own = project->getOwnVRFSys();
    QCOMPARE(binsText(own->getStatResultCooling(), 'C') + ' '
                 + binsText(own->getStatResultHeating(), 'H'),
             QStringLiteral("C30:4380 H0:4380"));
}

void TestCalHelper::wholeYear_data()
{
    QTest::addColumn<bool>("thermoMode");
    QTest::addColumn<bool>("holidays");

    QTest::newRow("default schedule") << false << false;
    QTest::newRow("thermo mode and holidays") << true << true;
}

void TestCalHelper::wholeYear()
{
    QFETCH(bool, thermoMode);
    QFETCH(bool, holidays);

    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setthermo_mode(thermoMode);
    project->setOperationWeeklyIsOn(6, true);
    if (holidays) {
        project->getYear()->getMonth(5)->getDay(1)->setisHoliday(true);
        project->getYear()->getMonth(10)->getDay(1)->setisHoliday(true);
    }
    setWeather(yearlyTemperature);

    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    // Every hour as the rules give it, Monday to Saturday.
    compareWithRules({1, 2, 3, 4, 5, 6},
                     holidays ? QSet<QDate>{QDate(2015, 5, 1), QDate(2015, 10, 1)} : QSet<QDate>{});
    if (QTest::currentTestFailed())
        return;
    const QVector<double> fast = hourlySnapshot();
    const QString bins = binsText(project->getOwnVRFSys()->getStatResultCooling(), 'C')
        + binsText(project->getOwnVRFSys()->getStatResultHeating(), 'H');

    // Identical, figure for figure, to the year computed step by step.
    calculateStepByStep();
    const QVector<double> reference = hourlySnapshot();
    QCOMPARE(fast.size(), reference.size());
    QCOMPARE(fast.size(), 8760 * (11 + 2 * 4 + 2 * 2));
    for (int i = 0; i < fast.size(); ++i)
        if (fast[i] != reference[i])
            QFAIL(qPrintable(QStringLiteral("value %1 differs: %2 vs %3")
                                 .arg(i)
                                 .arg(fast[i], 0, 'g', 17)
                                 .arg(reference[i], 0, 'g', 17)));
    QCOMPARE(binsText(project->getOwnVRFSys()->getStatResultCooling(), 'C')
                 + binsText(project->getOwnVRFSys()->getStatResultHeating(), 'H'),
             bins);

    // Monthly sums and statistics agree with the hours.
    int coolingHours = 0, heatingHours = 0;
    double coolingOdu = 0.0, heatingIdu = 0.0, ownYear = 0.0, otherYear = 0.0;
    for (int m = 1; m <= 12; ++m) {
        double own = 0.0, other = 0.0;
        for (HDay* day : *project->getYear()->getMonth(m))
            for (int h = 0; h < 24; ++h) {
                HHour* hour = day->getHour(h);
                own += hour->Getown_vrf_total_energy_consumption();
                other += hour->Getother_vrf_total_energy_consumption();
                if (hour->Getload_precent() > 0) {
                    ++coolingHours;
                    coolingOdu += hour->Getown_vrf_odu_energy_consumption();
                } else {
                    ++heatingHours;
                    heatingIdu += hour->Getown_vrf_idu_energy_consumption();
                }
                if (!hour->GetisTurnOnBySchedule() || !hour->GetisThermostatMode())
                    QCOMPARE(hour->Getown_vrf_total_energy_consumption(), 0.0);
            }
        BRIVANTA_COMPARE_NEAR(project->getOwnVRFSys()->getMonthEnergyConsumption(m), own, 1e-10);
        BRIVANTA_COMPARE_NEAR(project->getOtherVRFSys()->getMonthEnergyConsumption(m), other,
                              1e-10);
        ownYear += own;
        otherYear += other;
    }
    QVERIFY(ownYear > 0.0);
    QVERIFY(otherYear > 0.0);
    QVERIFY(coolingHours > 1000);
    QVERIFY(heatingHours > 1000);

    int binCooling = 0, binHeating = 0;
    double binCoolingOdu = 0.0, binHeatingIdu = 0.0;
    for (const HStatItem* item : *project->getOwnVRFSys()->getStatResultCooling()) {
        QVERIFY(item->Gethours() > 0);
        binCooling += item->Gethours();
        binCoolingOdu += item->Getodu_energy_consumption();
        BRIVANTA_COMPARE_NEAR(item->Gettotal_energy_consumption(),
                              item->Getodu_energy_consumption() + item->Getidu_energy_consumption(),
                              1e-12);
    }
    for (const HStatItem* item : *project->getOwnVRFSys()->getStatResultHeating()) {
        QVERIFY(item->Gethours() > 0);
        binHeating += item->Gethours();
        binHeatingIdu += item->Getidu_energy_consumption();
    }
    QCOMPARE(binCooling, coolingHours);
    QCOMPARE(binHeating, heatingHours);
    BRIVANTA_COMPARE_NEAR(binCoolingOdu, coolingOdu, 1e-9);
    BRIVANTA_COMPARE_NEAR(binHeatingIdu, heatingIdu, 1e-9);
    // The other system's statistics keep their 15 empty load bins.
    QCOMPARE(project->getOtherVRFSys()->getStatResultCooling()->size(), 15);
    for (const HStatResult* result : {project->getOtherVRFSys()->getStatResultCooling(),
                                      project->getOtherVRFSys()->getStatResultHeating()}) {
        QCOMPARE(result->size(), 15);
        for (int i = 0; i < result->size(); ++i) {
            BRIVANTA_COMPARE_NEAR(result->at(i)->Getload_precent(), (i + 1) * 0.1, 1e-12);
            QCOMPARE(result->at(i)->Gethours(), 0);
        }
    }
}

void TestCalHelper::repeatedRunFollowsUnitChanges()
{
    buildStandardProject();
    HProject* project = HProject::getProject();
    setWeather(yearlyTemperature);
    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    const QVector<double> first = hourlySnapshot();
    const HHour* probe = project->getYear()->at(4000);
    QVector<HCalVRFUnitItem*> held;
    probe->getAllCalVRFUnitItemToOwnVRF(held);
    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    QCOMPARE(hourlySnapshot(), first);
    // The same lines: the record objects handed out before are still the records.
    QVector<HCalVRFUnitItem*> now;
    probe->getAllCalVRFUnitItemToOwnVRF(now);
    QCOMPARE(now, held);

    // A new line and a removed line: every hour's records follow the lists.
    HVRF* own = project->getOwnVRFSys();
    HUnit* extra = addLine(own, {true, 1, 14.0, 3.5, 16.0, 3.6});
    own->deleteUnit(m_oduB);
    m_oduB = nullptr;
    QVERIFY(HCalHelper::calculateLoadAtHour(false));
    QVector<HUnit*> expected;
    own->getAllOutoorUnits(expected);
    own->getAllIndoorUnits(expected);
    QCOMPARE(expected.size(), 4);
    QCOMPARE(expected[1], extra);
    for (HHour* hour : *project->getYear()) {
        QVector<HCalVRFUnitItem*> items;
        hour->getAllCalVRFUnitItemToOwnVRF(items);
        QCOMPARE(items.size(), expected.size());
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(items[i]->getUnit(), expected[i]);
    }
    // The figures follow the new lines (the new one on the default curves).
    compareWithRules({1, 2, 3, 4, 5}, {});
}

void TestCalHelper::statistics_data()
{
    QTest::addColumn<double>("early"); // temperature of hours 1 .. split - 1
    QTest::addColumn<double>("late");  // temperature of hours split .. 8760
    QTest::addColumn<int>("split");
    QTest::addColumn<QString>("bins");

    QTest::newRow("dead band hours count as heating") << 16.05 << 16.05 << 1 << "H17:8760";
    QTest::newRow("bin upper bound included") << 20.0 << 20.5 << 8000 << "C20:7999 C21:761";
    QTest::newRow("below -50 and above 80") << -60.0 << 80.5 << 4381 << "H-50:4380";
    QTest::newRow("exactly -50 has no bin") << -50.0 << -49.5 << 4381 << "H-49:4380";
    QTest::newRow("only bins 11 to 30 within (10, 30]")
        << 10.01 << 30.0 << 4381 << "C30:4380 H11:4380";
    QTest::newRow("bin keeps the ratio of its last hour") << 20.2 << 20.9 << 5000 << "C21:8760";
}

void TestCalHelper::statistics()
{
    QFETCH(double, early);
    QFETCH(double, late);
    QFETCH(int, split);
    QFETCH(QString, bins);

    buildStandardProject();
    HProject* project = HProject::getProject();
    setWeather([=](int order) { return order < split ? early : late; });
    QVERIFY(HCalHelper::calculateLoadAtHour(false));

    const HVRF* own = project->getOwnVRFSys();
    const QString text = QStringList{binsText(own->getStatResultCooling(), 'C'),
                                     binsText(own->getStatResultHeating(), 'H')}
                             .join(QLatin1Char(' '))
                             .trimmed();
    QCOMPARE(text, bins);

    // Each bin keeps the ratio of the last hour put into it.
    HHour* last = project->getYear()->last();
    const double p = last->Getload_precent();
    HStatResult* result = p > 0 ? own->getStatResultCooling() : own->getStatResultHeating();
    HStatItem* bin = result->getItemByTemp(last->Getdry_bulb_temperature());
    if (!bin)
        return; // the last hour has no bin in this row
    QCOMPARE(bin->Getload_precent(), p);
    const double load = p > 0 ? p * 100.0 : -p * 80.0;
    BRIVANTA_COMPARE_NEAR(bin->Getbuilding_load(), load, 1e-12);
    BRIVANTA_COMPARE_NEAR(bin->Gettotal_load(), bin->Gethours() * load, 1e-12);
    QCOMPARE(bin->Getgas_consumption(), 0.0);
}

void TestCalHelper::curveTables_data()
{
    QTest::addColumn<bool>("heating");
    QTest::addColumn<bool>("withOutdoorUnits");
    QTest::addColumn<QString>("halfLoadLine");

    // own lines: constant 1.0 and 0.5 (cooling), 0.8 and 0.6 (heating), quantities 1 and 5;
    // other: the default curves (0.45 and 0.55 at half load)
    QTest::newRow("EIR") << false << true << "        50\t        75\t        45";
    QTest::newRow("COP") << true << true << "        50\t        70\t        55";
    QTest::newRow("EIR without outdoor units")
        << false << false << "        50\t         0\t        45";
}

void TestCalHelper::curveTables()
{
    QFETCH(bool, heating);
    QFETCH(bool, withOutdoorUnits);
    QFETCH(QString, halfLoadLine);

    HProject* project = HProject::getProject();
    if (withOutdoorUnits) {
        HUnit* a = addLine(project->getOwnVRFSys(), {true, 1, 20.0, 5.0, 22.0, 5.0});
        setConstantCurves(a->getVRFProductPerformanceData(), 1.0, 0.8);
        HUnit* b = addLine(project->getOwnVRFSys(), {true, 5, 20.0, 5.0, 22.0, 5.0});
        setConstantCurves(b->getVRFProductPerformanceData(), 0.5, 0.6);
    }
    addLine(project->getOwnVRFSys(), {false, 3, 2.0, 0.1, 2.2, 0.1});

    const QString table = heating ? HCalHelper::calCOPTest() : HCalHelper::calEIRTest();
    QVERIFY(!table.endsWith(QLatin1Char('\n')));
    const QStringList lines = table.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 13);
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 3);
        for (const QString& field : fields)
            QCOMPARE(field.size(), 10);
        QCOMPARE(fields[0], QString::number(i * 10).rightJustified(10));
        const double x = fields[0].toDouble() / 100.0;
        const double other =
            heating ? HCalHelper::calCOPTestForOtherVRF(x) : HCalHelper::calEIRTestForOtherVRF(x);
        BRIVANTA_COMPARE_NEAR(other, defaultCurve(!heating, x), 1e-12);
    }
    QCOMPARE(lines[5], halfLoadLine);
}

// Every record, hourly sum and monthly sum of a year, bit for bit, against the
// records worked out here from the units, their curves and the hours' rates:
// EIR from the points' spline, energy = EIR x rated power x quantity while the
// plant runs, sums of the positive energies in record order.
void TestCalHelper::yearEqualsRecordsFromTheCurves()
{
    buildStandardProject();
    HProject* project = HProject::getProject();
    project->setthermo_mode(true);
    project->setOperationWeeklyIsOn(6, true);
    project->getYear()->getMonth(5)->getDay(1)->setisHoliday(true);
    setWeather(yearlyTemperature);
    QVERIFY(HCalHelper::calculateLoadAtHour(false));

    struct Line
    {
        bool odu;
        int quantity;
        double powC, powH;
        std::function<double(double rate)> eir; // outdoor lines
    };
    const auto productEIR = [](const Points& cooling, const Points& heating, double powC,
                               double powH) {
        return [=](double r) {
            return r > 0 ? productCurve(cooling, powC, r) : productCurve(heating, powH, r);
        };
    };
    const auto otherEIR = [](double r) {
        return defaultCurve(r > 0, r);
    };
    const QVector<Line> ownLines = {
        {true, 1, 15.0, 12.0, productEIR(kOduACooling, kOduAHeating, 15.0, 12.0)},
        {true, 2, 6.5, 5.5, productEIR(kOduBCooling, kOduBHeating, 6.5, 5.5)},
        {false, 4, 0.05, 0.06, nullptr},
        {false, 2, 0.1, 0.11, nullptr}};
    const QVector<Line> otherLines = {{true, 2, 16.0, 13.0, otherEIR},
                                      {false, 6, 0.07, 0.08, nullptr}};

    struct Sums
    {
        double odu = 0, idu = 0, all = 0;
    };
    // Checks one system's records of an hour and returns their sums.
    const auto check = [](const HHour* hour, const QVector<Line>& lines, double r, bool own,
                          Sums& sums) {
        const bool on = hour->GetisTurnOnBySchedule() && hour->GetisThermostatMode();
        QVector<HCalVRFUnitItem*> items;
        if (own)
            hour->getAllCalVRFUnitItemToOwnVRF(items);
        else
            hour->getAllCalVRFUnitItemToOtherVRF(items);
        if (items.size() != lines.size())
            return false;
        for (int i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            const bool load = r > 0 || r < 0;
            const double eir = line.odu ? (load ? line.eir(r) : 0.0) : 1.0;
            const double power = r > 0 ? line.powC : line.powH;
            const double energy = on && load ? eir * power * line.quantity : 0.0;
            if (items[i]->Getunit_EIR() != eir || items[i]->Getunit_power_input() != energy)
                return false;
            if (energy > 0) {
                (line.odu ? sums.odu : sums.idu) += energy;
                sums.all += energy;
            }
        }
        return true;
    };

    int loadedHours = 0;
    for (int m = 1; m <= 12; ++m) {
        double ownMonth = 0.0, otherMonth = 0.0; // the days' sums of their hours' sums
        for (const HDay* day : *project->getYear()->getMonth(m)) {
            double ownDay = 0.0, otherDay = 0.0;
            for (int h = 0; h < 24; ++h) {
                const HHour* hour = day->getHour(h);
                Sums own, other;
                QVERIFY2(check(hour, ownLines, hour->GetOwnVRF_load_precent(), true, own),
                         qPrintable(
                             QStringLiteral("own records of hour %1").arg(hour->Gethour_order())));
                QVERIFY2(
                    check(hour, otherLines, hour->GetOtherVRF_load_precent(), false, other),
                    qPrintable(
                        QStringLiteral("other records of hour %1").arg(hour->Gethour_order())));
                QVERIFY(hour->Getown_vrf_odu_energy_consumption() == own.odu);
                QVERIFY(hour->Getown_vrf_idu_energy_consumption() == own.idu);
                QVERIFY(hour->Getown_vrf_total_energy_consumption() == own.odu + own.idu);
                QVERIFY(hour->Getother_vrf_odu_energy_consumption() == other.odu);
                QVERIFY(hour->Getother_vrf_idu_energy_consumption() == other.idu);
                QVERIFY(hour->Getother_vrf_total_energy_consumption() == other.odu + other.idu);
                ownDay += own.all;
                otherDay += other.all;
                loadedHours += own.all > 0;
            }
            ownMonth += ownDay;
            otherMonth += otherDay;
        }
        QVERIFY(project->getOwnVRFSys()->getMonthEnergyConsumption(m) == ownMonth);
        QVERIFY(project->getOtherVRFSys()->getMonthEnergyConsumption(m) == otherMonth);
    }
    QVERIFY(loadedHours > 2000);
}

QTEST_GUILESS_MAIN(TestCalHelper)
#include "tst_calhelper.moc"
