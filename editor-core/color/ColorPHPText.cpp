#include "color/ColorPHPText.h"

#include "ClsColor.h"
#include "color/ScriptScan.h"

namespace color {

namespace {

// The separators, quotes, the slash and "#".
constexpr CharSet kWordEnd(" !%&()*+,-.:;<=>?@[\\]^{|}~\"'/#", true);

// A string ends at its closing quote or, unclosed, at the line end.
size_t EmitString(const wchar_t* s, size_t i, size_t end, RtfWriter& out)
{
    wchar_t quote = s[i];
    for (size_t j = i + 1; j < end; ++j) {
        if (s[j] == 13) {
            out.Text(s + i, j + 1 - i);
            return j + 1;
        }
        // Only double-quoted strings know the backslash escape.
        if (s[j] == quote && (quote == L'\'' || s[j - 1] != L'\\')) {
            out.Coloured("\\cf2 ", s + i, j + 1 - i);
            return j + 1;
        }
    }
    out.Text(s + i, end - i);
    return end;
}

} // namespace

void ColorPHPText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    const KeywordList& keywords = owner.PHPKeywords();
    MissMemo blockMiss;

    size_t i = begin;
    while (i < end) {
        wchar_t c = s[i];
        if (kScriptSeparator(c)) {
            out.Char(c);
            ++i;
        } else if (c == L'"' || c == L'\'') {
            i = EmitString(s, i, end, out);
        } else if (c == L'#') {
            i = EmitLineComment(s, i, end, out);
        } else if (c == L'/') {
            i = EmitSlash(s, i, end, out, blockMiss);
        } else {
            size_t j = SkipWord(s, i + 1, end, kWordEnd);
            if (c == L'$')
                out.Coloured("\\cf4 ", s + i, j - i);
            else
                EmitWord(keywords, s, i, j, out);
            i = j;
        }
    }
}

} // namespace color
