#pragma once
#include "LumoEcoCoreExport.h"

// Library marker class; carries nothing.
class LUMOECOCORE_EXPORT HEcoCore
{
public:
    HEcoCore() = default;
};
