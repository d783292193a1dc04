#include "RichEditStream.h"

#include <richedit.h>

#include <cstring>
#include <vector>

namespace RichEditStream {

namespace {

struct InCookie {
    const std::string* bytes;
    size_t pos;
};

DWORD CALLBACK InCallback(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done)
{
    auto* c = reinterpret_cast<InCookie*>(cookie);
    size_t left = c->bytes->size() - c->pos;
    size_t n = left < static_cast<size_t>(cb) ? left : static_cast<size_t>(cb);
    if (n)
        std::memcpy(buf, c->bytes->data() + c->pos, n);
    c->pos += n;
    *done = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK OutCallback(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done)
{
    auto* out = reinterpret_cast<std::string*>(cookie);
    try {
        if (cb > 0)
            out->append(reinterpret_cast<const char*>(buf), static_cast<size_t>(cb));
    } catch (...) {
        *done = 0;
        return 1;  // stops the transfer; the caller sees dwError
    }
    *done = cb;
    return 0;
}

} // namespace

bool StreamIn(HWND richEdit, const std::string& bytes, DWORD format)
{
    if (!richEdit)
        return false;
    InCookie cookie{&bytes, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
    es.pfnCallback = InCallback;
    SendMessageW(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    // The RichEdit stops reading RTF at the brace that closes the document,
    // so unread bytes after it are no failure.
    return es.dwError == 0;
}

bool StreamOut(HWND richEdit, DWORD format, std::string& out)
{
    out.clear();
    if (!richEdit)
        return false;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    es.pfnCallback = OutCallback;
    SendMessageW(richEdit, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0;
}

std::string RtfToAscii(const std::wstring& rtf)
{
    std::string out;
    out.reserve(rtf.size() + rtf.size() / 8);
    for (wchar_t ch : rtf) {
        if (ch < 128) {
            out += static_cast<char>(ch);
        } else {
            // \uN takes a signed 16-bit number; "?" is the fallback a reader
            // without Unicode would show, skipped by \uc1.
            out += "\\u";
            out += std::to_string(static_cast<int>(static_cast<short>(ch)));
            out += '?';
        }
    }
    return out;
}

long TextLength(HWND richEdit)
{
    if (!richEdit)
        return 0;
    GETTEXTLENGTHEX gtl{GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT n = SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
    return n < 0 ? 0 : static_cast<long>(n);
}

std::wstring GetRange(HWND richEdit, long start, long end)
{
    if (!richEdit)
        return L"";
    long len = TextLength(richEdit);
    if (end < 0 || end > len)
        end = len;
    if (start < 0)
        start = 0;
    if (end <= start)
        return L"";
    std::vector<wchar_t> buf(static_cast<size_t>(end - start) + 2, L'\0');
    TEXTRANGEW tr{};
    tr.chrg.cpMin = start;
    tr.chrg.cpMax = end;
    tr.lpstrText = buf.data();
    LRESULT n = SendMessageW(richEdit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    if (n <= 0)
        return L"";
    return std::wstring(buf.data(), static_cast<size_t>(n));
}

} // namespace RichEditStream
