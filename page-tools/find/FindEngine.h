#pragma once
// The find-and-replace engine of the find window: searches an editor for the
// find field's text, steps back through the hits, replaces one hit or every
// hit (in the whole text or inside the selection), and jumps to a procedure
// declaration. It keeps the module's little state: where the next forward
// search starts and the find field's search state, which the field shows as
// its background colour and which gates the next search.
//
// The operations work on the editor and report what happened; the window
// that calls them shows a hit's line and column, keeps the gutter in step
// and moves the focus. Messages go through FindInfoBox and FindAskBox.
#include <windows.h>

#include <string>

class KvRTB;

namespace modfind {

// Search flags handed unchanged to KvRTB::Find.
constexpr long kFindForward = 1, kFindWholeWord = 2, kFindMatchCase = 4;
// Flags as the find window's check boxes build them: always 1, 3, 5 or 7.
long SearchFlags(bool wholeWord, bool matchCase);

// The outcome of the last search, shown as the find field's background.
enum class FieldState { Ready, ForwardMiss, BackwardMiss };
COLORREF FieldColour(FieldState state);   // white, 0x95A6BD, 0x8FA2BA

// What the engine reads of the find window.
struct FindField {
    std::wstring find;          // tFind: the text, or in Asc mode a character code
    std::wstring replacement;   // trep
    bool asc = false;           // "Asc" checked
    bool inSelection = false;   // "Replace in selection" checked
};

// The module's state, one instance for the whole run.
struct FindState {
    long NextFindStart = 0;   // the last forward hit + 1; 0: start from the top
    long LastHitPos = 0;
    std::wstring ReplaceText;
    FieldState Field = FieldState::Ready;
    // Replace or Replace all changed the text since the find window was
    // shown: closing it colours the document again.
    bool Replaced = false;
};
FindState& Finder();
// Back to the start values (tests).
void ResetFinder();

// The find field was edited: searches start from the top again, and run.
void FieldEdited();
// A find option was clicked: searches run again, from where they were.
void OptionClicked();

// The find text of the field: in Asc mode the one character whose code (1 to
// 255, in the system code page) the field holds. False, after string 175,
// for a field that is no such code.
bool ResolveFindText(const FindField& field, std::wstring& text);

enum class Outcome { NotRun, Hit, Miss };
struct SearchResult {
    Outcome outcome = Outcome::NotRun;
    long hit = -1;      // the selected hit
    long length = 0;
};

// Searches from the top of the text; a hit is selected.
SearchResult FindFromTop(KvRTB& editor, const FindField& field, long flags);
// Searches on from the last hit (or from the caret when fromCaret).
SearchResult FindNext(KvRTB& editor, const FindField& field, long flags, bool fromCaret);
// The last hit that ends before the character in front of the caret.
SearchResult FindPrevious(KvRTB& editor, const FindField& field, long flags);
// Replaces the selection, whatever it holds, by the replacement text as one
// undoable edit, and recolours when the replacement is long enough to have
// changed the colouring. True when it replaced.
bool ReplaceOne(KvRTB& editor, const FindField& field);
// Replaces every hit in the text (or from the caret, or inside the selection)
// and reports the count. -1 when it stopped before replacing.
long ReplaceAll(KvRTB& editor, const FindField& field, long flags, bool fromCaret);
// Puts the caret at the start of the line declaring "Sub name(" or, failing
// that, "Function name(", and scrolls it to the third line of the view when
// the text allows. False when neither is found.
bool GoToProcedure(KvRTB& editor, const std::wstring& name);

// The engine's message boxes: over the find window while it shows, else
// over the main window; topmost.
void FindInfoBox(const std::wstring& text);
int FindAskBox(const std::wstring& text, UINT style);

} // namespace modfind
