// The heap warm-up leaves its memory to the heap, paged in.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/HeapWarmup.h"

namespace {

// Free bytes of the process heap that are still committed.
size_t CommittedFreeBytes()
{
    HANDLE heap = GetProcessHeap();
    size_t bytes = 0;
    PROCESS_HEAP_ENTRY e{};
    HeapLock(heap);
    while (HeapWalk(heap, &e))
        if (!(e.wFlags & (PROCESS_HEAP_ENTRY_BUSY | PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)))
            bytes += e.cbData;
    HeapUnlock(heap);
    return bytes;
}

} // namespace

TEST(HeapWarmup, LeavesItsMemoryCommittedForTheNextAllocations)
{
    HANDLE heap = GetProcessHeap();
    // Small free blocks, as a running program's heap has: a small block
    // made to keep the warm blocks apart would go into one of them.
    std::vector<void*> small;
    for (int i = 0; i < 4000; ++i)
        small.push_back(HeapAlloc(heap, 0, 16 + (i % 7) * 8));
    for (size_t i = 0; i < small.size(); i += 2)
        HeapFree(heap, 0, small[i]);
    const size_t before = CommittedFreeBytes();
    const size_t bytes = 32 * 1024 * 1024;
    platform::HeapWarmup warmup(bytes);
    warmup.Release();
    EXPECT_GE(CommittedFreeBytes(), before + bytes * 3 / 4);
    for (size_t i = 1; i < small.size(); i += 2)
        HeapFree(heap, 0, small[i]);
}
