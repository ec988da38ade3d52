#include "HProjectFile.h"

#include "CUnitFun.h"
#include "HDay.h"
#include "HJsonFieldReader.h"
#include "HJsonFunc.h"
#include "HMonth.h"
#include "HProductPerformanceDataForVRF.h"
#include "HProject.h"
#include "HProjectNotices.h"
#include "HProjectValues.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "HVRFProductStatements.h"
#include "HYear.h"
#include "TranslateString.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const char* const dateFormat = "yyyy-MM-dd";

// Where the values of a project stop making physical sense. Beyond these the reading
// warns: such a value is a typing or unit error, and the results would mean nothing.
constexpr double maxArea = 1e7;        // m², the largest buildings have a few 1e5
constexpr double maxHeight = 1000.0;   // m
constexpr int maxFloors = 300;
constexpr double maxLoad = 1e5;        // kW of peak load, far beyond any VRF installation
constexpr double minIndoor = HProjectValues::kIndoorSetPointMin; // °C
constexpr double maxIndoor = HProjectValues::kIndoorSetPointMax;
constexpr double maxEnergyPrice = 1e6; // per kWh, in any currency
constexpr double maxQuantity = 1e5;    // units on one line
constexpr double maxUnitPower = 1e4;   // kW of capacity or input of one unit
constexpr double maxUnitPrice = 1e12;  // per unit, in any currency

QJsonObject unitToJson(const HUnit* unit)
{
    QJsonObject o;
    o.insert("is_odu", unit->Getis_odu());
    o.insert("unit_type", unit->Getunit_type());
    o.insert("id_series", unit->Getid_series());
    o.insert("unit_productcode", unit->Getunit_productcode());
    o.insert("quantity", unit->Getquantity());
    o.insert("total_capacity_cooling", unit->Gettotal_capacity_cooling());
    o.insert("power_input_cooling", unit->Getpower_input_cooling());
    o.insert("total_capacity_heating", unit->Gettotal_capacity_heating());
    o.insert("power_input_heating", unit->Getpower_input_heating());
    o.insert("price_ea", unit->Getprice_ea());
    return o;
}

QJsonObject systemToJson(const HVRF* sys)
{
    QJsonArray units;
    if (sys) {
        for (const HUnit* unit : *sys)
            units.append(unitToJson(unit));
    }
    QJsonObject o;
    o.insert("unit_group", units);
    return o;
}

// The other system's part-load points, which the user may have edited: without
// them a saved project would be calculated on the default curves when read again.
QJsonObject curvesToJson(const HVRF* sys)
{
    QJsonObject o;
    if (const HProductPerformanceDataForVRF* data =
            sys ? sys->getVRFProductPerformanceData() : nullptr) {
        QVector<CAL_ITEM> cooling;
        QVector<CAL_ITEM> heating;
        data->getCoolingModeItems(cooling);
        data->getHeatingModeItems(heating);
        o.insert("cooling", HProductPerformanceDataForVRF::toJsonArray(cooling));
        o.insert("heating", HProductPerformanceDataForVRF::toJsonArray(heating));
    }
    return o;
}

// A file without "performance_data" (or without one of its lists) keeps the default
// curves of that list.
void readCurves(HJsonFieldReader& system, HVRF* sys)
{
    HProductPerformanceDataForVRF* data = sys->getVRFProductPerformanceData();
    if (!data || !system.contains(QStringLiteral("performance_data")))
        return;
    HJsonFieldReader curves(system.object(QStringLiteral("performance_data")), system.notices(),
                            QStringLiteral("other_vrf"));
    if (curves.contains(QStringLiteral("cooling")))
        data->setCoolingModeItems(
            HProductPerformanceDataForVRF::fromJsonArray(curves.array(QStringLiteral("cooling"))));
    if (curves.contains(QStringLiteral("heating")))
        data->setHeatingModeItems(
            HProductPerformanceDataForVRF::fromJsonArray(curves.array(QStringLiteral("heating"))));
}

// "own_vrf unit line 2": where a unit entry stands, for the notices.
QString unitLine(const char* system, int line)
{
    return TranslateString("%1 unit line %2").arg(QLatin1String(system)).arg(line);
}

