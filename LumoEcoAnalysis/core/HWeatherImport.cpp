#include "HWeatherImport.h"

#include "HDatabase.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "HYear.h"
#include "LumoWeather.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kInvalidDryTemp = 999.0;

int daysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    // 29 February is accepted in any year: typical years carry the source year's leap day.
    Q_UNUSED(year)
    return month == 2 ? 29 : days[month - 1];
}

int hourKey(int month, int day, int hour)
{
    return (month * 32 + day) * 24 + hour;
}

bool toInt(const QStringRef& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

bool toDouble(const QStringRef& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

// The fields of a data line, as references into the line; a quoted line is split by the
// CSV rules into `storage` first. No string is copied for the hundreds of thousands of
// fields of a year.
QVector<QStringRef> dataFields(const QStringRef& line, QStringList& storage)
{
    if (!line.contains(QLatin1Char('"')))
        return line.split(QLatin1Char(','));
    storage = HWeatherImport::splitCsvLine(line.toString());
    QVector<QStringRef> fields;
    fields.reserve(storage.size());
    for (const QString& field : qAsConst(storage))
        fields.append(QStringRef(&field));
    return fields;
}

} // namespace

QStringList HWeatherImport::splitCsvLine(const QString& line)
{
    // Data lines hold no quotes: a plain split gives the same fields, much faster.
    if (!line.contains(QLatin1Char('"')))
        return line.split(QLatin1Char(','));
    QStringList fields;
    QString current;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    fields.append(current);
    return fields;
}

QString HWeatherImport::makeTableName(const QString& country, const QString& city)
{
    QString name;
    const QString source = country.trimmed() + QLatin1Char('_') + city.trimmed();
    for (const QChar c : source.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            name += c;
        else if (c.category() == QChar::Mark_NonSpacing || c == QLatin1Char('\'')
                 || c == QLatin1Char('.'))
            continue; // accents and apostrophes vanish: "Xi'an" -> "Xian"
        else if (!name.endsWith(QLatin1Char('_')))
            name += QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('_')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('_')))
        name.chop(1);
    if (name.isEmpty() || name[0].isDigit())
        name.prepend(QStringLiteral("W_"));
    return name.left(64);
}

bool HWeatherImport::fail(const QString& message)
{
    m_error = QStringLiteral("%1: %2").arg(QFileInfo(m_path).fileName(), message);
    return false;
}

bool HWeatherImport::readFile(const QString& path, Format format)
{
    m_path = path;
    m_error.clear();
    m_country.clear();
    m_city.clear();
    m_table.clear();
    m_readings.clear();
    m_lineOf.clear();
    m_invalid = 0;
    m_dryMissing = 0;
    m_gapHours = 0;
    m_warnings.clear();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open the file (%1)").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    // A NUL byte would end the decoded text early and drop the lines after it.
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        return fail(QStringLiteral("line %1: the file holds a NUL byte; it is not a text "
                                   "weather file")
                        .arg(bytes.left(nul).count('\n') + 1));
    // Weather files are mostly ASCII; station names in older files may be Latin-1.
    QString text = QString::fromUtf8(bytes.constData(), bytes.size());
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes.constData(), bytes.size());
    // Lines as references into the text: a year is some 9,000 of them.
    QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'));
    for (QStringRef& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return fail(QStringLiteral("line 1: the file is empty"));

    if (format == Format::Auto) {
        if (lines[0].startsWith(QLatin1String("LOCATION"), Qt::CaseInsensitive))
            format = Format::Epw;
        else if (lines.size() > 1
                 && lines[1].contains(QLatin1String("Dry-bulb"), Qt::CaseInsensitive))
            format = Format::Tmy3;
        else
            return fail(
                QStringLiteral("line 1: neither an EPW file (LOCATION line) nor a TMY3 CSV file"));
    }
    m_format = format;
    if (format == Format::Epw ? parseEpw(lines) : parseTmy3(lines))
        return true;
    // Nothing of a bad file may reach the database.
    m_readings.clear();
    m_lineOf.clear();
    return false;
}

