// KvRTB: the members that read and change the text, the selection, formats,
// lines and files. Almost each is one message to the RichEdit window; with
// no RichEdit window they do nothing and return 0, false or "".
#include "KvRTB.h"

#include "CSubclass.h"
#include "ModKvRTB.h"
#include "RichEditStream.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const long kFindDown = 1;   // FR_DOWN

CHARFORMATW EmptyFormat()
{
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    return cf;
}

// One paragraph mark (CR) per line break: CR LF, CR or LF. The RichEdit
// makes one of each itself, but it reads a stream in pieces and takes a CR
// at the end of one piece and the LF that starts the next for two line
// breaks: a long text would gain blank lines. Given as the RichEdit will
// hold it, a text of Unix line breaks can also go in coloured at once.
// Done in place: a long file's text is not copied once more.
std::wstring ParagraphMarks(std::wstring text)
{
    size_t kept = 0;
    wchar_t previous = 0;
    for (wchar_t c : text) {
        if (c == L'\n' && previous != L'\r')
            text[kept++] = L'\r';
        else if (c != L'\n')
            text[kept++] = c;
        previous = c;
    }
    text.resize(kept);
    return text;
}

} // namespace

LRESULT KvRTB::Send(UINT msg, WPARAM wp, LPARAM lp) const
{
    if (!rtb_)
        return 0;
    return SendMessageW(rtb_, msg, wp, lp);
}

// ---- Stream transfer ------------------------------------------------------

bool KvRTB::StreamInBytes(const std::string& bytes, DWORD format)
{
    if (!rtb_)
        return false;
    return RichEditStream::StreamIn(rtb_, bytes, format);
}

// Plain text goes as UTF-16 (SF_UNICODE) and RTF as 7-bit RTF, so no
// character depends on the system code page on the way.
void KvRTB::StreamInText(const std::wstring& text, DWORD format, bool selectionOnly)
{
    DWORD flags = format | (selectionOnly ? SFF_SELECTION : 0);
    if (format == SF_TEXT) {
        flags |= SF_UNICODE;
        std::wstring lines = ParagraphMarks(text);
        StreamInBytes(std::string(reinterpret_cast<const char*>(lines.data()),
                                  lines.size() * sizeof(wchar_t)),
                      flags);
    } else {
        StreamInBytes(ModKvRTB::RtfToBytes(text), flags);
    }
}

bool KvRTB::StreamOutBytes(DWORD flags, std::string& bytes) const
{
    bytes.clear();
    if (!rtb_)
        return false;
    return RichEditStream::StreamOut(rtb_, flags, bytes);
}

std::wstring KvRTB::StreamOutText(DWORD format, bool selectionOnly) const
{
    DWORD flags = format | (selectionOnly ? SFF_SELECTION : 0);
    if (format == SF_TEXT)
        flags |= SF_UNICODE;
    std::string bytes;
    StreamOutBytes(flags, bytes);
    if (format != SF_TEXT)
        return ModKvRTB::RtfFromBytes(bytes);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                        bytes.size() / sizeof(wchar_t));
}

std::wstring KvRTB::Text() const { return StreamOutText(SF_TEXT, false); }

void KvRTB::SetText(const std::wstring& sTxt)
{
    EmptyForReplacement();
    if (!sTxt.empty())
        StreamInText(sTxt, SF_TEXT, false);
}

std::wstring KvRTB::TextRTF() const { return StreamOutText(SF_RTF, false); }

void KvRTB::SetTextRTF(const std::wstring& sTxt)
{
    EmptyForReplacement();
    if (!sTxt.empty())
        StreamInText(sTxt, SF_RTF, false);
}

std::wstring KvRTB::SelText() const { return StreamOutText(SF_TEXT, true); }

void KvRTB::SetSelText(const std::wstring& sTxt, bool canUndo)
{
    Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(sTxt.c_str()));
}

