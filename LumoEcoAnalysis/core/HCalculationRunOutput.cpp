// The calculation run's figures as text: the table, JSON and CSV that lumoeco prints,
// and the hourly CSV.
#include "HCalculationRun.h"

#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HOutputFile.h"
#include "HProject.h"
#include "HYear.h"

#include <QHash>
#include <QJsonArray>
#include <QTextStream>

#include <cmath>

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

// A figure that may be undefined (NaN): "-" in the table.
QString figure(double v, int decimals)
{
    return std::isnan(v) ? QStringLiteral("-") : num(v, decimals);
}

// ... empty in CSV, null in JSON.
QString exactOrEmpty(double v)
{
    return std::isnan(v) ? QString() : exact(v);
}

QJsonValue jsonNumber(double v)
{
    return std::isnan(v) ? QJsonValue() : QJsonValue(v);
}

QJsonObject systemJson(const HCalculationFigures& f, const HCalculationFigures::System& sys)
{
    QJsonObject o;
    o.insert("kwh_per_m2", jsonNumber(f.kWhPerM2(sys)));
    o.insert("cooling_kwh", sys.coolingKWh);
    o.insert("heating_kwh", sys.heatingKWh);
    o.insert("cooling_delivered_kwh", sys.coolingDeliveredKWh);
    o.insert("heating_delivered_kwh", sys.heatingDeliveredKWh);
    o.insert("seasonal_cooling_efficiency", jsonNumber(sys.seasonalCoolingEfficiency()));
    o.insert("seasonal_heating_efficiency", jsonNumber(sys.seasonalHeatingEfficiency()));
    o.insert("seasonal_efficiency", jsonNumber(sys.seasonalEfficiency()));
    o.insert("cooling_capacity_kw", sys.coolingCapacityKW);
    o.insert("heating_capacity_kw", sys.heatingCapacityKW);
    o.insert("cooling_capacity_percent_of_peak", jsonNumber(f.coolingCapacityPercent(sys)));
    o.insert("heating_capacity_percent_of_peak", jsonNumber(f.heatingCapacityPercent(sys)));
    return o;
}

} // namespace

