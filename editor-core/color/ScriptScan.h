#pragma once
// Pieces the JavaScript and PHP colourers share: their separators, their
// comments and their quote-delimited strings.
#include "color/RtfWriter.h"
#include "color/TextScan.h"

namespace color {

constexpr CharSet kScriptSeparator(" !%&()*+,-.:;<=>?@[\\]^{|}~", true);

// The "/" at i opens a comment when "*" or "/" follows: emits it and returns
// the index after it; returns i when it opens none. `blockMiss` remembers an
// unclosed "/*"; `closeColor` is the control word after a block comment.
inline size_t EmitSlashComment(const wchar_t* s, size_t i, size_t end, RtfWriter& out, MissMemo& blockMiss,
                               const char* closeColor)
{
    if (i + 1 >= end)
        return i;
    if (s[i + 1] == L'*') {
        size_t close = blockMiss.KnownMiss(i + 2) ? npos : blockMiss.Note(i + 2, FindPair(s, i + 2, end, L'*', L'/'));
        if (close == npos) {
            // Unclosed: "/*" is plain text and the scan goes on after it.
            out.Text(s + i, 2);
            return i + 2;
        }
        out.Ctl("\\cf3 ");
        out.Text(s + i, close + 2 - i);
        out.Ctl(closeColor);
        return close + 2;
    }
    if (s[i + 1] == L'/') {
        size_t cr = FindChar(s, i, end, 13);
        size_t stop = cr == npos ? end : cr;
        out.Ctl("\\cf3 ");
        out.Text(s + i, stop - i);
        out.Ctl("\\cf0 ");
        if (cr == npos)
            return end;
        out.Char(13);
        return cr + 1;
    }
    return i;
}

} // namespace color
