#pragma once
// Small file-system procedures shared by the whole program. None reports an
// error: every failure yields the neutral result (false, "", 0).
#include <string>

#include "platform/Files.h"
#include "platform/Paths.h"

namespace ModFileOps {

// Filled by GetFileInfo; fields that cannot be found keep their value.
struct FileInfo {
    std::wstring CompanyName;
    std::wstring Created;
    std::wstring Modified;
    std::wstring Size;
    std::wstring FileVersion;
};

bool GetFileInfo(const std::wstring& path, FileInfo& info);
// The Windows, System and Temp folders, without a trailing "\" ("" for any
// other kind).
enum class SpecialFolder { Windows = 0, System = 1, Temp = 2 };
std::wstring GetSpecialFolder(SpecialFolder kind);
using platform::FileExists;
using platform::FolderExists;
using platform::GetExtension;
using platform::GetFileName;
using platform::GetParentFolder;
// Clears the attributes and deletes the file; true when it is gone.
bool RemoveFile(const std::wstring& path);
// Writes text (system code page) through a temporary file, so the old file
// stays whole when the write fails; true on success.
bool WriteTextFile(const std::wstring& path, const std::wstring& text);
// Copies source to dest, then deletes source, only when the copy succeeded.
// windows.h makes this name MoveFileW; both spellings are defined, so include
// order does not matter as long as it is the same within one source file.
bool MoveFile(const std::wstring& source, const std::wstring& dest);
// The whole file as text of the system code page; "" when it cannot be read.
std::wstring ReadTextFile(const std::wstring& path);
long GetFileSize(const std::wstring& path);
// Names in folder matching *.ext (all files when ext is empty), joined by "*".
int GetFolderFiles(const std::wstring& folder, const std::wstring& ext, std::wstring& list);
std::wstring StripNull(const std::wstring& text);

} // namespace ModFileOps
