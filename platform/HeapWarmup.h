#pragma once
// Memory of the process heap brought in ahead of a large load, on a thread
// of its own, while the program does other start-up work.
//
// Wine's RichEdit takes some 400 bytes of the process heap for every
// character of a long text (a few small blocks for each run of its
// layout), and each fresh page of that heap costs the loading thread a page
// fault. Blocks taken and brought in beforehand, then given back, are kept
// by the heap for the load's allocations: a 10,000-line page then streams in about
// half the time.
#include <windows.h>

#include "Handles.h"

#include <cstddef>
#include <vector>

namespace platform {

class HeapWarmup {
public:
    // Starts a thread that takes about bytes of the process heap in blocks
    // and brings their pages in; nothing when bytes is 0.
    explicit HeapWarmup(size_t bytes);
    // Waits for the thread and gives the blocks back to the heap.
    ~HeapWarmup();
    HeapWarmup(const HeapWarmup&) = delete;
    HeapWarmup& operator=(const HeapWarmup&) = delete;

    // The same as the destructor, at once: the heap's blocks are free for
    // what the caller allocates next.
    void Release();

private:
    static DWORD WINAPI Run(LPVOID self);

    size_t blocks_ = 0;
    std::vector<void*> taken_;
    KernelHandle thread_;
};

// The heap a text of fileBytes bytes will take in the RichEdit when it is
// long enough for that to matter; 0 for a shorter one.
size_t HeapForLongText(unsigned long long fileBytes);

} // namespace platform