void KvRTB::ReplaceRanges(const std::vector<Replacement>& edits)
{
    if (!rtb_ || edits.empty())
        return;
    // In Wine every message through the control's subclass costs two window
    // property look-ups in the server, as much as a small edit itself: the
    // edits go straight to the RichEdit's own procedure. The control reacts
    // to none of these messages.
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) { return SendPastSubclasses(rtb_, msg, wp, lp); };
    const LRESULT mask = send(EM_SETEVENTMASK, 0, 0);
    // With the focus, the RichEdit moves and shows its caret after every
    // edit, which costs Wine a trip to the server and a drawing each.
    const bool focused = GetFocus() == rtb_;
    if (focused)
        ::SetFocus(nullptr);
    send(WM_SETREDRAW, FALSE, 0);
    for (const Replacement& r : edits) {
        CHARRANGE cr{r.start, r.end};
        send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(r.text.c_str()));
    }
    send(WM_SETREDRAW, TRUE, 0);
    if (focused && IsWindow(rtb_))
        ::SetFocus(rtb_);
    send(EM_SETEVENTMASK, 0, mask);
    InvalidateRect(rtb_, nullptr, TRUE);
    UpdateWindow(rtb_);
}

std::wstring KvRTB::SelTextRTF() const { return StreamOutText(SF_RTF, true); }

void KvRTB::SetSelTextRTF(const std::wstring& sTxt) { StreamInText(sTxt, SF_RTF, true); }

long KvRTB::LenText() const
{
    long n = static_cast<long>(Send(EM_GETLINECOUNT));
    if (n <= 1)
        return static_cast<long>(Send(EM_LINELENGTH, 0));
    long s = static_cast<long>(Send(EM_LINEINDEX, n - 1));
    return s + static_cast<long>(Send(EM_LINELENGTH, s));
}

void KvRTB::ClearAll() { EmptyForReplacement(); }

void KvRTB::EmptyForReplacement()
{
    if (ReplaceShownWindow())
        return;
    HideSel(true);
    SelAll();
    Send(WM_CLEAR);
    SelNone();
    HideSel(false);
}

// ---- Window properties ----------------------------------------------------

// The base Control keeps the common properties; the RichEdit gets them here.
void KvRTB::OnEnabledChanged()
{
    if (rtb_)
        EnableWindow(rtb_, Enabled() ? TRUE : FALSE);
}

void KvRTB::OnBackColorChanged()
{
    backColourSet_ = true;
    ++settingsGeneration_;
    Send(EM_SETBKGNDCOLOR, 0, forms::ToColorRef(BackColor()));
}

void KvRTB::OnForeColorChanged()
{
    CHARFORMATW cf = EmptyFormat();
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = forms::ToColorRef(ForeColor());
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

CHARFORMATW KvRTB::FontFormat() const
{
    CHARFORMATW cf = EmptyFormat();
    const forms::FontSpec f = Font();
    cf.dwMask = CFM_FACE | CFM_SIZE;
    // The face-name field holds 31 characters and the terminating zero.
    lstrcpynW(cf.szFaceName, f.Name.c_str(), LF_FACESIZE);
    // Asked with every face: where the face is missing, the system's font
    // mapper still picks a fixed-pitch one, so code keeps its columns.
    cf.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
    cf.yHeight = static_cast<LONG>(std::lround(f.Size * 20));   // points to twips
    return cf;
}

// Face and size of the whole text; colours and bold stay.
void KvRTB::OnFontChanged()
{
    ++settingsGeneration_;
    const CHARFORMATW cf = FontFormat();
    // The default format too: plain text streamed in later takes it. Set
    // only when it differs, as a change of it lays out the whole text again.
    CHARFORMATW now = EmptyFormat();
    Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&now));
    if (now.yHeight != cf.yHeight || lstrcmpiW(now.szFaceName, cf.szFaceName) != 0)
        Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    if (!WholeTextIn(cf.szFaceName, cf.yHeight))
        Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

