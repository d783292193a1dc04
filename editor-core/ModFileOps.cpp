// windows.h first: it turns MoveFile into MoveFileW, and callers that include
// it before ModFileOps.h call that name; the plain name is defined at the end.
#include <windows.h>

#include "ModFileOps.h"

#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace ModFileOps {

namespace {

using platform::ApiPath;
using platform::FindHandle;
using platform::FileAttributes;

bool IsFile(DWORD attrs)
{
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// Both made full (and given the same long-path form), compared without case.
bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return platform::SameText(ApiPath(a), ApiPath(b));
}

// Local date text, a blank and time text; "" for a zero date or one in 1601
// (the epoch that an unset file time converts to).
std::wstring FileTimeText(const FILETIME& ft)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st))
        return L"";
    if (st.wYear == 0 || st.wMonth == 0 || st.wDay == 0 || st.wYear <= 1601)
        return L"";
    wchar_t date[128] = {}, time[128] = {};
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128))
        return L"";
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128))
        return date;
    return std::wstring(date) + L" " + time;
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name)
{
    struct LangCodePage {
        WORD lang;
        WORD codePage;
    };
    std::vector<std::pair<WORD, WORD>> tries;
    LangCodePage* table = nullptr;
    UINT bytes = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table), &bytes) &&
        table) {
        for (UINT i = 0; i < bytes / sizeof(LangCodePage); ++i)
            tries.emplace_back(table[i].lang, table[i].codePage);
    }
    // Files whose translation table is missing or wrong often still carry the
    // US English blocks.
    tries.emplace_back(0x0409, 0x04B0);
    tries.emplace_back(0x0409, 0x04E4);
    tries.emplace_back(0x0409, 0x0000);
    for (const auto& t : tries) {
        wchar_t sub[96];
        wsprintfW(sub, L"\\StringFileInfo\\%04x%04x\\%s", t.first, t.second, name);
        wchar_t* value = nullptr;
        UINT len = 0;
        if (VerQueryValueW(block.data(), sub, reinterpret_cast<void**>(&value), &len) && value && len > 0) {
            std::wstring text(value, len);
            text = StripNull(text);
            if (!text.empty())
                return text;
        }
    }
    return L"";
}

} // namespace

bool GetFileInfo(const std::wstring& path, FileInfo& info)
{
    std::wstring api = ApiPath(path);
    DWORD handle = 0;
    DWORD size = path.empty() ? 0 : GetFileVersionInfoSizeW(api.c_str(), &handle);
    if (size > 0) {
        std::vector<BYTE> block(size);
        if (GetFileVersionInfoW(api.c_str(), 0, size, block.data())) {
            std::wstring company = VersionString(block, L"CompanyName");
            if (!company.empty())
                info.CompanyName = company;
            std::wstring version = VersionString(block, L"FileVersion");
            if (!version.empty())
                info.FileVersion = version;
        }
    }
    if (path.empty())
        return true;
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileW(api.c_str(), &fd));
    if (find.Ok() && !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::wstring created = FileTimeText(fd.ftCreationTime);
        if (!created.empty())
            info.Created = created;
        std::wstring modified = FileTimeText(fd.ftLastWriteTime);
        if (!modified.empty())
            info.Modified = modified;
        ULONGLONG bytes = (static_cast<ULONGLONG>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        info.Size = std::to_wstring(bytes / 1024) + L" KB";
    }
    return true;
}

std::wstring GetSpecialFolder(SpecialFolder kind)
{
    switch (kind) {
    case SpecialFolder::Windows: return platform::WindowsFolder();
    case SpecialFolder::System: return platform::SystemFolder();
    case SpecialFolder::Temp: return platform::TempFolder();
    default: return L"";
    }
}

bool RemoveFile(const std::wstring& path)
{
    DWORD attrs = FileAttributes(path);
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        DWORD err = GetLastError();
        return !path.empty() && (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND);
    }
    if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    std::wstring api = ApiPath(path);
    SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(api.c_str()))
        return true;
    // Still there: give it back its attributes.
    SetFileAttributesW(api.c_str(), attrs);
    return false;
}

bool WriteTextFile(const std::wstring& path, const std::wstring& text)
{
    std::string bytes = platform::ToCodePage(text);
    if (!text.empty() && bytes.empty())
        return false;
    // The old procedure deleted the file before writing, read-only or not.
    return platform::WriteFileSafely(path, bytes, platform::ReadOnlyTarget::Replace);
}

bool MoveFile(const std::wstring& source, const std::wstring& dest)
{
    DWORD srcAttrs = FileAttributes(source);
    if (!IsFile(srcAttrs) || dest.empty())
        return false;
    // Deleting the destination first would delete the only copy.
    if (SamePath(source, dest))
        return true;
    DWORD destAttrs = FileAttributes(dest);
    if (destAttrs != INVALID_FILE_ATTRIBUTES && (destAttrs & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    std::wstring apiSrc = ApiPath(source), apiDest = ApiPath(dest);
    if (destAttrs != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(apiDest.c_str(), FILE_ATTRIBUTE_NORMAL);
    // The copy takes the source's attributes; cleared, the moved file is a
    // plain file as before.
    SetFileAttributesW(apiSrc.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileW(apiSrc.c_str(), apiDest.c_str(), FALSE)) {
        SetFileAttributesW(apiSrc.c_str(), srcAttrs);
        if (destAttrs != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(apiDest.c_str(), destAttrs);
        return false;
    }
    if (!DeleteFileW(apiSrc.c_str()))
        SetFileAttributesW(apiSrc.c_str(), srcAttrs);
    return true;
}

std::wstring ReadTextFile(const std::wstring& path)
{
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes))
        return L"";
    return platform::FromCodePage(bytes);
}

long GetFileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    ULONGLONG bytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return bytes > static_cast<ULONGLONG>(LONG_MAX) ? LONG_MAX : static_cast<long>(bytes);
}

int GetFolderFiles(const std::wstring& folder, const std::wstring& ext, std::wstring& list)
{
    list.clear();
    if (!FolderExists(folder))
        return 0;
    std::wstring pattern = folder + (ext.empty() ? L"\\*.*" : L"\\*." + ext);
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileExW(ApiPath(pattern).c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch,
                                     nullptr, 0));
    if (!find.Ok())
        return 0;
    int count = 0;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (count > 0)
            list += L'*';
        list += fd.cFileName;
        ++count;
    } while (FindNextFileW(find.Get(), &fd));
    return count;
}

std::wstring StripNull(const std::wstring& text)
{
    size_t p = text.find(L'\0');
    return p == std::wstring::npos ? text : text.substr(0, p);
}

} // namespace ModFileOps

// Callers that did not include windows.h first call the plain name.
#undef MoveFile
namespace ModFileOps {
bool MoveFile(const std::wstring& source, const std::wstring& dest);
bool MoveFile(const std::wstring& source, const std::wstring& dest)
{
    return MoveFileW(source, dest);
}
} // namespace ModFileOps
