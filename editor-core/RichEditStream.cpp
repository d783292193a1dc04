#include "RichEditStream.h"

#include <richedit.h>

#include "KvRTB/ModKvRTB.h"

#include <vector>

namespace RichEditStream {

bool StreamIn(HWND richEdit, const std::string& bytes, DWORD format)
{
    if (!richEdit)
        return false;
    ModKvRTB::StreamBuffer sb;
    sb.bytes = bytes;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&sb);
    es.pfnCallback = &ModKvRTB::StreamInString;
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
    ModKvRTB::StreamBuffer sb;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&sb);
    es.pfnCallback = &ModKvRTB::StreamOutString;
    SendMessageW(richEdit, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
    out.swap(sb.bytes);
    return es.dwError == 0;
}

long TextLength(HWND richEdit)
{
    if (!richEdit)
        return 0;
    GETTEXTLENGTHEX gtl{GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT n = SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
    return n < 0 ? 0 : static_cast<long>(n);
}

POINT ViewPos(HWND richEdit)
{
    POINTL first{};
    SendMessageW(richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    RECT view{};
    SendMessageW(richEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    return POINT{view.left - first.x, view.top - first.y};
}

void SetViewPos(HWND richEdit, POINT pos)
{
    const POINT now = ViewPos(richEdit);
    if (now.x != pos.x || now.y != pos.y)
        SendMessageW(richEdit, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&pos));
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
