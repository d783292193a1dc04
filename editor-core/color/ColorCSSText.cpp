#include "color/ColorCSSText.h"

#include "ClsColor.h"
#include "color/ScriptScan.h"

namespace color {

namespace {

constexpr CharSet kSeparator(" ()*+,:;<>\\", true);

// The separators, the slash and the braces.
constexpr CharSet kWordEnd(" ()*+,:;<>\\/{}", true);

} // namespace

void ColorCSSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out)
{
    const KeywordList& keywords = owner.CSSKeywords();
    MissMemo commentMiss;

    out.Ctl("\\cf4 ");
    size_t i = begin;
    while (i < end) {
        wchar_t c = s[i];
        if (kSeparator(c)) {
            out.Char(c);
            ++i;
        } else if (c == L'{') {
            out.Ctl("\\cf0 \\{");
            ++i;
        } else if (c == L'}') {
            out.Ctl("\\}\\cf4 ");
            ++i;
        } else if (c == L'/' && i + 1 < end && s[i + 1] == L'*') {
            // After a comment the selector colour returns, not plain.
            i = EmitBlockComment(s, i, end, out, commentMiss, "\\cf4 ");
        } else if (c == L'/') {
            out.Char(c);
            ++i;
        } else {
            size_t j = SkipWord(s, i + 1, end, kWordEnd);
            EmitWord(keywords, s, i, j, out);
            i = j;
        }
    }
}

} // namespace color
