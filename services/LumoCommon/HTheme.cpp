#include "HTheme.h"

QString HTheme::currentThemeName = QStringLiteral("light");

namespace {

QList<HThemeItem> makeThemes()
{
    // Series colours chosen to stay apart for readers with colour-vision deficiency.
    const QList<QColor> series = {QColor(0, 114, 178),   QColor(230, 159, 0),  QColor(0, 158, 115),
                                  QColor(204, 121, 167), QColor(86, 180, 233), QColor(213, 94, 0),
                                  QColor(240, 228, 66)};

    HThemeItem light;
    light.name = QStringLiteral("light");
    light.chartTheme = 0; // ChartThemeLight
    light.background = Qt::white;
    light.plotArea = Qt::white;
    light.text = QColor(40, 40, 40);
    light.axisPen = QPen(QColor(90, 90, 90), 1);
    light.gridPen = QPen(QColor(220, 220, 220), 1, Qt::DotLine);
    light.titleFont = QFont(QStringLiteral("Arial"), 11, QFont::Bold);
    light.labelFont = QFont(QStringLiteral("Arial"), 9);
    light.seriesColors = series;

    HThemeItem dark = light;
    dark.name = QStringLiteral("dark");
    dark.chartTheme = 2; // ChartThemeDark
    dark.background = QColor(38, 40, 44);
    dark.plotArea = QColor(48, 50, 56);
    dark.text = QColor(230, 230, 230);
    dark.axisPen = QPen(QColor(180, 180, 180), 1);
    dark.gridPen = QPen(QColor(80, 84, 92), 1, Qt::DotLine);
    return {light, dark};
}

const QList<HThemeItem>& themes()
{
    static const QList<HThemeItem> list = makeThemes();
    return list;
}

} // namespace

QColor HThemeItem::seriesColor(int index) const
{
    if (seriesColors.isEmpty() || index < 0)
        return text;
    return seriesColors.at(index % seriesColors.size());
}

bool HTheme::getThemeItem(const QString& name, HThemeItem& item)
{
    for (const HThemeItem& theme : themes()) {
        if (theme.name == name) {
            item = theme;
            return true;
        }
    }
    return false;
}

QStringList HTheme::themeNames()
{
    QStringList names;
    for (const HThemeItem& theme : themes())
        names << theme.name;
    return names;
}
