#include "HReport.h"

#include "CUnitFun.h"
#include "HCalendarTexts.h"
#include "HJsonConfig.h"
#include "HOutputFile.h"
#include "HProject.h"
#include "HReportSheet.h"
#include "HReportStyles.h"
#include "TranslateString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <xlsxwriter.h>

namespace {

using S = HReportStyles;

HProject* project()
{
    return HProject::getProject();
}

QString onOff(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

} // namespace

double HReport::displayTemperature(double celsius)
{
    // The unit service gives converted values as text; the workbook holds numbers.
    return CUnitFun::FromBaseTemperatureUnitToCurrent(celsius).toDouble();
}

double HReport::displayCapacity(double kW)
{
    return CUnitFun::FromBaseCapacityUnitToCurrent(kW, false).toDouble();
}

QString HReport::temperatureUnit()
{
    return CUnitFun::GetUnitTempString(-1);
}

QString HReport::loadUnit()
{
    return CUnitFun::GetUnitLoadString(-1);
}

void HReport::writeTitle(HReportSheet& sheet, const QString& subject, int row, int column, int gap)
{
    sheet.setCellValue(row, column, TranslateString("Energy Consumption Estimate Report"),
                       S::Title);
    sheet.setCellValue(row + gap, column, subject, S::Subtitle);
}

void HReport::writeDateAndName(HReportSheet& sheet, const QString& dateCell,
                               const QString& nameCell)
{
    const QDate date = project()->Getdate();
    sheet.setCellValue(HReportSheet::rowOf(dateCell), HReportSheet::columnOf(dateCell) - 1,
                       TranslateString("Date"), S::Label);
    sheet.setCellValue(HReportSheet::rowOf(nameCell), HReportSheet::columnOf(nameCell) - 1,
                       TranslateString("Project Name"), S::Label);
    sheet.setRangeValue(dateCell, date.isValid() ? QVariant(date) : QVariant(QString()), S::Date);
    sheet.setRangeValue(nameCell, project()->Getname());
}

void HReport::writeHeader(HReportSheet& sheet, const QString& subject, const QString& dateCell,
                          const QString& nameCell)
{
    writeTitle(sheet, subject, 2, 2, 2);
    writeDateAndName(sheet, dateCell, nameCell);
}

HReport::HReport()
{
    bool printAll = true;
    HJsonConfig::getValue(QStringLiteral("other"), QStringLiteral("is_print_all"), printAll);
    m_printAll = printAll;
}

const QStringList& HReport::sheetNames()
{
    static const QStringList names = {
        QStringLiteral("Project Info"),
        QStringLiteral("Building Info"),
        QStringLiteral("Operational Info"),
        QStringLiteral("Comparison Result"),
        QStringLiteral("Load_Energy Estimate Result"),
        QStringLiteral("Graph Cooling Part Load"),
        QStringLiteral("Graph Heating Part Load"),
        QStringLiteral("Weather Info"),
        QStringLiteral("All"),
    };
    return names;
}

namespace {

// A table with room for two entries at least; its total row follows its rows.
HReport::Block block(int firstRow, int entries)
{
    HReport::Block b;
    b.firstRow = firstRow;
    b.entries = qMax(entries, 0);
    b.rows = qMax(b.entries, 2);
    b.totalRow = b.firstRow + b.rows;
    return b;
}

} // namespace

HReport::Block HReport::coolingBlock(int coolingEntries)
{
    return block(15, coolingEntries);
}

HReport::Block HReport::heatingBlock(int coolingEntries, int heatingEntries)
{
    // Every cooling row beyond the first two moves the heating table down by one.
    return block(24 + coolingBlock(coolingEntries).rows - 2, heatingEntries);
}

HReport::Block HReport::weatherBlock(int bins)
{
    return block(14, bins);
}

QString HReport::defaultPath(const QString& folder)
{
    const QString file = project()->GetfilePath();
    if (!file.isEmpty()) {
        const QFileInfo info(file);
        return info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
            + QStringLiteral(".xlsx");
    }
    QString name = project()->Getname().trimmed();
    for (const QChar bad : QStringLiteral("/\\:*?\"<>|"))
        name.replace(bad, QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("NewProject");
    return QDir(folder).filePath(name + QStringLiteral(".xlsx"));
}

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

QString notCalculated()
{
    return TranslateString("The project is not calculated: the report needs the results of the "
                           "[Calculate] button.");
}

} // namespace

bool HReport::generateReport(const QString& path, QString* error)
{
    if (path.trimmed().isEmpty())
        return fail(error, TranslateString("No file name given."));
    if (!project()->GetisCalculationSuccess())
        return fail(error, notCalculated());
    const QString projectFile = project()->GetfilePath();
    const QFileInfo target(path);
    if (!projectFile.isEmpty()
        && (target.absoluteFilePath() == QFileInfo(projectFile).absoluteFilePath()
            || (target.exists()
                && target.canonicalFilePath() == QFileInfo(projectFile).canonicalFilePath())))
        return fail(error,
                    TranslateString("The report would replace the project file %1.").arg(path));
    if (target.isDir())
        return fail(error,
                    TranslateString("Cannot write the report %1: it is a folder.").arg(path));

    HOutputFile out(path);
    QString why;
    if (!out.open(&why))
        return fail(error, TranslateString("Cannot write the report %1").arg(why));
    if (!writeReport(out.device(), &why))
        return fail(error, TranslateString("Cannot write the report %1: %2").arg(path, why));
    if (!out.commit(&why))
        return fail(error, TranslateString("Cannot write the report %1").arg(why));
    return true;
}

bool HReport::writeReport(QIODevice* out, QString* error)
{
    if (!project()->GetisCalculationSuccess())
        return fail(error, notCalculated());
    // The library writes to a named file: a draft in a folder of its own.
    QTemporaryDir work;
    if (!work.isValid())
        return fail(error, work.errorString());
    const QString draft = work.filePath(QStringLiteral("report.xlsx"));
    QString why;
    if (!writeWorkbook(draft, &why))
        return fail(error, why);
    QFile in(draft);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, in.errorString());
    const QByteArray bytes = in.readAll();
    if (out->write(bytes) != bytes.size())
        return fail(error, out->errorString());
    return true;
}

