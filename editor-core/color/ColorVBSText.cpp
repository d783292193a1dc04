#include "color/ColorVBSText.h"

#include "ClsColor.h"
#include "color/DeclNames.h"
#include "color/ScriptScan.h"

namespace color {

namespace {

constexpr CharSet kSeparator(" &()*+,-./:<=>\\^", true);

// The separators and the quotes.
constexpr CharSet kWordEnd(" &()*+,-./:<=>\\^\"'", true);

bool DeclTerminator(wchar_t c)
{
    return c == 9 || c == 11 || c == 13 || c == L'\'' || c == L':';
}

// Emits the string literal that opens at i, to its closing quote, as one
// coloured piece whose text is never changed: a doubled quote inside it is
// one quote character, so "a""b" and """a"" or false" are each one string.
// Returns where the scan goes on.
size_t EmitString(const wchar_t* s, size_t i, size_t end, RtfWriter& out)
{
    for (size_t j = i + 1; j < end; ++j) {
        if (s[j] == L'"') {
            if (j + 1 < end && s[j + 1] == L'"') {
                ++j;
                continue;
            }
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
    DeclNames().Vbs(decl, 0, len, iPos > owner.FuncExt, owner.KnownNames());
}

void ColorVBSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    KeywordList& known = owner.KnownNames();
    known.Reset(Fold::Upper);
    known.Append(L"WScript", 7);
    const KeywordList& keywords = owner.VBSKeywords();
    TermMemo term;
    DeclNames declared;

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
            size_t j = SkipWord(s, i + 1, end, kWordEnd);
            // Keywords and known names both fold to upper case: one key for both.
            KeywordList::Key key = keywords.MakeKey(s + i, j - i);
            if (const KeywordList::Entry* kw = keywords.Find(key)) {
                out.Coloured("\\cf1 ", kw->Spelling);
                if (kw->Pos < owner.DimExt) {
                    size_t t = term.Find(s, j, end, DeclTerminator);
                    if (t != npos)
                        declared.Vbs(s, j, t, kw->Pos > owner.FuncExt, known);
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
