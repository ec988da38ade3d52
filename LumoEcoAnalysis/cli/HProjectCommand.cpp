#include "HProjectCommand.h"

#include "HLumoEcoCli.h"
#include "HProject.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HProjectSummary.h"
#include "HRangeList.h"
#include "HUnit.h"
#include "HVRF.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

// Options of "project new" and the project key each one sets.
const QList<QPair<QString, QString>>& newOptionKeys()
{
    static const QList<QPair<QString, QString>> keys{
        {"name", "name"},
        {"country", "country"},
        {"city", "city"},
        {"date", "date"},
        {"area", "build_area"},
        {"height", "build_height"},
        {"floors", "number_floors"},
        {"cooling-peak", "cooling_peak_load"},
        {"heating-peak", "heating_peak_load"},
        {"electricity-price", "electricity_price"},
        {"gas-price", "gas_price"},
    };
    return keys;
}

QString kw(double v)
{
    return QString::number(v, 'f', 2);
}

QString lineText(const HUnit* u)
{
    const QString text =
        QStringLiteral("%1 x %2").arg(u->Getquantity()).arg(u->Getunit_productcode());
    return u->Getunit_type().isEmpty() ? text
                                       : QStringLiteral("%1 (%2)").arg(text, u->Getunit_type());
}

} // namespace

HProjectCommand::HProjectCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

QList<QCommandLineOption> HProjectCommand::options()
{
    return {
        {"name", "project new: the project's name.", "N"},
        {"date", "project new: the project's date (yyyy-MM-dd).", "D"},
        {"area", "project new: floor area, m2.", "M2"},
        {"height", "project new: building height, m.", "M"},
        {"floors", "project new: number of floors.", "N"},
        {"cooling-peak", "project new: cooling peak load, kW.", "KW"},
        {"heating-peak", "project new: heating peak load, kW.", "KW"},
        {"electricity-price", "project new: price of a kWh of electricity.", "P"},
        {"gas-price", "project new: price of a unit of gas.", "P"},
        {"force", "project new: replace an existing file."},
        {"own", "project add-unit, remove-unit: a line of the own system."},
        {"other", "project add-unit, remove-unit: a line of the other system."},
        {"model", "project add-unit, remove-unit: the unit's model.", "M"},
        {"series", "project add-unit: series id (own: -1, the default, for any series).", "ID"},
        {"quantity", "project add-unit: number of units of the line.", "N"},
        {"capacity-cooling", "project add-unit --other: rated cooling capacity per unit, kW.",
         "KW"},
        {"power-cooling", "project add-unit --other: cooling power input per unit, kW.", "KW"},
        {"capacity-heating", "project add-unit --other: rated heating capacity per unit, kW.",
         "KW"},
        {"power-heating", "project add-unit --other: heating power input per unit, kW.", "KW"},
        {"price", "project add-unit --other: price per unit.", "P"},
        {"line", "project remove-unit: the line's number (project show lists them).", "N"},
        {"days", "project schedule: the weekdays the plant runs (1-5, mon-fri).", "LIST"},
        {"months", "project schedule: the months the plant runs (1-12, may-sep).", "LIST"},
        {"weekdays", "project schedule: Monday to Friday, in these hours of the day.", "HOURS"},
        {"every-day", "project schedule: every day of the week, in these hours of the day.",
         "HOURS"},
        {"remove", "project holiday: the days are no longer holidays."},
        {"clear", "project holiday: no holidays, before the days given are added."},
    };
}

int HProjectCommand::run(const QStringList& args)
{
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("new"))
        return create(rest);
    if (sub == QLatin1String("set"))
        return set(rest);
    if (sub == QLatin1String("add-unit"))
        return addUnit(rest);
    if (sub == QLatin1String("remove-unit"))
        return removeUnit(rest);
    if (sub == QLatin1String("schedule"))
        return schedule(rest);
    if (sub == QLatin1String("holiday"))
        return holiday(rest);
    if (sub == QLatin1String("show"))
        return show(rest);
    return m_cli.fail(HLumoEcoCli::BadInput,
                      sub.isEmpty()
                          ? QStringLiteral("project needs new, set, add-unit, remove-unit, "
                                           "schedule, holiday or show")
                          : QStringLiteral("unknown project command '%1'").arg(sub));
}

