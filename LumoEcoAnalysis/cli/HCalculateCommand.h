#pragma once
#include "HCalHelper.h"

#include <QString>
#include <QStringList>

class HLumoEcoCli;

// "lumoeco calculate PROJECT.ee": calculates the year through HCalculationRun and prints
// the results as a table, JSON or CSV; --hourly and --report also write the hourly rows
// and the spreadsheet report.
class HCalculateCommand
{
public:
    explicit HCalculateCommand(HLumoEcoCli& cli);

    int run(const QStringList& args);

private:
    // What to do about a refused calculation.
    static QString wayOut(HCalHelper::Refusal refusal);

    HLumoEcoCli& m_cli;
};