bool HWeatherImport::addReading(int lineNo, int year, int month, int day, int hour24, double dry,
                                double rhPercent, bool dryMissing, bool rhMissing)
{
    if (month < 1 || month > 12)
        return fail(QStringLiteral("line %1: month %2 is not 1 to 12").arg(lineNo).arg(month));
    if (day < 1 || day > daysInMonth(year, month))
        return fail(QStringLiteral("line %1: day %2 does not exist in month %3")
                        .arg(lineNo)
                        .arg(day)
                        .arg(month));
    if (hour24 < 1 || hour24 > 24)
        return fail(QStringLiteral("line %1: hour %2 is not 1 to 24").arg(lineNo).arg(hour24));
    if (!dryMissing && (dry < -90.0 || dry > 70.0))
        return fail(QStringLiteral("line %1: dry-bulb temperature %2 is out of range")
                        .arg(lineNo)
                        .arg(dry));
    if (!rhMissing && (rhPercent < 0.0 || rhPercent > 110.0))
        return fail(QStringLiteral("line %1: relative humidity %2 % is out of range")
                        .arg(lineNo)
                        .arg(rhPercent));
    Reading r;
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour24 - 1;
    // A reading without temperature or humidity is kept as an invalid row, so
    // neither value enters an average.
    if (dryMissing || rhMissing) {
        r.dryTemp = kInvalidDryTemp;
        r.humidity = 0.0;
        ++m_invalid;
        if (dryMissing)
            ++m_dryMissing;
    } else {
        r.dryTemp = dry;
        r.humidity = std::min(rhPercent, 100.0) / 100.0;
    }
    m_readings.append(r);
    m_lineOf.append(lineNo);
    return true;
}

