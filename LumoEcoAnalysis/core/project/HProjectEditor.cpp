#include "HProjectEditor.h"

#include "HDay.h"
#include "HHour.h"
#include "HJsonFunc.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectSession.h"
#include "HProjectValues.h"
#include "HRangeList.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "HWeatherLocation.h"
#include "HYear.h"
#include "LumoWeather.h"
#include "TranslateString.h"

#include <QDate>
#include <QJsonDocument>

#include <cmath>
#include <memory>

namespace {

const QString kOperationMap = QStringLiteral("operation_map");
const QString kHoliday = QStringLiteral("holiday");

QString systemKey(bool own)
{
    return own ? QStringLiteral("own_vrf") : QStringLiteral("other_vrf");
}

HVRF* systemOf(bool own)
{
    HProject* p = HProject::getProject();
    return own ? p->getOwnVRFSys() : p->getOtherVRFSys();
}

// A day typed as "yyyy-MM-dd" or "MM-dd", as a month and day of the 365-day year.
bool parseDay(const QString& text, HProjectEditor::MonthDay* day)
{
    const QString t = text.trimmed();
    QDate date = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    // "MM-dd" is read in a leap year, so that 02-29 is found and refused by name.
    if (!date.isValid())
        date = QDate::fromString(QStringLiteral("2000-") + t, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return false;
    *day = {date.month(), date.day()};
    return true;
}

// Day of the year 1..365 of a day that is not 29 February.
int dayNumber(const HProjectEditor::MonthDay& day)
{
    return QDate(HYear::initial_year, day.first, day.second).dayOfYear();
}

HProjectEditor::MonthDay fromDayNumber(int number)
{
    const QDate d = QDate(HYear::initial_year, 1, 1).addDays(number - 1);
    return {d.month(), d.day()};
}

bool nonNegative(double v)
{
    return std::isfinite(v) && v >= 0.0;
}

} // namespace

void HProjectEditor::startNew()
{
    HProjectSession::newProject();
    m_original = QJsonObject();
    m_new = true;
    m_changed.clear();
}

bool HProjectEditor::open(const QString& path, QString* error, HProjectNotices* notices)
{
    if (!path.endsWith(QLatin1String(".ee"), Qt::CaseInsensitive)) {
        if (error)
            *error = TranslateString("Only project files (.ee) are edited: %1; import an .eed "
                                     "or .vrf file into one first.")
                         .arg(path);
        return false;
    }
    if (!HProjectSession::readProject(path, error, notices))
        return false;
    // The reader has taken the file: it is a JSON object.
    QJsonDocument doc;
    QString why;
    if (!HJsonFunc::readFileToJsonDoc(path, doc, &why)) {
        if (error)
            *error = TranslateString("Cannot read the project file %1: %2").arg(path, why);
        return false;
    }
    m_original = doc.object();
    m_new = false;
    m_changed.clear();
    return true;
}

HProject* HProjectEditor::project() const
{
    return HProject::getProject();
}

bool HProjectEditor::setValues(const QStringList& assignments, QString* error)
{
    // Checked on a scratch copy of the values first: all or none.
    struct Pair
    {
        QString key;
        QString value;
    };
    QVector<Pair> pairs;
    HProject* p = project();
    QString country = p->Getcountry();
    QString city = p->Getcity();
    for (const QString& a : assignments) {
        const int eq = a.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            if (error)
                *error = TranslateString("\"%1\" is not of the form KEY=VALUE.").arg(a);
            return false;
        }
        const Pair pair{a.left(eq).trimmed(), a.mid(eq + 1)};
        if (pair.key == kOperationMap || pair.key == kHoliday || pair.key == systemKey(true)
            || pair.key == systemKey(false)) {
            if (error)
                *error = TranslateString("\"%1\" is not set as a value: change the schedule, "
                                         "the holidays and the unit lines with their own "
                                         "commands.")
                             .arg(pair.key);
            return false;
        }
        if (!HProjectValues::set(nullptr, pair.key, pair.value, error))
            return false;
        if (pair.key == QLatin1String("country"))
            country = pair.value;
        if (pair.key == QLatin1String("city"))
            city = pair.value;
        pairs.append(pair);
    }
    const bool moved = country != p->Getcountry() || city != p->Getcity();
    if (moved && HWeatherLocation::findCityTable(country, city).isEmpty()) {
        if (error)
            *error = TranslateString("The weather database %1 has no city \"%2\" in the "
                                     "country \"%3\"; choose one it lists, or import the "
                                     "city's weather first.")
                         .arg(LumoWeather::weatherDbPath(), city, country);
        return false;
    }
    for (const Pair& pair : qAsConst(pairs)) {
        HProjectValues::set(p, pair.key, pair.value);
        m_changed.insert(pair.key);
    }
    return true;
}