QString HCalculationRun::csvField(QString text)
{
    if (text.contains(',') || text.contains('"') || text.contains('\n')) {
        text.replace('"', QStringLiteral("\"\""));
        return '"' + text + '"';
    }
    return text;
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

    const HCalculationFigures& f = r.figures;
    s << "\n"
      << qSetFieldWidth(32) << Qt::left << "Figures" << Qt::right << qSetFieldWidth(13) << "Own"
      << "Other" << qSetFieldWidth(0) << "\n";
    auto figureLine = [&s](const char* label, const QString& own, const QString& other) {
        s << qSetFieldWidth(32) << Qt::left << label << Qt::right << qSetFieldWidth(13) << own
          << other << qSetFieldWidth(0) << "\n";
    };
    auto share = [](double part, double whole) {
        return figure(whole > 0.0 ? part / whole * 100.0 : std::nan(""), 1);
    };
    figureLine("kWh per m2 and year", figure(f.kWhPerM2(f.own), 2), figure(f.kWhPerM2(f.other), 2));
    figureLine("Cooling kWh", num(f.own.coolingKWh), num(f.other.coolingKWh));
    figureLine("Heating kWh", num(f.own.heatingKWh), num(f.other.heatingKWh));
    figureLine("Cooling share %", share(f.own.coolingKWh, f.own.totalKWh()),
               share(f.other.coolingKWh, f.other.totalKWh()));
    figureLine("Cooling delivered kWh", num(f.own.coolingDeliveredKWh),
               num(f.other.coolingDeliveredKWh));
    figureLine("Heating delivered kWh", num(f.own.heatingDeliveredKWh),
               num(f.other.heatingDeliveredKWh));
    figureLine("Seasonal cooling efficiency", figure(f.own.seasonalCoolingEfficiency(), 2),
               figure(f.other.seasonalCoolingEfficiency(), 2));
    figureLine("Seasonal heating efficiency", figure(f.own.seasonalHeatingEfficiency(), 2),
               figure(f.other.seasonalHeatingEfficiency(), 2));
    figureLine("Seasonal efficiency, both", figure(f.own.seasonalEfficiency(), 2),
               figure(f.other.seasonalEfficiency(), 2));
    figureLine("Outdoor cooling capacity kW", num(f.own.coolingCapacityKW),
               num(f.other.coolingCapacityKW));
    figureLine("  % of the cooling peak load", figure(f.coolingCapacityPercent(f.own), 1),
               figure(f.coolingCapacityPercent(f.other), 1));
    figureLine("Outdoor heating capacity kW", num(f.own.heatingCapacityKW),
               num(f.other.heatingCapacityKW));
    figureLine("  % of the heating peak load", figure(f.heatingCapacityPercent(f.own), 1),
               figure(f.heatingCapacityPercent(f.other), 1));
    s << "Floor area " << num(f.buildArea, 1)
      << " m2. Seasonal efficiency: delivered / electricity (outdoor and indoor\n"
         "units) over the hours the units run; - where a figure has no basis.\n";

    auto bins = [&s](const char* title, const QVector<BinRow>& rows,
                     const QVector<BinRow>& otherRows) {
        QHash<double, double> other;
        for (const BinRow& b : otherRows)
            other.insert(b.temp, b.totalKWh);
        s << "\n" << title << "\n";
        s << qSetFieldWidth(7) << "Temp C" << qSetFieldWidth(7) << "Hours" << qSetFieldWidth(9)
          << "Load %" << qSetFieldWidth(14) << "Building kW" << qSetFieldWidth(13) << "ODU kWh"
          << "IDU kWh"
          << "Total kWh"
          << "Other kWh" << qSetFieldWidth(0) << "\n";
        if (rows.isEmpty())
            s << "    (no hours)\n";
        for (const BinRow& b : rows)
            s << qSetFieldWidth(7) << num(b.temp, 0) << qSetFieldWidth(7) << b.hours
              << qSetFieldWidth(9) << num(b.loadRatio * 100.0, 1) << qSetFieldWidth(14)
              << num(b.buildingLoad) << qSetFieldWidth(13) << num(b.oduKWh) << num(b.iduKWh)
              << num(b.totalKWh) << num(other.value(b.temp)) << qSetFieldWidth(0) << "\n";
    };
    bins("Cooling hours by outdoor temperature: own system, and the other system's total",
         r.coolingBins, r.otherCoolingBins);
    bins("Heating hours by outdoor temperature: own system, and the other system's total",
         r.heatingBins, r.otherHeatingBins);
    s << "\nTemp C: upper end of the 1-degree bin (t-1, t]. Hours: every hour of the bin, "
         "schedule-off and\nthermo-off hours included; kWh: only the hours the units run. "
         "Load % (building load ratio,\nnegative in heating) and Building kW: the values of "
         "the bin's last hour, not averages.\n";
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
    QJsonObject otherBins;
    otherBins.insert("cooling", binsJson(r.otherCoolingBins));
    otherBins.insert("heating", binsJson(r.otherHeatingBins));

    QJsonObject figures;
    figures.insert("build_area_m2", r.figures.buildArea);
    figures.insert("own", systemJson(r.figures, r.figures.own));
    figures.insert("other", systemJson(r.figures, r.figures.other));

    QJsonObject root;
    root.insert("project", project);
    root.insert("location", location);
    root.insert("peak_load", peak);
    root.insert("monthly", months);
    root.insert("year", monthJson(r.year));
    root.insert("figures", figures);
    root.insert("own_temperature_bins", bins);
    root.insert("other_temperature_bins", otherBins);
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
    s << "project," << csvField(r.name) << "\n";
    s << "file," << csvField(r.projectFile) << "\n";
    s << "country," << csvField(r.country) << "\n";
    s << "city," << csvField(r.city) << "\n";
    s << "weather_table," << csvField(r.weatherTable) << "\n";
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
    s << "build_area_m2," << exact(r.figures.buildArea) << "\n";
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
    s << "mode,temp,hours,load_ratio,building_load_kw,total_load,odu_kwh,idu_kwh,total_kwh,"
         "other_odu_kwh,other_idu_kwh,other_total_kwh\n";
    auto bins = [&s](const char* mode, const QVector<BinRow>& rows,
                     const QVector<BinRow>& otherRows) {
        QHash<double, BinRow> other;
        for (const BinRow& b : otherRows)
            other.insert(b.temp, b);
        for (const BinRow& b : rows) {
            const BinRow o = other.value(b.temp);
            s << mode << ',' << exact(b.temp) << ',' << b.hours << ',' << exact(b.loadRatio) << ','
              << exact(b.buildingLoad) << ',' << exact(b.totalLoad) << ',' << exact(b.oduKWh) << ','
              << exact(b.iduKWh) << ',' << exact(b.totalKWh) << ',' << exact(o.oduKWh) << ','
              << exact(o.iduKWh) << ',' << exact(o.totalKWh) << "\n";
        }
    };
    bins("cooling", r.coolingBins, r.otherCoolingBins);
    bins("heating", r.heatingBins, r.otherHeatingBins);
    s << "\n";
    s << "system,kwh_per_m2,cooling_kwh,heating_kwh,cooling_delivered_kwh,heating_delivered_kwh,"
         "seasonal_cooling_efficiency,seasonal_heating_efficiency,seasonal_efficiency,"
         "cooling_capacity_kw,heating_capacity_kw,cooling_capacity_percent_of_peak,"
         "heating_capacity_percent_of_peak\n";
    const HCalculationFigures& f = r.figures;
    for (const auto& [name, sys] : {std::make_pair("own", f.own), std::make_pair("other", f.other)})
        s << name << ',' << exactOrEmpty(f.kWhPerM2(sys)) << ',' << exact(sys.coolingKWh) << ','
          << exact(sys.heatingKWh) << ',' << exact(sys.coolingDeliveredKWh) << ','
          << exact(sys.heatingDeliveredKWh) << ',' << exactOrEmpty(sys.seasonalCoolingEfficiency())
          << ',' << exactOrEmpty(sys.seasonalHeatingEfficiency()) << ','
          << exactOrEmpty(sys.seasonalEfficiency()) << ',' << exact(sys.coolingCapacityKW) << ','
          << exact(sys.heatingCapacityKW) << ',' << exactOrEmpty(f.coolingCapacityPercent(sys))
          << ',' << exactOrEmpty(f.heatingCapacityPercent(sys)) << "\n";
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
