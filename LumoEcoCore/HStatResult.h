#pragma once
#include "LumoEcoCoreExport.h"

#include <QVector>

class HStatItem;

// Ordered list of owned statistic bins, ascending by key. Two layouts:
// load bins 0.10 .. 1.50 (constructor, resetPrecent) and temperature bins
// -50 .. 80 degrees (resetTemp).
class LUMOECOCORE_EXPORT HStatResult : public QVector<HStatItem*>
{
public:
    HStatResult();
    ~HStatResult();
    HStatResult(const HStatResult&) = delete;
    HStatResult& operator=(const HStatResult&) = delete;

    void resetTemp();
    void resetPrecent();

    // Bin with key k holds k - 1 < t <= k; below the first key goes to the first bin.
    HStatItem* getItemByTemp(double t) const;
    // Bin with key k holds k <= x < next key; beyond either end goes to the end bin.
    HStatItem* getItem(double ratio) const;

    // Deletes the bins that counted no hour.
    void clearInvalidItem();

private:
    void deleteAll();
};
