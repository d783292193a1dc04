#include "ReplaceInFile.h"

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <new>

namespace modfind {

namespace {

enum class Encoding { CodePage, Utf8, Utf16LE, Utf16BE };

// A file's text, and for each UTF-16 unit the offset of its bytes, plus the
// end: replaced stretches map back to bytes, the rest is copied as it was.
// A text of one byte a character keeps no table: its offsets are its indexes.
struct DecodedText {
    Encoding encoding = Encoding::CodePage;
    std::wstring text;
    std::vector<size_t> at;
    size_t Offset(size_t unit) const { return at.empty() ? unit : at[unit]; }
};

bool SingleByteCodePage()
{
    CPINFO info{};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

bool HasPrefix(const std::string& b, const char* p, size_t n) { return b.size() >= n && b.compare(0, n, p, n) == 0; }

size_t Utf8Length(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

bool DecodeUtf8(const std::string& b, size_t from, DecodedText& d)
{
    d.text = platform::FromCodePage(b.data() + from, b.size() - from, CP_UTF8);
    d.at.reserve(d.text.size() + 1);
    for (size_t i = from; i < b.size();) {
        size_t n = Utf8Length(static_cast<unsigned char>(b[i]));
        d.at.push_back(i);
        if (n == 4)
            d.at.push_back(i);   // the second unit of a surrogate pair
        i += n;
    }
    d.at.push_back(b.size());
    return d.at.size() == d.text.size() + 1;
}

bool DecodeUtf16(const std::string& b, DecodedText& d, bool bigEndian)
{
    if (b.size() % 2)
        return false;
    for (size_t i = 2; i < b.size(); i += 2) {
        unsigned char lo = static_cast<unsigned char>(b[bigEndian ? i + 1 : i]);
        unsigned char hi = static_cast<unsigned char>(b[bigEndian ? i : i + 1]);
        d.text += static_cast<wchar_t>(lo | hi << 8);
        d.at.push_back(i);
    }
    d.at.push_back(b.size());
    return true;
}

bool DecodeCodePage(const std::string& b, DecodedText& d)
{
    d.text = platform::FromCodePage(b);
    static const bool singleByte = SingleByteCodePage();
    if (singleByte)
        return d.text.size() == b.size();
    d.at.reserve(b.size() + 1);
    for (size_t i = 0; i < b.size(); ++i) {
        d.at.push_back(i);
        if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b[i])) && i + 1 < b.size())
            ++i;
    }
    d.at.push_back(b.size());
    // A character the code page turns into more or fewer units than the walk
    // counted would misplace every replacement after it.
    return d.at.size() == d.text.size() + 1;
}

bool ValidUtf8WithMultiByte(const std::string& b)
{
    bool multi = false;
    for (unsigned char c : b)
        multi = multi || c >= 0x80;
    if (!multi)
        return false;
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, b.data(), static_cast<int>(b.size()), nullptr, 0) > 0;
}

bool Decode(const std::string& b, DecodedText& d)
{
    if (HasPrefix(b, "\xEF\xBB\xBF", 3)) {
        d.encoding = Encoding::Utf8;
        return DecodeUtf8(b, 3, d);
    }
    if (HasPrefix(b, "\xFF\xFE", 2)) {
        d.encoding = Encoding::Utf16LE;
        return DecodeUtf16(b, d, false);
    }
    if (HasPrefix(b, "\xFE\xFF", 2)) {
        d.encoding = Encoding::Utf16BE;
        return DecodeUtf16(b, d, true);
    }
    if (ValidUtf8WithMultiByte(b)) {
        d.encoding = Encoding::Utf8;
        return DecodeUtf8(b, 0, d);
    }
    d.encoding = Encoding::CodePage;
    return DecodeCodePage(b, d);
}

std::string Encode(const std::wstring& text, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return platform::ToCodePage(text, CP_UTF8);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        std::string out;
        for (wchar_t c : text) {
            char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += encoding == Encoding::Utf16LE ? lo : hi;
            out += encoding == Encoding::Utf16LE ? hi : lo;
        }
        return out;
    }
    default:
        return platform::ToCodePage(text);
    }
}

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
    DecodedText d;
    if (!Decode(bytes, d))
        return false;
    const std::wstring hay = caseSensitive ? d.text : platform::Upper(d.text);
    const std::wstring needle = caseSensitive ? oldText : platform::Upper(oldText);
    const std::string with = Encode(newText, d.encoding);
    std::string result;
    size_t copied = 0;   // bytes of the file already in result
    for (size_t at = hay.find(needle); at != std::wstring::npos; at = hay.find(needle, at + needle.size())) {
        result.append(bytes, copied, d.Offset(at) - copied);
        result += with;
        copied = d.Offset(at + needle.size());
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
