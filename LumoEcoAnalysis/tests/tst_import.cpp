#include "HAppPaths.h"
#include "HDatabase.h"
#include "HDbFind.h"
#include "HProject.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TestSupport.h"
#include "tst_project_fixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const projectInfo = R"({"project_parameter":{
    "project_climate":{"cooling_room_dry":26.5,"heating_room_dry":21.5},
    "project_information":{"project_name":"Imported","date":"2021-06-30",
                           "country":"France","city":"Paris"}}})";

// A project with its own unit, other unit and location set, so the tests see what an
// import changes and what it keeps.
HProject* presetProject()
{
    HProject::reset();
    HYear::year = 2015;
    HProject* p = HProject::getProject();
    p->setname("Keep");
    p->setdate(QDate(2020, 1, 2));
    p->setcountry("China");
    p->setcity("Harbin");
    p->setindoor_cooling_temperature(23.0);
    p->setindoor_heating_temperature(20.0);
    p->setelectricity_price(0.7);
    auto* own = new HUnit;
    own->setunit_productcode("P-1");
    own->setquantity(1);
    p->getOwnVRFSys()->append(own);
    auto* other = new HUnit;
    other->setunit_productcode("O-1");
    other->setquantity(2);
    p->getOtherVRFSys()->append(other);
    return p;
}

using brivanta::test::writeFile;

// The own units as "odu|model|quantity|cooling kW", the form the data tables expect.
QStringList ownUnitRows()
{
    QStringList rows;
    for (const HUnit* u : *HProject::getProject()->getOwnVRFSys())
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(u->Getis_odu() ? 1 : 0)
                    .arg(u->Getunit_productcode())
                    .arg(u->Getquantity())
                    .arg(u->Gettotal_capacity_cooling());
    return rows;
}

struct MaterialRow
{
    QString scope;
    int type;
    QVariant series;
    QString description;
    QString model;
    QVariant quantity; // stored as given: integer, real or text
};

bool makeVrf(const QString& path, const QVector<MaterialRow>& rows, const QStringList& infos,
             bool withMaterial = true)
{
    QFile::remove(path);
    HDatabase db;
    if (!db.createDatabase(path))
        return false;
    if (withMaterial
        && !db.exec("create table r_material (id integer primary key, scope text, type integer, "
                    "id_series integer, description text, model text, quantity integer)"))
        return false;
    for (const MaterialRow& r : rows)
        if (!db.exec("insert into r_material (scope, type, id_series, description, model, "
                     "quantity) values (?,?,?,?,?,?)",
                     {r.scope, r.type, r.series, r.description, r.model, r.quantity}))
            return false;
    if (!db.exec("create table p_project_info (project_base_info text)"))
        return false;
    for (const QString& info : infos)
        if (!db.exec("insert into p_project_info (project_base_info) values (?)", {info}))
            return false;
    db.closeDatabase();
    return true;
}

} // namespace

Q_DECLARE_METATYPE(MaterialRow)

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void eedUnits_data();
    void eedUnits();
    void eedProjectInformation();
    void eedUnreadableIsReported_data();
    void eedUnreadableIsReported();
    void vrfUnits_data();
    void vrfUnits();
    void vrfWithoutEquipmentWarns();
    void vrfNotAProjectDatabase_data();
    void vrfNotAProjectDatabase();
    void vrfReadWholeOrNotAtAll_data();
    void vrfReadWholeOrNotAtAll();
    void openThroughSessionRenamesPath();

private:
    QTemporaryDir m_dir;
};

void TestImport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    QVERIFY(projectfixture::createProductDb(m_dir.filePath("Product.mdb")));
}

void TestImport::cleanupTestCase()
{
    HProject::reset();
    HDbFind::close();
    HAppPaths::setApplicationDir(QString());
}

void TestImport::init()
{
    presetProject();
}

