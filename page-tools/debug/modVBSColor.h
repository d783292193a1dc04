#pragma once
// VBScript text scanning for the checker: lines, strings, comment marks, and
// the block-keyword count. Works on text in the editor's form (paragraph
// ends as CR); positions are 0-based, and an end position is excluded.
// Strings end at their line's end, as VBScript strings do.
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vbs {

constexpr int kBlockKeywordCount = 14;
using BlockCounts = std::array<long, kBlockKeywordCount>;

// 0-based line of pos.
long LineOf(const std::wstring& text, long pos);

// The line numbers of one text, from one pass over it: the checks number
// each finding, and counting the lines from the start for every one made a
// long text's check take time in the square of its length.
class LineIndex {
public:
    explicit LineIndex(const std::wstring& text);
    // 0-based line of pos, as LineOf.
    long LineOf(long pos) const;
    long Count() const { return static_cast<long>(breaks_.size()) + 1; }

private:
    std::vector<long> breaks_;  // the positions of the CRs, in order
};
// The line holding pos, tabs and line breaks as blanks, trimmed.
std::wstring TrimLine(const std::wstring& text, long pos);

// Case-blind searches run on the text folded once (platform::Upper, which
// keeps every position): the first match of upperWhat inside [start, end) of
// upperText (end -1: the end of the text), or -1; the search never reads past
// end. wholeWord: the characters on either side of the match are no word
// characters (letters, digits, "_").
long FindFolded(const std::wstring& upperText, const std::wstring& upperWhat, long start, long end,
                bool wholeWord);

// Position of the first comment mark outside a string in [start, end): an
// apostrophe, or a REM statement. -1 when there is none.
long FindCodeComment(const std::wstring& text, long start, long end);
// True when pos is code: neither inside a string nor after a comment mark.
bool IsCode(const std::wstring& text, long pos);
// The stretches [a, b) of code on the line [lineStart, lineEnd), in order.
std::vector<std::pair<long, long>> CodeStretches(const std::wstring& text, long lineStart, long lineEnd);

// Counts the block keywords ("If", "End If", "For", "Next", ... in the order
// of kBlockKeywords) in the code of the text, outside strings and comments.
// The whole-word search for "If", "Sub", "Function", "Property" and "Class"
// also counts the word inside its own closing keyword; "Next" counts only at
// the start of a line, the exit statements and "Class_" handlers not at all.
BlockCounts CountBlockKeywords(const std::wstring& text);

} // namespace vbs
