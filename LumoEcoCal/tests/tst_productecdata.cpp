#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct VkcRow
{
    double temperature; // db for cooling, wb for heating
    double pre;
    double tc;
    double pi;
};

} // namespace

Q_DECLARE_METATYPE(VkcRow)

namespace {

// Statements creating one VKC table with the design-condition columns only.
QStringList vkcTable(const QString& table, bool cooling, const QVector<VkcRow>& rows)
{
    const QString t = cooling ? QStringLiteral("db") : QStringLiteral("wb");
    const QString c = cooling ? QStringLiteral("19") : QStringLiteral("20");
    QStringList sql{QStringLiteral("create table [%1] ([%2] double, pre double, [%3TC] double, "
                                   "[%3PI] double)")
                        .arg(table, t, c)};
    for (const VkcRow& r : rows)
        sql << QStringLiteral("insert into [%1] values (%2, %3, %4, %5)")
                   .arg(table)
                   .arg(r.temperature)
                   .arg(r.pre)
                   .arg(r.tc)
                   .arg(r.pi);
    return sql;
}

// Index, series and water-rule tables with the given extra statements.
QStringList baseSchema()
{
    return {
        "create table __Product_idx (product_code varchar, model varchar, is_not_for_sale int)",
        "create table __product_series (id_series int, product_type int, odu_type int, category "
        "varchar, powersupply varchar, sub_catalog varchar, table_name varchar, is_not_for_sale "
        "int)",
        "create table __rule_unit_type (id_series int, is_water_series boolean)",
    };
}

// A small catalogue that holds every layout the build reads.
QStringList catalogue()
{
    QStringList sql = baseSchema();
    sql << "insert into __product_series values (1, 0, 1, 'VX', '380V', 'sub', 'ODU_A', 0)"
        << "insert into __product_series values (2, 0, 1, 'Legacy', '380V', 'sub', 'ODU_B', 1)"
        << "insert into __product_series values (3, 0, 1, 'Water', '380V', 'sub', 'ODU_W', 0)"
        << "insert into __product_series values (4, 0, 1, 'Combined', '380V', 'sub', "
           "'ODU_C_Combination', 0)"
        << "insert into __product_series values (5, 0, 1, 'Combined bare', '380V', 'sub', "
           "'ODU_D_Combination', 0)"
        << "insert into __product_series values (6, 0, 1, 'Both', '380V', 'sub', "
           "'ODU_E_Combination', 0)"
        << "insert into __product_series values (10, 1, 0, 'Cassette', '230V', 'cas', 'IDU_K', 0)"
        << "insert into __product_series values (11, 1, 0, 'Old cassette', '230V', 'cas', "
           "'IDU_OLD', 1)"
        << "insert into __rule_unit_type values (1, 0)"
        << "insert into __rule_unit_type values (3, 1)"
        // outdoor table with a prefix column; A-3 has an empty prefix, A-4 no VKC tables
        << "create table ODU_A (product_code varchar, vkc_table_name_prefix varchar)"
        << "insert into ODU_A values ('A-1', 'VKC_A1'), ('A-2', 'VKC_A2'), ('A-3', ''), "
           "('A-4', 'VKC_NONE')"
        << "create table ODU_B (product_code varchar, vkc_table_name_prefix varchar)"
        << "insert into ODU_B values ('B-1', 'VKC_A1')"
        << "create table ODU_W (product_code varchar, vkc_table_name_prefix varchar)"
        << "insert into ODU_W values ('W-1', 'VKC_A1')"
        // combination tables: with and without a prefix column
        << "create table ODU_C_Combination (product_code varchar, vkc_table_name_prefix varchar, "
           "com_pipe varchar)"
        << "insert into ODU_C_Combination values ('C-1', 'VKC_A1', ''), ('C-2', 'VKC_A1', 'kit')"
        << "create table ODU_D_Combination (product_code varchar, com_pipe varchar)"
        << "insert into ODU_D_Combination values ('AB-12(3) /X', ''), ('D-2', 'kit 2')"
        // the plain table is read before the _Combination one
        << "create table ODU_E (product_code varchar, vkc_table_name_prefix varchar)"
        << "insert into ODU_E values ('E-1', 'VKC_A1')"
        << "create table ODU_E_Combination (product_code varchar, vkc_table_name_prefix varchar, "
           "com_pipe varchar)"
        << "insert into ODU_E_Combination values ('E-2', 'VKC_A1', '')"
        << "create table IDU_K (model varchar, capacity_cooling_kw double, capacity_heating_kw "
           "double, \"RatedPower+RatedPower+W\" double)"
        << "insert into IDU_K values ('K-28', 2.8, 3.2, 45), ('O''Brien-36', 3.6, 4.0, 52)"
        << "create table IDU_OLD (model varchar, capacity_cooling_kw double, capacity_heating_kw "
           "double, \"RatedPower+RatedPower+W\" double)"
        << "insert into IDU_OLD values ('OLD-28', 2.8, 3.2, 45)"
        << "insert into __Product_idx values ('A-1', 'Demo A1', 0), ('A-2', 'Demo A2', 1), "
           "('A-3', 'Demo A3', 0), ('K-28', 'Demo K28', 0), ('O''Brien-36', 'Ki''ds 36', 0), "
           "('AB-12(3) /X', 'Demo AB', 0)";
    sql << vkcTable("VKC_A1_C", true, {{35, 50, 14, 2.5}, {35, 100, 28, 7}, {30, 100, 30, 6}})
        << vkcTable("VKC_A1_H", false, {{6, 100, 32, 7.5}, {-7, 100, 24, 8}})
        << vkcTable("A_3_C", true, {{35, 100, 33.5, 8.1}})
        << vkcTable("A_3_H", false, {{6, 100, 37.5, 8.7}})
        << vkcTable("AB_12_3___X_C", true, {{35, 100, 40, 9.5}})
        << vkcTable("AB_12_3___X_H", false, {{6, 100, 45, 10.5}});
    return sql;
}

bool makeDatabase(const QString& path, const QStringList& statements)
{
    HDatabase db;
    if (!db.createDatabase(path) || !db.transaction())
        return false;
    for (const QString& s : statements) {
        if (!db.exec(s)) {
            qWarning() << s << db.lastError();
            return false;
        }
    }
    return db.commit();
}

struct EcRow
{
    bool found = false;
    int productType = -1;
    int idSeries = -1;
    QString category;
    QString oemModel;
    double tcC = 0, piC = 0, tcH = 0, piH = 0;
    QString dataC, dataH;
};

EcRow ecRow(const QString& model)
{
    EcRow row;
    QSqlQuery q = HDbFind::getDb()->query(
        QStringLiteral("select * from __product_ec_data where [model] = ?"), {model});
    if (!q.next())
        return row;
    row.found = true;
    row.productType = q.value("product_type").toInt();
    row.idSeries = q.value("id_series").toInt();
    row.category = q.value("category").toString();
    row.oemModel = q.value("oem_model").toString();
    row.tcC = q.value("TC_C").toDouble();
    row.piC = q.value("PI_C").toDouble();
    row.tcH = q.value("TC_H").toDouble();
    row.piH = q.value("PI_H").toDouble();
    row.dataC = q.value("pre_tc_pi_data_c").toString();
    row.dataH = q.value("pre_tc_pi_data_h").toString();
    return row;
}

int countRows(const QString& where = QString())
{
    QSqlQuery q = HDbFind::getDb()->query(
        QStringLiteral("select count(*) from __product_ec_data %1").arg(where));
    return q.next() ? q.value(0).toInt() : -1;
}

QJsonArray points(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).array();
}

} // namespace

