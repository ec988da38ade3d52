#include "HWeatherCommand.h"

#include "HLumoEcoCli.h"
#include "HProjectSession.h"
#include "HWeatherAnalysis.h"
#include "HWeatherDesignPoints.h"
#include "HWeatherImport.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

QString percentText(double v)
{
    return QString::number(v, 'f', 1);
}

} // namespace

HWeatherCommand::HWeatherCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

int HWeatherCommand::run(const QStringList& args)
{
    if (args.isEmpty())
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("weather needs list, analyse, design or import"));
    const QString sub = args.first();
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("list")) {
        if (!m_cli.checkOptions("weather list", {}))
            return HLumoEcoCli::BadInput;
        if (!rest.isEmpty())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("weather list takes no arguments"));
        return list();
    }
    if (sub == QLatin1String("analyse") || sub == QLatin1String("analyze")) {
        if (!m_cli.checkOptions("weather analyse", {"percent", "hours", "json"}))
            return HLumoEcoCli::BadInput;
        return analyse(rest);
    }
    if (sub == QLatin1String("design")) {
        if (!m_cli.checkOptions("weather design", {"write", "percent", "hours"}))
            return HLumoEcoCli::BadInput;
        if (!rest.isEmpty())
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("weather design takes no arguments"));
        return design();
    }
    if (sub == QLatin1String("import")) {
        if (!m_cli.checkOptions("weather import", {"country", "city"}))
            return HLumoEcoCli::BadInput;
        return importCity(rest);
    }
    return m_cli.fail(HLumoEcoCli::BadInput,
                      QStringLiteral("unknown weather command '%1'").arg(sub));
}

int HWeatherCommand::list()
{
    if (!m_cli.openWeather())
        return HLumoEcoCli::BadInput;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [nation], [city], [tableName] from tb_glb_idx "
                       "order by [nation], [city]"));
    QTextStream& out = m_cli.out();
    out << "country\tcity\ttable\n";
    while (q.next())
        out << q.value(0).toString() << '\t' << q.value(1).toString() << '\t'
            << q.value(2).toString() << "\n";
    return HLumoEcoCli::Ok;
}

int HWeatherCommand::analyse(const QStringList& args)
{
    if (args.size() != 2)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("weather analyse takes COUNTRY CITY"));
    int hours = 0;
    if (!m_cli.ignoreHoursOption(&hours) || !m_cli.openWeather())
        return HLumoEcoCli::BadInput;
    const QString table = HWeatherLocation::findCityTable(args[0], args[1]);
    if (table.isEmpty())
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("unknown city \"%1\" (country \"%2\"); lumoeco weather "
                                         "list shows the cities")
                              .arg(args[1], args[0]));

    HProjectSession::startProject();
    HWeatherAnalysis analysis(table);
    analysis.analysisData();
    if (analysis.getExtremeResult().isEmpty())
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("the weather table %1 holds no readings").arg(table));
    // The cache keeps the design temperature of the hours it was made with; the
    // chosen rule is applied afresh, as the weather page does.
    analysis.setIgnoreHours(hours);
    analysis.calculateDesignAverageTemp();

    QJsonObject extreme = analysis.getExtremeResult();
    extreme.insert("IgnoreHours", analysis.GetIgnoreHours());
    extreme.insert("AverageTemperature", analysis.GetAverageTemperature());
    extreme.insert("MaxTempInMonth", analysis.GetMaxTempInMonth());
    extreme.insert("MaxTempInDay", analysis.GetMaxTempInDay());
    extreme.insert("MaxTempHour", analysis.GetMaxTempHour());

    QTextStream& out = m_cli.out();
    if (m_cli.parser().isSet("json")) {
        QJsonObject root;
        root.insert("extreme_result", extreme);
        root.insert("statis_result", analysis.getStatisResult());
        out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
        return HLumoEcoCli::Ok;
    }

    out << args[1] << ", " << args[0] << " [" << table << "]\n";
    out << "Max temperature    " << QString::number(analysis.GetMaxTemperature(), 'f', 2) << " C\n";
    out << "Min temperature    " << QString::number(analysis.GetMinTemperature(), 'f', 2) << " C\n";
    // The design hour of the averaged year, dated in the project's calendar year.
    const QDateTime designHour(
        QDate(HYear::year, analysis.GetMaxTempInMonth(), analysis.GetMaxTempInDay()),
        QTime(analysis.GetMaxTempHour(), 0));
    out << "Design temperature " << QString::number(analysis.GetAverageTemperature(), 'f', 2)
        << " C, exceeded by " << hours << " hours (design hour "
        << (designHour.isValid() ? designHour.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                 : QStringLiteral("none"))
        << ")\n";
    out << "Hours              " << analysis.GettotalHours() << "\n\n";
    out << "Hours per month in each 1-degree bin (t-1, t]:\n";
    out << qSetFieldWidth(6) << "t C";
    for (int m = 1; m <= 12; ++m)
        out << QString::number(m);
    out << qSetFieldWidth(7) << "total" << qSetFieldWidth(0) << "\n";
    for (const QJsonValue& v : analysis.getStatisResult()) {
        const QJsonObject bin = v.toObject();
        out << qSetFieldWidth(6) << bin.value("temp_dot").toInt();
        const QJsonArray months = bin.value("temp_times_month").toArray();
        for (int m = 0; m < 12; ++m)
            out << months.at(m).toInt();
        out << qSetFieldWidth(7) << bin.value("total_times").toInt() << qSetFieldWidth(0) << "\n";
    }
    return HLumoEcoCli::Ok;
}

