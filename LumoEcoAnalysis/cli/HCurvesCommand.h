#pragma once
#include <QStringList>

class HLumoEcoCli;

// "lumoeco curves [PROJECT.ee]": prints the cooling (EIR) and heating (COP) part-load
// curve tables of both systems, of the project when one is given.
class HCurvesCommand
{
public:
    explicit HCurvesCommand(HLumoEcoCli& cli);

    int run(const QStringList& args);

private:
    HLumoEcoCli& m_cli;
};
