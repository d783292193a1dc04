#include "EditorGlue.h"

#include "ClipboardSnapshot.h"
#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "forms/Runtime.h"

#include <richedit.h>

#include <algorithm>

namespace TypingGlue {

long EditorSearch::Find(const std::wstring& what, long start, long end)
{
    FINDTEXTEXW ft{};
    ft.chrg.cpMin = start < 0 ? 0 : start;
    ft.chrg.cpMax = end;
    ft.lpstrText = what.c_str();
    return static_cast<long>(SendMessageW(re_, EM_FINDTEXTEXW, 1 /* FR_DOWN */, reinterpret_cast<LPARAM>(&ft)));
}

long EditorSearch::FindBack(const std::wstring& what, long start, long end)
{
    if (end < 0)
        end = RichEditStream::TextLength(re_);
    FINDTEXTEXW ft{};
    ft.chrg.cpMin = end;
    ft.chrg.cpMax = start < 0 ? 0 : start;
    ft.lpstrText = what.c_str();
    return static_cast<long>(SendMessageW(re_, EM_FINDTEXTEXW, 0, reinterpret_cast<LPARAM>(&ft)));
}

long EditorSearch::LineFromChar(long pos)
{
    return static_cast<long>(SendMessageW(re_, EM_EXLINEFROMCHAR, 0, pos));
}

} // namespace TypingGlue

