#include "ParkedNote.h"

#include "platform/Text.h"

#include <vector>

namespace {

const wchar_t kMark[] = L"TARNEL parked document";

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t from = 0;
    for (size_t at; (at = text.find(L"\r\n", from)) != std::wstring::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

} // namespace

std::wstring ParkedNotePath(const std::wstring& parkedFile)
{
    const size_t dot = parkedFile.rfind(L'.');
    const size_t slash = parkedFile.rfind(L'\\');
    const bool hasDot = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasDot ? parkedFile.substr(0, dot) : parkedFile) + L".inf";
}

bool WriteParkedNote(const std::wstring& file, const ParkedNote& note)
{
    // One value a line; a path or name holds no line break.
    const std::wstring text = std::wstring(kMark) + L"\r\n" + note.path + L"\r\n" + note.name + L"\r\n" +
                              std::to_wstring(EditorTypeNumber(note.type)) + L"\r\n" + (note.changed ? L"1" : L"0") +
                              L"\r\n" + std::to_wstring(note.stamp.valid ? note.stamp.written : 0) + L"\r\n" +
                              std::to_wstring(note.stamp.size) + L"\r\n";
    return platform::WriteFileSafely(file, platform::ToCodePage(text, CP_UTF8), platform::ReadOnlyTarget::Replace);
}

bool ReadParkedNote(const std::wstring& file, ParkedNote& note)
{
    std::string bytes;
    if (!platform::ReadWholeFile(file, bytes, 1 << 16))
        return false;
    const std::vector<std::wstring> v = Lines(platform::FromCodePage(bytes, CP_UTF8));
    if (v.size() < 7 || v[0] != kMark || v[1].empty())
        return false;
    note.path = v[1];
    note.name = v[2];
    note.type = EditorTypeOf(std::wcstol(v[3].c_str(), nullptr, 10));
    note.changed = v[4] == L"1";
    note.stamp.written = std::wcstoull(v[5].c_str(), nullptr, 10);
    note.stamp.size = std::wcstoull(v[6].c_str(), nullptr, 10);
    note.stamp.valid = note.stamp.written != 0;
    return true;
}
