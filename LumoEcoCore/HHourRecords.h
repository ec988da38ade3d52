#pragma once
#include "LumoEcoCoreExport.h"

#include <QVector>

class HCalRecordBlock;
class HCalVRFUnitItem;

// One system's result records in one hour, owned by the hour. They are either a
// slot of a year's record block (what the year calculation writes) or record
// objects: appended one by one, or built from the slot when a caller first asks
// for the list. Once built, the objects are the records: a caller may change
// them through the pointers it was given, and the sums follow. A later slot of
// the same block with the same units (HCalRecordBlock::unitsVersion()) writes
// its values into those objects, so pointers handed out stay valid.
class LUMOECOCORE_EXPORT HHourRecords
{
public:
    HHourRecords() = default;
    ~HHourRecords();
    HHourRecords(const HHourRecords&) = delete;
    HHourRecords& operator=(const HHourRecords&) = delete;

    // Refers to slot `slot` of `block`, which must outlive the reference and be
    // written already. Objects built from a slot of the same block with the same
    // units take the slot's values; any other record objects are deleted.
    void setSlot(const HCalRecordBlock* block, int slot);
    // Takes ownership of the item and appends it.
    void append(HCalVRFUnitItem* item);
    // Deletes every record.
    void clear();

    // The records in order; built from the slot on first use.
    const QVector<HCalVRFUnitItem*>& items() const;

    // Sum of the positive energies in record order, kWh.
    double positiveSum() const;
    // Positive energies of outdoor and of indoor units.
    void splitSums(double& odu, double& idu) const;
    // Mean EIR of the outdoor-unit records; 0 without any.
    double averageOutdoorEIR() const;

private:
    void build() const;
    void deleteItems();
    // Writes the EIRs and energies of the block's slot into the built objects.
    void fill(const HCalRecordBlock* block, int slot) const;

    mutable const HCalRecordBlock* m_block = nullptr;
    mutable int m_slot = 0;
    mutable QVector<HCalVRFUnitItem*> m_items;
    // One allocation holding the objects built from a slot: m_items[0, m_builtCount).
    mutable HCalVRFUnitItem* m_built = nullptr;
    mutable int m_builtCount = 0;
    // Block and units version the objects in m_built were made for.
    mutable const HCalRecordBlock* m_builtFrom = nullptr;
    mutable quint64 m_builtVersion = 0;
};
