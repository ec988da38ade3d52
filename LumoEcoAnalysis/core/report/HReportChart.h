#pragma once
#include <QString>

class HReportSheet;
struct lxw_chart;

// A chart of the report: series taken from cells of the workbook, placed on a sheet.
// Rows and columns count from 1.
class HReportChart
{
public:
    enum Type { Column, StackedColumn, Line };

    HReportChart(HReportSheet& sheet, Type type);

    // Values down a column, categories from another column of the same rows.
    void addColumnSeries(const QString& sheetName, int firstRow, int lastRow, int categoryColumn,
                         int valueColumn, const QString& name, unsigned colour);
    // Values along a row, categories from another row of the same columns.
    void addRowSeries(const QString& sheetName, int firstColumn, int lastColumn, int categoryRow,
                      int valueRow, const QString& name, unsigned colour);
    void setTitles(const QString& title, const QString& xAxis, const QString& yAxis);
    // Puts the chart with its top left corner in the cell, scaled from 480 x 288 pixels.
    void insert(const QString& address, double xScale, double yScale);

private:
    void addSeries(const QString& sheetName, int firstRow, int firstColumn, int lastRow,
                   int lastColumn, int catRow1, int catColumn1, int catRow2, int catColumn2,
                   const QString& name, unsigned colour);

    HReportSheet& m_sheet;
    lxw_chart* m_chart = nullptr;
    Type m_type;
};
