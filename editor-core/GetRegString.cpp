#include "GetRegString.h"

#include "platform/Handles.h"

std::wstring GetRegString(HKEY root, const std::wstring& subkey, const std::wstring& name)
{
    platform::RegKey key;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS)
        return L"";
    DWORD type = 0, bytes = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    // Only text values: the bytes of a number or binary value are no text.
    if (RegQueryValueExW(key.Get(), valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes < sizeof(wchar_t))
        return L"";
    // Sized from the query, so long values (paths) come back whole.
    std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = bytes;
    if (RegQueryValueExW(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) !=
        ERROR_SUCCESS)
        return L"";
    buf.resize(got / sizeof(wchar_t));
    while (!buf.empty() && buf.back() == L'\0')
        buf.pop_back();
    return buf;
}
