#pragma once
// Where a text may break into lines, and what its white space becomes,
// under each white-space mode. Line boxes and the intrinsic widths both read
// text through SplitText, so a cell is never measured narrower or wider
// than its lines are broken.
#include <string>

#include "html/style/ComputedStyle.h"

namespace html {

struct TextSegment {
    enum Kind : unsigned char { Word, Space, Tab, Newline } kind = Word;
    size_t start = 0, length = 0; // in the text; a Space or Tab run of length characters
    // Word: a line may end after it although no space follows (a hyphen,
    // a dash, a soft hyphen or a zero-width space ends it).
    bool breakAfter = false;
    bool softHyphen = false; // Word: ends at a soft hyphen, drawn as "-" where the line breaks there
};

inline bool WrapsLines(WhiteSpace ws)
{
    return ws == WhiteSpace::Normal || ws == WhiteSpace::PreWrap || ws == WhiteSpace::PreLine;
}

// Calls emit(const TextSegment&) for each segment of text in order. Under
// pre a word takes in its spaces (they never break); under pre-wrap spaces
// are runs of their own; elsewhere a Space segment stands for a run of
// white space that collapses to one.
template <class Emit>
void SplitText(const std::wstring& text, WhiteSpace ws, Emit emit)
{
    const bool keepSpaces = ws == WhiteSpace::Pre || ws == WhiteSpace::PreWrap;
    const bool keepLines = keepSpaces || ws == WhiteSpace::PreLine;
    const bool wrap = WrapsLines(ws);
    const size_t n = text.size();
    TextSegment word;
    word.start = 0;
    auto endWord = [&](size_t at, bool breakAfter, bool softHyphen) {
        if (at > word.start) {
            word.kind = TextSegment::Word;
            word.length = at - word.start;
            word.breakAfter = breakAfter;
            word.softHyphen = softHyphen;
            emit(word);
        }
    };
    size_t i = 0;
    while (i < n) {
        wchar_t c = text[i];
        bool lineEnd = keepLines && (c == L'\n' || c == L'\r');
        bool space = c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
        if (lineEnd) {
            endWord(i, false, false);
            // CR LF and a lone CR end one line, as the parser reads them.
            if (c == L'\r' && i + 1 < n && text[i + 1] == L'\n')
                ++i;
            TextSegment g;
            g.kind = TextSegment::Newline;
            g.start = i;
            emit(g);
            word.start = ++i;
            continue;
        }
        if (space && keepSpaces && c == L'\t') {
            endWord(i, false, false);
            TextSegment g;
            g.kind = TextSegment::Tab;
            g.start = i;
            while (i < n && text[i] == L'\t')
                ++i;
            g.length = i - g.start;
            emit(g);
            word.start = i;
            continue;
        }
        if (space && ws == WhiteSpace::Pre) {
            ++i; // part of the word: kept, and no line breaks there
            continue;
        }
        if (space) {
            endWord(i, false, false);
            TextSegment g;
            g.kind = TextSegment::Space;
            g.start = i;
            if (keepSpaces) {
                while (i < n && (text[i] == L' ' || text[i] == L'\f'))
                    ++i;
            } else {
                while (i < n && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\f' ||
                                 ((text[i] == L'\n' || text[i] == L'\r') && !keepLines)))
                    ++i;
            }
            g.length = i - g.start;
            emit(g);
            word.start = i;
            continue;
        }
        if (wrap) {
            if (c == L'\x00AD' || c == L'\x200B') {
                // Neither is drawn; a soft hyphen shows only where the line breaks at it.
                endWord(i, true, c == L'\x00AD');
                word.start = ++i;
                continue;
            }
            if (c == L'\x2014') { // an em dash may break on either side
                endWord(i, true, false);
                word.start = i;
                endWord(i + 1, true, false);
                word.start = ++i;
                continue;
            }
            if (c == L'-' || c == L'\x2010' || c == L'\x2012' || c == L'\x2013') {
                endWord(i + 1, true, false);
                word.start = ++i;
                continue;
            }
        }
        ++i;
    }
    endWord(n, false, false);
}

} // namespace html
