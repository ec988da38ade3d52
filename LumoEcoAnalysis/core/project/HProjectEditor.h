#pragma once
#include <QJsonObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class HProject;
class HProjectNotices;
class HUnit;

// Edits a project the way its pages do, without a window: values by their project-file
// key, unit lines (the own ones completed from the product database), the operation
// schedule and the holidays. It works on the global project and remembers which parts
// of the file it changed, so that saving an opened file replaces only those parts and
// leaves every other member of the file as it was, including members the reader could
// not take. Every operation checks all of its input before it changes anything: a
// refused operation leaves the project as it was.
class HProjectEditor
{
public:
    // A unit line to add. For the own system the category and model name a product of
    // the catalogue (an empty category is looked up from the model) and the rest comes
    // from it; for the other system every figure is given here and the texts are labels.
    struct UnitLine
    {
        bool own = true;
        bool outdoor = true;
        QString category;
        QString model;
        int series = -1; // own: a series id, -1 for any series; other: a label
        int quantity = 1;
        // Other system only, per unit: kW and price.
        double capacityCooling = 0.0;
        double powerCooling = 0.0;
        double capacityHeating = 0.0;
        double powerHeating = 0.0;
        double price = 0.0;
    };

    // A day of the project's calendar year (which has no 29 February).
    using MonthDay = QPair<int, int>;

    // A new default project, as the New command makes it; saving writes all of it.
    void startNew();
    // Reads a project file (".ee") into a new global project as Open does, but without
    // replacing out-of-range peak loads: the project holds what the file says. On
    // failure the global project is unchanged and `error` says why.
    bool open(const QString& path, QString* error, HProjectNotices* notices = nullptr);

    HProject* project() const;

    // "key=value" assignments of HProjectValues keys, all or none. A changed country
    // or city must name a city of the weather database together.
    bool setValues(const QStringList& assignments, QString* error);

    bool addUnit(const UnitLine& line, QString* error);
    // 1-based lines of a system whose model (or, for the own system, catalogue model
    // name) is `model`; outdoor -1 any, 0 indoor, 1 outdoor; an empty model matches all.
    QVector<int> findLines(bool own, int outdoor, const QString& model) const;
    bool removeLine(bool own, int line, QString* error);

    // Each text a list of ranges (HRangeList); a null text leaves that part as it is.
    bool setSchedule(const QString& hours, const QString& weekdays, const QString& months,
                     QString* error);

    // Days as "yyyy-MM-dd" or "MM-dd", or ranges "FROM..TO" of those (a range may run
    // over the end of the year). The year of a date is not used: the calendar year of
    // the project has its own weekdays.
    static bool parseDays(const QStringList& texts, QVector<MonthDay>* days, QString* error);
    void setHolidays(const QVector<MonthDay>& days, bool holiday);
    void clearHolidays();

    // Hours of the year the schedule and the holidays run.
    int runningHours() const;

    // The document to write: a new project whole; an opened file with the parts
    // changed replaced by the project's.
    QJsonObject document() const;
    // Writes document() through a temporary file: on failure the file is unchanged.
    bool save(const QString& path, QString* error) const;
    // The top-level keys changed so far.
    QStringList changedKeys() const;

private:
    bool addOwnUnit(const UnitLine& line, QString* error);
    bool addOtherUnit(const UnitLine& line, QString* error);

    QJsonObject m_original;
    bool m_new = true;
    QSet<QString> m_changed;
};
