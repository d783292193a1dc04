#include "platform/SystemFolders.h"

#include "platform/Paths.h"

#include <windows.h>

namespace platform {

namespace {

// Runs a lookup of the GetSystemDirectoryW kind: it returns the length
// without the null when the buffer was large enough, else the size it needs.
template <typename Lookup>
std::wstring FolderOf(Lookup lookup)
{
    std::wstring buf(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UINT cap = static_cast<UINT>(buf.size());
        UINT n = lookup(buf.data(), cap);
        if (n == 0)
            return L"";
        if (n < cap) {
            buf.resize(n);
            return WithoutTrailingBackslash(buf);
        }
        // The folder changed between the two calls when it still does not fit.
        buf.assign(n + 1, L'\0');
    }
    return L"";
}

} // namespace

std::wstring WindowsFolder()
{
    return FolderOf([](wchar_t* buf, UINT cap) { return GetWindowsDirectoryW(buf, cap); });
}

std::wstring SystemFolder()
{
    return FolderOf([](wchar_t* buf, UINT cap) { return GetSystemDirectoryW(buf, cap); });
}

std::wstring TempFolder()
{
    return FolderOf([](wchar_t* buf, UINT cap) { return static_cast<UINT>(GetTempPathW(cap, buf)); });
}

} // namespace platform
