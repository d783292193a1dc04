#pragma once
// The module (program or DLL) a piece of code lives in, and its folder. The
// platform layer is linked into each module that uses it, so ThisModule and
// ProgramFolder answer for the module that calls them: TARNEL.exe in the
// program, plimsor.dll in the settings library.
#include <windows.h>

#include <string>

namespace platform {

// The module this code is linked into.
HMODULE ThisModule();
// The module that contains the given address (code or data), or null.
HMODULE ModuleOfAddress(const void* address);
// Full path of a module's file ("" when unknown); null: the program's file.
std::wstring ModulePath(HMODULE module);
// Folder of a module's file, without a trailing backslash except at a drive
// root ("" when unknown).
std::wstring ModuleFolder(HMODULE module);
// The folder of ThisModule(): where the program keeps Settings and temp.
std::wstring ProgramFolder();

} // namespace platform