bool HReport::writeWorkbook(const QString& file, QString* error)
{
    const QByteArray fileName = QFile::encodeName(file);
    const QByteArray tmpDir = QFile::encodeName(QFileInfo(file).absolutePath());
    lxw_workbook_options options = {};
    options.tmpdir = const_cast<char*>(tmpDir.constData());
    lxw_workbook* workbook = workbook_new_opt(fileName.constData(), &options);
    if (!workbook) {
        *error = TranslateString("the workbook cannot be created");
        return false;
    }
    HReportStyles styles(workbook);

    int failure = LXW_NO_ERROR;
    QString failedSheet;
    for (const QString& name : sheetNames()) {
        const QByteArray n = name.toUtf8();
        lxw_worksheet* ws = workbook_add_worksheet(workbook, n.constData());
        if (!ws) {
            failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
            failedSheet = name;
            break;
        }
        HReportSheet sheet(workbook, ws, &styles, name);
        const int index = sheetNames().indexOf(name);
        // The wide sheets are printed across the page.
        sheet.setPrintLayout(index == 3 || index == 7 || index == 8);
        switch (index) {
        case 0:
            writeProjectInfo(sheet);
            break;
        case 1:
            writeBuildingInfo(sheet);
            break;
        case 2:
            writeOperationalInfo(sheet);
            break;
        case 3:
            writeComparisonResult(sheet);
            break;
        case 4:
            writeLoadEnergyResult(sheet);
            break;
        case 5:
            writeCoolingPartLoadGraph(sheet);
            break;
        case 6:
            writeHeatingPartLoadGraph(sheet);
            break;
        case 7:
            writeWeatherInfo(sheet);
            break;
        case 8:
            writeAllHours(sheet);
            break;
        }
        if (sheet.error() != LXW_NO_ERROR) {
            failure = sheet.error();
            failedSheet = name;
            break;
        }
    }

    const lxw_error closed = workbook_close(workbook);
    if (failure != LXW_NO_ERROR) {
        *error = QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(failure))), failedSheet);
        return false;
    }
    if (closed != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(closed));
        return false;
    }
    return true;
}

