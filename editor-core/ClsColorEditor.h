#pragma once
// The colouring of a live editor: ClsColor's RTF written over a range of a
// KvRTB, with what the last colouring of each window left remembered, so that
// a recolouring after a line edit rewrites only what changed.
#include <windows.h>

#include "EditorType.h"
#include "KvRTB/KvRTB.h"

#include <string>
#include <vector>

class ClsColor;

namespace ClsColorEditor {

// Recolour editor characters StPt..EndPt (EndPt -1: to the end) with the
// colorer's colourer for the member's language, keeping the caret and view.
void ColorVBS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt);
void ColorJS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt);
void ColorCSS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt);
void ColorHTML(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt);
// The same with the colourer of a document type: an ASP page is coloured as
// a page; a type without colouring is left as it is.
void ColourAs(EditorType type, ClsColor& colorer, KvRTB& editor, long StPt = 0, long EndPt = -1);
// Colours text as the page's whole new text and writes it in; text differs
// from the editor's only in case (the same length). A rewrite of every tag
// then costs what a colouring costs, not what deleting and inserting the
// whole text costs. False, with the editor unchanged, when it could not.
bool ColorHTMLText(ClsColor& colorer, KvRTB& editor, const std::wstring& text);
// Puts text, coloured whole as edType, in place of the editor's text when
// it is long: in a fresh window, as colouring a long text whole does. The
// change is not undoable: the replaced window goes with its undo steps;
// with keepUndo the replaced window is kept while it has steps, and Undo
// goes on there (KvRTB::KeepUndoHistory). selStart..selEnd is selected
// afterwards; the view stays. False, with the editor unchanged, for a short
// text (edited in place as cheaply) or when it could not.
bool ReplaceLongText(ClsColor& colorer, KvRTB& editor, EditorType edType, const std::wstring& text, long selStart,
                     long selEnd, bool keepUndo = false);
// Writes a file's text, as colouring it whole as edType leaves it, into the
// editor's empty shown window: a long file (many lines, or a long one) is
// then written once, coloured, instead of plain and then again coloured.
// False, with the window still
// empty, for a short text (coloured in place as cheaply) or one that the
// RichEdit would not keep as it is (line feeds, control characters).
bool WriteColouredText(ClsColor& colorer, KvRTB& editor, EditorType edType, const std::wstring& text);

// What the last whole-text colouring left in one RichEdit window. A window
// property marks the window the entry was made for: a window handle may be
// given again to a new window once the old one is destroyed.
struct ColourCache {
    HWND editor = nullptr;
    HANDLE mark = nullptr;
    unsigned long long used = 0;
    EditorType edType = EditorType::None;
    std::string frame;
    std::wstring text;
    std::vector<unsigned char> colours;
    // Set by TextUndone: where the text differs, whole lines are rewritten.
    bool undone = false;
};

// The colouring's memory, part of the program-wide state (State().Colouring).
struct Memory {
    std::vector<ColourCache> caches;
    unsigned long long uses = 0;
    unsigned long long marks = 0;
    // Set by IncrementalScope.
    bool incremental = false;
    long firstLine = -1, lastLine = -1;
    // Figures of the last colouring.
    long rewritten = 0;
    long read = 0;
};

// While one exists, a whole-text colouring may rewrite only the stretch of
// the editor that differs from the last colouring (text typed since, and
// colours that the typing changed further on). The typing glue opens one
// around its recolouring after a line edit; every other whole-text colouring
// rewrites everything. firstLine..lastLine (editor lines, as EM_LINEINDEX
// counts them) are the lines the edit may have touched: the colouring then
// reads back only those when the editor agrees that the rest is unchanged.
// -1 when not known.
class IncrementalScope {
public:
    explicit IncrementalScope(bool allow, long firstLine = -1, long lastLine = -1);
    ~IncrementalScope();
    IncrementalScope(const IncrementalScope&) = delete;
    IncrementalScope& operator=(const IncrementalScope&) = delete;

private:
    bool previous_;
    long previousFirst_;
    long previousLast_;
};

// The editor's colours may no longer be those of the last colouring (another
// document, colouring off, undo, a marked line): the next colouring of the
// current editor window rewrites the whole text.
void ForgetColours();
// The same for one given RichEdit window. The last colouring of each of a
// few windows is kept, so a document shown again in its own window goes on
// being coloured in part.
void ForgetColours(HWND window);

// One undo or redo step that changed the length of the text was taken in
// the current editor window. Such a step changes text in one place, and
// looks only of the text it puts back, which come back as they were when
// that text went and need not be its colouring: the next colouring keeps its
// memory of the window and rewrites whole every line where the text differs
// from it. (After a step that may have changed looks alone, anywhere,
// ForgetColours.)
void TextUndone();

// The window's text went from before to what the replacements made of it,
// outside a colouring: replacements made in the order given, the last place
// first, so that each is at its place in before. Its colouring memory follows
// them: an inserted character takes the look that the RichEdit gives it (that
// of the character before it, or at a line's start, of the one after it).
// Memory of another text is forgotten: a colouring after a line edit would
// otherwise take the text it remembers for the editor's.
void TextReplaced(HWND window, const std::wstring& before, const std::vector<KvRTB::Replacement>& edits);
// Characters start..end of the window took colour, bold kept, outside a
// colouring (line ends are left as remembered). Forgets the window's colours
// when its colourer has no such colour.
void RangeColoured(HWND window, long start, long end, COLORREF colour);

// Characters that the last colouring rewrote in the editor (for a whole text
// after a line edit, only the stretch that changed).
long LastRewrittenLength();
// Characters that the last colouring read back from the editor (after a line
// edit, often only the edited lines and a paragraph on either side).
long LastReadLength();

} // namespace ClsColorEditor
