#pragma once
// Replacing a text by another in files on disk, without the editor: the work
// of the multi-file replace window.
//
// A file is read whole and written back only when something was replaced,
// through the safe write (a temporary file beside it, which then takes its
// place), so a failure leaves the file as it was. The bytes outside the
// replaced text are kept exactly: files with a byte-order mark are read as
// UTF-8 or UTF-16 and keep the mark, a file whose bytes are valid UTF-8 is
// read as UTF-8, any other in the system code page.
#include <windows.h>

#include <string>
#include <vector>

namespace modfind {

// The multi-select Open dialog's answer as paths: one full path, or a folder,
// NUL and file names separated by NULs, each name becoming folder\name.
std::vector<std::wstring> MultiSelectPaths(const std::wstring& result);

// The file's bytes with every occurrence of oldText replaced by newText, left
// to right, occurrences not overlapping and the replacement not searched
// again; case-blind unless caseSensitive. count receives the replacements
// (0: the bytes come back unchanged). False when the bytes cannot be read as
// text of their encoding (a UTF-16 file of an odd length).
bool ReplaceInBytes(const std::string& bytes, const std::wstring& oldText, const std::wstring& newText,
                    bool caseSensitive, std::string& out, long& count);

// Replaces in one file and tells the user of a missing file, asks before
// touching a read-only one (Yes makes it writable; hidden and system stay),
// and reports a file that could not be read or written, which stays as it
// was. True when the file was processed (also with nothing to replace);
// false when it was skipped. Messages are shown over owner.
bool ReplaceInFile(const std::wstring& path, const std::wstring& oldText, const std::wstring& newText,
                   bool caseSensitive, HWND owner = nullptr);

// ReplaceInFile for each path in order; the number processed.
long ReplaceInFiles(const std::vector<std::wstring>& paths, const std::wstring& oldText, const std::wstring& newText,
                    bool caseSensitive, HWND owner = nullptr);

} // namespace modfind
