#pragma once
#include <QStringList>

class HLumoEcoCli;

// "lumoeco weather list|analyse|design|import": the cities of the weather database, the
// analysis of one city, the design points of every city, and the import of an EPW or
// TMY3 file as a new city.
class HWeatherCommand
{
public:
    explicit HWeatherCommand(HLumoEcoCli& cli);

    int run(const QStringList& args);

private:
    int list();
    int analyse(const QStringList& args);
    int design();
    int importCity(const QStringList& args);

    HLumoEcoCli& m_cli;
};
