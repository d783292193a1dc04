#include "FullDisk.h"

#include "platform/FileWrite.h"

#include <algorithm>
#include <cstdint>

namespace {
// Bytes the writes may still take before one fails; SIZE_MAX: no failure wanted.
size_t g_room = SIZE_MAX;
}

void SimulateWriteFailure(size_t afterBytes) { g_room = afterBytes; }

namespace platform {

bool WriteChunk(HANDLE file, const void* data, DWORD size)
{
    DWORD take = size;
    if (g_room != SIZE_MAX)
        take = static_cast<DWORD>(std::min<size_t>(size, g_room));
    DWORD written = 0;
    const bool ok = take == 0 || (WriteFile(file, data, take, &written, nullptr) && written == take);
    if (!ok || take < size) {
        g_room = SIZE_MAX;
        return false;
    }
    if (g_room != SIZE_MAX)
        g_room -= take;
    return true;
}

} // namespace platform
