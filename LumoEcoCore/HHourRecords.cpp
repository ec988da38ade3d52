#include "HHourRecords.h"

#include "HCalRecordBlock.h"
#include "HCalVRFUnitItem.h"
#include "HUnit.h"

#include <new>

HHourRecords::~HHourRecords()
{
    deleteItems();
}

void HHourRecords::deleteItems()
{
    if (!m_built && !m_builtFrom && m_items.isEmpty())
        return; // nothing held (most hours of a year that was never calculated)
    for (int i = m_builtCount; i < m_items.size(); ++i)
        delete m_items[i];
    for (int i = 0; i < m_builtCount; ++i)
        m_built[i].~HCalVRFUnitItem();
    ::operator delete(m_built);
    m_built = nullptr;
    m_builtCount = 0;
    m_builtFrom = nullptr;
    m_items.clear(); // keeps the capacity for the next run
}

void HHourRecords::setSlot(const HCalRecordBlock* block, int slot)
{
    const bool keep = block && m_builtCount > 0 && m_items.size() == m_builtCount
        && m_builtFrom == block && m_builtVersion == block->unitsVersion();
    if (keep) {
        fill(block, slot);
        m_block = nullptr;
        return;
    }
    deleteItems();
    m_block = block;
    m_slot = slot;
}

void HHourRecords::append(HCalVRFUnitItem* item)
{
    build();
    m_items.append(item);
}

void HHourRecords::clear()
{
    deleteItems();
    m_block = nullptr;
}

void HHourRecords::build() const
{
    if (!m_block)
        return;
    const int count = m_block->lineCount();
    if (count > 0)
        m_built = static_cast<HCalVRFUnitItem*>(::operator new(sizeof(HCalVRFUnitItem) * count));
    m_items.reserve(count);
    for (int line = 0; line < count; ++line) {
        m_items.append(new (m_built + line) HCalVRFUnitItem(m_block->unit(line)));
        m_builtCount = line + 1;
    }
    fill(m_block, m_slot);
    m_builtFrom = m_block;
    m_builtVersion = m_block->unitsVersion();
    m_block = nullptr;
}

void HHourRecords::fill(const HCalRecordBlock* block, int slot) const
{
    for (int line = 0; line < m_builtCount; ++line) {
        HCalVRFUnitItem& item = m_built[line];
        item.setunit_EIR(block->eir(slot, line));
        item.setunit_power_input(block->energy(slot, line));
    }
}

const QVector<HCalVRFUnitItem*>& HHourRecords::items() const
{
    build();
    return m_items;
}

double HHourRecords::positiveSum() const
{
    if (m_block)
        return m_block->sums(m_slot).records;
    double sum = 0.0;
    for (const HCalVRFUnitItem* item : m_items)
        if (item->Getunit_power_input() > 0.0)
            sum += item->Getunit_power_input();
    return sum;
}

void HHourRecords::splitSums(double& odu, double& idu) const
{
    if (m_block) {
        const HCalRecordBlock::Sums& sums = m_block->sums(m_slot);
        odu = sums.odu;
        idu = sums.idu;
        return;
    }
    odu = 0.0;
    idu = 0.0;
    for (const HCalVRFUnitItem* item : m_items) {
        const double energy = item->Getunit_power_input();
        if (!(energy > 0.0))
            continue;
        const HUnit* unit = item->getUnit();
        if (!unit)
            continue;
        if (unit->Getis_odu())
            odu += energy;
        else
            idu += energy;
    }
}

double HHourRecords::averageOutdoorEIR() const
{
    if (m_block)
        return m_block->averageOutdoorEIR(m_slot);
    double sum = 0.0;
    int count = 0;
    for (const HCalVRFUnitItem* item : m_items) {
        const HUnit* unit = item->getUnit();
        if (unit && unit->Getis_odu()) {
            sum += item->Getunit_EIR();
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}
