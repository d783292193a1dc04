#pragma once
// The page library's files: one text file per page, folder\name.txt, in the
// folder OmLib beside the program. Page names become file names, so a name
// that could reach outside the folder or that the file system cannot hold is
// refused before any file is touched. Writes go through a temporary file
// that replaces the page only when complete, so a failed save keeps the old
// page, and nothing here overwrites a page the caller did not mean to.
#include <string>
#include <vector>

namespace ModOmLib {

// Program folder & "\OmLib".
std::wstring LibFolder();
// Creates the folder when it does not exist; true when it exists afterwards.
bool CheckLibFolder(const std::wstring& folder);
// folder & "\" & name & ".txt".
std::wstring PagePath(const std::wstring& folder, const std::wstring& name);

// "" when name can be a page name; otherwise the message that says why not.
std::wstring PageNameProblem(const std::wstring& name);

// The names of the folder's files, each without its last four characters
// (the ".txt" of a page), in the listing's order; empty for a missing folder.
std::vector<std::wstring> ListPages(const std::wstring& folder);

bool PageExists(const std::wstring& folder, const std::wstring& name);
// The page's whole text (system code page); false when it cannot be read.
bool ReadPage(const std::wstring& folder, const std::wstring& name, std::wstring& text);
// Writes the page whole; an existing page is replaced only once the new text
// is safely written. False when the name is refused or the write fails.
bool SavePage(const std::wstring& folder, const std::wstring& name, const std::wstring& text);

enum class RenameResult { Done, SameName, BadName, Missing, TargetExists, Failed };
// Renames a page; a page of the new name is replaced only when replace is
// set (TargetExists otherwise, nothing changed).
RenameResult RenamePage(const std::wstring& folder, const std::wstring& from, const std::wstring& to,
                        bool replace);
// Deletes the page's file; false when it did not exist or stays.
bool DeletePage(const std::wstring& folder, const std::wstring& name);

} // namespace ModOmLib
