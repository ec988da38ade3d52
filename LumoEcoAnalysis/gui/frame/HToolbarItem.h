#pragma once
#include <QString>

class QAction;

// One entry of the main window's tool bar. The English text is also the key by
// which the window finds the entry's action and the slot it connects; "-" makes a
// separator.
class HToolbarItem
{
public:
    HToolbarItem(const QString& text, const QString& icon, const QString& toolTip, bool checkable,
                 bool checked)
        : text(text)
        , icon(icon)
        , toolTip(toolTip)
        , checkable(checkable)
        , checked(checked)
    {
    }

    bool isSeparator() const { return text == QLatin1String("-"); }

    QString text;
    QString icon; // file name under images/
    QString toolTip;
    bool checkable = false;
    bool checked = false;
    QAction* action = nullptr; // set by MainWindow::initToolbar, owned by the window
};
