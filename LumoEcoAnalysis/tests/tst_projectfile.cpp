#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HDay.h"
#include "HDbFind.h"
#include "HHour.h"
#include "HJsonFunc.h"
#include "HMonth.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"
#include "tst_project_fixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

HUnit* makeUnit(bool odu, const QString& type, const QString& code, int quantity)
{
    auto* unit = new HUnit;
    unit->setis_odu(odu);
    unit->setunit_type(type);
    unit->setunit_productcode(code);
    unit->setquantity(quantity);
    return unit;
}

// A fresh project in calendar year 2015 with one own unit and hour 8 switched on.
HProject* presetProject()
{
    HProject::reset();
    HYear::year = 2015;
    HProject* p = HProject::getProject();
    p->setname("Keep");
    p->getOwnVRFSys()->append(makeUnit(true, "Preset", "P-1", 1));
    p->setOperationDailyIsOn(8, true);
    return p;
}

using brivanta::test::writeFile;

// Member by member and element by element, so that a difference names its place.
void compareJson(const QJsonValue& actual, const QJsonValue& expected, const QString& at = "")
{
    if (actual.isObject() && expected.isObject()) {
        const QJsonObject a = actual.toObject(), e = expected.toObject();
        QStringList keys = a.keys() + e.keys();
        keys.removeDuplicates();
        for (const QString& key : qAsConst(keys)) {
            compareJson(a.value(key), e.value(key), at + '.' + key);
            if (QTest::currentTestFailed())
                return;
        }
    } else if (actual.isArray() && expected.isArray()) {
        const QJsonArray a = actual.toArray(), e = expected.toArray();
        QVERIFY2(a.size() == e.size(), qPrintable(at + " has another length"));
        for (int i = 0; i < a.size(); ++i) {
            compareJson(a.at(i), e.at(i), QStringLiteral("%1[%2]").arg(at).arg(i));
            if (QTest::currentTestFailed())
                return;
        }
    } else {
        const auto text = [](const QJsonValue& v) {
            return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
        };
        QVERIFY2(actual == expected,
                 qPrintable(
                     QStringLiteral("%1: %2, expected %3").arg(at, text(actual), text(expected))));
    }
}

QJsonObject ownUnitJson(bool odu, int series, const char* category, const char* model,
                        double quantity)
{
    return QJsonObject{{"is_odu", odu},
                       {"id_series", series},
                       {"unit_type", category},
                       {"unit_productcode", model},
                       {"quantity", quantity}};
}

// A project file with every value in order: reading it notices nothing.
QJsonObject completeProject()
{
    const QJsonObject otherOdu{{"is_odu", true},
                               {"unit_type", "ODU"},
                               {"id_series", 0},
                               {"unit_productcode", "X-56"},
                               {"quantity", 1},
                               {"total_capacity_cooling", 56.0},
                               {"power_input_cooling", 15.0},
                               {"total_capacity_heating", 63.0},
                               {"power_input_heating", 16.0},
                               {"price_ea", 9000.0}};
    return QJsonObject{
        {"name", "Complete"},
        {"date", "2024-01-02"},
        {"build_area", 1000.0},
        {"build_height", 3.0},
        {"number_floors", 2},
        {"cooling_peak_load", 60.0},
        {"heating_peak_load", 60.0},
        {"country", "France"},
        {"city", "Paris"},
        {"electricity_price", 0.2},
        {"gas_price", 0.1},
        {"thermo_mode", false},
        {"Unit_Load", 1},
        {"operation_map",
         QJsonObject{{"daily", QJsonObject{{"8", true}}},
                     {"week", QJsonObject{{"1", true}}},
                     {"month", QJsonObject{{"1", true}}}}},
        {"own_vrf",
         QJsonObject{{"unit_group",
                      QJsonArray{ownUnitJson(true, 7, "VX test", "T-ODU100", 2),
                                 ownUnitJson(false, 20, "Cassette", "T-CF28", 10)}}}},
        {"other_vrf", QJsonObject{{"unit_group", QJsonArray{otherOdu}}}},
        {"holiday", QJsonObject{{"1", true}}},
    };
}

using Getter = std::function<QVariant(HProject*)>;

QVariant firstUnit(HVRF* sys, const std::function<QVariant(HUnit*)>& get)
{
    return sys->isEmpty() ? QVariant(QStringLiteral("no unit")) : get(sys->first());
}

const QMap<QString, Getter>& getters()
{
    static const QMap<QString, Getter> map{
        {"name",
         [](HProject* p) {
             return QVariant(p->Getname());
         }},
        {"build_area",
         [](HProject* p) {
             return QVariant(p->Getbuild_area());
         }},
        {"number_floors",
         [](HProject* p) {
             return QVariant(p->Getnumber_floors());
         }},
        {"thermo_mode",
         [](HProject* p) {
             return QVariant(p->Getthermo_mode());
         }},
        {"date",
         [](HProject* p) {
             return QVariant(p->Getdate());
         }},
        {"date valid",
         [](HProject* p) {
             return QVariant(p->Getdate().isValid());
         }},
        {"service load unit",
         [](HProject*) {
             return QVariant(CUnitFun::GetUnitLoad());
         }},
        {"service temperature unit",
         [](HProject*) {
             return QVariant(CUnitFun::GetUnitTemp());
         }},
        {"daily 8",
         [](HProject* p) {
             return QVariant(p->getOperationDailyIsOn(8));
         }},
        {"weekly 1",
         [](HProject* p) {
             return QVariant(p->getOperationWeeklyIsOn(1));
         }},
        {"own count",
         [](HProject* p) {
             return QVariant(p->getOwnVRFSys()->size());
         }},
        {"own code 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(),
                              [](HUnit* u) { return QVariant(u->Getunit_productcode()); });
         }},
        {"own cooling 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(),
                              [](HUnit* u) { return QVariant(u->Gettotal_capacity_cooling()); });
         }},
        {"own input cooling 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(),
                              [](HUnit* u) { return QVariant(u->Getpower_input_cooling()); });
         }},
        {"own price 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(),
                              [](HUnit* u) { return QVariant(u->Getprice_ea()); });
         }},
        {"own quantity 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(),
                              [](HUnit* u) { return QVariant(u->Getquantity()); });
         }},
        {"own is_odu 0",
         [](HProject* p) {
             return firstUnit(p->getOwnVRFSys(), [](HUnit* u) { return QVariant(u->Getis_odu()); });
         }},
        {"other count",
         [](HProject* p) {
             return QVariant(p->getOtherVRFSys()->size());
         }},
        {"other quantity 0",
         [](HProject* p) {
             return firstUnit(p->getOtherVRFSys(),
                              [](HUnit* u) { return QVariant(u->Getquantity()); });
         }},
        {"holiday 1 Jan",
         [](HProject* p) {
             return QVariant(p->getYear()->getMonth(1)->getDay(1)->GetisHoliday());
         }},
    };
    return map;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void roundTrip();
    void writtenLayout();
    void holidayKeys_data();
    void holidayKeys();
    void readingRules_data();
    void readingRules();
    void readingNotices_data();
    void readingNotices();
    void valuesOutOfRangeAreKept_data();
    void valuesOutOfRangeAreKept();
    void unreadableFileIsReported_data();
    void unreadableFileIsReported();
    void failedSaveIsReported();
    void openPreparesTheProject();
    void openStartsANewProjectOnTheInitialYear();
    void otherCurvesTravelWithTheFile();
    void otherCurvesMissingFromTheFile_data();
    void otherCurvesMissingFromTheFile();

