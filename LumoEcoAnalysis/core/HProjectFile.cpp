#include "HProjectFile.h"

#include "CUnitFun.h"
#include "HDay.h"
#include "HJsonFunc.h"
#include "HMonth.h"
#include "HProject.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "HVRFProductStatements.h"
#include "HYear.h"
#include "TranslateString.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <limits>

namespace {

const char* const dateFormat = "yyyy-MM-dd";

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

void readOwnSystem(const QJsonObject& sysObject, HVRF* sys)
{
    if (!sys || sysObject.isEmpty())
        return;
    sys->reset();
    const QJsonArray units = sysObject.value("unit_group").toArray();
    HVRFProductStatements statements;
    for (const QJsonValue& value : units) {
        const QJsonObject o = value.toObject();
        const int quantity = HProjectFile::truncatedInt(o.value("quantity").toDouble());
        if (quantity <= 0)
            continue;
        // Capacities and power inputs always come from the product database.
        sys->append(HVRFProductHelper::newOwnUnit(o.value("id_series").toInt(),
                                                  o.value("unit_type").toString(),
                                                  o.value("unit_productcode").toString(), quantity,
                                                  o.value("is_odu").toBool(), &statements));
    }
}

void readOtherSystem(const QJsonObject& sysObject, HVRF* sys)
{
    if (!sys || sysObject.isEmpty())
        return;
    sys->reset();
    const QJsonArray units = sysObject.value("unit_group").toArray();
    for (const QJsonValue& value : units) {
        const QJsonObject o = value.toObject();
        auto* unit = new HUnit;
        unit->setunit_type(o.value("unit_type").toString());
        unit->setid_series(o.value("id_series").toInt());
        unit->setunit_productcode(o.value("unit_productcode").toString());
        unit->setquantity(HProjectFile::truncatedInt(o.value("quantity").toDouble()));
        unit->settotal_capacity_cooling(o.value("total_capacity_cooling").toDouble());
        unit->setpower_input_cooling(o.value("power_input_cooling").toDouble());
        unit->settotal_capacity_heating(o.value("total_capacity_heating").toDouble());
        unit->setpower_input_heating(o.value("power_input_heating").toDouble());
        unit->setprice_ea(o.value("price_ea").toDouble());
        unit->setis_odu(o.value("is_odu").toBool());
        sys->append(unit);
    }
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
    root.insert("other_vrf", systemToJson(p->getOtherVRFSys()));

    QJsonObject holiday;
    if (HYear* year = p->getYear()) {
        for (int m = 1; m <= 12; ++m) {
            HMonth* month = year->getMonth(m);
            if (!month)
                continue;
            for (HDay* day : *month)
                holiday.insert(QString::number(day->Getdate().dayOfYear()), day->GetisHoliday());
        }
    }
    root.insert("holiday", holiday);
    return root;
}

void HProjectFile::fromJson(const QJsonObject& root, HProject* p)
{
    p->setname(root.value("name").toString());
    p->setdate(QDate::fromString(root.value("date").toString(), dateFormat));
    p->setbuild_area(root.value("build_area").toDouble());
    p->setbuild_height(root.value("build_height").toDouble());
    p->setnumber_floors(root.value("number_floors").toInt());
    p->setcooling_peak_load(root.value("cooling_peak_load").toDouble());
    p->setheating_peak_load(root.value("heating_peak_load").toDouble());
    p->setcountry(root.value("country").toString());
    p->setcity(root.value("city").toString());
    p->setisHave8760WeatherData(root.value("is_have_8760_weather_data").toBool());
    p->setmax_temp(root.value("max_temp").toDouble());
    p->setmin_temp(root.value("min_temp").toDouble());
    p->setaverage_temp(root.value("average_temp").toDouble());
    p->setindoor_cooling_temperature(root.value("indoor_cooling_temperature").toDouble());
    p->setindoor_heating_temperature(root.value("indoor_heating_temperature").toDouble());
    p->setthermo_mode(root.value("thermo_mode").toBool());
    p->setelectricity_price(root.value("electricity_price").toDouble());
    p->setgas_price(root.value("gas_price").toDouble());
    p->setUnit_Load(root.value("Unit_Load").toInt());
    p->setUnit_Temperature(root.value("Unit_Temperature").toInt());
    p->setUnit_Length(root.value("Unit_Length").toInt());
    p->setUnit_AirFlowRate(root.value("Unit_AirFlowRate").toInt());

    CUnitFun::SetUnitTemp(p->GetUnit_Temperature());
    CUnitFun::SetUnitLoad(p->GetUnit_Load());
    CUnitFun::SetUnitAirFlowRate(p->GetUnit_AirFlowRate());
    CUnitFun::SetUnitLength(p->GetUnit_Length());

    const QJsonObject operation = root.value("operation_map").toObject();
    const QJsonObject daily = operation.value("daily").toObject();
    const QJsonObject week = operation.value("week").toObject();
    const QJsonObject month = operation.value("month").toObject();
    for (int h = 0; h < 24; ++h)
        p->setOperationDailyIsOn(h, daily.value(QString::number(h)).toBool());
    for (int d = 1; d <= 7; ++d)
        p->setOperationWeeklyIsOn(d, week.value(QString::number(d)).toBool());
    for (int m = 1; m <= 12; ++m)
        p->setOperationMonthlyIsOn(m, month.value(QString::number(m)).toBool());

    readOwnSystem(root.value("own_vrf").toObject(), p->getOwnVRFSys());
    readOtherSystem(root.value("other_vrf").toObject(), p->getOtherVRFSys());

    // The hours' schedule flags are recomputed by the calculation, not here.
    const QJsonObject holiday = root.value("holiday").toObject();
    if (HYear* year = p->getYear()) {
        for (int m = 1; m <= 12; ++m) {
            HMonth* monthObj = year->getMonth(m);
            if (!monthObj)
                continue;
            for (HDay* day : *monthObj)
                day->setisHoliday(
                    holiday.value(QString::number(day->Getdate().dayOfYear())).toBool());
        }
    }
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

bool loadProjectFile(const QString& path, QString* error)
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
    HProjectFile::fromJson(root, HProject::getProject());
    return true;
}