class TestProductEcData : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void productRows_data();
    void productRows();
    void designConditionRows_data();
    void designConditionRows();
    void prefixFromCode_data();
    void prefixFromCode();
    void columnNamesInAnyCase();
    void existingTableIsLeftAlone();
    void failedBuildLeavesPreviousState_data();
    void failedBuildLeavesPreviousState();
    void deliveredTableWithVkcColumnIsRecomputed_data();
    void deliveredTableWithVkcColumnIsRecomputed();
    void noDatabaseWritesNothing();
    void otherDatabaseIsNotWrittenInto_data();
    void otherDatabaseIsNotWrittenInto();
    void registration();
    void demoCatalogue();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestProductEcData::init()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("Product-%1.mdb").arg(QTest::currentTestFunction()));
    if (QTest::currentDataTag())
        m_path.replace(".mdb", QStringLiteral("-%1.mdb").arg(qHash(QTest::currentDataTag())));
    QFile::remove(m_path);
    HDbFind::setDbFileAndPwd(m_path, QString());
}

void TestProductEcData::cleanup()
{
    HInitVRFProductECData::reset();
    HDbFind::close();
}

void TestProductEcData::productRows_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("productType");
    QTest::addColumn<QString>("oemModel");
    QTest::addColumn<double>("tcC");
    QTest::addColumn<double>("piC");
    QTest::addColumn<double>("tcH");
    QTest::addColumn<double>("piH");
    QTest::addColumn<int>("coolingPoints");

    QTest::newRow("outdoor with prefix column")
        << "A-1" << true << 0 << "Demo A1" << 28.0 << 7.0 << 32.0 << 7.5 << 2;
    QTest::newRow("product flagged not for sale")
        << "A-2" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("empty prefix falls back to code")
        << "A-3" << true << 0 << "Demo A3" << 33.5 << 8.1 << 37.5 << 8.7 << 1;
    QTest::newRow("no VKC tables: zeros, empty points")
        << "A-4" << true << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("series not for sale")
        << "B-1" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("water series") << "W-1" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("combination row without pipe kit")
        << "C-1" << true << 0 << "" << 28.0 << 7.0 << 32.0 << 7.5 << 2;
    QTest::newRow("combination row with pipe kit")
        << "C-2" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("combination table without prefix column")
        << "AB-12(3) /X" << true << 0 << "Demo AB" << 40.0 << 9.5 << 45.0 << 10.5 << 1;
    QTest::newRow("combination kit row without prefix column")
        << "D-2" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("plain table read before combination table")
        << "E-1" << true << 0 << "" << 28.0 << 7.0 << 32.0 << 7.5 << 2;
    QTest::newRow("combination table shadowed by plain table")
        << "E-2" << false << 0 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("indoor power in watts")
        << "K-28" << true << 1 << "Demo K28" << 2.8 << 45.0 << 3.2 << 45.0 << 0;
    QTest::newRow("apostrophes stored exactly")
        << "O'Brien-36" << true << 1 << "Ki'ds 36" << 3.6 << 52.0 << 4.0 << 52.0 << 0;
    QTest::newRow("indoor series not for sale")
        << "OLD-28" << false << 1 << "" << 0.0 << 0.0 << 0.0 << 0.0 << 0;
}

