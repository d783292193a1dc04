#pragma once
// The "Open with TARNEL" shell verb under HKEY_CLASSES_ROOT\*\shell, and the
// library's two INI readers.
#include <windows.h>

#include <string>
#include <vector>

namespace ModReg {

enum class VerbResult {
    Created,
    CreateFailed,
    Removed,
    NotFound,
    AccessDenied,
    RemoveFailed,
};

// The verb's command for TARNEL.exe in programFolder. Path and argument are
// quoted, so a folder or a file name with spaces stays one argument; the
// program drops every double quote from its command line.
std::wstring VerbCommand(const std::wstring& programFolder);
// The verb under root (HKEY_CLASSES_ROOT in the program; tests pass a key of
// their own). Adding again opens the existing keys and succeeds.
VerbResult AddVerb(HKEY root, const std::wstring& command);
VerbResult RemoveVerb(HKEY root);
// The message the user sees for a result, and its icon flag.
std::wstring VerbMessage(VerbResult result);
UINT VerbIcon(VerbResult result);

// Add or remove the verb for the program beside this library and report the
// outcome in a message box.
void AddOpenWithVerb(HWND owner);
void RemoveOpenWithVerb(HWND owner);

// The section names of an INI file, NUL-separated, or "NA".
std::wstring GetIniSectionNames(const std::wstring& iniPath);
// The lines of a section split at their first "=": line i fills keys[i] and
// values[i] (lines without "=" leave empty entries). Returns the index of the
// last line that has "=", plus 1; 0 when none has.
long ReadIniSection(const std::wstring& section, const std::wstring& iniPath, std::vector<std::wstring>& keys,
                    std::vector<std::wstring>& values);

} // namespace ModReg
