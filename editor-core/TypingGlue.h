#pragma once
// The glue between typing in the main editor and colouring, indentation and
// the VBScript line check. The editor's change event only marks the line as
// edited; the work happens when the caret leaves the line.
#include <windows.h>

#include <string>

#include "EditorType.h"

// Colours the current editor's whole text as edType (no colouring for the
// other types). After a line edit only what changed needs rewriting in the
// editor, and only the lines firstLine..lastLine need reading back.
void ColourWholeText(EditorType edType, bool afterLineEdit = false, long firstLine = -1, long lastLine = -1);
// Colour coding of the whole document on (and colour it now) or off.
void ColorOn();
void ColorOff();
// Undo and redo bring back text without its colours (colouring adds no undo
// steps, so that each step undoes what the user did): the main window's undo
// and redo commands call this after each step. Only what changed is rewritten.
void RecolourAfterUndo();
// Inserts text at the caret as a paste would; the clipboard keeps every
// format it held before.
void InsertViaClipboard(const std::wstring& sText);
// Called by the line event when the caret moved to another line with nothing
// selected: indents a new line after Enter, hands the line left to the line
// check and the declaration record, and recolours when text was typed.
void ProcessEditedLine(long& iCaret, long& iLine, bool& bAfterEnter);
// The run of tabs and blanks at the start of the editor text iStart..iEnd.
std::wstring GetLineText(long iStart, long iEnd);
// 0, 1 (inside a VBScript SCRIPT block) or 2 (inside a server block) for a
// position of the current editor; only pages (types 1 and 2) give non-zero.
short InVBScriptBlock(long& iPos);
// Forgets the remembered caret line and position and the block states.
void ResetChangeTracking();

// Parts of the glue that need no window.
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

class EditorSearch : public TextSearch {
public:
    explicit EditorSearch(HWND richEdit) : re_(richEdit) {}
    long Find(const std::wstring& what, long start, long end) override;
    long FindBack(const std::wstring& what, long start, long end) override;
    long LineFromChar(long pos) override;

private:
    HWND re_;
};

short BlockKind(TextSearch& search, long iPos, EditorType edType);

} // namespace TypingGlue
