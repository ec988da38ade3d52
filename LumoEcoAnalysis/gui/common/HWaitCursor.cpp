#include "HWaitCursor.h"

#include <QApplication>
#include <QCursor>

HWaitCursor::HWaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HWaitCursor::~HWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
