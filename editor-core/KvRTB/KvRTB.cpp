// KvRTB: the window side: creation, sizing, teardown, and the message
// handling that raises the control's events. The text members are in
// KvRTBText.cpp.
#include "KvRTB.h"

#include "forms/Form.h"
#include "forms/WindowClass.h"

#include <ole2.h>
#include <richedit.h>
#include <shellapi.h>

#include <cmath>

namespace {

const wchar_t kHostClass[] = L"KvRTB";

bool IsNavigationKey(int key)
{
    return key >= VK_PRIOR && key <= VK_DOWN;   // 33-40
}

// The RichEdit messages the control reacts to, before the RichEdit's own procedure.
const UINT kRtbMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONUP,
                             WM_RBUTTONUP,   WM_MBUTTONUP,   WM_MOUSEMOVE,   WM_KEYDOWN,
                             WM_CHAR,        WM_KEYUP,
                             WM_MOUSEACTIVATE, WM_DROPFILES, WM_SETFOCUS,    WM_KILLFOCUS,
                             WM_WINDOWPOSCHANGED};

// How much shorter the view may get while the text keeps the layout of the
// taller one: the room a tool window along the bottom takes, with a margin.
const int kKeptLayoutSlack = 32;   // pixels

// Wine's RichEdit lays out every paragraph again on any change of its view's
// size, in a time that grows faster than the text: minutes for a long
// coloured page. A view that only gets a little shorter keeps the layout it
// has (its bottom line may show cut); getting its height back then changes
// nothing, and any other change of size lays the text out as usual.
bool KeepsLayoutAt(HWND richEdit, const WINDOWPOS& pos)
{
    if (pos.flags & SWP_NOSIZE)
        return false;
    RECT now{}, laidOut{};
    GetClientRect(richEdit, &now);
    SendMessageW(richEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&laidOut));
    // The format rectangle lies one pixel inside the client area at the
    // sides and the top (the sunken edge), at its bottom at the bottom.
    const bool sameWidth = laidOut.right - laidOut.left + 2 == now.right;
    const long shorter = laidOut.bottom - now.bottom;
    return sameWidth && shorter >= 0 && shorter <= kKeptLayoutSlack;
}

} // namespace

KvRTB::KvRTB() = default;

KvRTB::~KvRTB()
{
    // The base class destroys the host window after this object is gone, and
    // tearing down the RichEdit may notify the host: it must not reach us.
    if (hwnd)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyRTB();
}

template <class F, class... A> bool KvRTB::Raise(const F& event, A&... args)
{
    if (!event)
        return true;
    forms::Form* form = OwnerForm();
    if (form && form->Quiet())
        return true;
    auto alive = AliveToken();
    F fn = event;   // the handler may replace itself or destroy the control
    fn(args...);
    return *alive;
}

HWND KvRTB::CreateHandle(HWND parent, const RECT& px)
{
    HINSTANCE inst = forms::ThisModule();
    if (!forms::RegisterWindowClass({kHostClass, &KvRTB::HostProc, IDC_IBEAM,
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)}))
        return nullptr;
    HWND host = CreateWindowExW(WS_EX_CONTROLPARENT, kHostClass, L"",
                                WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, px.left, px.top,
                                px.right - px.left, px.bottom - px.top, parent, nullptr, inst,
                                this);
    if (!host)
        return nullptr;
    // Without a RichEdit the control stays, empty: every member then does nothing.
    CreateRTB(host);
    return host;
}

bool KvRTB::CreateRTB(HWND host)
{
    if (rtb_)
        return true;
    richEditClass_ = L"RICHEDIT50W";
    richEditLib_.Reset(LoadLibraryW(L"msftedit.dll"));
    if (!richEditLib_) {
        richEditClass_ = L"RichEdit20W";
        richEditLib_.Reset(LoadLibraryW(L"riched20.dll"));
    }
    if (!richEditLib_)
        return false;
    rtb_ = MakeRichEdit(host);
    if (!rtb_) {
        richEditLib_.Close();
        return false;
    }
    ShowWindow(rtb_, SW_SHOW);
    forms::AcceptDroppedFiles(rtb_, true);
    SubclassRTB();
    return true;
}

