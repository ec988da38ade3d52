// Part-load curves: the default curve file, point lists, spline evaluation and
// the kept spline, which must give exactly the values of fitting at every call.
#include "HProductPerformanceDataForVRF.h"
#include "HVRF.h"

#include <HAppPaths.h>
#include <HPolyFitHelper.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <TestSupport.h>
#include <cmath>
#include <cstring>

using Points = QVector<QPair<double, double>>; // combination rate, ratio
Q_DECLARE_METATYPE(Points)

namespace {

QVector<CAL_ITEM> items(const Points& points)
{
    QVector<CAL_ITEM> list;
    for (const auto& p : points)
        list.append(CAL_ITEM{0.0, p.first, p.second});
    return list;
}

// Fits the points anew, as every call did before the spline was kept.
double refitEveryCall(const QVector<CAL_ITEM>& list, double rate)
{
    QMap<double, double> map;
    for (const CAL_ITEM& item : list)
        map[item.combination_rate] = item.electricity_input_ratio;
    return std::fabs(HPolyFitHelper::spline_fit(map, std::fabs(rate)));
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

const QVector<double> kRates = {-1.6, -0.8, -0.3, -0.0, 0.0,  0.05, 0.1, 0.25, 0.3, 0.333,
                                0.5,  0.62, 0.75, 0.9,  0.99, 1.0,  1.1, 1.5,  2.0, 10.0};

} // namespace

class TestPerformanceData : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void missingFileIsCreatedWithDefaults();
    void fileIsRead_data();
    void fileIsRead();
    void initRestoresRatedValuesAndDoesNotDuplicate();
    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();

    void signIsFolded_data();
    void signIsFolded();
    void emptyListGivesZero_data();
    void emptyListGivesZero();
    void laterEqualRateWins();
    void passesThroughPoints();

    void keptSplineEqualsRefitBitForBit_data();
    void keptSplineEqualsRefitBitForBit();
    void copiesEvaluateTheirOwnPoints();

    void tabulatedCurves();
    void tabulationClampsNegativesAndKeepsMapOfEmptyList();
    void mapAccessorsCopy();

private:
    void writeFile(const QByteArray& content);
    QString filePath() const { return m_dir->path() + "/OtherVRFPerformanceData.json"; }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestPerformanceData::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    HAppPaths::setApplicationDir(m_dir->path());
}

void TestPerformanceData::cleanup()
{
    HAppPaths::setApplicationDir(QString());
    m_dir.reset();
}

