#include "ReplaceInFile.h"

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextFile.h"
#include "SettingsRecord.h"

#include <new>

namespace modfind {

namespace {

void Tell(const std::wstring& text, UINT style, HWND owner) { platform::ShowMessage(text, style, owner); }

void TellError(const std::wstring& path, HWND owner)
{
    Tell(L"Error processing file " + path +
             L". It may be open or protected, or it may not be a text-based file.",
         MB_ICONINFORMATION, owner);
}

} // namespace

std::vector<std::wstring> MultiSelectPaths(const std::wstring& result)
{
    std::vector<std::wstring> paths;
    size_t nul = result.find(L'\0');
    if (result.empty())
        return paths;
    if (nul == std::wstring::npos) {
        paths.push_back(result);
        return paths;
    }
    const std::wstring folder = result.substr(0, nul);
    for (size_t from = nul + 1; from < result.size();) {
        size_t next = result.find(L'\0', from);
        if (next == std::wstring::npos)
            next = result.size();
        if (next > from)
            paths.push_back(folder + L"\\" + result.substr(from, next - from));
        from = next + 1;
    }
    return paths;
}

bool ReplaceInBytes(const std::string& bytes, const std::wstring& oldText, const std::wstring& newText,
                    bool caseSensitive, std::string& out, long& count)
{
    count = 0;
    out = bytes;
    if (oldText.empty() || bytes.empty())
        return true;
    // Read as the editor reads it, so a file and its replacement keep one encoding.
    const platform::TextEncoding encoding = platform::DetectEncoding(bytes, Settings().UTF8Text);
    std::wstring text;
    std::vector<size_t> at;
    if (!platform::DecodeText(bytes, encoding, text, &at) || platform::EncodeText(text, encoding) != bytes)
        return false;
    const std::wstring hay = caseSensitive ? text : platform::Upper(text);
    const std::wstring needle = caseSensitive ? oldText : platform::Upper(oldText);
    const std::string with = platform::EncodeText(newText, encoding, false);
    std::string result;
    size_t copied = 0;   // bytes of the file already in result
    for (size_t found = hay.find(needle); found != std::wstring::npos;
         found = hay.find(needle, found + needle.size())) {
        result.append(bytes, copied, at[found] - copied);
        result += with;
        copied = at[found + needle.size()];
        ++count;
    }
    if (count > 0) {
        result.append(bytes, copied, std::string::npos);
        out.swap(result);
    }
    return true;
}

bool ReplaceInFile(const std::wstring& path, const std::wstring& oldText, const std::wstring& newText,
                   bool caseSensitive, HWND owner)
{
    if (!platform::FileExists(path)) {
        Tell(path + L" does not exist.", MB_ICONINFORMATION, owner);
        return false;
    }
    DWORD attributes = platform::FileAttributes(path);
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        if (platform::ShowMessage(path + L" is a Read-Only file. Do you want to change that?",
                                  MB_YESNO | MB_ICONQUESTION, owner) != IDYES)
            return false;
        // Only the read-only mark goes; hidden and system stay.
        if (!SetFileAttributesW(platform::ApiPath(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
            TellError(path, owner);
            return false;
        }
    }
    try {
        std::string bytes, replaced;
        long count = 0;
        if (!platform::ReadWholeFile(path, bytes) ||
            !ReplaceInBytes(bytes, oldText, newText, caseSensitive, replaced, count)) {
            TellError(path, owner);
            return false;
        }
        if (count > 0 && !platform::WriteFileSafely(path, replaced)) {
            TellError(path, owner);
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        TellError(path, owner);
        return false;
    }
}

long ReplaceInFiles(const std::vector<std::wstring>& paths, const std::wstring& oldText, const std::wstring& newText,
                    bool caseSensitive, HWND owner)
{
    long processed = 0;
    for (const std::wstring& path : paths)
        if (ReplaceInFile(path, oldText, newText, caseSensitive, owner))
            ++processed;
    return processed;
}

} // namespace modfind
