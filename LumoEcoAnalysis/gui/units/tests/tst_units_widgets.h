#pragma once
// Driving the unit tables as a user does.

#include "HOtherVRFUnitInfo.h"
#include "HUnitTable.h"
#include "HVRFUnitInfoWidget.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace unitswidgets {

// Types `text` over a cell's content through its editor and commits it with Return.
inline bool typeInto(QTableWidget* table, int row, int column, const QString& text)
{
    table->setCurrentCell(row, column);
    QTableWidgetItem* item = table->item(row, column);
    if (!item)
        return false;
    table->editItem(item);
    auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->model()->index(row, column)));
    if (!editor)
        return false;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes the editor through queued calls.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

// Types a whole row, one text per column from the first.
inline bool typeRow(QTableWidget* table, int row, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c) {
        if (!typeInto(table, row, c, texts.at(c)))
            return false;
    }
    return true;
}

inline QStringList rowTexts(const QTableWidget* table, int row, int columns)
{
    QStringList texts;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* item = table->item(row, c);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

// Chooses the entry as a user does in the open list.
inline bool choose(QComboBox* combo, const QString& text)
{
    const int index = combo ? combo->findText(text) : -1;
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

inline QComboBox* comboAt(QTableWidget* table, int row, int column)
{
    return qobject_cast<QComboBox*>(table->cellWidget(row, column));
}

// Adds a row to the own page's table and chooses its category, model and quantity.
inline bool addOwnUnit(HVRFUnitInfoWidget* page, bool odu, const QString& category,
                       const QString& model, const QString& quantity)
{
    (odu ? page->oduActions() : page->iduActions()).at(0)->trigger();
    QTableWidget* table = odu ? page->oduTable() : page->iduTable();
    const int row = table->rowCount() - 1;
    return choose(comboAt(table, row, HUnitTable::ColumnType), category)
        && choose(comboAt(table, row, HUnitTable::ColumnModel), model)
        && typeInto(table, row, HUnitTable::ColumnQuantity, quantity);
}

// Adds a row to the other make's table and types its cells from the first column.
inline bool addOtherUnit(HOtherVRFUnitInfo* page, bool odu, const QStringList& cells)
{
    (odu ? page->oduActions() : page->iduActions()).at(0)->trigger();
    QTableWidget* table = odu ? page->oduTable() : page->iduTable();
    return typeRow(table, table->rowCount() - 1, cells);
}

} // namespace unitswidgets