void TestPerformanceData::writeFile(const QByteArray& content)
{
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestPerformanceData::missingFileIsCreatedWithDefaults()
{
    QVERIFY(!QFile::exists(filePath()));
    HProductPerformanceDataForVRF first;
    QVERIFY(QFile::exists(filePath()));

    QFile file(filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray cooling = root.value("cooling").toArray();
    const QJsonArray heating = root.value("heating").toArray();
    QCOMPARE(cooling.size(), 4);
    QCOMPARE(heating.size(), 4);
    QCOMPARE(cooling[0].toObject(),
             (QJsonObject{{"outdoor_air_temperature", 21.0},
                          {"combination_rate", 0.25},
                          {"electricity_input_ratio", 0.3}}));
    QCOMPARE(heating[2].toObject(),
             (QJsonObject{{"outdoor_air_temperature", -4.0},
                          {"combination_rate", 0.75},
                          {"electricity_input_ratio", 0.74}}));

    const QVector<CAL_ITEM> expectedCooling = {
        {21.0, 0.25, 0.3}, {26.0, 0.5, 0.45}, {30.0, 0.75, 0.7}, {35.0, 1.0, 1.0}};
    const QVector<CAL_ITEM> expectedHeating = {
        {6.0, 0.25, 0.35}, {3.0, 0.5, 0.55}, {-4.0, 0.75, 0.74}, {-10.0, 1.0, 1.0}};
    // the creating object and a second one reading the file agree
    HProductPerformanceDataForVRF second;
    for (HProductPerformanceDataForVRF* data : {&first, &second}) {
        QVector<CAL_ITEM> c, h;
        data->getCoolingModeItems(c);
        data->getHeatingModeItems(h);
        QCOMPARE(c.size(), 4);
        QCOMPARE(h.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(c[i].outdoor_air_temperature, expectedCooling[i].outdoor_air_temperature);
            QCOMPARE(c[i].combination_rate, expectedCooling[i].combination_rate);
            QCOMPARE(c[i].electricity_input_ratio, expectedCooling[i].electricity_input_ratio);
            QCOMPARE(h[i].outdoor_air_temperature, expectedHeating[i].outdoor_air_temperature);
            QCOMPARE(h[i].combination_rate, expectedHeating[i].combination_rate);
            QCOMPARE(h[i].electricity_input_ratio, expectedHeating[i].electricity_input_ratio);
        }
    }
}

void TestPerformanceData::fileIsRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Points>("cooling");
    QTest::addColumn<Points>("heating");

    QTest::newRow("both lists") << QByteArray(
        R"({"cooling":[{"combination_rate":0.4,"electricity_input_ratio":0.5,"outdoor_air_temperature":28},
                                    {"combination_rate":1,"electricity_input_ratio":1,"outdoor_air_temperature":35}],
                         "heating":[{"combination_rate":1,"electricity_input_ratio":0.9,"outdoor_air_temperature":-7}]})")
                                << Points{{0.4, 0.5}, {1.0, 1.0}} << Points{{1.0, 0.9}};
    QTest::newRow("heating member missing")
        << QByteArray(R"({"cooling":[{"combination_rate":0.5,"electricity_input_ratio":0.4}]})")
        << Points{{0.5, 0.4}} << Points{};
    QTest::newRow("missing point member reads 0") << QByteArray(
        R"({"cooling":[{"electricity_input_ratio":0.4}],"heating":[{"combination_rate":0.7}]})")
                                                  << Points{{0.0, 0.4}} << Points{{0.7, 0.0}};
    QTest::newRow("empty and non-object elements are skipped") << QByteArray(
        R"({"cooling":[{}, 3, "x", {"combination_rate":0.5,"electricity_input_ratio":0.4}],"heating":[]})")
                                                               << Points{{0.5, 0.4}} << Points{};
    QTest::newRow("malformed file gives empty lists")
        << QByteArray("{\"cooling\": [") << Points{} << Points{};
    QTest::newRow("empty file gives empty lists") << QByteArray() << Points{} << Points{};
}

