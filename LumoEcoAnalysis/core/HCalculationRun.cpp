#include "HCalculationRun.h"

#include "HCalHelper.h"
#include "HDatabase.h"
#include "HDay.h"
#include "HHour.h"
#include "HJsonConfig.h"
#include "HMonth.h"
#include "HOutputFile.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HWeatherAnalysis.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TranslateString.h"

#include <QJsonArray>
#include <QTextStream>

namespace {

QString num(double v, int decimals = 2)
{
    return QString::number(v, 'f', decimals);
}

// Full precision for files other programs read back.
QString exact(double v)
{
    return QString::number(v, 'g', 15);
}

double ratioPercent(double own, double other)
{
    return other != 0.0 ? own / other * 100.0 : 0.0;
}

QVector<HCalculationRun::BinRow> binsOf(const HStatResult* stat)
{
    QVector<HCalculationRun::BinRow> rows;
    if (!stat)
        return rows;
    for (const HStatItem* item : *stat) {
        HCalculationRun::BinRow r;
        r.temp = item->Gettemp();
        r.hours = item->Gethours();
        r.loadRatio = item->Getload_precent();
        r.buildingLoad = item->Getbuilding_load();
        r.totalLoad = item->Gettotal_load();
        r.oduKWh = item->Getodu_energy_consumption();
        r.iduKWh = item->Getidu_energy_consumption();
        r.totalKWh = item->Gettotal_energy_consumption();
        rows.append(r);
    }
    return rows;
}

int countLines(HVRF* sys, bool odu)
{
    if (!sys)
        return 0;
    QVector<HUnit*> units;
    return odu ? sys->getAllOutoorUnits(units) : sys->getAllIndoorUnits(units);
}

QJsonObject monthJson(const HCalculationRun::MonthRow& m)
{
    QJsonObject o;
    if (m.month > 0)
        o.insert("month", m.month);
    o.insert("own_kwh", m.ownKWh);
    o.insert("other_kwh", m.otherKWh);
    o.insert("ratio_percent", m.ratioPercent);
    o.insert("own_cost", m.ownCost);
    o.insert("other_cost", m.otherCost);
    return o;
}

QJsonArray binsJson(const QVector<HCalculationRun::BinRow>& bins)
{
    QJsonArray a;
    for (const HCalculationRun::BinRow& b : bins) {
        QJsonObject o;
        o.insert("temp", b.temp);
        o.insert("hours", b.hours);
        o.insert("load_ratio", b.loadRatio);
        o.insert("building_load_kw", b.buildingLoad);
        o.insert("total_load", b.totalLoad);
        o.insert("odu_kwh", b.oduKWh);
        o.insert("idu_kwh", b.iduKWh);
        o.insert("total_kwh", b.totalKWh);
        a.append(o);
    }
    return a;
}

QString csvText(QString text)
{
    if (text.contains(',') || text.contains('"') || text.contains('\n')) {
        text.replace('"', QStringLiteral("\"\""));
        return '"' + text + '"';
    }
    return text;
}

} // namespace

