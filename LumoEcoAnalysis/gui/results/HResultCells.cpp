#include "HResultCells.h"

#include <QTableWidgetItem>

QTableWidgetItem* HResultCells::centred(const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

QTableWidgetItem* HResultCells::header(const QString& text)
{
    QTableWidgetItem* cell = centred(text);
    cell->setBackground(headerColour());
    return cell;
}