void TestProductEcData::productRows()
{
    QFETCH(QString, code);
    QFETCH(bool, present);
    QFETCH(int, productType);
    QFETCH(QString, oemModel);
    QFETCH(double, tcC);
    QFETCH(double, piC);
    QFETCH(double, tcH);
    QFETCH(double, piH);
    QFETCH(int, coolingPoints);

    QVERIFY(makeDatabase(m_path, catalogue()));
    HInitVRFProductECData data;
    QVERIFY(HDbFind::getDb()->tableIsExist("__product_ec_data"));
    QCOMPARE(countRows(), 8); // C-1, AB-12(3) /X, E-1, K-28, O'Brien-36

    const EcRow row = ecRow(code);
    QCOMPARE(row.found, present);
    if (!present)
        return;
    QCOMPARE(row.productType, productType);
    QCOMPARE(row.oemModel, oemModel);
    BRIVANTA_COMPARE_NEAR(row.tcC, tcC, 1e-9);
    BRIVANTA_COMPARE_NEAR(row.piC, piC, 1e-9);
    BRIVANTA_COMPARE_NEAR(row.tcH, tcH, 1e-9);
    BRIVANTA_COMPARE_NEAR(row.piH, piH, 1e-9);
    if (productType == 1) {
        // indoor units carry no points
        QCOMPARE(row.dataC, QString(""));
        QCOMPARE(row.dataH, QString(""));
        QVERIFY(!row.dataC.isNull());
    } else {
        const QJsonArray c = points(row.dataC);
        QCOMPARE(c.size(), coolingPoints);
        QVERIFY(!row.dataH.isEmpty());
        if (coolingPoints > 0) {
            const QJsonObject last = c.last().toObject();
            QCOMPARE(last.value("precent").toDouble(), 100.0);
            BRIVANTA_COMPARE_NEAR(last.value("tc").toDouble(), tcC, 1e-9);
            BRIVANTA_COMPARE_NEAR(last.value("pi").toDouble(), piC, 1e-9);
        } else {
            QCOMPARE(row.dataC, QString("[]"));
        }
    }
}