// A hidden RichEdit window filling the host.
HWND KvRTB::MakeRichEdit(HWND host)
{
    RECT rc{};
    GetClientRect(host, &rc);
    // While the shown window keeps the layout of a taller view, a new one is
    // laid out as tall (it is empty now, so that costs nothing): shown later,
    // it keeps that layout too, and the view's height back changes nothing.
    if (rtb_) {
        RECT laidOut{}, view{};
        SendMessageW(rtb_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&laidOut));
        GetClientRect(rtb_, &view);
        if (laidOut.bottom > view.bottom && laidOut.bottom - view.bottom <= kKeptLayoutSlack)
            rc.bottom += laidOut.bottom - view.bottom;
    }
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                        WS_TABSTOP | ES_MULTILINE | ES_SAVESEL | ES_WANTRETURN | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL | ES_DISABLENOSCROLL | ES_SELECTIONBAR | ES_NOHIDESEL |
                        ES_SUNKEN;
    HWND w = CreateWindowExW(WS_EX_CLIENTEDGE, richEditClass_, L"", style, 0, 0, rc.right, rc.bottom,
                             host, nullptr, forms::ThisModule(), nullptr);
    if (!w)
        return nullptr;
    // The RichEdit adds its sunken edge to the size it was made with; set
    // now, while the window is empty, since a later resize re-lays out the
    // whole text.
    SetWindowPos(w, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleNow()), TRUE);
    SendMessageW(w, EM_EXLIMITTEXT, 0, TextLimit);
    return w;
}

// Without wrapping, Wine's RichEdit lays a paragraph out as one row and draws
// it by walking, for every run on the row, back over the runs before it; it
// splits runs wherever letters meet digits or punctuation, so a page written
// on one line (a megabyte, a hundred thousand runs) takes many minutes to
// draw, at every scroll. Wrapped at a width far beyond any screen, such a
// line becomes rows of a few thousand characters, each drawn in a moment,
// and every line shorter than that looks exactly as it does unwrapped.
void KvRTB::SendWrap(HWND w) const
{
    const LPARAM kFarRightTwips = 600000;   // some 5,000 characters of the editor's font
    if (noWrap_ && !wrapDevice_)
        wrapDevice_.Reset(CreateCompatibleDC(nullptr));
    if (noWrap_ && wrapDevice_)
        SendMessageW(w, EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(wrapDevice_.Get()), kFarRightTwips);
    else
        SendMessageW(w, EM_SETTARGETDEVICE, 0, noWrap_ ? 1 : 0);
}

