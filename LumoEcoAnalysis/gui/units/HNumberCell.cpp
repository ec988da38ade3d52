#include "HNumberCell.h"

#include <QTableWidgetItem>

namespace {

constexpr int ShownTextRole = Qt::UserRole;
constexpr int ExactRole = Qt::UserRole + 1;

} // namespace

QString HNumberCell::text(double value)
{
    return QString::number(value, 'g', 6);
}

void HNumberCell::set(QTableWidgetItem* item, double shown, double exact)
{
    const QString t = text(shown);
    item->setData(ShownTextRole, t);
    item->setData(ExactRole, exact);
    item->setText(t);
}

double HNumberCell::value(const QTableWidgetItem* item, double (*fromText)(double))
{
    if (!item)
        return 0.0;
    if (isUnedited(item))
        return item->data(ExactRole).toDouble();
    bool ok = false;
    const double typed = item->text().trimmed().toDouble(&ok);
    if (!ok)
        return 0.0;
    return fromText ? fromText(typed) : typed;
}

bool HNumberCell::isUnedited(const QTableWidgetItem* item)
{
    return item && item->data(ExactRole).isValid()
        && item->text() == item->data(ShownTextRole).toString();
}

void HNumberCell::keep(QTableWidgetItem* item, double exact)
{
    if (!item)
        return;
    item->setData(ShownTextRole, item->text());
    item->setData(ExactRole, exact);
}
