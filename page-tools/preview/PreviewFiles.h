#pragma once
// Where the preview page and the copy for an outside browser go, and the
// clearing of pages the program left behind. No window is needed here.
#include <windows.h>

#include <string>

namespace PreviewFiles {

// The highest page number tried: folder\tarneltemp1.html .. tarneltemp20.html.
constexpr int MaxPages = 20;

std::wstring PageName(const std::wstring& folder, int n);

// The first free page name in folder. Hidden pages of an earlier run (last
// written before runStart) are the program's own leftovers and are removed
// first; a file the user made is never touched. "" when all names are taken.
std::wstring FreePage(const std::wstring& folder, const FILETIME& runStart);

// The copy for an outside browser: folder\t4othbr.<extension>.
std::wstring OtherBrowserCopy(const std::wstring& folder, const std::wstring& extension);

// Removes the hidden tarneltemp*.html and t4othbr.* files in folder (what a
// run that crashed left there); returns how many went.
int RemoveLeftovers(const std::wstring& folder);

// When this process started.
FILETIME RunStart();

} // namespace PreviewFiles
