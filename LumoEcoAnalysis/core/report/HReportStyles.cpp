#include "HReportStyles.h"

#include <xlsxwriter.h>

namespace {

// The header colour of the result page's tables.
constexpr lxw_color_t kHeaderFill = 0xB3C6E7;
constexpr lxw_color_t kTitleColour = 0x1F3864;

void bordered(lxw_format* f)
{
    format_set_border(f, LXW_BORDER_THIN);
    format_set_border_color(f, 0x8EA9DB);
}

} // namespace

HReportStyles::HReportStyles(lxw_workbook* workbook)
{
    for (int s = 0; s < StyleCount; ++s)
        m_formats[s] = workbook_add_format(workbook);

    lxw_format* f = m_formats[Title];
    format_set_bold(f);
    format_set_font_size(f, 16);
    format_set_font_color(f, kTitleColour);

    f = m_formats[Subtitle];
    format_set_bold(f);
    format_set_font_size(f, 13);
    format_set_font_color(f, kTitleColour);

    f = m_formats[Heading];
    format_set_bold(f);
    format_set_bg_color(f, kHeaderFill);
    format_set_align(f, LXW_ALIGN_CENTER);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    format_set_text_wrap(f);
    bordered(f);

    f = m_formats[Label];
    format_set_bold(f);
    format_set_align(f, LXW_ALIGN_RIGHT);
    format_set_indent(f, 1);

    bordered(m_formats[Value]);

    bordered(m_formats[Text]);
    format_set_align(m_formats[Text], LXW_ALIGN_CENTER);

    format_set_num_format(m_formats[Number], "#,##0.00");
    bordered(m_formats[Number]);
    format_set_num_format(m_formats[Integer], "#,##0");
    bordered(m_formats[Integer]);
    format_set_num_format(m_formats[Percent], "0.0%");
    bordered(m_formats[Percent]);
    format_set_num_format(m_formats[Ratio], "0.000");
    bordered(m_formats[Ratio]);

    format_set_num_format(m_formats[Date], "yyyy-mm-dd");
    format_set_align(m_formats[Date], LXW_ALIGN_LEFT);

    const Style totals[] = {Total, TotalNumber, TotalInteger, TotalPercent};
    for (Style s : totals) {
        format_set_bold(m_formats[s]);
        bordered(m_formats[s]);
        format_set_top(m_formats[s], LXW_BORDER_DOUBLE);
    }
    format_set_align(m_formats[Total], LXW_ALIGN_CENTER);
    format_set_num_format(m_formats[TotalNumber], "#,##0.00");
    format_set_num_format(m_formats[TotalInteger], "#,##0");
    format_set_num_format(m_formats[TotalPercent], "0.0%");

    format_set_italic(m_formats[Note]);
    format_set_font_color(m_formats[Note], 0x595959);

    format_set_align(m_formats[Unit], LXW_ALIGN_LEFT);
    format_set_indent(m_formats[Unit], 1);
}

lxw_format* HReportStyles::format(Style style) const
{
    return style == Plain || style >= StyleCount ? nullptr : m_formats[style];
}
