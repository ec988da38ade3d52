#include "HWeatherLocation.h"

#include "HDatabase.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"

#include <QSet>
#include <QSqlQuery>

namespace {
QStringList sortedTexts(QSqlQuery q)
{
    QStringList texts;
    while (q.next()) {
        const QString text = q.value(0).toString();
        if (!text.isEmpty())
            texts.append(text);
    }
    texts.sort(Qt::CaseSensitive);
    return texts;
}
} // namespace

QStringList HWeatherLocation::countries()
{
    return sortedTexts(LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select distinct [nation] from tb_glb_idx")));
}

QStringList HWeatherLocation::cities(const QString& country)
{
    return sortedTexts(LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select distinct [city] from tb_glb_idx where [nation] = ?"), {country}));
}

QString HWeatherLocation::findCityTable(const QString& country, const QString& city)
{
    LumoWeather* weather = LumoWeather::getQWeather();
    QSqlQuery q = weather->weatherQuery(
        QStringLiteral("select [tableName] from tb_glb_idx where [nation] = ? and [city] = ?"),
        {country, city});
    if (q.next())
        return q.value(0).toString();
    // Compared here, not in SQL: the database folds the case of ASCII letters only.
    QSet<QString> tables;
    QSqlQuery all = weather->weatherQuery(
        QStringLiteral("select [nation], [city], [tableName] from tb_glb_idx"));
    while (all.next()) {
        if (all.value(0).toString().compare(country, Qt::CaseInsensitive) == 0
            && all.value(1).toString().compare(city, Qt::CaseInsensitive) == 0)
            tables.insert(all.value(2).toString());
    }
    return tables.size() == 1 ? *tables.cbegin() : QString();
}

bool HWeatherLocation::setProjectLocation(const QString& country, const QString& city,
                                          int ignoreHours, Result* result)
{
    HProject* project = HProject::getProject();
    const QString table = findCityTable(country, city);
    if (result)
        *result = Result();
    // An index row whose table is missing, unquotable or without one valid reading
    // would fill the year with 0 degrees and pass it off as weather.
    const QString quoted = HDatabase::quoteIdentifier(table);
    const bool readable = !quoted.isEmpty()
        && LumoWeather::getQWeather()
               ->weatherQuery(QStringLiteral("select 1 from %1 where dry_temp<100 and not "
                                             "(month = 2 and day = 29) limit 1")
                                  .arg(quoted))
               .next();
    if (!readable) {
        project->setisHave8760WeatherData(false);
        return false;
    }
    project->setisHave8760WeatherData(true);

    LumoWeather* weather = LumoWeather::getQWeather();
    weather->setWeatherTableName(table);
    HWeatherAnalysis analysis(table);
    analysis.setcountry(country);
    analysis.setcity(city);
    analysis.setIgnoreHours(ignoreHours);
    analysis.analysisData();

    project->setmax_temp(analysis.GetMaxTemperature());
    project->setmin_temp(analysis.GetMinTemperature());
    project->setaverage_temp(analysis.GetAverageTemperature());
    // The analysis leaves the program-wide table on `table`; fill the year from it.
    weather->setWeatherTableName(table);
    weather->initYearWeatherData(project->getYear());

    if (result) {
        result->found = true;
        result->tableName = table;
        result->maxTemp = analysis.GetMaxTemperature();
        result->minTemp = analysis.GetMinTemperature();
        result->designTemp = analysis.GetAverageTemperature();
        result->filledHours = weather->filledHours();
    }
    return true;
}