private:
    QTemporaryDir m_dir;
};

void TestProjectFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    QVERIFY(projectfixture::createProductDb(m_dir.filePath("Product.mdb")));
}

void TestProjectFile::cleanupTestCase()
{
    HProject::reset();
    HDbFind::close();
    HAppPaths::setApplicationDir(QString());
}

void TestProjectFile::init()
{
    presetProject();
}

void TestProjectFile::roundTrip()
{
    HProject* p = HProject::getProject();
    p->setname("Round trip");
    p->setdate(QDate(2024, 2, 29));
    p->setbuild_area(1234.5);
    p->setbuild_height(33.25);
    p->setnumber_floors(7);
    p->setcooling_peak_load(111.5);
    p->setheating_peak_load(99.25);
    p->setcountry("France");
    p->setcity("Paris");
    p->setisHave8760WeatherData(true);
    p->setmax_temp(35.5);
    p->setmin_temp(-7.25);
    p->setaverage_temp(31.75);
    p->setindoor_cooling_temperature(24.5);
    p->setindoor_heating_temperature(19.5);
    p->setthermo_mode(true);
    p->setelectricity_price(0.215);
    p->setgas_price(1.75);
    p->setUnit_Load(4);
    p->setUnit_Temperature(2);
    p->setUnit_Length(2);
    p->setUnit_AirFlowRate(3);
    for (int h = 0; h < 24; ++h)
        p->setOperationDailyIsOn(h, h % 3 == 0);
    for (int d = 1; d <= 7; ++d)
        p->setOperationWeeklyIsOn(d, d <= 5);
    for (int m = 1; m <= 12; ++m)
        p->setOperationMonthlyIsOn(m, m != 8);
    p->getYear()->getMonth(12)->getDay(25)->setisHoliday(true);
    p->getYear()->getMonth(2)->getDay(28)->setisHoliday(true);

    HVRF* own = p->getOwnVRFSys();
    own->reset();
    HUnit* odu = makeUnit(true, "VX test", "Test ODU 28", 2);
    odu->settotal_capacity_cooling(999.0); // not read back: the database decides
    odu->setprice_ea(5000.0);
    own->append(odu);
    own->append(makeUnit(false, "Cassette", "T-CF28", 12));
    own->append(makeUnit(false, "Cassette", "T-CF28", 0)); // dropped on reading

    HVRF* other = p->getOtherVRFSys();
    other->reset();
    HUnit* otherOdu = makeUnit(true, "Outdoor", "X-200", 3);
    otherOdu->setid_series(4);
    otherOdu->settotal_capacity_cooling(50.5);
    otherOdu->setpower_input_cooling(14.25);
    otherOdu->settotal_capacity_heating(56.0);
    otherOdu->setpower_input_heating(15.5);
    otherOdu->setprice_ea(12345.0);
    other->append(otherOdu);
    HUnit* otherIdu = makeUnit(false, "Wall", "X-W22", 0); // kept whatever the quantity
    otherIdu->setpower_input_cooling(0.03);
    other->append(otherIdu);

    const QString path = m_dir.filePath("roundtrip.ee");
    QString error;
    QVERIFY2(saveProjectFile(path, &error), qPrintable(error));
    QCOMPARE(p->GetfilePath(), path);

    // The document as written, every value as set above.
    QJsonObject daily, week, month, holiday;
    for (int h = 0; h < 24; ++h)
        daily.insert(QString::number(h), h % 3 == 0);
    for (int d = 1; d <= 7; ++d)
        week.insert(QString::number(d), d <= 5);
    for (int m = 1; m <= 12; ++m)
        month.insert(QString::number(m), m != 8);
    for (int d = 1; d <= 365; ++d) // days of 2015: 28 February is 59, 25 December 359
        holiday.insert(QString::number(d), d == 59 || d == 359);
    QJsonObject expected = QJsonDocument::fromJson(R"({
        "name": "Round trip", "date": "2024-02-29", "build_area": 1234.5, "build_height": 33.25,
        "number_floors": 7, "cooling_peak_load": 111.5, "heating_peak_load": 99.25,
        "country": "France", "city": "Paris", "is_have_8760_weather_data": true,
        "max_temp": 35.5, "min_temp": -7.25, "average_temp": 31.75,
        "indoor_cooling_temperature": 24.5, "indoor_heating_temperature": 19.5,
        "thermo_mode": true, "electricity_price": 0.215, "gas_price": 1.75,
        "Unit_Load": 4, "Unit_Temperature": 2, "Unit_Length": 2, "Unit_AirFlowRate": 3,
        "own_vrf": {"unit_group": [
            {"is_odu": true, "unit_type": "VX test", "id_series": -1,
             "unit_productcode": "Test ODU 28", "quantity": 2, "total_capacity_cooling": 999,
             "power_input_cooling": 0, "total_capacity_heating": 0, "power_input_heating": 0,
             "price_ea": 5000},
            {"is_odu": false, "unit_type": "Cassette", "id_series": -1,
             "unit_productcode": "T-CF28", "quantity": 12, "total_capacity_cooling": 0,
             "power_input_cooling": 0, "total_capacity_heating": 0, "power_input_heating": 0,
             "price_ea": 0},
            {"is_odu": false, "unit_type": "Cassette", "id_series": -1,
             "unit_productcode": "T-CF28", "quantity": 0, "total_capacity_cooling": 0,
             "power_input_cooling": 0, "total_capacity_heating": 0, "power_input_heating": 0,
             "price_ea": 0}]},
        "other_vrf": {"unit_group": [
            {"is_odu": true, "unit_type": "Outdoor", "id_series": 4, "unit_productcode": "X-200",
             "quantity": 3, "total_capacity_cooling": 50.5, "power_input_cooling": 14.25,
             "total_capacity_heating": 56, "power_input_heating": 15.5, "price_ea": 12345},
            {"is_odu": false, "unit_type": "Wall", "id_series": -1, "unit_productcode": "X-W22",
             "quantity": 0, "total_capacity_cooling": 0, "power_input_cooling": 0.03,
             "total_capacity_heating": 0, "power_input_heating": 0, "price_ea": 0}]}
        })")
                               .object();
    QVERIFY(!expected.isEmpty());
    // The other system's part-load points: the default curves, as the project has them.
    QJsonObject otherJson = expected.value("other_vrf").toObject();
    otherJson.insert("performance_data",
                     QJsonDocument::fromJson(R"({
        "cooling": [
            {"outdoor_air_temperature": 21, "combination_rate": 0.25, "electricity_input_ratio": 0.3},
            {"outdoor_air_temperature": 26, "combination_rate": 0.5, "electricity_input_ratio": 0.45},
            {"outdoor_air_temperature": 30, "combination_rate": 0.75, "electricity_input_ratio": 0.7},
            {"outdoor_air_temperature": 35, "combination_rate": 1, "electricity_input_ratio": 1}],
        "heating": [
            {"outdoor_air_temperature": 6, "combination_rate": 0.25, "electricity_input_ratio": 0.35},
            {"outdoor_air_temperature": 3, "combination_rate": 0.5, "electricity_input_ratio": 0.55},
            {"outdoor_air_temperature": -4, "combination_rate": 0.75, "electricity_input_ratio": 0.74},
            {"outdoor_air_temperature": -10, "combination_rate": 1, "electricity_input_ratio": 1}]
        })")
                         .object());
    expected.insert("other_vrf", otherJson);
    expected.insert("operation_map",
                    QJsonObject{{"daily", daily}, {"week", week}, {"month", month}});
    expected.insert("holiday", holiday);
    QJsonDocument written;
    QVERIFY(HJsonFunc::readFileToJsonDoc(path, written));
    compareJson(written.object(), expected);
    if (QTest::currentTestFailed())
        return;

    presetProject();
    QVERIFY2(loadProjectFile(path, &error), qPrintable(error));
    HProject* q = HProject::getProject();
    QCOMPARE(q->GetfilePath(), QString()); // the loader sets no file path
    QCOMPARE(CUnitFun::GetUnitLoad(), 4);
    QCOMPARE(CUnitFun::GetUnitTemp(), 2);
    QCOMPARE(CUnitFun::GetUnitLength(), 2);
    QCOMPARE(CUnitFun::GetUnitAirFlowRate(), 3);
    // The loaded project writes the same document, but for its own units: the line
    // with quantity 0 is dropped and the others are completed from the product
    // database (the fixture's T-ODU100 and T-CF28, indoor power from W to kW), at price 0.
    expected.insert("own_vrf",
                    QJsonDocument::fromJson(R"({"unit_group": [
            {"is_odu": true, "unit_type": "VX test", "id_series": 7,
             "unit_productcode": "Test ODU 28", "quantity": 2, "total_capacity_cooling": 28,
             "power_input_cooling": 7, "total_capacity_heating": 31.5, "power_input_heating": 7.5,
             "price_ea": 0},
            {"is_odu": false, "unit_type": "Cassette", "id_series": 20,
             "unit_productcode": "T-CF28", "quantity": 12, "total_capacity_cooling": 2.8,
             "power_input_cooling": 0.045, "total_capacity_heating": 3.2,
             "power_input_heating": 0.05, "price_ea": 0}]})")
                        .object());
    compareJson(HProjectFile::toJson(q), expected);
    QCOMPARE(q->getOwnVRFSys()->at(0)->Getunit_model(), QString("Test ODU 28"));
    QVERIFY(!q->getOwnVRFSys()->at(0)->GetjsonArrayData_c().isEmpty());
}

