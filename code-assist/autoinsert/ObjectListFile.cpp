#include "ObjectListFile.h"

#include "ModFileOps.h"
#include "ModIni.h"
#include "platform/Files.h"

#include <windows.h>

#include <functional>

namespace ObjectListFile {

namespace {

// Runs edit on a copy of path and puts the copy in path's place when edit
// succeeded. The copy's name changes with every change, so that the profile
// routines never take it for a file they have read before.
bool EditCopy(const std::wstring& path, const std::function<bool(const std::wstring& copy)>& edit)
{
    static unsigned serial = 0;
    std::string before;
    if (platform::FileExists(path) && !platform::ReadWholeFile(path, before))
        return false;
    const std::wstring copy =
        path + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial) + L".ini";
    bool ok = platform::WriteFileSafely(copy, before) && edit(copy);
    std::string after;
    // The profile routines may keep the copy's text until told to flush it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy.c_str());
    ok = ok && platform::ReadWholeFile(copy, after) && platform::WriteFileSafely(path, after);
    ModFileOps::RemoveFile(copy);
    return ok;
}

} // namespace

bool SetValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value)
{
    return EditCopy(path, [&](const std::wstring& copy) { return ModIni::SetIniValue(copy, section, key, value); });
}

bool DeleteKey(const std::wstring& path, const std::wstring& section, const std::wstring& key)
{
    return EditCopy(path, [&](const std::wstring& copy) {
        return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, copy.c_str()) != FALSE;
    });
}

bool WriteSection(const std::wstring& path, const std::wstring& section, const std::vector<std::wstring>& lines)
{
    return EditCopy(path, [&](const std::wstring& copy) { return ModIni::WriteIniSection(copy, section, lines); });
}

bool DeleteSection(const std::wstring& path, const std::wstring& section)
{
    return EditCopy(path, [&](const std::wstring& copy) { return ModIni::DeleteIniSection(copy, section); });
}

long RenameSection(const std::wstring& path, const std::wstring& oldName, const std::wstring& newName)
{
    long result = -3;
    EditCopy(path, [&](const std::wstring& copy) {
        result = ModIni::RenameIniSection(copy, oldName, newName);
        return result == 0;
    });
    return result;
}

} // namespace ObjectListFile
