#pragma once
// Path text: the form the file functions take at any length, the long form of
// a short (8.3) name, and the parts of a path. No file is touched except by
// the two lookups that say so.
#include <string>

namespace platform {

// The path as the W file functions take it at any length: relative paths made
// full, and paths of MAX_PATH - 12 or more given the "\\?\" (or "\\?\UNC\")
// prefix, which turns off the length limit. A prefixed path stays as it is.
std::wstring ApiPath(const std::wstring& path);

// The long form of a path whose parts may be short (8.3) names, as the file
// system gives it (GetLongPathNameW); "" when the path does not exist.
std::wstring GetLongPath(const std::wstring& path);

// The text after the last "\"; "" when there is none.
std::wstring GetFileName(const std::wstring& path);
// The text after the last "." of the whole path; "" when there is none.
std::wstring GetExtension(const std::wstring& path);
// The extension of the file name alone: the text after the name's last ".";
// "" when the name has none (a dot in a folder name does not count).
std::wstring NameExtension(const std::wstring& path);
// The text before the last "\"; "" when there is none.
std::wstring GetParentFolder(const std::wstring& path);
// folder & "\" & name, with one "\" between them whether or not folder ends
// in one ("\" & name for an empty folder).
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// The folder without its trailing "\" (one), as folders are kept and shown.
std::wstring WithoutTrailingBackslash(const std::wstring& folder);

} // namespace platform