void TestProjectFile::writtenLayout()
{
    HProject::getProject()->setdate(QDate(2015, 3, 7));
    const QString path = m_dir.filePath("layout.ee");
    QVERIFY(saveProjectFile(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.contains("\n    \""), "written as indented JSON");
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    const QStringList keys{"name",
                           "date",
                           "build_area",
                           "build_height",
                           "number_floors",
                           "cooling_peak_load",
                           "heating_peak_load",
                           "country",
                           "city",
                           "is_have_8760_weather_data",
                           "max_temp",
                           "min_temp",
                           "average_temp",
                           "indoor_cooling_temperature",
                           "indoor_heating_temperature",
                           "thermo_mode",
                           "electricity_price",
                           "gas_price",
                           "Unit_Load",
                           "Unit_Temperature",
                           "Unit_Length",
                           "Unit_AirFlowRate",
                           "operation_map",
                           "own_vrf",
                           "other_vrf",
                           "holiday"};
    QStringList actual = root.keys();
    QStringList wanted = keys;
    actual.sort();
    wanted.sort();
    QCOMPARE(actual, wanted);
    const QJsonObject op = root.value("operation_map").toObject();
    QCOMPARE(op.value("daily").toObject().size(), 24);
    QCOMPARE(op.value("week").toObject().size(), 7);
    QCOMPARE(op.value("month").toObject().size(), 12);
    QCOMPARE(op.value("daily").toObject().value("8").toBool(), true);
    const QJsonArray own = root.value("own_vrf").toObject().value("unit_group").toArray();
    QCOMPARE(own.size(), 1);
    QCOMPARE(own.at(0).toObject().size(), 10);
    const QJsonObject curves =
        root.value("other_vrf").toObject().value("performance_data").toObject();
    QCOMPARE(curves.keys(), QStringList({"cooling", "heating"}));
    QCOMPARE(
        curves.value("cooling").toArray().at(0).toObject().keys(),
        QStringList({"combination_rate", "electricity_input_ratio", "outdoor_air_temperature"}));
    QCOMPARE(root.value("date").toString(), QString("2015-03-07"));
}

void TestProjectFile::holidayKeys_data()
{
    QTest::addColumn<int>("calendarYear");
    QTest::addColumn<int>("lastKey");
    QTest::addColumn<bool>("has60");

    QTest::newRow("2015: keys 1 to 365") << 2015 << 365 << true;
    QTest::newRow("leap 2016: no key 60, last 366") << 2016 << 366 << false;
}

void TestProjectFile::holidayKeys()
{
    QFETCH(int, calendarYear);
    QFETCH(int, lastKey);
    QFETCH(bool, has60);

    HProject::reset();
    HYear::year = calendarYear;
    HProject* p = HProject::getProject();
    HYear::year = 2015;
    p->getYear()->getMonth(3)->getDay(1)->setisHoliday(true);
    const QJsonObject holiday = HProjectFile::toJson(p).value("holiday").toObject();
    QCOMPARE(holiday.size(), 365);
    QVERIFY(holiday.contains("1"));
    QCOMPARE(holiday.contains("60"), has60);
    QVERIFY(holiday.contains(QString::number(lastKey)));
    QCOMPARE(holiday.value(QString::number(has60 ? 60 : 61)).toBool(), true);

    // Reading the same keys back into a project of the same calendar year.
    const QString path = m_dir.filePath("holiday.ee");
    QVERIFY(saveProjectFile(path));
    HProject::reset();
    HYear::year = calendarYear;
    HProject::getProject();
    HYear::year = 2015;
    QVERIFY(loadProjectFile(path));
    QVERIFY(HProject::getProject()->getYear()->getMonth(3)->getDay(1)->GetisHoliday());
    QVERIFY(!HProject::getProject()->getYear()->getMonth(2)->getDay(28)->GetisHoliday());
}

void TestProjectFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    const QByteArray own = R"("own_vrf":{"unit_group":[)";
    const QByteArray other = R"("other_vrf":{"unit_group":[)";

    QTest::newRow("absent number reads 0")
        << QByteArray(R"({"name":"x"})") << "build_area" << QVariant(0.0);
    QTest::newRow("number given as text reads 0")
        << QByteArray(R"({"build_area":"1200"})") << "build_area" << QVariant(0.0);
    QTest::newRow("name of the wrong type reads empty")
        << QByteArray(R"({"name":5})") << "name" << QVariant(QString());
    QTest::newRow("integer given as text reads 0")
        << QByteArray(R"({"number_floors":"3"})") << "number_floors" << QVariant(0);
    QTest::newRow("boolean given as number reads false")
        << QByteArray(R"({"thermo_mode":1})") << "thermo_mode" << QVariant(false);
    QTest::newRow("date in another form is invalid")
        << QByteArray(R"({"date":"01/02/2015"})") << "date valid" << QVariant(false);
    QTest::newRow("date yyyy-MM-dd")
        << QByteArray(R"({"date":"2015-02-01"})") << "date" << QVariant(QDate(2015, 2, 1));
    QTest::newRow("unit code handed to the unit service")
        << QByteArray(R"({"Unit_Load":4})") << "service load unit" << QVariant(4);
    QTest::newRow("absent unit code selects the service default")
        << QByteArray(R"({"name":"x"})") << "service temperature unit" << QVariant(1);
    QTest::newRow("no operation_map: every flag off")
        << QByteArray(R"({"name":"x"})") << "daily 8" << QVariant(false);
    QTest::newRow("partial operation_map: absent entries off")
        << QByteArray(R"({"operation_map":{"daily":{"8":true}}})") << "weekly 1" << QVariant(false);
    QTest::newRow("partial operation_map: given entries on")
        << QByteArray(R"({"operation_map":{"daily":{"8":true}}})") << "daily 8" << QVariant(true);
    QTest::newRow("no own_vrf keeps the own units")
        << QByteArray(R"({"name":"x"})") << "own code 0" << QVariant(QString("P-1"));
    QTest::newRow("empty own_vrf keeps the own units")
        << QByteArray(R"({"own_vrf":{}})") << "own count" << QVariant(1);
    QTest::newRow("own_vrf of the wrong type keeps the own units")
        << QByteArray(R"({"own_vrf":[1,2]})") << "own count" << QVariant(1);
    QTest::newRow("own line with quantity 0 dropped") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"unit_type":"VX test","unit_productcode":"T-ODU100","quantity":0},
                           {"is_odu":false,"unit_type":"Cassette","unit_productcode":"T-CF28","quantity":2}]}})")
                                                      << "own count" << QVariant(1);
    QTest::newRow("own capacity from the database, not the file") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"id_series":-1,"unit_type":"VX test","unit_productcode":"T-ODU100","quantity":1,"total_capacity_cooling":999}]}})")
                                                                  << "own cooling 0"
                                                                  << QVariant(28.0);
    QTest::newRow("own price reads 0") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"unit_type":"VX test","unit_productcode":"T-ODU100","quantity":1,"price_ea":500}]}})")
                                       << "own price 0" << QVariant(0.0);
    QTest::newRow("own model with apostrophes found (bound values)") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"id_series":-1,"unit_type":"Chef's line","unit_productcode":"O'Neil 56","quantity":1}]}})")
                                                                     << "own cooling 0"
                                                                     << QVariant(56.0);
    QTest::newRow("own model text that would break SQL stays harmless") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"unit_type":"VX test","unit_productcode":"x' or '1'='1","quantity":1}]}})")
                                                                        << "own cooling 0"
                                                                        << QVariant(0.0);
    QTest::newRow("absent id_series reads 0, which selects series 0 only") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"unit_type":"VX test","unit_productcode":"T-ODU100","quantity":1}]}})")
                                                                           << "own cooling 0"
                                                                           << QVariant(0.0);
    QTest::newRow("unknown own model keeps the file's fields") << QByteArray(
        "{" + own
        + R"({"is_odu":true,"unit_type":"VX test","unit_productcode":"NOPE","quantity":4}]}})")
                                                               << "own quantity 0" << QVariant(4);
    QTest::newRow("own indoor power from W to kW") << QByteArray(
        "{" + own
        + R"({"is_odu":false,"id_series":20,"unit_type":"Cassette","unit_productcode":"T-CF28","quantity":1}]}})")
                                                   << "own input cooling 0" << QVariant(0.045);
    QTest::newRow("own is_odu from the file") << QByteArray(
        "{" + own
        + R"({"is_odu":false,"unit_type":"Cassette","unit_productcode":"T-CF28","quantity":1}]}})")
                                              << "own is_odu 0" << QVariant(false);
    QTest::newRow("other quantity 3.7 reads 3")
        << QByteArray("{" + other + R"({"is_odu":true,"quantity":3.7}]}})") << "other quantity 0"
        << QVariant(3);
    QTest::newRow("other quantity beyond int reads 0")
        << QByteArray("{" + other + R"({"is_odu":true,"quantity":1e300}]}})") << "other quantity 0"
        << QVariant(0);
    QTest::newRow("other entries of the wrong type become empty lines")
        << QByteArray("{" + other + R"(1,"x",null]}})") << "other count" << QVariant(3);
    QTest::newRow("absent holiday reads false")
        << QByteArray(R"({"holiday":{"2":true}})") << "holiday 1 Jan" << QVariant(false);
    QTest::newRow("holiday key 1 is 1 January")
        << QByteArray(R"({"holiday":{"1":true}})") << "holiday 1 Jan" << QVariant(true);
}

