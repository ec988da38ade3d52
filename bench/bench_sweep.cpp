// The 40-city demo sweep: `lumoeco sweep examples/school_paris.ee --cities all` with one
// worker process and with one per core, side by side in one run, and the ratio of their
// wall times. Both start from the same warm weather-analysis cache (a first sweep fills
// it) and must give the same rows. Other work on the machine takes cores from the
// workers, so the bench also measures what the machine gives at that moment: the
// speed-up of `jobs` threads of plain arithmetic over one thread, before and after the
// sweeps. The sweep's ratio is to be read against that one, with the load average.
//
//   bench_sweep [runs] [jobs]   runs of each (default 2, alternating), jobs (default: cores)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <sys/resource.h>
#include <vector>

namespace {

struct Timing
{
    double wall = 0.0; // s
    double cpu = 0.0;  // s, of lumoeco and its workers
    QByteArray rows;
    bool ok = false;
};

double childrenCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
        + usage.ru_stime.tv_usec / 1e6;
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    const QList<QByteArray> fields = f.readAll().split(' ');
    return QStringLiteral("%1 %2 %3 (1, 5, 15 min)")
        .arg(QString::fromLatin1(fields.value(0)), QString::fromLatin1(fields.value(1)),
             QString::fromLatin1(fields.value(2)));
}

Timing sweep(const QTemporaryDir& dir, int jobs)
{
    const QStringList args{"sweep",      QStringLiteral(BRIVANTA_EXAMPLES_DIR "/school_paris.ee"),
                           "--cities",   "all",
                           "--jobs",     QString::number(jobs),
                           "--weather",  dir.filePath("Weather.db3"),
                           "--products", dir.filePath("Product.mdb"),
                           "--app-dir",  dir.path()};
    Timing t;
    const double cpu = childrenCpu();
    QElapsedTimer timer;
    timer.start();
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QStringLiteral(BRIVANTA_LUMOECO), args);
    t.ok = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    t.wall = timer.nsecsElapsed() / 1e9;
    t.cpu = childrenCpu() - cpu;
    t.rows = p.readAllStandardOutput();
    return t;
}

// Seconds for `threads` threads each doing the same fixed amount of arithmetic.
double spin(int threads)
{
    std::atomic<double> sink{0.0};
    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&sink] {
            double x = 0.0;
            for (long i = 1; i < 200000000L; ++i)
                x += 1.0 / static_cast<double>(i);
            sink = sink + x;
        });
    for (std::thread& t : pool)
        t.join();
    return timer.nsecsElapsed() / 1e9;
}

// The speed-up the machine gives `threads` CPU-bound threads now: threads x the time of
// one thread's work ÷ the time of all of them together (`threads` on an idle machine).
double availableSpeedUp(int threads)
{
    const double one = spin(1);
    const double many = spin(threads);
    return threads * one / many;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 2;
    const int cores = std::max(1, QThread::idealThreadCount());
    const int jobs = argc > 2 ? std::max(1, atoi(argv[2])) : cores;

    // Copies of the demo databases: the sweep may build the energy-data table.
    QTemporaryDir dir;
    for (const char* name : {"Weather.db3", "Product.mdb"})
        if (!QFile::copy(QStringLiteral(BRIVANTA_DEMO_DIR "/") + name, dir.filePath(name))) {
            std::fprintf(stderr, "bench_sweep: cannot copy the demo %s\n", name);
            return 1;
        }

    std::printf("lumoeco sweep examples/school_paris.ee --cities all (the demo's 40 cities)\n");
    std::printf("cores: %d; load average before: %s\n", cores, qPrintable(loadAverage()));
    const double before = availableSpeedUp(jobs);
    std::printf("speed-up of %d arithmetic threads over one, before: %.2f\n", jobs, before);
    const Timing warm = sweep(dir, jobs);
    if (!warm.ok) {
        std::fprintf(stderr, "bench_sweep: the sweep failed\n");
        return 1;
    }
    std::printf("first sweep, filling the weather-analysis cache: %.1f s with %d jobs\n", warm.wall,
                jobs);

    std::vector<double> oneWall, oneCpu, manyWall, manyCpu;
    bool same = true;
    for (int i = 0; i < runs; ++i) {
        for (int j : {1, jobs}) {
            const Timing t = sweep(dir, j);
            if (!t.ok) {
                std::fprintf(stderr, "bench_sweep: the sweep with %d jobs failed\n", j);
                return 1;
            }
            same = same && t.rows == warm.rows;
            (j == 1 ? oneWall : manyWall).push_back(t.wall);
            (j == 1 ? oneCpu : manyCpu).push_back(t.cpu);
            std::printf("  run %d, --jobs %-3d wall %6.1f s, cpu %6.1f s\n", i + 1, j, t.wall,
                        t.cpu);
        }
    }
    const double one = median(oneWall);
    const double many = median(manyWall);
    std::printf("median of %d runs: --jobs 1 %.1f s, --jobs %d %.1f s; ratio %.2f "
                "(ideal %d); cpu %.1f s and %.1f s\n",
                runs, one, jobs, many, one / many, jobs, median(oneCpu), median(manyCpu));
    const double after = availableSpeedUp(jobs);
    std::printf("speed-up of %d arithmetic threads over one, after: %.2f; the sweep's ratio "
                "%.2f is %.0f %% of the mean of the two\n",
                jobs, after, one / many, 100.0 * (one / many) / ((before + after) / 2.0));
    std::printf("rows identical in every run: %s\n", same ? "yes" : "NO");
    std::printf("load average after: %s\n", qPrintable(loadAverage()));
    return same ? 0 : 1;
}
