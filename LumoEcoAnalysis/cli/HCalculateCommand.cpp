#include "HCalculateCommand.h"

#include "HCalculationRun.h"
#include "HLumoEcoCli.h"
#include "HOutputFile.h"
#include "HReport.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <memory>

HCalculateCommand::HCalculateCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

QString HCalculateCommand::wayOut(HCalHelper::Refusal refusal)
{
    switch (refusal) {
    case HCalHelper::Refusal::NoWeatherYear:
        return QStringLiteral("Give the project a country and city of the weather database "
                              "(lumoeco weather list).");
    case HCalHelper::Refusal::NoOwnUnits:
        return QStringLiteral("Add own outdoor and indoor unit lines under \"own_vrf\" "
                              "(docs/project-file.md; lumoeco products list shows the models).");
    case HCalHelper::Refusal::NoOwnCapacity:
        return QStringLiteral("Use models of the product database for the outdoor lines named "
                              "above (lumoeco products list --outdoor).");
    case HCalHelper::Refusal::NoOtherUnits:
        return QStringLiteral("Add the other system's outdoor and indoor units under "
                              "\"other_vrf\", or run with --without-other to calculate the "
                              "own system alone.");
    case HCalHelper::Refusal::None:
        break;
    }
    return QString();
}

int HCalculateCommand::run(const QStringList& args)
{
    if (!m_cli.checkOptions(
            "calculate",
            {"adjust", "without-other", "format", "hourly", "report", "percent", "hours"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("calculate takes one project file"));
    const QCommandLineParser& p = m_cli.parser();
    const QString format = p.value("format");
    if (format != QLatin1String("table") && format != QLatin1String("json")
        && format != QLatin1String("csv"))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("unknown format '%1' (table, json or csv)").arg(format));
    if (!QFileInfo(args[0]).isFile())
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project file not found: %1").arg(args[0]));
    if (p.isSet("hourly") && HLumoEcoCli::sameFile(p.value("hourly"), args[0]))
        return m_cli.fail(
            HLumoEcoCli::BadInput,
            QStringLiteral("the hourly CSV would replace the project file %1").arg(args[0]));
    if (p.isSet("report") && HLumoEcoCli::sameFile(p.value("report"), args[0]))
        return m_cli.fail(
            HLumoEcoCli::BadInput,
            QStringLiteral("the report would replace the project file %1").arg(args[0]));
    int ignoreHours = 0;
    if (!m_cli.ignoreHoursOption(&ignoreHours) || !m_cli.openWeather() || !m_cli.openProducts())
        return HLumoEcoCli::BadInput;
    // Opened before anything is printed: an output that cannot be written is refused
    // before the results, not after them.
    std::unique_ptr<HOutputFile> hourly;
    if (p.isSet("hourly")) {
        QString error;
        hourly = std::make_unique<HOutputFile>(p.value("hourly"));
        if (!hourly->open(&error, QIODevice::Text))
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("cannot write the hourly CSV %1").arg(error));
    }
    std::unique_ptr<HOutputFile> workbook;
    if (p.isSet("report")) {
        workbook = std::make_unique<HOutputFile>(p.value("report"));
        if (hourly && hourly->isStandardOutput() && workbook->isStandardOutput())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("only one of --hourly and --report can be -"));
        QString error;
        if (!workbook->open(&error))
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("cannot write the report %1").arg(error));
    }

    HCalculationRun::Options options;
    options.projectPath = args[0];
    options.adjustGiven = p.isSet("adjust");
    options.adjust = options.adjustGiven;
    options.withoutOther = p.isSet("without-other");
    options.ignoreHours = ignoreHours;

    HCalculationRun run;
    QString message;
    const HCalculationRun::Status status = run.run(options, &message);
    m_cli.warn(run.notices());
    if (status == HCalculationRun::CannotCalculate)
        return m_cli.fail(status, message + QLatin1Char(' ') + wayOut(run.refusal()));
    if (status != HCalculationRun::Success)
        return m_cli.fail(status, message);

    // With the hourly rows or the workbook on standard output the results would break it.
    if ((!hourly || !hourly->isStandardOutput()) && (!workbook || !workbook->isStandardOutput())) {
        QTextStream& out = m_cli.out();
        if (format == QLatin1String("json"))
            out << QString::fromUtf8(QJsonDocument(run.toJson()).toJson(QJsonDocument::Indented));
        else if (format == QLatin1String("csv"))
            out << run.toCsv();
        else
            out << run.toTable();
        out.flush();
    }
    if (hourly) {
        QString error;
        if (!HCalculationRun::writeHourlyCsv(hourly->device()))
            error = QStringLiteral("%1: %2").arg(hourly->path(), hourly->device()->errorString());
        if (!error.isEmpty() || !hourly->commit(&error))
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("cannot write the hourly CSV %1").arg(error));
    }
    if (workbook) {
        QString error;
        HReport report;
        if (!report.writeReport(workbook->device(), &error))
            error = QStringLiteral("%1: %2").arg(workbook->path(), error);
        if (!error.isEmpty() || !workbook->commit(&error))
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("cannot write the report %1").arg(error));
    }
    return HLumoEcoCli::Ok;
}
