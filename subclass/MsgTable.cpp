#include "MsgTable.h"

bool MsgTable::Add(int msg)
{
    if (msg == kAll) {
        count_ = kAll;
        return true;
    }
    if (msg == 0)
        return true;    // 0 marks a free slot; there is nothing to store
    if (count_ == kAll)
        count_ = 0;
    const UINT m = static_cast<UINT>(msg);
    int freeSlot = -1;
    for (int i = 0; i < count_; ++i) {
        if (slots_[i] == m)
            return true;
        if (slots_[i] == 0 && freeSlot < 0)
            freeSlot = i;
    }
    if (freeSlot >= 0) {
        slots_[freeSlot] = m;
        return true;
    }
    if (count_ >= kSlots)
        return false;
    slots_[count_++] = m;
    return true;
}

void MsgTable::Del(int msg)
{
    if (msg == kAll) {
        count_ = 0;
        return;
    }
    const UINT m = static_cast<UINT>(msg);
    for (int i = 0; i < count_; ++i) {
        if (slots_[i] == m) {
            slots_[i] = 0;
            return;
        }
    }
}

bool MsgTable::Has(UINT msg) const
{
    if (count_ == kAll)
        return true;
    if (msg == 0)
        return false;   // 0 marks a free slot
    for (int i = 0; i < count_; ++i) {
        if (slots_[i] == msg)
            return true;
    }
    return false;
}
