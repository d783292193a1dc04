#include "platform/FileWrite.h"

namespace platform {

bool WriteChunk(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

} // namespace platform