void TestProjectFile::readingRules()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);

    QVERIFY2(!QJsonDocument::fromJson(json).isNull(), json.constData());
    const QString path = m_dir.filePath("rules.ee");
    QVERIFY(writeFile(path, json));
    QString error;
    QVERIFY2(loadProjectFile(path, &error), qPrintable(error));
    QVERIFY(getters().contains(field));
    const QVariant actual = getters().value(field)(HProject::getProject());
    if (expected.userType() == QMetaType::Double)
        BRIVANTA_COMPARE_NEAR(actual.toDouble(), expected.toDouble(), 1e-12);
    else
        QCOMPARE(actual, expected);
}

void TestProjectFile::readingNotices_data()
{
    // Top-level members replaced in the complete project; a name starting with '-' removes it.
    QTest::addColumn<QJsonObject>("changes");
    QTest::addColumn<QStringList>("notices");

    const QString noHour = QStringLiteral(": no hour of the year runs, so every energy is 0.");
    QTest::newRow("complete file: nothing to tell") << QJsonObject{} << QStringList{};
    QTest::newRow("price as text")
        << QJsonObject{{"electricity_price", "abc"}}
        << QStringList{R"("electricity_price" is not a number ("abc"); read as 0.)"};
    QTest::newRow("peak load as text")
        << QJsonObject{{"cooling_peak_load", "160"}}
        << QStringList{R"("cooling_peak_load" is not a number ("160"); read as 0.)"};
    QTest::newRow("name as number, thermo mode as text")
        << QJsonObject{{"name", 5}, {"thermo_mode", "yes"}}
        << QStringList{R"("name" is not text (5); read as empty.)",
                       R"("thermo_mode" is not true or false ("yes"); read as false.)"};
    QTest::newRow("floors not a whole number")
        << QJsonObject{{"number_floors", 2.5}}
        << QStringList{R"("number_floors" is not a whole number (2.5); read as 0.)"};
    QTest::newRow("date in another form")
        << QJsonObject{{"date", "02/01/2024"}}
        << QStringList{R"("date" is not a date in the form yyyy-MM-dd ("02/01/2024"); read as )"
                       "no date."};
    QTest::newRow("no operation_map")
        << QJsonObject{{"-operation_map", true}}
        << QStringList{QStringLiteral("\"operation_map\" is missing") + noHour};
    QTest::newRow("operation_map without its weekdays")
        << QJsonObject{{"operation_map",
                        QJsonObject{{"daily", QJsonObject{{"8", true}}},
                                    {"month", QJsonObject{{"1", true}}}}}}
        << QStringList{QStringLiteral("\"week\" (operation_map) is missing") + noHour,
                       "The operation schedule runs no hour of the year (no hour of the day, no "
                       "weekday or no month is on), so every energy is 0."};
    QTest::newRow("schedule with every month off")
        << QJsonObject{{"operation_map",
                        QJsonObject{{"daily", QJsonObject{{"8", true}}},
                                    {"week", QJsonObject{{"1", true}}},
                                    {"month", QJsonObject{{"1", false}, {"2", "on"}}}}}}
        << QStringList{R"("month" (operation_map) has 1 entries that are not true or false; )"
                       "they read as false.",
                       "The operation schedule runs no hour of the year (no hour of the day, no "
                       "weekday or no month is on), so every energy is 0."};
    QTest::newRow("negative price and area")
        << QJsonObject{{"gas_price", -0.1}, {"build_area", -100}}
        << QStringList{R"("build_area" is negative (-100); a negative value makes no sense here.)",
                       R"("gas_price" is negative (-0.1); a negative value makes no sense here.)"};
    QTest::newRow("negative own quantity")
        << QJsonObject{{"own_vrf",
                        QJsonObject{
                            {"unit_group",
                             QJsonArray{ownUnitJson(true, 7, "VX test", "T-ODU100", -2),
                                        ownUnitJson(false, 20, "Cassette", "T-CF28", 10)}}}}}
        << QStringList{R"("quantity" (own_vrf unit line 1) is negative (-2); a negative value )"
                       "makes no sense here."};
    QTest::newRow("other unit entry that is no object")
        << QJsonObject{{"other_vrf", QJsonObject{{"unit_group", QJsonArray{5}}}}}
        << QStringList{"other_vrf unit line 1 is not an object; it reads as an empty line."};
    QTest::newRow("own model not in the product database")
        << QJsonObject{{"own_vrf",
                        QJsonObject{
                            {"unit_group",
                             QJsonArray{ownUnitJson(true, 7, "VX test", "T-ODU100", 2),
                                        ownUnitJson(false, 20, "Cassette", "T-CF29", 10)}}}}}
        << QStringList{R"(Own indoor unit line 2 (category "Cassette", model "T-CF29") is not in )"
                       "the product database: it has no capacity and no power input."};
    QTest::newRow("holiday entries of the wrong type")
        << QJsonObject{{"holiday", QJsonObject{{"1", "yes"}, {"2", 1}, {"3", true}}}}
        << QStringList{R"("holiday" has 2 entries that are not true or false; they read as )"
                       "false."};
}

