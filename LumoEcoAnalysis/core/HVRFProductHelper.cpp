#include "HVRFProductHelper.h"

#include "HDatabase.h"
#include "HDbFind.h"
#include "HJsonFunc.h"
#include "HUnit.h"
#include "HVRFProductStatements.h"

#include <QComboBox>
#include <QDebug>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kEcTable = QStringLiteral("__product_ec_data");

// Column by name, case-insensitive; invalid when absent.
QVariant columnValue(const QSqlRecord& row, const QString& name)
{
    const int i = row.indexOf(name);
    return i < 0 ? QVariant() : row.value(i);
}

// The model text shown for a product; a product missing from the index has no OEM
// model, and its code stands in so that it can still be chosen and found.
QString shownModel(const QString& oemModel, const QString& code)
{
    return oemModel.isEmpty() ? code : oemModel;
}

QJsonArray pointArray(const QString& text)
{
    QJsonDocument doc;
    HJsonFunc::parseTextToJsonDoc(text, doc);
    return doc.array();
}

bool findProduct(int productType, int seriesId, const QString& category, const QString& model,
                 HUnit* unit, HVRFProductStatements* statements)
{
    HDatabase* db = HDbFind::getDb();
    if (!db || !unit)
        return false;
    if (category.isEmpty() || model.isEmpty()) {
        // The reset forgets the numbers, not whether the line is an outdoor unit.
        unit->reset(true);
        unit->setis_odu(productType == 0);
        return false;
    }

    QString sql;
    QVariantList values{productType};
    if (seriesId == -1) {
        sql = QStringLiteral("select * from %1 where [product_type] = ? and [category] = ? and "
                             "([model] = ? or [oem_model] = ?)");
        values << category;
    } else {
        sql = QStringLiteral("select * from %1 where [product_type] = ? and [id_series] = ? and "
                             "([model] = ? or [oem_model] = ?)");
        values << seriesId;
    }
    sql = sql.arg(kEcTable);
    values << model << model;
    qDebug() << sql << values;

    const bool outdoor = productType == 0;
    unit->setis_odu(outdoor);
    HVRFProductStatements oneOff;
    QSqlQuery& q = (statements ? statements : &oneOff)->run(db, sql, values);
    if (!q.next())
        return false;
    const QSqlRecord row = q.record(); // the current row with its values

    unit->setid_series(seriesId == -1 ? columnValue(row, QStringLiteral("id_series")).toInt()
                                      : seriesId);
    unit->setunit_type(category);
    unit->setunit_productcode(model);
    if (unit->Getquantity() <= 0)
        unit->setquantity(1);
    unit->setunit_model(shownModel(columnValue(row, QStringLiteral("oem_model")).toString(),
                                   columnValue(row, QStringLiteral("model")).toString()));
    unit->settotal_capacity_cooling(columnValue(row, QStringLiteral("TC_C")).toDouble());
    unit->settotal_capacity_heating(columnValue(row, QStringLiteral("TC_H")).toDouble());
    // Indoor power inputs are stored in watts, outdoor ones in kilowatts.
    const double powerScale = outdoor ? 1.0 : 0.001;
    unit->setpower_input_cooling(columnValue(row, QStringLiteral("PI_C")).toDouble() * powerScale);
    unit->setpower_input_heating(columnValue(row, QStringLiteral("PI_H")).toDouble() * powerScale);
    if (outdoor) {
        unit->setjsonArrayData_c(
            pointArray(columnValue(row, QStringLiteral("pre_tc_pi_data_c")).toString()));
        unit->setjsonArrayData_h(
            pointArray(columnValue(row, QStringLiteral("pre_tc_pi_data_h")).toString()));
    }
    return true;
}

void setOk(bool* ok, bool value)
{
    if (ok)
        *ok = value;
}

} // namespace

QStringList HVRFProductHelper::categoryList(int productType, bool* ok)
{
    setOk(ok, false);
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return {};
    QSqlQuery q = db->query(
        QStringLiteral("select DISTINCT [category] from %1 where [product_type] = ?").arg(kEcTable),
        {productType});
    setOk(ok, q.record().count() > 0);
    QStringList categories;
    while (q.next())
        categories << q.value(0).toString();
    return categories;
}

QStringList HVRFProductHelper::modelList(const QString& category, int productType, bool* ok)
{
    setOk(ok, false);
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return {};
    QSqlQuery q = db->query(QStringLiteral("select [model],[oem_model] from %1 where "
                                           "[product_type] = ? and [category] = ?")
                                .arg(kEcTable),
                            {productType, category});
    setOk(ok, q.record().count() > 0);
    QStringList models;
    while (q.next())
        models << shownModel(q.value(1).toString(), q.value(0).toString());
    return models;
}

QStringList HVRFProductHelper::categoriesOfModel(const QString& model, int productType)
{
    HDatabase* db = HDbFind::getDb();
    if (!db || model.isEmpty())
        return {};
    QSqlQuery q =
        db->query(QStringLiteral("select DISTINCT [category] from %1 where "
                                 "[product_type] = ? and ([model] = ? or [oem_model] = ?)")
                      .arg(kEcTable),
                  {productType, model, model});
    QStringList categories;
    while (q.next())
        categories << q.value(0).toString();
    return categories;
}

void HVRFProductHelper::getCategoryFromDb(QComboBox* combo, int productType)
{
    if (!combo || !HDbFind::getDb())
        return;
    combo->clear();
    combo->addItem(QString());
    combo->addItems(categoryList(productType));
}

void HVRFProductHelper::getModelFromDb(QComboBox* combo, const QString& category, int productType)
{
    if (!combo || !HDbFind::getDb())
        return;
    combo->clear();
    combo->addItem(QString());
    combo->addItems(modelList(category, productType));
}

bool HVRFProductHelper::getOutdoorUnitFromDb(int seriesId, const QString& category,
                                             const QString& model, HUnit* unit,
                                             HVRFProductStatements* statements)
{
    return findProduct(0, seriesId, category, model, unit, statements);
}

bool HVRFProductHelper::getIndoorUnitFromDb(int seriesId, const QString& category,
                                            const QString& model, HUnit* unit,
                                            HVRFProductStatements* statements)
{
    return findProduct(1, seriesId, category, model, unit, statements);
}

HUnit* HVRFProductHelper::newOwnUnit(int seriesId, const QString& category, const QString& model,
                                     int quantity, bool odu, HVRFProductStatements* statements,
                                     bool* found)
{
    auto* unit = new HUnit;
    unit->setid_series(seriesId);
    unit->setunit_type(category);
    unit->setunit_productcode(model);
    unit->setquantity(quantity);
    const bool inDatabase = odu ? getOutdoorUnitFromDb(seriesId, category, model, unit, statements)
                                : getIndoorUnitFromDb(seriesId, category, model, unit, statements);
    if (found)
        *found = inDatabase;
    unit->setis_odu(odu);
    return unit;
}
