#include "HSweepRows.h"

#include "HCalculationRun.h"

#include <QJsonArray>
#include <QPair>
#include <QTextStream>

namespace {

// Columns taken from calculate's JSON, by their path in it.
const QVector<QPair<QString, QString>>& resultColumns()
{
    static const QVector<QPair<QString, QString>> columns{
        {"weather_table", "location.weather_table"},
        {"design_temp", "location.design_temp"},
        {"max_temp", "location.max_temp"},
        {"min_temp", "location.min_temp"},
        {"cooling_peak_kw", "peak_load.cooling_kw"},
        {"heating_peak_kw", "peak_load.heating_kw"},
        {"peak_replaced", "peak_load.replaced"},
        {"own_kwh", "year.own_kwh"},
        {"other_kwh", "year.other_kwh"},
        {"ratio_percent", "year.ratio_percent"},
        {"own_cost", "year.own_cost"},
        {"other_cost", "year.other_cost"},
        {"own_kwh_per_m2", "figures.own.kwh_per_m2"},
        {"other_kwh_per_m2", "figures.other.kwh_per_m2"},
        {"own_cooling_kwh", "figures.own.cooling_kwh"},
        {"own_heating_kwh", "figures.own.heating_kwh"},
        {"other_cooling_kwh", "figures.other.cooling_kwh"},
        {"other_heating_kwh", "figures.other.heating_kwh"},
        {"own_seasonal_cooling_efficiency", "figures.own.seasonal_cooling_efficiency"},
        {"own_seasonal_heating_efficiency", "figures.own.seasonal_heating_efficiency"},
        {"own_seasonal_efficiency", "figures.own.seasonal_efficiency"},
        {"other_seasonal_cooling_efficiency", "figures.other.seasonal_cooling_efficiency"},
        {"other_seasonal_heating_efficiency", "figures.other.seasonal_heating_efficiency"},
        {"other_seasonal_efficiency", "figures.other.seasonal_efficiency"},
        {"own_cooling_capacity_percent_of_peak", "figures.own.cooling_capacity_percent_of_peak"},
        {"own_heating_capacity_percent_of_peak", "figures.own.heating_capacity_percent_of_peak"},
        {"other_cooling_capacity_percent_of_peak",
         "figures.other.cooling_capacity_percent_of_peak"},
        {"other_heating_capacity_percent_of_peak",
         "figures.other.heating_capacity_percent_of_peak"},
    };
    return columns;
}

QJsonValue at(const QJsonObject& root, const QString& path)
{
    QJsonValue v = root;
    for (const QString& key : path.split(QLatin1Char('.')))
        v = v.toObject().value(key);
    return v.isUndefined() ? QJsonValue() : v;
}

QString csvValue(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QJsonValue::String:
        return HCalculationRun::csvField(v.toString());
    case QJsonValue::Array: {
        QStringList texts;
        for (const QJsonValue& e : v.toArray())
            texts << e.toString();
        return HCalculationRun::csvField(texts.join(QStringLiteral(" | ")));
    }
    default:
        return QString();
    }
}

} // namespace

QStringList HSweepRows::columns()
{
    QStringList names{"country", "city", "peak_scale", "status", "error"};
    for (const auto& c : resultColumns())
        names << c.first;
    names << "warnings";
    return names;
}

QJsonValue HSweepRows::value(const HSweepRunner::Row& row, const QString& column)
{
    if (column == QLatin1String("country"))
        return row.variant.city.country;
    if (column == QLatin1String("city"))
        return row.variant.city.city;
    if (column == QLatin1String("peak_scale"))
        return row.variant.peakScale;
    if (column == QLatin1String("status"))
        return row.ok ? QStringLiteral("ok") : QStringLiteral("failed");
    if (column == QLatin1String("error"))
        return row.ok ? QJsonValue() : QJsonValue(row.error);
    if (column == QLatin1String("warnings"))
        return QJsonArray::fromStringList(row.warnings);
    for (const auto& c : resultColumns())
        if (c.first == column)
            return row.ok ? at(row.result, c.second) : QJsonValue();
    return QJsonValue();
}

QString HSweepRows::toCsv(const QVector<HSweepRunner::Row>& rows)
{
    QString out;
    QTextStream s(&out);
    const QStringList names = columns();
    s << names.join(QLatin1Char(',')) << "\n";
    for (const HSweepRunner::Row& row : rows) {
        QStringList cells;
        for (const QString& name : names)
            cells << csvValue(value(row, name));
        s << cells.join(QLatin1Char(',')) << "\n";
    }
    s.flush();
    return out;
}

QJsonObject HSweepRows::toJson(const QVector<HSweepRunner::Row>& rows, const QString& project)
{
    QJsonArray list;
    for (const HSweepRunner::Row& row : rows) {
        QJsonObject o;
        for (const QString& name : columns())
            o.insert(name, value(row, name));
        list.append(o);
    }
    QJsonObject root;
    root.insert("project", project);
    root.insert("rows", list);
    return root;
}
