#include "HLumoEcoCli.h"

#include "HAppPaths.h"
#include "HCalculateCommand.h"
#include "HCurvesCommand.h"
#include "HDatabase.h"
#include "HDbFind.h"
#include "HImportCommand.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProductsCommand.h"
#include "HProjectCommand.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HSweepCommand.h"
#include "HWeatherAnalysis.h"
#include "HWeatherCommand.h"
#include "LumoWeather.h"

#include <QCoreApplication>
#include <QFileInfo>
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

bool HLumoEcoCli::sameFile(const QString& output, const QString& input)
{
    const QFileInfo out(output);
    return out.exists() && out.canonicalFilePath() == QFileInfo(input).canonicalFilePath();
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

bool HLumoEcoCli::openWeather(bool readOnly)
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
    LumoWeather::setWeatherDbPath(QFileInfo(path).absoluteFilePath(), readOnly);
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
    // Only read, unless the energy-data table must be built.
    HDbFind::setReadOnly(true);
    HDatabase* db = HDbFind::getDb();
    // Checked before anything is built: another kind of file is never written into.
    if (!HInitVRFProductECData::isProductCatalogue(db)) {
        fail(BadInput,
             QStringLiteral("not a product database: %1 (it holds no %2, __product_series or "
                            "__Product_idx table); give the catalogue with --products FILE")
                 .arg(path, HInitVRFProductECData::ecTableName));
        return false;
    }
    if (!db->tableIsExist(HInitVRFProductECData::ecTableName)) {
        HDbFind::setReadOnly(false);
        db = HDbFind::getDb();
    }
    m_productData = std::make_unique<HInitVRFProductECData>();
    if (!db || !db->tableIsExist(HInitVRFProductECData::ecTableName)) {
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
        return HCalculateCommand(*this).run(args);
    if (command == QLatin1String("curves"))
        return HCurvesCommand(*this).run(args);
    if (command == QLatin1String("import"))
        return HImportCommand(*this).run(args);
    if (command == QLatin1String("weather"))
        return HWeatherCommand(*this).run(args);
    if (command == QLatin1String("products"))
        return HProductsCommand(*this).run(args);
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