bool HWeatherImport::parseEpw(const QVector<QStringRef>& lines)
{
    const QStringList location = splitCsvLine(lines[0].toString());
    if (location.size() < 4
        || location[0].trimmed().compare(QLatin1String("LOCATION"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("line 1: not an EPW LOCATION line"));
    m_city = location[1].trimmed();
    m_country = location[3].trimmed();

    int first = -1;
    for (int i = 0; i < lines.size() && i < 40; ++i) {
        if (lines[i].startsWith(QLatin1String("DATA PERIODS"), Qt::CaseInsensitive)) {
            first = i + 1;
            break;
        }
    }
    if (first < 0)
        return fail(QStringLiteral("line %1: no DATA PERIODS header line")
                        .arg(std::min<int>(lines.size(), 8)));

    for (int i = first; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        if (lines[i].trimmed().isEmpty())
            continue;
        const QVector<QStringRef> f = lines[i].split(QLatin1Char(','));
        // A data row has 35 fields (a few writers drop the last ones); a shorter
        // row is a cut-off line.
        if (f.size() < 30)
            return fail(QStringLiteral("line %1: %2 fields, a data row has 35 (truncated line?)")
                            .arg(lineNo)
                            .arg(f.size()));
        int year, month, day, hour;
        double dry, rh;
        if (!toInt(f[0], year) || !toInt(f[1], month) || !toInt(f[2], day) || !toInt(f[3], hour))
            return fail(QStringLiteral("line %1: the date and hour are not numbers").arg(lineNo));
        if (!toDouble(f[6], dry))
            return fail(QStringLiteral("line %1: the dry-bulb temperature '%2' is not a number")
                            .arg(lineNo)
                            .arg(f[6].toString()));
        if (!toDouble(f[8], rh))
            return fail(QStringLiteral("line %1: the relative humidity '%2' is not a number")
                            .arg(lineNo)
                            .arg(f[8].toString()));
        // EPW marks a missing dry-bulb with 99.9 and a missing humidity with 999.
        if (!addReading(lineNo, year, month, day, hour, dry, rh, dry >= 99.9, rh >= 999.0))
            return false;
    }
    return finish(lines.size());
}

bool HWeatherImport::parseTmy3(const QVector<QStringRef>& lines)
{
    const QStringList station = splitCsvLine(lines[0].toString());
    if (station.size() < 3)
        return fail(QStringLiteral("line 1: not a TMY3 station line"));
    m_city = station[1].trimmed();
    // TMY3 covers United States stations; the state stays with the city.
    m_country = QStringLiteral("USA");
    if (lines.size() < 2)
        return fail(QStringLiteral("line 2: the column header line is missing"));
    const QStringList header = splitCsvLine(lines[1].toString());
    const int dateCol = header.indexOf(QStringLiteral("Date (MM/DD/YYYY)"));
    const int timeCol = header.indexOf(QStringLiteral("Time (HH:MM)"));
    const int dryCol = header.indexOf(QStringLiteral("Dry-bulb (C)"));
    const int rhCol = header.indexOf(QStringLiteral("RHum (%)"));
    if (dateCol < 0 || timeCol < 0 || dryCol < 0 || rhCol < 0)
        return fail(
            QStringLiteral("line 2: the date, time, dry-bulb or humidity column is missing"));
    const int needed = std::max({dateCol, timeCol, dryCol, rhCol}) + 1;

    for (int i = 2; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        if (lines[i].trimmed().isEmpty())
            continue;
        QStringList quoted;
        const QVector<QStringRef> f = dataFields(lines[i], quoted);
        if (f.size() < needed || f.size() < header.size() - 4)
            return fail(QStringLiteral("line %1: %2 fields, the header has %3 (truncated line?)")
                            .arg(lineNo)
                            .arg(f.size())
                            .arg(header.size()));
        const QVector<QStringRef> date = f[dateCol].split(QLatin1Char('/'));
        const QVector<QStringRef> time = f[timeCol].split(QLatin1Char(':'));
        int year, month, day, hour;
        double dry, rh;
        if (date.size() != 3 || time.size() != 2 || !toInt(date[0], month) || !toInt(date[1], day)
            || !toInt(date[2], year) || !toInt(time[0], hour))
            return fail(QStringLiteral("line %1: bad date or time '%2 %3'")
                            .arg(lineNo)
                            .arg(f[dateCol].toString(), f[timeCol].toString()));
        if (!toDouble(f[dryCol], dry))
            return fail(QStringLiteral("line %1: the dry-bulb temperature '%2' is not a number")
                            .arg(lineNo)
                            .arg(f[dryCol].toString()));
        if (!toDouble(f[rhCol], rh))
            return fail(QStringLiteral("line %1: the relative humidity '%2' is not a number")
                            .arg(lineNo)
                            .arg(f[rhCol].toString()));
        // TMY3 marks missing values with -9900.
        if (!addReading(lineNo, year, month, day, hour, dry, rh, dry <= -9900.0 || dry >= 99.9,
                        rh <= -9900.0))
            return false;
    }
    return finish(lines.size());
}

bool HWeatherImport::finish(int lastLine)
{
    if (m_readings.isEmpty())
        return fail(QStringLiteral("line %1: the file holds no hourly data").arg(lastLine));

    // Typical year or several actual years?
    QHash<int, int> seen; // month/day/hour -> reading index
    bool repeats = false;
    for (int i = 0; i < m_readings.size() && !repeats; ++i) {
        const Reading& r = m_readings[i];
        if (seen.contains(hourKey(r.month, r.day, r.hour)))
            repeats = true;
        else
            seen.insert(hourKey(r.month, r.day, r.hour), i);
    }
    if (!repeats) {
        const int year = m_readings.first().year;
        for (Reading& r : m_readings)
            r.year = year;
    } else {
        QHash<qint64, int> exact;
        for (int i = 0; i < m_readings.size(); ++i) {
            const Reading& r = m_readings[i];
            const qint64 key = qint64(r.year) * 100000 + hourKey(r.month, r.day, r.hour);
            if (exact.contains(key))
                return fail(
                    QStringLiteral("line %1: %2-%3-%4 hour %5 appears twice (first on line %6)")
                        .arg(m_lineOf[i])
                        .arg(r.year)
                        .arg(r.month)
                        .arg(r.day)
                        .arg(r.hour + 1)
                        .arg(m_lineOf[exact.value(key)]));
            exact.insert(key, i);
        }
    }

    // Every hour of a 365-day year must be there.
    QVector<bool> covered(13 * 32 * 24, false);
    for (const Reading& r : qAsConst(m_readings))
        covered[hourKey(r.month, r.day, r.hour)] = true;
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int count = 0;
    int firstMissing = -1;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= days[m - 1]; ++d)
            for (int h = 0; h < 24; ++h) {
                if (covered[hourKey(m, d, h)])
                    ++count;
                else if (firstMissing < 0)
                    firstMissing = hourKey(m, d, h);
            }
    if (count < 8760) {
        const int h = firstMissing % 24, d = (firstMissing / 24) % 32, m = firstMissing / 24 / 32;
        return fail(QStringLiteral("line %1: the file ends with %2 of the 8760 hours of a year; "
                                   "month %3 day %4 hour %5 is missing (truncated file?)")
                        .arg(lastLine)
                        .arg(count)
                        .arg(m)
                        .arg(d)
                        .arg(h + 1));
    }
    return checkValidReadings(lastLine);
}

bool HWeatherImport::checkValidReadings(int lastLine)
{
    // Nothing could be averaged: every hour of the year would be made up.
    if (m_dryMissing == m_readings.size())
        return fail(QStringLiteral("line %1: none of the %2 readings has a valid dry-bulb "
                                   "temperature (is the column missing or empty?)")
                        .arg(lastLine)
                        .arg(m_readings.size()));
    if (m_invalid == m_readings.size())
        return fail(QStringLiteral("line %1: none of the %2 readings has both a valid dry-bulb "
                                   "temperature and a valid humidity")
                        .arg(lastLine)
                        .arg(m_readings.size()));

    // Hours of the year without a valid reading in any year, in calendar order; the
    // longest run of them counts across the end of the year.
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    QVector<bool> valid(13 * 32 * 24, false);
    for (const Reading& r : qAsConst(m_readings)) {
        if (r.dryTemp < 100.0)
            valid[hourKey(r.month, r.day, r.hour)] = true;
    }
    QVector<bool> gap;
    gap.reserve(8760);
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= days[m - 1]; ++d)
            for (int h = 0; h < 24; ++h)
                gap.append(!valid[hourKey(m, d, h)]);
    m_gapHours = int(std::count(gap.cbegin(), gap.cend(), true));
    int longest = 0;
    int run = 0;
    for (int i = 0; i < 2 * gap.size() && m_gapHours < gap.size(); ++i) {
        run = gap[i % gap.size()] ? run + 1 : 0;
        longest = std::max(longest, std::min(run, m_gapHours));
    }
    if (m_gapHours > warnGapShare * gap.size() || longest > warnGapHours)
        m_warnings << QStringLiteral("%1 of the 8760 hours (%2 %) have no valid reading, the "
                                     "longest gap %3 hours; they are interpolated between the "
                                     "nearest hours with readings, which cannot restore the "
                                     "weather of long gaps")
                          .arg(m_gapHours)
                          .arg(QString::number(100.0 * m_gapHours / gap.size(), 'f', 1))
                          .arg(longest);
    return true;
}

