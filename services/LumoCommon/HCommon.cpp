#include "HCommon.h"

#include <QComboBox>
#include <QPalette>
#include <QWidget>

QString HCommon::FormatLargeIntNumber(qint64 value)
{
    // Grouping by hand: the C locale omits separators and others use their own.
    const bool negative = value < 0;
    // Magnitude as unsigned so that the smallest qint64 has one too.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

void HCommon::setWidgetBackground(QWidget* widget, const QColor& color)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool HCommon::updateCombox(QComboBox* box, const QString& text)
{
    if (!box)
        return false;
    const int index = box->findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    return true;
}
