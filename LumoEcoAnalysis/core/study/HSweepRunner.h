#pragma once
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// A study of one project over cities and peak-load scales. Each variant is the project
// file with another country and city and its peak loads multiplied by a scale, and is
// calculated by the command-line program's "calculate" in a worker process of its own:
// the global project is one per process, and a variant that fails or crashes takes no
// other variant with it.
class HSweepRunner
{
public:
    struct City
    {
        QString country;
        QString city;
    };

    struct Variant
    {
        int index = 0; // position in the rows
        City city;
        double peakScale = 1.0;
    };

    struct Row
    {
        Variant variant;
        bool ok = false;
        QString error;        // why the variant failed
        QJsonObject result;   // calculate's JSON output, when ok
        QStringList warnings; // the worker's warnings
        double seconds = 0.0; // wall time of the worker
    };

    // Called in the order the variants finish; `done` of `total` have.
    using Progress = std::function<void(const Row& row, int done, int total)>;

    // `program` is run as: program calculate VARIANT.ee --format json `options`.
    HSweepRunner(const QString& program, const QStringList& options);

    // Every city of the weather database, by country and city.
    static QVector<City> allCities();
    // Cities written "Country/City", matched against the weather database as a project's
    // location is (exactly, else regardless of case when that finds one city), in the
    // database's spelling; duplicates are left out. False with the unknown ones named.
    static bool findCities(const QStringList& names, QVector<City>* cities, QString* error);

    // The variants city by city, each city with every scale in the order given.
    static QVector<Variant> variants(const QVector<City>& cities, const QVector<double>& scales);
    // The project file's object for a variant: country and city replaced, numeric peak
    // loads multiplied by the scale (a scale of 1 leaves them as they are).
    static QJsonObject variantDocument(const QJsonObject& project, const Variant& variant);

    // Runs the variants of `project` with at most `jobs` workers at a time and returns
    // the rows in variant order. False (with `error`) only when the variants' files
    // cannot be written.
    bool run(const QJsonObject& project, const QVector<Variant>& variants, int jobs,
             const Progress& progress, QVector<Row>* rows, QString* error);

private:
    QString m_program;
    QStringList m_options;
};
