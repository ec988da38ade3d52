// The sheets of the results: comparison, statistics with their charts, weather bins
// and the hourly values.
#include "HReport.h"

#include "CUnitFun.h"
#include "HCalendarTexts.h"
#include "HDay.h"
#include "HHour.h"
#include "HMonth.h"
#include "HProject.h"
#include "HReportChart.h"
#include "HReportSheet.h"
#include "HReportStyles.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HVRF.h"
#include "HYear.h"
#include "TranslateString.h"

#include <QJsonArray>
#include <QJsonObject>

#include <xlsxwriter.h>

namespace {

using S = HReportStyles;

HProject* project()
{
    return HProject::getProject();
}

} // namespace

void HReport::writeComparisonResult(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(2, 2, 18);
    sheet.setColumnWidth(3, 3, 11);
    sheet.setColumnWidth(4, 15, 10);
    sheet.setColumnWidth(16, 16, 12);
    writeHeader(sheet, TranslateString("Comparison Result"), QStringLiteral("E8"),
                QStringLiteral("E9"));
    HProject* p = project();
    HVRF* own = p->getOwnVRFSys();
    HVRF* other = p->getOtherVRFSys();
    const double price = p->Getelectricity_price();
    const QString priceCell = QStringLiteral("'Operational Info'!$D$39");

    sheet.mergeRange(QStringLiteral("B28:C28"), TranslateString("Month"), S::Heading);
    for (int m = 1; m <= 12; ++m)
        sheet.setCellValue(28, m + 3, HCalendarTexts::monthName(m), S::Heading);
    sheet.setCellValue(28, 16, TranslateString("Total"), S::Heading);

    sheet.mergeRange(QStringLiteral("B29:B31"), TranslateString("Electricity Input(kWh)"),
                     S::Heading);
    sheet.mergeRange(QStringLiteral("B33:B35"), TranslateString("Energy Cost(Auto Calculation)($)"),
                     S::Heading);
    const QString names[] = {TranslateString("VELA"), TranslateString("Other'VRF"),
                             TranslateString("Ratio(%)")};
    for (int i = 0; i < 3; ++i) {
        sheet.setCellValue(29 + i, 3, names[i], S::Text);
        sheet.setCellValue(33 + i, 3, names[i], S::Text);
    }

    auto ratio = [](double a, double b) {
        return b == 0.0 ? 0.0 : a / b;
    };
    double ownSum = 0.0, otherSum = 0.0;
    for (int c = 4; c <= 15; ++c) {
        const int m = c - 3;
        const double e1 = own->getMonthEnergyConsumption(m);
        const double e2 = other->getMonthEnergyConsumption(m);
        ownSum += e1;
        otherSum += e2;
        const QString col = HReportSheet::columnName(c);
        sheet.setCellValue(29, c, e1, S::Number);
        sheet.setCellValue(30, c, e2, S::Number);
        // Cell names are joined, not formatted: "%130" would read as placeholder 13.
        const QString r29 = col + QLatin1String("29"), r30 = col + QLatin1String("30");
        const QString r33 = col + QLatin1String("33"), r34 = col + QLatin1String("34");
        sheet.setCellFormula(31, c, "=IF(" + r30 + "=0,0," + r29 + "/" + r30 + ")", ratio(e1, e2),
                             S::Percent);
        sheet.setCellFormula(33, c, "=" + r29 + "*" + priceCell, e1 * price, S::Number);
        sheet.setCellFormula(34, c, "=" + r30 + "*" + priceCell, e2 * price, S::Number);
        sheet.setCellFormula(35, c, "=IF(" + r34 + "=0,0," + r33 + "/" + r34 + ")",
                             ratio(e1 * price, e2 * price), S::Percent);
    }
    sheet.setCellFormula(29, 16, QStringLiteral("=SUM(D29:O29)"), ownSum, S::TotalNumber);
    sheet.setCellFormula(30, 16, QStringLiteral("=SUM(D30:O30)"), otherSum, S::TotalNumber);
    sheet.setCellFormula(31, 16, QStringLiteral("=IF(P30=0,0,P29/P30)"), ratio(ownSum, otherSum),
                         S::TotalPercent);
    sheet.setCellFormula(33, 16, QStringLiteral("=SUM(D33:O33)"), ownSum * price, S::TotalNumber);
    sheet.setCellFormula(34, 16, QStringLiteral("=SUM(D34:O34)"), otherSum * price, S::TotalNumber);
    sheet.setCellFormula(35, 16, QStringLiteral("=IF(P34=0,0,P33/P34)"),
                         ratio(ownSum * price, otherSum * price), S::TotalPercent);

    // The months run along row 28, the two systems' energies along rows 29 and 30.
    HReportChart chart(sheet, HReportChart::Column);
    chart.addRowSeries(sheet.name(), 4, 15, 28, 29, TranslateString("VELA's"), 0x0000FF);
    chart.addRowSeries(sheet.name(), 4, 15, 28, 30, TranslateString("Other VRF's"), 0xFF0000);
    chart.setTitles(TranslateString("Electricity Input(kWh)"), TranslateString("Month"),
                    QStringLiteral("kWh"));
    chart.insert(QStringLiteral("B11"), 2.3, 1.15);
}

