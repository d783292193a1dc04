#include "platform/TextFile.h"

#include "platform/Text.h"

#include <algorithm>
#include <climits>

namespace platform {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& b, const char* p, size_t n) { return b.size() >= n && b.compare(0, n, p, n) == 0; }

size_t MarkLength(TextEncoding e)
{
    return e == TextEncoding::Utf8Bom ? 3 : (e == TextEncoding::Utf16LE || e == TextEncoding::Utf16BE) ? 2 : 0;
}

size_t Utf8Length(unsigned char lead) { return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2; }

bool DecodeUtf8(const std::string& b, size_t from, std::wstring& text, std::vector<size_t>* offsets)
{
    const size_t size = b.size() - from;
    if (size > INT_MAX)
        return false;
    text.clear();
    if (size > 0) {
        const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, b.data() + from, static_cast<int>(size),
                                          nullptr, 0);
        if (n <= 0)
            return false;
        text.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, b.data() + from, static_cast<int>(size), text.data(), n);
    }
    if (offsets) {
        offsets->clear();
        offsets->reserve(text.size() + 1);
        for (size_t i = from; i < b.size();) {
            const size_t n = Utf8Length(static_cast<unsigned char>(b[i]));
            offsets->push_back(i);
            if (n == 4)
                offsets->push_back(i);   // the second unit of a surrogate pair
            i += n;
        }
        offsets->push_back(b.size());
        if (offsets->size() != text.size() + 1)
            return false;
    }
    return true;
}

bool DecodeUtf16(const std::string& b, bool bigEndian, std::wstring& text, std::vector<size_t>* offsets)
{
    if (b.size() % 2)
        return false;
    text.clear();
    text.reserve(b.size() / 2);
    for (size_t i = 2; i < b.size(); i += 2) {
        const unsigned lo = static_cast<unsigned char>(b[bigEndian ? i + 1 : i]);
        const unsigned hi = static_cast<unsigned char>(b[bigEndian ? i : i + 1]);
        text += static_cast<wchar_t>(lo | hi << 8);
    }
    if (offsets) {
        offsets->clear();
        for (size_t i = 2; i <= b.size(); i += 2)
            offsets->push_back(i);
    }
    return true;
}

bool DecodeCodePage(const std::string& b, std::wstring& text, std::vector<size_t>* offsets)
{
    text = FromCodePage(b);
    if (text.empty() != b.empty())
        return false;
    if (offsets) {
        offsets->clear();
        offsets->reserve(b.size() + 1);
        for (size_t i = 0; i < b.size(); ++i) {
            offsets->push_back(i);
            if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b[i])) && i + 1 < b.size())
                ++i;
        }
        offsets->push_back(b.size());
        // A character the code page turns into more or fewer units than the
        // walk counted would misplace every offset after it.
        if (offsets->size() != text.size() + 1)
            return false;
    }
    return true;
}

bool HasHighByte(const std::string& b)
{
    return std::any_of(b.begin(), b.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Decodes and checks that the text gives the same bytes back: a file is only
// read in an encoding it can be written in again unchanged.
bool DecodeExactly(const std::string& bytes, TextEncoding e, std::wstring& text, std::vector<size_t>* offsets)
{
    return DecodeText(bytes, e, text, offsets) && EncodeText(text, e) == bytes;
}

struct BreakCount {
    size_t crlf = 0, lf = 0, cr = 0;
    int Kinds() const { return (crlf > 0) + (lf > 0) + (cr > 0); }
};

BreakCount CountLineBreaks(const std::wstring& t)
{
    BreakCount n;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == L'\r') {
            if (i + 1 < t.size() && t[i + 1] == L'\n') {
                ++n.crlf;
                ++i;
            } else {
                ++n.cr;
            }
        } else if (t[i] == L'\n') {
            ++n.lf;
        }
    }
    return n;
}

// Length of the break that starts at i (0: none).
size_t BreakAt(const std::wstring& t, size_t i)
{
    if (t[i] == L'\r')
        return i + 1 < t.size() && t[i + 1] == L'\n' ? 2 : 1;
    return t[i] == L'\n' ? 1 : 0;
}

// Length of the break that ends at end, not reaching below limit (0: none).
size_t BreakBefore(const std::wstring& t, size_t end, size_t limit)
{
    if (t[end - 1] == L'\n')
        return end >= limit + 2 && t[end - 2] == L'\r' ? 2 : 1;
    return t[end - 1] == L'\r' ? 1 : 0;
}

bool IsBreakChar(wchar_t c) { return c == L'\r' || c == L'\n'; }

} // namespace

