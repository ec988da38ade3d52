#pragma once
#include "HCalHelper.h"
#include "HCalculationFigures.h"
#include "HProjectNotices.h"

#include <QIODevice>
#include <QJsonObject>
#include <QString>
#include <QVector>

// One calculation of a project file without a window, in the order the program runs
// it: open and prepare the project, set its location's weather, check it, analyse
// the city's weather, calculate the year, then collect the figures the result page
// shows.
class HCalculationRun
{
public:
    enum Status {
        Success = 0,
        BadInput = 2,        // missing or malformed file, unknown city, no database
        CannotCalculate = 3, // the check refused the project
    };

    struct Options
    {
        QString projectPath;
        // Adjust mode: from `adjust` when `adjustGiven`, else from the configuration
        // ("adjust"/"is_adjust", false when absent).
        bool adjustGiven = false;
        bool adjust = false;
        // The answer to "continue without other VRF units?".
        bool withoutOther = false;
        // Design-hours rule of the location; `ignoreHours` >= 0 takes precedence.
        double percent = 0.4;
        int ignoreHours = -1;
    };

    struct MonthRow
    {
        int month = 0;
        double ownKWh = 0.0;
        double otherKWh = 0.0;
        double ratioPercent = 0.0; // own / other x 100; 0 when the other is 0
        double ownCost = 0.0;
        double otherCost = 0.0;
    };

    struct BinRow
    {
        double temp = 0.0; // upper bound of the 1-degree bin
        int hours = 0;
        double loadRatio = 0.0; // of the last hour counted
        double buildingLoad = 0.0;
        double totalLoad = 0.0;
        double oduKWh = 0.0;
        double iduKWh = 0.0;
        double totalKWh = 0.0;
    };

    struct Result
    {
        QString projectFile;
        QString name;
        QString country;
        QString city;
        QString weatherTable;
        int ignoreHours = 0;
        double maxTemp = 0.0;
        double minTemp = 0.0;
        double designTemp = 0.0;
        int filledHours = 0; // weather hours without a valid reading, interpolated
        double electricityPrice = 0.0;
        // The peak loads used, after the capacity check, and as the project gave them.
        double coolingPeakLoad = 0.0;
        double heatingPeakLoad = 0.0;
        double inputCoolingPeakLoad = 0.0;
        double inputHeatingPeakLoad = 0.0;
        bool peakLoadReplaced = false;
        bool adjust = false;
        int ownOutdoorLines = 0;
        int ownIndoorLines = 0;
        int otherOutdoorLines = 0;
        int otherIndoorLines = 0;
        QVector<MonthRow> months; // 1..12
        MonthRow year;            // month 0: the yearly sums
        QVector<BinRow> coolingBins;
        QVector<BinRow> heatingBins;
        // The other system's hours in the same bins as the own system's.
        QVector<BinRow> otherCoolingBins;
        QVector<BinRow> otherHeatingBins;
        // kWh per m², cooling and heating split, seasonal efficiencies, capacity
        // against the peak loads, of both systems.
        HCalculationFigures figures;
        // Everything the run noticed for the user (see notices()).
        QStringList warnings;
        QVector<HProjectNotices::MissingModel> missingModels;
    };

    // Runs the whole calculation on the global project. On a status other than
    // Success, `message` is one line saying why.
    Status run(const Options& options, QString* message);

    const Result& result() const { return m_result; }
    // What the run noticed that the user must be told, whatever its status: the
    // project's reading and import remarks, own models missing from the product
    // database, replaced peak loads, filled weather gaps. The program and lumoeco show
    // the same texts.
    const HProjectNotices& notices() const { return m_notices; }
    // Why the check refused the project (status CannotCalculate), else None.
    HCalHelper::Refusal refusal() const { return m_refusal; }

    // The steps of run() that the main window drives between its pages' own steps.
    // Adjust mode as configured: "adjust"/"is_adjust", false when absent.
    static bool configuredAdjust();
    // The hourly calculation of the global project's year (location set, check
    // passed, weather analysed); marks the project as calculated. False, and the
    // project not marked, when a result is not a finite number (values of the project
    // too large to calculate with): the figures would mean nothing.
    static bool calculateYear(bool adjust);
    // Every monthly energy and cost of both systems and every own temperature bin of
    // the calculated global project is a finite number.
    static bool resultsAreFinite();
    // Why a calculation whose results are not finite is refused, and what to do.
    static QString notFiniteMessage();

    // Plain-text report: location, peak loads, monthly table, yearly totals, figures of
    // both systems, bins.
    QString toTable() const;
    // The same as one JSON object with stable keys.
    QJsonObject toJson() const;
    // The same as CSV blocks (summary, monthly, bins, figures) separated by empty lines.
    QString toCsv() const;

    // A CSV field: quoted when it holds a comma, a quote or a line break.
    static QString csvField(QString text);

    // One row per hour of the global project's year, in calendar order.
    static QString hourlyCsvHeader();
    // Writes the rows to `path` (see HOutputFile: a regular file is replaced only when
    // all of it was written; a device or pipe is written directly; "-" is standard output).
    static bool writeHourlyCsv(const QString& path, QString* error = nullptr);
    // Writes the rows to an open device; false when the project has no year or a
    // write failed.
    static bool writeHourlyCsv(QIODevice* device);

    // Collects the figures of the calculated global project.
    static Result collect(const QString& projectFile, int ignoreHours, bool adjust);

private:
    Result m_result;
    HProjectNotices m_notices;
    HCalHelper::Refusal m_refusal = HCalHelper::Refusal::None;
};
