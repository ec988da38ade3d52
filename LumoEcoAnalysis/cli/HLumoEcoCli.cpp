#include "HLumoEcoCli.h"

#include "HAppPaths.h"
#include "HCalHelper.h"
#include "HCalculationRun.h"
#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HJsonFunc.h"
#include "HOutputFile.h"
#include "HProject.h"
#include "HProjectCommand.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HReport.h"
#include "HSweepCommand.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "HWeatherAnalysis.h"
#include "HWeatherDesignPoints.h"
#include "HWeatherImport.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

#include <cstdio>

namespace {

const char* const helpCommands = R"(Commands:
  calculate PROJECT.ee [--adjust] [--without-other] [--format table|json|csv]
            [--hourly FILE.csv|-] [--report FILE.xlsx] [--percent P | --hours H]
      Load the project, set its location's weather, check it, analyse the
      weather and calculate the year; print monthly energy, cost and ratio of
      both systems, peak loads, the location's temperatures and the own
      system's temperature bins. The location's design temperature leaves out
      0.4 % of the hours unless --percent or --hours says otherwise. Also reads
      .eed and .vrf files. --hourly - prints the hourly rows instead of the
      results. --report writes the program's spreadsheet report. Warnings about
      the input (values read as 0, models missing from the product database,
      replaced peak loads, filled weather gaps) go to standard error.
  curves [PROJECT.ee]
      The cooling (EIR) and heating (COP) part-load curve tables of both systems.
  import SOURCE.eed|SOURCE.vrf [-o OUT.ee|-]
      Import a selection-software project and save it as a project file
      (default: the source path ending in .ee; - prints it).
  weather list
      Countries and cities of the weather database.
  weather analyse COUNTRY CITY [--percent P | --hours H] [--json]
      Extremes, design temperature and monthly 1-degree bins of a city.
  weather design [--write] [--percent P | --hours H]
      Summer and winter design points of every city; --write stores them.
  weather import FILE.epw|FILE.csv [--country C --city X]
      Import an EPW or TMY3 file as a city of the weather database.
  products list [--outdoor | --indoor] [--category C]
      Products of the energy-data table with rated capacities and inputs.
  project new OUT.ee --name N --country C --city X [--area M2] [--height M]
            [--floors N] [--cooling-peak KW] [--heating-peak KW] [--date D]
            [--electricity-price P] [--gas-price P] [KEY=VALUE...] [--force]
  project set FILE KEY=VALUE...
  project add-unit FILE --own|--other --outdoor|--indoor --quantity N
            own:   --model M [--category C] [--series ID]
            other: [--model M] [--category C] [--series ID] [--price P]
                   --capacity-cooling KW --power-cooling KW
                   --capacity-heating KW --power-heating KW
  project remove-unit FILE --own|--other (--line N | --model M) [--outdoor|--indoor]
  project schedule FILE [--hours 8-17] [--days mon-fri] [--months 1-6,9-12]
            [--weekdays 8-18 | --every-day 0-23]
  project holiday FILE [--clear] [--remove] DATE|FROM..TO...
  project show FILE
      Make and change project files without editing JSON: values by their key
      (docs/project-file.md), unit lines (own models from the product database),
      the schedule and the holidays. Every value is checked first; a refused
      command leaves the file as it was, and a file is replaced only whole.
  sweep PROJECT.ee --cities all|"Country/City,..."|@FILE [--peak-scale 0.8,1,1.2]
            [--jobs N] [--format csv|json] [-o FILE] [calculate's options]
      Calculate the project in every city given (and with its peak loads scaled),
      each variant as calculate would in a worker process, N at a time (default:
      the number of cores); one row per variant, progress on standard error.

Every command takes --weather FILE and --products FILE; --paths shows the files
and folders in use (the user's databases, configuration and caches). Exit status:
0 success, 2 bad input (one line on standard error), 3 project cannot be calculated,
4 some variants of a sweep failed (their rows say why).)";

// Diagnostics of the libraries go to the debug output; on the command line they
// would bury the one line of an error, so they are shown only with --verbose.
void quietMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QString percentText(double v)
{
    return QString::number(v, 'f', 1);
}

// Whether writing `output` would replace the file at `input`.
bool sameFile(const QString& output, const QString& input)
{
    const QFileInfo out(output);
    return out.exists() && out.canonicalFilePath() == QFileInfo(input).canonicalFilePath();
}

} // namespace

HLumoEcoCli::HLumoEcoCli()
    : m_out(stdout)
    , m_err(stderr)
{
}

HLumoEcoCli::~HLumoEcoCli()
{
    m_out.flush();
    m_err.flush();
    // The energy-data object goes before the connection it used, and both
    // connections close while the application object still exists.
    m_productData.reset();
    HDbFind::close();
    LumoWeather::setWeatherDbPath(QString());
}

void HLumoEcoCli::warn(const HProjectNotices& notices)
{
    for (const QString& text : notices.texts())
        warn(text);
}

void HLumoEcoCli::warn(const QString& text)
{
    m_out.flush();
    m_err << "lumoeco: warning: " << text.simplified() << "\n";
    m_err.flush();
}

QString HLumoEcoCli::wayOut(HCalHelper::Refusal refusal)
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

int HLumoEcoCli::fail(int code, const QString& message)
{
    m_out.flush();
    QString line = message.simplified();
    m_err << "lumoeco: " << line << "\n";
    m_err.flush();
    return code;
}

bool HLumoEcoCli::checkOptions(const QString& command, const QStringList& allowed)
{
    const QStringList common{"weather", "products", "app-dir", "verbose"};
    for (const QString& name : m_parser.optionNames()) {
        const QString longName = name == QLatin1String("o") ? QStringLiteral("output") : name;
        if (!common.contains(longName) && !allowed.contains(longName)) {
            fail(BadInput, QStringLiteral("option --%1 does not apply to '%2'").arg(name, command));
            return false;
        }
    }
    return true;
}

bool HLumoEcoCli::openWeather()
{
    QString path = m_parser.value("weather");
    if (path.isEmpty())
        path = HAppPaths::weatherDatabase();
    if (!QFileInfo(path).isFile()) {
        fail(BadInput,
             QStringLiteral("weather database not found: %1 (give one with --weather FILE)")
                 .arg(path));
        return false;
    }
    LumoWeather::setWeatherDbPath(QFileInfo(path).absoluteFilePath());
    HDatabase* db = LumoWeather::getWeatherDB();
    if (!db || !db->isVilidDatabase()
        || !db->query(QStringLiteral("select count(*) from tb_glb_idx")).next()) {
        fail(BadInput,
             QStringLiteral("not a weather database: %1 (give one with --weather FILE)").arg(path));
        return false;
    }
    return true;
}

bool HLumoEcoCli::openProducts()
{
    QString path = m_parser.value("products");
    if (path.isEmpty())
        path = HAppPaths::productDatabase(); // as the program finds it
    if (!QFileInfo(path).isFile()) {
        fail(BadInput,
             QStringLiteral("product database not found: %1 (give one with --products FILE)")
                 .arg(path));
        return false;
    }
    HProjectSession::registerProductDatabase(QFileInfo(path).absoluteFilePath());
    HDatabase* db = HDbFind::getDb();
    // Checked before anything is built: another kind of file is never written into.
    if (!HInitVRFProductECData::isProductCatalogue(db)) {
        fail(BadInput,
             QStringLiteral("not a product database: %1 (it holds no %2, __product_series or "
                            "__Product_idx table); give the catalogue with --products FILE")
                 .arg(path, HInitVRFProductECData::ecTableName));
        return false;
    }
    m_productData = std::make_unique<HInitVRFProductECData>();
    if (!db->tableIsExist(HInitVRFProductECData::ecTableName)) {
        fail(BadInput,
             QStringLiteral("the product database %1 has no energy data and none "
                            "could be built")
                 .arg(path));
        return false;
    }
    return true;
}

bool HLumoEcoCli::ignoreHoursOption(int* hours)
{
    const bool hasPercent = m_parser.isSet("percent");
    const bool hasHours = m_parser.isSet("hours");
    if (hasPercent && hasHours) {
        fail(BadInput, QStringLiteral("give either --percent or --hours, not both"));
        return false;
    }
    bool ok = true;
    if (hasHours) {
        *hours = m_parser.value("hours").toInt(&ok);
        if (!ok || *hours < 0 || *hours >= 8760) {
            fail(BadInput, QStringLiteral("--hours takes a whole number from 0 to 8759"));
            return false;
        }
        return true;
    }
    double percent = 0.4;
    if (hasPercent) {
        percent = m_parser.value("percent").toDouble(&ok);
        // Written so that "nan" is refused too.
        if (!ok || !(percent >= 0.0 && percent < 100.0)) {
            fail(BadInput, QStringLiteral("--percent takes a number from 0 to below 100"));
            return false;
        }
    }
    *hours = HWeatherAnalysis::calculateIgnoreHours(percent);
    return true;
}

int HLumoEcoCli::run(const QStringList& arguments)
{
    m_parser.setApplicationDescription(
        QStringLiteral("Hourly energy and cost of VRF installations, without a window.\n\n")
        + QLatin1String(helpCommands));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addPositionalArgument(
        "command", "calculate, curves, import, weather, products, project or sweep.");
    m_parser.addPositionalArgument("arguments", "Arguments of the command.", "[arguments...]");
    m_parser.addOptions({
        {"verbose", "Show the libraries' diagnostic output on standard error."},
        {"weather", "Weather database (default: the user's Weather.db3; see --paths).", "FILE"},
        {"products",
         "Product database (default: Product.mdb in the working directory, else the "
         "user's copy; see --paths).",
         "FILE"},
        {"app-dir",
         "Directory used as the program's own for everything it reads and writes: "
         "Weather.db3, Product.mdb, the weather analysis cache, the default curve file "
         "(default: the per-user folders and the shipped files; see --paths).",
         "DIR"},
        {"paths", "Print every location the program uses, and quit."},
        {"adjust", "calculate: adjust mode on (default: the configuration file)."},
        {"without-other", "calculate: go on when the other system has no units."},
        {"format", "calculate: table, json or csv (default table); sweep: csv or json.", "FORMAT",
         "table"},
        {"hourly",
         "calculate: also write one CSV row per hour to FILE (- for standard output, in "
         "place of the results).",
         "FILE"},
        {"report",
         "calculate: also write the spreadsheet report (.xlsx) to FILE (- for standard "
         "output, in place of the results); its hourly sheet follows "
         "\"other\"/\"is_print_all\" of ee_config.json.",
         "FILE"},
        {{"o", "output"}, "import: the project file to write; sweep: the rows' file.", "FILE"},
        {"percent", "calculate, weather: design hours as a percentage of the year (default 0.4).",
         "P"},
        {"hours",
         "calculate, weather: design hours as a number of hours; project schedule: the hours "
         "of the day the plant runs (8-17 runs 8:00 to 17:59).",
         "H"},
        {"json", "weather analyse: print the analysis object as JSON."},
        {"write", "weather design: store the points in the weather database index."},
        {"country", "weather import, project new: country of the city.", "C"},
        {"city", "weather import, project new: name of the city.", "X"},
        {"outdoor", "products list: outdoor units only; project: an outdoor unit line."},
        {"indoor", "products list: indoor units only; project: an indoor unit line."},
        {"category", "products list: one category only; project add-unit: the unit's category.",
         "C"},
    });
    m_parser.addOptions(HProjectCommand::options());
    m_parser.addOptions(HSweepCommand::options());

    if (!m_parser.parse(arguments))
        return fail(BadInput, m_parser.errorText());
    if (m_parser.isSet("help")) {
        m_out << m_parser.helpText();
        return Ok;
    }
    if (m_parser.isSet("version")) {
        m_out << QCoreApplication::applicationName() << " "
              << QCoreApplication::applicationVersion() << "\n";
        return Ok;
    }

    if (!m_parser.isSet("verbose"))
        qInstallMessageHandler(quietMessageHandler);

    if (m_parser.isSet("app-dir")) {
        const QString dir = m_parser.value("app-dir");
        if (!QFileInfo(dir).isDir())
            return fail(BadInput, QStringLiteral("not a directory: %1").arg(dir));
        HAppPaths::setApplicationDir(QFileInfo(dir).absoluteFilePath());
    }
    if (m_parser.isSet("paths"))
        return paths();
    // Files made for the user are named as they are made.
    HAppPaths::setReporter(
        [this](HAppPaths::Note note, const QString& path, const QString& source) {
            m_out.flush();
            m_err << "lumoeco: " << noteText(note, path, source) << "\n";
            m_err.flush();
        });
    HJsonConfig::read(HAppPaths::configFile());

    QStringList args = m_parser.positionalArguments();
    if (args.isEmpty())
        return fail(BadInput, QStringLiteral("no command given; see lumoeco --help"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("calculate"))
        return calculate(args);
    if (command == QLatin1String("curves"))
        return curves(args);
    if (command == QLatin1String("import"))
        return importProject(args);
    if (command == QLatin1String("weather"))
        return weather(args);
    if (command == QLatin1String("products"))
        return products(args);
    if (command == QLatin1String("project"))
        return HProjectCommand(*this).run(args);
    if (command == QLatin1String("sweep"))
        return HSweepCommand(*this).run(args);
    return fail(BadInput, QStringLiteral("unknown command '%1'; see lumoeco --help").arg(command));
}

QString HLumoEcoCli::noteText(HAppPaths::Note note, const QString& path, const QString& source)
{
    switch (note) {
    case HAppPaths::Note::Copied:
        return QStringLiteral("created %1 (a copy of %2)").arg(path, source);
    case HAppPaths::Note::Updated:
        return QStringLiteral("updated %1 from %2").arg(path, source);
    case HAppPaths::Note::Written:
        return QStringLiteral("created %1").arg(path);
    case HAppPaths::Note::CannotCopy:
        return QStringLiteral("cannot copy %1 to %2; reading %1 instead").arg(source, path);
    }
    return QString();
}

int HLumoEcoCli::paths()
{
    QVector<HAppPaths::Location> list = HAppPaths::locations();
    // Databases given on the command line are the ones in use.
    for (HAppPaths::Location& l : list) {
        const QString option = l.name == QLatin1String("Weather database") ? "weather"
            : l.name == QLatin1String("Product database")                  ? "products"
                                                                           : QString();
        if (!option.isEmpty() && m_parser.isSet(option)) {
            l.path = QFileInfo(m_parser.value(option)).absoluteFilePath();
            l.state = QFileInfo::exists(l.path)
                ? QStringLiteral("given with --%1").arg(option)
                : QStringLiteral("given with --%1, missing").arg(option);
        }
    }
    for (const HAppPaths::Location& l : list)
        m_out << l.name.leftJustified(23) << ' ' << l.path << "  (" << l.state << ")\n";
    return Ok;
}

int HLumoEcoCli::calculate(const QStringList& args)
{
    if (!checkOptions(
            "calculate",
            {"adjust", "without-other", "format", "hourly", "report", "percent", "hours"}))
        return BadInput;
    if (args.size() != 1)
        return fail(BadInput, QStringLiteral("calculate takes one project file"));
    const QString format = m_parser.value("format");
    if (format != QLatin1String("table") && format != QLatin1String("json")
        && format != QLatin1String("csv"))
        return fail(BadInput,
                    QStringLiteral("unknown format '%1' (table, json or csv)").arg(format));
    if (!QFileInfo(args[0]).isFile())
        return fail(BadInput, QStringLiteral("project file not found: %1").arg(args[0]));
    if (m_parser.isSet("hourly") && sameFile(m_parser.value("hourly"), args[0]))
        return fail(
            BadInput,
            QStringLiteral("the hourly CSV would replace the project file %1").arg(args[0]));
    if (m_parser.isSet("report") && sameFile(m_parser.value("report"), args[0]))
        return fail(BadInput,
                    QStringLiteral("the report would replace the project file %1").arg(args[0]));
    int ignoreHours = 0;
    if (!ignoreHoursOption(&ignoreHours) || !openWeather() || !openProducts())
        return BadInput;
    // Opened before anything is printed: an output that cannot be written is refused
    // before the results, not after them.
    std::unique_ptr<HOutputFile> hourly;
    if (m_parser.isSet("hourly")) {
        QString error;
        hourly = std::make_unique<HOutputFile>(m_parser.value("hourly"));
        if (!hourly->open(&error, QIODevice::Text))
            return fail(BadInput, QStringLiteral("cannot write the hourly CSV %1").arg(error));
    }
    std::unique_ptr<HOutputFile> workbook;
    if (m_parser.isSet("report")) {
        workbook = std::make_unique<HOutputFile>(m_parser.value("report"));
        if (hourly && hourly->isStandardOutput() && workbook->isStandardOutput())
            return fail(BadInput, QStringLiteral("only one of --hourly and --report can be -"));
        QString error;
        if (!workbook->open(&error))
            return fail(BadInput, QStringLiteral("cannot write the report %1").arg(error));
    }

    HCalculationRun::Options options;
    options.projectPath = args[0];
    options.adjustGiven = m_parser.isSet("adjust");
    options.adjust = options.adjustGiven;
    options.withoutOther = m_parser.isSet("without-other");
    options.ignoreHours = ignoreHours;

    HCalculationRun run;
    QString message;
    const HCalculationRun::Status status = run.run(options, &message);
    warn(run.notices());
    if (status == HCalculationRun::CannotCalculate)
        return fail(status, message + QLatin1Char(' ') + wayOut(run.refusal()));
    if (status != HCalculationRun::Success)
        return fail(status, message);

    // With the hourly rows or the workbook on standard output the results would break it.
    if ((!hourly || !hourly->isStandardOutput()) && (!workbook || !workbook->isStandardOutput())) {
        if (format == QLatin1String("json"))
            m_out << QString::fromUtf8(QJsonDocument(run.toJson()).toJson(QJsonDocument::Indented));
        else if (format == QLatin1String("csv"))
            m_out << run.toCsv();
        else
            m_out << run.toTable();
        m_out.flush();
    }
    if (hourly) {
        QString error;
        if (!HCalculationRun::writeHourlyCsv(hourly->device()))
            error = QStringLiteral("%1: %2").arg(hourly->path(), hourly->device()->errorString());
        if (!error.isEmpty() || !hourly->commit(&error))
            return fail(BadInput, QStringLiteral("cannot write the hourly CSV %1").arg(error));
    }
    if (workbook) {
        QString error;
        HReport report;
        if (!report.writeReport(workbook->device(), &error))
            error = QStringLiteral("%1: %2").arg(workbook->path(), error);
        if (!error.isEmpty() || !workbook->commit(&error))
            return fail(BadInput, QStringLiteral("cannot write the report %1").arg(error));
    }
    return Ok;
}

int HLumoEcoCli::curves(const QStringList& args)
{
    if (!checkOptions("curves", {}))
        return BadInput;
    if (args.size() > 1)
        return fail(BadInput, QStringLiteral("curves takes at most one project file"));
    HProjectSession::startProject();
    if (!args.isEmpty()) {
        if (!openProducts())
            return BadInput;
        QString error;
        HProjectNotices notices;
        const bool opened = HProjectSession::openProject(args[0], &error, &notices);
        warn(notices);
        if (!opened)
            return fail(BadInput, error);
    }
    m_out << "EIR (cooling): load %, own system EIR %, other system EIR %\n"
          << HCalHelper::calEIRTest() << "\n\n"
          << "COP (heating): load %, own system COP curve %, other system COP curve %\n"
          << HCalHelper::calCOPTest() << "\n";
    return Ok;
}

int HLumoEcoCli::importProject(const QStringList& args)
{
    if (!checkOptions("import", {"output"}))
        return BadInput;
    if (args.size() != 1)
        return fail(BadInput, QStringLiteral("import takes one .eed or .vrf file"));
    const QString source = args[0];
    if (!source.endsWith(QLatin1String(".eed")) && !source.endsWith(QLatin1String(".vrf")))
        return fail(BadInput, QStringLiteral("import reads .eed or .vrf files: %1").arg(source));
    if (!QFileInfo(source).isFile())
        return fail(BadInput, QStringLiteral("file not found: %1").arg(source));
    const QString target = m_parser.isSet("output") ? m_parser.value("output")
                                                    : HProjectSession::projectPathFor(source);
    if (sameFile(target, source))
        return fail(BadInput,
                    QStringLiteral("the output would replace the source file %1").arg(source));
    if (!openProducts())
        return BadInput;

    HProjectSession::startProject();
    QString error;
    HProjectNotices notices;
    const bool opened = HProjectSession::openProject(source, &error, &notices);
    warn(notices);
    if (!opened)
        return fail(BadInput, error);

    if (!saveProjectFile(target, &error))
        return fail(BadInput, error);

    HVRF* own = HProject::getProject()->getOwnVRFSys();
    QVector<HUnit*> outdoor, indoor;
    own->getAllOutoorUnits(outdoor);
    own->getAllIndoorUnits(indoor);
    // With the project on standard output the summary goes to standard error.
    QTextStream& summary = target == QLatin1String("-") ? m_err : m_out;
    summary << "Imported " << outdoor.size() << " outdoor and " << indoor.size()
            << " indoor unit lines into " << target;
    if (const int missing = notices.missingModels().size())
        summary << " (" << missing << (missing == 1 ? " line has a model" : " lines have models")
                << " not in the product database)";
    summary << "\n";
    return Ok;
}

int HLumoEcoCli::weather(const QStringList& args)
{
    if (args.isEmpty())
        return fail(BadInput, QStringLiteral("weather needs list, analyse, design or import"));
    const QString sub = args.first();
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("list")) {
        if (!checkOptions("weather list", {}))
            return BadInput;
        if (!rest.isEmpty())
            return fail(BadInput, QStringLiteral("weather list takes no arguments"));
        return weatherList();
    }
    if (sub == QLatin1String("analyse") || sub == QLatin1String("analyze")) {
        if (!checkOptions("weather analyse", {"percent", "hours", "json"}))
            return BadInput;
        return weatherAnalyse(rest);
    }
    if (sub == QLatin1String("design")) {
        if (!checkOptions("weather design", {"write", "percent", "hours"}))
            return BadInput;
        if (!rest.isEmpty())
            return fail(BadInput, QStringLiteral("weather design takes no arguments"));
        return weatherDesign();
    }
    if (sub == QLatin1String("import")) {
        if (!checkOptions("weather import", {"country", "city"}))
            return BadInput;
        return weatherImport(rest);
    }
    return fail(BadInput, QStringLiteral("unknown weather command '%1'").arg(sub));
}

int HLumoEcoCli::weatherList()
{
    if (!openWeather())
        return BadInput;
    QSqlQuery q = LumoWeather::getQWeather()->weatherQuery(
        QStringLiteral("select [nation], [city], [tableName] from tb_glb_idx "
                       "order by [nation], [city]"));
    m_out << "country\tcity\ttable\n";
    while (q.next())
        m_out << q.value(0).toString() << '\t' << q.value(1).toString() << '\t'
              << q.value(2).toString() << "\n";
    return Ok;
}

int HLumoEcoCli::weatherAnalyse(const QStringList& args)
{
    if (args.size() != 2)
        return fail(BadInput, QStringLiteral("weather analyse takes COUNTRY CITY"));
    int hours = 0;
    if (!ignoreHoursOption(&hours) || !openWeather())
        return BadInput;
    const QString table = HWeatherLocation::findCityTable(args[0], args[1]);
    if (table.isEmpty())
        return fail(BadInput,
                    QStringLiteral("unknown city \"%1\" (country \"%2\"); lumoeco weather list "
                                   "shows the cities")
                        .arg(args[1], args[0]));

    HProjectSession::startProject();
    HWeatherAnalysis analysis(table);
    analysis.analysisData();
    if (analysis.getExtremeResult().isEmpty())
        return fail(BadInput, QStringLiteral("the weather table %1 holds no readings").arg(table));
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

    if (m_parser.isSet("json")) {
        QJsonObject root;
        root.insert("extreme_result", extreme);
        root.insert("statis_result", analysis.getStatisResult());
        m_out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
        return Ok;
    }

    m_out << args[1] << ", " << args[0] << " [" << table << "]\n";
    m_out << "Max temperature    " << QString::number(analysis.GetMaxTemperature(), 'f', 2)
          << " C\n";
    m_out << "Min temperature    " << QString::number(analysis.GetMinTemperature(), 'f', 2)
          << " C\n";
    // The design hour of the averaged year, dated in the project's calendar year.
    const QDateTime designHour(
        QDate(HYear::year, analysis.GetMaxTempInMonth(), analysis.GetMaxTempInDay()),
        QTime(analysis.GetMaxTempHour(), 0));
    m_out << "Design temperature " << QString::number(analysis.GetAverageTemperature(), 'f', 2)
          << " C, exceeded by " << hours << " hours (design hour "
          << (designHour.isValid() ? designHour.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                   : QStringLiteral("none"))
          << ")\n";
    m_out << "Hours              " << analysis.GettotalHours() << "\n\n";
    m_out << "Hours per month in each 1-degree bin (t-1, t]:\n";
    m_out << qSetFieldWidth(6) << "t C";
    for (int m = 1; m <= 12; ++m)
        m_out << QString::number(m);
    m_out << qSetFieldWidth(7) << "total" << qSetFieldWidth(0) << "\n";
    for (const QJsonValue& v : analysis.getStatisResult()) {
        const QJsonObject bin = v.toObject();
        m_out << qSetFieldWidth(6) << bin.value("temp_dot").toInt();
        const QJsonArray months = bin.value("temp_times_month").toArray();
        for (int m = 0; m < 12; ++m)
            m_out << months.at(m).toInt();
        m_out << qSetFieldWidth(7) << bin.value("total_times").toInt() << qSetFieldWidth(0) << "\n";
    }
    return Ok;
}

int HLumoEcoCli::weatherDesign()
{
    int hours = 0;
    if (!ignoreHoursOption(&hours) || !openWeather())
        return BadInput;
    const QVector<HWeatherDesignPoints::Point> points = HWeatherDesignPoints::compute(hours);
    m_out << "country\tcity\ttable\tsummer_dry_c\tsummer_rh_percent\tsummer_w\t"
             "winter_dry_c\twinter_rh_percent\twinter_w\n";
    for (const HWeatherDesignPoints::Point& p : points) {
        m_out << p.country << '\t' << p.city << '\t' << p.tableName << '\t';
        if (p.ok)
            m_out << QString::number(p.summerDry, 'f', 2) << '\t'
                  << percentText(p.summerHumidity * 100.0) << '\t'
                  << QString::number(p.summerW, 'f', 5) << '\t'
                  << QString::number(p.winterDry, 'f', 2) << '\t'
                  << percentText(p.winterHumidity * 100.0) << '\t'
                  << QString::number(p.winterW, 'f', 5) << "\n";
        else
            m_out << "-\t-\t-\t-\t-\t-\n";
    }
    if (m_parser.isSet("write")) {
        QString error;
        if (!HWeatherDesignPoints::write(points, &error))
            return fail(BadInput, QStringLiteral("cannot store the design points: %1").arg(error));
        m_out.flush();
        m_err << "lumoeco: design points stored in " << LumoWeather::weatherDbPath() << "\n";
    }
    return Ok;
}

int HLumoEcoCli::weatherImport(const QStringList& args)
{
    if (args.size() != 1)
        return fail(BadInput, QStringLiteral("weather import takes one EPW or TMY3 file"));
    if (!QFileInfo(args[0]).isFile())
        return fail(BadInput, QStringLiteral("file not found: %1").arg(args[0]));
    if (!openWeather())
        return BadInput;
    HWeatherImport importer;
    if (!importer.importFile(args[0], m_parser.value("country"), m_parser.value("city")))
        return fail(BadInput, importer.errorString());
    for (const QString& text : importer.warnings())
        m_err << "lumoeco: warning: " << text << "\n";
    m_err.flush();
    m_out << "Imported " << importer.readings().size() << " readings ("
          << importer.invalidReadings() << " invalid) as table " << importer.tableName() << "\n";
    return Ok;
}

int HLumoEcoCli::products(const QStringList& args)
{
    if (!checkOptions("products", {"outdoor", "indoor", "category"}))
        return BadInput;
    if (args.size() != 1 || args[0] != QLatin1String("list"))
        return fail(BadInput, QStringLiteral("products takes the command list"));
    if (m_parser.isSet("outdoor") && m_parser.isSet("indoor"))
        return fail(BadInput, QStringLiteral("give either --outdoor or --indoor, not both"));
    if (!openProducts())
        return BadInput;

    QList<int> types;
    if (!m_parser.isSet("indoor"))
        types << 0;
    if (!m_parser.isSet("outdoor"))
        types << 1;
    const QString onlyCategory = m_parser.value("category");

    m_out << "type\tcategory\tmodel\tcooling_kw\theating_kw\tinput_cooling_kw\t"
             "input_heating_kw\n";
    bool categoryFound = onlyCategory.isEmpty();
    for (int type : types) {
        for (const QString& category : HVRFProductHelper::categoryList(type)) {
            if (!onlyCategory.isEmpty() && category != onlyCategory)
                continue;
            categoryFound = true;
            for (const QString& model : HVRFProductHelper::modelList(category, type)) {
                HUnit unit;
                if (type == 0)
                    HVRFProductHelper::getOutdoorUnitFromDb(-1, category, model, &unit);
                else
                    HVRFProductHelper::getIndoorUnitFromDb(-1, category, model, &unit);
                m_out << (type == 0 ? "outdoor" : "indoor") << '\t' << category << '\t' << model
                      << '\t' << unit.Gettotal_capacity_cooling() << '\t'
                      << unit.Gettotal_capacity_heating() << '\t' << unit.Getpower_input_cooling()
                      << '\t' << unit.Getpower_input_heating() << "\n";
            }
        }
    }
    if (!categoryFound)
        return fail(BadInput, QStringLiteral("unknown category \"%1\"").arg(onlyCategory));
    return Ok;
}
