#include "EditTextEngine.h"

#include "platform/Text.h"

namespace EditText {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0; }

bool IsDelimiter(wchar_t c)
{
    switch (c) {
    case 9: case 10: case 13: case 32: case 33: case 34: case 43: case 44:
    case 46: case 58: case 59: case 60: case 61: case 62: case 63:
        return true;
    default:
        return false;
    }
}

void Clamp(long n, long& s, long& e)
{
    if (s < 0)
        s = 0;
    if (s > n)
        s = n;
    if (e < s)
        e = s;
    if (e > n)
        e = n;
}

TextEdit Quote(const std::wstring& text, long s, long e)
{
    const long n = static_cast<long>(text.size());
    const long lower = s - 30 > 0 ? s - 30 : 0;
    const long upper = e + 30 < n ? e + 30 : n;
    long open = -1;
    for (long j = s - 1; j >= lower; --j)
        if (IsDelimiter(text[j])) {
            open = j + 1;
            break;
        }
    // A selection may end on its delimiter; a caret's word starts at the
    // caret at the earliest, so a one-letter word keeps both quotes round it.
    long from = e > s ? e - 1 : s;
    long close = -1;
    for (long j = from; j < upper; ++j)
        if (IsDelimiter(text[j])) {
            close = j;
            break;
        }
    if (open < 0 && close < 0)
        return {};
    long a = open >= 0 ? open : close;
    long b = close >= 0 ? close : open;
    TextEdit edit;
    edit.changed = true;
    edit.start = a;
    edit.end = b;
    edit.with = (open >= 0 ? L"\"" : L"") + text.substr(a, b - a) + (close >= 0 ? L"\"" : L"");
    edit.selStart = edit.selEnd = s + (open >= 0 ? 1 : 0);
    return edit;
}

TextEdit Unquote(const std::wstring& text, long s, long e)
{
    const long n = static_cast<long>(text.size());
    const long lower = s - 30 > 0 ? s - 30 : 0;
    const long upper = e + 30 < n ? e + 30 : n;
    auto back = [&](long from) {  // the last quote before `from`, within reach
        for (long j = from - 1; j >= lower; --j)
            if (text[j] == L'"')
                return j;
        return -1L;
    };
    auto ahead = [&](long from) {  // the first quote at or after `from`, within reach
        for (long j = from; j < upper; ++j)
            if (text[j] == L'"')
                return j;
        return -1L;
    };
    long q1 = back(s), q2 = ahead(e);
    // A selection that holds its quotes.
    if (s < e && text[s] == L'"')
        q1 = s;
    if (s < e && e - 1 > q1 && text[e - 1] == L'"')
        q2 = e - 1;
    // A caret just after the closing quote, or just before the opening one.
    if (q1 >= 0 && q2 < 0 && back(q1) >= 0) {
        q2 = q1;
        q1 = back(q1);
    } else if (q1 < 0 && q2 >= 0 && ahead(q2 + 1) >= 0) {
        q1 = q2;
        q2 = ahead(q2 + 1);
    }
    if (q1 < 0 || q2 <= q1)
        return {};
    TextEdit edit;
    edit.changed = true;
    edit.start = q1;
    edit.end = q2 + 1;
    for (long j = q1; j <= q2; ++j)
        if (text[j] != L'"')
            edit.with += text[j];
    long newLength = n - (edit.end - edit.start) + static_cast<long>(edit.with.size());
    edit.selStart = edit.selEnd = s < newLength ? s : newLength;
    return edit;
}

} // namespace

std::wstring ChangeCase(const std::wstring& text, int index)
{
    switch (index) {
    case 0:
        return platform::Upper(text);
    case 1:
        return platform::Lower(text);
    case 2: {
        std::wstring out = platform::Lower(text);
        const std::wstring upper = platform::Upper(text);
        bool wordStart = true;
        for (size_t i = 0; i < out.size(); ++i) {
            if (wordStart && !IsBlank(out[i]))
                out[i] = upper[i];
            wordStart = IsBlank(out[i]);
        }
        return out;
    }
    default:
        return text;
    }
}

TextEdit QuoteWords(const std::wstring& text, long s, long e, int mode)
{
    Clamp(static_cast<long>(text.size()), s, e);
    if (mode == 1)
        return Quote(text, s, e);
    if (mode == 0)
        return Unquote(text, s, e);
    return {};
}

} // namespace EditText