bool DecodeText(const std::string& bytes, TextEncoding encoding, std::wstring& text, std::vector<size_t>* offsets)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return DecodeUtf8(bytes, 0, text, offsets);
    case TextEncoding::Utf8Bom:
        return StartsWith(bytes, kUtf8Mark, 3) && DecodeUtf8(bytes, 3, text, offsets);
    case TextEncoding::Utf16LE:
        return StartsWith(bytes, "\xFF\xFE", 2) && DecodeUtf16(bytes, false, text, offsets);
    case TextEncoding::Utf16BE:
        return StartsWith(bytes, "\xFE\xFF", 2) && DecodeUtf16(bytes, true, text, offsets);
    default:
        return DecodeCodePage(bytes, text, offsets);
    }
}

std::string EncodeText(const std::wstring& text, TextEncoding encoding, bool withMark)
{
    std::string out;
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        if (withMark && encoding == TextEncoding::Utf8Bom)
            out = kUtf8Mark;
        out += ToCodePage(text, CP_UTF8);
        return out;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool le = encoding == TextEncoding::Utf16LE;
        out.reserve(text.size() * 2 + 2);
        if (withMark)
            out = le ? "\xFF\xFE" : "\xFE\xFF";
        for (wchar_t c : text) {
            const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += le ? lo : hi;
            out += le ? hi : lo;
        }
        return out;
    }
    default:
        return ToCodePage(text);
    }
}

bool FitsEncoding(const std::wstring& text, TextEncoding encoding)
{
    return encoding != TextEncoding::CodePage || FitsCodePage(text);
}

// The encoding by the rule, and the text in it when it was decoded on the way.
static TextEncoding Detect(const std::string& bytes, bool utf8Option, std::wstring& text, bool& decoded)
{
    decoded = true;
    for (TextEncoding marked : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE})
        if (DecodeExactly(bytes, marked, text, nullptr))
            return marked;
    if (HasHighByte(bytes) && DecodeExactly(bytes, TextEncoding::Utf8, text, nullptr))
        return TextEncoding::Utf8;
    decoded = false;
    return HasHighByte(bytes) ? TextEncoding::CodePage : NewTextEncoding(utf8Option);
}

TextEncoding DetectEncoding(const std::string& bytes, bool utf8Option)
{
    std::wstring text;
    bool decoded = false;
    return Detect(bytes, utf8Option, text, decoded);
}

TextFormat NewTextFormat(bool utf8Option)
{
    TextFormat f;
    f.encoding = NewTextEncoding(utf8Option);
    f.followsOption = true;
    return f;
}

void NoteFileText(const std::wstring& text, TextFormat& format)
{
    const BreakCount n = CountLineBreaks(text);
    format.mixedOriginal.reset();
    if (n.Kinds() > 1)
        format.mixedOriginal = std::make_shared<const std::wstring>(text);
    format.typedBreak = n.Kinds() != 1 || n.crlf ? LineBreak::CrLf : n.lf ? LineBreak::Lf : LineBreak::Cr;
    const bool unmarked = format.encoding == TextEncoding::CodePage || format.encoding == TextEncoding::Utf8;
    format.followsOption =
        unmarked && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 128; });
}

bool ReadText(const std::string& bytes, bool utf8Option, std::wstring& text, TextFormat& format)
{
    format = TextFormat{};
    bool decoded = false;
    format.encoding = Detect(bytes, utf8Option, text, decoded);
    if (!decoded && !DecodeExactly(bytes, format.encoding, text, nullptr))
        return false;
    NoteFileText(text, format);
    return true;
}

std::wstring WithLineBreaks(const std::wstring& text, const TextFormat& format)
{
    const wchar_t* typed = format.typedBreak == LineBreak::CrLf ? L"\r\n"
                           : format.typedBreak == LineBreak::Lf ? L"\n"
                                                                : L"\r";
    static const std::wstring kNone;
    const std::wstring& o = format.mixedOriginal ? *format.mixedOriginal : kNone;
    // The stretch the same from the start: text[0, j) is o[0, i).
    size_t i = 0, j = 0;
    while (i < o.size() && j < text.size()) {
        if (text[j] == L'\r') {
            const size_t n = BreakAt(o, i);
            if (n == 0)
                break;
            i += n;
            ++j;
        } else if (text[j] == o[i] && !IsBreakChar(o[i])) {
            ++i;
            ++j;
        } else {
            break;
        }
    }
    // And from the end: text[q, end) is o[p, end), never reaching back into
    // the stretch from the start.
    size_t p = o.size(), q = text.size();
    while (p > i && q > j) {
        if (text[q - 1] == L'\r') {
            const size_t n = BreakBefore(o, p, i);
            if (n == 0)
                break;
            p -= n;
            --q;
        } else if (text[q - 1] == o[p - 1] && !IsBreakChar(o[p - 1])) {
            --p;
            --q;
        } else {
            break;
        }
    }
    std::wstring out;
    out.reserve(text.size() + (q - j) / 8 + (o.size() - p) + i);
    out.append(o, 0, i);
    for (size_t k = j; k < q; ++k) {
        if (text[k] == L'\r')
            out += typed;
        else
            out += text[k];
    }
    out.append(o, p, std::wstring::npos);
    return out;
}

} // namespace platform
