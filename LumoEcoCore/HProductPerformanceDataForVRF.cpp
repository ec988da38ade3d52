#include "HProductPerformanceDataForVRF.h"

#include <HAppPaths.h>
#include <HJsonFunc.h>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

std::vector<double> HProductPerformanceDataForVRF::vecCombinationRateSeries;

namespace {

// What tells one version of a file from another without reading it.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0; // also moves when only permissions change
    quint64 inode = 0;

    static FileStamp of(const QString& path)
    {
        FileStamp stamp;
#ifdef Q_OS_UNIX
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return stamp;
        stamp.size = st.st_size;
        stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
        stamp.inode = st.st_ino;
#else
        const QFileInfo info(path);
        if (!info.exists())
            return stamp;
        stamp.size = info.size();
        stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
        stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
#endif
        stamp.exists = true;
        return stamp;
    }

    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs
            && changedNs == o.changedNs && inode == o.inode;
    }
};

// The default curve file's point lists, read once and again only when the file
// changes. A file modified within the last seconds before it was read is read
// again every time: a second change within the time stamp's granularity would
// leave the stamp as it was.
class CurveFileCache
{
public:
    // False when the file does not exist.
    bool read(const QString& path, QVector<CAL_ITEM>& cooling, QVector<CAL_ITEM>& heating)
    {
        const FileStamp stamp = FileStamp::of(path);
        if (!stamp.exists)
            return false;
        if (!m_settled || !(stamp == m_stamp) || path != m_path) {
            QJsonDocument doc;
            HJsonFunc::readFileToJsonDoc(path, doc); // unreadable: empty document, empty lists
            const QJsonObject root = doc.object();
            m_cooling = HProductPerformanceDataForVRF::fromJsonArray(
                root.value(QStringLiteral("cooling")).toArray());
            m_heating = HProductPerformanceDataForVRF::fromJsonArray(
                root.value(QStringLiteral("heating")).toArray());
            m_path = path;
            m_stamp = stamp;
            const qint64 ageNs = QDateTime::currentMSecsSinceEpoch() * 1000000
                - std::max(stamp.modifiedNs, stamp.changedNs);
            m_settled = ageNs > kSettledAfterNs;
        }
        cooling = m_cooling;
        heating = m_heating;
        return true;
    }

private:
    static constexpr qint64 kSettledAfterNs = 2000000000; // coarser than any file system's clock

    QString m_path;
    FileStamp m_stamp;
    bool m_settled = false;
    QVector<CAL_ITEM> m_cooling;
    QVector<CAL_ITEM> m_heating;
};

CurveFileCache& curveFileCache()
{
    static CurveFileCache cache;
    return cache;
}

bool tabulate(const QVector<CAL_ITEM>& items, QMap<double, double>& target)
{
    QMap<double, double> points = HProductPerformanceDataForVRF::toPointMap(items);
    if (points.isEmpty())
        return true; // nothing to draw: the map keeps its previous content
    const std::vector<double>& series = HProductPerformanceDataForVRF::vecCombinationRateSeries;
    std::vector<double> values;
    HPolyFitHelper::spline_fit(points, series, values);
    if (values.size() != series.size())
        return false;
    for (std::size_t i = 0; i < series.size(); ++i)
        target[series[i]] = values[i] < 0.0 ? 0.0 : values[i];
    return true;
}

} // namespace

HProductPerformanceDataForVRF::HProductPerformanceDataForVRF()
{
    if (vecCombinationRateSeries.empty()) {
        // Running sum on purpose: the last abscissa is the sum of ten steps of
        // 0.1, just below 1.0, and chart readers use these exact keys.
        for (double x = 0.0; x <= 1.0; x += 0.1)
            vecCombinationRateSeries.push_back(x);
    }
    init();
}

HProductPerformanceDataForVRF::HProductPerformanceDataForVRF(
    const HProductPerformanceDataForVRF& other) = default;

HProductPerformanceDataForVRF&
HProductPerformanceDataForVRF::operator=(const HProductPerformanceDataForVRF& other) = default;