HCalculationRun::Status HCalculationRun::run(const Options& options, QString* message)
{
    m_notices.clear();
    m_refusal = HCalHelper::Refusal::None;
    auto fail = [message](Status status, const QString& text) {
        if (message)
            *message = text;
        return status;
    };

    QString error;
    if (!HProjectSession::openProject(options.projectPath, &error, &m_notices))
        return fail(BadInput, error);
    HProject* project = HProject::getProject();

    HDatabase* weatherDb = LumoWeather::getWeatherDB();
    if (!weatherDb || !weatherDb->isVilidDatabase())
        return fail(BadInput,
                    QStringLiteral("Cannot open the weather database %1")
                        .arg(LumoWeather::weatherDbPath()));
    if (project->Getcountry().isEmpty() || project->Getcity().isEmpty())
        return fail(BadInput,
                    QStringLiteral("The project %1 has no location (country and city): give it "
                                   "a city of the weather database")
                        .arg(options.projectPath));

    const int ignoreHours = options.ignoreHours >= 0
        ? options.ignoreHours
        : HWeatherAnalysis::calculateIgnoreHours(options.percent);
    HWeatherLocation::Result location;
    if (!HWeatherLocation::setProjectLocation(project->Getcountry(), project->Getcity(),
                                              ignoreHours, &location)) {
        const QString table =
            HWeatherLocation::findCityTable(project->Getcountry(), project->Getcity());
        if (!table.isEmpty())
            return fail(BadInput,
                        QStringLiteral("The weather table %1 of \"%2\" (country \"%3\") in %4 "
                                       "holds no valid readings: import the city's weather "
                                       "again from an EPW or TMY3 file")
                            .arg(table, project->Getcity(), project->Getcountry(),
                                 LumoWeather::weatherDbPath()));
        return fail(
            BadInput,
            QStringLiteral("Unknown city \"%1\" (country \"%2\") in the weather database %3: "
                           "choose a city the database lists, or import the city's weather")
                .arg(project->Getcity(), project->Getcountry(), LumoWeather::weatherDbPath()));
    }

    if (location.filledHours > 0)
        m_notices.add(TranslateString("The weather year lacks a valid reading in %1 of its 8760 "
                                      "hours; their temperature and humidity were interpolated "
                                      "between the nearest hours with readings.")
                          .arg(location.filledHours));

    const bool withoutOther = options.withoutOther;
    HCalHelper::setQuestionHook(
        [withoutOther](const QString&, const QString&) { return withoutOther; });
    const HCalHelper::CheckResult check = HCalHelper::checkCanCalculate();
    HCalHelper::setQuestionHook(nullptr);
    for (const HPeakLoadReplacement& r : check.peakLoadReplacements)
        m_notices.addPeakLoadReplacement(r);
    if (!check.canCalculate) {
        m_refusal = check.refusal;
        return fail(CannotCalculate, check.message.split('\n', Qt::SkipEmptyParts).join(' '));
    }

    HWeatherAnalysis analysis(location.tableName);
    analysis.setIgnoreHours(ignoreHours);
    analysis.analysisData();

    const bool adjust = options.adjustGiven ? options.adjust : configuredAdjust();
    calculateYear(adjust);

    m_result = collect(project->GetfilePath(), ignoreHours, adjust);
    m_result.projectFile = options.projectPath;
    m_result.weatherTable = location.tableName;
    m_result.filledHours = location.filledHours;
    // The first replacement of a load holds the value the project gave.
    m_result.inputCoolingPeakLoad = m_result.coolingPeakLoad;
    m_result.inputHeatingPeakLoad = m_result.heatingPeakLoad;
    for (auto it = m_notices.peakLoadReplacements().crbegin();
         it != m_notices.peakLoadReplacements().crend(); ++it)
        (it->cooling ? m_result.inputCoolingPeakLoad : m_result.inputHeatingPeakLoad) = it->input;
    m_result.peakLoadReplaced = !m_notices.peakLoadReplacements().isEmpty();
    m_result.warnings = m_notices.texts();
    m_result.missingModels = m_notices.missingModels();
    return Success;
}

bool HCalculationRun::configuredAdjust()
{
    bool adjust = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), adjust);
    return adjust;
}

void HCalculationRun::calculateYear(bool adjust)
{
    HCalHelper::calculateLoadAtHour(adjust);
    HProject::getProject()->setisCalculationSuccess(true);
}

