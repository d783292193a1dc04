#pragma once
// The settings dialog's common dialogs and small file tests.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ModFormOps.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace ModSets2 {

// The colour dialog on the record's custom colours, the same as the
// program's (the library carries the editing core's window helpers).
using ModFormOps::ShowColorDialog;

// The Open dialog with one filter (and "All Files(*.*)" when addAllFiles);
// the initial folder is used only when it exists. "" when cancelled.
std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::wstring& filterName,
                            const std::wstring& filterPattern, bool addAllFiles,
                            const std::wstring& initialFolder = L"");
// The shell's folder browser; "" when cancelled.
std::wstring BrowseForFolder(const std::wstring& prompt, HWND owner = nullptr);

using platform::FileExists;
using platform::FolderExists;
using platform::GetExtension;

} // namespace ModSets2
