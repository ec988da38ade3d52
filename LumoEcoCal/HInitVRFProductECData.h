#pragma once
#include "LumoEcoCalExport.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

class HDatabase;

// Builds the flat energy-data table "__product_ec_data" of the product database
// (HDbFind::getDb()) from the per-series product tables and the outdoor units'
// capacity/power ("VKC") tables, and answers two look-ups from "__Product_idx".
class LUMOECOCAL_EXPORT HInitVRFProductECData
{
public:
    // Fills the look-up maps, registers this instance and builds the table when the
    // database has none. Nothing is written without a database, nor into a database
    // that is not a product catalogue (isProductCatalogue).
    HInitVRFProductECData();
    ~HInitVRFProductECData();
    HInitVRFProductECData(const HInitVRFProductECData&) = delete;
    HInitVRFProductECData& operator=(const HInitVRFProductECData&) = delete;

    // The registered instance; one is made (and owned here) when none is registered.
    static HInitVRFProductECData* getInitVRFProductData();
    // Forgets the registered instance, deleting it only when getInitVRFProductData() made it.
    static void reset();

    // Model text of "__Product_idx" for a product code; empty for an unknown code.
    QString getOEMModel(const QString& code);
    // Not-for-sale flag of "__Product_idx"; false for an unknown code.
    bool isNotForSale(const QString& code);

    // Drops and creates the table. False without a database or when the table
    // cannot be created.
    bool createTable();
    // Inserts one row per product; stops and returns false at the first failed insert.
    bool calculate();
    // Recomputes the point texts of rows of a delivered table that name a VKC table
    // (columns ID and vkc_table); a table built here has neither and is left as it is.
    bool calculate_temp();

    // Drop, create and fill in one transaction: the table exists whole or not at all.
    bool rebuildTable();

    // Whether `db` is a product catalogue: it holds the energy-data table, or the
    // series and product index tables it is built from.
    static bool isProductCatalogue(HDatabase* db);

    // VKC table prefix of a product code: "-", "(", ")", " " and "/" become "_".
    static QString vkcPrefixFromCode(const QString& code);
    // The create statement of the energy-data table with the given (quoted) table name.
    static QString createTableStatement(const QString& table);

    static const QString ecTableName; // "__product_ec_data"

    // Design conditions of the extracted rated values and part-load points.
    static constexpr double outdoor_dbt_summery = 35.0;
    static constexpr double indoor_wbt_cooling = 19.0;
    static constexpr double outdoor_wbt_winter = 6.0;
    static constexpr double indoor_dbt_heating = 20.0;

private:
    void initOEMModel();
    void readODUData(QJsonArray& out);
    void readIDUData(QJsonArray& out);
    void readODUTable(const QString& tableName, const QJsonObject& series, QJsonArray& out);
    void readIDUTable(const QString& tableName, const QJsonObject& series, QJsonArray& out);
    bool readODUVKCData(const QString& prefix, QJsonObject& record);
    bool isWaterModuleUnit(int series);

    QMap<QString, QString> m_oemModel;
    QMap<QString, bool> m_notForSale;
    QHash<int, bool> m_waterSeries; // filled during one calculate()

    static HInitVRFProductECData* m_pInitVRFProductData;
    static bool m_registeredIsOwned;
};