bool HWeatherImport::importFile(const QString& path, const QString& country, const QString& city,
                                HDatabase* db)
{
    return readFile(path) && writeToDatabase(country, city, db);
}

bool HWeatherImport::writeToDatabase(const QString& countryIn, const QString& cityIn, HDatabase* db)
{
    m_table.clear();
    if (m_readings.isEmpty()) {
        m_error = QStringLiteral("nothing to import");
        return false;
    }
    const bool sharedDb = !db;
    if (!db)
        db = LumoWeather::getWeatherDB();
    if (!db || !db->isVilidDatabase()) {
        m_error = QStringLiteral("the weather database is not open");
        return false;
    }
    const QString country = countryIn.trimmed().isEmpty() ? m_country : countryIn.trimmed();
    const QString city = cityIn.trimmed().isEmpty() ? m_city : cityIn.trimmed();
    if (country.isEmpty() || city.isEmpty()) {
        m_error = QStringLiteral("the country and city of the weather table are needed");
        return false;
    }

    const bool haveIndex = db->tableIsExist(QStringLiteral("tb_glb_idx"));
    // The same city again: replace its table. Otherwise a new name not yet taken.
    QString table;
    if (haveIndex) {
        QSqlQuery q = db->query(
            QStringLiteral("select [tableName] from tb_glb_idx where [nation] = ? and [city] = ?"),
            {country, city});
        if (q.next())
            table = q.value(0).toString();
    }
    if (HDatabase::quoteIdentifier(table).isEmpty()
        || HWeatherAnalysis::cacheFilePath(table).isEmpty()) {
        const QString base = makeTableName(country, city);
        table = base;
        for (int n = 2;; ++n) {
            bool taken = db->nameIsTaken(table);
            if (!taken && haveIndex) {
                QSqlQuery q = db->query(
                    QStringLiteral(
                        "select count(*) from tb_glb_idx where lower([tableName]) = lower(?)"),
                    {table});
                taken = q.next() && q.value(0).toInt() > 0;
            }
            if (!taken)
                break;
            table = QStringLiteral("%1_%2").arg(base).arg(n);
        }
    }
    const QString quoted = HDatabase::quoteIdentifier(table);

    // An analysis cached under this name describes other data. Remove it first: when
    // that fails nothing is imported, rather than leaving the old figures to be served
    // for the new table (a removed cache is merely recomputed if the import fails).
    if (!HWeatherAnalysis::removeCacheFile(table)) {
        m_error = QStringLiteral("cannot remove the old weather analysis %1; remove it and "
                                 "import again")
                      .arg(QDir::toNativeSeparators(HWeatherAnalysis::cacheFilePath(table)));
        return false;
    }

    auto abort = [&](const QString& what) {
        m_error = QStringLiteral("%1: %2").arg(what, db->lastError());
        db->rollback();
        return false;
    };
    if (!db->transaction())
        return abort(QStringLiteral("cannot start a transaction"));
    if (!db->exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS tb_glb_idx (nation TEXT, city TEXT, tableName TEXT, "
            "SummeryDry TEXT, SummeryWet TEXT, WinterDry TEXT, WinterWet TEXT)")))
        return abort(QStringLiteral("cannot create the city index"));
    if (!db->exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoted)))
        return abort(QStringLiteral("cannot replace table %1").arg(table));
    if (!db->exec(QStringLiteral(
                      "CREATE TABLE %1 (year INTEGER, month INTEGER, day INTEGER, hour INTEGER, "
                      "dry_temp REAL, Humidity REAL)")
                      .arg(quoted)))
        return abort(QStringLiteral("cannot create table %1").arg(table));
    {
        QSqlQuery insert(db->sqlDatabase());
        if (!insert.prepare(
                QStringLiteral("INSERT INTO %1 (year, month, day, hour, dry_temp, Humidity) "
                               "VALUES (?, ?, ?, ?, ?, ?)")
                    .arg(quoted))) {
            m_error =
                QStringLiteral("cannot fill table %1: %2").arg(table, insert.lastError().text());
            db->rollback();
            return false;
        }
        for (const Reading& r : qAsConst(m_readings)) {
            insert.bindValue(0, r.year);
            insert.bindValue(1, r.month);
            insert.bindValue(2, r.day);
            insert.bindValue(3, r.hour);
            insert.bindValue(4, r.dryTemp);
            insert.bindValue(5, r.humidity);
            if (!db->execPrepared(insert)) {
                m_error = QStringLiteral("cannot fill table %1: %2")
                              .arg(table, insert.lastError().text());
                insert.finish();
                db->rollback();
                return false;
            }
        }
    }
    if (!db->exec(QStringLiteral("DELETE FROM tb_glb_idx WHERE [nation] = ? AND [city] = ?"),
                  {country, city}))
        return abort(QStringLiteral("cannot update the city index"));
    if (!db->exec(
            QStringLiteral("INSERT INTO tb_glb_idx (nation, city, tableName) VALUES (?, ?, ?)"),
            {country, city, table}))
        return abort(QStringLiteral("cannot update the city index"));
    if (!db->commit())
        return abort(QStringLiteral("cannot commit the import"));

    // A project year filled from this table holds the old readings: forget
    // its source so that setting the location again refills it.
    if (sharedDb && HProject::globalProject) {
        HYear* year = HProject::globalProject->getYear();
        if (year && year->GetweatherTableName().compare(table, Qt::CaseInsensitive) == 0)
            year->setweatherTableName(QString());
    }
    m_table = table;
    return true;
}