void TestImport::eedUnits_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("expected"); // "odu|model|quantity|cooling kW"
    QTest::addColumn<bool>("warns");

    QTest::newRow("outdoor then indoor, completed from the database") << QByteArray(
        R"({"idu_array":[{"id_series":20,"product_code":"T-CF28","name":"Cassette","quantity":8}],
                          "odu_array":[{"id_series":7,"product_code":"T-ODU100","model":"ignored","name":"VX test","quantity":2}]})")
                                                                      << QStringList{"1|T-ODU100|2|"
                                                                                     "28",
                                                                                     "0|T-CF28|8|2."
                                                                                     "8"}
                                                                      << false;
    QTest::newRow("quantity 0 or below skipped, 2.9 truncated to 2") << QByteArray(
        R"({"odu_array":[{"id_series":7,"product_code":"T-ODU100","name":"VX test","quantity":0},
                                       {"id_series":7,"product_code":"T-ODU100","name":"VX test","quantity":-1},
                                       {"id_series":7,"product_code":"T-ODU100","name":"VX test","quantity":2.9}]})")
                                                                     << QStringList{"1|T-ODU100|2|"
                                                                                    "28"}
                                                                     << false;
    QTest::newRow("series -1 and texts with apostrophes") << QByteArray(
        R"({"odu_array":[{"id_series":-1,"product_code":"O'Neil 56","name":"Chef's line","quantity":1}]})")
                                                          << QStringList{"1|O'Neil 56|1|56"}
                                                          << false;
    QTest::newRow("unknown model keeps its fields and zero capacity") << QByteArray(
        R"({"odu_array":[{"id_series":7,"product_code":"NOPE","name":"VX test","quantity":3}]})")
                                                                      << QStringList{"1|NOPE|3|0"}
                                                                      << false;
    QTest::newRow("wrong types: quantity as text skipped, arrays of the wrong type ignored")
        << QByteArray(R"({"odu_array":"all of them",
                          "idu_array":[{"id_series":20,"product_code":"T-CF28","name":"Cassette","quantity":"8"},
                                       7, null,
                                       {"id_series":"20","product_code":"T-CF28","name":"Cassette","quantity":1}]})")
        << QStringList{"0|T-CF28|1|0"} << true;
    QTest::newRow("no unit arrays: the own system is emptied")
        << QByteArray(R"({"something":"else"})") << QStringList{} << false;
}

void TestImport::eedUnits()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, expected);
    QFETCH(bool, warns);

    const QString path = m_dir.filePath("units.eed");
    QVERIFY(writeFile(path, json));
    QString error;
    HProjectNotices notices;
    QVERIFY2(openEED(path, &error, &notices), qPrintable(error));
    // Missing models are named too; `warns` is about the values of the wrong type.
    QCOMPARE(notices.texts().size() > notices.missingModels().size(), warns);

    QCOMPARE(ownUnitRows(), expected);
    // Everything but the own units and the project information keeps its value.
    HProject* p = HProject::getProject();
    QCOMPARE(p->getOtherVRFSys()->size(), 1);
    QCOMPARE(p->Getelectricity_price(), 0.7);
    QCOMPARE(p->Getname(), QString("Keep"));
}

void TestImport::eedProjectInformation()
{
    const QString path = m_dir.filePath("info.eed");
    QJsonObject root = QJsonDocument::fromJson(projectInfo).object();
    QVERIFY(!root.isEmpty());
    QVERIFY(writeFile(path, QJsonDocument(root).toJson()));
    QVERIFY(openEED(path));
    HProject* p = HProject::getProject();
    QCOMPARE(p->Getname(), QString("Imported"));
    QCOMPARE(p->Getdate(), QDate(2021, 6, 30));
    QCOMPARE(p->Getcountry(), QString("France"));
    QCOMPARE(p->Getcity(), QString("Paris"));
    QCOMPARE(p->Getindoor_cooling_temperature(), 26.5);
    QCOMPARE(p->Getindoor_heating_temperature(), 21.5);
    QCOMPARE(p->getOwnVRFSys()->size(), 0);

    // Only a non-empty climate or information object is read.
    presetProject();
    QVERIFY(writeFile(path, R"({"project_parameter":{"project_climate":{},
        "project_information":{"project_name":"Only name"}}})"));
    QVERIFY(openEED(path));
    p = HProject::getProject();
    QCOMPARE(p->Getname(), QString("Only name"));
    QCOMPARE(p->Getcity(), QString());
    QVERIFY(!p->Getdate().isValid());
    QCOMPARE(p->Getindoor_cooling_temperature(), 23.0);
}

void TestImport::eedUnreadableIsReported_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");

    QTest::newRow("missing file") << "missing.eed" << QByteArray() << false;
    QTest::newRow("empty file") << "empty.eed" << QByteArray() << true;
    QTest::newRow("not JSON") << "text.eed" << QByteArray("odu_array: QM-VX100") << true;
    QTest::newRow("truncated JSON")
        << "cut.eed" << QByteArray(R"({"odu_array":[{"id_series":7,"product_c)") << true;
    QTest::newRow("JSON array") << "array.eed" << QByteArray("[1,2]") << true;
    QTest::newRow("empty object") << "emptyobject.eed" << QByteArray("{}") << true;
}

void TestImport::eedUnreadableIsReported()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, create);

    const QString path = m_dir.filePath(fileName);
    if (create)
        QVERIFY(writeFile(path, content));
    QString error;
    QVERIFY(!openEED(path, &error));
    QVERIFY2(error.contains(fileName), qPrintable(error));
    HProject* p = HProject::getProject();
    QCOMPARE(p->getOwnVRFSys()->size(), 1);
    QCOMPARE(p->getOwnVRFSys()->first()->Getunit_productcode(), QString("P-1"));
    QCOMPARE(p->Getname(), QString("Keep"));
}

