// Summer and winter design points of every city, and their storage in the index.
#include "HAppPaths.h"
#include "HDatabase.h"
#include "HProject.h"
#include "HWeatherDesignPoints.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "tst_weather_fixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using weatherfixture::Reading;

class TstWeatherDesign : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void designPoints_data();
    void designPoints();
    void humidityRatios();
    void writeWithoutDatabase();
    void failedWriteChangesNothing();
    void analyseAllFillsCaches();
    void batchStoresAndRestores_data();
    void batchStoresAndRestores();

private:
    QString dbPath() const { return m_dir->filePath(QStringLiteral("Weather.db3")); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TstWeatherDesign::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    HAppPaths::setApplicationDir(m_dir->path());
    HProject::reset();
    {
        weatherfixture::Db db(dbPath());
        // Hour i of the year reads i / 100 degrees and humidity (i % 100) / 100.
        auto ramp = [](int, int m, int d, int h) {
            const int i = weatherfixture::hourIndex(m, d, h);
            return Reading{i / 100.0, (i % 100) / 100.0};
        };
        db.addCity(QStringLiteral("Canada"), QStringLiteral("St. John's"),
                   QStringLiteral("CAN_St. John's"), {2001}, ramp);
        // Ten readings only: no design hour beyond the tenth.
        db.exec(QStringLiteral(
            "INSERT INTO tb_glb_idx (nation, city, tableName) VALUES ('X', 'Tiny', 'Tiny')"));
        db.exec(QStringLiteral(
            "CREATE TABLE Tiny (year INTEGER, month INTEGER, day INTEGER, hour INTEGER, "
            "dry_temp REAL, Humidity REAL)"));
        for (int h = 0; h < 10; ++h)
            db.exec(QStringLiteral("INSERT INTO Tiny VALUES (2001, 1, 1, ?, ?, 0.5)"),
                    {h, double(h)});
        db.addCity(QStringLiteral("China"), QStringLiteral("Xi'an"), QStringLiteral("CHN_XiAn"),
                   {2001, 2002}, ramp);
    }
    LumoWeather::setWeatherDbPath(dbPath());
}

void TstWeatherDesign::cleanup()
{
    LumoWeather::setWeatherDbPath(QString());
    HProject::reset();
    HAppPaths::setApplicationDir(QString());
    m_dir.reset();
}

void TstWeatherDesign::designPoints_data()
{
    QTest::addColumn<int>("ignoreHours");
    QTest::addColumn<int>("summerIndex");
    QTest::addColumn<int>("winterIndex");
    QTest::addColumn<bool>("tinyOk");
    QTest::newRow("35 hours") << 35 << 8724 << 35 << false;
    QTest::newRow("none ignored") << 0 << 8759 << 0 << true;
}