// True when every character already has the face and size (in twips). The
// RichEdit lays out every paragraph again on a change of the whole text's
// format, even one that changes nothing: seconds on a long page, on every
// switch of the menu set. Asked of a selection of the whole text, with the
// events off, so the selection's move reaches no handler; the selection and
// the view are put back.
bool KvRTB::WholeTextIn(const wchar_t* face, long twips) const
{
    if (!rtb_)
        return false;
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) { return SendPastSubclasses(rtb_, msg, wp, lp); };
    const LRESULT mask = send(EM_SETEVENTMASK, 0, 0);
    // Turning drawing off validates the whole window (Wine's DefWindowProc):
    // a paint still due, of a window just shown and filled by a load, would
    // be lost, and the editor stay blank but for lines scrolled into view.
    const bool paintDue = GetUpdateRect(rtb_, nullptr, FALSE) != FALSE;
    send(WM_SETREDRAW, FALSE, 0);
    const POINT view = RichEditStream::ViewPos(rtb_);
    CHARRANGE sel{}, all{0, -1};
    send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARFORMATW now = EmptyFormat();
    send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&now));
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    RichEditStream::SetViewPos(rtb_, view);
    send(WM_SETREDRAW, TRUE, 0);
    if (paintDue)
        InvalidateRect(rtb_, nullptr, TRUE);
    send(EM_SETEVENTMASK, 0, mask);
    return (now.dwMask & (CFM_FACE | CFM_SIZE)) == (CFM_FACE | CFM_SIZE) && now.yHeight == twips &&
           lstrcmpiW(now.szFaceName, face) == 0;
}

void KvRTB::SetWordWrap(bool BooWrap)
{
    noWrap_ = !BooWrap;
    ++settingsGeneration_;
    if (rtb_)
        SendWrap(rtb_);
}

std::wstring KvRTB::FontName() const { return Font().Name; }

int KvRTB::FontSize() const { return static_cast<int>(std::lround(Font().Size)); }

void KvRTB::SetUndoLimit(long LLimit)
{
    undoLimit_ = LLimit < 0 ? 0 : LLimit;
    ++settingsGeneration_;
    Send(EM_SETUNDOLIMIT, static_cast<WPARAM>(undoLimit_));
}

