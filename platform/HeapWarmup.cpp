#include "HeapWarmup.h"

namespace platform {

namespace {

// Below the size that the heap gives a mapping of its own, so the blocks
// come from the heap's common space, where the load's small blocks go.
const size_t kBlockBytes = 256 * 1024;
const size_t kPageBytes = 4096;
// Page faults of one thread are slow; a few threads touch in parallel.
const size_t kThreads = 4;

} // namespace

HeapWarmup::HeapWarmup(size_t bytes)
{
    const size_t blocks = bytes / kBlockBytes;
    if (blocks == 0)
        return;
    workers_.resize(kThreads);
    for (size_t i = 0; i < kThreads; ++i) {
        workers_[i].blocks = blocks / kThreads;
        workers_[i].taken.reserve(workers_[i].blocks);
    }
    for (Worker& w : workers_)
        w.thread.Reset(CreateThread(nullptr, 0, &HeapWarmup::Run, &w, 0, nullptr));
}

HeapWarmup::~HeapWarmup() { Release(); }

DWORD WINAPI HeapWarmup::Run(LPVOID p)
{
    auto* w = static_cast<Worker*>(p);
    HANDLE heap = GetProcessHeap();
    for (size_t i = 0; i < w->blocks; ++i) {
        auto* block = static_cast<volatile char*>(HeapAlloc(heap, 0, kBlockBytes));
        if (!block)
            break;
        for (size_t at = 0; at < kBlockBytes; at += kPageBytes)
            block[at] = 0;
        w->taken.push_back(const_cast<char*>(block));
        // A small block kept after each one (for the program's life, a few
        // dozen KB in all): a freed block at the end of the heap's space is
        // handed back to the system, and its pages with it, where one
        // between used blocks stays.
        HeapAlloc(heap, 0, 16);
    }
    return 0;
}

void HeapWarmup::Release()
{
    HANDLE heap = GetProcessHeap();
    for (Worker& w : workers_) {
        if (w.thread)
            WaitForSingleObject(w.thread.Get(), INFINITE);
        w.thread.Close();
        for (void* block : w.taken)
            HeapFree(heap, 0, block);
        w.taken.clear();
    }
    workers_.clear();
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
