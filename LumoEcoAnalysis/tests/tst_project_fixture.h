#pragma once
// A small product database with an energy-data table, for the project file and
// import tests: two outdoor products (one with apostrophes) and one indoor product.

#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace projectfixture {

struct Product
{
    int type; // 0 outdoor, 1 indoor
    int series;
    const char* category;
    const char* model;
    const char* oemModel;
    double tcC, piC, tcH, piH; // indoor power in W, as the table holds it
};

inline const Product products[] = {
    {0, 7, "VX test", "T-ODU100", "Test ODU 28", 28.0, 7.0, 31.5, 7.5},
    {0, 8, "Chef's line", "O'Neil-56", "O'Neil 56", 56.0, 14.0, 63.0, 15.0},
    {1, 20, "Cassette", "T-CF28", "Test Cassette 28", 2.8, 45.0, 3.2, 50.0},
};

// Part-load points 30 %..130 % of a unit with the given rated capacity and input.
inline QString points(double tc, double pi)
{
    QJsonArray a;
    for (int p = 30; p <= 130; p += 10) {
        QJsonObject o;
        o.insert("precent", p);
        o.insert("tc", tc * p / 100.0);
        o.insert("pi", pi * (0.25 + 0.75 * p / 100.0));
        a.append(o);
    }
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

// Creates the database file and registers it as the product database.
inline bool createProductDb(const QString& path)
{
    {
        HDatabase db;
        if (!db.createDatabase(path))
            return false;
        if (!db.exec(
                HInitVRFProductECData::createTableStatement(HInitVRFProductECData::ecTableName)))
            return false;
        for (const Product& p : products) {
            const bool odu = p.type == 0;
            if (!db.exec(QStringLiteral("insert into __product_ec_data (id_series, product_type, "
                                        "category, model, oem_model, TC_C, PI_C, TC_H, PI_H, "
                                        "pre_tc_pi_data_c, pre_tc_pi_data_h, is_not_for_sale) "
                                        "values (?,?,?,?,?,?,?,?,?,?,?,0)"),
                         {p.series, p.type, QString::fromUtf8(p.category),
                          QString::fromUtf8(p.model), QString::fromUtf8(p.oemModel), p.tcC, p.piC,
                          p.tcH, p.piH, odu ? points(p.tcC, p.piC) : QString(),
                          odu ? points(p.tcH, p.piH) : QString()}))
                return false;
        }
        db.closeDatabase();
    }
    HDbFind::setDbFileAndPwd(path, QString());
    return HDbFind::getDb() != nullptr;
}

} // namespace projectfixture