void HProductPerformanceDataForVRF::init()
{
    total_capacity_cooling = 28.0;
    power_input_cooling = 7.3;
    total_capacity_heaing__10 = 23.0;
    power_input_heating__10 = 7.3;
    total_capacity_heaing_7 = 28.0;
    power_input_heating_7 = 3.5;

    const QString path = HAppPaths::curveFile();
    QVector<CAL_ITEM> cooling;
    QVector<CAL_ITEM> heating;
    if (!curveFileCache().read(path, cooling, heating)) {
        // Start from empty lists so that a repeated init() never doubles the points.
        cooling = {{21.0, 0.25, 0.3}, {26.0, 0.5, 0.45}, {30.0, 0.75, 0.7}, {35.0, 1.0, 1.0}};
        heating = {{6.0, 0.25, 0.35}, {3.0, 0.5, 0.55}, {-4.0, 0.75, 0.74}, {-10.0, 1.0, 1.0}};
        QJsonObject root;
        root.insert(QStringLiteral("cooling"), toJsonArray(cooling));
        root.insert(QStringLiteral("heating"), toJsonArray(heating));
        // Written among the user's files, never over a shipped one.
        const QString target = HAppPaths::userCurveFile();
        const bool existed = QFileInfo::exists(target);
        if (HJsonFunc::jsonDocToFile(QJsonDocument(root), target, QJsonDocument::Indented)
            && !existed)
            HAppPaths::report(HAppPaths::Note::Written, target);
    }
    setCoolingModeItems(cooling);
    setHeatingModeItems(heating);
}

void HProductPerformanceDataForVRF::setCoolingModeItems(const QVector<CAL_ITEM>& items)
{
    cooling_items = items;
    spline_cooling_fitted = false;
}

void HProductPerformanceDataForVRF::setHeatingModeItems(const QVector<CAL_ITEM>& items)
{
    heating_items = items;
    spline_heating_fitted = false;
}

void HProductPerformanceDataForVRF::getCoolingModeItems(QVector<CAL_ITEM>& items) const
{
    items = cooling_items;
}

void HProductPerformanceDataForVRF::getHeatingModeItems(QVector<CAL_ITEM>& items) const
{
    items = heating_items;
}

QMap<double, double> HProductPerformanceDataForVRF::toPointMap(const QVector<CAL_ITEM>& items)
{
    QMap<double, double> points;
    for (const CAL_ITEM& item : items)
        points[item.combination_rate] = item.electricity_input_ratio;
    return points;
}

QJsonArray HProductPerformanceDataForVRF::toJsonArray(const QVector<CAL_ITEM>& items)
{
    QJsonArray array;
    for (const CAL_ITEM& item : items) {
        QJsonObject point;
        point.insert(QStringLiteral("combination_rate"), item.combination_rate);
        point.insert(QStringLiteral("electricity_input_ratio"), item.electricity_input_ratio);
        point.insert(QStringLiteral("outdoor_air_temperature"), item.outdoor_air_temperature);
        array.append(point);
    }
    return array;
}

QVector<CAL_ITEM> HProductPerformanceDataForVRF::fromJsonArray(const QJsonArray& array)
{
    QVector<CAL_ITEM> items;
    for (const QJsonValue& value : array) {
        const QJsonObject point = value.toObject();
        if (point.isEmpty())
            continue;
        CAL_ITEM item;
        item.combination_rate = point.value(QStringLiteral("combination_rate")).toDouble();
        item.electricity_input_ratio =
            point.value(QStringLiteral("electricity_input_ratio")).toDouble();
        item.outdoor_air_temperature =
            point.value(QStringLiteral("outdoor_air_temperature")).toDouble();
        items.append(item);
    }
    return items;
}

bool HProductPerformanceDataForVRF::calculate()
{
    if (!tabulate(cooling_items, map_combi_to_eir))
        return false;
    if (!tabulate(heating_items, map_combi_to_cop))
        return false;
    return true;
}

double HProductPerformanceDataForVRF::evaluate(const QVector<CAL_ITEM>& items, HSpline& spline,
                                               bool& fitted, double rate)
{
    if (!fitted) {
        spline.fit(toPointMap(items));
        fitted = true;
    }
    if (spline.isEmpty())
        return 0.0;
    // Same value and finiteness rule as HPolyFitHelper::spline_fit on the points.
    const double y = spline.value(std::fabs(rate));
    return std::isfinite(y) ? std::fabs(y) : 0.0;
}

double HProductPerformanceDataForVRF::calculateEIR(double rate) const
{
    return evaluate(cooling_items, spline_cooling, spline_cooling_fitted, rate);
}

double HProductPerformanceDataForVRF::calculateCOP(double rate) const
{
    return evaluate(heating_items, spline_heating, spline_heating_fitted, rate);
}

void HProductPerformanceDataForVRF::setMapCombiToEIR(const QMap<double, double>& map)
{
    map_combi_to_eir.clear();
    map_combi_to_eir = map;
}

void HProductPerformanceDataForVRF::setMapCombiToCOP(const QMap<double, double>& map)
{
    map_combi_to_cop.clear();
    map_combi_to_cop = map;
}

void HProductPerformanceDataForVRF::getMapCombiToEIR(QMap<double, double>& map) const
{
    map.clear();
    map = map_combi_to_eir;
}

void HProductPerformanceDataForVRF::getMapCombiToCOP(QMap<double, double>& map) const
{
    map.clear();
    map = map_combi_to_cop;
}