HCalculationRun::Result HCalculationRun::collect(const QString& projectFile, int ignoreHours,
                                                 bool adjust)
{
    HProject* project = HProject::getProject();
    HVRF* own = project->getOwnVRFSys();
    HVRF* other = project->getOtherVRFSys();

    Result r;
    r.projectFile = projectFile;
    r.name = project->Getname();
    r.country = project->Getcountry();
    r.city = project->Getcity();
    r.weatherTable = project->getYear() ? project->getYear()->GetweatherTableName() : QString();
    r.ignoreHours = ignoreHours;
    r.maxTemp = project->Getmax_temp();
    r.minTemp = project->Getmin_temp();
    r.designTemp = project->Getaverage_temp();
    r.electricityPrice = project->Getelectricity_price();
    r.coolingPeakLoad = project->Getcooling_peak_load();
    r.heatingPeakLoad = project->Getheating_peak_load();
    r.inputCoolingPeakLoad = r.coolingPeakLoad;
    r.inputHeatingPeakLoad = r.heatingPeakLoad;
    r.adjust = adjust;
    r.ownOutdoorLines = countLines(own, true);
    r.ownIndoorLines = countLines(own, false);
    r.otherOutdoorLines = countLines(other, true);
    r.otherIndoorLines = countLines(other, false);

    const double price = r.electricityPrice;
    for (int m = 1; m <= 12; ++m) {
        MonthRow row;
        row.month = m;
        row.ownKWh = own ? own->getMonthEnergyConsumption(m) : 0.0;
        row.otherKWh = other ? other->getMonthEnergyConsumption(m) : 0.0;
        row.ratioPercent = ratioPercent(row.ownKWh, row.otherKWh);
        row.ownCost = row.ownKWh * price;
        row.otherCost = row.otherKWh * price;
        r.year.ownKWh += row.ownKWh;
        r.year.otherKWh += row.otherKWh;
        r.months.append(row);
    }
    r.year.ratioPercent = ratioPercent(r.year.ownKWh, r.year.otherKWh);
    r.year.ownCost = r.year.ownKWh * price;
    r.year.otherCost = r.year.otherKWh * price;

    r.coolingBins = binsOf(own ? own->getStatResultCooling() : nullptr);
    r.heatingBins = binsOf(own ? own->getStatResultHeating() : nullptr);
    return r;
}

QString HCalculationRun::toTable() const
{
    const Result& r = m_result;
    QString out;
    QTextStream s(&out);
    s << "Project      " << r.name << " (" << r.projectFile << ")\n";
    s << "Location     " << r.city << ", " << r.country << " [" << r.weatherTable << "]\n";
    s << "Temperatures max " << num(r.maxTemp, 1) << " C, min " << num(r.minTemp, 1)
      << " C, design " << num(r.designTemp, 1) << " C (" << r.ignoreHours << " hours exceeded)";
    if (r.filledHours > 0)
        s << "; " << r.filledHours << " hours without a reading interpolated";
    s << "\n";
    s << "Peak loads   cooling " << num(r.coolingPeakLoad) << " kW, heating "
      << num(r.heatingPeakLoad) << " kW (after the capacity check";
    if (r.peakLoadReplaced)
        s << "; given: cooling " << num(r.inputCoolingPeakLoad) << " kW, heating "
          << num(r.inputHeatingPeakLoad) << " kW";
    s << ")\n";
    s << "Units        own " << r.ownOutdoorLines << " outdoor / " << r.ownIndoorLines
      << " indoor lines, other " << r.otherOutdoorLines << " outdoor / " << r.otherIndoorLines
      << " indoor lines\n";
    s << "Price        " << num(r.electricityPrice, 4) << " per kWh; adjust mode "
      << (r.adjust ? "on" : "off") << "\n\n";

    s << qSetFieldWidth(6) << Qt::left << "Month" << Qt::right << qSetFieldWidth(13) << "Own kWh"
      << "Other kWh" << qSetFieldWidth(9) << "Ratio %" << qSetFieldWidth(13) << "Own cost"
      << "Other cost" << qSetFieldWidth(0) << "\n";
    auto line = [&s](const QString& label, const MonthRow& m) {
        s << qSetFieldWidth(6) << Qt::left << label << Qt::right << qSetFieldWidth(13)
          << num(m.ownKWh) << num(m.otherKWh) << qSetFieldWidth(9) << num(m.ratioPercent, 1)
          << qSetFieldWidth(13) << num(m.ownCost) << num(m.otherCost) << qSetFieldWidth(0) << "\n";
    };
    for (const MonthRow& m : r.months)
        line(QString::number(m.month), m);
    line(QStringLiteral("Year"), r.year);
    s << "Ratio %: own / other x 100, and 0 when the other system used no energy (e.g. has no "
         "units).\n";

    auto bins = [&s](const char* title, const QVector<BinRow>& rows) {
        s << "\n" << title << "\n";
        s << qSetFieldWidth(7) << "Temp C" << qSetFieldWidth(7) << "Hours" << qSetFieldWidth(9)
          << "Load %" << qSetFieldWidth(14) << "Building kW" << qSetFieldWidth(13) << "ODU kWh"
          << "IDU kWh"
          << "Total kWh" << qSetFieldWidth(0) << "\n";
        if (rows.isEmpty())
            s << "    (no hours)\n";
        for (const BinRow& b : rows)
            s << qSetFieldWidth(7) << num(b.temp, 0) << qSetFieldWidth(7) << b.hours
              << qSetFieldWidth(9) << num(b.loadRatio * 100.0, 1) << qSetFieldWidth(14)
              << num(b.buildingLoad) << qSetFieldWidth(13) << num(b.oduKWh) << num(b.iduKWh)
              << num(b.totalKWh) << qSetFieldWidth(0) << "\n";
    };
    bins("Own system, cooling hours by outdoor temperature (load %: building load ratio)",
         r.coolingBins);
    bins("Own system, heating hours by outdoor temperature (load %: building load ratio, "
         "negative in heating)",
         r.heatingBins);
    s << "\nTemp C: upper end of the 1-degree bin (t-1, t]. Hours: every hour of the bin, "
         "schedule-off and\nthermo-off hours included; kWh: only the hours the units run. "
         "Load % and Building kW:\nthe values of the bin's last hour, not averages.\n";
    s.flush();
    return out;
}