void HReport::writeStatBlock(HReportSheet& sheet, const QString& title, const HStatResult* stat,
                             const Block& block)
{
    const int heading = block.firstRow - 3;
    sheet.setCellValue(heading, 2, title, S::Subtitle);
    const QString headers[] = {TranslateString("Outdoor Temp(DB)"),
                               TranslateString("Building Load"),
                               TranslateString("Time Ratio"),
                               TranslateString("Operating Hours"),
                               TranslateString("Building Load x Hours"),
                               TranslateString("Outdoor Unit Energy"),
                               TranslateString("Indoor Unit Energy"),
                               TranslateString("Total Energy")};
    for (int i = 0; i < 8; ++i)
        sheet.setCellValue(heading + 1, 2 + i, headers[i], S::Heading);
    sheet.setRowHeight(heading + 1, 30);
    const int captions = heading + 2;
    const QString load = QStringLiteral("(%1)").arg(loadUnit());
    const QString energy = QStringLiteral("(kWh)");
    sheet.setCellValue(captions, 2, QStringLiteral("%1").arg(temperatureUnit()), S::Heading);
    sheet.setCellValue(captions, 3, load, S::Heading);
    sheet.setCellValue(captions, 4, QString(), S::Heading);
    sheet.setCellValue(captions, 5, QStringLiteral("(h)"), S::Heading);
    sheet.setCellValue(captions, 6, load, S::Heading);
    for (int c = 7; c <= 9; ++c)
        sheet.setCellValue(captions, c, energy, S::Heading);

    const int T = block.totalRow;
    int totalHours = 0;
    for (int k = 0; k < block.entries; ++k)
        totalHours += stat->at(k)->Gethours();
    double sums[10] = {};
    for (int k = 0; k < block.rows; ++k) {
        const int r = block.firstRow + k;
        if (k >= block.entries) {
            for (int c = 2; c <= 9; ++c)
                sheet.setCellValue(r, c, QString(), S::Text);
            continue;
        }
        const HStatItem* item = stat->at(k);
        const double buildingLoad = displayCapacity(item->Getbuilding_load());
        const int hours = item->Gethours();
        const double share = totalHours == 0 ? 0.0 : double(hours) / totalHours;
        const double odu = item->Getodu_energy_consumption();
        const double idu = item->Getidu_energy_consumption();
        sheet.setCellValue(r, 2, displayTemperature(item->Gettemp()), S::Value);
        sheet.setCellValue(r, 3, buildingLoad, S::Number);
        sheet.setCellFormula(r, 4,
                             QStringLiteral("=IF($E$%1=0,0,$E$%2/$E$%3)").arg(T).arg(r).arg(T),
                             share, S::Percent);
        sheet.setCellValue(r, 5, hours, S::Integer);
        sheet.setCellFormula(r, 6, QStringLiteral("=C%1*E%2").arg(r).arg(r), buildingLoad * hours,
                             S::Number);
        sheet.setCellValue(r, 7, odu, S::Number);
        sheet.setCellValue(r, 8, idu, S::Number);
        sheet.setCellFormula(r, 9, QStringLiteral("=H%1+G%2").arg(r).arg(r), idu + odu, S::Number);
        sums[4] += share;
        sums[5] += hours;
        sums[6] += buildingLoad * hours;
        sums[7] += odu;
        sums[8] += idu;
        sums[9] += idu + odu;
    }
    sheet.setCellValue(T, 2, TranslateString("Total"), S::Total);
    sheet.setCellValue(T, 3, QString(), S::Total);
    const int last = block.firstRow + block.rows - 1;
    for (int c = 4; c <= 9; ++c) {
        const QString col = HReportSheet::columnName(c);
        const auto style = c == 4 ? S::TotalPercent : c == 5 ? S::TotalInteger : S::TotalNumber;
        sheet.setCellFormula(
            T, c, QStringLiteral("=SUM(%1%2:%1%3)").arg(col).arg(block.firstRow).arg(last), sums[c],
            style);
    }
}

