#pragma once

struct lxw_format;
struct lxw_workbook;

// The cell formats of one report workbook, created once per workbook.
class HReportStyles
{
public:
    enum Style {
        Plain,
        Title,    // report title at the top of every sheet
        Subtitle, // the sheet's subject
        Heading,  // table headers: bold, filled, bordered, centred
        Label,    // captions left of a value, right-aligned
        Value,    // a number as entered (general format) in a table
        Text,     // a text value in a table
        Number,   // two decimals
        Integer,
        Percent,
        Ratio, // three decimals
        Date,  // yyyy-mm-dd
        Total, // bold with a rule above
        TotalNumber,
        TotalInteger,
        TotalPercent,
        Note, // grey italic remark
        Unit, // a unit beside its value, set off from it
        StyleCount
    };

    explicit HReportStyles(lxw_workbook* workbook);

    lxw_format* format(Style style) const;

private:
    lxw_format* m_formats[StyleCount] = {};
};
