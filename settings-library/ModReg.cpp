#include "ModReg.h"

#include "PlimsorModule.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "SetsMessages.h"

namespace {

const wchar_t kShellKey[] = L"*\\shell";
const wchar_t kVerbKey[] = L"*\\shell\\OpenWithTARNEL";
const wchar_t kCommandKey[] = L"*\\shell\\OpenWithTARNEL\\command";
const wchar_t kVerbName[] = L"OpenWithTARNEL";
const wchar_t kVerbCaption[] = L"Open with TARNEL";

using platform::RegKey;

LONG CreateKey(RegKey& key, HKEY root, const wchar_t* path)
{
    return RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(), nullptr);
}

LONG OpenKey(RegKey& key, HKEY root, const wchar_t* path, REGSAM access)
{
    return RegOpenKeyExW(root, path, 0, access, key.Out());
}

LONG SetDefault(HKEY key, const std::wstring& value)
{
    return RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool Denied(LONG rc) { return rc == ERROR_ACCESS_DENIED || rc == ERROR_PRIVILEGE_NOT_HELD; }

} // namespace

namespace ModReg {

std::wstring VerbCommand(const std::wstring& programFolder)
{
    return L"\"" + platform::JoinPath(programFolder, L"TARNEL.exe") + L"\" \"%1\"";
}

VerbResult AddVerb(HKEY root, const std::wstring& command)
{
    RegKey shell, verb, cmd;
    bool ok = CreateKey(shell, root, kShellKey) == ERROR_SUCCESS &&
              CreateKey(verb, root, kVerbKey) == ERROR_SUCCESS &&
              SetDefault(verb.Get(), kVerbCaption) == ERROR_SUCCESS &&
              CreateKey(cmd, root, kCommandKey) == ERROR_SUCCESS && SetDefault(cmd.Get(), command) == ERROR_SUCCESS;
    return ok ? VerbResult::Created : VerbResult::CreateFailed;
}

VerbResult RemoveVerb(HKEY root)
{
    {
        RegKey cmd;
        LONG rc = OpenKey(cmd, root, kCommandKey, KEY_ALL_ACCESS);
        if (Denied(rc))
            return VerbResult::AccessDenied;
        if (rc != ERROR_SUCCESS)
            return VerbResult::NotFound;
    }
    {
        RegKey verb;
        LONG rc = OpenKey(verb, root, kVerbKey, KEY_ALL_ACCESS);
        if (rc == ERROR_SUCCESS)
            rc = RegDeleteKeyW(verb.Get(), L"command");
        if (Denied(rc))
            return VerbResult::AccessDenied;
    }
    RegKey shell;
    LONG rc = OpenKey(shell, root, kShellKey, KEY_ALL_ACCESS);
    if (rc == ERROR_SUCCESS)
        rc = RegDeleteKeyW(shell.Get(), kVerbName);
    if (rc == ERROR_SUCCESS)
        return VerbResult::Removed;
    return Denied(rc) ? VerbResult::AccessDenied : VerbResult::RemoveFailed;
}

std::wstring VerbMessage(VerbResult result)
{
    switch (result) {
    case VerbResult::Created:
        return L"Menu item created.";
    case VerbResult::CreateFailed:
        return L"Error. Unable to create menu item.";
    case VerbResult::Removed:
        return L"Menu item removed.";
    case VerbResult::NotFound:
        return L"The setting was not found.";
    case VerbResult::AccessDenied:
        return L"Error. Unable to remove menu item: access is denied.";
    case VerbResult::RemoveFailed:
        break;
    }
    return L"Error. Unable to remove menu item";
}

UINT VerbIcon(VerbResult result)
{
    switch (result) {
    case VerbResult::Created:
    case VerbResult::CreateFailed:
    case VerbResult::Removed:
        return MB_ICONINFORMATION;
    default:
        return MB_ICONERROR;
    }
}

void AddOpenWithVerb(HWND owner)
{
    VerbResult r = AddVerb(HKEY_CLASSES_ROOT, VerbCommand(platform::ModuleFolder(PlimsorModule::Instance())));
    SetsMessages::Show(owner, VerbMessage(r), VerbIcon(r));
}

void RemoveOpenWithVerb(HWND owner)
{
    VerbResult r = RemoveVerb(HKEY_CLASSES_ROOT);
    SetsMessages::Show(owner, VerbMessage(r), VerbIcon(r));
}

std::wstring GetIniSectionNames(const std::wstring& iniPath)
{
    std::wstring buf(2047, L'\0');
    DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"NA", &buf[0], static_cast<DWORD>(buf.size()),
                                       iniPath.c_str());
    if (n == 0)
        return L"NA";
    buf.resize(n);
    for (int i = 0; i < 2 && !buf.empty() && buf.back() == L'\0'; ++i)
        buf.pop_back();
    return buf.empty() ? L"NA" : buf;
}

long ReadIniSection(const std::wstring& section, const std::wstring& iniPath, std::vector<std::wstring>& keys,
                    std::vector<std::wstring>& values)
{
    keys.clear();
    values.clear();
    std::wstring buf(0x3FFF, L'\0');
    DWORD n = GetPrivateProfileSectionW(section.c_str(), &buf[0], static_cast<DWORD>(buf.size()), iniPath.c_str());
    if (n == 0)
        return 0;
    buf.resize(n);
    for (int i = 0; i < 2 && !buf.empty() && buf.back() == L'\0'; ++i)
        buf.pop_back();
    size_t start = 0;
    for (size_t line = 0; start <= buf.size(); ++line) {
        size_t end = buf.find(L'\0', start);
        if (end == std::wstring::npos)
            end = buf.size();
        std::wstring text = buf.substr(start, end - start);
        size_t eq = text.find(L'=');
        if (eq != std::wstring::npos) {
            keys.resize(line + 1);
            values.resize(line + 1);
            keys[line] = text.substr(0, eq);
            values[line] = text.substr(eq + 1);
        }
        start = end + 1;
    }
    return static_cast<long>(keys.size());
}

} // namespace ModReg
