#include "HAppPaths.h"
#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HUnit.h"
#include "HVRFProductHelper.h"
#include "HVRFProductStatements.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Product
{
    int series;
    int type;
    QString category;
    QString model;
    QString oem;
    double tcC, piC, tcH, piH;
    QString dataC, dataH;
};

const QString kPointsC =
    QStringLiteral(R"([{"precent":50,"tc":14,"pi":2.5},{"precent":100,"tc":28,"pi":7}])");
const QString kPointsH = QStringLiteral(R"([{"precent":100,"tc":32,"pi":7.5}])");

QVector<Product> products()
{
    return {
        {1, 0, "VX", "QM-VX080", "Demo VX-224", 22.4, 5.3, 25.0, 5.8, kPointsC, kPointsH},
        {1, 0, "VX", "QM-VX100", "Demo VX-280", 28.0, 6.7, 31.4, 7.3, kPointsC, kPointsH},
        {2, 0, "VX", "QM-VX100B", "Demo VX-280", 28.5, 6.5, 31.0, 7.0, "[]", "[]"},
        {3, 0, "Compact", "QM-C(1) /A", "", 12.0, 3.0, 13.0, 3.2, "[]", "[]"},
        {10, 1, "Cassette", "QM-CF028", "Demo CF-28", 2.8, 45.0, 3.2, 50.0, "", ""},
        {11, 1, "Kid's room", "QM-WM022", "Demo WM'22", 2.2, 25.0, 2.5, 25.0, "", ""},
    };
}

bool makeDatabase(const QString& path, const QVector<Product>& rows)
{
    HDatabase db;
    if (!db.createDatabase(path) || !db.transaction()
        || !db.exec(HInitVRFProductECData::createTableStatement("__product_ec_data")))
        return false;
    for (const Product& p : rows) {
        if (!db.exec("insert into __product_ec_data (id_series, product_type, odu_type, category, "
                     "powersupply, sub_catalog, model, TC_C, PI_C, TC_H, PI_H, pre_tc_pi_data_c, "
                     "pre_tc_pi_data_h, is_not_for_sale, oem_model) "
                     "values (?, ?, '', ?, '', '', ?, ?, ?, ?, ?, ?, ?, 0, ?)",
                     {p.series, p.type, p.category, p.model, p.tcC, p.piC, p.tcH, p.piH, p.dataC,
                      p.dataH, p.oem}))
            return false;
    }
    return db.commit();
}

QStringList comboItems(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

} // namespace

class TestProductLookup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void categories_data();
    void categories();
    void models_data();
    void models();
    void outdoorLookup_data();
    void outdoorLookup();
    void indoorLookup_data();
    void indoorLookup();
    void emptyCategoryOrModelResetsNumbers_data();
    void emptyCategoryOrModelResetsNumbers();
    void sharedStatementsFollowEveryLine();
    void noDatabaseChangesNothing();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestProductLookup::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
}

void TestProductLookup::init()
{
    m_path = m_dir.filePath(QStringLiteral("Product.mdb"));
    HDbFind::close();
    QFile::remove(m_path);
    if (QString(QTest::currentTestFunction()) != QLatin1String("noDatabaseChangesNothing"))
        QVERIFY(makeDatabase(m_path, products()));
    HDbFind::setDbFileAndPwd(m_path, QString());
}

void TestProductLookup::cleanup()
{
    HDbFind::close();
}

void TestProductLookup::categories_data()
{
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<int>("productType");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("outdoor, distinct in row order") << false << 0 << QStringList{"VX", "Compact"};
    QTest::newRow("indoor") << false << 1 << QStringList{"Cassette", "Kid's room"};
    QTest::newRow("empty table") << true << 0 << QStringList{};
}

void TestProductLookup::categories()
{
    QFETCH(bool, emptyTable);
    QFETCH(int, productType);
    QFETCH(QStringList, expected);
    if (emptyTable)
        QVERIFY(HDbFind::getDb()->exec("delete from __product_ec_data"));

    bool ok = false;
    QCOMPARE(HVRFProductHelper::categoryList(productType, &ok), expected);
    QVERIFY(ok);

    QComboBox combo;
    combo.addItem("stale");
    HVRFProductHelper::getCategoryFromDb(&combo, productType);
    QCOMPARE(comboItems(combo), QStringList{QString()} + expected);
}

void TestProductLookup::models_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("productType");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("OEM models in row order")
        << "VX" << 0 << QStringList{"Demo VX-224", "Demo VX-280", "Demo VX-280"};
    QTest::newRow("code stands in for a missing OEM model")
        << "Compact" << 0 << QStringList{"QM-C(1) /A"};
    QTest::newRow("category with an apostrophe") << "Kid's room" << 1 << QStringList{"Demo WM'22"};
    QTest::newRow("category of the other product type") << "VX" << 1 << QStringList{};
    QTest::newRow("quote in category is not SQL") << "VX' or '1'='1" << 0 << QStringList{};
}

