#include "HInitVRFProductECData.h"

#include "HDatabase.h"
#include "HDbFind.h"
#include "HJsonFunc.h"

#include <QDebug>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantList>

HInitVRFProductECData* HInitVRFProductECData::m_pInitVRFProductData = nullptr;
bool HInitVRFProductECData::m_registeredIsOwned = false;
const QString HInitVRFProductECData::ecTableName = QStringLiteral("__product_ec_data");

namespace {

const QString kProductIndex = QStringLiteral("__Product_idx");
const QString kSeries = QStringLiteral("__product_series");
const QString kRuleUnitType = QStringLiteral("__rule_unit_type");
const QString kIndoorPowerColumn = QStringLiteral("RatedPower+RatedPower+W");

// Value of a column looked up by name (case-insensitive); invalid when the column is absent.
QVariant columnValue(const QSqlQuery& q, const QString& name)
{
    const int i = q.record().indexOf(name);
    return i < 0 ? QVariant() : q.value(i);
}

// Bound text must never be a null QString: the driver would store NULL instead of ''.
QVariant boundText(const QString& s)
{
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}

// The table has always held its numbers in six significant digits.
double sixDigits(double v)
{
    return QString::number(v, 'g', 6).toDouble();
}

// "19TC" / "19PI": the design temperature in general format followed by the suffix.
QString designColumn(double temperature, const char* suffix)
{
    return QStringLiteral("%1%2").arg(temperature).arg(QLatin1String(suffix));
}

// Point array of one VKC table at one design condition; sets the rated pair from the
// 100 % row. Missing table or columns give an empty array.
QJsonArray readVKCPoints(HDatabase* db, const QString& table, const QString& tempColumn,
                         double designTemp, double indoorTemp, double* ratedTc, double* ratedPi,
                         bool* haveRated)
{
    QJsonArray points;
    const QString quoted = HDatabase::quoteIdentifier(table);
    const QString quotedTemp = HDatabase::quoteIdentifier(tempColumn);
    if (quoted.isEmpty() || quotedTemp.isEmpty())
        return points;
    // No existence check first: a missing table fails the query and yields no rows, while
    // a look-up in the schema for every table of every product slows the build severalfold.
    QSqlQuery q = db->query(
        QStringLiteral("select * from %1 where %2 > ? and %2 < ?").arg(quoted, quotedTemp),
        {designTemp - 0.2, designTemp + 0.2});
    const QSqlRecord rec = q.record();
    const int iPre = rec.indexOf(QStringLiteral("pre"));
    const int iTc = rec.indexOf(designColumn(indoorTemp, "TC"));
    const int iPi = rec.indexOf(designColumn(indoorTemp, "PI"));
    while (q.next()) {
        const double pre = iPre < 0 ? 0.0 : q.value(iPre).toDouble();
        const double tc = iTc < 0 ? 0.0 : q.value(iTc).toDouble();
        const double pi = iPi < 0 ? 0.0 : q.value(iPi).toDouble();
        if (qAbs(pre - 100.0) < 1.0) {
            *ratedTc = tc;
            *ratedPi = pi;
            *haveRated = true;
        }
        QJsonObject point;
        point.insert(QStringLiteral("precent"), pre);
        point.insert(QStringLiteral("tc"), tc);
        point.insert(QStringLiteral("pi"), pi);
        points.append(point);
    }
    return points;
}

QString arrayText(const QJsonArray& a)
{
    return HJsonFunc::jsonDocToText(QJsonDocument(a));
}

} // namespace

HInitVRFProductECData::HInitVRFProductECData()
{
    initOEMModel();
    m_pInitVRFProductData = this;
    m_registeredIsOwned = false;
    HDatabase* db = HDbFind::getDb();
    if (!db || db->tableIsExist(ecTableName))
        return;
    // Another kind of database (weather, say) would gain an empty table and pass for
    // a catalogue without products.
    if (!isProductCatalogue(db)) {
        qWarning() << "HInitVRFProductECData: not a product catalogue, nothing built";
        return;
    }
    if (!rebuildTable())
        qWarning() << "HInitVRFProductECData: building" << ecTableName
                   << "failed:" << db->lastError();
    calculate_temp();
}

