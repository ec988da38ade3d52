#include "HReportChart.h"

#include "HReportSheet.h"

#include <xlsxwriter.h>

// The library copies every text it is given.

HReportChart::HReportChart(HReportSheet& sheet, Type type)
    : m_sheet(sheet)
    , m_type(type)
{
    const uint8_t kinds[] = {LXW_CHART_COLUMN, LXW_CHART_COLUMN_STACKED, LXW_CHART_LINE};
    m_chart = workbook_add_chart(sheet.workbook(), kinds[type]);
    chart_legend_set_position(m_chart, LXW_CHART_LEGEND_BOTTOM);
}

void HReportChart::addSeries(const QString& sheetName, int firstRow, int firstColumn, int lastRow,
                             int lastColumn, int catRow1, int catColumn1, int catRow2,
                             int catColumn2, const QString& name, unsigned colour)
{
    const QByteArray sheet = sheetName.toUtf8();
    const QByteArray title = name.toUtf8();
    lxw_chart_series* series = chart_add_series(m_chart, nullptr, nullptr);
    chart_series_set_categories(series, sheet.constData(), catRow1 - 1, catColumn1 - 1, catRow2 - 1,
                                catColumn2 - 1);
    chart_series_set_values(series, sheet.constData(), firstRow - 1, firstColumn - 1, lastRow - 1,
                            lastColumn - 1);
    chart_series_set_name(series, title.constData());
    lxw_chart_fill fill = {};
    fill.color = colour;
    chart_series_set_fill(series, &fill);
    lxw_chart_line line = {};
    line.color = colour;
    chart_series_set_line(series, &line);
    if (m_type == Line) {
        chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
        chart_series_set_marker_fill(series, &fill);
        chart_series_set_marker_line(series, &line);
    }
}

void HReportChart::addColumnSeries(const QString& sheetName, int firstRow, int lastRow,
                                   int categoryColumn, int valueColumn, const QString& name,
                                   unsigned colour)
{
    addSeries(sheetName, firstRow, valueColumn, lastRow, valueColumn, firstRow, categoryColumn,
              lastRow, categoryColumn, name, colour);
}

void HReportChart::addRowSeries(const QString& sheetName, int firstColumn, int lastColumn,
                                int categoryRow, int valueRow, const QString& name, unsigned colour)
{
    addSeries(sheetName, valueRow, firstColumn, valueRow, lastColumn, categoryRow, firstColumn,
              categoryRow, lastColumn, name, colour);
}

void HReportChart::setTitles(const QString& title, const QString& xAxis, const QString& yAxis)
{
    chart_title_set_name(m_chart, title.toUtf8().constData());
    chart_axis_set_name(m_chart->x_axis, xAxis.toUtf8().constData());
    chart_axis_set_name(m_chart->y_axis, yAxis.toUtf8().constData());
}

void HReportChart::insert(const QString& address, double xScale, double yScale)
{
    m_sheet.insertChart(address, m_chart, xScale, yScale);
}
