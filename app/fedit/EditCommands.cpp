// The main window's editing commands: undo and redo, the clipboard and the
// two extra clips, select all, clear, case change, quotes, word wrap, the
// UTF-8 and colour-coding switches, print, and the scroll keeping that every
// command which rewrites text uses.
#include "EditingPart.h"

#include "fedit.h"

#include <algorithm>

#include "ClipboardSnapshot.h"
#include "CSubclass.h"
#include "ClsColorEditor.h"
#include "EditTextEngine.h"
#include "EditorState.h"
#include "debug/ModVBSDebug.h"
#include "functions/FuncPopup.h"
#include "print/Printing.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "EditorGlue.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "SettingsRecord.h"

#include <richedit.h>

namespace {

HWND Gutter(const forms::TextBox& gutter) { return gutter.hwnd; }

// The runtime's subclass on the gutter wants none of the messages sent to it
// here, so they go past it.
LRESULT ToGutter(HWND g, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendPastSubclasses(g, msg, wp, lp); }

long FirstVisibleLine(HWND w) { return w ? static_cast<long>(SendMessageW(w, EM_GETFIRSTVISIBLELINE, 0, 0)) : 0; }

long GutterFirstLine(HWND g) { return g ? static_cast<long>(ToGutter(g, EM_GETFIRSTVISIBLELINE)) : 0; }

bool ColouringOn() { return !SettingsAccess::NoColorCode() && State().ColorCodeOn; }

} // namespace

// ---- Scroll keeping ---------------------------------------------------------

void EditingPart::SaveScrollPos()
{
    if (HWND re = JT1.RTBhWnd())
        State().SavedScroll = RichEditStream::ViewPos(re);
}

void EditingPart::FillGutter()
{
    HWND g = Gutter(T2);
    HWND re = JT1.RTBhWnd();
    if (!g || !re)
        return;
    // Numbers for every editor line and a screen beyond: as many lines as
    // the gutter's font fits on the whole screen, which no gutter outgrows.
    // The gutter measures every line it is given, slowly, so numbers are
    // only ever added at its end, a hundred or more at a time: a start or a
    // new line costs little.
    if (gutterScreenRows_ == 0) {
        const int fontPixels = std::max(1, forms::TwipsToPixelsY(static_cast<int>(T2.Font().Size * 20)));
        const int screen = std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), screenHeight_);
        gutterScreenRows_ = screen / fontPixels + 1;
    }
    const long need = static_cast<long>(SendMessageW(re, EM_GETLINECOUNT, 0, 0)) + gutterScreenRows_;
    const long count = static_cast<long>(ToGutter(g, EM_GETLINECOUNT));
    if (count > need)
        return;
    // The gutter holds "1\r\n" ... "n\r\n": one line more than numbers.
    const long have = ToGutter(g, WM_GETTEXTLENGTH) == 0 ? 0 : count - 1;
    const long upTo = (need / 100 + 1) * 100;
    std::wstring numbers;
    numbers.reserve(static_cast<size_t>(upTo - have) * 7);
    for (long i = have + 1; i <= upTo; ++i) {
        numbers += std::to_wstring(i);
        numbers += L"\r\n";
    }
    const long top = GutterFirstLine(g);
    DWORD selStart = 0, selEnd = 0;
    ToGutter(g, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const int end = static_cast<int>(ToGutter(g, WM_GETTEXTLENGTH));
    ToGutter(g, EM_SETSEL, end, end);
    ToGutter(g, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(numbers.c_str()));
    ToGutter(g, EM_SETSEL, selStart, selEnd);
    ToGutter(g, EM_LINESCROLL, 0, top - GutterFirstLine(g));
}