void HReport::writeLoadEnergyResult(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(2, 9, 14);
    writeHeader(sheet, TranslateString("Load and Energy Estimate Result"), QStringLiteral("E8"),
                QStringLiteral("E9"));
    HVRF* own = project()->getOwnVRFSys();
    const HStatResult* cooling = own->getStatResultCooling();
    const HStatResult* heating = own->getStatResultHeating();
    const int n = cooling ? cooling->size() : 0;
    const int m = heating ? heating->size() : 0;
    writeStatBlock(sheet, TranslateString("Cooling"), cooling, coolingBlock(n));
    writeStatBlock(sheet, TranslateString("Heating"), heating, heatingBlock(n, m));
}

void HReport::writePartLoadGraph(HReportSheet& sheet, const QString& subject, const Block& block,
                                 const QString& noHours)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(4, 4, 14);
    sheet.setColumnWidth(5, 5, 30);
    writeHeader(sheet, subject, QStringLiteral("E8"), QStringLiteral("E9"));
    if (block.entries == 0) {
        sheet.setRangeValue(QStringLiteral("B11"), noHours, S::Note);
        return;
    }
    const int first = block.firstRow;
    const int last = block.firstRow + block.entries - 1;
    const QString temp = TranslateString("Outdoor Temp(DB)") + QLatin1Char(' ') + temperatureUnit();

    const QString table = sheetNames().at(4);
    HReportChart load(sheet, HReportChart::Line);
    load.addColumnSeries(table, first, last, 2, 3, TranslateString("Building Load"), 0x2F5597);
    load.setTitles(TranslateString("Building Load"), temp, loadUnit());
    load.insert(QStringLiteral("B11"), 1.6, 1.1);

    HReportChart hours(sheet, HReportChart::Column);
    hours.addColumnSeries(table, first, last, 2, 5, TranslateString("Operating Hours"), 0x70AD47);
    hours.setTitles(TranslateString("Operating Hours"), temp, QStringLiteral("h"));
    hours.insert(QStringLiteral("B28"), 1.6, 1.1);

    HReportChart energy(sheet, HReportChart::StackedColumn);
    energy.addColumnSeries(table, first, last, 2, 7, TranslateString("Outdoor Unit Energy"),
                           0x0000FF);
    energy.addColumnSeries(table, first, last, 2, 8, TranslateString("Indoor Unit Energy"),
                           0xFFA500);
    energy.setTitles(TranslateString("Energy Consumption"), temp, QStringLiteral("kWh"));
    energy.insert(QStringLiteral("B45"), 1.6, 1.1);
}

void HReport::writeCoolingPartLoadGraph(HReportSheet& sheet)
{
    const HStatResult* cooling = project()->getOwnVRFSys()->getStatResultCooling();
    writePartLoadGraph(sheet, TranslateString("Cooling Part Load Graph"),
                       coolingBlock(cooling ? cooling->size() : 0),
                       TranslateString("No cooling hours in the year: there is nothing to draw."));
}

