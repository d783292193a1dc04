#pragma once
// One table of message numbers that a subclassed window hands to its owner,
// before or after the window's own procedure. Free slots hold 0, so WM_NULL
// cannot be registered.
#include <windows.h>

class MsgTable {
public:
    static constexpr int kSlots = 32;
    // Stands for every message, in Add and Del alike.
    static constexpr int kAll = -1;

    // -1 makes the table take every message. Otherwise the message takes a
    // free slot (or the next one); false only when all 32 are taken. A
    // message already present is not stored twice; a table of every message
    // becomes a table of just this one.
    bool Add(int msg);
    // -1 empties the table; otherwise the slot holding the message is freed
    // (the slots are not compacted).
    void Del(int msg);
    void Clear() { count_ = 0; }
    bool Has(UINT msg) const;
    // -1 every message, 0 none, else the number of slots in use or freed.
    int Count() const { return count_; }

private:
    int count_ = 0;
    UINT slots_[kSlots] = {};
};
