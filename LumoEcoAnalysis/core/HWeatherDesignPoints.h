#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Summer and winter design points of every city of the weather database index:
// the averaged hour exceeded by `ignoreHours` hotter (summer) or undercut by
// `ignoreHours` colder (winter) hours, with the humidity ratio of that air at
// 101000 Pa. Shared by the weather page's batch run and the command line.
class HWeatherDesignPoints
{
public:
    struct Point
    {
        QString tableName;
        QString country;
        QString city;
        bool ok = false; // both points exist (the table has more than ignoreHours hours)
        double summerDry = 0.0;
        double summerHumidity = 0.0; // fraction
        double summerW = 0.0;        // kg water / kg dry air
        double winterDry = 0.0;
        double winterHumidity = 0.0;
        double winterW = 0.0;
    };

    // Every table of tb_glb_idx in index order (each table once).
    static QStringList tableNames();
    // Runs the cached analysis of every table (fills missing cache files);
    // `progress` receives (index, count) after each table.
    static void analyseAll(const std::function<void(int, int)>& progress = {});
    // The design points of every table of the index.
    static QVector<Point> compute(int ignoreHours = 35);
    // Writes the points that exist into tb_glb_idx (SummeryDry, SummeryWet,
    // WinterDry, WinterWet, as text with six significant digits) in one
    // transaction; on failure nothing is changed and `error` says why.
    static bool write(const QVector<Point>& points, QString* error = nullptr);
};