void TestProductEcData::designConditionRows_data()
{
    QTest::addColumn<bool>("cooling");
    QTest::addColumn<QVector<VkcRow>>("rows");
    QTest::addColumn<int>("expectedPoints");
    QTest::addColumn<double>("ratedTc");
    QTest::addColumn<double>("ratedPi");

    QTest::newRow("db 34.8 and 35.2 are outside")
        << true << QVector<VkcRow>{{34.8, 100, 10, 2}, {35.2, 100, 11, 3}} << 0 << 0.0 << 0.0;
    QTest::newRow("db 34.9 and 35.1 inside, later 100 % row wins")
        << true << QVector<VkcRow>{{34.9, 100, 10, 2}, {35.1, 100, 12, 3}} << 2 << 12.0 << 3.0;
    QTest::newRow("pre 99.5 is the rated row")
        << true << QVector<VkcRow>{{35, 99.5, 20, 5}} << 1 << 20.0 << 5.0;
    QTest::newRow("pre 98.9 is not the rated row")
        << true << QVector<VkcRow>{{35, 98.9, 20, 5}, {35, 50, 10, 2}} << 2 << 0.0 << 0.0;
    QTest::newRow("wb 5.8 and 6.2 are outside")
        << false << QVector<VkcRow>{{5.8, 100, 10, 2}, {6.2, 100, 11, 3}} << 0 << 0.0 << 0.0;
    QTest::newRow("wb 6 with part load points")
        << false << QVector<VkcRow>{{6, 30, 9, 1.5}, {6, 100, 30, 7}, {6, 130, 38, 10}} << 3 << 30.0
        << 7.0;
}

void TestProductEcData::designConditionRows()
{
    QFETCH(bool, cooling);
    QFETCH(QVector<VkcRow>, rows);
    QFETCH(int, expectedPoints);
    QFETCH(double, ratedTc);
    QFETCH(double, ratedPi);

    QStringList sql = baseSchema();
    sql << "insert into __product_series values (1, 0, 1, 'VX', '380V', 'sub', 'ODU', 0)"
        << "create table ODU (product_code varchar)"
        << "insert into ODU values ('P-1')" << vkcTable(cooling ? "P_1_C" : "P_1_H", cooling, rows);
    QVERIFY(makeDatabase(m_path, sql));
    HInitVRFProductECData data;

    const EcRow row = ecRow("P-1");
    QVERIFY(row.found);
    const QJsonArray pts = points(cooling ? row.dataC : row.dataH);
    QCOMPARE(pts.size(), expectedPoints);
    BRIVANTA_COMPARE_NEAR(cooling ? row.tcC : row.tcH, ratedTc, 1e-9);
    BRIVANTA_COMPARE_NEAR(cooling ? row.piC : row.piH, ratedPi, 1e-9);
    // the other mode has no table: no points, no rated values
    QCOMPARE(cooling ? row.dataH : row.dataC, QString("[]"));
}

void TestProductEcData::prefixFromCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("every replaced character") << "AB-12(3) /X"
                                              << "AB_12_3___X";
    QTest::newRow("plain code unchanged") << "QMVX080"
                                          << "QMVX080";
    QTest::newRow("other characters kept") << "A+B.1'x"
                                           << "A+B.1'x";
}

void TestProductEcData::prefixFromCode()
{
    QFETCH(QString, code);
    QFETCH(QString, prefix);
    QCOMPARE(HInitVRFProductECData::vkcPrefixFromCode(code), prefix);
}

