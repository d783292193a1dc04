#include "color/ColorVBSText.h"

#include "ClsColor.h"
#include "color/ScriptScan.h"

#include <string>

namespace color {

namespace {

constexpr CharSet kSeparator(" &()*+,-./:<=>\\^", true);

bool WordEnd(wchar_t c)
{
    return kSeparator(c) || c == L'"' || c == L'\'';
}

bool DeclTerminator(wchar_t c)
{
    return c == 9 || c == 11 || c == 13 || c == L'\'' || c == L':';
}

// Emits the string literal that opens at i; returns where the scan goes on.
size_t EmitString(const wchar_t* s, size_t i, size_t end, RtfWriter& out)
{
    if (i + 2 < end && s[i + 1] == L'"' && s[i + 2] == L'"') {
        out.Ctl("\\cf2 \"\"\"\\cf0 ");
        return i + 3;
    }
    for (size_t j = i + 1; j < end; ++j) {
        if (s[j] == L'"') {
            out.Coloured("\\cf2 ", s + i, j + 1 - i);
            return j + 1;
        }
        if (s[j] == 13) {
            // An unterminated literal stays plain up to the line end.
            out.Text(s + i, j + 1 - i);
            return j + 1;
        }
    }
    out.Text(s + i, end - i);
    return end;
}

} // namespace

void AddVBSVars(ClsColor& owner, const wchar_t* decl, size_t len, long iPos)
{
    std::wstring text(decl, len);
    if (iPos > owner.FuncExt) {
        size_t open = text.find(L'(');
        size_t close = text.rfind(L')');
        if (open == npos || close == npos || close < open + 2)
            return;
        text = text.substr(open + 1, close - open - 1);
    }
    std::wstring names;
    names.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L' ')
            names += c;
    }
    if (names.empty())
        return;
    KeywordList& known = owner.KnownNames();
    size_t from = 0;
    for (;;) {
        size_t comma = names.find(L',', from);
        size_t partEnd = comma == npos ? names.size() : comma;
        size_t paren = names.find(L'(', from);
        if (paren != npos && paren < partEnd)
            partEnd = paren;   // an array declaration: the name before "("
        known.Append(names.data() + from, partEnd - from);
        if (comma == npos)
            break;
        from = comma + 1;
    }
}

void ColorVBSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    KeywordList& known = owner.KnownNames();
    known.Reset(Fold::Upper);
    known.Append(L"WScript", 7);
    const KeywordList& keywords = owner.VBSKeywords();
    TermMemo term;

    size_t i = begin;
    while (i < end) {
        wchar_t c = s[i];
        if (c == L'"') {
            i = EmitString(s, i, end, out);
        } else if (c == L'\'') {
            i = EmitLineComment(s, i, end, out);
        } else if (kSeparator(c)) {
            out.Char(c);
            ++i;
        } else {
            size_t j = SkipUntil(s, i + 1, end, WordEnd);
            // Keywords and known names both fold to upper case: one key for both.
            KeywordList::Key key = keywords.MakeKey(s + i, j - i);
            if (const KeywordList::Entry* kw = keywords.Find(key)) {
                out.Coloured("\\cf1 ", kw->Spelling);
                if (kw->Pos < owner.DimExt) {
                    size_t t = term.Find(s, j, end, DeclTerminator);
                    if (t != npos)
                        AddVBSVars(owner, s + j, t - j, kw->Pos);
                }
            } else if (const KeywordList::Entry* name = known.Find(key)) {
                out.Coloured("\\cf4 ", name->Spelling);
            } else {
                out.Text(s + i, j - i);
            }
            i = j;
        }
    }
}

} // namespace color
