#include "HeapWarmup.h"

namespace platform {

namespace {

// Below the size that the heap gives a mapping of its own, so the blocks
// come from the heap's common space, where the load's small blocks go.
const size_t kBlockBytes = 256 * 1024;
const size_t kPageBytes = 4096;

} // namespace

HeapWarmup::HeapWarmup(size_t bytes) : blocks_(bytes / kBlockBytes)
{
    if (blocks_ == 0)
        return;
    taken_.reserve(blocks_);
    thread_.Reset(CreateThread(nullptr, 0, &HeapWarmup::Run, this, 0, nullptr));
}

HeapWarmup::~HeapWarmup() { Release(); }

DWORD WINAPI HeapWarmup::Run(LPVOID p)
{
    auto* self = static_cast<HeapWarmup*>(p);
    HANDLE heap = GetProcessHeap();
    for (size_t i = 0; i < self->blocks_; ++i) {
        auto* block = static_cast<volatile char*>(HeapAlloc(heap, 0, kBlockBytes));
        if (!block)
            break;
        // Locking the block has the system bring all its pages in at once,
        // several times faster than a fault for each; where locking is not
        // allowed, each page is touched.
        void* start = const_cast<char*>(block);
        if (VirtualLock(start, kBlockBytes))
            VirtualUnlock(start, kBlockBytes);
        else
            for (size_t at = 0; at < kBlockBytes; at += kPageBytes)
                block[at] = 0;
        self->taken_.push_back(start);
    }
    // One small block kept after the last warm one (for the program's life),
    // so the freed space does not end the heap's space and go back to the
    // system at once.
    HeapAlloc(heap, 0, 16);
    return 0;
}

void HeapWarmup::Release()
{
    if (thread_)
        WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Close();
    // Freed whole, the blocks merge into a few large free spaces. Blocks
    // kept apart by a small used one each (shrunk in place, say) left some
    // 1,600 separate free spaces of a quarter megabyte, and every
    // later edit of the long page paid for them: Comment over 1,000 lines
    // took 1.3 s instead of 0.9 s.
    HANDLE heap = GetProcessHeap();
    for (void* block : taken_)
        HeapFree(heap, 0, block);
    taken_.clear();
    blocks_ = 0;
}

size_t HeapForLongText(unsigned long long fileBytes)
{
    // Short texts load fast enough; their faults cost little.
    const unsigned long long kLongText = 256 * 1024;
    const unsigned long long kPerByte = 400;
    const unsigned long long kMost = 512ull * 1024 * 1024;
    if (fileBytes < kLongText)
        return 0;
    const unsigned long long bytes = fileBytes * kPerByte;
    return static_cast<size_t>(bytes < kMost ? bytes : kMost);
}

} // namespace platform