HInitVRFProductECData::~HInitVRFProductECData()
{
    if (m_pInitVRFProductData == this) {
        m_pInitVRFProductData = nullptr;
        m_registeredIsOwned = false;
    }
}

HInitVRFProductECData* HInitVRFProductECData::getInitVRFProductData()
{
    if (!m_pInitVRFProductData) {
        new HInitVRFProductECData(); // registers itself
        m_registeredIsOwned = true;
    }
    return m_pInitVRFProductData;
}

void HInitVRFProductECData::reset()
{
    // Only an instance made here is deleted here; one constructed by a caller (the
    // program's start-up keeps one on its stack) is merely forgotten.
    HInitVRFProductECData* registered = m_pInitVRFProductData;
    const bool owned = m_registeredIsOwned;
    m_pInitVRFProductData = nullptr;
    m_registeredIsOwned = false;
    if (owned)
        delete registered;
}

QString HInitVRFProductECData::getOEMModel(const QString& code)
{
    return m_oemModel[code];
}

bool HInitVRFProductECData::isNotForSale(const QString& code)
{
    return m_notForSale[code];
}

bool HInitVRFProductECData::isProductCatalogue(HDatabase* db)
{
    return db && db->isVilidDatabase()
        && (db->tableIsExist(ecTableName)
            || (db->tableIsExist(kSeries) && db->tableIsExist(kProductIndex)));
}

QString HInitVRFProductECData::vkcPrefixFromCode(const QString& code)
{
    QString prefix = code;
    for (const QChar ch :
         {QLatin1Char('-'), QLatin1Char('('), QLatin1Char(')'), QLatin1Char(' '), QLatin1Char('/')})
        prefix.replace(ch, QLatin1Char('_'));
    return prefix;
}

QString HInitVRFProductECData::createTableStatement(const QString& table)
{
    return QStringLiteral("create table %1 (\t\t\t\t   id_series int                   "
                          ",product_type int                     "
                          ",odu_type varchar                    "
                          ",category varchar                   "
                          ",powersupply varchar                    "
                          ",sub_catalog varchar                    "
                          ",model varchar                    "
                          ",TC_C double                      "
                          ",PI_C double                      "
                          ",TC_H double                      "
                          ",PI_H double                      "
                          ",pre_tc_pi_data_c longtext                    "
                          ",pre_tc_pi_data_h longtext  \t\t\t\t  "
                          ",is_not_for_sale int                   "
                          ",oem_model varchar                    )")
        .arg(table);
}

void HInitVRFProductECData::initOEMModel()
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return;
    QSqlQuery q = db->query(QStringLiteral("select * from %1").arg(kProductIndex));
    const QSqlRecord rec = q.record();
    const int iCode = rec.indexOf(QStringLiteral("product_code"));
    const int iModel = rec.indexOf(QStringLiteral("model"));
    const int iFlag = rec.indexOf(QStringLiteral("is_not_for_sale"));
    if (iCode < 0)
        return;
    while (q.next()) {
        const QString code = q.value(iCode).toString();
        m_oemModel[code] = iModel < 0 ? QString() : q.value(iModel).toString();
        m_notForSale[code] = iFlag < 0 ? false : q.value(iFlag).toBool();
    }
}

bool HInitVRFProductECData::rebuildTable()
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;
    if (!db->transaction())
        return false;
    if (createTable() && calculate() && db->commit())
        return true;
    db->rollback();
    return false;
}

bool HInitVRFProductECData::createTable()
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;
    db->exec(QStringLiteral("drop table if exists %1").arg(ecTableName));
    return db->exec(createTableStatement(ecTableName));
}