// Delivered databases do not agree on the case of column names; every column is
// found whatever its case.
void TestProductEcData::columnNamesInAnyCase()
{
    const QStringList sql{
        "create table __Product_idx (PRODUCT_CODE varchar, Model varchar, IS_NOT_FOR_SALE int)",
        "create table __product_series (ID_SERIES int, PRODUCT_TYPE int, ODU_TYPE int, CATEGORY "
        "varchar, POWERSUPPLY varchar, SUB_CATALOG varchar, TABLE_NAME varchar, IS_NOT_FOR_SALE "
        "int)",
        "create table __rule_unit_type (ID_SERIES int, IS_WATER_SERIES boolean)",
        "insert into __product_series values (1, 0, 1, 'VX', '380V', 'sub', 'ODU', 0)",
        "insert into __product_series values (2, 0, 1, 'Water', '380V', 'sub', 'ODU_W', 0)",
        "insert into __product_series values (3, 0, 1, 'Legacy', '380V', 'sub', 'ODU_L', 1)",
        "insert into __product_series values (10, 1, 0, 'Cassette', '230V', 'cas', 'IDU', 0)",
        "insert into __rule_unit_type values (2, 1)",
        "create table ODU (PRODUCT_CODE varchar, VKC_TABLE_NAME_PREFIX varchar)",
        "insert into ODU values ('U-1', 'VKC_U'), ('U-2', 'VKC_U')",
        "create table ODU_W (PRODUCT_CODE varchar, VKC_TABLE_NAME_PREFIX varchar)",
        "insert into ODU_W values ('W-1', 'VKC_U')",
        "create table ODU_L (PRODUCT_CODE varchar, VKC_TABLE_NAME_PREFIX varchar)",
        "insert into ODU_L values ('L-1', 'VKC_U')",
        "create table VKC_U_C (DB double, PRE double, [19tc] double, [19pi] double)",
        "insert into VKC_U_C values (35, 50, 14, 2.5), (35, 100, 28, 7)",
        "create table VKC_U_H (WB double, PRE double, [20tc] double, [20pi] double)",
        "insert into VKC_U_H values (6, 100, 32, 7.5)",
        "create table IDU (MODEL varchar, CAPACITY_COOLING_KW double, CAPACITY_HEATING_KW "
        "double, \"ratedpower+ratedpower+w\" double)",
        "insert into IDU values ('K-28', 2.8, 3.2, 45)",
        "insert into __Product_idx values ('U-1', 'Demo U1', 0), ('U-2', 'Demo U2', 1), "
        "('K-28', 'Demo K28', 0)"};
    QVERIFY(makeDatabase(m_path, sql));
    HInitVRFProductECData data;

    QCOMPARE(countRows(), 2); // U-2 flagged, W-1 water, L-1 series not for sale
    const EcRow outdoor = ecRow("U-1");
    QVERIFY(outdoor.found);
    QCOMPARE(outdoor.oemModel, QString("Demo U1"));
    QCOMPARE(outdoor.idSeries, 1);
    QCOMPARE(outdoor.category, QString("VX"));
    BRIVANTA_COMPARE_NEAR(outdoor.tcC, 28.0, 1e-9);
    BRIVANTA_COMPARE_NEAR(outdoor.piC, 7.0, 1e-9);
    BRIVANTA_COMPARE_NEAR(outdoor.tcH, 32.0, 1e-9);
    BRIVANTA_COMPARE_NEAR(outdoor.piH, 7.5, 1e-9);
    QCOMPARE(points(outdoor.dataC).size(), 2);
    QCOMPARE(points(outdoor.dataC).first().toObject().value("precent").toDouble(), 50.0);

    const EcRow indoor = ecRow("K-28");
    QVERIFY(indoor.found);
    QCOMPARE(indoor.oemModel, QString("Demo K28"));
    BRIVANTA_COMPARE_NEAR(indoor.tcC, 2.8, 1e-9);
    BRIVANTA_COMPARE_NEAR(indoor.tcH, 3.2, 1e-9);
    BRIVANTA_COMPARE_NEAR(indoor.piC, 45.0, 1e-9);
}