bool HProjectEditor::addUnit(const UnitLine& line, QString* error)
{
    if (line.quantity < 1) {
        if (error)
            *error = TranslateString("The quantity of a unit line is a whole number from 1 up.");
        return false;
    }
    if (!(line.own ? addOwnUnit(line, error) : addOtherUnit(line, error)))
        return false;
    m_changed.insert(systemKey(line.own));
    return true;
}

bool HProjectEditor::addOwnUnit(const UnitLine& line, QString* error)
{
    const int type = line.outdoor ? 0 : 1;
    QString category = line.category;
    if (category.isEmpty()) {
        const QStringList found = HVRFProductHelper::categoriesOfModel(line.model, type);
        if (found.size() > 1) {
            if (error)
                *error = TranslateString("The model \"%1\" is in several categories (%2): "
                                         "give the category.")
                             .arg(line.model, found.join(QStringLiteral(", ")));
            return false;
        }
        category = found.value(0);
    }
    bool found = false;
    std::unique_ptr<HUnit> unit(HVRFProductHelper::newOwnUnit(
        line.series, category, line.model, line.quantity, line.outdoor, nullptr, &found));
    if (!found) {
        if (error) {
            const bool otherKind =
                !HVRFProductHelper::categoriesOfModel(line.model, 1 - type).isEmpty();
            if (otherKind)
                *error = line.outdoor
                    ? TranslateString("\"%1\" is an indoor unit of the product database, not "
                                      "an outdoor unit.")
                          .arg(line.model)
                    : TranslateString("\"%1\" is an outdoor unit of the product database, not "
                                      "an indoor unit.")
                          .arg(line.model);
            else
                *error =
                    TranslateString("The product database has no %1 unit \"%2\"%3.")
                        .arg(line.outdoor ? TranslateString("outdoor") : TranslateString("indoor"),
                             line.model,
                             category.isEmpty()
                                 ? QString()
                                 : TranslateString(" in the category \"%1\"").arg(category));
        }
        return false;
    }
    systemOf(true)->append(unit.release());
    return true;
}

bool HProjectEditor::addOtherUnit(const UnitLine& line, QString* error)
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    for (double v : {line.capacityCooling, line.powerCooling, line.capacityHeating,
                     line.powerHeating, line.price})
        if (!nonNegative(v))
            return refuse(TranslateString("Capacities, power inputs and prices are numbers from "
                                          "0 up."));
    if (line.outdoor) {
        if (line.capacityCooling <= 0.0 && line.capacityHeating <= 0.0)
            return refuse(TranslateString("An outdoor unit needs a cooling or a heating "
                                          "capacity."));
        // A capacity without its power input would run for nothing.
        if ((line.capacityCooling > 0.0) != (line.powerCooling > 0.0))
            return refuse(TranslateString("Give the cooling capacity and the cooling power "
                                          "input together."));
        if ((line.capacityHeating > 0.0) != (line.powerHeating > 0.0))
            return refuse(TranslateString("Give the heating capacity and the heating power "
                                          "input together."));
    }
    auto* unit = new HUnit;
    unit->setis_odu(line.outdoor);
    unit->setunit_type(line.category);
    unit->setid_series(line.series);
    unit->setunit_productcode(line.model);
    unit->setquantity(line.quantity);
    unit->settotal_capacity_cooling(line.capacityCooling);
    unit->setpower_input_cooling(line.powerCooling);
    unit->settotal_capacity_heating(line.capacityHeating);
    unit->setpower_input_heating(line.powerHeating);
    unit->setprice_ea(line.price);
    systemOf(false)->append(unit);
    return true;
}

QVector<int> HProjectEditor::findLines(bool own, int outdoor, const QString& model) const
{
    QVector<int> lines;
    const HVRF* sys = systemOf(own);
    for (int i = 0; sys && i < sys->size(); ++i) {
        const HUnit* u = sys->at(i);
        if (outdoor >= 0 && u->Getis_odu() != (outdoor == 1))
            continue;
        if (!model.isEmpty() && u->Getunit_productcode() != model
            && !(own && u->Getunit_model() == model))
            continue;
        lines.append(i + 1);
    }
    return lines;
}