bool HInitVRFProductECData::calculate()
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;

    QJsonArray records;
    readODUData(records);
    readIDUData(records);

    const QString insert =
        QStringLiteral("insert into %1 (product_type,odu_type,category,powersupply,model,TC_C,PI_C,"
                       "TC_H,PI_H,pre_tc_pi_data_c,pre_tc_pi_data_h,sub_catalog,id_series,"
                       "is_not_for_sale,oem_model) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
            .arg(ecTableName);

    m_waterSeries.clear();
    for (const QJsonValue& value : qAsConst(records)) {
        const QJsonObject r = value.toObject();
        const QString code = r.value(QStringLiteral("product_code")).toString();
        if (isNotForSale(code))
            continue;
        const int series = r.value(QStringLiteral("id_series")).toInt();
        if (isWaterModuleUnit(series))
            continue;

        auto text = [&r](const char* key) {
            return boundText(r.value(QLatin1String(key)).toString());
        };
        auto number = [&r](const char* key) {
            return sixDigits(r.value(QLatin1String(key)).toDouble());
        };
        // odu_type holds a number in the record; the table has always stored it as empty text.
        const QVariantList values{r.value(QStringLiteral("product_type")).toInt(),
                                  boundText(QString()),
                                  text("category"),
                                  text("powersupply"),
                                  boundText(code),
                                  number("tc_c"),
                                  number("pi_c"),
                                  number("tc_h"),
                                  number("pi_h"),
                                  text("data_c"),
                                  text("data_h"),
                                  text("sub_catalog"),
                                  series,
                                  r.value(QStringLiteral("is_not_for_sale")).toInt(),
                                  text("oem_model")};
        if (!db->exec(insert, values)) {
            qWarning() << "HInitVRFProductECData: insert of" << code
                       << "failed:" << db->lastError();
            return false;
        }
    }
    m_waterSeries.clear();
    return true;
}

void HInitVRFProductECData::readODUData(QJsonArray& out)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return;
    const QString sql = QStringLiteral("select * from %1 where [product_type] = 0").arg(kSeries);
    qDebug() << sql;
    QSqlQuery q = db->query(sql);
    if (q.record().count() == 0)
        return;
    while (q.next()) {
        QJsonObject series;
        series.insert(QStringLiteral("id_series"),
                      columnValue(q, QStringLiteral("id_series")).toInt());
        series.insert(QStringLiteral("product_type"), 0);
        series.insert(QStringLiteral("odu_type"),
                      columnValue(q, QStringLiteral("odu_type")).toInt());
        for (const char* key : {"category", "powersupply", "sub_catalog", "table_name"})
            series.insert(QLatin1String(key), columnValue(q, QLatin1String(key)).toString());
        const int notForSale = columnValue(q, QStringLiteral("is_not_for_sale")).toInt();
        series.insert(QStringLiteral("is_not_for_sale"), notForSale);
        if (notForSale == 1)
            continue;
        readODUTable(series.value(QStringLiteral("table_name")).toString(), series, out);
    }
}

void HInitVRFProductECData::readIDUData(QJsonArray& out)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return;
    const QString sql =
        QStringLiteral("select [id_series],[category],[odu_type],[powersupply],[sub_catalog],"
                       "[table_name],[is_not_for_sale] from %1 where [product_type] = 1")
            .arg(kSeries);
    qDebug() << sql;
    QSqlQuery q = db->query(sql);
    if (q.record().count() == 0)
        return;
    while (q.next()) {
        QJsonObject series;
        series.insert(QStringLiteral("id_series"), q.value(0).toInt());
        series.insert(QStringLiteral("product_type"), 1);
        series.insert(QStringLiteral("odu_type"), q.value(2).toInt());
        series.insert(QStringLiteral("category"), q.value(1).toString());
        series.insert(QStringLiteral("powersupply"), q.value(3).toString());
        series.insert(QStringLiteral("sub_catalog"), q.value(4).toString());
        series.insert(QStringLiteral("table_name"), q.value(5).toString());
        const int notForSale = q.value(6).toInt();
        series.insert(QStringLiteral("is_not_for_sale"), notForSale);
        if (notForSale == 1)
            continue;
        readIDUTable(q.value(5).toString(), series, out);
    }
}

