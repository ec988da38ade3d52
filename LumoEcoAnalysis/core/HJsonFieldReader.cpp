#include "HJsonFieldReader.h"

#include "HProjectNotices.h"
#include "TranslateString.h"

#include <QJsonDocument>

#include <cmath>
#include <limits>

namespace {

// A value as it stands in the file, shortened: "abc" with its quotes, 12, null, [...].
QString shown(const QJsonValue& value)
{
    QString text;
    if (value.isObject())
        text = QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    else {
        // A document holds no bare scalar; write it in an array and take the brackets off.
        text = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
        text = text.mid(1, text.size() - 2);
    }
    return text.size() > 40 ? text.left(37) + QStringLiteral("...") : text;
}

bool isWholeInt(double v)
{
    return std::isfinite(v) && v == std::trunc(v) && v >= double(std::numeric_limits<int>::min())
        && v <= double(std::numeric_limits<int>::max());
}

} // namespace

HJsonFieldReader::HJsonFieldReader(const QJsonObject& object, HProjectNotices* notices,
                                   const QString& where)
    : m_object(object)
    , m_notices(notices)
    , m_where(where)
{
}

QString HJsonFieldReader::nameOf(const QString& key) const
{
    const QString quoted = QLatin1Char('"') + key + QLatin1Char('"');
    return m_where.isEmpty() ? quoted : QStringLiteral("%1 (%2)").arg(quoted, m_where);
}

void HJsonFieldReader::note(const QString& text) const
{
    if (m_notices)
        m_notices->add(text);
}

QJsonValue HJsonFieldReader::checked(const QString& key, bool (*accepts)(const QJsonValue&),
                                     const char* notice) const
{
    const QJsonValue v = m_object.value(key);
    if (!v.isUndefined() && !accepts(v))
        note(TranslateString(QString::fromUtf8(notice)).arg(nameOf(key), shown(v)));
    return v;
}

double HJsonFieldReader::number(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isDouble(); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not a number (%2); read as 0."))
        .toDouble();
}

void HJsonFieldReader::noteNegative(const QString& key, double value) const
{
    note(TranslateString("%1 is negative (%2); a negative value makes no sense here.")
             .arg(nameOf(key), QString::number(value, 'g', 10)));
}

double HJsonFieldReader::nonNegativeNumber(const QString& key)
{
    const double v = number(key);
    if (v < 0.0)
        noteNegative(key, v);
    return v;
}

void HJsonFieldReader::noteOutOfRange(const QString& key, double value, double low, double high,
                                      const char* unit) const
{
    const QString suffix = *unit ? QLatin1Char(' ') + QString::fromUtf8(unit) : QString();
    auto shownNumber = [&suffix](double v) { return QString::number(v, 'g', 10) + suffix; };
    note(TranslateString("%1 is %2, outside %3 to %4 where values make sense: the results "
                         "would mean nothing. Check the value.")
             .arg(nameOf(key), shownNumber(value), shownNumber(low), shownNumber(high)));
}

double HJsonFieldReader::number(const QString& key, double low, double high, const char* unit)
{
    const double v = number(key);
    if (v < low || v > high)
        noteOutOfRange(key, v, low, high, unit);
    return v;
}

double HJsonFieldReader::nonNegativeNumber(const QString& key, double high, const char* unit)
{
    const double v = nonNegativeNumber(key);
    if (v > high)
        noteOutOfRange(key, v, 0.0, high, unit);
    return v;
}

int HJsonFieldReader::nonNegativeInteger(const QString& key, int high)
{
    const int v = nonNegativeInteger(key);
    if (v > high)
        noteOutOfRange(key, v, 0.0, high, "");
    return v;
}

int HJsonFieldReader::integer(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isDouble() && isWholeInt(v.toDouble()); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not a whole number (%2); read as 0."))
        .toInt();
}

int HJsonFieldReader::nonNegativeInteger(const QString& key)
{
    const int v = integer(key);
    if (v < 0)
        noteNegative(key, v);
    return v;
}

QString HJsonFieldReader::text(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isString(); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not text (%2); read as empty."))
        .toString();
}

bool HJsonFieldReader::flag(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isBool(); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not true or false (%2); read as false."))
        .toBool();
}

QDate HJsonFieldReader::date(const QString& key, const QString& format)
{
    const QJsonValue v = m_object.value(key);
    const QDate d = QDate::fromString(v.toString(), format);
    if (!v.isUndefined() && !d.isValid())
        note(TranslateString("%1 is not a date in the form %2 (%3); read as no date.")
                 .arg(nameOf(key), format, shown(v)));
    return d;
}

QJsonObject HJsonFieldReader::object(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isObject(); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not an object (%2); read as empty."))
        .toObject();
}

QJsonArray HJsonFieldReader::array(const QString& key)
{
    return checked(
               key, [](const QJsonValue& v) { return v.isArray(); },
               QT_TRANSLATE_NOOP("Brivanta", "%1 is not a list (%2); read as empty."))
        .toArray();
}

QVector<bool> HJsonFieldReader::flags(const QString& key, const QStringList& keys)
{
    const QJsonObject o = object(key);
    QVector<bool> values;
    int wrong = 0;
    for (const QString& k : keys) {
        const QJsonValue v = o.value(k);
        if (!v.isUndefined() && !v.isBool())
            ++wrong;
        values.append(v.toBool());
    }
    if (wrong > 0)
        note(TranslateString("%1 has %2 entries that are not true or false; they read as false.")
                 .arg(nameOf(key))
                 .arg(wrong));
    return values;
}
