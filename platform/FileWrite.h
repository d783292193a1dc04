#pragma once
// The one place the safe write hands bytes to the system. It has a file of
// its own so that a test program can link a full disk in its place.
#include <windows.h>

namespace platform {

// Writes all size bytes to file; false when any of them could not be written.
bool WriteChunk(HANDLE file, const void* data, DWORD size);

} // namespace platform
