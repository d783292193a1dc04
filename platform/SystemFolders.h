#pragma once
// The system's own folders, as the system names them at this moment. Each is
// given without a trailing "\" (one is appended when a name is joined to it),
// and is "" when the system cannot say.
#include <string>

namespace platform {

// The Windows folder (GetWindowsDirectoryW).
std::wstring WindowsFolder();
// The System folder (GetSystemDirectoryW), where the system's libraries are.
std::wstring SystemFolder();
// The temporary folder of this user (GetTempPathW).
std::wstring TempFolder();

} // namespace platform