QJsonObject HCalculationRun::toJson() const
{
    const Result& r = m_result;
    QJsonObject project;
    project.insert("file", r.projectFile);
    project.insert("name", r.name);
    project.insert("electricity_price", r.electricityPrice);
    project.insert("adjust", r.adjust);
    QJsonObject units;
    units.insert("own_outdoor_lines", r.ownOutdoorLines);
    units.insert("own_indoor_lines", r.ownIndoorLines);
    units.insert("other_outdoor_lines", r.otherOutdoorLines);
    units.insert("other_indoor_lines", r.otherIndoorLines);
    project.insert("units", units);

    QJsonObject location;
    location.insert("country", r.country);
    location.insert("city", r.city);
    location.insert("weather_table", r.weatherTable);
    location.insert("max_temp", r.maxTemp);
    location.insert("min_temp", r.minTemp);
    location.insert("design_temp", r.designTemp);
    location.insert("ignore_hours", r.ignoreHours);
    location.insert("filled_hours", r.filledHours);

    QJsonObject peak;
    peak.insert("cooling_kw", r.coolingPeakLoad);
    peak.insert("heating_kw", r.heatingPeakLoad);
    peak.insert("input_cooling_kw", r.inputCoolingPeakLoad);
    peak.insert("input_heating_kw", r.inputHeatingPeakLoad);
    peak.insert("replaced", r.peakLoadReplaced);

    QJsonArray months;
    for (const MonthRow& m : r.months)
        months.append(monthJson(m));

    QJsonObject bins;
    bins.insert("cooling", binsJson(r.coolingBins));
    bins.insert("heating", binsJson(r.heatingBins));

    QJsonObject root;
    root.insert("project", project);
    root.insert("location", location);
    root.insert("peak_load", peak);
    root.insert("monthly", months);
    root.insert("year", monthJson(r.year));
    root.insert("own_temperature_bins", bins);
    root.insert("warnings", QJsonArray::fromStringList(r.warnings));
    QJsonArray missing;
    for (const HProjectNotices::MissingModel& m : r.missingModels) {
        QJsonObject o;
        o.insert("line", m.line);
        o.insert("outdoor", m.outdoor);
        o.insert("category", m.category);
        o.insert("model", m.model);
        missing.append(o);
    }
    root.insert("missing_models", missing);
    return root;
}