void TestProjectFile::readingNotices()
{
    QFETCH(QJsonObject, changes);
    QFETCH(QStringList, notices);

    QJsonObject root = completeProject();
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.key().startsWith('-'))
            root.remove(it.key().mid(1));
        else
            root.insert(it.key(), it.value());
    }
    const QString path = m_dir.filePath("notices.ee");
    QVERIFY(writeFile(path, QJsonDocument(root).toJson()));
    QString error;
    HProjectNotices found;
    QVERIFY2(loadProjectFile(path, &error, &found), qPrintable(error));
    QCOMPARE(found.texts(), notices);

    // The reading rules still hold: what was noticed reads as 0, empty or false.
    HProject* p = HProject::getProject();
    if (changes.contains("electricity_price"))
        QCOMPARE(p->Getelectricity_price(), 0.0);
    if (changes.contains("cooling_peak_load"))
        QCOMPARE(p->Getcooling_peak_load(), 0.0);
    if (QTest::currentDataTag() == QLatin1String("negative own quantity"))
        QCOMPARE(p->getOwnVRFSys()->size(), 1);
    if (QTest::currentDataTag() == QLatin1String("own model not in the product database")) {
        QCOMPARE(found.missingModels().size(), 1);
        const HProjectNotices::MissingModel m = found.missingModels().first();
        QCOMPARE(m.line, 2);
        QCOMPARE(m.outdoor, false);
        QCOMPARE(m.category, QString("Cassette"));
        QCOMPARE(m.model, QString("T-CF29"));
        QCOMPARE(p->getOwnVRFSys()->size(), 2);
        QCOMPARE(p->getOwnVRFSys()->at(1)->Gettotal_capacity_cooling(), 0.0);
    }
}