void HInitVRFProductECData::readODUTable(const QString& tableName, const QJsonObject& series,
                                         QJsonArray& out)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return;
    const QString full = tableName.toLower();
    QString base = full;
    base.remove(QStringLiteral("_combination"));
    const QString quotedBase = HDatabase::quoteIdentifier(base);
    const QString quotedFull = HDatabase::quoteIdentifier(full);
    if (quotedBase.isEmpty() || quotedFull.isEmpty()) {
        qWarning() << "HInitVRFProductECData: refused product table name" << tableName;
        return;
    }

    // The series table is looked for under its name without "_combination" first; a
    // "_Combination" table is read when that fails. Without a prefix column the product
    // code gives the VKC prefix.
    struct Source
    {
        QString table;
        bool combination;
        bool prefixColumn;
    };
    const bool namedCombination = base != full;
    QVector<Source> sources{
        {quotedBase, false, true}, {quotedFull, true, true}, {quotedBase, namedCombination, false}};
    if (namedCombination)
        sources.append({quotedFull, true, false});

    QSqlQuery q;
    Source used{QString(), false, false};
    for (const Source& source : qAsConst(sources)) {
        const QString columns = source.prefixColumn
            ? QStringLiteral("[product_code],[vkc_table_name_prefix]")
            : QStringLiteral("[product_code]");
        q = db->query(QStringLiteral("select %1 from %2").arg(columns, source.table));
        if (q.record().count() == 0)
            continue;
        if (source.combination) {
            // Rows with a pipe kit are multi-module combinations: they must be read to be skipped.
            QSqlQuery withPipe = db->query(
                QStringLiteral("select %1,[com_pipe] from %2").arg(columns, source.table));
            if (withPipe.record().count() > 0)
                q = withPipe;
        }
        used = source;
        break;
    }
    if (used.table.isEmpty())
        return;

    const int iPipe = q.record().indexOf(QStringLiteral("com_pipe"));
    while (q.next()) {
        QJsonObject record = series;
        const QString code = q.value(0).toString();
        qDebug() << "product" << code;
        QString prefix = used.prefixColumn ? q.value(1).toString() : QString();
        if (prefix.isEmpty())
            prefix = vkcPrefixFromCode(code);
        record.insert(QStringLiteral("oem_model"), getOEMModel(code));
        record.insert(QStringLiteral("product_code"), code);
        if (used.combination && iPipe >= 0 && !q.value(iPipe).toString().isEmpty())
            continue;
        readODUVKCData(prefix, record);
        out.append(record);
    }
}

bool HInitVRFProductECData::readODUVKCData(const QString& prefix, QJsonObject& record)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;

    // One mode's table (prefix_C, prefix_H): its points as data_<mode>, and tc_/pi_<mode>
    // only when it has a 100 % row.
    const auto readMode = [&](const QString& mode, const QString& tempColumn, double designTemp,
                              double indoorTemp) {
        double tc = 0.0;
        double pi = 0.0;
        bool rated = false;
        const QJsonArray points =
            readVKCPoints(db, prefix + QLatin1Char('_') + mode.toUpper(), tempColumn, designTemp,
                          indoorTemp, &tc, &pi, &rated);
        if (rated) {
            record.insert(QStringLiteral("tc_") + mode, tc);
            record.insert(QStringLiteral("pi_") + mode, pi);
        }
        record.insert(QStringLiteral("data_") + mode, arrayText(points));
    };
    readMode(QStringLiteral("c"), QStringLiteral("db"), outdoor_dbt_summery, indoor_wbt_cooling);
    readMode(QStringLiteral("h"), QStringLiteral("wb"), outdoor_wbt_winter, indoor_dbt_heating);
    return true;
}

