#pragma once
// The rules of the typing glue that need no window: the indentation after
// Enter, the word before the caret, script blocks of a page, and what is
// done with a line the caret left. The editor's part is EditorGlue.
#include <string>

#include "EditorType.h"

namespace TypingGlue {

// The leading run of tabs and blanks, unchanged.
std::wstring LeadingBlanks(const std::wstring& line);
// What Enter after this line puts at the start of the new line: its leading
// blanks as they are, and nothing for a line without leading blanks or
// without any other character.
std::wstring IndentAfter(const std::wstring& line);

// The word that ends at the caret, or the name before a "(" typed within the
// five characters before it; wordStart receives its first position (0 when
// nothing was found). Works at the very start of the text.
std::wstring LastWord(const std::wstring& text, long caret, long& wordStart);

// The searches InVBScriptBlock needs, over the editor or over plain text.
// Searches ignore case; end -1 means the end of the text; -1 when not found.
class TextSearch {
public:
    virtual ~TextSearch() = default;
    virtual long Find(const std::wstring& what, long start, long end) = 0;
    // The last match that starts at or after start and ends by end.
    virtual long FindBack(const std::wstring& what, long start, long end) = 0;
    virtual long LineFromChar(long pos) = 0;
};

class StringSearch : public TextSearch {
public:
    explicit StringSearch(const std::wstring& text);
    long Find(const std::wstring& what, long start, long end) override;
    long FindBack(const std::wstring& what, long start, long end) override;
    long LineFromChar(long pos) override;

private:
    // end -1 or past the text means the end of the text; start below 0 the start.
    void ClampRange(long& start, long& end) const;

    std::wstring upper_;
};

// 0, 1 (inside a VBScript SCRIPT block) or 2 (inside a server block) for a
// position; only pages give non-zero.
short BlockKind(TextSearch& search, long iPos, EditorType edType);

// What is done with a line the caret left, before it is recoloured: its
// Sub or Function declaration recorded, and the VBScript line check (inPage:
// a line of a page). A page's line takes part only when line checking is on
// and the line lay in a script block before the caret moved; a script's
// line always has its declaration recorded.
struct LineChecks {
    bool recordDeclaration = false;
    bool check = false;
    bool inPage = false;
};
LineChecks PlanLineChecks(EditorType type, bool checkLines, bool lineExists, short blockBefore);
// Whether a line check may have marked its finding in the editor: the mark
// then stands in place of one recolouring.
bool MarksFindings(EditorType type);
// Whether the lines edited are recoloured after the checks.
bool RecoloursAfterLine(EditorType type, bool mayColour, bool findingMarked);

} // namespace TypingGlue
