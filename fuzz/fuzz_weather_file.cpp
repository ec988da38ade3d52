// An EPW or TMY3 weather file. The first byte chooses the form:
// - even: the input is the whole file (headers and any number of rows), read as such;
// - odd: the input is a header and one or a few data lines, which the harness repeats
//   for the 8760 hours of a year (dates and hours filled in) and imports into a small
//   weather database, so that whole years reach the database, the averaged year and
//   the analysis.

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
// remaining lines as a template for every hour.
QByteArray fullYear(const QByteArray& input, bool epw)
{
    QList<QByteArray> lines = input.split('\n');
    const int headerLines = epw ? 8 : 2;
    QByteArray out;
    for (int i = 0; i < headerLines && !lines.isEmpty(); ++i)
        out += lines.takeFirst() + '\n';
    if (lines.isEmpty())
        lines.append(QByteArray());
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int n = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= days[m - 1]; ++d) {
            for (int h = 1; h <= 24; ++h, ++n) {
                const QByteArray rest = lines.at(n % lines.size());
                QByteArray row;
                if (epw)
                    row = QByteArray::number(2019) + ',' + QByteArray::number(m) + ','
                        + QByteArray::number(d) + ',' + QByteArray::number(h) + ",60," + rest;
                else
                    row = QByteArray::number(m).rightJustified(2, '0') + '/'
                        + QByteArray::number(d).rightJustified(2, '0') + "/2019,"
                        + QByteArray::number(h).rightJustified(2, '0') + ":00," + rest;
                out += row + '\n';
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
    const bool year = data[0] & 1;
    const bool epw = data[0] & 2;
    const QByteArray input(reinterpret_cast<const char*>(data) + 1, int(size) - 1);
    if (!year) {
        HWeatherImport importer;
        importer.readFile(env.write(QStringLiteral("input.txt"), input));
        return 0;
    }

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