// The "unit_group" entries of a system object; an empty or absent object changes nothing.
QJsonArray unitGroup(HJsonFieldReader& root, const char* key, bool* present)
{
    const QJsonObject sysObject = root.object(QLatin1String(key));
    *present = !sysObject.isEmpty();
    return HJsonFieldReader(sysObject, root.notices(), QLatin1String(key))
        .array(QStringLiteral("unit_group"));
}

void readOwnSystem(HJsonFieldReader& root, HVRF* sys)
{
    bool present = false;
    const QJsonArray units = unitGroup(root, "own_vrf", &present);
    if (!sys || !present)
        return;
    sys->reset();
    HVRFProductStatements statements;
    int line = 0;
    for (const QJsonValue& value : units) {
        ++line;
        const QString where = unitLine("own_vrf", line);
        if (!value.isObject())
            root.note(TranslateString("%1 is not an object; it is left out.").arg(where));
        HJsonFieldReader unit(value.toObject(), root.notices(), where);
        const int quantity =
            HProjectFile::truncatedInt(unit.nonNegativeNumber("quantity", maxQuantity, ""));
        const int series = unit.integer("id_series");
        const QString category = unit.text("unit_type");
        const QString model = unit.text("unit_productcode");
        const bool odu = unit.flag("is_odu");
        if (quantity <= 0)
            continue;
        // Capacities and power inputs always come from the product database.
        bool found = false;
        sys->append(HVRFProductHelper::newOwnUnit(series, category, model, quantity, odu,
                                                  &statements, &found));
        if (!found && root.notices())
            root.notices()->addMissingModel({line, odu, category, model});
    }
}

void readOtherSystem(HJsonFieldReader& root, HVRF* sys)
{
    bool present = false;
    const QJsonArray units = unitGroup(root, "other_vrf", &present);
    if (!sys || !present)
        return;
    HJsonFieldReader system(root.object(QStringLiteral("other_vrf")), root.notices(),
                            QStringLiteral("other_vrf"));
    readCurves(system, sys);
    sys->reset();
    int line = 0;
    for (const QJsonValue& value : units) {
        ++line;
        const QString where = unitLine("other_vrf", line);
        if (!value.isObject())
            root.note(
                TranslateString("%1 is not an object; it reads as an empty line.").arg(where));
        HJsonFieldReader o(value.toObject(), root.notices(), where);
        auto* unit = new HUnit;
        unit->setunit_type(o.text("unit_type"));
        unit->setid_series(o.integer("id_series"));
        unit->setunit_productcode(o.text("unit_productcode"));
        unit->setquantity(
            HProjectFile::truncatedInt(o.nonNegativeNumber("quantity", maxQuantity, "")));
        unit->settotal_capacity_cooling(
            o.nonNegativeNumber("total_capacity_cooling", maxUnitPower, "kW"));
        unit->setpower_input_cooling(o.nonNegativeNumber("power_input_cooling", maxUnitPower, "kW"));
        unit->settotal_capacity_heating(
            o.nonNegativeNumber("total_capacity_heating", maxUnitPower, "kW"));
        unit->setpower_input_heating(o.nonNegativeNumber("power_input_heating", maxUnitPower, "kW"));
        unit->setprice_ea(o.nonNegativeNumber("price_ea", maxUnitPrice, ""));
        unit->setis_odu(o.flag("is_odu"));
        sys->append(unit);
    }
}

QStringList numberKeys(int first, int last)
{
    QStringList keys;
    for (int i = first; i <= last; ++i)
        keys << QString::number(i);
    return keys;
}