void TestProductLookup::models()
{
    QFETCH(QString, category);
    QFETCH(int, productType);
    QFETCH(QStringList, expected);

    QCOMPARE(HVRFProductHelper::modelList(category, productType), expected);
    QComboBox combo;
    HVRFProductHelper::getModelFromDb(&combo, category, productType);
    QCOMPARE(comboItems(combo), QStringList{QString()} + expected);
}

void TestProductLookup::outdoorLookup_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("quantityBefore");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("idSeries");
    QTest::addColumn<QString>("unitModel");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("tcC");
    QTest::addColumn<double>("piC");
    QTest::addColumn<int>("pointsC");

    QTest::newRow("by OEM model, quantity 0 becomes 1")
        << -1 << "VX"
        << "Demo VX-224" << 0 << true << 1 << "Demo VX-224" << 1 << 22.4 << 5.3 << 2;
    QTest::newRow("by product code, negative quantity becomes 1")
        << -1 << "VX"
        << "QM-VX100" << -2 << true << 1 << "Demo VX-280" << 1 << 28.0 << 6.7 << 2;
    QTest::newRow("positive quantity kept")
        << -1 << "VX"
        << "QM-VX080" << 3 << true << 1 << "Demo VX-224" << 3 << 22.4 << 5.3 << 2;
    QTest::newRow("series id chooses among equal OEM models")
        << 2 << "ignored"
        << "Demo VX-280" << 1 << true << 2 << "Demo VX-280" << 1 << 28.5 << 6.5 << 0;
    QTest::newRow("code without OEM model")
        << -1 << "Compact"
        << "QM-C(1) /A" << 1 << true << 3 << "QM-C(1) /A" << 1 << 12.0 << 3.0 << 0;
    QTest::newRow("wrong series id")
        << 7 << "VX"
        << "QM-VX080" << 1 << false << -1 << "" << 1 << 0.0 << 0.0 << 0;
    QTest::newRow("indoor model is not an outdoor unit")
        << -1 << "Cassette"
        << "QM-CF028" << 1 << false << -1 << "" << 1 << 0.0 << 0.0 << 0;
    QTest::newRow("quote in model is not SQL")
        << -1 << "VX"
        << "x' or '1'='1" << 1 << false << -1 << "" << 1 << 0.0 << 0.0 << 0;
}

void TestProductLookup::outdoorLookup()
{
    QFETCH(int, seriesId);
    QFETCH(QString, category);
    QFETCH(QString, model);
    QFETCH(int, quantityBefore);
    QFETCH(bool, found);
    QFETCH(int, idSeries);
    QFETCH(QString, unitModel);
    QFETCH(int, quantity);
    QFETCH(double, tcC);
    QFETCH(double, piC);
    QFETCH(int, pointsC);

    HUnit unit;
    unit.setis_odu(false);
    unit.setquantity(quantityBefore);
    QCOMPARE(HVRFProductHelper::getOutdoorUnitFromDb(seriesId, category, model, &unit), found);
    QCOMPARE(unit.Getis_odu(), true);
    QCOMPARE(unit.Getquantity(), quantity);
    QCOMPARE(unit.Getid_series(), idSeries);
    QCOMPARE(unit.Getunit_model(), unitModel);
    BRIVANTA_COMPARE_NEAR(unit.Gettotal_capacity_cooling(), tcC, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit.Getpower_input_cooling(), piC, 1e-12);
    QCOMPARE(unit.GetjsonArrayData_c().size(), pointsC);
    if (!found) {
        QCOMPARE(unit.Getunit_type(), QString());
        return;
    }
    QCOMPARE(unit.Getunit_type(), category);
    QCOMPARE(unit.Getunit_productcode(), model);
    if (pointsC > 0) {
        QCOMPARE(unit.GetjsonArrayData_c().last().toObject().value("tc").toDouble(), 28.0);
        QCOMPARE(unit.GetjsonArrayData_h().size(), 1);
    }
}

void TestProductLookup::indoorLookup_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("model");
    QTest::addColumn<double>("piC");
    QTest::addColumn<double>("piH");
    QTest::addColumn<double>("tcH");

    QTest::newRow("power 45 W is 0.045 kW") << "Cassette"
                                            << "Demo CF-28" << 0.045 << 0.050 << 3.2;
    QTest::newRow("apostrophes in category and model") << "Kid's room"
                                                       << "Demo WM'22" << 0.025 << 0.025 << 2.5;
}

void TestProductLookup::indoorLookup()
{
    QFETCH(QString, category);
    QFETCH(QString, model);
    QFETCH(double, piC);
    QFETCH(double, piH);
    QFETCH(double, tcH);

    HUnit unit;
    const QJsonArray kept{QJsonObject{{"precent", 100}}};
    unit.setjsonArrayData_c(kept);
    QVERIFY(HVRFProductHelper::getIndoorUnitFromDb(-1, category, model, &unit));
    QCOMPARE(unit.Getis_odu(), false);
    BRIVANTA_COMPARE_NEAR(unit.Getpower_input_cooling(), piC, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit.Getpower_input_heating(), piH, 1e-12);
    BRIVANTA_COMPARE_NEAR(unit.Gettotal_capacity_heating(), tcH, 1e-12);
    QCOMPARE(unit.Getunit_model(), model);
    QCOMPARE(unit.Getquantity(), 1);
    // indoor units read no performance points
    QCOMPARE(unit.GetjsonArrayData_c(), kept);
}

