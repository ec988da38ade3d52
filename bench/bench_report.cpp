// The spreadsheet report of a calculated example project: the workbook with the
// hourly sheet ("All", eleven cells for each of the 8760 hours) against the same
// workbook without it, each the median of several runs, side by side with the
// calculation that precedes it. Goal: the report with the hourly sheet in under 1 s.
//
//   bench_report [PROJECT.ee] [runs=5]
//
// Reads the demo databases built beside the program (build/bin).

#include "HAppPaths.h"
#include "HCalculationRun.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProjectSession.h"
#include "HReport.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds of each of `runs` reports; the file size of the last one in `bytes`.
std::vector<double> timeReports(bool printAll, int runs, const QString& path, qint64* bytes)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        HReport report;
        report.setPrintAll(printAll);
        QString error;
        QElapsedTimer timer;
        timer.start();
        const bool ok = report.generateReport(path, &error);
        ms.push_back(timer.nsecsElapsed() / 1e6);
        if (!ok) {
            std::fprintf(stderr, "report failed: %s\n", qPrintable(error));
            return {};
        }
    }
    *bytes = QFileInfo(path).size();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const QString project = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee");
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const QString products = dir.filePath("Product.mdb");
    if (!dir.isValid() || !QFile::copy(QStringLiteral(BRIVANTA_BIN_DIR "/Product.mdb"), products)) {
        std::fprintf(stderr, "build the demo databases first (target brivanta_product_db)\n");
        return 1;
    }
    QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
    HAppPaths::setApplicationDir(dir.path());
    HJsonConfig::read(dir.filePath("ee_config.json"));
    LumoWeather::setWeatherDbPath(QStringLiteral(BRIVANTA_BIN_DIR "/Weather.db3"));
    HProjectSession::registerProductDatabase(products);
    auto productData = std::make_unique<HInitVRFProductECData>();

    HCalculationRun run;
    HCalculationRun::Options options;
    options.projectPath = project;
    QString message;
    QElapsedTimer timer;
    timer.start();
    if (run.run(options, &message) != HCalculationRun::Success) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(project), qPrintable(message));
        return 1;
    }
    const double calculation = timer.nsecsElapsed() / 1e6;

    const QString book = dir.filePath("report.xlsx");
    qint64 smallBytes = 0, fullBytes = 0;
    // One unmeasured report first: fonts, translations and the library are loaded.
    timeReports(true, 1, book, &fullBytes);
    const std::vector<double> without = timeReports(false, runs, book, &smallBytes);
    const std::vector<double> with = timeReports(true, runs, book, &fullBytes);
    if (without.empty() || with.empty())
        return 1;
    const double a = median(without), b = median(with);

    std::printf("project: %s (median of %d reports each)\n",
                qPrintable(QFileInfo(project).fileName()), runs);
    std::printf("%-40s %10.1f ms\n", "calculation of the year (once)", calculation);
    std::printf("%-40s %10.1f ms  %8.0f kB\n", "report without the hourly sheet", a,
                smallBytes / 1024.0);
    std::printf("%-40s %10.1f ms  %8.0f kB\n", "report with the hourly sheet (All)", b,
                fullBytes / 1024.0);
    std::printf("ratio with / without the hourly sheet: %.2f\n", b / a);
    std::printf("ratio report with All / calculation:   %.2f\n", b / calculation);
    std::printf("goal: report with All under 1000 ms: %s\n", b < 1000.0 ? "met" : "NOT met");
    productData.reset();
    HDbFind::close();
    return b < 1000.0 ? 0 : 2;
}
