#include "GetRegString.h"

#include <memory>

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

} // namespace

std::wstring GetRegString(HKEY root, const std::wstring& subkey, const std::wstring& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return L"";
    KeyHandle key(opened);
    DWORD type = 0, bytes = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    // Only text values: the bytes of a number or binary value are no text.
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes < sizeof(wchar_t))
        return L"";
    // Sized from the query, so long values (paths) come back whole.
    std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = bytes;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) !=
        ERROR_SUCCESS)
        return L"";
    buf.resize(got / sizeof(wchar_t));
    while (!buf.empty() && buf.back() == L'\0')
        buf.pop_back();
    return buf;
}