void HReport::writeProjectInfo(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(2, 2, 4);
    sheet.setColumnWidth(3, 3, 18);
    sheet.setColumnWidth(4, 4, 40);
    writeHeader(sheet, TranslateString("Project Information"), QStringLiteral("D9"),
                QStringLiteral("D10"));
    HProject* p = project();
    sheet.setRangeValue(QStringLiteral("C11"), TranslateString("Location"), S::Label);
    QStringList place;
    if (!p->Getcity().isEmpty())
        place << p->Getcity();
    if (!p->Getcountry().isEmpty())
        place << p->Getcountry();
    sheet.setRangeValue(QStringLiteral("D11"), place.join(QStringLiteral(", ")));

    sheet.setRangeValue(QStringLiteral("B13"), TranslateString("Contents"), S::Subtitle);
    int row = 14;
    for (const QString& name : sheetNames()) {
        if (name == QLatin1String("All") && !m_printAll)
            continue;
        const QByteArray link = QStringLiteral("internal:'%1'!A1").arg(name).toUtf8();
        const QByteArray text = name.toUtf8();
        worksheet_write_url_opt(sheet.worksheet(), static_cast<lxw_row_t>(row - 1), 2,
                                link.constData(), nullptr, text.constData(), nullptr);
        ++row;
    }
}

void HReport::writeBuildingInfo(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(2, 5, 10);
    sheet.setColumnWidth(6, 6, 16);
    sheet.setColumnWidth(8, 8, 10);
    writeHeader(sheet, TranslateString("Building Information"), QStringLiteral("F8"),
                QStringLiteral("F9"));
    HProject* p = project();
    const QString length = CUnitFun::GetUnitLengthString(-1);

    sheet.setRangeValue(QStringLiteral("B11"), TranslateString("Building"), S::Subtitle);
    sheet.setRangeValue(QStringLiteral("B12"), TranslateString("Building Area"));
    // An area converts as the square of the converted side of a square of that area.
    const double side = CUnitFun::FromBaseLengthUnitToCurrent(std::sqrt(p->Getbuild_area()));
    sheet.setRangeValue(QStringLiteral("F12"), side * side, S::Number);
    sheet.setRangeValue(QStringLiteral("H12"), length + QStringLiteral("^2"), S::Unit);
    sheet.setRangeValue(QStringLiteral("B13"), TranslateString("Building Height"));
    sheet.setRangeValue(QStringLiteral("F13"),
                        CUnitFun::FromBaseLengthUnitToCurrent(p->Getbuild_height()), S::Number);
    sheet.setRangeValue(QStringLiteral("H13"), length, S::Unit);
    sheet.setRangeValue(QStringLiteral("B14"), TranslateString("Number of Floors"));
    sheet.setRangeValue(QStringLiteral("F14"), p->Getnumber_floors(), S::Integer);

    sheet.setRangeValue(QStringLiteral("B17"), TranslateString("Peak Load"), S::Subtitle);
    sheet.setRangeValue(QStringLiteral("B18"), TranslateString("Cooling Peak Load"));
    sheet.setRangeValue(QStringLiteral("F18"), displayCapacity(p->Getcooling_peak_load()),
                        S::Number);
    sheet.setRangeValue(QStringLiteral("H18"), loadUnit(), S::Unit);
    sheet.setRangeValue(QStringLiteral("B19"), TranslateString("Heating Peak Load"));
    sheet.setRangeValue(QStringLiteral("F19"), displayCapacity(p->Getheating_peak_load()),
                        S::Number);
    sheet.setRangeValue(QStringLiteral("H19"), loadUnit(), S::Unit);
}

