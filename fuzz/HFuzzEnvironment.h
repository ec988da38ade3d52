#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>

class QCoreApplication;
class QTemporaryDir;

// What every fuzz harness needs around the code it drives, made once per process: the
// application object, a private program directory (curve file, weather-analysis cache)
// with copies of the tests' demo product and weather databases, and no diagnostic
// output.
class HFuzzEnvironment
{
public:
    static HFuzzEnvironment& get();

    // The private program directory.
    QString dir() const;
    // Writes one input to a file of that name in the directory; returns its path.
    QString write(const QString& name, const uint8_t* data, std::size_t size) const;
    QString write(const QString& name, const QByteArray& bytes) const;

    // Registers the demo product catalogue, its energy-data table built.
    void useProducts();
    // Points the weather database at the demo one (40 cities, e.g. France/Paris in
    // table FRA_Paris), opened read-only.
    void useWeather();

private:
    HFuzzEnvironment();
    ~HFuzzEnvironment();
    QCoreApplication* m_app = nullptr;
    QTemporaryDir* m_dir = nullptr;
    QString m_products;
    QString m_weather;
};
