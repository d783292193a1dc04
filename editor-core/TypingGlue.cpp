#include "TypingGlue.h"

#include "ClipboardSnapshot.h"
#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "forms/Runtime.h"
#include "platform/Text.h"

#include <richedit.h>

#include <cwctype>


namespace TypingGlue {

std::wstring LeadingBlanks(const std::wstring& line)
{
    size_t n = 0;
    while (n < line.size() && (line[n] == L' ' || line[n] == L'\t'))
        ++n;
    return line.substr(0, n);
}

std::wstring IndentAfter(const std::wstring& line)
{
    std::wstring lead = LeadingBlanks(line);
    // A line of blanks only has no word to line up with.
    bool hasWord = false;
    for (size_t i = lead.size(); i < line.size(); ++i)
        if (line[i] != L'\r' && line[i] != L'\n') {
            hasWord = true;
            break;
        }
    return hasWord ? lead : std::wstring();
}

namespace {

bool IsWordChar(wchar_t c)
{
    return c == L'_' || std::iswalnum(c);
}

} // namespace

std::wstring LastWord(const std::wstring& text, long caret, long& wordStart)
{
    wordStart = 0;
    long len = static_cast<long>(text.size());
    if (caret > len)
        caret = len;
    if (caret < 1)
        return L"";
    // A "(" among the five characters before the caret ends the name;
    // otherwise the character just before the caret (the key just typed) does.
    long end = caret - 1;
    for (long p = (caret - 5 < 0 ? 0 : caret - 5); p < caret - 1; ++p)
        if (text[p] == L'(') {
            end = p;
            break;
        }
    long s = end;
    while (s > 0 && IsWordChar(text[s - 1]))
        --s;
    if (s == end)
        return L"";
    wordStart = s;
    return text.substr(s, end - s);
}

StringSearch::StringSearch(const std::wstring& text) : upper_(platform::Upper(text)) {}

void StringSearch::ClampRange(long& start, long& end) const
{
    long len = static_cast<long>(upper_.size());
    if (end < 0 || end > len)
        end = len;
    if (start < 0)
        start = 0;
}

long StringSearch::Find(const std::wstring& what, long start, long end)
{
    ClampRange(start, end);
    std::wstring w = platform::Upper(what);
    size_t p = upper_.find(w, static_cast<size_t>(start));
    if (p == std::wstring::npos || static_cast<long>(p + w.size()) > end)
        return -1;
    return static_cast<long>(p);
}

long StringSearch::FindBack(const std::wstring& what, long start, long end)
{
    ClampRange(start, end);
    std::wstring w = platform::Upper(what);
    if (static_cast<long>(w.size()) > end)
        return -1;
    size_t p = upper_.rfind(w, static_cast<size_t>(end - static_cast<long>(w.size())));
    if (p == std::wstring::npos || static_cast<long>(p) < start)
        return -1;
    return static_cast<long>(p);
}

long StringSearch::LineFromChar(long pos)
{
    long line = 0;
    long stop = pos < static_cast<long>(upper_.size()) ? pos : static_cast<long>(upper_.size());
    for (long i = 0; i < stop; ++i)
        if (upper_[i] == L'\r')
            ++line;
    return line;
}

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

short BlockKind(TextSearch& search, long iPos, EditorType edType)
{
    if (iPos < 32 || !IsPageType(edType))
        return 0;
    long open = search.FindBack(L"<SCRIPT", 0, iPos);
    if (open >= 0) {
        long close = search.Find(L">", open, iPos);
        if (close >= 0 && search.Find(L"vbscript", open, close) >= 0 &&
            search.Find(L"</SCRIPT", open, iPos) < 0) {
            long end = search.Find(L"</SCRIPT", iPos, -1);
            if (end >= 0) {
                long line = search.LineFromChar(iPos);
                if (line > search.LineFromChar(open) && line < search.LineFromChar(end))
                    return 1;
            }
        }
    }
    if (edType == EditorType::ASP) {
        long open2 = search.FindBack(L"<%", 0, iPos);
        if (open2 >= 0 && search.Find(L"%>", open2, iPos) < 0) {
            long close2 = search.Find(L"%>", iPos, -1);
            if (close2 >= 0 && search.Find(L"<%", iPos, close2) < 0 && iPos > open2 + 2)
                return 2;
        }
    }
    return 0;
}

} // namespace TypingGlue