int HWeatherCommand::design()
{
    int hours = 0;
    if (!m_cli.ignoreHoursOption(&hours) || !m_cli.openWeather(!m_cli.parser().isSet("write")))
        return HLumoEcoCli::BadInput;
    const QVector<HWeatherDesignPoints::Point> points = HWeatherDesignPoints::compute(hours);
    QTextStream& out = m_cli.out();
    out << "country\tcity\ttable\tsummer_dry_c\tsummer_rh_percent\tsummer_w\t"
           "winter_dry_c\twinter_rh_percent\twinter_w\n";
    for (const HWeatherDesignPoints::Point& p : points) {
        out << p.country << '\t' << p.city << '\t' << p.tableName << '\t';
        if (p.ok)
            out << QString::number(p.summerDry, 'f', 2) << '\t'
                << percentText(p.summerHumidity * 100.0) << '\t'
                << QString::number(p.summerW, 'f', 5) << '\t'
                << QString::number(p.winterDry, 'f', 2) << '\t'
                << percentText(p.winterHumidity * 100.0) << '\t'
                << QString::number(p.winterW, 'f', 5) << "\n";
        else
            out << "-\t-\t-\t-\t-\t-\n";
    }
    if (m_cli.parser().isSet("write")) {
        QString error;
        if (!HWeatherDesignPoints::write(points, &error))
            return m_cli.fail(HLumoEcoCli::BadInput,
                              QStringLiteral("cannot store the design points: %1").arg(error));
        out.flush();
        m_cli.err() << "lumoeco: design points stored in " << LumoWeather::weatherDbPath() << "\n";
    }
    return HLumoEcoCli::Ok;
}

int HWeatherCommand::importCity(const QStringList& args)
{
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("weather import takes one EPW or TMY3 file"));
    if (!QFileInfo(args[0]).isFile())
        return m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("file not found: %1").arg(args[0]));
    if (!m_cli.openWeather(false))
        return HLumoEcoCli::BadInput;
    const QCommandLineParser& p = m_cli.parser();
    HWeatherImport importer;
    if (!importer.importFile(args[0], p.value("country"), p.value("city")))
        return m_cli.fail(HLumoEcoCli::BadInput, importer.errorString());
    QTextStream& err = m_cli.err();
    for (const QString& text : importer.warnings())
        err << "lumoeco: warning: " << text << "\n";
    err.flush();
    m_cli.out() << "Imported " << importer.readings().size() << " readings ("
                << importer.invalidReadings() << " invalid) as table " << importer.tableName()
                << "\n";
    return HLumoEcoCli::Ok;
}
