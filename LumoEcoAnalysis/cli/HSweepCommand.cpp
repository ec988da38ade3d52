#include "HSweepCommand.h"

#include "HAppPaths.h"
#include "HDbFind.h"
#include "HJsonFunc.h"
#include "HLumoEcoCli.h"
#include "HOutputFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HSweepRows.h"
#include "HSweepRunner.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocale>
#include <QThread>

#include <cmath>
#include <memory>

HSweepCommand::HSweepCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

QList<QCommandLineOption> HSweepCommand::options()
{
    return {
        {"cities",
         "sweep: all, \"Country/City,...\", or @FILE with one city a line (as lumoeco weather "
         "list prints them).",
         "LIST"},
        {"peak-scale", "sweep: factors on both peak loads, e.g. 0.8,1,1.2 (default 1).", "LIST"},
        {"jobs", "sweep: worker processes at a time (default: the number of cores).", "N"},
    };
}

bool HSweepCommand::cityNames(QStringList* names)
{
    const QCommandLineParser& p = m_cli.parser();
    if (!p.isSet("cities")) {
        m_cli.fail(HLumoEcoCli::BadInput,
                   QStringLiteral("give the cities with --cities all, --cities "
                                  "\"Country/City,...\" or --cities @FILE"));
        return false;
    }
    for (const QString& value : p.values("cities")) {
        if (value.trimmed() == QLatin1String("all")) {
            for (const HSweepRunner::City& c : HSweepRunner::allCities())
                *names << c.country + QLatin1Char('/') + c.city;
        } else if (value.startsWith(QLatin1Char('@'))) {
            QFile file(value.mid(1));
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                m_cli.fail(HLumoEcoCli::BadInput,
                           QStringLiteral("cannot read the city list %1: %2")
                               .arg(file.fileName(), file.errorString()));
                return false;
            }
            for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                const QStringList fields = line.split(QLatin1Char('\t'));
                const QString name = fields.size() >= 2
                    ? fields[0].trimmed() + QLatin1Char('/') + fields[1].trimmed()
                    : line.trimmed();
                // The header of lumoeco weather list, and empty lines.
                if (!name.isEmpty() && name != QLatin1String("country/city"))
                    *names << name;
            }
        } else {
            for (const QString& name : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                *names << name.trimmed();
        }
    }
    if (names->isEmpty()) {
        m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("--cities names no city"));
        return false;
    }
    return true;
}

bool HSweepCommand::scales(QVector<double>* values)
{
    const QCommandLineParser& p = m_cli.parser();
    if (!p.isSet("peak-scale")) {
        *values = {1.0};
        return true;
    }
    for (const QString& text : p.value("peak-scale").split(QLatin1Char(','))) {
        bool ok = false;
        const double v = QLocale::c().toDouble(text.trimmed(), &ok);
        if (!ok || !std::isfinite(v) || v <= 0.0) {
            m_cli.fail(HLumoEcoCli::BadInput,
                       QStringLiteral("--peak-scale takes numbers above 0, such as 0.8,1,1.2; "
                                      "not \"%1\"")
                           .arg(text));
            return false;
        }
        if (!values->contains(v))
            values->append(v);
    }
    return true;
}

bool HSweepCommand::jobs(int* count)
{
    const QCommandLineParser& p = m_cli.parser();
    *count = std::max(1, QThread::idealThreadCount());
    if (!p.isSet("jobs"))
        return true;
    bool ok = false;
    *count = p.value("jobs").toInt(&ok);
    if (!ok || *count < 1) {
        m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("--jobs takes a whole number from 1 up"));
        return false;
    }
    return true;
}

QStringList HSweepCommand::workerOptions() const
{
    const QCommandLineParser& p = m_cli.parser();
    // The databases found here, so that every worker reads the same ones.
    QStringList options{"--weather", LumoWeather::weatherDbPath(), "--products",
                        QFileInfo(HDbFind::dbFile()).absoluteFilePath()};
    if (p.isSet("app-dir"))
        options << "--app-dir" << HAppPaths::applicationDir();
    for (const char* flag : {"adjust", "without-other"})
        if (p.isSet(flag))
            options << QStringLiteral("--%1").arg(flag);
    for (const char* valued : {"percent", "hours"})
        if (p.isSet(valued))
            options << QStringLiteral("--%1").arg(valued) << p.value(valued);
    return options;
}

