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

// The opening quote of the last page's style attribute before pos, searched
// back to (not including) `after`; npos when there is none. `closed` tells
// whether its closing quote comes before pos.
size_t LastStyleAttribute(const std::wstring& text, size_t after, size_t pos, bool& closed)
{
    static const wchar_t kName[] = L"style=";
    const size_t n = 6;
    closed = false;
    for (size_t q = pos; q-- > after + n;) {
        if (text[q] != L'"' && text[q] != L'\'')
            continue;
        bool named = true;
        for (size_t k = 0; k < n && named; ++k)
            named = static_cast<wchar_t>(std::towlower(text[q - n + k])) == kName[k];
        if (named) {
            closed = LastIn(text, text[q], q + 1, pos) != std::wstring::npos;
            return q;
        }
    }
    return std::wstring::npos;
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
    // A page's style attribute opened after the last "{" holds declarations
    // as a rule does, from its opening quote on.
    bool closed = false;
    const size_t attribute = LastStyleAttribute(text, open == std::wstring::npos ? 0 : open, pos, closed);
    if (attribute != std::wstring::npos) {
        if (closed)
            return L"";
        open = attribute;
    } else {
        if (open == std::wstring::npos)
            return L"";
        // A "}" after the "{" closes the rule: the caret is between rules,
        // and an item chosen there must not eat the brace or the next
        // selector.
        if (LastIn(text, L'}', open + 1, pos) != std::wstring::npos)
            return L"";
    }
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
