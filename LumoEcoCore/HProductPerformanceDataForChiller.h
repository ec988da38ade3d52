#pragma once
#include "LumoEcoCoreExport.h"

// Place holder of a water chiller's performance data; holds nothing yet.
class LUMOECOCORE_EXPORT HProductPerformanceDataForChiller
{
public:
    HProductPerformanceDataForChiller() = default;
    ~HProductPerformanceDataForChiller() = default;
    HProductPerformanceDataForChiller(const HProductPerformanceDataForChiller&) = default;
    HProductPerformanceDataForChiller&
    operator=(const HProductPerformanceDataForChiller&) = default;
};