QString HCalculationRun::toCsv() const
{
    const Result& r = m_result;
    QString out;
    QTextStream s(&out);
    s << "key,value\n";
    s << "project," << csvText(r.name) << "\n";
    s << "file," << csvText(r.projectFile) << "\n";
    s << "country," << csvText(r.country) << "\n";
    s << "city," << csvText(r.city) << "\n";
    s << "weather_table," << csvText(r.weatherTable) << "\n";
    s << "max_temp," << exact(r.maxTemp) << "\n";
    s << "min_temp," << exact(r.minTemp) << "\n";
    s << "design_temp," << exact(r.designTemp) << "\n";
    s << "ignore_hours," << r.ignoreHours << "\n";
    s << "filled_hours," << r.filledHours << "\n";
    s << "cooling_peak_load_kw," << exact(r.coolingPeakLoad) << "\n";
    s << "heating_peak_load_kw," << exact(r.heatingPeakLoad) << "\n";
    s << "input_cooling_peak_load_kw," << exact(r.inputCoolingPeakLoad) << "\n";
    s << "input_heating_peak_load_kw," << exact(r.inputHeatingPeakLoad) << "\n";
    s << "peak_load_replaced," << (r.peakLoadReplaced ? "true" : "false") << "\n";
    s << "electricity_price," << exact(r.electricityPrice) << "\n";
    s << "adjust," << (r.adjust ? "true" : "false") << "\n";
    s << "\n";
    s << "month,own_kwh,other_kwh,ratio_percent,own_cost,other_cost\n";
    auto row = [&s](const QString& label, const MonthRow& m) {
        s << label << ',' << exact(m.ownKWh) << ',' << exact(m.otherKWh) << ','
          << exact(m.ratioPercent) << ',' << exact(m.ownCost) << ',' << exact(m.otherCost) << "\n";
    };
    for (const MonthRow& m : r.months)
        row(QString::number(m.month), m);
    row(QStringLiteral("year"), r.year);
    s << "\n";
    s << "mode,temp,hours,load_ratio,building_load_kw,total_load,odu_kwh,idu_kwh,total_kwh\n";
    auto bins = [&s](const char* mode, const QVector<BinRow>& rows) {
        for (const BinRow& b : rows)
            s << mode << ',' << exact(b.temp) << ',' << b.hours << ',' << exact(b.loadRatio) << ','
              << exact(b.buildingLoad) << ',' << exact(b.totalLoad) << ',' << exact(b.oduKWh) << ','
              << exact(b.iduKWh) << ',' << exact(b.totalKWh) << "\n";
    };
    bins("cooling", r.coolingBins);
    bins("heating", r.heatingBins);
    s.flush();
    return out;
}

QString HCalculationRun::hourlyCsvHeader()
{
    return QStringLiteral(
        "month,day,hour,hour_order,weekday,schedule_on,thermostat_on,dry_bulb_c,"
        "building_cooling_kw,building_heating_kw,load_ratio,own_ratio,other_ratio,"
        "own_odu_kwh,own_idu_kwh,other_odu_kwh,other_idu_kwh,average_eir");
}

bool HCalculationRun::writeHourlyCsv(const QString& path, QString* error)
{
    HOutputFile file(path);
    if (!file.open(error, QIODevice::Text))
        return false;
    if (!writeHourlyCsv(file.device())) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.device()->errorString());
        return false;
    }
    return file.commit(error);
}

bool HCalculationRun::writeHourlyCsv(QIODevice* device)
{
    HYear* year = HProject::getProject()->getYear();
    if (!year || !device)
        return false;
    QTextStream s(device);
    s << hourlyCsvHeader() << "\n";
    for (int m = 1; m <= 12; ++m) {
        const HMonth* month = year->getMonth(m);
        if (!month)
            continue;
        for (HDay* day : *month) {
            for (int h = 0; h < 24; ++h) {
                const HHour* hour = day->getHour(h);
                if (!hour)
                    continue;
                s << m << ',' << day->Getday() << ',' << h << ',' << hour->Gethour_order() << ','
                  << hour->GetdayOfWeek() << ',' << (hour->GetisTurnOnBySchedule() ? 1 : 0) << ','
                  << (hour->GetisThermostatMode() ? 1 : 0) << ','
                  << exact(hour->Getdry_bulb_temperature()) << ','
                  << exact(hour->Getbuilding_load_cooling()) << ','
                  << exact(hour->Getbuilding_load_heating()) << ','
                  << exact(hour->Getload_precent()) << ',' << exact(hour->GetOwnVRF_load_precent())
                  << ',' << exact(hour->GetOtherVRF_load_precent()) << ','
                  << exact(hour->Getown_vrf_odu_energy_consumption()) << ','
                  << exact(hour->Getown_vrf_idu_energy_consumption()) << ','
                  << exact(hour->Getother_vrf_odu_energy_consumption()) << ','
                  << exact(hour->Getother_vrf_idu_energy_consumption()) << ','
                  << exact(hour->getAverageEIR()) << "\n";
            }
        }
    }
    s.flush();
    return s.status() == QTextStream::Ok;
}
