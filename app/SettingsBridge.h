#pragma once
// The main program's side of the settings: the record (Settings()) is read
// from plimsors.dat at start-up and after every change made in the settings
// dialog, filled with the program's defaults, applied to the main window,
// and written back at shutdown. The settings dialog itself lives in
// plimsor.dll; fedit opens it (ShowSettings), hears when it closed, and
// puts the record on its window (fedit::ApplySettings).
#include "EditorType.h"
#include "SettingsRecord.h"

#include <cstdint>
#include <string>
#include <vector>

// ---- Procedures on the program's record ----
// Reads the record and fills in the program's defaults.
void ReadSettingsFile();
void SetSettingsDefaults();
std::vector<int32_t> DefaultCustomColors();
// Writes the record, with the running document's type as the last one.
void WriteSettingsFile();

// ---- The parts that need no window ----
namespace SettingsBridge {

// The program's defaults on rec. windowsTemp: the Windows Temp folder, for a WebTempFolder that does not
// exist. Every array of the record has its fixed size afterwards, so a
// damaged file can never make an index run past an array.
void ApplyProgramDefaults(SettingsRecord& rec, const std::wstring& windowsTemp);

// The first folder of the list holding exeName, as folder & "\" & exeName;
// "" when none does.
std::wstring FirstExisting(const std::wstring& exeName, const std::vector<std::wstring>& folders);

// The script host named by a .vbs open command: the command up to and
// including "WScript.exe" (any case), when that is an existing file; else "".
std::wstring WScriptFromOpenCommand(const std::wstring& command);

// The Settings folder of the program folder.
std::wstring SettingsFolder();

} // namespace SettingsBridge
