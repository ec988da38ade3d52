#pragma once

class HProject;
class HStatResult;

// The figures engineers quote about a calculated year, per system: its electricity
// split into cooling and heating hours, the cooling and heating it delivered, its
// seasonal efficiencies, and its installed outdoor capacity against the peak loads.
// Figures that are not defined (no electricity, no floor area, no peak load) are NaN.
class HCalculationFigures
{
public:
    struct System
    {
        // Electricity of the outdoor and indoor units in the hours whose combination
        // rate is above 0 (cooling), and in the other hours (heating), kWh.
        double coolingKWh = 0.0;
        double heatingKWh = 0.0;
        // Rate x outdoor capacity of the mode, summed over the hours the units run
        // (schedule on, not thermo-off), kWh.
        double coolingDeliveredKWh = 0.0;
        double heatingDeliveredKWh = 0.0;
        // Installed outdoor capacity, kW.
        double coolingCapacityKW = 0.0;
        double heatingCapacityKW = 0.0;

        double totalKWh() const { return coolingKWh + heatingKWh; }
        // Delivered ÷ electricity: cooling, heating, and both together.
        double seasonalCoolingEfficiency() const;
        double seasonalHeatingEfficiency() const;
        double seasonalEfficiency() const;
    };

    System own;
    System other;
    double buildArea = 0.0;       // m²
    double coolingPeakLoad = 0.0; // kW, as the year was calculated with
    double heatingPeakLoad = 0.0;

    // Yearly electricity per m² of floor area.
    double kWhPerM2(const System& system) const;
    // Installed outdoor capacity as a percentage of the peak load.
    double coolingCapacityPercent(const System& system) const;
    double heatingCapacityPercent(const System& system) const;

    // The figures of the global project's calculated year.
    static HCalculationFigures compute(HProject* project);

    // The other system's hours by outdoor temperature, binned as the calculation bins
    // the own system's (cooling bins for hours whose building load ratio is above 0,
    // heating bins for the others, empty bins removed), into two results the caller
    // owns. The model keeps the other system's own statistics untouched.
    static void binOtherSystem(HProject* project, HStatResult* cooling, HStatResult* heating);
};
