#pragma once
// Changes to the object list file. The profile calls rewrite a file in
// place, so a failure halfway (full disk, lost share) would leave the user's
// object list cut short: every change here is made on a copy beside the file,
// which then replaces it through the safe write. When anything fails the old
// list stays whole and the change reports false.
#include <string>
#include <vector>

namespace ObjectListFile {

// value is written as it is; DeleteKey removes the key line.
bool SetValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);
bool DeleteKey(const std::wstring& path, const std::wstring& section, const std::wstring& key);
// The whole section from "key=value" lines (each kept on one line).
bool WriteSection(const std::wstring& path, const std::wstring& section, const std::vector<std::wstring>& lines);
bool DeleteSection(const std::wstring& path, const std::wstring& section);
// 0 done, -1 old section empty or missing, -2 deleting it failed, -3 writing
// the new one failed; the file is unchanged unless 0.
long RenameSection(const std::wstring& path, const std::wstring& oldName, const std::wstring& newName);

} // namespace ObjectListFile
