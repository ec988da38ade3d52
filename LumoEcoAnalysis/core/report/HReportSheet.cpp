#include "HReportSheet.h"

#include <QDate>
#include <QRegularExpression>

#include <xlsxwriter.h>

namespace {

const QRegularExpression& addressPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Z]{1,3})\\$?([1-9][0-9]*)$"));
    return re;
}

} // namespace

HReportSheet::HReportSheet(lxw_workbook* workbook, lxw_worksheet* sheet,
                           const HReportStyles* styles, const QString& name)
    : m_workbook(workbook)
    , m_sheet(sheet)
    , m_styles(styles)
    , m_name(name)
{
}

void HReportSheet::check(int error)
{
    if (error != LXW_NO_ERROR && m_error == LXW_NO_ERROR)
        m_error = error;
}

QString HReportSheet::errorText() const
{
    return QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(m_error)));
}

void HReportSheet::setCellValue(int row, int column, const QVariant& value,
                                HReportStyles::Style style)
{
    if (row < 1 || column < 1) {
        check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        return;
    }
    const lxw_row_t r = static_cast<lxw_row_t>(row - 1);
    const lxw_col_t c = static_cast<lxw_col_t>(column - 1);
    lxw_format* format = m_styles->format(style);
    switch (value.userType()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        check(worksheet_write_number(m_sheet, r, c, value.toDouble(), format));
        break;
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        lxw_datetime when = {d.year(), d.month(), d.day(), 0, 0, 0.0};
        check(worksheet_write_datetime(m_sheet, r, c, &when, format));
        break;
    }
    case QMetaType::UnknownType:
        check(worksheet_write_blank(m_sheet, r, c, format));
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        if (text.isEmpty())
            check(worksheet_write_blank(m_sheet, r, c, format));
        else
            check(worksheet_write_string(m_sheet, r, c, text.constData(), format));
        break;
    }
    }
}

void HReportSheet::setRangeValue(const QString& address, const QVariant& value,
                                 HReportStyles::Style style)
{
    setCellValue(rowOf(address), columnOf(address), value, style);
}

void HReportSheet::setCellFormula(int row, int column, const QString& formula, double value,
                                  HReportStyles::Style style)
{
    if (row < 1 || column < 1) {
        check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        return;
    }
    const QByteArray text = formula.toUtf8();
    check(worksheet_write_formula_num(m_sheet, static_cast<lxw_row_t>(row - 1),
                                      static_cast<lxw_col_t>(column - 1), text.constData(),
                                      m_styles->format(style), value));
}

void HReportSheet::mergeRange(const QString& range, const QVariant& value,
                              HReportStyles::Style style)
{
    const QStringList corners = range.split(QLatin1Char(':'));
    if (corners.size() != 2) {
        check(LXW_ERROR_PARAMETER_VALIDATION);
        return;
    }
    const int r1 = rowOf(corners[0]), c1 = columnOf(corners[0]);
    const int r2 = rowOf(corners[1]), c2 = columnOf(corners[1]);
    if (r1 < 1 || c1 < 1 || r2 < r1 || c2 < c1) {
        check(LXW_ERROR_PARAMETER_VALIDATION);
        return;
    }
    check(worksheet_merge_range(m_sheet, static_cast<lxw_row_t>(r1 - 1),
                                static_cast<lxw_col_t>(c1 - 1), static_cast<lxw_row_t>(r2 - 1),
                                static_cast<lxw_col_t>(c2 - 1), "", m_styles->format(style)));
    // The merged area shows the value of its first cell.
    setCellValue(r1, c1, value, style);
}

void HReportSheet::setColumnWidth(int firstColumn, int lastColumn, double width)
{
    check(worksheet_set_column(m_sheet, static_cast<lxw_col_t>(firstColumn - 1),
                               static_cast<lxw_col_t>(lastColumn - 1), width, nullptr));
}

void HReportSheet::setRowHeight(int row, double height)
{
    check(worksheet_set_row(m_sheet, static_cast<lxw_row_t>(row - 1), height, nullptr));
}

void HReportSheet::insertChart(const QString& address, lxw_chart* chart, double xScale,
                               double yScale)
{
    lxw_chart_options options = {};
    options.x_scale = xScale;
    options.y_scale = yScale;
    check(worksheet_insert_chart_opt(m_sheet, static_cast<lxw_row_t>(rowOf(address) - 1),
                                     static_cast<lxw_col_t>(columnOf(address) - 1), chart,
                                     &options));
}

void HReportSheet::setPrintLayout(bool landscape)
{
    if (landscape)
        worksheet_set_landscape(m_sheet);
    else
        worksheet_set_portrait(m_sheet);
    worksheet_fit_to_pages(m_sheet, 1, 0);
}

void HReportSheet::freezePanes(int row, int column)
{
    worksheet_freeze_panes(m_sheet, static_cast<lxw_row_t>(row - 1),
                           static_cast<lxw_col_t>(column - 1));
}

int HReportSheet::rowOf(const QString& address)
{
    const QRegularExpressionMatch m = addressPattern().match(address);
    return m.hasMatch() ? m.captured(2).toInt() : 0;
}

int HReportSheet::columnOf(const QString& address)
{
    const QRegularExpressionMatch m = addressPattern().match(address);
    if (!m.hasMatch())
        return 0;
    int column = 0;
    for (const QChar ch : m.captured(1))
        column = column * 26 + (ch.unicode() - 'A' + 1);
    return column;
}

QString HReportSheet::columnName(int column)
{
    QString name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.prepend(QChar('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

QString HReportSheet::address(int row, int column)
{
    return columnName(column) + QString::number(row);
}