void TestProductEcData::existingTableIsLeftAlone()
{
    QStringList sql = catalogue();
    sql << HInitVRFProductECData::createTableStatement("__product_ec_data")
        << "insert into __product_ec_data (product_type, model, oem_model) values (0, 'OLD', 'x')";
    QVERIFY(makeDatabase(m_path, sql));

    HInitVRFProductECData data;
    QCOMPARE(countRows(), 1);
    QVERIFY(ecRow("OLD").found);
    // the look-up maps are filled all the same
    QCOMPARE(data.getOEMModel("O'Brien-36"), QString("Ki'ds 36"));
    QCOMPARE(data.isNotForSale("A-2"), true);
    QCOMPARE(data.getOEMModel("unknown"), QString());
    QCOMPARE(data.isNotForSale("unknown"), false);
}

void TestProductEcData::failedBuildLeavesPreviousState_data()
{
    QTest::addColumn<bool>("diskFull"); // else the 151st insert is refused by a trigger
    QTest::addColumn<bool>("hadTable");
    QTest::newRow("insert refused half way: still no table") << false << false;
    QTest::newRow("disk full: still no table") << true << false;
    QTest::newRow("disk full: old table kept whole") << true << true;
}

// A build that fails half way through the inserts must not keep a partial table,
// and must leave no transaction open.
void TestProductEcData::failedBuildLeavesPreviousState()
{
    QFETCH(bool, diskFull);
    QFETCH(bool, hadTable);

    QStringList sql = baseSchema();
    sql << "insert into __product_series values (1, 0, 1, 'VX', '380V', 'sub', 'ODU', 0)"
        << "create table ODU (product_code varchar)"
        << "create table seen (model varchar)";
    QVector<VkcRow> rows;
    for (int pre = 10; pre <= 200; pre += 5)
        rows.append({35, double(pre), pre * 0.3, pre * 0.07});
    sql << vkcTable("VKC_C", true, rows);
    for (int i = 0; i < 200; ++i)
        sql << QStringLiteral("insert into ODU values ('P-%1')").arg(i, 4, 10, QChar('0'));
    if (hadTable)
        sql << HInitVRFProductECData::createTableStatement("__product_ec_data")
            << "insert into __product_ec_data (product_type, model) values (0, 'OLD')";
    // every product has the same VKC rows in a table named after its code
    for (int i = 0; i < 200; ++i)
        sql << QStringLiteral("create table [P_%1_C] as select * from VKC_C")
                   .arg(i, 4, 10, QChar('0'));
    QVERIFY(makeDatabase(m_path, sql));

    HDatabase* db = HDbFind::getDb();
    QVERIFY(db);
    if (diskFull) {
        QSqlQuery pages = db->query("pragma page_count");
        QVERIFY(pages.next());
        const int pageCount = pages.value(0).toInt();
        pages.finish();
        // room for the new table but not for its rows
        QVERIFY(db->exec(QStringLiteral("pragma max_page_count = %1").arg(pageCount + 3)));
    } else {
        // On this connection the table's name leads to a temporary view whose trigger
        // records each insert and refuses P-0150; the table itself is still created.
        QVERIFY(db->exec("create temp view __product_ec_data as select '' as product_type, '' "
                         "as odu_type, '' as category, '' as powersupply, '' as model, 0 as "
                         "TC_C, 0 as PI_C, 0 as TC_H, 0 as PI_H, '' as pre_tc_pi_data_c, '' as "
                         "pre_tc_pi_data_h, '' as sub_catalog, 0 as id_series, 0 as "
                         "is_not_for_sale, '' as oem_model"));
        QVERIFY(db->exec("create temp trigger refuse instead of insert on __product_ec_data "
                         "begin select raise(abort, 'refused') where new.model = 'P-0150'; "
                         "insert into seen values (new.model); end"));
    }

    if (!diskFull)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("insert of \"P-0150\".*refused")));
    HInitVRFProductECData data; // builds only when the table is missing
    if (hadTable) {
        QVERIFY(!data.rebuildTable());
        QVERIFY2(db->lastError().contains("full"), qPrintable(db->lastError()));
    }
    QCOMPARE(db->tableIsExist("__product_ec_data"), hadTable);
    if (hadTable) {
        QCOMPARE(countRows(), 1);
        QVERIFY(ecRow("OLD").found);
    }
    // the inserts before the refused one are undone with the rest
    QSqlQuery seen = db->query("select count(*) from seen");
    QVERIFY(seen.next());
    QCOMPARE(seen.value(0).toInt(), 0);
    seen.finish();
    QVERIFY(db->transaction()); // no transaction was left open
    QVERIFY(db->rollback());

    // with room again the next start-up builds the whole table
    if (diskFull)
        QVERIFY(db->exec("pragma max_page_count = 1073741823"));
    else
        QVERIFY(db->exec("drop view temp.__product_ec_data"));
    if (hadTable)
        QVERIFY(db->exec("drop table __product_ec_data"));
    HInitVRFProductECData again;
    QCOMPARE(countRows(), 200);
}