// The setters' values, for a window that was not shown when they were set.
void KvRTB::ApplySettings(HWND w) const
{
    if (backColourSet_)
        SendMessageW(w, EM_SETBKGNDCOLOR, 0, forms::ToColorRef(BackColor()));
    SendWrap(w);
    if (undoLimit_ >= 0)
        SendMessageW(w, EM_SETUNDOLIMIT, static_cast<WPARAM>(undoLimit_), 0);
    if (HasOwnFont()) {
        const CHARFORMATW cf = FontFormat();
        SendMessageW(w, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
        // Plain text streamed in takes the default format, not the empty
        // text's: without it a text file shows in the system's font.
        SendMessageW(w, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    }
}

HWND KvRTB::NewDocumentWindow()
{
    if (!rtb_)
        return nullptr;
    for (auto it = handedOut_.begin(); it != handedOut_.end();)
        it = IsWindow(it->first) ? std::next(it) : handedOut_.erase(it);
    HWND w = MakeRichEdit(GetParent(rtb_));
    if (!w)
        return nullptr;
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(rtb_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(w, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(w, EM_SETOPTIONS, ECOOP_SET, SendMessageW(rtb_, EM_GETOPTIONS, 0, 0));
    SendMessageW(w, EM_SETEVENTMASK, 0, SendMessageW(rtb_, EM_GETEVENTMASK, 0, 0));
    ApplySettings(w);
    handedOut_[w] = settingsGeneration_;
    return w;
}

HWND KvRTB::SwapDocumentWindow(HWND w)
{
    HWND host = rtb_ ? GetParent(rtb_) : nullptr;
    if (!rtb_ || !w || w == rtb_ || !IsWindow(w) || GetParent(w) != host)
        return nullptr;
    HWND old = rtb_;
    bool focused = GetFocus() == old;
    BOOL enabled = IsWindowEnabled(old);
    UnhookRTB();
    forms::AcceptDroppedFiles(old, false);
    ShowWindow(old, SW_HIDE);
    handedOut_[old] = settingsGeneration_;

    rtb_ = w;
    auto was = handedOut_.find(w);
    if (was != handedOut_.end()) {
        if (was->second != settingsGeneration_)
            ApplySettings(w);
        handedOut_.erase(was);
    }
    SendMessageW(w, EM_SETEVENTMASK, 0, SendMessageW(old, EM_GETEVENTMASK, 0, 0));
    EnableWindow(w, enabled);
    // Hooked first, so that a view a little shorter than the window's keeps
    // its layout (RTBWindowProc).
    SubclassRTB();
    // A window kept while the control changed size must follow it; that
    // lays out its text again, so only then.
    RECT rc{}, now{};
    GetClientRect(host, &rc);
    GetWindowRect(w, &now);
    if (now.right - now.left != rc.right || now.bottom - now.top != rc.bottom)
        SetWindowPos(w, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(w, SW_SHOWNA);
    forms::AcceptDroppedFiles(w, true);
    if (focused)
        ::SetFocus(w);
    return old;
}

// Hands the shown window to KeepReplacedWindow and shows a fresh one; false
// when there is no handler, no fresh window, or the handler declines.
bool KvRTB::ReplaceShownWindow()
{
    DropUndoHistory();   // another document: the kept history is not its own
    if (!KeepReplacedWindow || !rtb_)
        return false;
    HWND fresh = NewDocumentWindow();
    if (!fresh)
        return false;
    auto keep = KeepReplacedWindow;   // the handler may replace itself
    if (!keep(rtb_, fresh)) {
        handedOut_.erase(fresh);
        DestroyWindow(fresh);
        return false;
    }
    SwapDocumentWindow(fresh);
    return true;
}

void KvRTB::SubclassRTB()
{
    if (Subclasser) {
        subclasser_ = Subclasser;
    } else {
        if (!ownSubclasser_)
            ownSubclasser_ = std::make_unique<CSubclass>();
        subclasser_ = ownSubclasser_.get();
    }
    subclasserAlive_ = subclasser_->AliveToken();
    // A refused hook leaves a plain RichEdit that raises no key or mouse events.
    if (!subclasser_->Subclass(rtb_, 0, 2, this)) {
        subclasser_ = nullptr;
        return;
    }
    for (UINT m : kRtbMessages)
        subclasser_->AddMsg(rtb_, static_cast<int>(m), CSubclass::kBefore);
    // The wheel's and the scroll bar's events follow their scroll, so the
    // handler sees the new view (a dragged thumb's too).
    subclasser_->AddMsg(rtb_, WM_MOUSEWHEEL, CSubclass::kAfter);
    subclasser_->AddMsg(rtb_, WM_VSCROLL, CSubclass::kAfter);
}

// Properties set before the window was made.
void KvRTB::OnCreated()
{
    if (!rtb_)
        return;
    ApplySettings(rtb_);
    OnEnabledChanged();
}

void KvRTB::OnDestroying()
{
    DestroyRTB();
}

void KvRTB::UnhookRTB()
{
    // A shared subclasser that is already gone has released the hook itself.
    if (rtb_ && subclasser_ && subclasserAlive_ && *subclasserAlive_) {
        subclasser_->DelMsg(rtb_, CSubclass::kAllMessages, CSubclass::kBoth);
        subclasser_->UnSubclass(rtb_);
    }
    subclasser_ = nullptr;
    subclasserAlive_.reset();
}

void KvRTB::DestroyRTB()
{
    if (rtb_) {
        UnhookRTB();
        forms::AcceptDroppedFiles(rtb_, false);
        ShowWindow(rtb_, SW_HIDE);
        DestroyWindow(rtb_);
        rtb_ = nullptr;
    }
    // Document windows still handed out go too, before their library.
    for (const auto& w : handedOut_)
        if (IsWindow(w.first))
            DestroyWindow(w.first);
    handedOut_.clear();
    // Only once the RichEdit window is gone may its library go. Text the
    // control cut or copied sits on the clipboard as an object of that
    // library: it is rendered first, so it stays on the clipboard and the
    // clipboard's closing never calls into a library that has gone.
    if (richEditLib_) {
        OleFlushClipboard();
        richEditLib_.Close();
    }
}

LRESULT CALLBACK KvRTB::HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<KvRTB*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        return self->HostWindowProc(hwnd, msg, wp, lp);
    } catch (...) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT KvRTB::HostWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (rtb_ && reinterpret_cast<HWND>(lp) == rtb_ && HIWORD(wp) == EN_CHANGE)
            FireChange();
        return 0;
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<const NMHDR*>(lp);
        if (rtb_ && nm && nm->hwndFrom == rtb_ && nm->code == EN_SELCHANGE) {
            auto* sc = reinterpret_cast<const SELCHANGE*>(lp);
            long start = sc->chrg.cpMin;
            long type = sc->seltyp;
            Raise(OnSelChange, start, type);
        }
        return 0;
    }
    case WM_SETFOCUS: {
        // The host only passes the focus on, so the form sees this control
        // take it while the typing happens in the RichEdit.
        auto alive = AliveToken();
        LRESULT ignored = 0;
        HandleCommonMessage(hwnd, msg, wp, lp, ignored);   // GotFocus
        if (*alive && rtb_)
            ::SetFocus(rtb_);
        return 0;
    }
    case WM_SIZE:
        if (rtb_)
            SetWindowPos(rtb_, nullptr, 0, 0, LOWORD(lp), HIWORD(lp),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case WM_CLOSE:
        // A child window's request (a RichEdit that believes it is in a
        // dialog posts one for Esc) never takes the editor down: the host
        // goes only with its form.
        return 0;
    case WM_DESTROY:
        DestroyRTB();
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

void KvRTB::SubclassBefore(int ordinal, bool& handled, LRESULT& result, HWND, UINT msg,
                           WPARAM wParam, LPARAM lParam, LONG_PTR&)
{
    if (ordinal == 2)
        handled = RTBWindowProc(msg, wParam, lParam, result);
}

void KvRTB::SubclassAfter(int ordinal, LRESULT&, HWND, UINT msg, WPARAM wParam, LPARAM lParam, LONG_PTR&)
{
    if (ordinal != 2)
        return;
    WPARAM w = wParam;
    LPARAM l = lParam;
    if (msg == WM_MOUSEWHEEL)
        Raise(WheelScroll, w, l);
    else if (msg == WM_VSCROLL)
        Raise(VScroll, w);
}

// True eats the message: the RichEdit never sees it. The events get copies of
// wParam and lParam, so handlers change what is tested here, not what the
// RichEdit receives.
bool KvRTB::RTBWindowProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    auto alive = AliveToken();
    // The base Control's mouse and focus events, X and Y in twips inside the
    // control; none of these messages is eaten unless the handler destroyed
    // the control.
    auto common = [&] {
        LRESULT ignored = 0;
        WPARAM w = wp;
        HandleCommonMessage(rtb_, msg, w, lp, ignored);
        return !*alive;
    };
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return common();
    case WM_LBUTTONUP: {
        if (common())
            return true;
        long type = LeftButtonUp;
        return !Raise(LineEvent, type);
    }
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wp);
        forms::Form* form = OwnerForm();
        if (form && form->Quiet())
            DragFinish(drop);
        else if (FileDrop)
            Raise(FileDrop, drop);   // the handler owns the drop now
        else
            common();                // OLEDragDrop; the drop is finished
        return true;
    }
    case WM_WINDOWPOSCHANGED:
        if (!KeepsLayoutAt(rtb_, *reinterpret_cast<const WINDOWPOS*>(lp)))
            return false;
        InvalidateRect(rtb_, nullptr, FALSE);
        result = 0;
        return true;
    case WM_MOUSEACTIVATE:
        // A click into an editor without the focus gives it to the host
        // first (which hands it on), so the form sees the control take it.
        if (GetFocus() != rtb_) {
            ::SetFocus(hwnd);
            result = MA_NOACTIVATE;
            return true;
        }
        return false;
    case WM_KEYDOWN:
        return OnKeyDown(wp, lp) || !*alive;
    case WM_KEYUP:
        return OnKeyUp(wp) || !*alive;
    case WM_CHAR:
        return OnChar(wp) || !*alive;
    default:
        return false;
    }
}

