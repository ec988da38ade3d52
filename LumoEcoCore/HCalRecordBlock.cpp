#include "HCalRecordBlock.h"

#include "HUnit.h"
#include "HUnitsGroup.h"

#include <cmath>

HCalRecordBlock::Load HCalRecordBlock::loadOf(double rate)
{
    if (rate > 0.0)
        return Load::Cooling;
    if (rate < 0.0)
        return Load::Heating;
    return Load::None;
}

double HCalRecordBlock::energy(double eir, const HUnit* unit, Load load, bool on)
{
    Line line;
    line.quantity = unit->Getquantity();
    line.powerCooling = unit->Getpower_input_cooling();
    line.powerHeating = unit->Getpower_input_heating();
    return lineEnergy(eir, line, load, on);
}

double HCalRecordBlock::lineEnergy(double eir, const Line& line, Load load, bool on)
{
    if (load == Load::None)
        return 0.0;
    const double power = load == Load::Cooling ? line.powerCooling : line.powerHeating;
    return std::fabs(on ? eir * power * line.quantity : 0.0);
}

void HCalRecordBlock::setLines(const HUnitsGroup* system, int hours)
{
    // The lines are rewritten in place; only a different unit at some place,
    // another count or another split advances the version.
    std::size_t taken = 0;
    bool changed = false;
    const auto take = [&](HUnit* unit) {
        const Line line{unit, unit->Getquantity(), unit->Getpower_input_cooling(),
                        unit->Getpower_input_heating()};
        if (taken < m_lines.size()) {
            changed = changed || m_lines[taken].unit != unit;
            m_lines[taken] = line;
        } else {
            changed = true;
            m_lines.push_back(line);
        }
        ++taken;
    };
    int outdoorLines = 0;
    if (system) {
        m_lines.reserve(std::size_t(system->size()));
        for (bool outdoor : {true, false}) {
            for (HUnit* unit : *system)
                if (unit->Getis_odu() == outdoor)
                    take(unit);
            if (outdoor)
                outdoorLines = int(taken);
        }
    }
    changed = changed || taken != m_lines.size() || outdoorLines != m_outdoorLines;
    m_lines.resize(taken);
    m_outdoorLines = outdoorLines;
    if (changed)
        ++m_unitsVersion;

    m_indoorCooling.clear();
    m_indoorHeating.clear();
    m_indoorSumCooling = 0.0;
    m_indoorSumHeating = 0.0;
    for (std::size_t i = std::size_t(m_outdoorLines); i < m_lines.size(); ++i) {
        const double cooling = lineEnergy(1.0, m_lines[i], Load::Cooling, true);
        const double heating = lineEnergy(1.0, m_lines[i], Load::Heating, true);
        if (cooling > 0.0) {
            m_indoorCooling.push_back(cooling);
            m_indoorSumCooling += cooling;
        }
        if (heating > 0.0) {
            m_indoorHeating.push_back(heating);
            m_indoorSumHeating += heating;
        }
    }

    const int count = qMax(hours, 0);
    m_eirs.resize(std::size_t(count) * std::size_t(m_outdoorLines));
    m_slots.assign(std::size_t(count), Slot());
}

const HCalRecordBlock::Sums& HCalRecordBlock::setSlot(int slot, Load load, bool on)
{
    Slot& s = m_slots[std::size_t(slot)];
    s.load = load;
    s.on = on;
    s.sums = Sums();
    if (load == Load::None || !on)
        return s.sums; // every energy is 0

    const double* eirs = m_eirs.data() + offset(slot);
    for (int i = 0; i < m_outdoorLines; ++i) {
        const double e = lineEnergy(eirs[i], m_lines[std::size_t(i)], load, true);
        if (e > 0.0)
            s.sums.odu += e;
    }
    const bool cooling = load == Load::Cooling;
    s.sums.idu = cooling ? m_indoorSumCooling : m_indoorSumHeating;
    // One running sum over all records continues from the outdoor lines' sum.
    double records = s.sums.odu;
    for (double e : cooling ? m_indoorCooling : m_indoorHeating)
        records += e;
    s.sums.records = records;
    return s.sums;
}

double HCalRecordBlock::eir(int slot, int line) const
{
    return line < m_outdoorLines ? m_eirs[offset(slot) + std::size_t(line)] : 1.0;
}

double HCalRecordBlock::energy(int slot, int line) const
{
    const Slot& s = m_slots[std::size_t(slot)];
    return lineEnergy(eir(slot, line), m_lines[std::size_t(line)], s.load, s.on);
}

double HCalRecordBlock::averageOutdoorEIR(int slot) const
{
    if (m_outdoorLines == 0)
        return 0.0;
    const double* eirs = m_eirs.data() + offset(slot);
    double sum = 0.0;
    for (int i = 0; i < m_outdoorLines; ++i)
        sum += eirs[i];
    return sum / m_outdoorLines;
}
