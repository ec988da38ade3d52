#pragma once
#include <QStringList>

class HLumoEcoCli;

// "lumoeco import SOURCE.eed|SOURCE.vrf [-o OUT.ee|-]": reads a selection-software
// project and saves it as a project file, then says how many unit lines it holds.
class HImportCommand
{
public:
    explicit HImportCommand(HLumoEcoCli& cli);

    int run(const QStringList& args);

private:
    HLumoEcoCli& m_cli;
};
