// The settings bridge's parts that need no window: the program's defaults
// and the script-host search.
#include "SettingsBridge.h"

#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <windows.h>

namespace SettingsBridge {

void ApplyProgramDefaults(SettingsRecord& rec, const std::wstring& windowsTemp)
{
    // The program's own values first; the library's defaults then fill every
    // field that is still empty the same way for both deliverables.
    if (rec.WinHeight == 0)
        rec.WinHeight = 7890;
    if (rec.WinWidth == 0)
        rec.WinWidth = 11460;
    if (rec.ExeName1.size() < 2)
        rec.ExeName1 = L"-";
    if (rec.ExeName2.size() < 2)
        rec.ExeName2 = L"-";
    if (rec.ExeName3.size() < 2)
        rec.ExeName3 = L"-";
    if (rec.Menu1Name.size() < 2)
        rec.Menu1Name = L"Custom Menu 1";
    if (rec.Menu2Name.size() < 2)
        rec.Menu2Name = L"Custom Menu 2";
    if (!platform::FolderExists(rec.WebTempFolder))
        rec.WebTempFolder = windowsTemp;
    // Fills the rest and brings every array to its fixed size.
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.WebTempFolder = platform::WithoutTrailingBackslash(rec.WebTempFolder);
}

std::wstring FirstExisting(const std::wstring& exeName, const std::vector<std::wstring>& folders)
{
    for (const std::wstring& folder : folders) {
        if (folder.empty())
            continue;
        std::wstring path = folder + L"\\" + exeName;
        if (platform::FileExists(path))
            return path;
    }
    return L"";
}

std::wstring WScriptFromOpenCommand(const std::wstring& command)
{
    static const wchar_t kHost[] = L"WScript.exe";
    if (command.empty())
        return L"";
    size_t p = platform::Upper(command).find(platform::Upper(kHost));
    if (p == std::wstring::npos)
        return L"";
    std::wstring candidate = command.substr(0, p + wcslen(kHost));
    return platform::FileExists(candidate) ? candidate : L"";
}

} // namespace SettingsBridge
