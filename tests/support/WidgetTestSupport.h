#pragma once
// Helpers of the widget tests: find a page's child by object name, type into a line
// edit as a user does. Header-only; tests that use it link Qt5::Widgets.

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace brivanta::test {

// The child of `page` named `name`; warns when there is none.
template<typename T>
T* child(const QWidget& page, const char* name)
{
    T* widget = page.findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

// Replaces the text as a user does: select everything, type.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace brivanta::test
