#include "platform/Text.h"

#include <climits>
#include <cwctype>

namespace platform {

std::string ToCodePage(const std::wstring& text, UINT codePage)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int len = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, 0, text.data(), len, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), len, out.data(), n, nullptr, nullptr);
    return out;
}

bool FitsCodePage(const std::wstring& text, UINT codePage)
{
    if (text.empty() || codePage == CP_UTF8 || codePage == CP_UTF7)
        return true;
    if (text.size() > INT_MAX)
        return false;
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, &lost);
    return n > 0 && !lost;
}

std::wstring FromCodePage(const char* data, size_t size, UINT codePage)
{
    if (size == 0 || size > INT_MAX)
        return {};
    int n = MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), out.data(), n);
    return out;
}

std::wstring FromCodePage(const std::string& bytes, UINT codePage)
{
    return FromCodePage(bytes.data(), bytes.size(), codePage);
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && Upper(a) == Upper(b);
}

namespace {

std::wstring TrimOf(const std::wstring& text, const wchar_t* blanks)
{
    size_t a = text.find_first_not_of(blanks);
    if (a == std::wstring::npos)
        return L"";
    size_t b = text.find_last_not_of(blanks);
    return text.substr(a, b - a + 1);
}

} // namespace

std::wstring TrimBlanks(const std::wstring& text)
{
    return TrimOf(text, L" ");
}

std::wstring TrimBlanksAndTabs(const std::wstring& text)
{
    return TrimOf(text, L" \t");
}

std::wstring TrimWhiteSpace(const std::wstring& text)
{
    size_t b = 0, e = text.size();
    while (b < e && std::iswspace(text[b]))
        ++b;
    while (e > b && std::iswspace(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

std::wstring CollapseWhiteSpace(const std::wstring& text)
{
    std::wstring out;
    bool space = false;
    for (wchar_t c : TrimWhiteSpace(text)) {
        if (std::iswspace(c)) {
            space = true;
            continue;
        }
        if (space)
            out += L' ';
        space = false;
        out += c;
    }
    return out;
}

std::wstring BlankedLine(std::wstring text)
{
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n')
            c = L' ';
    return TrimBlanks(text);
}

std::wstring OneLine(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            out += L' ';
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
bool IsBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
} // namespace

long LineStart(const std::wstring& text, long pos)
{
    long n = static_cast<long>(text.size());
    if (pos > n)
        pos = n;
    while (pos > 0 && !IsBreak(text[pos - 1]))
        --pos;
    return pos < 0 ? 0 : pos;
}

long LineEnd(const std::wstring& text, long pos)
{
    long n = static_cast<long>(text.size());
    if (pos < 0)
        pos = 0;
    if (pos > n)
        pos = n;
    if (pos > 0 && pos < n && text[pos] == L'\n' && text[pos - 1] == L'\r')
        return pos - 1;  // the LF of a CR LF ends the line of its CR
    while (pos < n && !IsBreak(text[pos]))
        ++pos;
    return pos;
}

long BreakLength(const std::wstring& text, long pos)
{
    long n = static_cast<long>(text.size());
    if (pos < 0 || pos >= n)
        return 0;
    if (text[pos] == L'\r' && pos + 1 < n && text[pos + 1] == L'\n')
        return 2;
    return IsBreak(text[pos]) ? 1 : 0;
}

} // namespace platform
