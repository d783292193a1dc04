#include "GetRegString.h"

std::wstring GetRegString(HKEY root, const std::wstring& subkey, const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return L"";
    std::wstring value;
    DWORD type = 0, bytes = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && bytes >= 2 * sizeof(wchar_t)) {
        std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = bytes;
        if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) ==
            ERROR_SUCCESS) {
            buf.resize(got / sizeof(wchar_t));
            while (!buf.empty() && buf.back() == L'\0')
                buf.pop_back();
            value = buf;
        }
    }
    RegCloseKey(key);
    return value;
}