void TstWeatherDesign::designPoints()
{
    QFETCH(int, ignoreHours);
    QFETCH(int, summerIndex);
    QFETCH(int, winterIndex);
    QFETCH(bool, tinyOk);
    const QVector<HWeatherDesignPoints::Point> points = HWeatherDesignPoints::compute(ignoreHours);
    QCOMPARE(points.size(), 3);
    QCOMPARE(points[0].tableName, QStringLiteral("CAN_St. John's"));
    QCOMPARE(points[0].city, QStringLiteral("St. John's"));
    QCOMPARE(points[1].tableName, QStringLiteral("Tiny"));
    QCOMPARE(points[1].ok, tinyOk);
    for (const int i : {0, 2}) {
        const HWeatherDesignPoints::Point& p = points[i];
        QVERIFY(p.ok);
        BRIVANTA_COMPARE_NEAR(p.summerDry, summerIndex / 100.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(p.summerHumidity, (summerIndex % 100) / 100.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(p.winterDry, winterIndex / 100.0, 1e-12);
        BRIVANTA_COMPARE_NEAR(p.winterHumidity, (winterIndex % 100) / 100.0, 1e-12);
    }

    QString error;
    QVERIFY2(HWeatherDesignPoints::write(points, &error), qPrintable(error));
    HDatabase* db = LumoWeather::getWeatherDB();
    QSqlQuery q = db->query(
        QStringLiteral("select SummeryDry, SummeryWet, WinterDry, WinterWet, typeof(SummeryDry) "
                       "from tb_glb_idx where tableName = ?"),
        {QStringLiteral("CAN_St. John's")});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString::number(summerIndex / 100.0, 'g', 6));
    QCOMPARE(q.value(1).toString(), QString::number(points[0].summerW, 'g', 6));
    QCOMPARE(q.value(2).toString(), QString::number(winterIndex / 100.0, 'g', 6));
    QCOMPARE(q.value(3).toString(), QString::number(points[0].winterW, 'g', 6));
    QCOMPARE(q.value(4).toString(), QStringLiteral("text"));
    QSqlQuery tiny = db->query(
        QStringLiteral("select SummeryDry is null from tb_glb_idx where tableName = 'Tiny'"));
    QVERIFY(tiny.next());
    QCOMPARE(tiny.value(0).toBool(), !tinyOk);
}

void TstWeatherDesign::humidityRatios()
{
    // 20 degrees at 50 % all year but for 35 hours at 40 and 35 at -20 degrees: with 35
    // hours left out the design hours are the one at 30 degrees and 50 % and the one at
    // -10 degrees and 80 %.
    const QString path = m_dir->filePath(QStringLiteral("Design.db3"));
    {
        weatherfixture::Db db(path);
        db.addCity(QStringLiteral("X"), QStringLiteral("Design"), QStringLiteral("Design"), {2001},
                   [](int, int m, int d, int h) {
                       const int i = weatherfixture::hourIndex(m, d, h);
                       if (i < 35)
                           return Reading{-20.0, 0.5};
                       if (i == 35)
                           return Reading{-10.0, 0.8};
                       if (i == 1000)
                           return Reading{30.0, 0.5};
                       if (i > 1000 && i <= 1035)
                           return Reading{40.0, 0.5};
                       return Reading{20.0, 0.5};
                   });
    }
    LumoWeather::setWeatherDbPath(path);
    const QVector<HWeatherDesignPoints::Point> points = HWeatherDesignPoints::compute(35);
    QCOMPARE(points.size(), 1);
    const HWeatherDesignPoints::Point& p = points.first();
    QVERIFY(p.ok);
    QCOMPARE(p.summerDry, 30.0);
    QCOMPARE(p.winterDry, -10.0);

    // W = 0.621945 pw / (p - pw) at 101 kPa. The vapour pressure of saturated moist air
    // (enhancement included) follows from the handbook's saturated humidity ratio Ws at
    // 101.325 kPa, pws' = 101325 Ws / (0.621945 + Ws); then pw = rh pws'. Ws: ASHRAE
    // Handbook - Fundamentals, ch. 1, table 2: 0.027329 at 30 degrees, 0.0016062 at -10
    // (over ice).
    const auto humidityRatio = [](double ws, double rh) {
        const double pw = rh * 101325.0 * ws / (0.621945 + ws);
        return 0.621945 * pw / (101000.0 - pw);
    };
    BRIVANTA_COMPARE_NEAR(p.summerW, humidityRatio(0.027329, 0.5), 5e-4);
    BRIVANTA_COMPARE_NEAR(p.winterW, humidityRatio(0.0016062, 0.8), 5e-4);
}

void TstWeatherDesign::writeWithoutDatabase()
{
    LumoWeather::setWeatherDbPath(m_dir->filePath(QStringLiteral("missing.db3")));
    QVERIFY(HWeatherDesignPoints::compute().isEmpty());
    HWeatherDesignPoints::Point p;
    p.ok = true;
    p.tableName = QStringLiteral("T");
    QString error;
    QVERIFY(!HWeatherDesignPoints::write({p}, &error));
    QVERIFY(!error.isEmpty());
}

void TstWeatherDesign::failedWriteChangesNothing()
{
    HDatabase* db = LumoWeather::getWeatherDB();
    // The last city's update is refused after the first one has run (a trigger of this
    // connection: one stored in an opened file would never run).
    QVERIFY(db->exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON tb_glb_idx "
                                    "WHEN new.tableName = 'CHN_XiAn' "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    const QVector<HWeatherDesignPoints::Point> points = HWeatherDesignPoints::compute();
    QCOMPARE(points.size(), 3);
    QString error;
    QVERIFY(!HWeatherDesignPoints::write(points, &error));
    QVERIFY2(error.contains(QStringLiteral("CHN_XiAn")), qPrintable(error));
    QSqlQuery q = db->query(QStringLiteral("select count(*) from tb_glb_idx where SummeryDry is "
                                           "not null or WinterWet is not null"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 0);
    // The connection is usable afterwards (no transaction left open).
    QVERIFY(db->transaction());
    QVERIFY(db->commit());
}

void TstWeatherDesign::analyseAllFillsCaches()
{
    QList<int> progress;
    HWeatherDesignPoints::analyseAll([&](int i, int n) {
        QCOMPARE(n, 3);
        progress.append(i);
    });
    QCOMPARE(progress, QList<int>({0, 1, 2}));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("weather/CAN_St. John's.json"))));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("weather/Tiny.json"))));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("weather/CHN_XiAn.json"))));
}