void TestProductLookup::emptyCategoryOrModelResetsNumbers_data()
{
    QTest::addColumn<bool>("odu");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("model");
    QTest::newRow("empty category") << true << ""
                                    << "Demo VX-224";
    QTest::newRow("empty model") << true << "VX"
                                 << "";
    // An indoor line whose model is cleared stays an indoor line.
    QTest::newRow("indoor, empty model") << false << "Cassette"
                                         << "";
}

void TestProductLookup::emptyCategoryOrModelResetsNumbers()
{
    QFETCH(bool, odu);
    QFETCH(QString, category);
    QFETCH(QString, model);

    HUnit unit;
    unit.setis_odu(odu);
    unit.setunit_model("kept");
    unit.setquantity(4);
    unit.setid_series(9);
    unit.settotal_capacity_cooling(10.0);
    unit.setpower_input_heating(3.0);
    unit.setjsonArrayData_c(QJsonArray{1, 2});
    QVERIFY(odu ? !HVRFProductHelper::getOutdoorUnitFromDb(-1, category, model, &unit)
                : !HVRFProductHelper::getIndoorUnitFromDb(-1, category, model, &unit));
    QCOMPARE(unit.Getis_odu(), odu);
    QCOMPARE(unit.Getunit_model(), QString("kept"));
    QCOMPARE(unit.Getquantity(), 4);
    QCOMPARE(unit.Getid_series(), -1);
    QCOMPARE(unit.Gettotal_capacity_cooling(), 0.0);
    QCOMPARE(unit.Getpower_input_heating(), 0.0);
    QVERIFY(unit.GetjsonArrayData_c().isEmpty());
}

// The lines of one project share their prepared statements: every line gets its
// own row (or none), whatever the lines before it found.
void TestProductLookup::sharedStatementsFollowEveryLine()
{
    struct Line
    {
        int series;
        QString category, model;
        bool odu;
        double tcC, piC; // 0 when no row matches
    };
    const QVector<Line> lines = {
        {-1, "VX", "Demo VX-224", true, 22.4, 5.3},
        {-1, "VX", "no such model", true, 0.0, 0.0},
        {-1, "Cassette", "Demo CF-28", false, 2.8, 0.045},
        {2, "any", "Demo VX-280", true, 28.5, 6.5},
        {1, "any", "Demo VX-280", true, 28.0, 6.7},
        {7, "VX", "QM-VX080", true, 0.0, 0.0},
        {-1, "Cassette", "QM-VX080", false, 0.0, 0.0},
        {-1, "VX", "QM-VX100", true, 28.0, 6.7},
        {-1, "Kid's room", "Demo WM'22", false, 2.2, 0.025},
    };
    HVRFProductStatements statements;
    for (int round = 0; round < 2; ++round) {
        for (const Line& line : lines) {
            QScopedPointer<HUnit> unit(HVRFProductHelper::newOwnUnit(
                line.series, line.category, line.model, 2, line.odu, &statements));
            BRIVANTA_COMPARE_NEAR(unit->Gettotal_capacity_cooling(), line.tcC, 1e-12);
            BRIVANTA_COMPARE_NEAR(unit->Getpower_input_cooling(), line.piC, 1e-12);
            QCOMPARE(unit->Getis_odu(), line.odu);
            QCOMPARE(unit->Getquantity(), 2);
            if (QTest::currentTestFailed())
                qWarning() << "line" << line.model << "round" << round;
        }
    }
}

void TestProductLookup::noDatabaseChangesNothing()
{
    QVERIFY(!HDbFind::getDb());
    QComboBox combo;
    combo.addItem("kept");
    HVRFProductHelper::getCategoryFromDb(&combo, 0);
    HVRFProductHelper::getModelFromDb(&combo, "VX", 0);
    QCOMPARE(comboItems(combo), QStringList{"kept"});

    bool ok = true;
    QVERIFY(HVRFProductHelper::categoryList(0, &ok).isEmpty());
    QVERIFY(!ok);

    HUnit unit;
    unit.setis_odu(false);
    unit.settotal_capacity_cooling(5.0);
    QVERIFY(!HVRFProductHelper::getOutdoorUnitFromDb(-1, "", "", &unit));
    QVERIFY(!HVRFProductHelper::getIndoorUnitFromDb(-1, "VX", "x", &unit));
    QCOMPARE(unit.Getis_odu(), false);
    QCOMPARE(unit.Gettotal_capacity_cooling(), 5.0);
    QVERIFY(!QFile::exists(m_path));
}

QTEST_MAIN(TestProductLookup)
#include "tst_productlookup.moc"
