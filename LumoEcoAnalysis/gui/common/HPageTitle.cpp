#include "HPageTitle.h"

HPageTitle::HPageTitle(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("labelTitle"));
    QFont heading = font();
    heading.setPointSize(16);
    heading.setBold(true);
    setFont(heading);
}
