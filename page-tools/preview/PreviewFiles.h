#pragma once
// Where the preview page and the copy for an outside browser go. No window
// is needed here; PageJournal removes what the program left behind.
#include <windows.h>

#include <string>

namespace PreviewFiles {

// The highest page number tried: folder\tarneltemp1.html .. tarneltemp20.html.
constexpr int MaxPages = 20;

std::wstring PageName(const std::wstring& folder, int n);

// The first page name in folder that no file has; "" when all are taken.
std::wstring FreePage(const std::wstring& folder);

// The copy for an outside browser: folder\t4othbr.<extension>.
std::wstring OtherBrowserCopy(const std::wstring& folder, const std::wstring& extension);

} // namespace PreviewFiles
