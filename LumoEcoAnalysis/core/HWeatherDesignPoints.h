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

    struct BatchResult
    {
        int tables = 0;         // tables of the index
        int stored = 0;         // tables whose design points were written
        bool cancelled = false; // stopped by the progress callback: nothing was written
        bool ok = false;        // every step ran and the points are stored
        QString error;
    };
    // Reports `done` of `steps` (0 before the first); returning false stops the run.
    using Progress = std::function<bool(int done, int steps)>;

    // The batch of the weather page: the cached analysis of every table (one step
    // each), the design points of every table (one step each), then the points
    // written in one transaction. A stopped run writes nothing. Afterwards the
    // program-wide weather table and the project's weather statistics are the ones
    // from before the run, so the project keeps describing its own city.
    static BatchResult runBatch(int ignoreHours, const Progress& progress = {});

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

private:
    // (table, country, city) of every table of the index, in index order.
    static QVector<Point> indexRows();
    static void computePoint(Point& point, int ignoreHours);
};
