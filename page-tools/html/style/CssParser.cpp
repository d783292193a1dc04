#include "CssParser.h"
#include "platform/Text.h"

#include <algorithm>
#include <cwctype>

namespace html {
namespace {

std::wstring LowerAscii(std::wstring s)
{
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 32);
    return s;
}

std::wstring StripComments(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == L'/' && i + 1 < text.size() && text[i + 1] == L'*') {
            size_t end = text.find(L"*/", i + 2);
            i = end == std::wstring::npos ? text.size() : end + 2;
            out += L' ';
            continue;
        }
        if (text[i] == L'"' || text[i] == L'\'') { // strings keep what looks like comments
            wchar_t q = text[i];
            size_t end = text.find(q, i + 1);
            end = end == std::wstring::npos ? text.size() : end + 1;
            out.append(text, i, end - i);
            i = end;
            continue;
        }
        out += text[i++];
    }
    // "<!--" and "-->" around a style block's text are not part of it.
    for (const wchar_t* cdo : {L"<!--", L"-->"}) {
        size_t p;
        while ((p = out.find(cdo)) != std::wstring::npos)
            out.replace(p, wcslen(cdo), L" ");
    }
    return out;
}

// The end of the block that opens at text[open] ('{'), or the text's end.
size_t BlockEnd(const std::wstring& text, size_t open)
{
    return std::min(ClosingBracket(text, open), text.size());
}

std::vector<std::wstring> SplitTopLevel(const std::wstring& text, wchar_t sep)
{
    std::vector<std::wstring> parts;
    int paren = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            size_t e = text.find(c, i + 1);
            i = e == std::wstring::npos ? text.size() - 1 : e;
        } else if (c == L'(' || c == L'[') {
            ++paren;
        } else if ((c == L')' || c == L']') && paren > 0) {
            --paren;
        } else if (c == sep && paren == 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The ')' closing the '(' at text[open], past nested ones and strings; the text's end when none does.
size_t MatchingParen(const std::wstring& text, size_t open)
{
    return std::min(ClosingBracket(text, open), text.size());
}

// "var(" in any case, found without a lower-case copy: every declaration is asked.
bool HasVarReference(const std::wstring& value)
{
    for (size_t i = value.find(L'('); i != std::wstring::npos; i = value.find(L'(', i + 1))
        if (i >= 3 && (value[i - 3] | 0x20) == L'v' && (value[i - 2] | 0x20) == L'a' && (value[i - 1] | 0x20) == L'r')
            return true;
    return false;
}

std::wstring UrlOf(const std::wstring& arg)
{
    std::wstring t = platform::TrimWhiteSpace(arg);
    if (t.size() >= 2 && (t[0] == L'"' || t[0] == L'\'') && t.back() == t[0])
        t = t.substr(1, t.size() - 2);
    return t;
}

void ParseRules(const std::wstring& text, StyleSheet& sheet, const CssLimits& limits, int depth, int media)
{
    size_t pos = 0;
    while (pos < text.size() && sheet.rules.size() < limits.maxRules) {
        while (pos < text.size() && (std::iswspace(text[pos]) || text[pos] == L';' || text[pos] == L'}'))
            ++pos;
        if (pos >= text.size())
            break;
        if (text[pos] == L'@') {
            size_t brace = text.find_first_of(L"{;", pos);
            if (brace == std::wstring::npos)
                break;
            std::wstring prelude = text.substr(pos, brace - pos);
            std::wstring name = LowerAscii(prelude.substr(0, prelude.find_first_of(L" \t\r\n\"'(", 1)));
            if (text[brace] == L';') {
                if (name == L"@import") {
                    std::wstring rest = platform::TrimWhiteSpace(prelude.substr(7));
                    std::wstring target;
                    size_t media = std::wstring::npos;
                    if (LowerAscii(rest.substr(0, 4)) == L"url(") {
                        size_t close = rest.find(L')');
                        target = UrlOf(rest.substr(4, close == std::wstring::npos ? std::wstring::npos : close - 4));
                        media = close == std::wstring::npos ? close : close + 1;
                    } else if (!rest.empty() && (rest[0] == L'"' || rest[0] == L'\'')) {
                        size_t close = rest.find(rest[0], 1);
                        target = rest.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
                        media = close == std::wstring::npos ? close : close + 1;
                    }
                    if (!target.empty() && sheet.rules.empty()) {
                        CssImport import{target, MediaQueryList(media == std::wstring::npos ? L"" : rest.substr(media))};
                        sheet.dependsOnSize = sheet.dependsOnSize || import.media.DependsOnSize();
                        sheet.imports.push_back(std::move(import));
                    }
                }
                pos = brace + 1;
                continue;
            }
            size_t end = BlockEnd(text, brace);
            if (name == L"@media" && depth < 4) {
                MediaBlock block{MediaQueryList(prelude.substr(6)), media};
                sheet.dependsOnSize = sheet.dependsOnSize || block.queries.DependsOnSize();
                sheet.media.push_back(std::move(block));
                ParseRules(text.substr(brace + 1, end - brace - 1), sheet, limits, depth + 1,
                           static_cast<int>(sheet.media.size() - 1));
            }
            pos = end + 1;
            continue;
        }
        size_t brace = text.find(L'{', pos);
        if (brace == std::wstring::npos)
            break;
        size_t end = BlockEnd(text, brace);
        std::wstring selectors = text.substr(pos, brace - pos);
        std::vector<Declaration> decls = ParseDeclarations(text.substr(brace + 1, end - brace - 1));
        if (decls.size() > limits.maxDeclarations)
            decls.resize(limits.maxDeclarations);
        std::vector<StyleRule> group;
        bool valid = true;
        for (const std::wstring& one : SplitTopLevel(selectors, L',')) {
            StyleRule r;
            r.media = media;
            r.selectorText = platform::CollapseWhiteSpace(one);
            r.selector = ParseSelector(r.selectorText);
            valid = valid && r.selector.valid;
            group.push_back(std::move(r));
        }
        // One bad selector drops its whole group, as in browsers.
        if (valid) {
            for (StyleRule& r : group) {
                r.declarations = decls;
                sheet.rules.push_back(std::move(r));
            }
        }
        pos = end + 1;
    }
}

} // namespace

