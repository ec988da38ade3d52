#pragma once
#include <QToolBar>

// The main window's tool bar. It reports the two hidden gestures: a double-click
// on the bar with Control and Alt held, with the right or the middle button.
class HToolbar : public QToolBar
{
    Q_OBJECT
public:
    explicit HToolbar(QWidget* parent = nullptr);

    // Set and cleared by the main window as Control and Alt go down and up.
    bool controlHeld = false;
    bool altHeld = false;

signals:
    void signal_mouse_rightbtn_doubleclicked();
    void signal_mouse_midbtn_doubleclicked();

protected:
    bool event(QEvent* event) override;
};