long EditingPart::GutterNumbersWidth()
{
    HWND g = Gutter(T2);
    if (numbersWidth_ > 0 || !g)
        return numbersWidth_;
    HDC dc = GetDC(g);
    if (!dc)
        return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(ToGutter(g, WM_GETFONT)));
    int digit = 0;
    for (wchar_t c = L'0'; c <= L'9'; ++c) {
        SIZE size{};
        if (GetTextExtentPoint32W(dc, &c, 1, &size))
            digit = std::max(digit, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(g, dc);
    const LRESULT margins = ToGutter(g, EM_GETMARGINS);
    // Six digits, the text box's margins and the two pixels it keeps for the caret.
    const int pixels = 6 * digit + LOWORD(margins) + HIWORD(margins) + 2;
    numbersWidth_ = digit > 0 ? forms::PixelsToTwipsX(pixels) : 0;
    return numbersWidth_;
}

void EditingPart::DisplayChanged(int screenHeight)
{
    screenHeight_ = std::max(screenHeight_, screenHeight);
    gutterScreenRows_ = 0;
    FillGutter();
}

bool EditingPart::FollowEditor()
{
    HWND re = JT1.RTBhWnd();
    HWND g = Gutter(T2);
    if (!re || !g)
        return false;
    const long a = FirstVisibleLine(re);
    FillGutter();
    const long b = GutterFirstLine(g);
    if (a == b)
        return false;
    ToGutter(g, EM_LINESCROLL, 0, a - b);
    return true;
}

void EditingPart::ShowCaretLineCol() { ShowLineCol(JT1.SelStart()); }

void EditingPart::SyncLineNums()
{
    ShowCaretLineCol();
    if (!FollowEditor())
        return;
    T2.Refresh();
    FocusEditor();
}

void EditingPart::RestoreScrollPos()
{
    HWND re = JT1.RTBhWnd();
    if (!re)
        return;
    RichEditStream::SetViewPos(re, State().SavedScroll);
    SendMessageW(re, EM_SCROLLCARET, 0, 0);
    if (FollowEditor())
        FocusEditor();
}

// ---- Helpers ----------------------------------------------------------------

void EditingPart::ApplyEdit(const TextEdit& edit)
{
    if (!edit.changed)
        return;
    JT1.SetSelection(edit.start, edit.end);
    JT1.SetSelText(edit.with);
    JT1.SetSelection(edit.selStart, edit.selEnd);
}

void EditingPart::RecolourWholeText()
{
    EditorState& s = State();
    if (!ColouringOn() || !s.Colorer || !s.CurrentEditor)
        return;
    ClsColorEditor::ColourAs(State().EdType, *s.Colorer, JT1);
}

// ---- Commands ---------------------------------------------------------------

void EditingPart::medit_Click()
{
    form_.mUndo.SetEnabled(JT1.CanUndo());
    form_.mRedo.SetEnabled(JT1.CanRedo());
}

void EditingPart::mUndo_Click()
{
    if (!JT1.CanUndo())
        return;
    const long s = JT1.SelStart();
    const long top = JT1.TopLine();
    {
        RedrawLock lock(form_.hwnd);
        const long length = JT1.LenText();
        JT1.Undo();
        // A line hand-off or a paste left a second step (the indent, the
        // colouring) right behind the user's own.
        const bool twoSteps = lineProcessed_ == 1 && JT1.CanUndo();
        if (twoSteps)
            JT1.Undo();
        // The text came back with looks the colouring may not know. A step
        // that changed the text's length changed it in one place, which the
        // colouring finds; one that did not, or two, may have changed looks
        // anywhere.
        if (twoSteps || JT1.LenText() == length)
            ClsColorEditor::ForgetColours();
        else
            ClsColorEditor::TextUndone();
        RecolourAfterUndo();
        JT1.SetSelStart(std::min(s, JT1.LenText()));
        JT1.SetTopLine(top);
    }
    lineProcessed_ = 0;
}

void EditingPart::mRedo_Click()
{
    if (!JT1.CanRedo())
        return;
    const long s = JT1.SelStart();
    const long top = JT1.TopLine();
    RedrawLock lock(form_.hwnd);
    const long length = JT1.LenText();
    JT1.Redo();
    // As after Undo.
    if (JT1.LenText() == length)
        ClsColorEditor::ForgetColours();
    else
        ClsColorEditor::TextUndone();
    RecolourAfterUndo();
    JT1.SetSelStart(std::min(s, JT1.LenText()));
    JT1.SetTopLine(top);
}

void EditingPart::DoCut()
{
    if (JT1.SelLength() == 0)
        return;
    EditorState& st = State();
    const SettingsRecord& rec = Settings();
    SaveScrollPos();
    long s = JT1.SelStart();
    const long line = JT1.GetLineFromChar(s);
    {
        RedrawLock lock(form_.hwnd);
        JT1.Cut();
        st.SuppressChangeTracking = true;
        const EditorType type = State().EdType;
        if (line != st.RememberedCaretLine && st.ProcessedLineStart != 0 && s != 0 && !rec.NoLineDebug &&
            st.LineDebugOn) {
            long start = st.ProcessedLineStart;
            long end = start + JT1.GetLineLength(start);
            long added = 0;
            bool report = false;
            if (type == EditorType::ASP || type == EditorType::HTML) {
                st.InVBSBlockNow = InVBScriptBlock(s);
                if (st.InVBSBlockPrev > 0) {
                    bool inPage = true;
                    CheckVBSLine(start, end, added, report, inPage);
                }
                st.InVBSBlockPrev = st.InVBSBlockNow;
            } else if (type == EditorType::VBScript) {
                bool inPage = false;
                CheckVBSLine(start, end, added, report, inPage);
            }
        }
        RecolourWholeText();
        JT1.SetSelStart(s);
        RestoreScrollPos();
        st.RememberedCaretLine = JT1.GetLineFromChar(s);
        st.RememberedCaretPos = s;
        JT1.SetSelColor(0);
    }
    st.SuppressChangeTracking = false;
    st.LineEdited = false;
    st.DocChanged = true;
    SyncLineNums();
    FocusEditor();
}

void EditingPart::mCopy_Click()
{
    if (JT1.SelLength() > 0)
        JT1.Copy();
}

void EditingPart::DoPaste(short source)
{
    EditorState& st = State();
    long s = JT1.SelStart();
    SaveScrollPos();
    {
        RedrawLock lock(form_.hwnd);
        JT1.SetEnabled(false);
        bool pasted = false;
        if (source == 0) {
            if (IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT)) {
                JT1.Paste();
                pasted = true;
            }
        } else if (source == 1 || source == 2) {
            const std::wstring& clip = source == 1 ? st.Clip1 : st.Clip2;
            // The clipboard lends itself to the clip and gets back everything
            // it held, not only its text.
            ClipboardSnapshot kept;
            if (!clip.empty() && kept.Take(form_.hwnd)) {
                if (ClipboardSnapshot::PutText(form_.hwnd, clip)) {
                    JT1.Paste();
                    pasted = true;
                }
                kept.Restore(form_.hwnd);
            }
        }
        if (pasted) {
            st.SuppressChangeTracking = true;
            RecolourWholeText();
            st.SuppressChangeTracking = false;
            const EditorType type = State().EdType;
            if (type == EditorType::ASP || type == EditorType::HTML) {
                st.InVBSBlockNow = InVBScriptBlock(s);
                st.InVBSBlockPrev = st.InVBSBlockNow;
            }
            lineProcessed_ = 1;
            st.LineEdited = false;
            st.DocChanged = true;
            RestoreScrollPos();
        }
        JT1.SetEnabled(true);
    }
    FocusEditor();
}