void KvRTB::SetSelColor(COLORREF LColor)
{
    CHARFORMATW cf = EmptyFormat();
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = LColor;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void KvRTB::SetSelBold(COLORREF LColor, bool BooBold)
{
    CHARFORMATW cf = EmptyFormat();
    Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    cf.crTextColor = LColor;
    // Text still in the automatic colour would ignore crTextColor.
    cf.dwEffects &= ~(CFE_BOLD | CFE_AUTOCOLOR);
    if (BooBold)
        cf.dwEffects |= CFE_BOLD;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

// ---- Selection ------------------------------------------------------------

long KvRTB::SelStart() const
{
    CHARRANGE cr{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    return cr.cpMin;
}

void KvRTB::SetSelStart(long CursPoint) { SetSelection(CursPoint, CursPoint); }

long KvRTB::SelLength() const
{
    CHARRANGE cr{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    return cr.cpMax - cr.cpMin;
}

void KvRTB::SelAll() { SetSelection(0, -1); }

void KvRTB::SelNone()
{
    long start = SelStart();
    SetSelection(start, start);
}

void KvRTB::SetSelection(long LStart, long LEnd)
{
    CHARRANGE cr{LStart, LEnd};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void KvRTB::SetSelRange(long LStart, long LLen) { SetSelection(LStart, LStart + LLen); }

void KvRTB::GetSelRange(long& LStart, long& LLen) const
{
    CHARRANGE cr{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    LStart = cr.cpMin;
    LLen = cr.cpMax - cr.cpMin;
}

void KvRTB::GetSelection(long& LStart, long& LEnd) const
{
    CHARRANGE cr{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    LStart = cr.cpMin;
    LEnd = cr.cpMax;
}

void KvRTB::HideSel(bool IfHide) { Send(EM_HIDESELECTION, IfHide ? 1 : 0, 1); }

// ---- Lines and view -------------------------------------------------------

long KvRTB::TopLine() const { return static_cast<long>(Send(EM_GETFIRSTVISIBLELINE)); }

void KvRTB::SetTopLine(long LTop)
{
    if (rtb_)
        ShowLineAtTop(rtb_, LTop);
}

void KvRTB::ShowLineAtTop(HWND richEdit, long line)
{
    const LRESULT start = SendMessageW(richEdit, EM_LINEINDEX, static_cast<WPARAM>(std::max(0L, line)), 0);
    if (start < 0)
        return;
    POINTL at{}, first{};
    SendMessageW(richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), start);
    SendMessageW(richEdit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    RECT view{};
    SendMessageW(richEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    if (at.y == view.top)
        return;   // there already: a long text would be repainted for nothing
    // In the text's own pixels, as RichEditStream::ViewPos measures the view.
    POINT pos{view.left - first.x, std::max(0L, at.y - first.y)};
    SendMessageW(richEdit, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&pos));
}

long KvRTB::TotalLines() const { return static_cast<long>(Send(EM_GETLINECOUNT)); }

long KvRTB::BottomLine() const
{
    if (!rtb_)
        return 0;
    RECT r{};
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    POINTL pt{1, r.bottom - r.top - 1};
    long c = static_cast<long>(Send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&pt)));
    return GetLineFromChar(c);
}

void KvRTB::Scroll(long NumLines) { Send(EM_LINESCROLL, 0, NumLines); }

long KvRTB::GetLineLength(long LOffset) const
{
    return static_cast<long>(Send(EM_LINELENGTH, static_cast<WPARAM>(LOffset)));
}

long KvRTB::GetCurLineNum() const
{
    // Wine's RichEdit answers EM_LINELENGTH(-1) with 0 when nothing is
    // selected; the caret's line is what that question means then.
    if (SelLength() == 0)
        return GetLineLength(SelStart());
    return GetLineLength(-1);
}

long KvRTB::GetLineIndex(long LinNumber) const
{
    if (!rtb_)
        return -1;
    return static_cast<long>(Send(EM_LINEINDEX, static_cast<WPARAM>(LinNumber)));
}

long KvRTB::GetLineFromChar(long LOffset) const
{
    return static_cast<long>(Send(EM_EXLINEFROMCHAR, 0, LOffset));
}

std::wstring KvRTB::GetLine(long LineNum, long LIndex) const
{
    if (!rtb_)
        return {};
    if (LIndex == -1)
        LIndex = GetLineIndex(LineNum);
    long len = GetLineLength(LIndex);
    // EM_GETLINE takes the buffer size in the buffer's first unit.
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 3, L'\0');
    buf[0] = static_cast<wchar_t>(std::min<long>(len + 1, 0xFFFF));
    long n = static_cast<long>(Send(EM_GETLINE, static_cast<WPARAM>(LineNum),
                                    reinterpret_cast<LPARAM>(buf.data())));
    if (n <= 0)
        return {};
    return std::wstring(buf.data(), static_cast<size_t>(std::min<long>(n, len + 1)));
}

std::wstring KvRTB::GetTrimLine(long LIndex) const
{
    if (!rtb_)
        return {};
    return platform::BlankedLine(GetLine(GetLineFromChar(LIndex), GetLineIndex(GetLineFromChar(LIndex))));
}

// ---- Search and words -----------------------------------------------------

long KvRTB::Find(const std::wstring& sText, long LStart, long LEnd, long LOpts) const
{
    if (!rtb_)
        return -1;
    FINDTEXTW ft{};
    ft.chrg.cpMin = LStart;
    ft.chrg.cpMax = LEnd;
    ft.lpstrText = sText.c_str();
    // Past the control's subclass, which ignores searches: a replace-all
    // searches once per hit, and every message through the subclass costs
    // Wine server round trips.
    return static_cast<long>(
        SendPastSubclasses(rtb_, EM_FINDTEXTW, static_cast<WPARAM>(LOpts), reinterpret_cast<LPARAM>(&ft)));
}

long KvRTB::FindBack(const std::wstring& sFind, long LSt, long LEnd, long LOpts) const
{
    if (LEnd < 0)
        LEnd = LenText();   // a backward search must start from a real position
    return Find(sFind, LEnd, LSt, LOpts & ~kFindDown);
}

std::wstring KvRTB::GetTextRange(long LStart, long LEnd) const
{
    if (!rtb_ || LEnd < LStart)
        return {};
    std::vector<wchar_t> buf(static_cast<size_t>(LEnd - LStart) + 2, L'\0');
    TEXTRANGEW tr{};
    tr.chrg.cpMin = LStart;
    tr.chrg.cpMax = LEnd;
    tr.lpstrText = buf.data();
    long n = static_cast<long>(Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr)));
    if (n <= 0)
        return {};
    return std::wstring(buf.data(), static_cast<size_t>(std::min<long>(n, LEnd - LStart)));
}

// The RichEdit's own word breaks; Wine's RichEdit does not answer
// EM_FINDWORDBREAK (always 0), so an answer that cannot be right is replaced
// by the same rules applied to the text around pos.
long KvRTB::WordBreak(int code, long pos) const
{
    long r = static_cast<long>(Send(EM_FINDWORDBREAK, static_cast<WPARAM>(code), pos));
    bool rightward = code == WB_MOVEWORDRIGHT || code == WB_RIGHTBREAK || code == WB_RIGHT;
    if (rightward ? r > pos : (r > 0 || pos <= 0))
        return r;
    // Look at a stretch of text that grows until the break lies inside it.
    for (long span = 256;; span *= 2) {
        if (rightward) {
            std::wstring t = GetTextRange(pos, pos + span);
            long b = ModKvRTB::FindWordBreak(t, 0, code);
            if (b < static_cast<long>(t.size()) || static_cast<long>(t.size()) < span)
                return pos + b;
        } else {
            long a = std::max(0L, pos - span);
            std::wstring t = GetTextRange(a, pos);
            long b = ModKvRTB::FindWordBreak(t, static_cast<long>(t.size()), code);
            if (b > 0 || a == 0)
                return a + b;
        }
    }
}

std::wstring KvRTB::GetNextWord(long SelSt) const
{
    if (!rtb_)
        return {};
    long lineStart = GetLineIndex(GetLineFromChar(SelSt));
    long p = WordBreak(WB_MOVEWORDRIGHT, SelSt);
    if (p == 0 || p < lineStart)
        return {};
    long q = WordBreak(WB_RIGHTBREAK, p);
    return GetTextRange(p, q);
}

std::wstring KvRTB::GetLastWord(long T1St, long& LStartWord) const
{
    LStartWord = 0;
    if (!rtb_ || T1St < 1)
        return {};
    long p = Find(L"(", std::max(0L, T1St - 5), T1St - 1, kFindDown);
    long e = p >= 1 ? p : T1St - 1;
    long s = WordBreak(WB_MOVEWORDLEFT, e);
    // A word at the very start of the text starts at 0.
    if (s < 0 || s >= e)
        return {};
    std::wstring word = GetTextRange(s, e);
    if (!word.empty())
        LStartWord = s;
    return word;
}

// ---- Clipboard, undo, redraw ----------------------------------------------

void KvRTB::Cut() { Send(WM_CUT); }
void KvRTB::Copy() { Send(WM_COPY); }
void KvRTB::Paste() { Send(WM_PASTE); }

void KvRTB::Undo()
{
    if (Send(EM_CANUNDO) || ResumeUndoHistory(EM_CANUNDO))
        Send(EM_UNDO);
}

bool KvRTB::CanUndo() const { return Send(EM_CANUNDO) || KeptWindowCan(EM_CANUNDO); }

bool KvRTB::KeptWindowCan(UINT canStep) const
{
    for (const UndoHistory& h : undoHistory_)
        if (IsWindow(h.window) && SendMessageW(h.window, canStep, 0, 0))
            return true;
    return false;
}

void KvRTB::KeepUndoHistory(HWND replaced, const std::wstring& successorText)
{
    if (!replaced || !IsWindow(replaced) || handedOut_.find(replaced) == handedOut_.end())
        return;
    // Two long recolourings back are enough; each kept window holds a whole document.
    const size_t kKept = 2;
    if (undoHistory_.size() >= kKept) {
        HWND oldest = undoHistory_.front().window;
        undoHistory_.erase(undoHistory_.begin());
        handedOut_.erase(oldest);
        DestroyWindow(oldest);
    }
    undoHistory_.push_back({replaced, successorText});
}

// Shows again the newest kept window that can take the step asked
// (EM_CANUNDO or EM_CANREDO) and that joins the text shown now. A kept
// window that only goes the other way (one an Undo left with its Redo
// steps) is passed over, not a dead end. The shown window is kept in turn
// while it still has steps; otherwise it goes. False when no window can go
// on; when none joins the text shown, the history is forgotten.
bool KvRTB::ResumeUndoHistory(UINT canStep)
{
    if (undoHistory_.empty() || !rtb_)
        return false;
    GETTEXTLENGTHEX gtl{GTL_NUMCHARS | GTL_PRECISE, 1200};
    long length = static_cast<long>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl)));
    const std::wstring text = GetTextRange(0, length);
    bool joins = false;
    auto next = undoHistory_.rbegin();
    for (; next != undoHistory_.rend(); ++next) {
        if (!IsWindow(next->window) || next->successorText != text)
            continue;
        joins = true;
        if (SendMessageW(next->window, canStep, 0, 0))
            break;
    }
    if (!joins) {
        DropUndoHistory();
        return false;
    }
    if (next == undoHistory_.rend())
        return false;
    HWND kept = next->window;
    undoHistory_.erase(std::next(next).base());
    HWND shown = SwapDocumentWindow(kept);
    if (!shown) {
        handedOut_.erase(kept);
        DestroyWindow(kept);
        DropUndoHistory();
        return false;
    }
    if (SendMessageW(shown, EM_CANUNDO, 0, 0) || SendMessageW(shown, EM_CANREDO, 0, 0)) {
        undoHistory_.push_back({shown, text});
    } else {
        handedOut_.erase(shown);
        DestroyWindow(shown);
    }
    return true;
}

