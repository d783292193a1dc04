#include "ModOmLib.h"

#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <windows.h>

namespace ModOmLib {

namespace {

bool ReservedDeviceName(const std::wstring& name)
{
    std::wstring base = platform::Upper(name.substr(0, name.find(L'.')));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* d : kDevices)
        if (base == d)
            return true;
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

} // namespace

std::wstring LibFolder()
{
    return platform::JoinPath(platform::ProgramFolder(), L"OmLib");
}

bool CheckLibFolder(const std::wstring& folder)
{
    if (!platform::FolderExists(folder))
        CreateDirectoryW(platform::ApiPath(folder).c_str(), nullptr);
    return platform::FolderExists(folder);
}

std::wstring PagePath(const std::wstring& folder, const std::wstring& name)
{
    return platform::JoinPath(folder, name + L".txt");
}

std::wstring PageNameProblem(const std::wstring& name)
{
    static const wchar_t kRule[] =
        L"A page name cannot hold \\ / : * ? \" < > | or \"..\", nor begin or end with a blank or a full stop.";
    if (name.empty() || name.find(L"..") != std::wstring::npos ||
        name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos)
        return kRule;
    for (wchar_t c : name)
        if (c < 32)
            return kRule;
    if (name.front() == L' ' || name.back() == L' ' || name.front() == L'.' || name.back() == L'.')
        return kRule;
    if (ReservedDeviceName(name))
        return L"\"" + name + L"\" is a name the system keeps for a device. Choose another page name.";
    if (name.size() > 200)
        return L"A page name can be at most 200 characters long.";
    return L"";
}

std::vector<std::wstring> ListPages(const std::wstring& folder)
{
    std::vector<std::wstring> pages;
    std::wstring list;
    if (!platform::FolderExists(folder) || ModFileOps::GetFolderFiles(folder, L"", list) == 0)
        return pages;
    size_t start = 0;
    for (;;) {
        size_t star = list.find(L'*', start);
        std::wstring file = list.substr(start, star - start);
        if (file.size() > 4)
            pages.push_back(file.substr(0, file.size() - 4));
        if (star == std::wstring::npos)
            break;
        start = star + 1;
    }
    return pages;
}

bool PageExists(const std::wstring& folder, const std::wstring& name)
{
    return PageNameProblem(name).empty() && platform::FileExists(PagePath(folder, name));
}

bool ReadPage(const std::wstring& folder, const std::wstring& name, std::wstring& text)
{
    if (!PageExists(folder, name))
        return false;
    text = ModFileOps::ReadTextFile(PagePath(folder, name));
    return true;
}

bool SavePage(const std::wstring& folder, const std::wstring& name, const std::wstring& text)
{
    return PageNameProblem(name).empty() && CheckLibFolder(folder) &&
           ModFileOps::WriteTextFile(PagePath(folder, name), text);
}

RenameResult RenamePage(const std::wstring& folder, const std::wstring& from, const std::wstring& to, bool replace)
{
    if (!PageNameProblem(to).empty())
        return RenameResult::BadName;
    if (from == to)
        return RenameResult::SameName;
    if (!PageExists(folder, from))
        return RenameResult::Missing;
    // A new name that differs only in case names the same file.
    bool sameFile = platform::SameText(from, to);
    if (!sameFile && PageExists(folder, to) && !replace)
        return RenameResult::TargetExists;
    const std::wstring source = platform::ApiPath(PagePath(folder, from));
    const std::wstring target = platform::ApiPath(PagePath(folder, to));
    if (!sameFile)
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? RenameResult::Done
                                                                                        : RenameResult::Failed;
    // A move onto the same name in another case can succeed and leave the
    // old case: the page goes through a free temporary name.
    std::wstring temporary;
    for (int n = 0; n < 100 && temporary.empty(); ++n) {
        std::wstring candidate = platform::ApiPath(PagePath(folder, from + L".renaming" + std::to_wstring(n)));
        if (GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES)
            temporary = candidate;
    }
    if (temporary.empty() || !MoveFileExW(source.c_str(), temporary.c_str(), 0))
        return RenameResult::Failed;
    if (MoveFileExW(temporary.c_str(), target.c_str(), 0))
        return RenameResult::Done;
    MoveFileExW(temporary.c_str(), source.c_str(), 0);
    return RenameResult::Failed;
}

bool DeletePage(const std::wstring& folder, const std::wstring& name)
{
    return PageExists(folder, name) && ModFileOps::RemoveFile(PagePath(folder, name));
}

} // namespace ModOmLib
