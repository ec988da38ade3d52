#pragma once
#include "LumoEcoCoreExport.h"

#include <QtGlobal>
#include <vector>

class HUnit;
class HUnitsGroup;

// One system's result records for every hour of a year, held compactly: the
// storage of the year calculation. It keeps the unit lines as the calculation
// read them (outdoor lines, then indoor lines, each in list order, with their
// quantities and power inputs) and, per hour (a slot), the system's load,
// whether the plant ran and the EIR of every outdoor line. The rest of a record
// follows from these: an indoor line's EIR is 1.0 and its energy depends on the
// load and the plant alone. An hour refers to its slot (HHourRecords), which
// builds HCalVRFUnitItem objects only when a caller asks for the hour's list.
//
// The storage grows when the lines or the hours need more room and is reused,
// without allocating, by every later calculation. unitsVersion() advances only
// when the sequence of units changes, so an hour keeps the record objects it
// handed out while it stays the same.
class LUMOECOCORE_EXPORT HCalRecordBlock
{
public:
    enum class Load : quint8 { None, Cooling, Heating };

    // Cooling above 0, heating below 0; 0 and a rate that is not a number have no load.
    static Load loadOf(double rate);
    // Energy of one unit line in one hour, kWh: EIR x rated power input for the
    // load x quantity while the plant runs, otherwise 0. Never negative.
    static double energy(double eir, const HUnit* unit, Load load, bool on);

    // Positive energies of one hour's records, added in record order: outdoor
    // lines, indoor lines, and all records in one running sum (the sum that
    // HHour::getOwnVRFEnergyConsumption() gives).
    struct Sums
    {
        double odu = 0.0;
        double idu = 0.0;
        double records = 0.0;
    };

    HCalRecordBlock() = default;
    HCalRecordBlock(const HCalRecordBlock&) = delete;
    HCalRecordBlock& operator=(const HCalRecordBlock&) = delete;

    // Takes the unit lines of `system` (none for null) with their current
    // ratings and makes room for `hours` slots. Slots hold no valid hour until
    // setSlot() writes them.
    void setLines(const HUnitsGroup* system, int hours);
    // Advances whenever setLines() takes other units, another order of them or
    // another split into outdoor and indoor lines; ratings and quantities alone
    // do not change it.
    quint64 unitsVersion() const { return m_unitsVersion; }

    int slotCount() const { return int(m_slots.size()); }
    int lineCount() const { return int(m_lines.size()); }
    int outdoorLineCount() const { return m_outdoorLines; }
    HUnit* unit(int line) const { return m_lines[std::size_t(line)].unit; }

    // The slot's outdoor EIRs, one per outdoor line, to be written before setSlot().
    double* outdoorEIRs(int slot) { return m_eirs.data() + offset(slot); }
    // Completes the slot with the hour's load and plant state; returns its sums.
    const Sums& setSlot(int slot, Load load, bool on);

    const Sums& sums(int slot) const { return m_slots[std::size_t(slot)].sums; }
    // EIR and energy of one line's record in a slot.
    double eir(int slot, int line) const;
    double energy(int slot, int line) const;
    // Mean EIR of the outdoor lines; 0 without any.
    double averageOutdoorEIR(int slot) const;

private:
    struct Line
    {
        HUnit* unit = nullptr;
        int quantity = 0;
        double powerCooling = 0.0;
        double powerHeating = 0.0;
    };
    struct Slot
    {
        Sums sums;
        Load load = Load::None;
        bool on = false;
    };

    std::size_t offset(int slot) const { return std::size_t(slot) * std::size_t(m_outdoorLines); }
    static double lineEnergy(double eir, const Line& line, Load load, bool on);

    std::vector<Line> m_lines;
    int m_outdoorLines = 0;
    quint64 m_unitsVersion = 0;
    // Positive indoor energies while the plant runs, in line order, and their sum.
    std::vector<double> m_indoorCooling;
    std::vector<double> m_indoorHeating;
    double m_indoorSumCooling = 0.0;
    double m_indoorSumHeating = 0.0;

    std::vector<double> m_eirs; // slot-major: the outdoor EIRs of slot 0, then slot 1 ...
    std::vector<Slot> m_slots;
};
