#include "ModIni.h"

#include "platform/Text.h"

#include <windows.h>

#include <algorithm>

namespace ModIni {

namespace {

// The profile calls cut what does not fit and return size - 1 (one value) or
// size - 2 (NUL-separated lists); the buffer grows until the text fits.
// `reserve` is that 1 or 2. The result holds exactly the returned characters.
template <class Call>
std::wstring ReadGrowing(DWORD start, DWORD reserve, Call call)
{
    DWORD size = start;
    for (;;) {
        std::wstring buf(size, L'\0');
        DWORD n = call(buf.data(), size);
        if (n + reserve < size || size >= (1u << 26)) {
            buf.resize(std::min<DWORD>(n, size));
            return buf;
        }
        size *= 2;
    }
}

// Up to two trailing NULs of a list are dropped.
void TrimListEnd(std::wstring& text)
{
    for (int i = 0; i < 2 && !text.empty() && text.back() == L'\0'; ++i)
        text.pop_back();
}

std::vector<std::wstring> SplitAtNul(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t from = 0;
    for (;;) {
        size_t p = text.find(L'\0', from);
        if (p == std::wstring::npos) {
            lines.push_back(text.substr(from));
            return lines;
        }
        lines.push_back(text.substr(from, p - from));
        from = p + 1;
    }
}

} // namespace

std::wstring GetIniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    std::wstring value = ReadGrowing(1024, 1, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), key.c_str(), L"NA", buf, size, file.c_str());
    });
    return value.empty() ? L"NA" : value;
}

bool SetIniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value)
{
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

std::wstring GetIniSectionNames(const std::wstring& file)
{
    std::wstring names = ReadGrowing(2048, 2, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileStringW(nullptr, nullptr, L"NA", buf, size, file.c_str());
    });
    TrimListEnd(names);
    return names.empty() ? L"NA" : names;
}

std::wstring GetIniKeyNames(const std::wstring& section, const std::wstring& file)
{
    std::wstring names = ReadGrowing(2048, 2, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), nullptr, L"NA", buf, size, file.c_str());
    });
    TrimListEnd(names);
    return names.empty() ? L"NA" : names;
}

long ReadIniSection(const std::wstring& section, const std::wstring& file, std::vector<std::wstring>& keys,
                    std::vector<std::wstring>& values)
{
    keys.clear();
    values.clear();
    std::wstring text = ReadGrowing(16384, 2, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buf, size, file.c_str());
    });
    TrimListEnd(text);
    if (text.empty())
        return 0;
    std::vector<std::wstring> lines = SplitAtNul(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t eq = lines[i].find(L'=');
        if (eq == std::wstring::npos)
            continue;
        // Lines without "=" before this one keep their empty slots.
        keys.resize(i + 1);
        values.resize(i + 1);
        keys[i] = lines[i].substr(0, eq);
        values[i] = lines[i].substr(eq + 1);
    }
    return static_cast<long>(keys.size());
}

bool WriteIniSection(const std::wstring& file, const std::wstring& section, const std::vector<std::wstring>& lines)
{
    std::wstring block;
    for (const std::wstring& line : lines) {
        block += line;
        block += L'\0';
    }
    block += L'\0';
    return WritePrivateProfileSectionW(section.c_str(), block.c_str(), file.c_str()) != FALSE;
}

long RenameIniSection(const std::wstring& file, const std::wstring& oldName, const std::wstring& newName)
{
    std::vector<std::wstring> keys, values;
    long n = ReadIniSection(oldName, file, keys, values);
    if (n <= 0)
        return -1;
    // Section names compare without case: nothing to move.
    if (platform::SameText(oldName, newName))
        return 0;
    std::vector<std::wstring> lines;
    for (long i = 0; i < n; ++i) {
        // Slots of lines without "=" would come back as a bare "=".
        if (!keys[i].empty() || !values[i].empty())
            lines.push_back(keys[i] + L"=" + values[i]);
    }
    // The new section is written before the old one goes, so a failed write
    // loses nothing; a failed delete takes the new copy away again.
    if (!WriteIniSection(file, newName, lines))
        return -3;
    if (!DeleteIniSection(file, oldName)) {
        DeleteIniSection(file, newName);
        return -2;
    }
    return 0;
}

bool DeleteIniSection(const std::wstring& file, const std::wstring& section)
{
    return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

} // namespace ModIni
