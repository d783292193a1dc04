#include "color/ColorVBSText.h"

#include "ClsColor.h"
#include "color/RtfWriter.h"
#include "color/TextScan.h"

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
            out.Ctl("\\cf2 ");
            out.Text(s + i, j + 1 - i);
            out.Ctl("\\cf0 ");
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
            size_t cr = FindChar(s, i, end, 13);
            size_t stop = cr == npos ? end : cr;
            out.Ctl("\\cf3 ");
            out.Text(s + i, stop - i);
            out.Ctl("\\cf0 ");
            if (cr != npos)
                out.Char(13);
            i = cr == npos ? end : cr + 1;
        } else if (kSeparator(c)) {
            out.Char(c);
            ++i;
        } else {
            size_t j = i + 1;
            while (j < end && !WordEnd(s[j]))
                ++j;
            // Keywords and known names both fold to upper case: one key for both.
            KeywordList::Key key = keywords.MakeKey(s + i, j - i);
            if (const KeywordList::Entry* kw = keywords.Find(key)) {
                out.Ctl("\\cf1 ");
                out.Text(kw->Spelling);
                out.Ctl("\\cf0 ");
                if (kw->Pos < owner.DimExt) {
                    if (!term.Covers(j)) {
                        size_t t = j;
                        while (t < end && !DeclTerminator(s[t]))
                            ++t;
                        term.from = j;
                        term.at = t < end ? t : npos;
                    }
                    if (term.at != npos)
                        AddVBSVars(owner, s + j, term.at - j, kw->Pos);
                }
            } else if (const KeywordList::Entry* name = known.Find(key)) {
                out.Ctl("\\cf4 ");
                out.Text(name->Spelling);
                out.Ctl("\\cf0 ");
            } else {
                out.Text(s + i, j - i);
            }
            i = j;
        }
    }
}

} // namespace color
