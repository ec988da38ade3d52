#include "HProjectValues.h"

#include "HProject.h"
#include "TranslateString.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QVariant>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using Type = HProjectValues::Type;
using Setter = std::function<void(HProject*, const QVariant&)>;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();
constexpr double kIntMax = std::numeric_limits<int>::max();

struct Entry
{
    HProjectValues::Key key;
    Setter set;
};

const QVector<Entry>& entries()
{
    // clang-format off
    static const QVector<Entry> table{
        {{"name", Type::Text}, [](HProject* p, const QVariant& v) { p->setname(v.toString()); }},
        {{"date", Type::Date}, [](HProject* p, const QVariant& v) { p->setdate(v.toDate()); }},
        {{"build_area", Type::Number, 0.0, kNoLimit, "m²"},
         [](HProject* p, const QVariant& v) { p->setbuild_area(v.toDouble()); }},
        {{"build_height", Type::Number, 0.0, kNoLimit, "m"},
         [](HProject* p, const QVariant& v) { p->setbuild_height(v.toDouble()); }},
        {{"number_floors", Type::WholeNumber, 0.0, kIntMax},
         [](HProject* p, const QVariant& v) { p->setnumber_floors(v.toInt()); }},
        {{"cooling_peak_load", Type::Number, 0.0, kNoLimit, "kW"},
         [](HProject* p, const QVariant& v) { p->setcooling_peak_load(v.toDouble()); }},
        {{"heating_peak_load", Type::Number, 0.0, kNoLimit, "kW"},
         [](HProject* p, const QVariant& v) { p->setheating_peak_load(v.toDouble()); }},
        {{"country", Type::Text}, [](HProject* p, const QVariant& v) { p->setcountry(v.toString()); }},
        {{"city", Type::Text}, [](HProject* p, const QVariant& v) { p->setcity(v.toString()); }},
        {{"is_have_8760_weather_data", Type::Flag},
         [](HProject* p, const QVariant& v) { p->setisHave8760WeatherData(v.toBool()); }},
        // Outdoor temperatures: the extremes measured on earth, with a margin.
        {{"max_temp", Type::Number, -90.0, 60.0, "°C"},
         [](HProject* p, const QVariant& v) { p->setmax_temp(v.toDouble()); }},
        {{"min_temp", Type::Number, -90.0, 60.0, "°C"},
         [](HProject* p, const QVariant& v) { p->setmin_temp(v.toDouble()); }},
        {{"average_temp", Type::Number, -90.0, 60.0, "°C"},
         [](HProject* p, const QVariant& v) { p->setaverage_temp(v.toDouble()); }},
        {{"indoor_cooling_temperature", Type::Number, HProjectValues::kIndoorSetPointMin,
          HProjectValues::kIndoorSetPointMax, "°C"},
         [](HProject* p, const QVariant& v) { p->setindoor_cooling_temperature(v.toDouble()); }},
        {{"indoor_heating_temperature", Type::Number, HProjectValues::kIndoorSetPointMin,
          HProjectValues::kIndoorSetPointMax, "°C"},
         [](HProject* p, const QVariant& v) { p->setindoor_heating_temperature(v.toDouble()); }},
        {{"thermo_mode", Type::Flag},
         [](HProject* p, const QVariant& v) { p->setthermo_mode(v.toBool()); }},
        {{"electricity_price", Type::Number, 0.0, kNoLimit, "per kWh"},
         [](HProject* p, const QVariant& v) { p->setelectricity_price(v.toDouble()); }},
        {{"gas_price", Type::Number, 0.0, kNoLimit},
         [](HProject* p, const QVariant& v) { p->setgas_price(v.toDouble()); }},
        // The display-unit codes the unit service knows.
        {{"Unit_Load", Type::WholeNumber, 1.0, 4.0},
         [](HProject* p, const QVariant& v) { p->setUnit_Load(v.toInt()); }},
        {{"Unit_Temperature", Type::WholeNumber, 1.0, 2.0},
         [](HProject* p, const QVariant& v) { p->setUnit_Temperature(v.toInt()); }},
        {{"Unit_Length", Type::WholeNumber, 1.0, 2.0},
         [](HProject* p, const QVariant& v) { p->setUnit_Length(v.toInt()); }},
        {{"Unit_AirFlowRate", Type::WholeNumber, 1.0, 3.0},
         [](HProject* p, const QVariant& v) { p->setUnit_AirFlowRate(v.toInt()); }},
    };
    // clang-format on
    return table;
}

