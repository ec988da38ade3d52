#include "HToolbar.h"

#include <QMouseEvent>

HToolbar::HToolbar(QWidget* parent)
    : QToolBar(parent)
{
}

bool HToolbar::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The keys may have gone down while another window had the focus; the
        // event's own modifiers count as well.
        const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::AltModifier;
        const bool held = (controlHeld && altHeld) || (mouse->modifiers() & both) == both;
        if (held && mouse->button() == Qt::RightButton) {
            controlHeld = altHeld = false;
            emit signal_mouse_rightbtn_doubleclicked();
        } else if (held && mouse->button() == Qt::MiddleButton) {
            controlHeld = altHeld = false;
            emit signal_mouse_midbtn_doubleclicked();
        }
    }
    return QToolBar::event(event);
}