void TestProjectFile::valuesOutOfRangeAreKept_data()
{
    QTest::addColumn<QJsonObject>("changes");
    QTest::addColumn<QStringList>("notices");
    const QString outside = QStringLiteral(" where values make sense: the results would mean "
                                           "nothing. Check the value.");
    QTest::newRow("peak load, area and price beyond physical ranges")
        << QJsonObject{{"cooling_peak_load", 1e308}, {"build_area", 2e7}, {"electricity_price", 5e6}}
        << QStringList{QStringLiteral("\"build_area\" is 20000000 m², outside 0 m² to 10000000 m²")
                           + outside,
                       QStringLiteral("\"cooling_peak_load\" is 1e+308 kW, outside -100000 kW to "
                                      "100000 kW")
                           + outside,
                       QStringLiteral("\"electricity_price\" is 5000000 per kWh, outside 0 per kWh "
                                      "to 1000000 per kWh")
                           + outside};
    QTest::newRow("indoor temperatures and floors out of range")
        << QJsonObject{{"indoor_cooling_temperature", 250}, {"indoor_heating_temperature", -5},
                       {"number_floors", 1000}}
        << QStringList{QStringLiteral("\"number_floors\" is 1000, outside 0 to 300") + outside,
                       QStringLiteral("\"indoor_cooling_temperature\" is 250 °C, outside 0 °C to "
                                      "50 °C")
                           + outside,
                       QStringLiteral("\"indoor_heating_temperature\" is -5 °C, outside 0 °C to "
                                      "50 °C")
                           + outside};
    QTest::newRow("other unit with an absurd capacity")
        << QJsonObject{{"other_vrf",
                        QJsonObject{{"unit_group",
                                     QJsonArray{QJsonObject{{"is_odu", true},
                                                            {"quantity", 1},
                                                            {"total_capacity_cooling", 3e4},
                                                            {"power_input_heating", 1e300}}}}}}}
        << QStringList{QStringLiteral("\"total_capacity_cooling\" (other_vrf unit line 1) is 30000 "
                                      "kW, outside 0 kW to 10000 kW")
                           + outside,
                       QStringLiteral("\"power_input_heating\" (other_vrf unit line 1) is 1e+300 "
                                      "kW, outside 0 kW to 10000 kW")
                           + outside};
}