void HReport::writeOperationalInfo(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(4, 4, 14);
    sheet.setColumnWidth(5, 5, 11);
    sheet.setColumnWidth(8, 8, 14);
    sheet.setColumnWidth(9, 9, 11);
    writeHeader(sheet, TranslateString("Operational Information"), QStringLiteral("E8"),
                QStringLiteral("E9"));
    HProject* p = project();

    const QString hour = TranslateString("Hour");
    const QString operation = TranslateString("Operation");
    sheet.setRangeValue(QStringLiteral("D11"), hour, S::Heading);
    sheet.setRangeValue(QStringLiteral("E11"), operation, S::Heading);
    for (int h = 0; h < 24; ++h) {
        sheet.setCellValue(h + 12, 4, QStringLiteral("%1:00-%2:00").arg(h).arg(h + 1), S::Text);
        sheet.setCellValue(h + 12, 5, onOff(p->getOperationDailyIsOn(h)), S::Text);
    }
    // Months and week days are keyed from 1 in the project.
    sheet.setRangeValue(QStringLiteral("H11"), TranslateString("Month"), S::Heading);
    sheet.setRangeValue(QStringLiteral("I11"), operation, S::Heading);
    for (int m = 0; m < 12; ++m) {
        sheet.setCellValue(m + 12, 8, HCalendarTexts::monthName(m + 1), S::Text);
        sheet.setCellValue(m + 12, 9, onOff(p->getOperationMonthlyIsOn(m + 1)), S::Text);
    }
    sheet.setRangeValue(QStringLiteral("H28"), TranslateString("Day of Week"), S::Heading);
    sheet.setRangeValue(QStringLiteral("I28"), operation, S::Heading);
    const QStringList days = HCalendarTexts::weekDayNames();
    for (int d = 0; d < 7; ++d) {
        sheet.setCellValue(d + 29, 8, days.at(d), S::Text);
        sheet.setCellValue(d + 29, 9, onOff(p->getOperationWeeklyIsOn(d + 1)), S::Text);
    }

    sheet.setRangeValue(QStringLiteral("B38"), TranslateString("Energy Price"), S::Subtitle);
    sheet.setRangeValue(QStringLiteral("B39"), TranslateString("Electricity Price"));
    sheet.setRangeValue(QStringLiteral("D39"), p->Getelectricity_price(), S::Number);
    sheet.setRangeValue(QStringLiteral("E39"), TranslateString("per kWh"), S::Unit);

    const QString unit = temperatureUnit();
    sheet.setRangeValue(QStringLiteral("B42"), TranslateString("Location"), S::Subtitle);
    sheet.setRangeValue(QStringLiteral("B43"), TranslateString("Country"));
    sheet.setRangeValue(QStringLiteral("G43"), p->Getcountry());
    sheet.setRangeValue(QStringLiteral("B44"), TranslateString("City"));
    sheet.setRangeValue(QStringLiteral("G44"), p->Getcity());
    sheet.setRangeValue(QStringLiteral("B45"), TranslateString("Max.Temp"));
    sheet.setRangeValue(QStringLiteral("G45"), displayTemperature(p->Getmax_temp()), S::Number);
    sheet.setRangeValue(QStringLiteral("I45"), unit, S::Unit);
    sheet.setRangeValue(QStringLiteral("B46"), TranslateString("Min.Temp"));
    sheet.setRangeValue(QStringLiteral("G46"), displayTemperature(p->Getmin_temp()), S::Number);
    sheet.setRangeValue(QStringLiteral("I46"), unit, S::Unit);
    sheet.setRangeValue(QStringLiteral("B47"), TranslateString("Design Temperature"));
    sheet.setRangeValue(QStringLiteral("G47"), displayTemperature(p->Getaverage_temp()), S::Number);
    sheet.setRangeValue(QStringLiteral("I47"), unit, S::Unit);
}
