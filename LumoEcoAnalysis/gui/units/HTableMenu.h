#pragma once
#include <QList>
#include <QPoint>

class QAction;
class QTableWidget;

// The context menu of an editable table: the row under the pointer becomes the
// current row, and `remove` is offered only when there is a current row.
class HTableMenu
{
public:
    // `pos` in the table's viewport, as customContextMenuRequested gives it.
    static void exec(QTableWidget* table, const QList<QAction*>& actions, QAction* remove,
                     const QPoint& pos);
};
