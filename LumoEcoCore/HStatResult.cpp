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
    const int n = size();
    for (int i = 0; i + 1 < n; ++i) {
        if (i == 0 && t < at(0)->Gettemp())
            return at(0);
        if (at(i)->Gettemp() < t && t <= at(i + 1)->Gettemp())
            return at(i + 1);
    }
    return nullptr;
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