bool KvRTB::OnKeyDown(WPARAM wp, LPARAM lp)
{
    auto alive = AliveToken();
    int key = static_cast<int>(wp);
    int shift = forms::KeyShiftState();
    enterEaten_ = false;
    if (key == VK_TAB)
        return true;
    if (key == VK_RETURN || IsNavigationKey(key)) {
        bool enter = key == VK_RETURN;
        if (!Raise(KeyDown, key, shift))
            return true;
        if (key == 0) {
            enterEaten_ = enter;
            return true;
        }
        // Wine's RichEdit breaks the line on key-down, before KeyPress could
        // stop it (and even when read-only); the control therefore makes the
        // break itself from WM_CHAR (OnChar) on every platform.
        return enter;
    }
    if (readOnly_)
        return true;
    // Keys sent straight to the editor never passed the message loop's
    // accelerator step: the form's menu shortcuts come first here too.
    if (forms::Form* form = OwnerForm()) {
        MSG m{};
        m.hwnd = rtb_;
        m.message = WM_KEYDOWN;
        m.wParam = wp;
        m.lParam = lp;
        if (form->RunShortcut(m) || !*alive)
            return true;
    }
    return !Raise(KeyDown, key, shift) || key == 0;
}

bool KvRTB::OnKeyUp(WPARAM wp)
{
    if (readOnly_)
        return true;
    int key = static_cast<int>(wp);
    int shift = forms::KeyShiftState();
    if (key == VK_TAB) {
        Raise(TabPress);
        return true;
    }
    if (key == VK_RETURN) {
        long type = EnterUp;
        return !Raise(LineEvent, type);
    }
    if (IsNavigationKey(key)) {
        if (!Raise(NavigationKey, key, shift))
            return true;
        long type = NavigationKeyUp;
        return !Raise(LineEvent, type);
    }
    return !Raise(KeyUp, key, shift);
}

bool KvRTB::OnChar(WPARAM wp)
{
    if (readOnly_)
        return true;
    int ascii = static_cast<int>(wp);
    if (ascii == '\t')
        return true;
    if (ascii == '\r') {
        if (enterEaten_) {
            enterEaten_ = false;
            return true;
        }
        if (Raise(KeyPress, ascii) && ascii != 0 && rtb_) {
            SendMessageW(rtb_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r"));
            SendMessageW(rtb_, EM_SCROLLCARET, 0, 0);
        }
        return true;
    }
    return !Raise(KeyPress, ascii) || ascii == 0;
}