void TstWeatherDesign::batchStoresAndRestores_data()
{
    QTest::addColumn<int>("stopAfter"); // steps done when the callback says stop; -1 never
    QTest::newRow("whole run") << -1;
    QTest::newRow("stopped before anything") << 0;
    QTest::newRow("stopped after the analyses") << 3;
    QTest::newRow("stopped at the last design point") << 6;
}

void TstWeatherDesign::batchStoresAndRestores()
{
    QFETCH(int, stopAfter);
    // The project's own city as the location set it.
    LumoWeather::getQWeather()->setWeatherTableName(QStringLiteral("CHN_XiAn"));
    const QJsonArray statis({QJsonObject{{"temp_dot", 1}}});
    const QJsonObject extreme{{"city_table_name", "CHN_XiAn"}};
    HProject::getProject()->setWeatherStatisData(statis);
    HProject::getProject()->setWeatherExtremeData(extreme);

    QList<int> seen;
    const HWeatherDesignPoints::BatchResult result =
        HWeatherDesignPoints::runBatch(35, [&](int done, int steps) {
            [&] {
                QCOMPARE(steps, 6);
            }();
            seen.append(done);
            return done != stopAfter;
        });

    const bool stopped = stopAfter >= 0;
    QCOMPARE(result.tables, 3);
    QCOMPARE(result.cancelled, stopped);
    QCOMPARE(result.ok, !stopped);
    QCOMPARE(seen.last(), stopped ? stopAfter : 6);
    QCOMPARE(seen.first(), 0);
    // The program-wide table and the project's statistics are the city's again.
    QCOMPARE(LumoWeather::getQWeather()->getWeatherTableName(), QStringLiteral("CHN_XiAn"));
    QCOMPARE(HProject::getProject()->getWeatherStatisData(), statis);
    QCOMPARE(HProject::getProject()->getWeatherExtremeData(), extreme);

    QSqlQuery q = LumoWeather::getWeatherDB()->query(
        QStringLiteral("select count(*) from tb_glb_idx where SummeryDry is not null"));
    QVERIFY(q.next());
    // St. John's and Xi'an have a design hour; Tiny has ten hours only.
    QCOMPARE(q.value(0).toInt(), stopped ? 0 : 2);
    QCOMPARE(result.stored, stopped ? 0 : 2);
}

QTEST_GUILESS_MAIN(TstWeatherDesign)
#include "tst_weather_design.moc"