void TestPerformanceData::fileIsRead()
{
    QFETCH(QByteArray, content);
    QFETCH(Points, cooling);
    QFETCH(Points, heating);

    writeFile(content);
    HProductPerformanceDataForVRF data;
    QVector<CAL_ITEM> c, h;
    data.getCoolingModeItems(c);
    data.getHeatingModeItems(h);
    QCOMPARE(c.size(), cooling.size());
    QCOMPARE(h.size(), heating.size());
    for (int i = 0; i < cooling.size(); ++i) {
        QCOMPARE(c[i].combination_rate, cooling[i].first);
        QCOMPARE(c[i].electricity_input_ratio, cooling[i].second);
    }
    for (int i = 0; i < heating.size(); ++i) {
        QCOMPARE(h[i].combination_rate, heating[i].first);
        QCOMPARE(h[i].electricity_input_ratio, heating[i].second);
    }
    // an existing file is never overwritten
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestPerformanceData::initRestoresRatedValuesAndDoesNotDuplicate()
{
    QVERIFY(!QFile::exists(filePath()));
    HProductPerformanceDataForVRF data; // creates the file
    QVERIFY(QFile::remove(filePath()));
    data.settotal_capacity_cooling(1);
    data.setpower_input_cooling(1);
    data.settotal_capacity_heaing__10(1);
    data.setpower_input_heating__10(1);
    data.settotal_capacity_heaing_7(1);
    data.setpower_input_heating_7(1);
    data.init(); // file missing again: defaults, written anew
    QCOMPARE(data.Gettotal_capacity_cooling(), 28.0);
    QCOMPARE(data.Getpower_input_cooling(), 7.3);
    QCOMPARE(data.Gettotal_capacity_heaing__10(), 23.0);
    QCOMPARE(data.Getpower_input_heating__10(), 7.3);
    QCOMPARE(data.Gettotal_capacity_heaing_7(), 28.0);
    QCOMPARE(data.Getpower_input_heating_7(), 3.5);
    QVector<CAL_ITEM> c;
    data.getCoolingModeItems(c);
    QCOMPARE(c.size(), 4);
    QVERIFY(QFile::exists(filePath()));
}

void TestPerformanceData::changedFileIsReadAgain_data()
{
    QTest::addColumn<bool>("oldFile"); // first written long ago, or just now
    QTest::addColumn<QString>("change");

    QTest::newRow("new file rewritten at once, same size") << false << "rewrite";
    QTest::newRow("old file rewritten, same size") << true << "rewrite";
    QTest::newRow("old file rewritten, modification time restored")
        << true << "rewrite keeping time";
    QTest::newRow("old file replaced by another one") << true << "replace";
    QTest::newRow("old file removed") << true << "remove";
}

// Objects share what the file said only as long as the file stays as it was.
void TestPerformanceData::changedFileIsReadAgain()
{
    QFETCH(bool, oldFile);
    QFETCH(QString, change);

    const auto firstCoolingRate = [] {
        HProductPerformanceDataForVRF data;
        QVector<CAL_ITEM> c;
        data.getCoolingModeItems(c);
        return c.isEmpty() ? -1.0 : c.first().combination_rate;
    };
    const auto setModified = [this](const QDateTime& time) {
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-3);
    writeFile(R"({"cooling":[{"combination_rate":0.4,"electricity_input_ratio":0.5}]})");
    if (oldFile)
        setModified(longAgo);
    QCOMPARE(firstCoolingRate(), 0.4);
    QCOMPARE(firstCoolingRate(), 0.4);

    if (change == "rewrite") {
        writeFile(R"({"cooling":[{"combination_rate":0.6,"electricity_input_ratio":0.5}]})");
    } else if (change == "rewrite keeping time") {
        writeFile(R"({"cooling":[{"combination_rate":0.6,"electricity_input_ratio":0.5}]})");
        setModified(longAgo);
    } else if (change == "replace") {
        const QString other = m_dir->path() + "/other.json";
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"cooling":[{"combination_rate":0.6,"electricity_input_ratio":0.5}]})");
        QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(QFile::remove(filePath()));
        QVERIFY(QFile::rename(other, filePath()));
    } else {
        QVERIFY(QFile::remove(filePath()));
    }
    // the default curves begin at 25 %
    QCOMPARE(firstCoolingRate(), change == "remove" ? 0.25 : 0.6);
    QCOMPARE(firstCoolingRate(), change == "remove" ? 0.25 : 0.6);
}

void TestPerformanceData::signIsFolded_data()
{
    QTest::addColumn<bool>("cooling");
    QTest::addColumn<double>("rate");
    QTest::newRow("EIR at -0.5") << true << 0.5;
    QTest::newRow("EIR at -1.3, beyond the last point") << true << 1.3;
    QTest::newRow("COP at -0.8") << false << 0.8;
    QTest::newRow("COP at -0.1, before the first point") << false << 0.1;
}

void TestPerformanceData::signIsFolded()
{
    QFETCH(bool, cooling);
    QFETCH(double, rate);
    HProductPerformanceDataForVRF data;
    const double positive = cooling ? data.calculateEIR(rate) : data.calculateCOP(rate);
    const double negative = cooling ? data.calculateEIR(-rate) : data.calculateCOP(-rate);
    QCOMPARE(negative, positive);
    QVERIFY(positive >= 0.0);
}

