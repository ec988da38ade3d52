#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QStringList>
#include <QVector>

class HLumoEcoCli;

// "lumoeco sweep PROJECT.ee --cities ...": calculates the project in many cities (and
// with its peak loads scaled) through HSweepRunner, one worker process per variant and
// --jobs at a time, and writes one row per variant.
class HSweepCommand
{
public:
    explicit HSweepCommand(HLumoEcoCli& cli);

    static QList<QCommandLineOption> options();

    int run(const QStringList& args);

private:
    // --cities: "all", "Country/City,..." or "@FILE" (one city a line, "Country/City" or
    // "Country<tab>City" as lumoeco weather list prints them).
    bool cityNames(QStringList* names);
    bool scales(QVector<double>* values);
    bool jobs(int* count);
    // The options every worker's calculate gets, as this command was given them.
    QStringList workerOptions() const;

    HLumoEcoCli& m_cli;
};
