#include "HWeatherDesignPoints.h"

#include "CAirState.h"
#include "HDatabase.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"

#include <QSqlQuery>
#include <QStringList>

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

QVector<HWeatherDesignPoints::Point> HWeatherDesignPoints::compute(int ignoreHours)
{
    QVector<Point> points;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [TableName], min([nation]), min([city]) from tb_glb_idx "
                       "group by [TableName] order by min(rowid)"));
    while (q.next()) {
        Point p;
        p.tableName = q.value(0).toString();
        p.country = q.value(1).toString();
        p.city = q.value(2).toString();
        if (p.tableName.isEmpty())
            continue;
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
        points.append(p);
    }
    return points;
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
