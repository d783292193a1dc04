#pragma once
// The glue between typing in the main editor and colouring, indentation and
// the VBScript line check. The editor's change event only marks the line as
// edited; the work happens when the caret leaves the line. It reaches the
// main window (messages, scroll keeping, the checks) through its host.
#include <windows.h>

#include <string>

#include "TypingGlue.h"

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
// TypingGlue::BlockKind at a position of the current editor.
short InVBScriptBlock(long& iPos);
// Forgets the remembered caret line and position and the block states.
void ResetChangeTracking();

namespace TypingGlue {

// The searches of BlockKind over an editor's window.
class EditorSearch : public TextSearch {
public:
    explicit EditorSearch(HWND richEdit) : re_(richEdit) {}
    long Find(const std::wstring& what, long start, long end) override;
    long FindBack(const std::wstring& what, long start, long end) override;
    long LineFromChar(long pos) override;

private:
    HWND re_;
};

} // namespace TypingGlue