// The schedule's three maps; every hour is off when one is missing or runs nothing.
void readOperationMap(HJsonFieldReader& root, HProject* p)
{
    const bool present = root.contains(QStringLiteral("operation_map"));
    HJsonFieldReader operation(root.object(QStringLiteral("operation_map")), root.notices(),
                               QStringLiteral("operation_map"));
    const QVector<bool> daily = operation.flags(QStringLiteral("daily"), numberKeys(0, 23));
    const QVector<bool> week = operation.flags(QStringLiteral("week"), numberKeys(1, 7));
    const QVector<bool> month = operation.flags(QStringLiteral("month"), numberKeys(1, 12));
    p->setOperationSchedule(daily, week, month);

    if (!present) {
        root.note(TranslateString("\"operation_map\" is missing: no hour of the year runs, so "
                                  "every energy is 0."));
        return;
    }
    for (const char* part : {"daily", "week", "month"}) {
        if (!operation.contains(QLatin1String(part)))
            root.note(TranslateString("%1 is missing: no hour of the year runs, so every energy "
                                      "is 0.")
                          .arg(operation.nameOf(QLatin1String(part))));
    }
    if (!daily.contains(true) || !week.contains(true) || !month.contains(true))
        root.note(TranslateString("The operation schedule runs no hour of the year (no hour of "
                                  "the day, no weekday or no month is on), so every energy is "
                                  "0."));
}

} // namespace

int HProjectFile::truncatedInt(double value)
{
    if (!std::isfinite(value) || value >= double(std::numeric_limits<int>::max()) + 1.0
        || value <= double(std::numeric_limits<int>::min()) - 1.0)
        return 0;
    return int(value);
}

QJsonObject HProjectFile::toJson(HProject* p)
{
    QJsonObject root;
    root.insert("name", p->Getname());
    root.insert("date", p->Getdate().toString(dateFormat));
    root.insert("build_area", p->Getbuild_area());
    root.insert("build_height", p->Getbuild_height());
    root.insert("number_floors", p->Getnumber_floors());
    root.insert("cooling_peak_load", p->Getcooling_peak_load());
    root.insert("heating_peak_load", p->Getheating_peak_load());
    root.insert("country", p->Getcountry());
    root.insert("city", p->Getcity());
    root.insert("is_have_8760_weather_data", p->GetisHave8760WeatherData());
    root.insert("max_temp", p->Getmax_temp());
    root.insert("min_temp", p->Getmin_temp());
    root.insert("average_temp", p->Getaverage_temp());
    root.insert("indoor_cooling_temperature", p->Getindoor_cooling_temperature());
    root.insert("indoor_heating_temperature", p->Getindoor_heating_temperature());
    root.insert("thermo_mode", p->Getthermo_mode());
    root.insert("electricity_price", p->Getelectricity_price());
    root.insert("gas_price", p->Getgas_price());
    root.insert("Unit_Load", p->GetUnit_Load());
    root.insert("Unit_Temperature", p->GetUnit_Temperature());
    root.insert("Unit_Length", p->GetUnit_Length());
    root.insert("Unit_AirFlowRate", p->GetUnit_AirFlowRate());

    QJsonObject daily, week, month;
    for (int h = 0; h < 24; ++h)
        daily.insert(QString::number(h), p->getOperationDailyIsOn(h));
    for (int d = 1; d <= 7; ++d)
        week.insert(QString::number(d), p->getOperationWeeklyIsOn(d));
    for (int m = 1; m <= 12; ++m)
        month.insert(QString::number(m), p->getOperationMonthlyIsOn(m));
    QJsonObject operation;
    operation.insert("daily", daily);
    operation.insert("week", week);
    operation.insert("month", month);
    root.insert("operation_map", operation);

    root.insert("own_vrf", systemToJson(p->getOwnVRFSys()));
    QJsonObject other = systemToJson(p->getOtherVRFSys());
    other.insert("performance_data", curvesToJson(p->getOtherVRFSys()));
    root.insert("other_vrf", other);

    // Inserted in the object's own (text) key order, each at the end: in day order, each
    // insert would move the keys after it.
    QVector<QPair<QString, bool>> days;
    if (HYear* year = p->getYear()) {
        for (int m = 1; m <= 12; ++m) {
            HMonth* month = year->getMonth(m);
            if (!month)
                continue;
            for (HDay* day : *month)
                days.append({QString::number(day->Getdate().dayOfYear()), day->GetisHoliday()});
        }
    }
    std::sort(days.begin(), days.end(),
              [](const QPair<QString, bool>& a, const QPair<QString, bool>& b) { return a.first < b.first; });
    QJsonObject holiday;
    for (const QPair<QString, bool>& day : days)
        holiday.insert(day.first, day.second);
    root.insert("holiday", holiday);
    return root;
}

