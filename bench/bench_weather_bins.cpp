// Temperature-bin table of a 30-year city table: one counting query per bin and
// month (the definition) against one aggregated query and one pass.
//
//   bench_weather_bins [years=30]
//
// Builds the city table in a temporary directory, runs both computations on it,
// checks that every count agrees and prints both timings and their ratio.

#include "HAppPaths.h"
#include "HJsonFunc.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

bool buildTable(const QString& path, int years)
{
    bool ok = true;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        if (!db.open())
            return false;
        QSqlQuery q(db);
        q.exec(QStringLiteral(
            "CREATE TABLE tb_glb_idx (nation TEXT, city TEXT, tableName TEXT, SummeryDry TEXT, "
            "SummeryWet TEXT, WinterDry TEXT, WinterWet TEXT)"));
        q.exec(QStringLiteral(
            "INSERT INTO tb_glb_idx (nation, city, tableName) VALUES ('Bench', 'City', 'City30')"));
        q.exec(QStringLiteral(
            "CREATE TABLE City30 (year INTEGER, month INTEGER, day INTEGER, hour INTEGER, "
            "dry_temp REAL, Humidity REAL)"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO City30 VALUES (?, ?, ?, ?, ?, ?)"));
        std::mt19937 gen(20240601u);
        std::uniform_real_distribution<double> noise(-4.0, 4.0);
        for (int y = 1991; y < 1991 + years; ++y) {
            for (QDate d(y, 1, 1); d.year() == y; d = d.addDays(1)) {
                for (int h = 0; h < 24; ++h) {
                    // A continental climate spanning about -12 to 36 degrees.
                    const double season =
                        -std::cos(2 * M_PI * (d.dayOfYear() - 15) / 365.0) * 16.0 + 11.0;
                    const double daily = -std::cos(2 * M_PI * (h - 3) / 24.0) * 5.0;
                    double t = std::round((season + daily + noise(gen)) * 10.0) / 10.0;
                    if (gen() % 5000 == 0)
                        t = 999.0; // an occasional invalid reading
                    q.addBindValue(y);
                    q.addBindValue(d.month());
                    q.addBindValue(d.day());
                    q.addBindValue(h);
                    q.addBindValue(t);
                    q.addBindValue(0.6);
                    ok = ok && q.exec();
                }
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int years = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    QTemporaryDir dir;
    HAppPaths::setApplicationDir(dir.path());
    const QString path = dir.filePath(QStringLiteral("Weather.db3"));
    if (!buildTable(path, years)) {
        std::fprintf(stderr, "cannot build the benchmark table\n");
        return 1;
    }
    LumoWeather::setWeatherDbPath(path);
    LumoWeather weather;

    // Extremes first: both computations take their bins from them.
    HWeatherAnalysis extremes(QStringLiteral("City30"));
    extremes.analysisExtremeData();
    std::printf("table: %d years, %d averaged hours, %.1f to %.1f C\n", years,
                extremes.GettotalHours(), extremes.GetMinTemperature(),
                extremes.GetMaxTemperature());

    HWeatherAnalysis onePass(QStringLiteral("City30"));
    onePass.setMinTemperature(extremes.GetMinTemperature());
    onePass.setMaxTemperature(extremes.GetMaxTemperature());
    QElapsedTimer timer;
    timer.start();
    onePass.analysisStatisData();
    const double onePassMs = timer.nsecsElapsed() / 1e6;

    HWeatherAnalysis perBin(QStringLiteral("City30"));
    perBin.setMinTemperature(extremes.GetMinTemperature());
    perBin.setMaxTemperature(extremes.GetMaxTemperature());
    timer.restart();
    const QJsonArray reference = perBin.statisResultByBinQueries();
    const double perBinMs = timer.nsecsElapsed() / 1e6;

    const bool same = reference == onePass.getStatisResult();
    const int queries = reference.size() * 12;
    std::printf("per-bin counting queries (%d queries): %10.1f ms\n", queries, perBinMs);
    std::printf("one aggregated query + one pass:       %10.1f ms\n", onePassMs);
    std::printf("ratio: %.1fx (goal >= 30x); counts %s\n", perBinMs / onePassMs,
                same ? "identical" : "DIFFER");
    return same ? 0 : 1;
}
