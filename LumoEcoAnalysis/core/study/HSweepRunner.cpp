#include "HSweepRunner.h"

#include "HJsonFunc.h"
#include "LumoWeather.h"
#include "TranslateString.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

bool sameCity(const HSweepRunner::City& a, const HSweepRunner::City& b, Qt::CaseSensitivity cs)
{
    return a.country.compare(b.country, cs) == 0 && a.city.compare(b.city, cs) == 0;
}

// The worker's standard error: its warnings, and the line saying why it failed.
void readErrors(const QString& text, HSweepRunner::Row* row)
{
    const QString prefix = QStringLiteral("lumoeco: ");
    const QString warning = QStringLiteral("lumoeco: warning: ");
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(warning))
            row->warnings << line.mid(warning.size());
        else if (line.startsWith(prefix))
            row->error = line.mid(prefix.size());
        else if (row->error.isEmpty())
            row->error = line.trimmed();
    }
}

} // namespace

HSweepRunner::HSweepRunner(const QString& program, const QStringList& options)
    : m_program(program)
    , m_options(options)
{
}

QVector<HSweepRunner::City> HSweepRunner::allCities()
{
    QVector<City> cities;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [nation], [city] from tb_glb_idx order by [nation], [city]"));
    while (q.next())
        cities.append({q.value(0).toString(), q.value(1).toString()});
    return cities;
}

bool HSweepRunner::findCities(const QStringList& names, QVector<City>* cities, QString* error)
{
    const QVector<City> known = allCities();
    QVector<City> found;
    QStringList unknown;
    for (const QString& name : names) {
        const int slash = name.indexOf(QLatin1Char('/'));
        const City wanted{name.left(slash).trimmed(), name.mid(slash + 1).trimmed()};
        auto match = std::find_if(known.cbegin(), known.cend(), [&](const City& c) {
            return sameCity(c, wanted, Qt::CaseSensitive);
        });
        if (match == known.cend()) {
            const int count = std::count_if(known.cbegin(), known.cend(), [&](const City& c) {
                return sameCity(c, wanted, Qt::CaseInsensitive);
            });
            if (count == 1)
                match = std::find_if(known.cbegin(), known.cend(), [&](const City& c) {
                    return sameCity(c, wanted, Qt::CaseInsensitive);
                });
        }
        if (slash <= 0 || match == known.cend()) {
            unknown << name;
            continue;
        }
        const bool twice = std::any_of(found.cbegin(), found.cend(), [&](const City& c) {
            return sameCity(c, *match, Qt::CaseSensitive);
        });
        if (!twice)
            found.append(*match);
    }
    if (!unknown.isEmpty()) {
        if (error)
            *error = TranslateString("Not a city of the weather database %1 (written "
                                     "Country/City): %2")
                         .arg(LumoWeather::weatherDbPath(), unknown.join(QStringLiteral(", ")));
        return false;
    }
    if (cities)
        *cities = found;
    return true;
}

QVector<HSweepRunner::Variant> HSweepRunner::variants(const QVector<City>& cities,
                                                      const QVector<double>& scales)
{
    QVector<Variant> list;
    for (const City& city : cities)
        for (double scale : scales)
            list.append({list.size(), city, scale});
    return list;
}

QJsonObject HSweepRunner::variantDocument(const QJsonObject& project, const Variant& variant)
{
    QJsonObject doc = project;
    doc.insert(QStringLiteral("country"), variant.city.country);
    doc.insert(QStringLiteral("city"), variant.city.city);
    if (variant.peakScale != 1.0) {
        for (const char* key : {"cooling_peak_load", "heating_peak_load"}) {
            const QJsonValue v = doc.value(QLatin1String(key));
            // Anything else reads as 0, which a scale leaves 0.
            if (v.isDouble())
                doc.insert(QLatin1String(key), v.toDouble() * variant.peakScale);
        }
    }
    return doc;
}

bool HSweepRunner::run(const QJsonObject& project, const QVector<Variant>& variants, int jobs,
                       const Progress& progress, QVector<Row>* rows, QString* error)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        if (error)
            *error = TranslateString("Cannot make a folder for the variants: %1")
                         .arg(folder.errorString());
        return false;
    }
    QVector<Row> result(variants.size());
    for (const Variant& v : variants) {
        result[v.index].variant = v;
        const QString file = folder.filePath(QStringLiteral("variant-%1.ee").arg(v.index + 1));
        if (!HJsonFunc::jsonDocToFile(QJsonDocument(variantDocument(project, v)), file,
                                      QJsonDocument::Compact, error))
            return false;
    }

    // The scales of one city run apart, so that its weather is analysed once and then
    // read from the cache, not by several workers at the same time.
    QVector<int> order;
    for (const Variant& v : variants)
        order.append(v.index);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return variants[a].peakScale < variants[b].peakScale; });

    QEventLoop loop;
    int next = 0;
    int running = 0;
    int done = 0;
    const int total = variants.size();
    std::function<void()> startMore;
    auto finish = [&](int index, QProcess* process, bool started, qint64 ms) {
        Row& row = result[index];
        row.seconds = ms / 1000.0;
        readErrors(QString::fromUtf8(process->readAllStandardError()), &row);
        if (!started) {
            row.error = TranslateString("The worker %1 did not start: %2")
                            .arg(m_program, process->errorString());
        } else if (process->exitStatus() != QProcess::NormalExit) {
            row.error = TranslateString("The worker process stopped abnormally (%1).")
                            .arg(process->errorString());
        } else if (process->exitCode() == 0) {
            QJsonParseError parse;
            const QJsonDocument doc =
                QJsonDocument::fromJson(process->readAllStandardOutput(), &parse);
            row.ok = doc.isObject();
            row.result = doc.object();
            if (!row.ok)
                row.error =
                    TranslateString("The worker's output is not JSON: %1").arg(parse.errorString());
        } else if (row.error.isEmpty()) {
            row.error =
                TranslateString("The worker ended with exit status %1.").arg(process->exitCode());
        }
        process->deleteLater();
        --running;
        ++done;
        if (progress)
            progress(row, done, total);
        if (done == total)
            loop.quit();
        else
            startMore();
    };
    startMore = [&]() {
        while (running < std::max(1, jobs) && next < order.size()) {
            const int index = order[next++];
            auto* process = new QProcess(&loop);
            auto timer = std::make_shared<QElapsedTimer>();
            QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                             &loop, [=, &finish](int, QProcess::ExitStatus) {
                                 finish(index, process, true, timer->elapsed());
                             });
            QObject::connect(process, &QProcess::errorOccurred, &loop,
                             [=, &finish](QProcess::ProcessError e) {
                                 if (e == QProcess::FailedToStart)
                                     finish(index, process, false, timer->elapsed());
                             });
            ++running;
            timer->start();
            const QString file = folder.filePath(QStringLiteral("variant-%1.ee").arg(index + 1));
            process->start(m_program,
                           QStringList{"calculate", file, "--format", "json"} + m_options);
        }
    };
    startMore();
    // A worker that fails to start may finish before the loop runs.
    if (done < total)
        loop.exec();
    if (rows)
        *rows = result;
    return true;
}
