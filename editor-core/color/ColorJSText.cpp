#include "color/ColorJSText.h"

#include "ClsColor.h"
#include "color/ScriptScan.h"

#include <string>

namespace color {

namespace {

bool WordEnd(wchar_t c)
{
    return kScriptSeparator(c) || c == L'"' || c == L'\'' || c == L'/';
}

bool DeclTerminator(wchar_t c)
{
    return c == 11 || c == 13 || c == L';';
}

void AppendParts(KeywordList& known, const std::wstring& names, bool cutAtEquals)
{
    size_t from = 0;
    for (;;) {
        size_t comma = names.find(L',', from);
        size_t partEnd = comma == npos ? names.size() : comma;
        if (cutAtEquals) {
            size_t eq = names.find(L'=', from);
            if (eq != npos && eq < partEnd)
                partEnd = eq;
        }
        if (partEnd > from)
            known.Append(names.data() + from, partEnd - from);
        if (comma == npos)
            return;
        from = comma + 1;
    }
}

bool IsOpen(wchar_t c) { return c == L'(' || c == L'[' || c == L'{'; }
bool IsClose(wchar_t c) { return c == L')' || c == L']' || c == L'}'; }

} // namespace

void CheckVarsJS(ClsColor& owner, const wchar_t* decl, size_t len, long iVarPt)
{
    std::wstring names;
    names.reserve(len);
    if (iVarPt < 4) {
        // "var": what lies inside brackets (initialisers, calls) is dropped.
        int depth = 0;
        for (size_t k = 0; k < len; ++k) {
            wchar_t c = decl[k];
            if (IsOpen(c)) {
                ++depth;
            } else if (IsClose(c)) {
                if (depth > 0)
                    --depth;
            } else if (depth == 0 && c != L' ' && c != 9) {
                names += c;
            }
        }
        AppendParts(owner.KnownNames(), names, true);
        return;
    }
    // "function": the parameter list.
    std::wstring text(decl, len);
    size_t open = text.find(L'(');
    size_t close = text.rfind(L')');
    if (open == npos || close == npos || close < open + 2)
        return;
    for (size_t k = open + 1; k < close; ++k) {
        wchar_t c = text[k];
        if (c != L' ' && c != 9 && !IsOpen(c) && !IsClose(c))
            names += c;
    }
    AppendParts(owner.KnownNames(), names, false);
}

void ColorJSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    KeywordList& known = owner.KnownNames();
    known.Reset(Fold::Lower);
    const KeywordList& keywords = owner.JSKeywords();
    MissMemo blockMiss;
    TermMemo term;

    size_t i = begin;
    while (i < end) {
        wchar_t c = s[i];
        if (kScriptSeparator(c)) {
            out.Char(c);
            ++i;
        } else if (c == L'"' || c == L'\'') {
            size_t j = i + 1;
            while (j < end && !(s[j] == c && s[j - 1] != L'\\'))
                ++j;
            if (j >= end) {
                // Unclosed: the rest stays plain.
                out.Coloured("\\cf0 ", s + i, end - i);
                return;
            }
            out.Coloured("\\cf2 ", s + i, j + 1 - i);
            i = j + 1;
        } else if (c == L'/') {
            i = EmitSlash(s, i, end, out, blockMiss);
        } else {
            size_t j = SkipUntil(s, i + 1, end, WordEnd);
            // Keywords and known names both fold to lower case: one key for both.
            KeywordList::Key key = keywords.MakeKey(s + i, j - i);
            if (const KeywordList::Entry* kw = keywords.Find(key)) {
                out.Coloured("\\cf1 ", s + i, j - i);
                // The list begins with "var" (position 1) and "function" (5).
                if (kw->Pos < 10) {
                    size_t t = term.Find(s, j, end, DeclTerminator);
                    if (t != npos)
                        CheckVarsJS(owner, s + j, t - j, kw->Pos);
                }
            } else if (known.Find(key)) {
                out.Coloured("\\cf4 ", s + i, j - i);
            } else {
                out.Text(s + i, j - i);
            }
            i = j;
        }
    }
}

} // namespace color
