#include "ModKvRTB.h"

#include <richedit.h>

#include "SettingsRecord.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ModKvRTB {

DWORD CALLBACK StreamInString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    auto* sb = reinterpret_cast<StreamBuffer*>(cookie);
    size_t left = sb->bytes.size() - std::min(sb->readPos, sb->bytes.size());
    size_t n = std::min(left, static_cast<size_t>(std::max<LONG>(cb, 0)));
    if (n)
        std::memcpy(buffer, sb->bytes.data() + sb->readPos, n);
    sb->readPos += n;
    *done = static_cast<LONG>(n);   // 0 ends the stream
    return 0;
}

DWORD CALLBACK StreamOutString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    auto* sb = reinterpret_cast<StreamBuffer*>(cookie);
    *done = 0;
    try {
        if (cb > 0)
            sb->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb));
    } catch (...) {
        return 1;   // out of memory: stop the stream rather than throw into the RichEdit
    }
    *done = cb;
    return 0;
}

DWORD CALLBACK StreamOutFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* done)
{
    *done = 0;
    if (cb <= 0)
        return 0;
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(cb), &written,
                   nullptr) ||
        written != static_cast<DWORD>(cb))
        return 1;
    *done = cb;
    return 0;
}

bool ToEditorText(std::wstring& text)
{
    size_t kept = 0;
    wchar_t previous = 0;
    for (wchar_t c : text) {
        if (c == kNulStandIn)
            return false;
        if (c == L'\n' && previous != L'\r')
            text[kept++] = L'\r';
        else if (c != L'\n')
            text[kept++] = c ? c : kNulStandIn;
        previous = c;
    }
    text.resize(kept);
    return true;
}

void NulsFromEditorText(std::wstring& text)
{
    for (wchar_t& c : text)
        if (c == kNulStandIn)
            c = 0;
}

std::string RtfToBytes(const std::wstring& rtf)
{
    std::string out;
    out.reserve(rtf.size() + 16);
    for (wchar_t c : rtf) {
        if (c < 128) {
            out += static_cast<char>(c);
        } else {
            // RTF numbers are signed 16-bit; the "?" is the one fallback
            // character a reader skips (\uc1, the default).
            out += "\\u";
            out += std::to_string(static_cast<short>(c));
            out += '?';
        }
    }
    return out;
}

std::wstring RtfFromBytes(const std::string& bytes)
{
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (!ascii)
        return platform::FromCodePage(bytes, CP_ACP);
    return std::wstring(bytes.begin(), bytes.end());
}

namespace {

int CharClass(wchar_t c)
{
    if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0x0B || c == 0x0C ||
        c == 0xA0)
        return 0;
    if (IsCharAlphaNumericW(c) || c == L'_')
        return 1;
    return 2;
}

} // namespace

long FindWordBreak(const std::wstring& text, long pos, int code)
{
    const long n = static_cast<long>(text.size());
    pos = std::max(0L, std::min(pos, n));
    auto cls = [&](long i) { return CharClass(text[static_cast<size_t>(i)]); };
    switch (code) {
    case WB_MOVEWORDRIGHT:
    case WB_RIGHT:
        if (pos < n) {
            int c = cls(pos);
            if (c != 0)
                while (pos < n && cls(pos) == c)
                    ++pos;
            while (pos < n && cls(pos) == 0)
                ++pos;
        }
        return pos;
    case WB_RIGHTBREAK:
        if (pos < n && cls(pos) != 0) {
            int c = cls(pos);
            while (pos < n && cls(pos) == c)
                ++pos;
        }
        return pos;
    case WB_MOVEWORDLEFT:
    case WB_LEFT:
        while (pos > 0 && cls(pos - 1) == 0)
            --pos;
        [[fallthrough]];
    case WB_LEFTBREAK:
        if (pos > 0 && cls(pos - 1) != 0) {
            int c = cls(pos - 1);
            while (pos > 0 && cls(pos - 1) == c)
                --pos;
        }
        return pos;
    default:
        return pos;
    }
}

} // namespace ModKvRTB
