#pragma once
// The settings dialog's common dialogs and small file tests.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ModSets2 {

// The colour dialog, fully open, starting at initial, with the 16 custom
// colours taken from and stored back into custColors (a shorter array is
// first filled up to 16 with the default palette; entries past 16 are kept
// as they are). Returns the chosen colour, or -1 when cancelled or failed.
long ShowColorDialog(HWND owner, COLORREF initial, std::vector<int32_t>& custColors);
// The colour dialog's hook: places and titles it as the program's does
// (ModFormOps::PlaceAndRetitleColorDialog) and relabels its custom colours,
// at WM_INITDIALOG.
UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// The Open dialog with one filter (and "All Files(*.*)" when addAllFiles);
// the initial folder is used only when it exists. "" when cancelled.
std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::wstring& filterName,
                            const std::wstring& filterPattern, bool addAllFiles,
                            const std::wstring& initialFolder = L"");
// The shell's folder browser; "" when cancelled.
std::wstring BrowseForFolder(const std::wstring& prompt, HWND owner = nullptr);

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// The text after the last "." of the whole path; "" when there is none.
std::wstring GetExtension(const std::wstring& path);

} // namespace ModSets2
