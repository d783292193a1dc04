#pragma once
// INI helpers over the platform's profile calls. Missing values read as "NA".
// Reads grow their buffer until the whole value or section fits.
#include <string>
#include <vector>

namespace ModIni {

std::wstring GetIniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key);
bool SetIniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value);
// Section names separated by NUL characters; "NA" when there are none.
std::wstring GetIniSectionNames(const std::wstring& file);
// Key names of a section separated by NUL characters; "NA" when there are none.
std::wstring GetIniKeyNames(const std::wstring& section, const std::wstring& file);
// Lines of a section split at their first "=" into keys[i] and values[i];
// returns the number of lines (0 when empty or no line has "=").
long ReadIniSection(const std::wstring& section, const std::wstring& file,
                    std::vector<std::wstring>& keys, std::vector<std::wstring>& values);
bool WriteIniSection(const std::wstring& file, const std::wstring& section,
                     const std::vector<std::wstring>& lines);
// 0 success, -1 old section empty or missing, -2 delete failed, -3 write failed.
long RenameIniSection(const std::wstring& file, const std::wstring& oldName, const std::wstring& newName);
bool DeleteIniSection(const std::wstring& file, const std::wstring& section);

} // namespace ModIni