void HReport::writeHeatingPartLoadGraph(HReportSheet& sheet)
{
    const HVRF* own = project()->getOwnVRFSys();
    const HStatResult* cooling = own->getStatResultCooling();
    const HStatResult* heating = own->getStatResultHeating();
    writePartLoadGraph(sheet, TranslateString("Heating Part Load Graph"),
                       heatingBlock(cooling ? cooling->size() : 0, heating ? heating->size() : 0),
                       TranslateString("No heating hours in the year: there is nothing to draw."));
}

void HReport::writeWeatherInfo(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 1, 3);
    sheet.setColumnWidth(2, 2, 12);
    sheet.setColumnWidth(3, 14, 7);
    sheet.setColumnWidth(15, 15, 9);
    writeHeader(sheet, TranslateString("Weather Information"), QStringLiteral("E8"),
                QStringLiteral("E9"));
    // The month columns are narrow: the date takes three of them.
    const QDate date = project()->Getdate();
    sheet.mergeRange(QStringLiteral("E8:G8"), date.isValid() ? QVariant(date) : QVariant(QString()),
                     S::Date);
    HProject* p = project();
    const QString unit = temperatureUnit();
    sheet.setRangeValue(QStringLiteral("L8"), TranslateString("Max.Temp"), S::Label);
    sheet.setRangeValue(QStringLiteral("M8"), displayTemperature(p->Getmax_temp()), S::Number);
    sheet.setRangeValue(QStringLiteral("N8"), unit, S::Unit);
    sheet.setRangeValue(QStringLiteral("L9"), TranslateString("Min.Temp"), S::Label);
    sheet.setRangeValue(QStringLiteral("M9"), displayTemperature(p->Getmin_temp()), S::Number);
    sheet.setRangeValue(QStringLiteral("N9"), unit, S::Unit);

    sheet.mergeRange(QStringLiteral("B12:B13"),
                     TranslateString("Temp(DB)") + QLatin1Char('\n') + unit, S::Heading);
    sheet.mergeRange(QStringLiteral("C12:N12"), TranslateString("Monthly Bin-data"), S::Heading);
    sheet.mergeRange(QStringLiteral("O12:O13"), TranslateString("Total"), S::Heading);
    for (int m = 1; m <= 12; ++m)
        sheet.setCellValue(13, m + 2, HCalendarTexts::monthName(m), S::Heading);

    const QJsonArray bins = p->getWeatherStatisData();
    const Block block = weatherBlock(bins.size());
    qint64 columnSums[16] = {};
    for (int i = 0; i < block.rows; ++i) {
        const int r = block.firstRow + i;
        if (i >= block.entries) {
            for (int c = 2; c <= 15; ++c)
                sheet.setCellValue(r, c, QString(), S::Text);
            continue;
        }
        const QJsonObject bin = bins.at(i).toObject();
        sheet.setCellValue(r, 2, displayTemperature(bin.value(QStringLiteral("temp_dot")).toInt()),
                           S::Value);
        const QJsonArray months = bin.value(QStringLiteral("temp_times_month")).toArray();
        qint64 rowSum = 0;
        for (int m = 0; m < 12; ++m) {
            const int hours = m < months.size() ? months.at(m).toInt() : 0;
            if (m < months.size())
                sheet.setCellValue(r, m + 3, hours, S::Integer);
            else
                sheet.setCellValue(r, m + 3, QString(), S::Text);
            rowSum += hours;
            columnSums[m + 3] += hours;
        }
        columnSums[15] += rowSum;
        sheet.setCellFormula(r, 15, QStringLiteral("=SUM(C%1:N%1)").arg(r), double(rowSum),
                             S::Integer);
    }
    const int T = block.totalRow;
    const int last = block.firstRow + block.rows - 1;
    sheet.setCellValue(T, 2, TranslateString("Total"), S::Total);
    for (int c = 3; c <= 15; ++c) {
        const QString col = HReportSheet::columnName(c);
        sheet.setCellFormula(
            T, c, QStringLiteral("=SUM(%1%2:%1%3)").arg(col).arg(block.firstRow).arg(last),
            double(columnSums[c]), S::TotalInteger);
    }

    if (block.entries > 0) {
        // The colours of the result page's bin table: pale at 0 hours, red at 100.
        lxw_conditional_format scale = {};
        scale.type = LXW_CONDITIONAL_3_COLOR_SCALE;
        scale.min_rule_type = LXW_CONDITIONAL_RULE_TYPE_NUMBER;
        scale.min_value = 0;
        scale.min_color = 0xFFFF7F;
        scale.mid_rule_type = LXW_CONDITIONAL_RULE_TYPE_NUMBER;
        scale.mid_value = 100;
        scale.mid_color = 0xFF0000;
        scale.max_rule_type = LXW_CONDITIONAL_RULE_TYPE_NUMBER;
        scale.max_value = 200;
        scale.max_color = 0xFFFF7F;
        worksheet_conditional_format_range(
            sheet.worksheet(), static_cast<lxw_row_t>(block.firstRow - 1), 2,
            static_cast<lxw_row_t>(block.firstRow + block.entries - 2), 13, &scale);
    }
}