// Values beyond any building or unit are read as they stand, each with a notice: such a
// value is a typing or unit error, and the results would mean nothing.
void TestProjectFile::valuesOutOfRangeAreKept()
{
    QFETCH(QJsonObject, changes);
    QFETCH(QStringList, notices);

    QJsonObject root = completeProject();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        root.insert(it.key(), it.value());
    const QString path = m_dir.filePath("ranges.ee");
    QVERIFY(writeFile(path, QJsonDocument(root).toJson()));
    QString error;
    HProjectNotices found;
    QVERIFY2(loadProjectFile(path, &error, &found), qPrintable(error));
    QCOMPARE(found.texts(), notices);

    // Every value given is written back unchanged.
    const QJsonObject written = HProjectFile::toJson(HProject::getProject());
    std::function<void(const QJsonValue&, const QJsonValue&, const QString&)> kept =
        [&kept](const QJsonValue& given, const QJsonValue& read, const QString& where) {
            if (given.isObject()) {
                const QJsonObject g = given.toObject();
                for (auto it = g.begin(); it != g.end(); ++it)
                    kept(it.value(), read.toObject().value(it.key()), where + '.' + it.key());
            } else if (given.isArray()) {
                const QJsonArray g = given.toArray();
                for (int i = 0; i < g.size(); ++i)
                    kept(g.at(i), read.toArray().at(i), where + QStringLiteral("[%1]").arg(i));
            } else if (given.isDouble()) {
                QVERIFY2(read.isDouble() && read.toDouble() == given.toDouble(),
                         qPrintable(where));
            }
        };
    kept(changes, written, QString());
}

void TestProjectFile::unreadableFileIsReported_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");

    QTest::newRow("missing file") << "missing.ee" << QByteArray() << false;
    QTest::newRow("empty file") << "empty.ee" << QByteArray() << true;
    QTest::newRow("truncated JSON")
        << "truncated.ee" << QByteArray(R"({"name":"Other","own_vrf":{"unit_gr)") << true;
    QTest::newRow("a JPEG picture")
        << "picture.ee" << QByteArray::fromHex("ffd8ffe000104a46494600010100") << true;
    QTest::newRow("a JSON array") << "array.ee" << QByteArray(R"([{"name":"Other"}])") << true;
    QTest::newRow("an empty object") << "emptyobject.ee" << QByteArray("{}") << true;
    QTest::newRow("a plain number") << "number.ee" << QByteArray("42") << true;
}

void TestProjectFile::unreadableFileIsReported()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, create);

    const QString path = m_dir.filePath(fileName);
    if (create)
        QVERIFY(writeFile(path, content));
    HProject* p = HProject::getProject();
    p->setfilePath("before.ee");

    QString error;
    QVERIFY(!loadProjectFile(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(fileName), qPrintable(error));
    QCOMPARE(p->Getname(), QString("Keep"));
    QCOMPARE(p->getOwnVRFSys()->size(), 1);
    QCOMPARE(p->getOperationDailyIsOn(8), true);

    // Opening through the session reports it as well and keeps the file path.
    error.clear();
    QVERIFY(!HProjectSession::openProject(path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(HProject::getProject(), p);
    QCOMPARE(p->GetfilePath(), QString("before.ee"));
    QCOMPARE(p->getOwnVRFSys()->size(), 1);
}

void TestProjectFile::failedSaveIsReported()
{
    HProject* p = HProject::getProject();
    p->setfilePath("before.ee");
    const QString blocker = m_dir.filePath("plainfile");
    QVERIFY(writeFile(blocker, "x"));

    QString error;
    QVERIFY(!saveProjectFile(blocker + "/inside/project.ee", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(p->GetfilePath(), QString("before.ee"));

    // A directory where the file should be: nothing replaces it.
    const QString dirPath = m_dir.filePath("adir.ee");
    QVERIFY(QDir().mkpath(dirPath));
    error.clear();
    QVERIFY(!saveProjectFile(dirPath, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dirPath).isDir());

    QVERIFY(!saveProjectFile(QString(), &error));
    QCOMPARE(p->GetfilePath(), QString("before.ee"));
}

void TestProjectFile::openPreparesTheProject()
{
    // A project without peak loads, as many are saved, and a unit whose curves come
    // from its product points only after preparation.
    const QString path = m_dir.filePath("prepare.ee");
    const QByteArray json = R"({"name":"Prepared","own_vrf":{"unit_group":[
        {"is_odu":true,"id_series":-1,"unit_type":"VX test","unit_productcode":"T-ODU100","quantity":2},
        {"is_odu":false,"id_series":-1,"unit_type":"Cassette","unit_productcode":"T-CF28","quantity":10}]}})";
    QVERIFY(writeFile(path, json));
    QString error;
    QVERIFY2(HProjectSession::openProject(path, &error), qPrintable(error));
    HProject* p = HProject::getProject();
    QCOMPARE(p->Getname(), QString("Prepared"));
    QCOMPARE(p->GetfilePath(), path);
    // Peak loads replaced by 110 % of the own outdoor capacity (2 x 28 and 2 x 31.5 kW).
    BRIVANTA_COMPARE_NEAR(p->Getcooling_peak_load(), 56.0 * 1.1, 1e-12);
    BRIVANTA_COMPARE_NEAR(p->Getheating_peak_load(), 63.0 * 1.1, 1e-12);
    // The outdoor unit's curve runs through its product points (power 62.5 % of the
    // rated input at 50 % load in the fixture), not the default curve.
    HUnit* odu = p->getOwnVRFSys()->first();
    QVector<CAL_ITEM> items;
    odu->getVRFProductPerformanceData()->getCoolingModeItems(items);
    QCOMPARE(items.size(), 13);
    BRIVANTA_COMPARE_NEAR(odu->getVRFProductPerformanceData()->calculateEIR(0.5), 0.625, 1e-9);
    BRIVANTA_COMPARE_NEAR(odu->getVRFProductPerformanceData()->calculateCOP(0.7), 0.775, 1e-9);
    QCOMPARE(HProjectSession::buildOwnUnitCurves(), 1);

    QCOMPARE(HProjectSession::projectPathFor("/a/b.vrf"), QString("/a/b.ee"));
    QCOMPARE(HProjectSession::projectPathFor("/a/b.eed"), QString("/a/b.ee"));
    // Endings are matched in any case.
    QCOMPARE(HProjectSession::projectPathFor("/a/b.EED"), QString("/a/b.ee"));
    QCOMPARE(HProjectSession::projectPathFor("/a/b.Vrf"), QString("/a/b.ee"));
    QVERIFY(!HProjectSession::openProject(m_dir.filePath("x.EE"), &error));
    QVERIFY(writeFile(m_dir.filePath("x.EE"), R"({"name":"Capitals"})"));
    QVERIFY2(HProjectSession::openProject(m_dir.filePath("x.EE"), &error), qPrintable(error));
    QCOMPARE(HProject::getProject()->Getname(), QString("Capitals"));
    QCOMPARE(HProject::getProject()->GetfilePath(), m_dir.filePath("x.EE"));
}

