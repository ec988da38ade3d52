#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

class HDatabase;

// Imports an hourly weather file into the weather database as a new city table
// and its tb_glb_idx row, in one transaction.
//
// Accepted files: EnergyPlus Weather (EPW) and NREL TMY3 CSV. Hours 1-24 become
// 0-23, relative humidity in % becomes a fraction. A missing dry-bulb (EPW 99.9,
// TMY3 -9900) or humidity is stored as an invalid reading (dry_temp 999), which
// every averaged query leaves out. A typical year whose months come from
// different source years (every month/day/hour appears once) is stored under the
// year of its first data row, so that each hour exists once; files that repeat a
// month/day/hour keep their own years (several actual years). 29 February rows
// are kept; the hourly loader skips them.
class HWeatherImport
{
public:
    enum class Format { Auto, Epw, Tmy3 };

    struct Reading
    {
        int year;
        int month;
        int day;
        int hour;        // 0..23
        double dryTemp;  // degC; 999 marks an invalid reading
        double humidity; // fraction
    };

    // Parses the file; false with errorString() naming the line on a bad or
    // truncated file (a file must cover all 8760 hours of a year) and on a file
    // without a single valid dry-bulb temperature (a missing column, say). A file
    // whose hours lack valid readings beyond warnGapShare, or in a gap longer than
    // warnGapHours, is read with a warning (warnings()): those hours are interpolated
    // when the year is filled.
    bool readFile(const QString& path, Format format = Format::Auto);

    // Writes the parsed readings as the table of (country, city); empty names take
    // the file's defaults. The same city imported again replaces its table (its
    // analysis cache is removed; a project year filled from it is refilled when the
    // location is set again). Without `db` the shared weather database is used. On
    // failure the database is left unchanged.
    bool writeToDatabase(const QString& country = QString(), const QString& city = QString(),
                         HDatabase* db = nullptr);

    // readFile and writeToDatabase in one call.
    bool importFile(const QString& path, const QString& country = QString(),
                    const QString& city = QString(), HDatabase* db = nullptr);

    QString errorString() const { return m_error; }
    Format format() const { return m_format; }
    QString defaultCountry() const { return m_country; }
    QString defaultCity() const { return m_city; }
    const QVector<Reading>& readings() const { return m_readings; }
    int invalidReadings() const { return m_invalid; }
    // Hours of the 365-day year without a valid reading in any year of the file.
    int gapHours() const { return m_gapHours; }
    // What the user should know about a file that was read (one sentence each).
    QStringList warnings() const { return m_warnings; }

    static constexpr double warnGapShare = 0.05;
    static constexpr int warnGapHours = 24;
    // The table the last successful writeToDatabase filled.
    QString tableName() const { return m_table; }

    // "NLD_AMSTERDAM": letters and digits of country and city joined by '_'.
    static QString makeTableName(const QString& country, const QString& city);
    // Splits one CSV line; double quotes enclose fields that hold commas.
    static QStringList splitCsvLine(const QString& line);

private:
    bool parseEpw(const QVector<QStringRef>& lines);
    bool parseTmy3(const QVector<QStringRef>& lines);
    bool addReading(int lineNo, int year, int month, int day, int hour24, double dry,
                    double rhPercent, bool dryMissing, bool rhMissing);
    bool finish(int lastLine);
    // Refuses a file without valid readings; counts the gaps and warns about many.
    bool checkValidReadings(int lastLine);
    bool fail(const QString& message);

    Format m_format = Format::Auto;
    QString m_path;
    QString m_error;
    QString m_country;
    QString m_city;
    QString m_table;
    QVector<Reading> m_readings;
    QVector<int> m_lineOf; // source line of each reading
    int m_invalid = 0;
    int m_dryMissing = 0;
    int m_gapHours = 0;
    QStringList m_warnings;
};