namespace {

HWND Editor() { return State().EditorRichEditHandle(); }

void SaveScroll()
{
    if (MainHost* h = Host())
        h->SaveScrollPos();
    else
        SendMessageW(Editor(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&State().SavedScroll));
}

void RestoreScrollPosition()
{
    POINT at{};
    SendMessageW(Editor(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
    POINT& saved = State().SavedScroll;
    if (at.x != saved.x || at.y != saved.y)
        SendMessageW(Editor(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&saved));
}

void RestoreScroll()
{
    if (MainHost* h = Host()) {
        h->RestoreScrollPos();
    } else {
        RestoreScrollPosition();
        SendMessageW(Editor(), EM_SCROLLCARET, 0, 0);
    }
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
    switch (edType) {
    case EditorType::ASP:
    case EditorType::HTML:
        ClsColorEditor::ColorHTML(*colorer, *editor, 0, -1);
        break;
    case EditorType::CSS:
        ClsColorEditor::ColorCSS(*colorer, *editor, 0, -1);
        break;
    case EditorType::VBScript:
        ClsColorEditor::ColorVBS(*colorer, *editor, 0, -1);
        break;
    case EditorType::JavaScript:
        ClsColorEditor::ColorJS(*colorer, *editor, 0, -1);
        break;
    default:
        break;
    }
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
        ColourWholeText(SettingsAccess::LastEdType(), false);
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
    ColourWholeText(SettingsAccess::LastEdType(), true);
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
    return TypingGlue::BlockKind(search, iPos, SettingsAccess::LastEdType());
}

void ResetChangeTracking()
{
    EditorState& st = State();
    st.InVBSBlockNow = 0;
    st.InVBSBlockPrev = 0;
    st.RememberedCaretLine = 0;
    st.RememberedCaretPos = 0;
}

void ProcessEditedLine(long& iCaret, long& iLine, bool& bAfterEnter)
{
    EditorState& st = State();
    HWND re = Editor();
    if (!re)
        return;
    MainHost* host = Host();
    if (host) {
        host->ClearInfo();
        host->HideTip();
    }
    SaveScroll();

    long processed;
    if (bAfterEnter && iLine >= 1) {
        processed = iLine - 1;
        st.RememberedCaretLine = processed;
    } else {
        processed = st.RememberedCaretLine;
    }
    long lineStart = static_cast<long>(SendMessageW(re, EM_LINEINDEX, processed, 0));
    bool lineExists = lineStart >= 0;
    long lineLen = lineExists ? static_cast<long>(SendMessageW(re, EM_LINELENGTH, lineStart, 0)) : 0;
    long lineEnd = lineStart + lineLen - 1;
    st.ProcessedLineStart = lineExists ? lineStart : 0;

    if (bAfterEnter && iLine >= 1 && lineExists && !SettingsAccess::NoCaretJump()) {
        std::wstring indent =
            TypingGlue::IndentAfter(RichEditStream::GetRange(re, lineStart, lineStart + lineLen));
        if (!indent.empty()) {
            SetCaret(iCaret);
            // An undo step of its own: the RichEdit empties its whole undo
            // history for a replacement that may not be undone.
            SendMessageW(re, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(indent.c_str()));
            iCaret += static_cast<long>(indent.size());
        }
    }

    long added = 0;
    bool checkLines = !SettingsAccess::NoLineDebug() && st.LineDebugOn;
    bool mayColour = !SettingsAccess::NoColorCode() && st.ColorCodeOn && st.LineEdited;
    const EditorType edType = SettingsAccess::LastEdType();
    // Text changed only between the line left and the caret's line (typing,
    // a paste, Enter, a line joined by Backspace): the colouring reads back
    // just those lines and one on either side. Text the line check added may
    // lie anywhere after the line.
    auto colourEdited = [&] {
        bool known = added == 0;
        long first = (processed < iLine ? processed : iLine) - 1;
        long last = (processed > iLine ? processed : iLine) + 1;
        ColourWholeText(edType, true, known ? (first < 0 ? 0 : first) : -1, known ? last : -1);
    };
    st.SuppressChangeTracking = true;
    switch (edType) {
    case EditorType::ASP:
    case EditorType::HTML:
        if (checkLines) {
            short now = InVBScriptBlock(iCaret);
            st.InVBSBlockNow = now;
            if ((st.InVBSBlockPrev == 1 || st.InVBSBlockPrev == 2) && lineExists) {
                if (host) {
                    host->AddFuncDecl(lineStart, lineEnd);
                    bool report = false, inPage = true;
                    host->CheckVBSLine(lineStart, lineEnd, added, report, inPage);
                }
            }
            st.InVBSBlockPrev = now;
        }
        if (mayColour && !st.FindingMarked)
            colourEdited();
        if (st.FindingMarked)
            ClsColorEditor::ForgetColours();  // the marked line no longer has its syntax colours
        st.FindingMarked = false;
        break;
    case EditorType::CSS:
    case EditorType::JavaScript:
        if (mayColour)
            colourEdited();
        break;
    case EditorType::VBScript:
        if (lineExists && host)
            host->AddFuncDecl(lineStart, lineEnd);
        if (checkLines && lineExists && host) {
            bool report = false, inPage = false;
            host->CheckVBSLine(lineStart, lineEnd, added, report, inPage);
        }
        if (mayColour && !st.FindingMarked)
            colourEdited();
        if (st.FindingMarked)
            ClsColorEditor::ForgetColours();  // the marked line no longer has its syntax colours
        st.FindingMarked = false;
        break;
    default:
        break;
    }
    st.SuppressChangeTracking = false;
    if (processed < iLine)
        iCaret += added;

    if (host) {
        SetCaret(iCaret);
        SetColour(SCF_SELECTION, 0);
        RestoreScroll();
    } else {
        // The saved view comes back before the caret moves: the move then
        // scrolls only as far as the caret needs, as the caret scroll would
        // after it, instead of scrolling there, back and there again, each
        // time in proportion to the text.
        RestoreScrollPosition();
        SetCaret(iCaret);
        SetColour(SCF_SELECTION, 0);
        SendMessageW(Editor(), EM_SCROLLCARET, 0, 0);  // a long recolour may have given the editor a new window
    }
    st.LineEdited = false;
}