namespace {

HWND Editor() { return State().EditorRichEditHandle(); }

// The main window keeps the view, and the gutter in step with it.
void SaveScroll()
{
    if (MainHost* h = Host())
        h->SaveScrollPos();
}

void RestoreScroll()
{
    if (MainHost* h = Host())
        h->RestoreScrollPos();
}

void SetCaret(long pos)
{
    CHARRANGE now{};
    SendMessageW(Editor(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    if (now.cpMin == pos && now.cpMax == pos)
        return;  // moving the selection is costly in a long text
    CHARRANGE cr{pos, pos};
    SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void SetColour(DWORD scf, COLORREF colour)
{
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = colour;
    SendMessageW(Editor(), EM_SETCHARFORMAT, scf, reinterpret_cast<LPARAM>(&cf));
}

} // namespace

void ColourWholeText(EditorType edType, bool afterLineEdit, long firstLine, long lastLine)
{
    ClsColor* colorer = State().Colorer;
    KvRTB* editor = State().CurrentEditor;
    if (!colorer || !editor)
        return;
    ClsColorEditor::IncrementalScope scope(afterLineEdit, firstLine, lastLine);
    ClsColorEditor::ColourAs(edType, *colorer, *editor);
}

namespace {

// The setting, the program's flag and the menu's check turn together.
void NoteColorCode(bool on)
{
    SettingsAccess::NoColorCode(!on);
    State().ColorCodeOn = on;
    if (MainHost* h = Host())
        h->CheckColorMenu(on);
}

} // namespace

void ColorOn()
{
    EditorState& st = State();
    NoteColorCode(true);
    if (RichEditStream::TextLength(Editor()) == 0)
        return;
    SaveScroll();
    forms::DoEvents();
    {
        RedrawLock lock(st.MainWindow);
        EnableWindow(Editor(), FALSE);
        ColourWholeText(State().EdType, false);
        RestoreScroll();
        EnableWindow(Editor(), TRUE);
    }
    st.LineEdited = false;
}

void RecolourAfterUndo()
{
    EditorState& st = State();
    KvRTB* editor = st.CurrentEditor;
    if (!editor || SettingsAccess::NoColorCode() || !st.ColorCodeOn ||
        RichEditStream::TextLength(editor->RTBhWnd()) == 0)
        return;
    SaveScroll();
    RedrawLock lock(st.MainWindow);
    bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    ColourWholeText(State().EdType, true);
    st.SuppressChangeTracking = wasSuppressed;
    RestoreScroll();
}

void ColorOff()
{
    EditorState& st = State();
    NoteColorCode(false);
    st.SuppressChangeTracking = true;
    if (RichEditStream::TextLength(Editor()) > 0) {
        SetColour(SCF_ALL, 0);
        SetCaret(0);
    }
    ClsColorEditor::ForgetColours();
    st.SuppressChangeTracking = false;
}

void InsertViaClipboard(const std::wstring& sText)
{
    if (sText.empty() || !Editor())
        return;
    HWND owner = State().MainWindow ? State().MainWindow : Editor();
    ClipboardSnapshot kept;
    if (!kept.Take(owner))
        return;  // the clipboard is held elsewhere: better no insert than a lost clipboard
    if (!ClipboardSnapshot::PutText(owner, sText)) {
        kept.Restore(owner);
        return;
    }
    SendMessageW(Editor(), WM_PASTE, 0, 0);
    kept.Restore(owner);
    State().DocChanged = true;
}

std::wstring GetLineText(long iStart, long iEnd)
{
    return TypingGlue::LeadingBlanks(RichEditStream::GetRange(Editor(), iStart, iEnd));
}

short InVBScriptBlock(long& iPos)
{
    TypingGlue::EditorSearch search(Editor());
    return TypingGlue::BlockKind(search, iPos, State().EdType);
}

void ResetChangeTracking()
{
    EditorState& st = State();
    st.InVBSBlockNow = 0;
    st.InVBSBlockPrev = 0;
    st.RememberedCaretLine = 0;
    st.RememberedCaretPos = 0;
}

namespace {

// The line the caret left: after Enter the line above the caret, otherwise
// the line remembered from the last line event.
struct LeftLine {
    long number = 0;
    long start = 0;    // -1 when the line no longer exists
    long length = 0;
    bool Exists() const { return start >= 0; }
    long End() const { return start + length - 1; }
};

LeftLine TakeLineLeft(HWND re, long iLine, bool afterEnter)
{
    EditorState& st = State();
    LeftLine line;
    if (afterEnter && iLine >= 1) {
        line.number = iLine - 1;
        st.RememberedCaretLine = line.number;
    } else {
        line.number = st.RememberedCaretLine;
    }
    line.start = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line.number, 0));
    line.length = line.Exists() ? static_cast<long>(SendMessageW(re, EM_LINELENGTH, line.start, 0)) : 0;
    st.ProcessedLineStart = line.Exists() ? line.start : 0;
    return line;
}

// The new line after Enter starts with the leading blanks of the line above.
void IndentNewLine(HWND re, const LeftLine& line, long& iCaret)
{
    std::wstring indent =
        TypingGlue::IndentAfter(RichEditStream::GetRange(re, line.start, line.start + line.length));
    if (indent.empty())
        return;
    SetCaret(iCaret);
    // An undo step of its own: the RichEdit empties its whole undo history
    // for a replacement that may not be undone.
    SendMessageW(re, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(indent.c_str()));
    iCaret += static_cast<long>(indent.size());
}

// The main window's checks of the line; returns how many characters the
// line check added.
long CheckLineLeft(MainHost& host, const LeftLine& line, EditorType edType, bool checkLines, long iCaret)
{
    EditorState& st = State();
    // A page's line is checked by the block it lay in; the caret's block
    // becomes the one before the next line event after the checks.
    const bool tracksBlocks = IsPageType(edType) && checkLines;
    if (tracksBlocks)
        st.InVBSBlockNow = InVBScriptBlock(iCaret);
    const TypingGlue::LineChecks plan =
        TypingGlue::PlanLineChecks(edType, checkLines, line.Exists(), st.InVBSBlockPrev);
    long added = 0;
    long start = line.start, end = line.End();
    if (plan.recordDeclaration)
        host.AddFuncDecl(start, end);
    if (plan.check) {
        bool report = false, inPage = plan.inPage;
        host.CheckVBSLine(start, end, added, report, inPage);
    }
    if (tracksBlocks)
        st.InVBSBlockPrev = st.InVBSBlockNow;
    return added;
}

// Text changed only between the line left and the caret's line (typing, a
// paste, Enter, a line joined by Backspace): the colouring reads back just
// those lines and one on either side. Text the line check added may lie
// anywhere after the line.
void ColourEditedLines(EditorType edType, const LeftLine& line, long iLine, long added, bool mayColour)
{
    EditorState& st = State();
    if (TypingGlue::RecoloursAfterLine(edType, mayColour, st.FindingMarked)) {
        const bool known = added == 0;
        const long first = std::min(line.number, iLine) - 1;
        const long last = std::max(line.number, iLine) + 1;
        ColourWholeText(edType, true, known ? std::max(first, 0L) : -1, known ? last : -1);
    }
    if (TypingGlue::MarksFindings(edType)) {
        if (st.FindingMarked)
            ClsColorEditor::ForgetColours();  // the marked line no longer has its syntax colours
        st.FindingMarked = false;
    }
}

} // namespace

void ProcessEditedLine(long& iCaret, long& iLine, bool& bAfterEnter)
{
    EditorState& st = State();
    HWND re = Editor();
    MainHost* host = Host();
    if (!re || !host)
        return;
    host->ClearInfo();
    host->HideTip();
    host->SaveScrollPos();

    const LeftLine line = TakeLineLeft(re, iLine, bAfterEnter);
    if (bAfterEnter && iLine >= 1 && line.Exists() && !SettingsAccess::NoCaretJump())
        IndentNewLine(re, line, iCaret);

    const EditorType edType = State().EdType;
    const bool checkLines = !SettingsAccess::NoLineDebug() && st.LineDebugOn;
    const bool mayColour = !SettingsAccess::NoColorCode() && st.ColorCodeOn && st.LineEdited;
    st.SuppressChangeTracking = true;
    const long added = CheckLineLeft(*host, line, edType, checkLines, iCaret);
    ColourEditedLines(edType, line, iLine, added, mayColour);
    st.SuppressChangeTracking = false;
    if (line.number < iLine)
        iCaret += added;

    SetCaret(iCaret);
    SetColour(SCF_SELECTION, 0);
    host->RestoreScrollPos();
    st.LineEdited = false;
}
