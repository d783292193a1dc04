#pragma once
// The main program's side of the settings: the record (Settings()) is read
// from plimsors.dat at start-up and after every change made in the settings
// dialog, filled with the program's defaults, applied to the main window,
// and written back at shutdown. The settings dialog itself lives in
// plimsor.dll; fedit opens it (ShowSettings) and hears when it closed.
#include "EditorType.h"
#include "SettingsRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class fedit;

// ---- Procedures on the program's record and window ----
// The main window is handed in; null before start-up has made it.
void ReadSettingsFile(fedit* f);
void SetSettingsDefaults(fedit* f);
std::vector<int32_t> DefaultCustomColors();
void WriteSettingsFile(fedit* f);
void ApplySettings(fedit& f, bool AtStartUp);
void ApplyCustomMenuLabels(fedit& f);
void ApplyToolbarButtons(fedit* f);
void FindScriptHosts(fedit& f);

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
