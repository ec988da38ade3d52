#pragma once
#include <QStringList>

class HLumoEcoCli;

// "lumoeco products list [--outdoor | --indoor] [--category C]": the products of the
// energy-data table with their rated capacities and inputs, one tab-separated row each.
class HProductsCommand
{
public:
    explicit HProductsCommand(HLumoEcoCli& cli);

    int run(const QStringList& args);

private:
    HLumoEcoCli& m_cli;
};