void TestImport::vrfUnits_data()
{
    QTest::addColumn<QVector<MaterialRow>>("rows");
    QTest::addColumn<QStringList>("expected"); // "odu|model|quantity|cooling kW"

    QTest::newRow("outdoor and indoor project rows in row order")
        << QVector<MaterialRow>{{"project", 1, 20, "Cassette", "T-CF28", 6},
                                {"project", 0, 7, "VX test", "T-ODU100", 2}}
        << QStringList{"0|T-CF28|6|2.8", "1|T-ODU100|2|28"};
    QTest::newRow("other scopes and types are not units")
        << QVector<MaterialRow>{{"system", 0, 7, "VX test", "T-ODU100", 2},
                                {"project", 2, 7, "Pipe", "T-ODU100", 5},
                                {"project", 0, 7, "VX test", "T-ODU100", 1}}
        << QStringList{"1|T-ODU100|1|28"};
    QTest::newRow("quantity 0 is imported (unknown model keeps it)")
        << QVector<MaterialRow>{{"project", 1, 20, "Cassette", "NOPE", 0}}
        << QStringList{"0|NOPE|0|0"};
    QTest::newRow("texts with apostrophes are bound")
        << QVector<MaterialRow>{{"project", 0, -1, "Chef's line", "O'Neil 56", 1}}
        << QStringList{"1|O'Neil 56|1|56"};
    // Numbers of the wrong kind follow the rule of the other files: truncated, and
    // 0 when no int holds them.
    QTest::newRow("fractional quantity truncated")
        << QVector<MaterialRow>{{"project", 0, 7, "VX test", "T-ODU100", 2.7}}
        << QStringList{"1|T-ODU100|2|28"};
    QTest::newRow("quantity and series beyond int read 0")
        << QVector<MaterialRow>{{"project", 0, 1e300, "VX test", "NOPE", 1e300},
                                {"project", 1, -1e300, "Cassette", "NOPE", -1e300}}
        << QStringList{"1|NOPE|0|0", "0|NOPE|0|0"};
    QTest::newRow("quantity as text reads 0")
        << QVector<MaterialRow>{{"project", 0, 7, "VX test", "NOPE", "lots"}}
        << QStringList{"1|NOPE|0|0"};
}

void TestImport::vrfUnits()
{
    QFETCH(QVector<MaterialRow>, rows);
    QFETCH(QStringList, expected);

    const QString path = m_dir.filePath("units.vrf");
    QVERIFY(makeVrf(path, rows, {projectInfo}));
    QString error;
    HProjectNotices notices;
    QVERIFY2(openVRF(path, &error, &notices), qPrintable(error));
    QCOMPARE(notices.texts().size(), notices.missingModels().size());

    QCOMPARE(ownUnitRows(), expected);
    HProject* p = HProject::getProject();
    QCOMPARE(p->Getname(), QString("Imported"));
    QCOMPARE(p->Getcity(), QString("Paris"));
    QCOMPARE(p->getOtherVRFSys()->size(), 1);
    QVERIFY(QFile::remove(path)); // the connection is closed
}

void TestImport::vrfWithoutEquipmentWarns()
{
    const QString path = m_dir.filePath("empty.vrf");
    const QString later =
        R"({"project_parameter":{"project_information":{"project_name":"Later"}}})";
    QVERIFY(makeVrf(path, {{"system", 0, 7, "VX test", "T-ODU100", 2}}, {projectInfo, later}));
    QString error;
    HProjectNotices notices;
    QVERIFY2(openVRF(path, &error, &notices), qPrintable(error));
    QCOMPARE(notices.texts(),
             QStringList("No find equipment info in this project file, Please Use VELA "
                         "software open, calculate and save again."));
    HProject* p = HProject::getProject();
    QCOMPARE(p->getOwnVRFSys()->size(), 0);
    // The information is still imported; a later row overrides an earlier one (its
    // information object as a whole: absent texts read empty).
    QCOMPARE(p->Getname(), QString("Later"));
    QCOMPARE(p->Getcity(), QString());
    QCOMPARE(p->Getindoor_cooling_temperature(), 26.5);
}

void TestImport::vrfNotAProjectDatabase_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // empty: a database without r_material
    QTest::addColumn<bool>("create");

    QTest::newRow("missing file") << "missing.vrf" << QByteArray() << false;
    QTest::newRow("text file") << "text.vrf" << QByteArray("this is not a database\n") << true;
    QTest::newRow("JPEG picture") << "picture.vrf"
                                  << QByteArray::fromHex("ffd8ffe000104a4649460001") << true;
    QTest::newRow("database without the equipment table") << "other.vrf" << QByteArray() << true;
}