bool HProjectCommand::open(const QString& path)
{
    if (!m_cli.openProducts())
        return false;
    QString error;
    HProjectNotices notices;
    const bool opened = m_editor.open(path, &error, &notices);
    m_cli.warn(notices);
    if (!opened)
        m_cli.fail(HLumoEcoCli::BadInput, error);
    return opened;
}

int HProjectCommand::save(const QString& path, const QString& done)
{
    QString error;
    if (!m_editor.save(path, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    m_cli.out() << done << "\n";
    return HLumoEcoCli::Ok;
}

bool HProjectCommand::number(const QString& option, double* value)
{
    bool ok = false;
    const QString text = m_cli.parser().value(option);
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(*value) && *value >= 0.0)
        return true;
    m_cli.fail(HLumoEcoCli::BadInput,
               QStringLiteral("--%1 takes a number from 0 up, not \"%2\"").arg(option, text));
    return false;
}

bool HProjectCommand::system(bool* own, int* outdoor, bool outdoorRequired)
{
    const QCommandLineParser& p = m_cli.parser();
    if (p.isSet("own") == p.isSet("other")) {
        m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("give either --own or --other"));
        return false;
    }
    if (p.isSet("outdoor") && p.isSet("indoor")) {
        m_cli.fail(HLumoEcoCli::BadInput,
                   QStringLiteral("give either --outdoor or --indoor, not both"));
        return false;
    }
    if (outdoorRequired && !p.isSet("outdoor") && !p.isSet("indoor")) {
        m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("give --outdoor or --indoor"));
        return false;
    }
    *own = p.isSet("own");
    *outdoor = p.isSet("outdoor") ? 1 : p.isSet("indoor") ? 0 : -1;
    return true;
}