void TestPerformanceData::emptyListGivesZero_data()
{
    QTest::addColumn<double>("rate");
    QTest::newRow("0") << 0.0;
    QTest::newRow("0.5") << 0.5;
    QTest::newRow("-0.7") << -0.7;
    QTest::newRow("1.5") << 1.5;
}

void TestPerformanceData::emptyListGivesZero()
{
    QFETCH(double, rate);
    HProductPerformanceDataForVRF data;
    data.setCoolingModeItems({});
    data.setHeatingModeItems({});
    QCOMPARE(data.calculateEIR(rate), 0.0);
    QCOMPARE(data.calculateCOP(rate), 0.0);
}

void TestPerformanceData::laterEqualRateWins()
{
    HProductPerformanceDataForVRF data;
    data.setCoolingModeItems(items({{0.5, 0.9}, {1.0, 1.0}, {0.5, 0.4}, {0.0, 0.0}}));
    QCOMPARE(data.calculateEIR(0.5), 0.4);
    data.setHeatingModeItems(items({{0.5, 0.4}, {0.5, 0.9}, {1.0, 1.0}}));
    QCOMPARE(data.calculateCOP(0.5), 0.9);
}

void TestPerformanceData::passesThroughPoints()
{
    HProductPerformanceDataForVRF data; // default curves
    QCOMPARE(data.calculateEIR(0.25), 0.3);
    QCOMPARE(data.calculateEIR(0.5), 0.45);
    QCOMPARE(data.calculateEIR(1.0), 1.0);
    QCOMPARE(data.calculateCOP(0.75), 0.74);
    const double between = data.calculateEIR(0.6);
    QVERIFY(between > 0.45 && between < 0.7);
}

void TestPerformanceData::keptSplineEqualsRefitBitForBit_data()
{
    QTest::addColumn<Points>("points");
    QTest::newRow("default cooling curve")
        << Points{{0.25, 0.3}, {0.5, 0.45}, {0.75, 0.7}, {1.0, 1.0}};
    QTest::newRow("product curve with fixed points")
        << Points{{1.0, 1.0}, {0.75, 0.68}, {0.5, 0.47}, {1.2, 1.31}, {0.3, 0.2}, {0.0, 0.0}};
    QTest::newRow("unordered with duplicate rate")
        << Points{{0.9, 0.8}, {0.2, 0.3}, {0.9, 0.85}, {0.55, 0.5}, {0.1, 0.05}};
    QTest::newRow("curve dipping below zero")
        << Points{{0.0, 0.5}, {0.3, -0.4}, {0.6, 0.1}, {1.0, 1.0}};
    QTest::newRow("two points, a line") << Points{{0.3, 0.2}, {1.0, 1.0}};
    QTest::newRow("one point, a constant") << Points{{0.5, 0.6}};
    QTest::newRow("empty") << Points{};
}

void TestPerformanceData::keptSplineEqualsRefitBitForBit()
{
    QFETCH(Points, points);
    const QVector<CAL_ITEM> list = items(points);

    HProductPerformanceDataForVRF data;
    // evaluate the file's curves first, so that a stale kept spline would show
    for (double rate : kRates) {
        data.calculateEIR(rate);
        data.calculateCOP(rate);
    }
    data.setCoolingModeItems(list);
    data.setHeatingModeItems(list);
    for (int pass = 0; pass < 2; ++pass) {
        for (double rate : kRates) {
            const double expected = refitEveryCall(list, rate);
            QVERIFY2(sameBits(data.calculateEIR(rate), expected),
                     qPrintable(QString::number(rate)));
            QVERIFY2(sameBits(data.calculateCOP(rate), expected),
                     qPrintable(QString::number(rate)));
            QVERIFY(std::isfinite(expected));
        }
    }

    // a reloaded file replaces the kept spline too
    data.init();
    QVector<CAL_ITEM> fromFile;
    data.getCoolingModeItems(fromFile);
    for (double rate : kRates)
        QVERIFY(sameBits(data.calculateEIR(rate), refitEveryCall(fromFile, rate)));
}

