#pragma once
#include <QColor>
#include <QString>

class QTableWidgetItem;

// The cells of the result page's tables: centred, selectable, not editable; header
// cells on the page's header colour.
class HResultCells
{
public:
    static QColor headerColour() { return QColor(179, 198, 231); }
    static QTableWidgetItem* centred(const QString& text);
    static QTableWidgetItem* header(const QString& text);
};
