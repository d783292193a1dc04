#include "ModOrmund.h"

#include "GetRegString.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace ModOrmund {

namespace {

std::wstring ClassValue(const std::wstring& clsid, const std::wstring& subkey)
{
    return GetRegString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + subkey, L"");
}

} // namespace

std::wstring GetServerPath(const std::wstring& clsid, ServerKind& kind)
{
    kind = ServerKind::None;
    if (clsid.empty())
        return L"";
    std::wstring value = ClassValue(clsid, L"\\InprocServer32");
    if (!value.empty()) {
        kind = ServerKind::InProcess;
    } else {
        value = ClassValue(clsid, L"\\LocalServer32");
        if (value.empty())
            return L"";
        kind = ServerKind::Local;
    }
    std::wstring path = ExpandPath(value);
    size_t option = path.find(L" /");
    return option == std::wstring::npos ? path : path.substr(0, option);
}

std::wstring ExpandPath(const std::wstring& text)
{
    std::wstring out = text;
    if (text.find(L'%') != std::wstring::npos) {
        wchar_t buffer[255];
        DWORD n = ExpandEnvironmentStringsW(text.c_str(), buffer, 254);
        out = n >= 2 && n <= 254 ? std::wstring(buffer, n - 1) : L"";
    }
    std::wstring unquoted;
    for (wchar_t c : out)
        if (c != L'"')
            unquoted += c;
    return unquoted;
}

std::vector<std::wstring> EnumSubKeys(HKEY root, const std::wstring& key)
{
    std::vector<std::wstring> names;
    platform::RegKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Out()) == ERROR_SUCCESS) {
        wchar_t name[1024];
        for (DWORD index = 0;; ++index) {
            DWORD length = 1024;
            if (RegEnumKeyExW(opened.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
    }
    if (names.empty())
        names.push_back(L"none");
    return names;
}

std::wstring GetTypeLibFile(const std::wstring& clsid)
{
    std::wstring libid = ClassValue(clsid, L"\\TypeLib");
    if (libid.size() < 30)
        return L"";
    std::vector<std::wstring> versions = EnumSubKeys(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid);
    if (platform::Lower(versions[0]) == L"none")
        return L"";
    for (const std::wstring& version : versions) {
        std::wstring path = GetRegString(HKEY_CLASSES_ROOT, L"TypeLib\\" + libid + L"\\" + version + L"\\0\\win32", L"");
        if (platform::FileExists(path))
            return path;
    }
    return L"";
}

} // namespace ModOrmund
