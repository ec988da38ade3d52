#include "HVRF.h"

#include "HAdditionalInfomaitonWithVRFWater.h"
#include "HProductPerformanceDataForVRF.h"
#include "HStatResult.h"

HVRF::HVRF()
    : performance_data(new HProductPerformanceDataForVRF)
    , water_info(new HAdditionalInfomaitonWithVRFWater)
    , stat_cooling(new HStatResult)
    , stat_heating(new HStatResult)
{
}

HVRF::~HVRF()
{
    delete performance_data;
    delete water_info;
    delete stat_cooling;
    delete stat_heating;
}

void HVRF::resetMonthEnergyConsumption()
{
    month_energy.clear();
}

double HVRF::getMonthEnergyConsumption(int month)
{
    return month_energy[month];
}

void HVRF::setMonthEnergyConsumption(int month, double kWh)
{
    month_energy[month] = kWh;
}

void HVRF::resetMonthGasConsumption()
{
    month_gas.clear();
}

double HVRF::getMonthGasConsumption(int month)
{
    return month_gas[month];
}

void HVRF::setMonthGasConsumption(int month, double value)
{
    month_gas[month] = value;
}

bool HVRF::isHaveWaterUnit() const
{
    return false;
}
