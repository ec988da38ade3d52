#include "HWeatherDesignPoints.h"

#include "CAirState.h"
#include "HDatabase.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

QStringList HWeatherDesignPoints::tableNames()
{
    QStringList names;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(QStringLiteral(
        "select [TableName] from tb_glb_idx group by [TableName] order by min(rowid)"));
    while (q.next()) {
        const QString name = q.value(0).toString();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

void HWeatherDesignPoints::analyseAll(const std::function<void(int, int)>& progress)
{
    const QStringList names = tableNames();
    for (int i = 0; i < names.size(); ++i) {
        HWeatherAnalysis analysis(names[i]);
        analysis.analysisData();
        if (progress)
            progress(i, names.size());
    }
}

QVector<HWeatherDesignPoints::Point> HWeatherDesignPoints::indexRows()
{
    QVector<Point> rows;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [TableName], min([nation]), min([city]) from tb_glb_idx "
                       "group by [TableName] order by min(rowid)"));
    while (q.next()) {
        Point p;
        p.tableName = q.value(0).toString();
        p.country = q.value(1).toString();
        p.city = q.value(2).toString();
        if (!p.tableName.isEmpty())
            rows.append(p);
    }
    return rows;
}

void HWeatherDesignPoints::computePoint(Point& p, int ignoreHours)
{
    HWeatherAnalysis analysis(p.tableName);
    analysis.setIgnoreHours(ignoreHours);
    if (analysis.calcuateDesignAverageTempInSummer(p.summerDry, p.summerHumidity)
        && analysis.calcuateDesignAverageTempInWinter(p.winterDry, p.winterHumidity)) {
        CAirState air(101000.0);
        air.SetD_RH(p.summerDry, p.summerHumidity);
        p.summerW = air.GetW();
        air.SetD_RH(p.winterDry, p.winterHumidity);
        p.winterW = air.GetW();
        p.ok = true;
    }
}

QVector<HWeatherDesignPoints::Point> HWeatherDesignPoints::compute(int ignoreHours)
{
    QVector<Point> points = indexRows();
    for (Point& p : points)
        computePoint(p, ignoreHours);
    return points;
}

HWeatherDesignPoints::BatchResult HWeatherDesignPoints::runBatch(int ignoreHours,
                                                                 const Progress& progress)
{
    // Every analysis hands its figures to the project and moves the program-wide
    // table; put both back whatever way the run ends.
    struct Restore
    {
        LumoWeather* weather = LumoWeather::getQWeather();
        HProject* project = HProject::getProject();
        QString table = weather->getWeatherTableName();
        QJsonArray statis = project->getWeatherStatisData();
        QJsonObject extreme = project->getWeatherExtremeData();
        ~Restore()
        {
            weather->setWeatherTableName(table);
            project->setWeatherStatisData(statis);
            project->setWeatherExtremeData(extreme);
        }
    } restore;

    BatchResult result;
    QVector<Point> points = indexRows();
    result.tables = points.size();
    const int steps = 2 * points.size();
    int done = 0;
    auto advance = [&] {
        if (progress && !progress(done, steps)) {
            result.cancelled = true;
            return false;
        }
        return true;
    };
    if (!advance())
        return result;
    for (const Point& p : qAsConst(points)) {
        HWeatherAnalysis analysis(p.tableName);
        analysis.setIgnoreHours(ignoreHours);
        analysis.analysisData();
        ++done;
        if (!advance())
            return result;
    }
    for (Point& p : points) {
        computePoint(p, ignoreHours);
        ++done;
        if (!advance())
            return result;
    }
    if (!write(points, &result.error))
        return result;
    result.stored =
        int(std::count_if(points.cbegin(), points.cend(), [](const Point& p) { return p.ok; }));
    result.ok = true;
    return result;
}

bool HWeatherDesignPoints::write(const QVector<Point>& points, QString* error)
{
    HDatabase* db = LumoWeather::getWeatherDB();
    if (!db || !db->isVilidDatabase()) {
        if (error)
            *error = QStringLiteral("the weather database is not open");
        return false;
    }
    auto number = [](double v) {
        return QString::number(v, 'g', 6);
    };
    if (!db->transaction()) {
        if (error)
            *error = QStringLiteral("cannot start a transaction: %1").arg(db->lastError());
        return false;
    }
    for (const Point& p : points) {
        if (!p.ok)
            continue;
        if (!db->exec(QStringLiteral("update tb_glb_idx set [SummeryDry] = ? , [SummeryWet] = ? , "
                                     "[WinterDry] = ? , [WinterWet] = ? where [tableName] = ?"),
                      {number(p.summerDry), number(p.summerW), number(p.winterDry),
                       number(p.winterW), p.tableName})) {
            const QString why = db->lastError();
            db->rollback();
            if (error)
                *error = QStringLiteral("cannot store the design points of %1: %2")
                             .arg(p.tableName, why);
            return false;
        }
    }
    if (!db->commit()) {
        const QString why = db->lastError();
        db->rollback();
        if (error)
            *error = QStringLiteral("cannot store the design points: %1").arg(why);
        return false;
    }
    return true;
}