void TestProjectFile::openStartsANewProjectOnTheInitialYear()
{
    // Loading weather moves the calendar year to the weather's first year; a project
    // opened afterwards must still get the weekdays a freshly started program gives.
    HProject* before = HProject::getProject();
    before->setname("Before");
    HYear::year = 2001; // 1 January 2001 was a Monday
    const QString path = m_dir.filePath("weekdays.ee");
    QVERIFY(writeFile(path, R"({"name":"Weekdays"})"));
    QString error;
    QVERIFY2(HProjectSession::openProject(path, &error), qPrintable(error));
    HProject* opened = HProject::getProject();
    QCOMPARE(opened->Getname(), QString("Weekdays"));
    // 1 January 2015 was a Thursday.
    QCOMPARE(opened->getYear()->getHour(1, 1, 0)->GetdayOfWeek(), 4);
    QCOMPARE(opened->getYear()->getHour(12, 31, 23)->Gethour_order(), 8760);

    // New does the same.
    HYear::year = 2001;
    HProject* fresh = HProjectSession::newProject();
    QCOMPARE(fresh->Getname(), QString("NewProject"));
    QCOMPARE(fresh->getYear()->getHour(1, 1, 0)->GetdayOfWeek(), 4);
}

namespace {

QVector<CAL_ITEM> otherCooling()
{
    QVector<CAL_ITEM> items;
    HProject::getProject()->getOtherVRFSys()->getVRFProductPerformanceData()->getCoolingModeItems(
        items);
    return items;
}

QVector<CAL_ITEM> otherHeating()
{
    QVector<CAL_ITEM> items;
    HProject::getProject()->getOtherVRFSys()->getVRFProductPerformanceData()->getHeatingModeItems(
        items);
    return items;
}

// (temperature, rate, ratio) of each point, for comparing lists.
QList<QVector<double>> triples(const QVector<CAL_ITEM>& items)
{
    QList<QVector<double>> t;
    for (const CAL_ITEM& i : items)
        t << QVector<double>{i.outdoor_air_temperature, i.combination_rate,
                             i.electricity_input_ratio};
    return t;
}

} // namespace

// The other system's part-load points, edited by the user, are read back exactly.
void TestProjectFile::otherCurvesTravelWithTheFile()
{
    const QVector<CAL_ITEM> cooling{{33.5, 0.9, 0.85}, {20, 0.1, 0.2}, {27, 1.0 / 3.0, 0.4}};
    const QVector<CAL_ITEM> heating{{-7, 1.2, 1.1}, {10, 0.2, 0.3}};
    HVRF* other = HProject::getProject()->getOtherVRFSys();
    other->getVRFProductPerformanceData()->setCoolingModeItems(cooling);
    other->getVRFProductPerformanceData()->setHeatingModeItems(heating);
    const QString path = m_dir.filePath("curves.ee");
    QVERIFY(saveProjectFile(path));

    HProjectSession::newProject();
    QVERIFY(triples(otherCooling()) != triples(cooling)); // a new project has the defaults
    QString error;
    QVERIFY2(HProjectSession::openProject(path, &error), qPrintable(error));
    QCOMPARE(triples(otherCooling()), triples(cooling));
    QCOMPARE(triples(otherHeating()), triples(heating));
}

void TestProjectFile::otherCurvesMissingFromTheFile_data()
{
    QTest::addColumn<QJsonObject>("otherVrf");
    QTest::addColumn<int>("coolingPoints");
    QTest::addColumn<int>("heatingPoints");

    const QJsonArray twoPoints{
        QJsonObject{{"combination_rate", 1.0}, {"electricity_input_ratio", 1.0}},
        QJsonObject{{"combination_rate", 0.5}, {"electricity_input_ratio", 0.4}}};
    const QJsonArray units{QJsonObject{{"is_odu", true}, {"quantity", 1}}};
    // The default curve file has four points in each list.
    QTest::newRow("older file: default curves") << QJsonObject{{"unit_group", units}} << 4 << 4;
    QTest::newRow("cooling only: default heating")
        << QJsonObject{{"unit_group", units},
                       {"performance_data", QJsonObject{{"cooling", twoPoints}}}}
        << 2 << 4;
    QTest::newRow("heating only: default cooling")
        << QJsonObject{{"unit_group", units},
                       {"performance_data", QJsonObject{{"heating", twoPoints}}}}
        << 4 << 2;
}

void TestProjectFile::otherCurvesMissingFromTheFile()
{
    QFETCH(QJsonObject, otherVrf);
    QFETCH(int, coolingPoints);
    QFETCH(int, heatingPoints);

    const QJsonObject root{{"name", "curves"}, {"other_vrf", otherVrf}};
    const QString path = m_dir.filePath("partial.ee");
    QVERIFY(writeFile(path, QJsonDocument(root).toJson()));
    QString error;
    QVERIFY2(HProjectSession::openProject(path, &error), qPrintable(error));
    QCOMPARE(otherCooling().size(), coolingPoints);
    QCOMPARE(otherHeating().size(), heatingPoints);
    QCOMPARE(HProject::getProject()->getOtherVRFSys()->size(), 1);
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
