#include "CSSRules.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsBlankOrBreak(wchar_t c) { return IsBlank(c) || c == L'\r' || c == L'\n'; }

// Last position in [from, to) holding c; npos when none.
size_t LastIn(const std::wstring& text, wchar_t c, size_t from, size_t to)
{
    for (size_t i = to; i > from; --i)
        if (text[i - 1] == c)
            return i - 1;
    return std::wstring::npos;
}

std::wstring LastWord(std::wstring text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    size_t p = text.find_last_of(L" \t;{");
    return p == std::wstring::npos ? text : text.substr(p + 1);
}

} // namespace

std::wstring CSSContextOf(const std::wstring& text, long caret)
{
    size_t end = std::min(static_cast<size_t>(std::max(caret, 0L)), text.size());
    size_t start = end;
    while (start > 0 && text[start - 1] != L'\r' && text[start - 1] != L'\n')
        --start;
    std::wstring line = text.substr(start, end - start);
    // The declaration being written starts after the last ";" or "{", or
    // the quote that opens a page's style attribute (quotes in values, as
    // in a font name, start nothing).
    size_t declStart = line.find_last_of(L";{");
    std::wstring lower = line;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    for (const wchar_t* opener : {L"style=\"", L"style='"}) {
        const size_t at = lower.rfind(opener);
        if (at != std::wstring::npos && (declStart == std::wstring::npos || at + 6 > declStart))
            declStart = at + 6;
    }
    std::wstring decl = declStart == std::wstring::npos ? line : line.substr(declStart + 1);
    size_t colon = decl.find(L':');
    if (colon != std::wstring::npos)   // a value is being typed: its property
        return LastWord(decl.substr(0, colon));
    return LastWord(decl);
}

std::wstring CSSRuleOf(const std::wstring& text, long caret, long& length, CSSRuleKind& kind)
{
    length = 0;
    kind = CSSRuleKind::Property;
    size_t pos = std::min(static_cast<size_t>(std::max(caret, 0L)), text.size());
    size_t open = LastIn(text, L'{', 0, pos);
    if (open == std::wstring::npos)
        return L"";
    // A "}" after the "{" closes the rule: the caret is between rules, and
    // an item chosen there must not eat the brace or the next selector.
    if (LastIn(text, L'}', open + 1, pos) != std::wstring::npos)
        return L"";
    size_t b = open;
    size_t semicolon = LastIn(text, L';', b + 1, pos);
    if (semicolon != std::wstring::npos)
        b = semicolon;
    size_t colon = LastIn(text, L':', b + 1, pos);
    size_t from = b + 1;
    if (colon != std::wstring::npos) {
        kind = CSSRuleKind::Value;
        from = colon + 1;
    }
    while (from < pos && IsBlankOrBreak(text[from]))
        ++from;
    std::wstring partial;
    for (size_t i = from; i < pos; ++i)
        if (kind == CSSRuleKind::Value || (text[i] != L'\r' && text[i] != L'\n'))
            partial += text[i];
    while (!partial.empty() && IsBlank(partial.back()))
        partial.pop_back();
    length = partial.empty() ? 0 : static_cast<long>(pos - from);
    return partial;
}
