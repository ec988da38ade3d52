// A whole year of an EPW or TMY3 weather file. The input is a header and one or a few
// data lines, which the harness repeats for the 8760 hours of a year (dates and hours
// filled in) and imports into a small weather database, so that whole years reach the
// database, the averaged year and the analysis. The first byte chooses the form: odd
// EPW, even TMY3.

#include "HDatabase.h"
#include "HFuzzEnvironment.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HWeatherAnalysis.h"
#include "HWeatherImport.h"
#include "HYear.h"
#include "LumoWeather.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// Header lines (up to and including the line before the first data line) and the
// remaining lines as a template for every hour. Written into one buffer of the right
// size: the year is the harness's largest cost.
QByteArray fullYear(const QByteArray& input, bool epw)
{
    QList<QByteArray> lines = input.split('\n');
    const int headerLines = epw ? 8 : 2;
    QByteArray out;
    for (int i = 0; i < headerLines && !lines.isEmpty(); ++i)
        out += lines.takeFirst() + '\n';
    if (lines.isEmpty())
        lines.append(QByteArray());
    qint64 templates = 0;
    for (const QByteArray& line : lines)
        templates += line.size();
    const qint64 hours = 8760;
    out.reserve(int(out.size() + hours * 24 + templates * (hours / lines.size() + 1)));
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char stamp[32];
    int n = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= days[m - 1]; ++d) {
            for (int h = 1; h <= 24; ++h, ++n) {
                const int length = epw ? std::snprintf(stamp, sizeof stamp, "2019,%d,%d,%d,60,", m, d, h)
                                       : std::snprintf(stamp, sizeof stamp, "%02d/%02d/2019,%02d:00,", m, d, h);
                out.append(stamp, length);
                out.append(lines.at(n % lines.size()));
                out.append('\n');
            }
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    const bool epw = data[0] & 1;
    const QByteArray input(reinterpret_cast<const char*>(data) + 1, int(size) - 1);

    // A fresh database each time, so one input's table never meets the next one.
    const QString dbPath = env.dir() + QStringLiteral("/import.db3");
    QFile::remove(dbPath);
    HWeatherImport importer;
    const QString file = env.write(epw ? QStringLiteral("year.epw") : QStringLiteral("year.csv"),
                                   fullYear(input, epw));
    if (!importer.readFile(file, epw ? HWeatherImport::Format::Epw : HWeatherImport::Format::Tmy3))
        return 0;
    {
        HDatabase db;
        if (!db.createDatabase(dbPath))
            std::abort();
        if (!importer.writeToDatabase(QStringLiteral("Testland"), QStringLiteral("Year"), &db))
            return 0;
    }
    LumoWeather::setWeatherDbPath(dbPath, true);
    HProjectSession::newProject();
    LumoWeather* weather = LumoWeather::getQWeather();
    weather->setWeatherTableName(importer.tableName());
    weather->initYearWeatherData(HProjectSession::startProject()->getYear());
    HWeatherAnalysis analysis(importer.tableName());
    analysis.analysisData();
    double dry = 0.0, humidity = 0.0;
    analysis.calcuateDesignAverageTempInSummer(dry, humidity);
    analysis.calcuateDesignAverageTempInWinter(dry, humidity);
    LumoWeather::setWeatherDbPath(QString());
    HWeatherAnalysis::removeCacheFile(importer.tableName());
    return 0;
}
