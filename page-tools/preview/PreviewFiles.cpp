#include "PreviewFiles.h"

#include "ModFileOps.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace PreviewFiles {

namespace {

bool Hidden(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes the hidden files in folder that match pattern and fits.
int RemoveHidden(const std::wstring& folder, const std::wstring& pattern, bool (*fits)(const std::wstring&))
{
    int removed = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (Hidden(fd.dwFileAttributes) && fits(fd.cFileName) &&
            ModFileOps::RemoveFile(folder + L"\\" + fd.cFileName))
            ++removed;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return removed;
}

// tarneltemp<digits>.html, as the preview names its pages.
bool IsPageName(const std::wstring& name)
{
    const std::wstring upper = platform::Upper(name);
    const std::wstring head = L"TARNELTEMP", tail = L".HTML";
    if (upper.size() <= head.size() + tail.size() || upper.compare(0, head.size(), head) != 0 ||
        upper.compare(upper.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    for (size_t i = head.size(); i < upper.size() - tail.size(); ++i)
        if (upper[i] < L'0' || upper[i] > L'9')
            return false;
    return true;
}

bool AnyName(const std::wstring&) { return true; }

} // namespace

std::wstring PageName(const std::wstring& folder, int n)
{
    return platform::WithoutTrailingBackslash(folder) + L"\\tarneltemp" + std::to_wstring(n) + L".html";
}

std::wstring FreePage(const std::wstring& folder, const FILETIME& runStart)
{
    for (int n = 1; n <= MaxPages; ++n) {
        const std::wstring name = PageName(folder, n);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
            return name;
        if (Hidden(data.dwFileAttributes) && CompareFileTime(&data.ftLastWriteTime, &runStart) < 0 &&
            ModFileOps::RemoveFile(name))
            return name;
    }
    return L"";
}

std::wstring OtherBrowserCopy(const std::wstring& folder, const std::wstring& extension)
{
    return platform::WithoutTrailingBackslash(folder) + L"\\t4othbr." + extension;
}

int RemoveLeftovers(const std::wstring& folder)
{
    const std::wstring f = platform::WithoutTrailingBackslash(folder);
    if (f.empty() || !platform::FolderExists(f))
        return 0;
    return RemoveHidden(f, L"tarneltemp*.html", IsPageName) + RemoveHidden(f, L"t4othbr.*", AnyName);
}

FILETIME RunStart()
{
    FILETIME created{}, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        GetSystemTimeAsFileTime(&created);
    return created;
}

} // namespace PreviewFiles