void TestProductEcData::deliveredTableWithVkcColumnIsRecomputed_data()
{
    QTest::addColumn<bool>("refuseLastUpdate");
    QTest::newRow("recomputed") << false;
    QTest::newRow("an update refused: nothing changes") << true;
}

void TestProductEcData::deliveredTableWithVkcColumnIsRecomputed()
{
    QFETCH(bool, refuseLastUpdate);

    QStringList sql = catalogue();
    sql << "create table __product_ec_data (ID integer primary key, product_type int, model "
           "varchar, vkc_table varchar, pre_tc_pi_data_c longtext, pre_tc_pi_data_h longtext)"
        << "insert into __product_ec_data values (1, 0, 'X-1', 'VKC_A1', 'old', 'old')"
        << "insert into __product_ec_data values (2, 0, 'X-2', '', 'old', 'old')"
        << "insert into __product_ec_data values (3, 1, 'X-3', 'VKC_A1', 'old', 'old')"
        << "insert into __product_ec_data values (10, 0, 'X-10', 'O''Neil', 'old', 'old')";
    // IDs are visited in text order, 1 before 10: the refused update is the last one.
    if (refuseLastUpdate)
        sql << "create trigger refuse before update on __product_ec_data when new.ID = 10 "
               "begin select raise(abort, 'refused'); end";
    QVERIFY(makeDatabase(m_path, sql));
    HInitVRFProductECData data; // the table exists: nothing is rebuilt
    QCOMPARE(data.calculate_temp(), !refuseLastUpdate);

    auto texts = [](int id) {
        QSqlQuery q = HDbFind::getDb()->query(
            "select pre_tc_pi_data_c, pre_tc_pi_data_h from __product_ec_data where ID = ?", {id});
        return q.next() ? QStringList{q.value(0).toString(), q.value(1).toString()} : QStringList();
    };
    const QStringList old{"old", "old"};
    const QStringList one = texts(1);
    if (refuseLastUpdate) {
        QCOMPARE(one, old);
        QCOMPARE(texts(10), old);
        QVERIFY(HDbFind::getDb()->transaction()); // no transaction was left open
        QVERIFY(HDbFind::getDb()->rollback());
    } else {
        QCOMPARE(points(one.at(0)).size(), 2);
        QCOMPARE(points(one.at(1)).size(), 1);
        QCOMPARE(texts(10), (QStringList{"[]", "[]"})); // a prefix with an apostrophe has no tables
    }
    QCOMPARE(texts(2), old);
    QCOMPARE(texts(3), old);
}

void TestProductEcData::noDatabaseWritesNothing()
{
    HInitVRFProductECData data;
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(data.getOEMModel("A-1"), QString());
    QCOMPARE(data.isNotForSale("A-1"), false);
    QVERIFY(!data.createTable());
    QVERIFY(!data.calculate());
    QVERIFY(!data.calculate_temp());
    QVERIFY(!data.rebuildTable());
    QVERIFY(!QFile::exists(m_path));
}

