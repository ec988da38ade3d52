#pragma once
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class HProjectNotices;

// Reads the members of one JSON object by the project file's rules: a member that is
// absent or of another type reads as 0, empty or false, as files have always relied on.
// A member that is present but cannot be read that way, and a negative value where only
// non-negative ones make sense, adds a translated notice naming the member (and `where`
// it stands, e.g. "own_vrf unit line 2"). Absent members are not noticed: the caller
// decides which absences matter (note()).
class HJsonFieldReader
{
public:
    HJsonFieldReader(const QJsonObject& object, HProjectNotices* notices,
                     const QString& where = QString());

    double number(const QString& key);
    // As number(); a negative value is kept and noticed.
    double nonNegativeNumber(const QString& key);
    // As number(); a value outside the physical range low..high (in `unit`) is kept and
    // noticed: it would give meaningless results.
    double number(const QString& key, double low, double high, const char* unit);
    // As nonNegativeNumber(); a value above `high` (in `unit`) is kept and noticed too.
    double nonNegativeNumber(const QString& key, double high, const char* unit);
    // A whole number an int holds; anything else reads 0.
    int integer(const QString& key);
    int nonNegativeInteger(const QString& key);
    int nonNegativeInteger(const QString& key, int high);
    QString text(const QString& key);
    bool flag(const QString& key);
    // Text in `format`; other text reads as an invalid date.
    QDate date(const QString& key, const QString& format);
    QJsonObject object(const QString& key);
    QJsonArray array(const QString& key);
    // The flags of an object of booleans under `keys`; other values read false and are
    // noticed once for the object.
    QVector<bool> flags(const QString& key, const QStringList& keys);

    bool contains(const QString& key) const { return m_object.contains(key); }
    // "key" or "key" (where), as the notices name a member.
    QString nameOf(const QString& key) const;
    // Adds a notice (nothing without a notice list).
    void note(const QString& text) const;
    HProjectNotices* notices() const { return m_notices; }

private:
    // The member's value; a present one that `accepts` refuses adds `notice`, a
    // translation key with %1 for the member's name and %2 for its value.
    QJsonValue checked(const QString& key, bool (*accepts)(const QJsonValue&),
                       const char* notice) const;
    void noteNegative(const QString& key, double value) const;
    void noteOutOfRange(const QString& key, double value, double low, double high,
                        const char* unit) const;

    QJsonObject m_object;
    HProjectNotices* m_notices;
    QString m_where;
};