void TestPerformanceData::copiesEvaluateTheirOwnPoints()
{
    const QVector<CAL_ITEM> a = items({{0.2, 0.3}, {0.6, 0.5}, {1.0, 1.0}});
    const QVector<CAL_ITEM> b = items({{0.3, 0.2}, {0.7, 0.8}, {1.0, 1.1}});
    HProductPerformanceDataForVRF source;
    source.setCoolingModeItems(a);
    source.calculateEIR(0.5);

    HProductPerformanceDataForVRF copy(source);
    HProductPerformanceDataForVRF assigned;
    assigned.calculateEIR(0.5);
    assigned = source;
    for (double rate : kRates) {
        QVERIFY(sameBits(copy.calculateEIR(rate), refitEveryCall(a, rate)));
        QVERIFY(sameBits(assigned.calculateEIR(rate), refitEveryCall(a, rate)));
    }
    copy.setCoolingModeItems(b);
    for (double rate : kRates) {
        QVERIFY(sameBits(copy.calculateEIR(rate), refitEveryCall(b, rate)));
        QVERIFY(sameBits(source.calculateEIR(rate), refitEveryCall(a, rate)));
    }
}

void TestPerformanceData::tabulatedCurves()
{
    HProductPerformanceDataForVRF data;
    QMap<double, double> eir;
    data.getMapCombiToEIR(eir);
    QVERIFY(eir.isEmpty()); // init() does not tabulate
    QVERIFY(data.calculate());
    data.getMapCombiToEIR(eir);
    QMap<double, double> cop;
    data.getMapCombiToCOP(cop);
    QCOMPARE(eir.size(), 11);
    QCOMPARE(cop.size(), 11);
    QCOMPARE(eir.firstKey(), 0.0);
    QVERIFY(eir.lastKey() < 1.0 && eir.lastKey() > 0.9999999);
    QCOMPARE(HProductPerformanceDataForVRF::vecCombinationRateSeries.size(), std::size_t(11));
    BRIVANTA_COMPARE_NEAR(eir.value(HProductPerformanceDataForVRF::vecCombinationRateSeries[5]),
                          0.45, 1e-9);
}

void TestPerformanceData::tabulationClampsNegativesAndKeepsMapOfEmptyList()
{
    HProductPerformanceDataForVRF data;
    QVERIFY(data.calculate());
    QMap<double, double> heatingBefore;
    data.getMapCombiToCOP(heatingBefore);

    data.setCoolingModeItems(items({{0.0, 0.5}, {0.3, -0.4}, {0.6, 0.1}, {1.0, 1.0}}));
    data.setHeatingModeItems({});
    QVERIFY(data.calculate());

    QMap<double, double> eir;
    data.getMapCombiToEIR(eir);
    QCOMPARE(eir.size(), 11);
    int zeros = 0;
    for (double v : eir) {
        QVERIFY(v >= 0.0);
        zeros += v == 0.0 ? 1 : 0;
    }
    QVERIFY(zeros > 0);
    QMap<double, double> heatingAfter;
    data.getMapCombiToCOP(heatingAfter);
    QCOMPARE(heatingAfter, heatingBefore);
}

void TestPerformanceData::mapAccessorsCopy()
{
    HProductPerformanceDataForVRF data;
    data.setMapCombiToEIR({{0.5, 0.4}});
    QMap<double, double> out{{9.0, 9.0}};
    data.getMapCombiToEIR(out);
    QCOMPARE(out, (QMap<double, double>{{0.5, 0.4}}));
    data.setMapCombiToCOP({{0.2, 0.1}, {0.4, 0.3}});
    data.getMapCombiToCOP(out);
    QCOMPARE(out.size(), 2);
}

QTEST_GUILESS_MAIN(TestPerformanceData)
#include "tst_performance_data.moc"
