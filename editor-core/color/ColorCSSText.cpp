#include "color/ColorCSSText.h"

#include "ClsColor.h"
#include "color/RtfWriter.h"
#include "color/TextScan.h"

namespace color {

namespace {

constexpr CharSet kSeparator(" ()*+,:;<>\\", true);

bool WordEnd(wchar_t c)
{
    return kSeparator(c) || c == L'/' || c == L'{' || c == L'}';
}

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
        } else if (c == L'/') {
            size_t close = npos;
            if (i + 1 < end && s[i + 1] == L'*' && !commentMiss.KnownMiss(i + 2))
                close = commentMiss.Note(i + 2, FindPair(s, i + 2, end, L'*', L'/'));
            if (close != npos) {
                // After a comment the selector colour returns, not plain.
                out.Ctl("\\cf3 ");
                out.Text(s + i, close + 2 - i);
                out.Ctl("\\cf4 ");
                i = close + 2;
            } else if (i + 1 < end && s[i + 1] == L'*') {
                out.Ctl("/*");
                i += 2;
            } else {
                out.Char(c);
                ++i;
            }
        } else {
            size_t j = i + 1;
            while (j < end && !WordEnd(s[j]))
                ++j;
            if (keywords.Find(s + i, j - i)) {
                out.Ctl("\\cf1 ");
                out.Text(s + i, j - i);
                out.Ctl("\\cf0 ");
            } else {
                out.Text(s + i, j - i);
            }
            i = j;
        }
    }
}

} // namespace color
