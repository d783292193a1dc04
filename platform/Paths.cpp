#include "platform/Paths.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// Calls a function of the (buffer, size) -> length kind with a buffer that
// grows until the answer fits; "" when it fails.
template <class Call>
std::wstring GrowingBuffer(Call call)
{
    std::vector<wchar_t> buf(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD n = call(buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return L"";
        if (n < buf.size())
            return std::wstring(buf.data(), n);
        buf.resize(n + 1);
    }
    return L"";
}

} // namespace

std::wstring ApiPath(const std::wstring& path)
{
    if (path.empty() || path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    std::wstring full = GrowingBuffer(
        [&](wchar_t* buf, DWORD size) { return GetFullPathNameW(path.c_str(), size, buf, nullptr); });
    if (full.empty())
        return path;
    // Folders already stop short of MAX_PATH (room for an 8.3 name).
    if (full.size() < MAX_PATH - 12)
        return full;
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring GetLongPath(const std::wstring& path)
{
    if (path.empty())
        return L"";
    return GrowingBuffer(
        [&](wchar_t* buf, DWORD size) { return GetLongPathNameW(path.c_str(), buf, size); });
}

std::wstring GetFileName(const std::wstring& path)
{
    size_t p = path.rfind(L'\\');
    return p == std::wstring::npos ? L"" : path.substr(p + 1);
}

std::wstring GetExtension(const std::wstring& path)
{
    size_t p = path.rfind(L'.');
    return p == std::wstring::npos ? L"" : path.substr(p + 1);
}

std::wstring NameExtension(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return L"";
    return path.substr(dot + 1);
}

std::wstring GetParentFolder(const std::wstring& path)
{
    size_t p = path.rfind(L'\\');
    return p == std::wstring::npos ? L"" : path.substr(0, p);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

std::wstring WithoutTrailingBackslash(const std::wstring& folder)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

} // namespace platform
