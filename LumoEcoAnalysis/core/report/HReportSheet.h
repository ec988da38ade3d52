#pragma once
#include "HReportStyles.h"

#include <QString>
#include <QVariant>

struct lxw_chart;
struct lxw_workbook;
struct lxw_worksheet;

// One worksheet of the report, addressed the way a spreadsheet user does: rows and
// columns from 1 (column 1 = A) or addresses such as "D9". Values are text, numbers
// (int or double) or dates; formulas carry the value they compute, so that readers
// that do not calculate show it too. The first failure of any write is kept.
class HReportSheet
{
public:
    HReportSheet(lxw_workbook* workbook, lxw_worksheet* sheet, const HReportStyles* styles,
                 const QString& name);

    const QString& name() const { return m_name; }
    lxw_workbook* workbook() const { return m_workbook; }
    lxw_worksheet* worksheet() const { return m_sheet; }

    void setCellValue(int row, int column, const QVariant& value,
                      HReportStyles::Style style = HReportStyles::Plain);
    void setRangeValue(const QString& address, const QVariant& value,
                       HReportStyles::Style style = HReportStyles::Plain);
    void setCellFormula(int row, int column, const QString& formula, double value,
                        HReportStyles::Style style = HReportStyles::Plain);
    // Merges a range ("B12:E12") and writes the value into it.
    void mergeRange(const QString& range, const QVariant& value,
                    HReportStyles::Style style = HReportStyles::Plain);
    void setColumnWidth(int firstColumn, int lastColumn, double width);
    void setRowHeight(int row, double height);
    // Places the chart with its top left corner in the cell.
    void insertChart(const QString& address, lxw_chart* chart, double xScale = 1.0,
                     double yScale = 1.0);
    // Printed one page wide (as many pages down as needed), upright or across.
    void setPrintLayout(bool landscape);
    // Rows above `row` and columns left of `column` stay in view.
    void freezePanes(int row, int column);

    // 0 while every write succeeded, else the first library error code.
    int error() const { return m_error; }
    QString errorText() const;

    // "D9" -> 9 and 4; "AB10" -> 10 and 28. Both 0 for a malformed address.
    static int rowOf(const QString& address);
    static int columnOf(const QString& address);
    // 1 -> "A", 28 -> "AB".
    static QString columnName(int column);
    static QString address(int row, int column);

private:
    void check(int error);

    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    const HReportStyles* m_styles = nullptr;
    QString m_name;
    int m_error = 0;
};