void HProjectFile::fromJson(const QJsonObject& root, HProject* p, HProjectNotices* notices)
{
    HJsonFieldReader r(root, notices);
    p->setname(r.text("name"));
    p->setdate(r.date("date", QLatin1String(dateFormat)));
    p->setbuild_area(r.nonNegativeNumber("build_area", maxArea, "m²"));
    p->setbuild_height(r.nonNegativeNumber("build_height", maxHeight, "m"));
    p->setnumber_floors(r.nonNegativeInteger("number_floors", maxFloors));
    p->setcooling_peak_load(r.number("cooling_peak_load", -maxLoad, maxLoad, "kW"));
    p->setheating_peak_load(r.number("heating_peak_load", -maxLoad, maxLoad, "kW"));
    p->setcountry(r.text("country"));
    p->setcity(r.text("city"));
    p->setisHave8760WeatherData(r.flag("is_have_8760_weather_data"));
    p->setmax_temp(r.number("max_temp"));
    p->setmin_temp(r.number("min_temp"));
    p->setaverage_temp(r.number("average_temp"));
    p->setindoor_cooling_temperature(
        r.number("indoor_cooling_temperature", minIndoor, maxIndoor, "°C"));
    p->setindoor_heating_temperature(
        r.number("indoor_heating_temperature", minIndoor, maxIndoor, "°C"));
    p->setthermo_mode(r.flag("thermo_mode"));
    p->setelectricity_price(r.nonNegativeNumber("electricity_price", maxEnergyPrice, "per kWh"));
    p->setgas_price(r.nonNegativeNumber("gas_price", maxEnergyPrice, "per kWh"));
    p->setUnit_Load(r.integer("Unit_Load"));
    p->setUnit_Temperature(r.integer("Unit_Temperature"));
    p->setUnit_Length(r.integer("Unit_Length"));
    p->setUnit_AirFlowRate(r.integer("Unit_AirFlowRate"));

    CUnitFun::SetUnitTemp(p->GetUnit_Temperature());
    CUnitFun::SetUnitLoad(p->GetUnit_Load());
    CUnitFun::SetUnitAirFlowRate(p->GetUnit_AirFlowRate());
    CUnitFun::SetUnitLength(p->GetUnit_Length());

    readOperationMap(r, p);
    readOwnSystem(r, p->getOwnVRFSys());
    readOtherSystem(r, p->getOtherVRFSys());

    // The hours' schedule flags (maps and holidays) are recomputed by whoever reads them
    // (the calculation, the summary, the editor's running hours), not here.
    HYear* year = p->getYear();
    QVector<HDay*> days;
    QStringList keys;
    for (int m = 1; year && m <= 12; ++m) {
        if (HMonth* month = year->getMonth(m)) {
            for (HDay* day : *month) {
                days.append(day);
                keys.append(QString::number(day->Getdate().dayOfYear()));
            }
        }
    }
    const QVector<bool> holidays = r.flags(QStringLiteral("holiday"), keys);
    for (int i = 0; i < days.size(); ++i)
        days[i]->setisHoliday(holidays[i]);
}

bool saveProjectFile(const QString& path, QString* error)
{
    HProject* project = HProject::getProject();
    const QJsonDocument doc(HProjectFile::toJson(project));
    QString why;
    if (path.isEmpty()) {
        if (error)
            *error = TranslateString("No file name given.");
        return false;
    }
    if (!HJsonFunc::jsonDocToFile(doc, path, QJsonDocument::Indented, &why)) {
        if (error)
            *error = TranslateString("Cannot save the project to %1: %2").arg(path, why);
        return false;
    }
    project->setfilePath(path);
    return true;
}

bool loadProjectFile(const QString& path, QString* error, HProjectNotices* notices)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        if (error)
            *error = TranslateString("Project file not found: %1").arg(path);
        return false;
    }
    QJsonDocument doc;
    QString why;
    if (!HJsonFunc::readFileToJsonDoc(path, doc, &why)) {
        if (error)
            *error = TranslateString("Cannot read the project file %1: %2").arg(path, why);
        return false;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.isEmpty()) {
        if (error)
            *error = TranslateString("Not a project file (no project data): %1").arg(path);
        return false;
    }
    HProjectFile::fromJson(root, HProject::getProject(), notices);
    return true;
}