int HSweepCommand::run(const QStringList& args)
{
    if (!m_cli.checkOptions("sweep",
                            {"cities", "peak-scale", "jobs", "format", "output", "adjust",
                             "without-other", "percent", "hours"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("sweep takes one project file"));
    const QString project = args[0];
    if (!project.endsWith(QLatin1String(".ee"), Qt::CaseInsensitive))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("sweep reads project files (.ee); import .eed or .vrf "
                                         "files first (lumoeco import)"));
    const QCommandLineParser& p = m_cli.parser();
    const QString format = p.isSet("format") ? p.value("format") : QStringLiteral("csv");
    if (format != QLatin1String("csv") && format != QLatin1String("json"))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("unknown format '%1' for sweep: csv or json").arg(format));
    int ignoreHours = 0;
    QStringList names;
    QVector<double> peakScales;
    int workers = 1;
    if (!m_cli.ignoreHoursOption(&ignoreHours) || !scales(&peakScales) || !jobs(&workers)
        || !m_cli.openWeather() || !m_cli.openProducts() || !cityNames(&names))
        return HLumoEcoCli::BadInput;
    QVector<HSweepRunner::City> cities;
    QString error;
    if (!HSweepRunner::findCities(names, &cities, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);

    // The project is read once here, so that a file that cannot be read is refused
    // before any worker starts and its warnings are shown once.
    HProjectNotices notices;
    if (!HProjectSession::readProject(project, &error, &notices))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    m_cli.warn(notices);
    QJsonDocument doc;
    if (!HJsonFunc::readFileToJsonDoc(project, doc, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);

    // Opened before the variants run: an output that cannot be written is refused first.
    const QString target = p.isSet("output") ? p.value("output") : QStringLiteral("-");
    if (target != QLatin1String("-") && QFileInfo::exists(target)
        && QFileInfo(target).canonicalFilePath() == QFileInfo(project).canonicalFilePath())
        return m_cli.fail(
            HLumoEcoCli::BadInput,
            QStringLiteral("the rows would replace the project file %1").arg(project));
    HOutputFile output(target);
    if (!output.open(&error, QIODevice::Text))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("cannot write the rows %1").arg(error));

    const QVector<HSweepRunner::Variant> variants = HSweepRunner::variants(cities, peakScales);
    workers = std::min<int>(workers, variants.size());
    QTextStream& err = m_cli.err();
    err << "lumoeco: sweep of " << variants.size() << " variants (" << cities.size()
        << (cities.size() == 1 ? " city" : " cities") << " x " << peakScales.size()
        << (peakScales.size() == 1 ? " peak scale" : " peak scales") << ") in " << workers
        << (workers == 1 ? " worker process\n" : " worker processes\n");
    err.flush();

    int failed = 0;
    auto progress = [&](const HSweepRunner::Row& row, int done, int total) {
        const HSweepRunner::Variant& v = row.variant;
        err << "lumoeco: [" << done << "/" << total << "] " << v.city.city << ", " << v.city.country
            << " x" << v.peakScale << ": ";
        if (row.ok) {
            const QJsonObject year = row.result.value("year").toObject();
            err << "own " << QString::number(year.value("own_kwh").toDouble(), 'f', 0)
                << " kWh, other " << QString::number(year.value("other_kwh").toDouble(), 'f', 0)
                << " kWh";
        } else {
            ++failed;
            err << "failed: " << row.error;
        }
        err << " (" << QString::number(row.seconds, 'f', 1) << " s)\n";
        err.flush();
    };
    QElapsedTimer clock;
    clock.start();
    HSweepRunner runner(QCoreApplication::applicationFilePath(), workerOptions());
    QVector<HSweepRunner::Row> rows;
    if (!runner.run(doc.object(), variants, workers, progress, &rows, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);

    const QByteArray text = format == QLatin1String("json")
        ? QJsonDocument(HSweepRows::toJson(rows, project)).toJson(QJsonDocument::Indented)
        : HSweepRows::toCsv(rows).toUtf8();
    if (output.device()->write(text) != text.size() || !output.commit(&error))
        return m_cli.fail(
            HLumoEcoCli::BadInput,
            QStringLiteral("cannot write the rows %1").arg(error.isEmpty() ? target : error));
    err << "lumoeco: " << variants.size() << " variants in "
        << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s";
    if (failed > 0)
        err << "; " << failed << " failed (see their rows)";
    err << "\n";
    err.flush();
    return failed > 0 ? HLumoEcoCli::SomeVariantsFailed : HLumoEcoCli::Ok;
}
