#include "PageJournal.h"

#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return platform::SameText(a, b);
}

// Removes path when it is as the program wrote it: a hidden file.
bool RemoveWritten(const std::wstring& path)
{
    const DWORD attributes = platform::FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY) && ModFileOps::RemoveFile(path);
}

} // namespace

std::vector<std::wstring> PageJournal::Listed() const
{
    std::vector<std::wstring> paths;
    std::string bytes;
    if (!platform::ReadWholeFile(file_, bytes, 1 << 20))
        return paths;
    const std::wstring text = platform::FromCodePage(bytes, CP_UTF8);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (!line.empty())
            paths.push_back(line);
        start = end + 1;
    }
    return paths;
}

void PageJournal::Save(const std::vector<std::wstring>& paths) const
{
    if (paths.empty()) {
        DeleteFileW(file_.c_str());
        return;
    }
    std::wstring text;
    for (const std::wstring& p : paths)
        text += p + L"\r\n";
    platform::WriteFileSafely(file_, platform::ToCodePage(text, CP_UTF8));
}

void PageJournal::Remember(const std::wstring& path) const
{
    std::vector<std::wstring> paths = Listed();
    if (std::none_of(paths.begin(), paths.end(), [&](const std::wstring& p) { return SamePath(p, path); })) {
        paths.push_back(path);
        Save(paths);
    }
}

bool PageJournal::Remove(const std::wstring& path) const
{
    std::vector<std::wstring> paths = Listed();
    const auto listed = std::find_if(paths.begin(), paths.end(), [&](const std::wstring& p) { return SamePath(p, path); });
    if (listed == paths.end())
        return false;
    const bool removed = RemoveWritten(path);
    // Kept listed only while it is there and could not be removed.
    if (removed || !platform::FileExists(path) || !(platform::FileAttributes(path) & FILE_ATTRIBUTE_HIDDEN)) {
        paths.erase(listed);
        Save(paths);
    }
    return removed;
}

int PageJournal::RemoveAll(const std::wstring& folder) const
{
    const std::wstring inFolder = platform::WithoutTrailingBackslash(folder);
    std::vector<std::wstring> paths = Listed(), kept;
    int removed = 0;
    for (const std::wstring& p : paths) {
        if (!inFolder.empty() && !SamePath(platform::WithoutTrailingBackslash(platform::GetParentFolder(p)), inFolder)) {
            kept.push_back(p);
            continue;
        }
        if (RemoveWritten(p))
            ++removed;
        else if (platform::FileExists(p) && (platform::FileAttributes(p) & FILE_ATTRIBUTE_HIDDEN))
            kept.push_back(p);   // still there: tried again next time
    }
    if (kept.size() != paths.size())
        Save(kept);
    return removed;
}

const PageJournal& WrittenPages()
{
    static const PageJournal journal(platform::JoinPath(platform::TempFolder(), L"tarnelpages.lst"));
    return journal;
}
