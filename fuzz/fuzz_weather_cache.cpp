// The weather-analysis cache file of a city table. The harness gives the input the
// table's true source record when it is a JSON object, so that the reading gets past
// that check to the figures; other inputs are read as they are.

#include "HFuzzEnvironment.h"
#include "HJsonFunc.h"
#include "HProjectSession.h"
#include "HWeatherAnalysis.h"
#include "LumoWeather.h"

#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    HFuzzEnvironment& env = HFuzzEnvironment::get();
    env.useWeather();
    static const QString table = QStringLiteral("FRA_Paris");
    static const QJsonObject source = HWeatherAnalysis::cacheSource(table);
    HProjectSession::startProject();

    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QJsonDocument doc;
    if (HJsonFunc::parseTextToJsonDoc(QString::fromUtf8(bytes), doc) && doc.isObject()) {
        QJsonObject root = doc.object();
        root.insert(QStringLiteral("source"), source);
        bytes = QJsonDocument(root).toJson(QJsonDocument::Compact);
    }
    env.write(QStringLiteral("weather/FRA_Paris.json"), bytes);

    HWeatherAnalysis analysis(table);
    if (analysis.ReadStatisResult()) {
        analysis.setIgnoreHours(35);
        analysis.analysisData();
        analysis.calculateDesignAverageTemp();
    }
    return 0;
}