void HReport::writeAllHours(HReportSheet& sheet)
{
    sheet.setColumnWidth(1, 3, 7);
    sheet.setColumnWidth(4, 4, 14);
    sheet.setColumnWidth(5, 11, 14);
    writeTitle(sheet, TranslateString("Hourly Values"), 1, 1, 1);
    const QString headers[] = {TranslateString("Month"),
                               TranslateString("Day"),
                               TranslateString("Hour"),
                               TranslateString("Operation"),
                               TranslateString("Dry Bulb Temperature(°C)"),
                               TranslateString("Building Load(kW)"),
                               TranslateString("Load Ratio"),
                               TranslateString("Average EIR"),
                               TranslateString("Outdoor Unit Energy(kWh)"),
                               TranslateString("Indoor Unit Energy(kWh)"),
                               TranslateString("Total Energy(kWh)")};
    for (int c = 0; c < 11; ++c)
        sheet.setCellValue(7, c + 1, headers[c], S::Heading);
    sheet.setRowHeight(7, 30);
    sheet.freezePanes(8, 1);
    if (!m_printAll) {
        sheet.setCellValue(8, 1,
                           TranslateString("The hourly values are written when the switch "
                                           "\"other\"/\"is_print_all\" of ee_config.json is on."),
                           S::Note);
        return;
    }
    writeDateAndName(sheet, QStringLiteral("E4"), QStringLiteral("E5"));

    const HYear* year = project()->getYear();
    if (!year)
        return;
    int row = 8;
    for (int m = 1; m <= 12; ++m) {
        const HMonth* month = year->getMonth(m);
        if (!month)
            continue;
        for (const HDay* day : *month) {
            if (!day)
                continue;
            for (int h = 0; h < 24; ++h) {
                const HHour* hour = day->getHour(h);
                if (!hour)
                    continue;
                const bool on = hour->GetisTurnOnBySchedule();
                double load = 0.0;
                if (hour->Getbuilding_load_cooling() > 0.0)
                    load = hour->Getbuilding_load_cooling();
                else if (hour->Getbuilding_load_heating() > 0.0)
                    load = hour->Getbuilding_load_heating();
                sheet.setCellValue(row, 1, m, S::Integer);
                sheet.setCellValue(row, 2, day->Getday(), S::Integer);
                sheet.setCellValue(row, 3, h + 1, S::Integer);
                sheet.setCellValue(row, 4, on ? QStringLiteral("ON") : QStringLiteral("OFF"),
                                   S::Text);
                sheet.setCellValue(row, 5, hour->Getdry_bulb_temperature(), S::Number);
                if (load > 0.0)
                    sheet.setCellValue(row, 6, load, S::Number);
                else
                    sheet.setCellValue(row, 6, 0, S::Number);
                sheet.setCellValue(row, 7, hour->GetOwnVRF_load_precent(), S::Ratio);
                sheet.setCellValue(row, 8, hour->getAverageEIR(), S::Ratio);
                sheet.setCellValue(row, 9, hour->Getown_vrf_odu_energy_consumption(), S::Number);
                sheet.setCellValue(row, 10, hour->Getown_vrf_idu_energy_consumption(), S::Number);
                sheet.setCellValue(row, 11, hour->Getown_vrf_total_energy_consumption(), S::Number);
                ++row;
            }
        }
    }
}