bool HProjectEditor::removeLine(bool own, int line, QString* error)
{
    HVRF* sys = systemOf(own);
    if (!sys || line < 1 || line > sys->size()) {
        if (error)
            *error = TranslateString("The %1 system has no unit line %2 (it has %3).")
                         .arg(own ? TranslateString("own") : TranslateString("other"))
                         .arg(line)
                         .arg(sys ? sys->size() : 0);
        return false;
    }
    sys->deleteUnit(sys->at(line - 1));
    m_changed.insert(systemKey(own));
    return true;
}

bool HProjectEditor::setSchedule(const QString& hours, const QString& weekdays,
                                 const QString& months, QString* error)
{
    QVector<bool> h, w, m;
    QString why;
    const char* part = nullptr;
    if (!hours.isNull() && !HRangeList(0, 23).parse(hours, &h, &why))
        part = QT_TRANSLATE_NOOP("Brivanta", "Hours of the day");
    else if (!weekdays.isNull()
             && !HRangeList(1, 7, HRangeList::weekdayNames()).parse(weekdays, &w, &why))
        part = QT_TRANSLATE_NOOP("Brivanta", "Days of the week");
    else if (!months.isNull()
             && !HRangeList(1, 12, HRangeList::monthNames()).parse(months, &m, &why))
        part = QT_TRANSLATE_NOOP("Brivanta", "Months");
    if (part) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(TranslateString(part), why);
        return false;
    }
    HProject* p = project();
    for (int i = 0; i < h.size(); ++i)
        p->setOperationDailyIsOn(i, h[i]);
    for (int i = 0; i < w.size(); ++i)
        p->setOperationWeeklyIsOn(i + 1, w[i]);
    for (int i = 0; i < m.size(); ++i)
        p->setOperationMonthlyIsOn(i + 1, m[i]);
    m_changed.insert(kOperationMap);
    return true;
}

bool HProjectEditor::parseDays(const QStringList& texts, QVector<MonthDay>* days, QString* error)
{
    QVector<MonthDay> result;
    for (const QString& text : texts) {
        const int dots = text.indexOf(QLatin1String(".."));
        MonthDay from, to;
        const bool ok = dots < 0
            ? parseDay(text, &from) && (to = from, true)
            : parseDay(text.left(dots), &from) && parseDay(text.mid(dots + 2), &to);
        if (!ok) {
            if (error)
                *error = TranslateString("\"%1\" is not a day (yyyy-MM-dd or MM-dd) or a range "
                                         "of days (FROM..TO).")
                             .arg(text);
            return false;
        }
        if (from == MonthDay(2, 29) || to == MonthDay(2, 29)) {
            if (error)
                *error = TranslateString("The project's year has no 29 February (%1).").arg(text);
            return false;
        }
        // A range over the end of the year runs on from 1 January.
        for (int n = dayNumber(from);; n = n % 365 + 1) {
            result.append(fromDayNumber(n));
            if (n == dayNumber(to))
                break;
        }
    }
    if (days)
        *days = result;
    return true;
}

void HProjectEditor::setHolidays(const QVector<MonthDay>& days, bool holiday)
{
    HYear* year = project()->getYear();
    for (const MonthDay& d : days) {
        HMonth* month = year ? year->getMonth(d.first) : nullptr;
        if (HDay* day = month ? month->getDay(d.second) : nullptr)
            day->setisHoliday(holiday);
    }
    m_changed.insert(kHoliday);
}

void HProjectEditor::clearHolidays()
{
    HYear* year = project()->getYear();
    for (int m = 1; year && m <= 12; ++m)
        for (HDay* day : *year->getMonth(m))
            day->setisHoliday(false);
    m_changed.insert(kHoliday);
}

int HProjectEditor::runningHours() const
{
    HProject* p = project();
    p->updateOperationInfoToYear();
    int hours = 0;
    if (const HYear* year = p->getYear())
        for (const HHour* hour : *year)
            hours += hour && hour->GetisTurnOnBySchedule() ? 1 : 0;
    return hours;
}

QJsonObject HProjectEditor::document() const
{
    const QJsonObject whole = HProjectFile::toJson(project());
    if (m_new)
        return whole;
    QJsonObject doc = m_original;
    for (const QString& key : m_changed)
        doc.insert(key, whole.value(key));
    return doc;
}

bool HProjectEditor::save(const QString& path, QString* error) const
{
    QString why;
    if (!HJsonFunc::jsonDocToFile(QJsonDocument(document()), path, QJsonDocument::Indented, &why)) {
        if (error)
            *error = TranslateString("Cannot save the project to %1: %2").arg(path, why);
        return false;
    }
    return true;
}

QStringList HProjectEditor::changedKeys() const
{
    QStringList keys = m_changed.values();
    keys.sort();
    return keys;
}
