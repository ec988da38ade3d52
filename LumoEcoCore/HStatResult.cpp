#include "HStatResult.h"

#include "HStatItem.h"

#include <algorithm>

HStatResult::HStatResult()
{
    resetPrecent();
}

HStatResult::~HStatResult()
{
    deleteAll();
}

void HStatResult::deleteAll()
{
    qDeleteAll(*this);
    clear();
}

void HStatResult::resetTemp()
{
    deleteAll();
    reserve(131);
    for (int t = -50; t <= 80; ++t) {
        auto* item = new HStatItem;
        item->settemp(t);
        append(item);
    }
}

void HStatResult::resetPrecent()
{
    deleteAll();
    reserve(15);
    for (int k = 10; k <= 150; k += 10) {
        auto* item = new HStatItem;
        item->setload_precent(k * 0.01);
        append(item);
    }
}

HStatItem* HStatResult::getItemByTemp(double t) const
{
    // Binary search over the ascending keys (called for every hour of the year). The
    // first key itself has no bin, as in the step-by-step rule: nothing lies below it.
    const int n = size();
    if (n < 2)
        return nullptr;
    if (t < at(0)->Gettemp())
        return at(0);
    const auto bin = std::lower_bound(cbegin(), cend(), t,
                                      [](const HStatItem* item, double v) { return item->Gettemp() < v; });
    if (bin == cbegin() || bin == cend())
        return nullptr; // the first key, NaN, or above the last key
    return *bin;
}

HStatItem* HStatResult::getItem(double ratio) const
{
    const int n = size();
    for (int i = 0; i + 1 < n; ++i) {
        if (at(i)->Getload_precent() <= ratio && ratio < at(i + 1)->Getload_precent())
            return at(i);
    }
    if (n == 0)
        return nullptr;
    if (ratio < first()->Getload_precent())
        return first();
    if (ratio > last()->Getload_precent())
        return last();
    return nullptr;
}

void HStatResult::clearInvalidItem()
{
    const auto invalid = [](HStatItem* item) {
        if (item->Gethours() != 0)
            return false;
        delete item;
        return true;
    };
    erase(std::remove_if(begin(), end(), invalid), end());
}
