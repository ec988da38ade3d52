#include "HTableMenu.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>

void HTableMenu::exec(QTableWidget* table, const QList<QAction*>& actions, QAction* remove,
                      const QPoint& pos)
{
    const int row = table->rowAt(pos.y());
    if (row >= 0)
        table->setCurrentCell(row, qMax(0, table->currentColumn()));
    if (remove)
        remove->setEnabled(table->currentRow() >= 0);
    QMenu menu(table);
    menu.addActions(actions);
    menu.exec(table->viewport()->mapToGlobal(pos));
}
