#pragma once
#include <QString>
#include <QStringList>

class HReportSheet;
class QIODevice;
class HStatResult;

// The spreadsheet report of the calculated global project: a workbook of nine
// sheets with the project's inputs, the monthly results of both systems, the own
// system's temperature-bin statistics, the city's weather bins and, when the
// configuration asks for it, every hour of the year. The program's Report button
// and `lumoeco calculate --report` both write it through generateReport().
class HReport
{
public:
    // Rows of a statistics table whose first data row is `firstRow`. A table has room
    // for two entries at least; the total row follows the last of its rows.
    struct Block
    {
        int firstRow = 0;
        int entries = 0;
        int rows = 0;
        int totalRow = 0;
    };

    // "is_print_all" of "other" in the configuration; on unless it says false.
    HReport();

    // The sheet names, in the order of the workbook.
    static const QStringList& sheetNames();

    // The cooling table of "Load_Energy Estimate Result" starts in row 15, the heating
    // table 9 rows below the cooling table's total row; the weather bins start in row 14.
    static Block coolingBlock(int coolingEntries);
    static Block heatingBlock(int coolingEntries, int heatingEntries);
    static Block weatherBlock(int bins);

    // Where the report of the global project goes unless the user chooses: beside the
    // project file with its base name, else the project's name in `folder`.
    static QString defaultPath(const QString& folder);

    bool printAll() const { return m_printAll; }
    void setPrintAll(bool on) { m_printAll = on; }

    // Writes the workbook to `path`. A file is written to a temporary file first and
    // replaces `path` in one step, so `path` never holds a partial workbook and an
    // existing file stays as it was on failure ("-" is standard output, a device is
    // written directly). False, with the reason in `error`, when the project is not
    // calculated, `path` is the project file or a folder, or it cannot be written.
    bool generateReport(const QString& path, QString* error = nullptr);
    // Writes the workbook into an open output.
    bool writeReport(QIODevice* out, QString* error = nullptr);

    // One writer per sheet.
    void writeProjectInfo(HReportSheet& sheet);
    void writeBuildingInfo(HReportSheet& sheet);
    void writeOperationalInfo(HReportSheet& sheet);
    void writeComparisonResult(HReportSheet& sheet);
    void writeLoadEnergyResult(HReportSheet& sheet);
    void writeCoolingPartLoadGraph(HReportSheet& sheet);
    void writeHeatingPartLoadGraph(HReportSheet& sheet);
    void writeWeatherInfo(HReportSheet& sheet);
    void writeAllHours(HReportSheet& sheet);

private:
    // Display-unit values as numbers, and the units' labels.
    static double displayTemperature(double celsius);
    static double displayCapacity(double kW);
    static QString temperatureUnit();
    static QString loadUnit();
    // Report title and the sheet's subject, `gap` rows apart.
    static void writeTitle(HReportSheet& sheet, const QString& subject, int row, int column,
                           int gap);
    // The project's date and name, captioned in the cells left of them.
    static void writeDateAndName(HReportSheet& sheet, const QString& dateCell,
                                 const QString& nameCell);
    static void writeHeader(HReportSheet& sheet, const QString& subject, const QString& dateCell,
                            const QString& nameCell);

    bool writeWorkbook(const QString& file, QString* error);
    void writeStatBlock(HReportSheet& sheet, const QString& title, const HStatResult* stat,
                        const Block& block);
    void writePartLoadGraph(HReportSheet& sheet, const QString& subtitle, const Block& block,
                            const QString& noHours);

    bool m_printAll = true;
};
