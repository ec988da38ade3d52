#pragma once
#include <QString>

class QTableWidgetItem;

// A table cell that shows a number rounded (general format, six significant
// digits) but gives back the exact value behind it as long as its text was not
// edited, so that showing and reading back a value never changes it.
class HNumberCell
{
public:
    // Shows `shown` and keeps `exact` behind the text.
    static void set(QTableWidgetItem* item, double shown, double exact);
    // The exact value while the text is unedited; else the text as a number passed
    // through `fromText` (0 when the text is no number). No cell gives 0.
    static double value(const QTableWidgetItem* item, double (*fromText)(double) = nullptr);
    // The cell shows what set() or keep() left in it.
    static bool isUnedited(const QTableWidgetItem* item);
    // After a read: the current text now stands for `exact`.
    static void keep(QTableWidgetItem* item, double exact);

    static QString text(double value);
};
