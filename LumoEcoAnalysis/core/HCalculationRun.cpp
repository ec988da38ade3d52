#include "HCalculationRun.h"

#include "HCalHelper.h"
#include "HCalculationFigures.h"
#include "HDatabase.h"
#include "HJsonConfig.h"
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

#include <cmath>

namespace {

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
    if (!calculateYear(adjust))
        return fail(CannotCalculate, notFiniteMessage());

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

bool HCalculationRun::calculateYear(bool adjust)
{
    HCalHelper::calculateLoadAtHour(adjust);
    const bool finite = resultsAreFinite();
    HProject::getProject()->setisCalculationSuccess(finite);
    return finite;
}

bool HCalculationRun::resultsAreFinite()
{
    HProject* project = HProject::getProject();
    const double price = project->Getelectricity_price();
    for (HVRF* sys : {project->getOwnVRFSys(), project->getOtherVRFSys()}) {
        if (!sys)
            continue;
        double year = 0.0;
        for (int m = 1; m <= 12; ++m)
            year += sys->getMonthEnergyConsumption(m);
        // The yearly sum and its cost overflow first.
        if (!std::isfinite(year) || !std::isfinite(year * price))
            return false;
    }
    HVRF* own = project->getOwnVRFSys();
    for (const HStatResult* stat :
         {own ? own->getStatResultCooling() : nullptr, own ? own->getStatResultHeating() : nullptr}) {
        for (const BinRow& b : binsOf(stat)) {
            for (double v : {b.loadRatio, b.buildingLoad, b.totalLoad, b.oduKWh, b.iduKWh,
                             b.totalKWh})
                if (!std::isfinite(v))
                    return false;
        }
    }
    return true;
}

QString HCalculationRun::notFiniteMessage()
{
    return TranslateString("The calculation gives no finite result: values of the project are "
                           "too large (see the warnings). Check its loads, capacities, power "
                           "inputs and prices.");
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
    HStatResult otherCooling;
    HStatResult otherHeating;
    HCalculationFigures::binOtherSystem(project, &otherCooling, &otherHeating);
    r.otherCoolingBins = binsOf(&otherCooling);
    r.otherHeatingBins = binsOf(&otherHeating);
    r.figures = HCalculationFigures::compute(project);
    return r;
}