std::vector<CssValue> ParseValues(const std::wstring& text)
{
    std::vector<CssValue> out;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && out.size() < 64) {
        wchar_t c = text[i];
        if (std::iswspace(c)) {
            ++i;
            continue;
        }
        CssValue v;
        if (c == L',' || c == L'/') {
            v.type = c == L',' ? CssValue::Comma : CssValue::Slash;
            ++i;
        } else if (c == L'"' || c == L'\'') {
            size_t e = text.find(c, i + 1);
            if (e == std::wstring::npos)
                e = n;
            v.type = CssValue::String;
            v.text = text.substr(i + 1, e - i - 1);
            i = e + 1;
        } else if (c == L'#') {
            size_t s = ++i;
            while (i < n && std::iswalnum(text[i]))
                ++i;
            v.type = CssValue::Hash;
            v.text = LowerAscii(text.substr(s, i - s));
        } else if (std::iswdigit(c) || ((c == L'.' || c == L'-' || c == L'+') && i + 1 < n &&
                                        (std::iswdigit(text[i + 1]) || text[i + 1] == L'.'))) {
            size_t s = i;
            ++i;
            while (i < n && (std::iswdigit(text[i]) || text[i] == L'.'))
                ++i;
            v.num = static_cast<float>(wcstod(text.substr(s, i - s).c_str(), nullptr));
            size_t u = i;
            while (i < n && (std::iswalpha(text[i]) || text[i] == L'%'))
                ++i;
            v.unit = LowerAscii(text.substr(u, i - u));
            v.type = v.unit.empty() ? CssValue::Number : v.unit == L"%" ? CssValue::Percent : CssValue::Dimension;
            v.text = text.substr(s, i - s);
        } else {
            size_t s = i;
            while (i < n && !std::iswspace(text[i]) && text[i] != L',' && text[i] != L'/' && text[i] != L'(' &&
                   text[i] != L'"' && text[i] != L'\'')
                ++i;
            if (i == s) { // a stray '(' or quote mark
                ++i;
                continue;
            }
            v.raw = text.substr(s, i - s);
            v.text = LowerAscii(v.raw);
            v.type = CssValue::Ident;
            if (i < n && text[i] == L'(') {
                size_t close = MatchingParen(text, i);
                std::wstring arg = text.substr(i + 1, close - i - 1);
                if (v.text == L"url") {
                    v.type = CssValue::Url;
                    v.text = UrlOf(arg);
                } else {
                    v.type = CssValue::Function;
                    v.text += L"(" + arg + L")";
                }
                i = close + 1;
            }
        }
        out.push_back(std::move(v));
    }
    return out;
}