void TestImport::vrfNotAProjectDatabase()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, create);

    const QString path = m_dir.filePath(fileName);
    if (create) {
        if (content.isEmpty())
            QVERIFY(makeVrf(path, {}, {projectInfo}, false));
        else
            QVERIFY(writeFile(path, content));
    }
    QString error;
    HProjectNotices notices;
    QVERIFY(!openVRF(path, &error, &notices));
    QVERIFY2(error.contains(fileName), qPrintable(error));
    QVERIFY(notices.isEmpty());
    HProject* p = HProject::getProject();
    QCOMPARE(p->getOwnVRFSys()->size(), 1);
    QCOMPARE(p->Getname(), QString("Keep"));
    QCOMPARE(p->Getcity(), QString("Harbin"));
}

void TestImport::vrfReadWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("damage"); // what is done to a project of 40 outdoor lines
    QTest::addColumn<QString>("errorText"); // empty: the units are imported
    QTest::newRow("a page of the equipment table overwritten") << "page" << "malformed";
    QTest::newRow("equipment table replaced by a view") << "view" << "no equipment table";
    // A view is no table of project information: the file reads as one without it.
    QTest::newRow("project information as an endless view") << "endless" << "";
}

// A project database that cannot be read to its end imports nothing: a damaged page
// used to end the rows like their end, and a crafted view used to run for ever.
void TestImport::vrfReadWholeOrNotAtAll()
{
    QFETCH(QString, damage);
    QFETCH(QString, errorText);
    const QString path = m_dir.filePath("damaged.vrf");
    QFile::remove(path);
    {
        HDatabase db;
        QVERIFY(db.createDatabase(path));
        QVERIFY(db.exec("pragma page_size = 512"));
        QVERIFY(db.exec("create table r_material (id integer primary key, scope text, type "
                        "integer, id_series integer, description text, model text, quantity "
                        "integer)"));
        for (int i = 0; i < 40; ++i)
            QVERIFY(db.exec("insert into r_material (scope, type, id_series, description, model, "
                            "quantity) values ('project', 0, 7, ?, 'T-ODU100', 1)",
                            {QStringLiteral("Outdoor unit %1").arg(i).leftJustified(60)}));
        if (damage == QLatin1String("endless")) {
            QVERIFY(db.exec("create view p_project_info as with recursive c(x) as (select 1 "
                            "union all select x + 1 from c) select '{}' as project_base_info "
                            "from c where x < 0"));
        } else {
            QVERIFY(db.exec("create table p_project_info (project_base_info text)"));
            QVERIFY(db.exec("insert into p_project_info values (?)", {QString(projectInfo)}));
        }
        if (damage == QLatin1String("view")) {
            QVERIFY(db.exec("alter table r_material rename to equipment"));
            QVERIFY(db.exec("create view r_material as select * from equipment"));
        }
        QSqlQuery leaves = db.query("select pageno from dbstat where name = 'r_material' and "
                                    "pagetype = 'leaf' order by path");
        QVector<int> pages;
        while (leaves.next())
            pages << leaves.value(0).toInt();
        db.closeDatabase();
        if (damage == QLatin1String("page")) {
            QVERIFY(pages.size() >= 4);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(qint64(pages[pages.size() / 2] - 1) * 512));
            QCOMPARE(f.write(QByteArray(512, '\xa5')), qint64(512));
        }
    }
    const QStringList before = ownUnitRows();
    QString error;
    HProjectNotices notices;
    const bool imported = openVRF(path, &error, &notices);
    HProject* p = HProject::getProject();
    QCOMPARE(p->Getname(), QString("Keep"));
    if (errorText.isEmpty()) {
        QVERIFY2(imported, qPrintable(error));
        QCOMPARE(ownUnitRows().size(), 40);
        return;
    }
    QVERIFY(!imported);
    QVERIFY2(error.contains(errorText), qPrintable(error));
    QVERIFY(notices.isEmpty());
    QCOMPARE(ownUnitRows(), before);
}

void TestImport::openThroughSessionRenamesPath()
{
    const QString vrf = m_dir.filePath("session.vrf");
    QVERIFY(makeVrf(vrf, {{"project", 0, 7, "VX test", "T-ODU100", 2}}, {projectInfo}));
    QString error;
    QVERIFY2(HProjectSession::openProject(vrf, &error), qPrintable(error));
    QCOMPARE(HProject::getProject()->GetfilePath(), m_dir.filePath("session.ee"));
    QVERIFY(!QFile::exists(m_dir.filePath("session.ee"))); // nothing written

    const QString eed = m_dir.filePath("session2.eed");
    QVERIFY(writeFile(
        eed,
        R"({"odu_array":[{"id_series":7,"product_code":"T-ODU100","name":"VX test","quantity":1}]})"));
    QVERIFY2(HProjectSession::openProject(eed, &error), qPrintable(error));
    QCOMPARE(HProject::getProject()->GetfilePath(), m_dir.filePath("session2.ee"));
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
