#pragma once
#include "LumoEcoCoreExport.h"

// Place holder of a water-chiller comparison system; holds nothing yet.
class LUMOECOCORE_EXPORT HChiller
{
public:
    HChiller() = default;
};