void EditingPart::mSelAll_Click() { JT1.SelAll(); }

void EditingPart::mClear_Click()
{
    EditorState& st = State();
    JT1.ClearAll();
    st.RememberedCaretLine = 0;
    st.RememberedCaretPos = 0;
    ResetFuncLists();
    st.PreviewScrollTop = 0;
    JT1.SetSelColor(0);
    form_.ClearInfo();
    SyncLineNums();
    ResetChangeTracking();
}

void EditingPart::mChangeCase_Click(int Index)
{
    if (JT1.SelLength() == 0)
        return;
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    RedrawLock lock(form_.hwnd);
    // Select All takes the text's closing paragraph mark as well; written
    // back, it would add a line break.
    const long n = JT1.LenText();
    if (e > n)
        JT1.SetSelection(s, n);
    JT1.SetSelText(EditText::ChangeCase(JT1.SelText(), Index));
    JT1.SetSelStart(s);
    RestoreScrollPos();
}

void EditingPart::QuoteWords(short mode)
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    // The engine looks 30 characters either side; a little more keeps the
    // delimiter just outside that reach in view.
    const long n = JT1.LenText();
    const long from = std::max(0L, s - 32);
    const long to = std::min(n, e + 32);
    TextEdit edit = EditText::QuoteWords(JT1.GetTextRange(from, to), s - from, e - from, mode);
    if (!edit.changed)
        return;
    edit.start += from;
    edit.end += from;
    edit.selStart += from;
    edit.selEnd += from;
    RedrawLock lock(form_.hwnd);
    ApplyEdit(edit);
}

void EditingPart::mWrap_Click()
{
    const bool wrap = !form_.mWrap.Checked();
    JT1.SetWordWrap(wrap);
    form_.mWrap.SetChecked(wrap);
    SyncLineNums();
}

void EditingPart::mColCode_Click()
{
    if (!form_.mColCode.Checked())
        ColorOn();
    else
        ColorOff();
}

void EditingPart::mUTF8_Click()
{
    // Takes effect at the next load or save, for new documents and those
    // whose files hold only ASCII; a file with a mark, UTF-8 or code-page
    // bytes keeps its own encoding (platform/TextFile.h).
    SettingsRecord& rec = Settings();
    rec.UTF8Text = !form_.mUTF8.Checked();
    form_.mUTF8.SetChecked(rec.UTF8Text);
}

void EditingPart::mPrint_Click()
{
    const std::wstring& path = State().CurrentFilePath;
    std::wstring title = platform::FileExists(path) ? platform::GetFileName(path) : L"Untitled";
    try {
        ShowPrintWindow(title);
    } catch (...) {
        platform::ShowMessage(L"Error printing.", MB_OK, form_.hwnd);
    }
}