int HProjectCommand::create(const QStringList& args)
{
    QStringList allowed{"force"};
    for (const auto& option : newOptionKeys())
        allowed << option.first;
    if (!m_cli.checkOptions("project new", allowed))
        return HLumoEcoCli::BadInput;
    const QString path = args.value(0);
    if (!path.endsWith(QLatin1String(".ee"), Qt::CaseInsensitive))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project new takes the project file to make (.ee), "
                                         "then KEY=VALUE pairs"));
    if (QFileInfo::exists(path) && !m_cli.parser().isSet("force"))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("%1 exists; give --force to replace it").arg(path));

    QStringList assignments;
    for (const auto& option : newOptionKeys())
        if (m_cli.parser().isSet(option.first))
            assignments << option.second + QLatin1Char('=') + m_cli.parser().value(option.first);
    assignments += args.mid(1);
    for (const char* key : {"name", "country", "city"}) {
        const QString prefix = QLatin1String(key) + QLatin1Char('=');
        bool given = false;
        for (const QString& a : qAsConst(assignments))
            given = given || a.startsWith(prefix);
        if (!given)
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("project new needs --name, --country and --city"));
    }
    if (!m_cli.openWeather())
        return HLumoEcoCli::BadInput;

    m_editor.startNew();
    QString error;
    if (!m_editor.setValues(assignments, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    const HProject* p = m_editor.project();
    return save(path,
                QStringLiteral("Created %1: \"%2\" in %3, %4")
                    .arg(path, p->Getname(), p->Getcity(), p->Getcountry()));
}

int HProjectCommand::set(const QStringList& args)
{
    if (!m_cli.checkOptions("project set", {}))
        return HLumoEcoCli::BadInput;
    if (args.size() < 2)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project set takes a project file and KEY=VALUE pairs"));
    const QStringList assignments = args.mid(1);
    bool location = false;
    for (const QString& a : assignments)
        location = location || a.startsWith(QLatin1String("country="))
            || a.startsWith(QLatin1String("city="));
    if ((location && !m_cli.openWeather()) || !open(args[0]))
        return HLumoEcoCli::BadInput;
    QString error;
    if (!m_editor.setValues(assignments, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    return save(args[0],
                QStringLiteral("Set %1 in %2").arg(m_editor.changedKeys().join(", "), args[0]));
}

int HProjectCommand::addUnit(const QStringList& args)
{
    const QStringList own{"own",   "other",    "outdoor", "indoor",
                          "model", "category", "series",  "quantity"};
    const QStringList other{"capacity-cooling", "power-cooling", "capacity-heating",
                            "power-heating", "price"};
    if (!m_cli.checkOptions("project add-unit", own + other))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project add-unit takes one project file"));
    const QCommandLineParser& p = m_cli.parser();
    HProjectEditor::UnitLine line;
    int outdoor = -1;
    if (!system(&line.own, &outdoor, true))
        return HLumoEcoCli::BadInput;
    line.outdoor = outdoor == 1;
    line.category = p.value("category");
    line.model = p.value("model");

    bool ok = false;
    line.quantity = p.value("quantity").toInt(&ok);
    if (!p.isSet("quantity") || !ok || line.quantity < 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("--quantity takes a whole number from 1 up"));
    line.series = line.own ? -1 : 0;
    if (p.isSet("series")) {
        line.series = p.value("series").toInt(&ok);
        if (!ok)
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("--series takes a whole number"));
    }
    if (line.own) {
        for (const QString& option : other)
            if (p.isSet(option))
                return m_cli.fail(HLumoEcoCli::BadInput,
                                  QStringLiteral("--%1: the own system's figures come from the "
                                                 "product database; give --model")
                                      .arg(option));
        if (line.model.isEmpty())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("give the model of the product database with "
                                             "--model (lumoeco products list shows them)"));
    } else {
        for (const char* option :
             {"capacity-cooling", "power-cooling", "capacity-heating", "power-heating"})
            if (!p.isSet(option))
                return m_cli.fail(
                    HLumoEcoCli::BadInput,
                    QStringLiteral("the other system's unit needs --capacity-cooling, "
                                   "--power-cooling, --capacity-heating and "
                                   "--power-heating"));
        if (!number("capacity-cooling", &line.capacityCooling)
            || !number("power-cooling", &line.powerCooling)
            || !number("capacity-heating", &line.capacityHeating)
            || !number("power-heating", &line.powerHeating)
            || (p.isSet("price") && !number("price", &line.price)))
            return HLumoEcoCli::BadInput;
    }

    if (!open(args[0]))
        return HLumoEcoCli::BadInput;
    QString error;
    if (!m_editor.addUnit(line, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    HVRF* sys =
        line.own ? m_editor.project()->getOwnVRFSys() : m_editor.project()->getOtherVRFSys();
    const HUnit* added = sys->last();
    return save(args[0],
                QStringLiteral("Added line %1 to the %2 system of %3: %4 %5, %6 kW "
                               "cooling and %7 kW heating each")
                    .arg(sys->size())
                    .arg(line.own ? "own" : "other", args[0], lineText(added),
                         added->Getis_odu() ? "outdoor" : "indoor",
                         kw(added->Gettotal_capacity_cooling()),
                         kw(added->Gettotal_capacity_heating())));
}

int HProjectCommand::removeUnit(const QStringList& args)
{
    if (!m_cli.checkOptions("project remove-unit",
                            {"own", "other", "outdoor", "indoor", "model", "line"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project remove-unit takes one project file"));
    const QCommandLineParser& p = m_cli.parser();
    bool own = true;
    int outdoor = -1;
    if (!system(&own, &outdoor, false))
        return HLumoEcoCli::BadInput;
    if (p.isSet("line") == p.isSet("model"))
        return m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("give either --line or --model"));
    int line = 0;
    if (p.isSet("line")) {
        bool ok = false;
        line = p.value("line").toInt(&ok);
        if (!ok || line < 1)
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("--line takes a whole number from 1 up"));
    }
    if (!open(args[0]))
        return HLumoEcoCli::BadInput;

    const QString systemName = own ? QStringLiteral("own") : QStringLiteral("other");
    const QString model = p.value("model");
    const QVector<int> lines = m_editor.findLines(own, outdoor, model);
    if (!model.isEmpty()) {
        if (lines.isEmpty())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("the %1 system of %2 has no %3line with the model "
                                             "\"%4\" (lumoeco project show lists the lines)")
                                  .arg(systemName, args[0],
                                       outdoor < 0   ? QString()
                                           : outdoor ? QStringLiteral("outdoor ")
                                                     : QStringLiteral("indoor "),
                                       model));
        if (lines.size() > 1) {
            QStringList numbers;
            for (int l : lines)
                numbers << QString::number(l);
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("the model \"%1\" stands on the %2 system's lines "
                                             "%3: give --line")
                                  .arg(model, systemName, numbers.join(", ")));
        }
        line = lines.first();
    } else if (outdoor >= 0 && !lines.contains(line)) {
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("line %1 of the %2 system is not an %3 unit")
                              .arg(line)
                              .arg(systemName, outdoor ? "outdoor" : "indoor"));
    }
    HVRF* sys = own ? m_editor.project()->getOwnVRFSys() : m_editor.project()->getOtherVRFSys();
    const QString removed = line <= sys->size() ? lineText(sys->at(line - 1)) : QString();
    QString error;
    if (!m_editor.removeLine(own, line, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    return save(args[0],
                QStringLiteral("Removed line %1 (%2) from the %3 system of %4")
                    .arg(line)
                    .arg(removed, systemName, args[0]));
}

int HProjectCommand::schedule(const QStringList& args)
{
    if (!m_cli.checkOptions("project schedule",
                            {"hours", "days", "months", "weekdays", "every-day"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project schedule takes one project file"));
    const QCommandLineParser& p = m_cli.parser();
    QString hours = p.isSet("hours") ? p.value("hours") : QString();
    QString days = p.isSet("days") ? p.value("days") : QString();
    const QString months = p.isSet("months") ? p.value("months") : QString();
    for (const char* shorthand : {"weekdays", "every-day"}) {
        if (!p.isSet(shorthand))
            continue;
        if (!hours.isNull() || !days.isNull())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("--%1 sets the days and the hours: give it without "
                                             "--hours, --days or the other of --weekdays and "
                                             "--every-day")
                                  .arg(shorthand));
        hours = p.value(shorthand);
        days = qstrcmp(shorthand, "weekdays") == 0 ? QStringLiteral("1-5") : QStringLiteral("1-7");
    }
    if (hours.isNull() && days.isNull() && months.isNull())
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("give --hours, --days, --months, --weekdays or "
                                         "--every-day"));
    if (!open(args[0]))
        return HLumoEcoCli::BadInput;
    QString error;
    if (!m_editor.setSchedule(hours, days, months, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    const int running = m_editor.runningHours();
    if (running == 0)
        m_cli.warn(QStringLiteral("The operation schedule runs no hour of the year, so every "
                                  "energy is 0."));
    return save(args[0],
                QStringLiteral("Schedule of %1: %2; the plant runs %3 hours a year")
                    .arg(args[0], HProjectSummary::scheduleText(m_editor.project()))
                    .arg(running));
}

int HProjectCommand::holiday(const QStringList& args)
{
    if (!m_cli.checkOptions("project holiday", {"remove", "clear"}))
        return HLumoEcoCli::BadInput;
    const QCommandLineParser& p = m_cli.parser();
    if (args.isEmpty() || (args.size() == 1 && !p.isSet("clear")))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project holiday takes a project file and days "
                                         "(yyyy-MM-dd, MM-dd or FROM..TO), or --clear"));
    if (p.isSet("remove") && p.isSet("clear"))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("give either --remove or --clear, not both"));
    QVector<HProjectEditor::MonthDay> days;
    QString error;
    if (!HProjectEditor::parseDays(args.mid(1), &days, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    if (!open(args[0]))
        return HLumoEcoCli::BadInput;
    if (p.isSet("clear"))
        m_editor.clearHolidays();
    m_editor.setHolidays(days, !p.isSet("remove"));
    return save(args[0],
                QStringLiteral("Holidays of %1: %2")
                    .arg(args[0], HProjectSummary::holidayText(m_editor.project())));
}

int HProjectCommand::show(const QStringList& args)
{
    if (!m_cli.checkOptions("project show", {}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("project show takes one project file"));
    if (!m_cli.openProducts())
        return HLumoEcoCli::BadInput;
    QString error;
    HProjectNotices notices;
    if (!HProjectSession::readProject(args[0], &error, &notices))
        return m_cli.fail(HLumoEcoCli::BadInput, error);
    // The values as the file gives them; the notices also say what Open and a
    // calculation would replace.
    const QString summary = HProjectSummary::text(HProject::getProject(), args[0]);
    HProjectSession::prepareOpenedProject(&notices);
    m_cli.out() << summary << HProjectSummary::warningsText(notices);
    return HLumoEcoCli::Ok;
}