void KvRTB::DropUndoHistory()
{
    for (const UndoHistory& h : undoHistory_) {
        handedOut_.erase(h.window);
        if (IsWindow(h.window))
            DestroyWindow(h.window);
    }
    undoHistory_.clear();
}

void KvRTB::Redo()
{
    if (Send(EM_CANREDO) || ResumeUndoHistory(EM_CANREDO))
        Send(EM_REDO);
}

bool KvRTB::CanRedo() const { return Send(EM_CANREDO) || KeptWindowCan(EM_CANREDO); }

void KvRTB::ClearUndoBuffer()
{
    DropUndoHistory();
    Send(EM_EMPTYUNDOBUFFER);
}

void KvRTB::LockRTB() { Send(WM_SETREDRAW, FALSE); }

void KvRTB::UnLockRTB()
{
    if (!rtb_)
        return;
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(rtb_, nullptr, TRUE);
    UpdateWindow(rtb_);
}

// ---- Files ----------------------------------------------------------------

bool KvRTB::LoadFile(const std::wstring& sFile, bool AsRTF, const TextWriter& write, platform::TextFormat* format)
{
    if (!rtb_)
        return false;
    std::string bytes;
    if (!platform::ReadWholeFile(sFile, bytes))
        return false;
    if (AsRTF) {
        ReplaceShownWindow();
        return StreamInBytes(bytes, SF_RTF);
    }
    // Decoded here rather than with SF_USECODEPAGE: Wine's RichEdit ignores
    // that flag when reading and guesses from a byte-order mark instead.
    std::wstring text;
    platform::TextFormat read;
    if (!platform::ReadText(bytes, Settings().UTF8Text, text, read) || !ModKvRTB::ToEditorText(text))
        return false;
    if (format)
        *format = read;
    ReplaceShownWindow();
    if (write && Send(WM_GETTEXTLENGTH) == 0 && write(text))
        return true;
    return StreamInBytes(std::string(reinterpret_cast<const char*>(text.data()),
                                     text.size() * sizeof(wchar_t)),
                         SF_TEXT | SF_UNICODE);
}

