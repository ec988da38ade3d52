#pragma once
#include "HUnitsGroup.h"
#include "LumoEcoCoreExport.h"

#include <QMap>

class HProductPerformanceDataForVRF;
class HAdditionalInfomaitonWithVRFWater;
class HStatResult;

// A compared VRF system: its unit list plus whole-system part-load data,
// water-side equipment, monthly results and statistics, all owned.
class LUMOECOCORE_EXPORT HVRF : public HUnitsGroup
{
public:
    HVRF();
    ~HVRF() override;
    HVRF(const HVRF&) = delete;
    HVRF& operator=(const HVRF&) = delete;

    void resetMonthEnergyConsumption();
    // A month without a value reads 0 and is entered with 0.
    double getMonthEnergyConsumption(int month);
    void setMonthEnergyConsumption(int month, double kWh);

    void resetMonthGasConsumption();
    double getMonthGasConsumption(int month);
    void setMonthGasConsumption(int month, double value);

    // Water-cooled units are not supported: always false.
    bool isHaveWaterUnit() const;

    HProductPerformanceDataForVRF* getVRFProductPerformanceData() const { return performance_data; }
    HAdditionalInfomaitonWithVRFWater* getAdditionInformationWithVRFWater() const
    {
        return water_info;
    }
    HStatResult* getStatResultCooling() const { return stat_cooling; }
    HStatResult* getStatResultHeating() const { return stat_heating; }

private:
    HProductPerformanceDataForVRF* performance_data = nullptr;
    HAdditionalInfomaitonWithVRFWater* water_info = nullptr;
    QMap<int, double> month_energy;
    QMap<int, double> month_gas;
    HStatResult* stat_cooling = nullptr;
    HStatResult* stat_heating = nullptr;
};