void TestProductEcData::otherDatabaseIsNotWrittenInto_data()
{
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<bool>("catalogue");

    QTest::newRow("a weather database")
        << QStringList{"create table tb_glb_idx (nation text, city text, tableName text)",
                       "create table FRA_Paris (year int, month int, day int, hour int, "
                       "dry_temp double, Humidity double)"}
        << false;
    QTest::newRow("series without the product index")
        << QStringList{"create table __product_series (id_series int, product_type int)"} << false;
    QTest::newRow("series and product index") << baseSchema() << true;
}

void TestProductEcData::otherDatabaseIsNotWrittenInto()
{
    QFETCH(QStringList, tables);
    QFETCH(bool, catalogue);
    QVERIFY(makeDatabase(m_path, tables));
    QCOMPARE(HInitVRFProductECData::isProductCatalogue(HDbFind::getDb()), catalogue);
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    {
        HInitVRFProductECData data;
    }
    QCOMPARE(HDbFind::getDb()->tableIsExist(HInitVRFProductECData::ecTableName), catalogue);
    if (!catalogue) {
        HDbFind::close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
}

void TestProductEcData::registration()
{
    QCOMPARE(HInitVRFProductECData::getInitVRFProductData() != nullptr, true);
    HInitVRFProductECData::reset();
    {
        HInitVRFProductECData local;
        QCOMPARE(HInitVRFProductECData::getInitVRFProductData(), &local);
        // a caller's own instance is forgotten, not deleted
        HInitVRFProductECData::reset();
        QCOMPARE(local.getOEMModel("x"), QString());
        HInitVRFProductECData second;
        QCOMPARE(HInitVRFProductECData::getInitVRFProductData(), &second);
    }
    // the destroyed instance is no longer registered; a new one is made on demand
    HInitVRFProductECData* made = HInitVRFProductECData::getInitVRFProductData();
    QVERIFY(made);
    QCOMPARE(HInitVRFProductECData::getInitVRFProductData(), made);
    HInitVRFProductECData::reset();
}

void TestProductEcData::demoCatalogue()
{
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), m_path));
    HDatabase* db = HDbFind::getDb();
    QVERIFY(db);
    QVERIFY(!db->tableIsExist("__temp_data"));

    HInitVRFProductECData data;
    QCOMPARE(countRows("where product_type = 0"), 23);
    QCOMPARE(countRows("where product_type = 1"), 31);
    QCOMPARE(countRows("where category like '%legacy%' or category like '%water%'"), 0);
    QCOMPARE(countRows("where model = 'QM-VXS240A'"), 0); // flagged in the index

    QSqlQuery cats = db->query("select count(distinct category) from __product_ec_data "
                               "where product_type = 1");
    QVERIFY(cats.next());
    QVERIFY(cats.value(0).toInt() >= 5);
    QSqlQuery apostrophe =
        db->query("select count(*) from __product_ec_data where oem_model like ?", {"%'%"});
    QVERIFY(apostrophe.next());
    QCOMPARE(apostrophe.value(0).toInt(), 1);

    // every outdoor product has rated values and part-load points in a plausible range
    QSqlQuery q = db->query("select * from __product_ec_data where product_type = 0");
    int outdoor = 0;
    while (q.next()) {
        ++outdoor;
        const QString model = q.value("model").toString();
        const double eer = q.value("TC_C").toDouble() / q.value("PI_C").toDouble();
        QVERIFY2(eer >= 3.0 && eer <= 4.5, qPrintable(model));
        QVERIFY2(q.value("TC_H").toDouble() > 0.0, qPrintable(model));
        const QJsonArray c = points(q.value("pre_tc_pi_data_c").toString());
        QCOMPARE(c.size(), 11);
        QCOMPARE(points(q.value("pre_tc_pi_data_h").toString()).size(), 11);
        const QJsonObject half = c.at(2).toObject();
        QCOMPARE(half.value("precent").toDouble(), 50.0);
        QVERIFY2(half.value("tc").toDouble() / half.value("pi").toDouble() > eer,
                 qPrintable(model));
    }
    QCOMPARE(outdoor, 23);
}

QTEST_GUILESS_MAIN(TestProductEcData)
#include "tst_productecdata.moc"