std::wstring KvRTB::FileText(const platform::TextFormat& format) const
{
    std::wstring text = RichEditStream::GetRange(rtb_, 0, -1);
    ModKvRTB::NulsFromEditorText(text);
    return platform::WithLineBreaks(text, format);
}

bool KvRTB::SaveFile(const std::wstring& sFile, bool AsRTF, platform::TextFormat* format) const
{
    if (!rtb_)
        return false;
    platform::SafeFileWriter out(sFile);
    if (!out.Ok())
        return false;
    if (AsRTF) {
        EDITSTREAM es{};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(out.Handle());
        es.pfnCallback = &ModKvRTB::StreamOutFile;
        SendMessageW(rtb_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
        if (es.dwError != 0)
            return false;
        return out.Commit();
    }
    platform::TextFormat f = format ? *format : platform::NewTextFormat(Settings().UTF8Text);
    const std::wstring text = FileText(f);
    f.encoding = f.EncodingNow(Settings().UTF8Text);
    const std::string bytes = platform::EncodeText(text, f.encoding);
    if ((bytes.empty() && !text.empty()) || !out.Write(bytes.data(), bytes.size()) || !out.Commit())
        return false;
    if (format) {
        platform::NoteFileText(text, f);
        *format = f;
    }
    return true;
}

namespace {
// Dark pixels of the word drawn in the face at the size and weight.
int InkOf(HDC dc, const wchar_t* face, int pixels, int weight)
{
    LOGFONTW lf{};
    lf.lfHeight = -pixels;
    lf.lfWeight = weight;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font)
        return 0;
    const RECT box{0, 0, 20 * pixels, 2 * pixels};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, L"Methods", 7);
    SelectObject(dc, old);
    DeleteObject(font);
    int ink = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (GetRValue(GetPixel(dc, x, y)) < 128)
                ++ink;
    return ink;
}

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
} // namespace

std::wstring KvRTB::BoldCapableFace(int points)
{
    static std::map<int, std::wstring> chosen;
    auto known = chosen.find(points);
    if (known != chosen.end())
        return known->second;
    const std::wstring fallback = forms::FontSpec().Name;
    std::wstring face = fallback;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const int pixels = MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20 * pixels, 2 * pixels);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    for (const wchar_t* candidate :
         {fallback.c_str(), L"Tahoma", L"Segoe UI", L"Verdana", L"DejaVu Sans", L"Arial"}) {
        LOGFONTW want{};
        want.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(want.lfFaceName, candidate, LF_FACESIZE);
        bool installed = false;
        EnumFontFamiliesExW(dc, &want, FaceFound, reinterpret_cast<LPARAM>(&installed), 0);
        // A bold with strokes of its own holds a good share more ink.
        if (installed && InkOf(dc, candidate, pixels, FW_BOLD) * 4 > InkOf(dc, candidate, pixels, FW_NORMAL) * 5) {
            face = candidate;
            break;
        }
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    chosen[points] = face;
    return face;
}