std::vector<Declaration> ParseDeclarations(const std::wstring& text)
{
    std::vector<Declaration> out;
    for (const std::wstring& part : SplitTopLevel(StripComments(text), L';')) {
        size_t colon = part.find(L':');
        if (colon == std::wstring::npos)
            continue;
        Declaration d;
        d.property = LowerAscii(platform::TrimWhiteSpace(part.substr(0, colon)));
        if (d.property.empty() || d.property.find_first_of(L" \t{}") != std::wstring::npos)
            continue;
        std::wstring value = platform::TrimWhiteSpace(part.substr(colon + 1));
        size_t bang = value.rfind(L'!');
        if (bang != std::wstring::npos && LowerAscii(platform::TrimWhiteSpace(value.substr(bang + 1))) == L"important") {
            d.important = true;
            value = platform::TrimWhiteSpace(value.substr(0, bang));
        }
        if (value.empty())
            continue;
        d.valueText = platform::CollapseWhiteSpace(value);
        d.hasVar = HasVarReference(d.valueText);
        d.values = ParseValues(d.valueText);
        out.push_back(std::move(d));
        if (out.size() >= 1000)
            break;
    }
    return out;
}

StyleSheet ParseStyleSheet(const std::wstring& text, const CssLimits& limits)
{
    StyleSheet sheet;
    ParseRules(StripComments(text), sheet, limits, 0, -1);
    return sheet;
}

bool RuleApplies(const StyleSheet& sheet, const StyleRule& rule, const MediaEnv& env)
{
    for (const MediaQueryList& m : sheet.sheetMedia)
        if (!m.Matches(env))
            return false;
    // Parents come before their children, so the walk always ends.
    for (int m = rule.media; m >= 0 && m < static_cast<int>(sheet.media.size()); m = sheet.media[m].parent) {
        if (!sheet.media[m].queries.Matches(env))
            return false;
        if (sheet.media[m].parent >= m)
            break;
    }
    return true;
}

std::wstring CssText(const std::vector<Declaration>& declarations)
{
    std::wstring out;
    for (const Declaration& d : declarations) {
        if (!out.empty())
            out += L"; ";
        for (wchar_t c : d.property)
            out += (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
        out += L": " + d.valueText;
        if (d.important)
            out += L" !important";
    }
    return out;
}

size_t ClosingBracket(const std::wstring& text, size_t open)
{
    if (open >= text.size())
        return std::wstring::npos;
    const wchar_t opening = text[open];
    const wchar_t closing = opening == L'(' ? L')' : opening == L'[' ? L']' : L'}';
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            i = text.find(c, i + 1);
            if (i == std::wstring::npos)
                return i;
        } else if (c == opening) {
            ++depth;
        } else if (c == closing && --depth == 0) {
            return i;
        }
    }
    return std::wstring::npos;
}

} // namespace html
