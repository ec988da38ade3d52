#pragma once
#include "LumoEcoCalExport.h"

#include <QString>

// A peak load the capacity check replaced: the own system's outdoor capacity lay
// outside 50 %..150 % of it, so 110 % of that capacity is used instead. Made by
// HCalHelper::calculatePeakLoad, shown by the program and the command line alike.
struct LUMOECOCAL_EXPORT HPeakLoadReplacement
{
    bool cooling = true;   // the cooling peak load, else the heating one
    double input = 0.0;    // kW, the peak load as given
    double capacity = 0.0; // kW, the own system's outdoor capacity in that mode
    double used = 0.0;     // kW, the peak load now in the project (capacity x 1.1)

    // Capacity / input, the ratio the check tested; 0 for an input that is not above 0.
    double ratio() const;
    // One translated sentence naming the input (or that none was given), the capacity
    // and the value used.
    QString message() const;
};
