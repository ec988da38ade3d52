#pragma once
#include "LumoCommonExport.h"
#include <QColor>
#include <QFont>
#include <QList>
#include <QPen>
#include <QString>

// The look of charts under one theme.
struct LUMOCOMMON_EXPORT HThemeItem
{
    QString name;
    int chartTheme = 0; // QtCharts::QChart::ChartTheme value
    QColor background;
    QColor plotArea;
    QColor text;
    QPen axisPen;
    QPen gridPen;
    QFont titleFont;
    QFont labelFont;
    QList<QColor> seriesColors; // for series 1, 2, ... in turn

    QColor seriesColor(int index) const;
};
