#pragma once
// Driving the unit tables as a user does.

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

} // namespace unitswidgets
