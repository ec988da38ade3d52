#pragma once
#include <QString>
#include <QStringList>

class QComboBox;
class HUnit;
class HVRFProductStatements;

// Look-ups in the product energy-data table "__product_ec_data" of the process-wide
// product database (HDbFind::getDb()). Product type 0 = outdoor unit, 1 = indoor unit.
// Every text value is bound, never pasted into SQL.
class HVRFProductHelper
{
public:
    // Distinct categories in row order; empty when there is no database.
    static QStringList categoryList(int productType, bool* ok = nullptr);
    // oem_model texts of a category, in row order.
    static QStringList modelList(const QString& category, int productType, bool* ok = nullptr);

    // Distinct categories holding a product whose model or oem_model is `model`.
    static QStringList categoriesOfModel(const QString& model, int productType);

    // Combo fillers: an empty entry first, then the list; untouched without a database.
    static void getCategoryFromDb(QComboBox* combo, int productType);
    static void getModelFromDb(QComboBox* combo, const QString& category, int productType);

    // Fill a unit from the product row matching model or oem_model (seriesId -1 = any series).
    // Look-ups of many lines share `statements`; without it each call prepares its own.
    static bool getOutdoorUnitFromDb(int seriesId, const QString& category, const QString& model,
                                     HUnit* unit, HVRFProductStatements* statements = nullptr);
    static bool getIndoorUnitFromDb(int seriesId, const QString& category, const QString& model,
                                    HUnit* unit, HVRFProductStatements* statements = nullptr);

    // A new own-system unit line completed from the product database (project file
    // and imports): series, category, model and quantity as given, the rest from the
    // product row when one matches (`found` tells whether one did). The caller takes
    // ownership.
    static HUnit* newOwnUnit(int seriesId, const QString& category, const QString& model,
                             int quantity, bool odu, HVRFProductStatements* statements = nullptr,
                             bool* found = nullptr);
};
