// Building "__product_ec_data" for a 1,000-product catalogue: the one-transaction
// build of the start-up against the same statements run one by one in autocommit
// mode (one journal write and sync per insert).
//   bench_product_build [folder for the database files]   (default: a temporary folder)

#include "HDatabase.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int kOutdoorSeries = 10;
const int kOutdoorPerSeries = 60; // 600 outdoor products with their own VKC tables
const int kIndoorSeries = 5;
const int kIndoorPerSeries = 80; // 400 indoor products

bool exec(HDatabase& db, const QString& sql, const QVariantList& values = {})
{
    if (db.exec(sql, values))
        return true;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(db.lastError()));
    return false;
}

bool makeCatalogue(const QString& path)
{
    HDatabase db;
    if (!db.createDatabase(path) || !db.transaction())
        return false;
    bool ok = exec(db,
                   "create table __Product_idx (product_code varchar, model varchar, "
                   "is_not_for_sale int)")
        && exec(db,
                "create table __product_series (id_series int, product_type int, odu_type "
                "int, category varchar, powersupply varchar, sub_catalog varchar, table_name "
                "varchar, is_not_for_sale int)")
        && exec(db, "create table __rule_unit_type (id_series int, is_water_series boolean)");
    for (int s = 0; ok && s < kOutdoorSeries; ++s) {
        const QString table = QStringLiteral("ODU_%1").arg(s);
        ok = exec(db, "insert into __product_series values (?, 0, 1, ?, '380V', 'sub', ?, 0)",
                  {100 + s, QStringLiteral("Outdoor %1").arg(s), table})
            && exec(db, "insert into __rule_unit_type values (?, 0)", {100 + s})
            && exec(db, QStringLiteral("create table %1 (product_code varchar)").arg(table));
        for (int p = 0; ok && p < kOutdoorPerSeries; ++p) {
            const QString code = QStringLiteral("QM-%1-%2(A) /3N").arg(s).arg(p, 3, 10, QChar('0'));
            const QString prefix = HInitVRFProductECData::vkcPrefixFromCode(code);
            ok = exec(db, QStringLiteral("insert into %1 values (?)").arg(table), {code})
                && exec(db, "insert into __Product_idx values (?, ?, 0)",
                        {code, QStringLiteral("Demo %1").arg(code)})
                && exec(db,
                        QStringLiteral("create table [%1_C] (db double, pre double, [19TC] "
                                       "double, [19PI] double)")
                            .arg(prefix))
                && exec(db,
                        QStringLiteral("create table [%1_H] (wb double, pre double, [20TC] "
                                       "double, [20PI] double)")
                            .arg(prefix));
            const double rated = 22.4 + p * 0.5;
            for (const double t : {25.0, 35.0, 43.0}) {
                for (int pre = 30; ok && pre <= 130; pre += 10) {
                    const double load = pre / 100.0;
                    const double power = rated / 4.0 * (0.16 + 0.13 * load + 0.71 * load * load);
                    ok = exec(db,
                              QStringLiteral("insert into [%1_C] values (?, ?, ?, ?)").arg(prefix),
                              {t, pre, rated * load, power})
                        && exec(
                             db,
                             QStringLiteral("insert into [%1_H] values (?, ?, ?, ?)").arg(prefix),
                             {t - 29.0, pre, rated * 1.1 * load, power * 1.05});
                }
            }
        }
    }
    for (int s = 0; ok && s < kIndoorSeries; ++s) {
        const QString table = QStringLiteral("IDU_%1").arg(s);
        ok = exec(db, "insert into __product_series values (?, 1, 0, ?, '230V', 'sub', ?, 0)",
                  {200 + s, QStringLiteral("Indoor %1").arg(s), table})
            && exec(db,
                    QStringLiteral("create table %1 (model varchar, capacity_cooling_kw double, "
                                   "capacity_heating_kw double, \"RatedPower+RatedPower+W\" "
                                   "double)")
                        .arg(table));
        for (int p = 0; ok && p < kIndoorPerSeries; ++p) {
            const QString model = QStringLiteral("QM-I%1-%2").arg(s).arg(p, 3, 10, QChar('0'));
            ok = exec(db, QStringLiteral("insert into %1 values (?, ?, ?, ?)").arg(table),
                      {model, 2.2 + p * 0.1, 2.5 + p * 0.11, 20.0 + p})
                && exec(db, "insert into __Product_idx values (?, ?, 0)", {model, model});
        }
    }
    return ok && db.commit();
}

int rowCount()
{
    QSqlQuery q = HDbFind::getDb()->query("select count(*) from __product_ec_data");
    return q.next() ? q.value(0).toInt() : -1;
}

// One build on a fresh copy of the catalogue; milliseconds, or -1 on failure.
double timeBuild(const QString& catalogue, const QString& copy, bool oneTransaction)
{
    QFile::remove(copy);
    if (!QFile::copy(catalogue, copy))
        return -1;
    HDbFind::setDbFileAndPwd(copy, QString());
    QElapsedTimer timer;
    int rows = -1;
    if (oneTransaction) {
        timer.start();
        HInitVRFProductECData data; // start-up path: builds the missing table
        const double ms = timer.nsecsElapsed() / 1e6;
        rows = rowCount();
        HDbFind::close();
        return rows == 1000 ? ms : -1;
    }
    // The old way: the same drop, create and inserts, each statement committed on its own.
    HDbFind::getDb()->exec(
        HInitVRFProductECData::createTableStatement(HInitVRFProductECData::ecTableName));
    // Timed from the constructor, like the one-transaction build, so both include
    // reading the look-up maps.
    timer.start();
    HInitVRFProductECData data; // table present: only the look-up maps are read
    const bool ok = data.createTable() && data.calculate();
    const double ms = timer.nsecsElapsed() / 1e6;
    rows = rowCount();
    HDbFind::close();
    return ok && rows == 1000 ? ms : -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The build logs every statement and product; keep the timings readable.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    QTemporaryDir tmp;
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    const QString catalogue = dir + QStringLiteral("/catalogue.mdb");
    const QString copy = dir + QStringLiteral("/build.mdb");
    QFile::remove(catalogue);
    if (!makeCatalogue(catalogue)) {
        std::fprintf(stderr, "cannot build the catalogue in %s\n", qPrintable(dir));
        return 1;
    }
    std::printf("catalogue: %d outdoor + %d indoor products, files in %s\n",
                kOutdoorSeries * kOutdoorPerSeries, kIndoorSeries * kIndoorPerSeries,
                qPrintable(dir));

    const int runs = 3;
    std::vector<double> single, autocommit;
    for (int i = 0; i < runs; ++i) {
        const double a = timeBuild(catalogue, copy, true);
        const double b = timeBuild(catalogue, copy, false);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "build failed\n");
            return 1;
        }
        single.push_back(a);
        autocommit.push_back(b);
        std::printf("run %d: one transaction %8.1f ms   autocommit %8.1f ms\n", i + 1, a, b);
    }
    const double a = median(single);
    const double b = median(autocommit);
    std::printf("median of %d: one transaction %.1f ms, statement by statement %.1f ms, "
                "ratio %.1fx\n",
                runs, a, b, b / a);
    QFile::remove(catalogue);
    QFile::remove(copy);
    return 0;
}
