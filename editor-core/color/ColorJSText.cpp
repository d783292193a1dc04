#include "color/ColorJSText.h"

#include "ClsColor.h"
#include "color/DeclNames.h"
#include "color/ScriptScan.h"

namespace color {

namespace {

// The separators, quotes and the slash.
constexpr CharSet kWordEnd(" !%&()*+,-.:;<=>?@[\\]^{|}~\"'/", true);

bool DeclTerminator(wchar_t c)
{
    return c == 11 || c == 13 || c == L';';
}

} // namespace

void CheckVarsJS(ClsColor& owner, const wchar_t* decl, size_t len, long iVarPt)
{
    DeclNames().Js(decl, 0, len, iVarPt >= 4, owner.KnownNames());
}

void ColorJSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    KeywordList& known = owner.KnownNames();
    known.Reset(Fold::Lower);
    const KeywordList& keywords = owner.JSKeywords();
    MissMemo blockMiss;
    TermMemo term;
    DeclNames declared;

    size_t i = begin;
    while (i < end) {
        wchar_t c = s[i];
        if (kScriptSeparator(c)) {
            out.Char(c);
            ++i;
        } else if (c == L'"' || c == L'\'') {
            size_t j = FindChar(s, i + 1, end, c);
            while (j != npos && s[j - 1] == L'\\')
                j = FindChar(s, j + 1, end, c);
            if (j == npos)
                j = end;
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
            size_t j = SkipWord(s, i + 1, end, kWordEnd);
            // Keywords and known names both fold to lower case: one key for both.
            KeywordList::Key key = keywords.MakeKey(s + i, j - i);
            if (const KeywordList::Entry* kw = keywords.Find(key)) {
                out.Coloured("\\cf1 ", s + i, j - i);
                // The list begins with "var" (position 1) and "function" (5).
                if (kw->Pos < 10) {
                    size_t t = term.Find(s, j, end, DeclTerminator);
                    if (t != npos)
                        declared.Js(s, j, t, kw->Pos >= 4, known);
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
