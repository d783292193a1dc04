#pragma once
// Pieces the script and style colourers share: comments, keywords, and the
// separators of JavaScript and PHP.
#include "color/KeywordList.h"
#include "color/RtfWriter.h"
#include "color/TextScan.h"

namespace color {

constexpr CharSet kScriptSeparator(" !%&()*+,-.:;<=>?@[\\]^{|}~", true);

// The comment that opens at i and runs to the line end: written in the
// comment colour, then the CR that ends it. Returns the index after the CR.
inline size_t EmitLineComment(const wchar_t* s, size_t i, size_t end, RtfWriter& out)
{
    size_t cr = FindChar(s, i, end, 13);
    size_t stop = cr == npos ? end : cr;
    out.Coloured("\\cf3 ", s + i, stop - i);
    if (cr == npos)
        return end;
    out.Char(13);
    return cr + 1;
}

// The "/*" at i: the comment up to "*/", followed by closeColor. Unclosed,
// "/*" is plain text and the scan goes on after it. `miss` remembers an
// unclosed "/*". Returns the index after what was written.
inline size_t EmitBlockComment(const wchar_t* s, size_t i, size_t end, RtfWriter& out, MissMemo& miss,
                               const char* closeColor)
{
    size_t close = miss.KnownMiss(i + 2) ? npos : miss.Note(i + 2, FindPair(s, i + 2, end, L'*', L'/'));
    if (close == npos) {
        out.Text(s + i, 2);
        return i + 2;
    }
    out.Ctl("\\cf3 ");
    out.Text(s + i, close + 2 - i);
    out.Ctl(closeColor);
    return close + 2;
}

// The "/" at i in JavaScript or PHP: a block comment, a line comment, or
// the character itself. Returns the index after what was written.
inline size_t EmitSlash(const wchar_t* s, size_t i, size_t end, RtfWriter& out, MissMemo& blockMiss)
{
    if (i + 1 < end && s[i + 1] == L'*')
        return EmitBlockComment(s, i, end, out, blockMiss, "\\cf0 ");
    if (i + 1 < end && s[i + 1] == L'/')
        return EmitLineComment(s, i, end, out);
    out.Char(L'/');
    return i + 1;
}

// The word s[i, j): in the keyword colour when the list has it, else plain.
inline void EmitWord(const KeywordList& keywords, const wchar_t* s, size_t i, size_t j, RtfWriter& out)
{
    if (keywords.Find(s + i, j - i))
        out.Coloured("\\cf1 ", s + i, j - i);
    else
        out.Text(s + i, j - i);
}

} // namespace color
