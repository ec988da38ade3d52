#pragma once
// A project whose results are set by hand, and the independent reader of the
// workbooks (openpyxl through read_workbook.py), shared by the report tests.
#include "HProject.h"
#include "HStatItem.h"
#include "HStatResult.h"
#include "HVRF.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <cmath>

namespace reportfixture {

inline const QString kName = QStringLiteral("Lycée Nord — 北楼");
inline const QDate kDate(2024, 5, 17);

// Own monthly energy m x 100 + 0.25 kWh, other m x 150 + 0.5 kWh.
inline double ownMonth(int m)
{
    return m * 100.0 + 0.25;
}

inline double otherMonth(int m)
{
    return m * 150.0 + 0.5;
}

// Temperature bins of the own system: `count` bins with keys first, first + 1, ...;
// bin k counted k + 1 hours at a building load of 10 + k kW, outdoor units 2 x (k + 1)
// kWh, indoor units 0.5 x (k + 1) kWh.
inline void fillBins(HStatResult* stat, int first, int count)
{
    stat->resetTemp();
    for (int k = 0; k < count; ++k) {
        HStatItem* item = stat->getItemByTemp(first + k);
        QVERIFY(item);
        item->sethours(k + 1);
        item->setbuilding_load(10.0 + k);
        item->setodu_energy_consumption(2.0 * (k + 1));
        item->setidu_energy_consumption(0.5 * (k + 1));
    }
    stat->clearInvalidItem();
    QCOMPARE(stat->size(), count);
}

// One weather bin per degree from `first`: month j holds (i + 1) x (j + 1) hours.
inline QJsonArray weatherBins(int first, int count)
{
    QJsonArray bins;
    for (int i = 0; i < count; ++i) {
        QJsonArray months;
        int total = 0;
        for (int j = 0; j < 12; ++j) {
            months.append((i + 1) * (j + 1));
            total += (i + 1) * (j + 1);
        }
        bins.append(QJsonObject{
            {"temp_dot", first + i}, {"temp_times_month", months}, {"total_times", total}});
    }
    return bins;
}

inline HProject* makeProject(int cooling = 3, int heating = 2, int bins = 3)
{
    HProject::reset();
    HProject* p = HProject::getProject();
    p->setname(kName);
    p->setdate(kDate);
    p->setbuild_area(1600.0);
    p->setbuild_height(20.0);
    p->setnumber_floors(5);
    p->setcooling_peak_load(150.0);
    p->setheating_peak_load(120.0);
    p->setelectricity_price(0.2);
    p->setcountry(QStringLiteral("France"));
    p->setcity(QStringLiteral("Paris"));
    p->setmax_temp(31.5);
    p->setmin_temp(-4.5);
    p->setaverage_temp(28.0);
    for (int m = 1; m <= 12; ++m) {
        p->getOwnVRFSys()->setMonthEnergyConsumption(m, ownMonth(m));
        p->getOtherVRFSys()->setMonthEnergyConsumption(m, otherMonth(m));
    }
    fillBins(p->getOwnVRFSys()->getStatResultCooling(), 11, cooling);
    fillBins(p->getOwnVRFSys()->getStatResultHeating(), -5, heating);
    p->setWeatherStatisData(weatherBins(-3, bins));
    p->setisCalculationSuccess(true);
    return p;
}

struct Workbook
{
    QStringList sheets;
    QJsonObject cells;
    QJsonObject values;
    QJsonObject merged;
    QJsonObject charts;
    QJsonObject dimensions;

    QJsonValue at(const QString& sheet, const QString& address) const
    {
        return cells.value(sheet).toObject().value(address);
    }
    QJsonValue valueAt(const QString& sheet, const QString& address) const
    {
        return values.value(sheet).toObject().value(address);
    }
    QString text(const QString& sheet, const QString& address) const
    {
        return at(sheet, address).toString();
    }
    double number(const QString& sheet, const QString& address) const
    {
        return at(sheet, address).toDouble(std::nan(""));
    }
};

// Reads the workbook with openpyxl; an empty sheet list when that failed.
inline Workbook readWorkbook(const QString& path, const QStringList& options = {})
{
    Workbook wb;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(READ_WORKBOOK_SCRIPT), path} + options);
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return wb;
    }
    const QJsonObject json = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    for (const QJsonValue& v : json.value("sheets").toArray())
        wb.sheets << v.toString();
    wb.cells = json.value("cells").toObject();
    wb.values = json.value("values").toObject();
    wb.merged = json.value("merged").toObject();
    wb.charts = json.value("charts").toObject();
    wb.dimensions = json.value("dimensions").toObject();
    return wb;
}

inline QString cell(const QString& column, int row)
{
    return column + QString::number(row);
}

} // namespace reportfixture