void HInitVRFProductECData::readIDUTable(const QString& tableName, const QJsonObject& series,
                                         QJsonArray& out)
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return;
    const QString quoted = HDatabase::quoteIdentifier(tableName);
    if (quoted.isEmpty()) {
        qWarning() << "HInitVRFProductECData: refused product table name" << tableName;
        return;
    }
    QSqlQuery q = db->query(QStringLiteral("select * from %1").arg(quoted));
    const QSqlRecord rec = q.record();
    const int iModel = rec.indexOf(QStringLiteral("model"));
    const int iCool = rec.indexOf(QStringLiteral("capacity_cooling_kw"));
    const int iHeat = rec.indexOf(QStringLiteral("capacity_heating_kw"));
    const int iPower = rec.indexOf(kIndoorPowerColumn);
    if (iModel < 0)
        return;
    while (q.next()) {
        QJsonObject record = series;
        const QString model = q.value(iModel).toString();
        record.insert(QStringLiteral("product_code"), model);
        record.insert(QStringLiteral("oem_model"), getOEMModel(model));
        record.insert(QStringLiteral("tc_c"), iCool < 0 ? 0.0 : q.value(iCool).toDouble());
        record.insert(QStringLiteral("tc_h"), iHeat < 0 ? 0.0 : q.value(iHeat).toDouble());
        // Indoor power stays in watts as stored; the look-up converts it.
        const double power = iPower < 0 ? 0.0 : q.value(iPower).toDouble();
        record.insert(QStringLiteral("pi_c"), power);
        record.insert(QStringLiteral("pi_h"), power);
        out.append(record);
    }
}

bool HInitVRFProductECData::isWaterModuleUnit(int series)
{
    const auto cached = m_waterSeries.constFind(series);
    if (cached != m_waterSeries.constEnd())
        return cached.value();
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;
    QSqlQuery q = db->query(
        QStringLiteral("select [is_water_series] from %1 where [id_series] = ?").arg(kRuleUnitType),
        {series});
    const bool water = q.next() && q.value(0).toBool();
    m_waterSeries.insert(series, water);
    return water;
}

bool HInitVRFProductECData::calculate_temp()
{
    HDatabase* db = HDbFind::getDb();
    if (!db)
        return false;

    QMap<QString, QString> vkcTables; // ID as decimal text -> VKC prefix, in text order
    {
        QSqlQuery q = db->query(
            QStringLiteral("select * from %1 where [product_type] = 0 and [vkc_table] <> ''")
                .arg(ecTableName));
        const QSqlRecord rec = q.record();
        const int iId = rec.indexOf(QStringLiteral("ID"));
        const int iVkc = rec.indexOf(QStringLiteral("vkc_table"));
        if (iId < 0 || iVkc < 0)
            return true;
        while (q.next())
            vkcTables.insert(QString::number(q.value(iId).toLongLong()), q.value(iVkc).toString());
    }
    if (vkcTables.isEmpty())
        return true;

    const bool ownTransaction = db->transaction();
    const QString update =
        QStringLiteral("update %1 set [pre_tc_pi_data_c] = ?,[pre_tc_pi_data_h] = ? where [ID] = ?")
            .arg(ecTableName);
    for (auto it = vkcTables.cbegin(); it != vkcTables.cend(); ++it) {
        QJsonObject record;
        readODUVKCData(it.value(), record);
        const QVariantList values{boundText(record.value(QStringLiteral("data_c")).toString()),
                                  boundText(record.value(QStringLiteral("data_h")).toString()),
                                  it.key().toLongLong()};
        if (!db->exec(update, values)) {
            qWarning() << "HInitVRFProductECData: update of ID" << it.key()
                       << "failed:" << db->lastError();
            if (ownTransaction)
                db->rollback();
            return false;
        }
    }
    return ownTransaction ? db->commit() : true;
}
