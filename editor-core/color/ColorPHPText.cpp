#include "color/ColorPHPText.h"

#include "ClsColor.h"
#include "color/ScriptScan.h"

namespace color {

namespace {

bool WordEnd(wchar_t c)
{
    return kScriptSeparator(c) || c == L'"' || c == L'\'' || c == L'/' || c == L'#';
}

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
            out.Ctl("\\cf2 ");
            out.Text(s + i, j + 1 - i);
            out.Ctl("\\cf0 ");
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
            size_t cr = FindChar(s, i, end, 13);
            size_t stop = cr == npos ? end : cr;
            out.Ctl("\\cf3 ");
            out.Text(s + i, stop - i);
            out.Ctl("\\cf0 ");
            if (cr != npos)
                out.Char(13);
            i = cr == npos ? end : cr + 1;
        } else if (c == L'/') {
            size_t next = EmitSlashComment(s, i, end, out, blockMiss, "\\cf0 ");
            if (next == i) {
                out.Char(c);
                ++i;
            } else {
                i = next;
            }
        } else {
            size_t j = i + 1;
            while (j < end && !WordEnd(s[j]))
                ++j;
            if (c == L'$') {
                out.Ctl("\\cf4 ");
                out.Text(s + i, j - i);
                out.Ctl("\\cf0 ");
            } else if (keywords.Find(s + i, j - i)) {
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