const Entry* findEntry(const QString& name)
{
    for (const Entry& e : entries())
        if (e.key.name == name)
            return &e;
    return nullptr;
}

QString limitText(double v)
{
    return QLocale::c().toString(v, 'g', 10);
}

// The value of `text` for the key, or an invalid QVariant.
QVariant parse(const HProjectValues::Key& key, const QString& raw)
{
    const QString text = raw.trimmed();
    const QLocale c = QLocale::c();
    bool ok = false;
    switch (key.type) {
    case Type::Text:
        return raw;
    case Type::Date: {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case Type::Number: {
        const double v = c.toDouble(text, &ok);
        // Written so that NaN is refused too.
        if (!ok || !std::isfinite(v) || !(v >= key.min && v <= key.max))
            return QVariant();
        return v;
    }
    case Type::WholeNumber: {
        const int v = c.toInt(text, &ok);
        if (!ok || v < key.min || v > key.max)
            return QVariant();
        return v;
    }
    case Type::Flag: {
        static const QHash<QString, bool> words{
            {"true", true},   {"yes", true}, {"on", true},   {"1", true},
            {"false", false}, {"no", false}, {"off", false}, {"0", false},
        };
        const auto it = words.constFind(text.toLower());
        return it == words.cend() ? QVariant() : QVariant(it.value());
    }
    }
    return QVariant();
}

} // namespace

const QVector<HProjectValues::Key>& HProjectValues::keys()
{
    static const QVector<Key> list = [] {
        QVector<Key> k;
        for (const Entry& e : entries())
            k.append(e.key);
        return k;
    }();
    return list;
}

const HProjectValues::Key* HProjectValues::find(const QString& name)
{
    const Entry* e = findEntry(name);
    return e ? &e->key : nullptr;
}

QStringList HProjectValues::names()
{
    QStringList n;
    for (const Key& k : keys())
        n << k.name;
    return n;
}

QString HProjectValues::describe(const Key& key)
{
    QString range;
    switch (key.type) {
    case Type::Text:
        return TranslateString("a text");
    case Type::Date:
        return TranslateString("a date yyyy-MM-dd");
    case Type::Flag:
        return TranslateString("true or false");
    case Type::Number:
        range = key.max == kNoLimit
            ? TranslateString("a number from %1 up").arg(limitText(key.min))
            : TranslateString("a number from %1 to %2").arg(limitText(key.min), limitText(key.max));
        break;
    case Type::WholeNumber:
        range = key.max >= kIntMax
            ? TranslateString("a whole number from %1 up").arg(limitText(key.min))
            : TranslateString("a whole number from %1 to %2")
                  .arg(limitText(key.min), limitText(key.max));
        break;
    }
    return key.unit.isEmpty() ? range : QStringLiteral("%1 (%2)").arg(range, key.unit);
}

bool HProjectValues::set(HProject* project, const QString& name, const QString& text,
                         QString* error)
{
    const Entry* e = findEntry(name);
    if (!e) {
        if (error)
            *error = TranslateString("Unknown key \"%1\"; the keys are: %2.")
                         .arg(name, names().join(QStringLiteral(", ")));
        return false;
    }
    const QVariant value = parse(e->key, text);
    if (!value.isValid()) {
        if (error)
            *error =
                TranslateString("%1=%2 is refused: %1 takes %3.").arg(name, text, describe(e->key));
        return false;
    }
    if (project)
        e->set(project, value);
    return true;
}
