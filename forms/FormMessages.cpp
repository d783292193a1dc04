// Form: its controls' tab order, keyboard handling before dispatch (KeyPreview,
// Tab, Enter, Esc) and its window procedure.
#include "Form.h"

#include "CommandButton.h"
#include "Internal.h"
#include "Accessible.h"
#include "Windowless.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace forms {

using namespace detail;

namespace {
int g_nextControlId = 100;

// Any item with the id, a sub-menu included (FindById finds only leaves).
const MenuItem* ItemWithId(const MenuItem& menu, UINT id)
{
    for (const MenuItem* c : menu.Items()) {
        if (c->CommandId() == id)
            return c;
        if (const MenuItem* f = ItemWithId(*c, id))
            return f;
    }
    return nullptr;
}
}

// ---- Controls and keyboard ---------------------------------------------

void Form::RegisterControl(Control* c)
{
    if (std::find(controls_.begin(), controls_.end(), c) != controls_.end())
        return;
    c->id_ = g_nextControlId++;
    if (g_nextControlId > 0x7FFF)
        g_nextControlId = 100;
    c->tabIndex_ = static_cast<int>(controls_.size());
    controls_.push_back(c);
}

void Form::UnregisterControl(Control* c)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

Control* Form::NextTabControl(Control* from, bool backwards) const
{
    std::vector<Control*> order = controls_;
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    int n = static_cast<int>(order.size());
    if (n == 0)
        return nullptr;
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (order[i] == from)
            start = i;
    for (int step = 1; step <= n; ++step) {
        int i;
        if (start < 0)
            i = backwards ? n - step : step - 1;
        else
            i = ((start + (backwards ? -step : step)) % n + n) % n;
        Control* c = order[i];
        if (c != from && c->CanTabTo())
            return c;
    }
    return nullptr;
}

bool Form::ClickButton(bool defaultButton)
{
    for (Control* c : controls_) {
        auto* b = dynamic_cast<CommandButton*>(c);
        if (!b || !(defaultButton ? b->Default() : b->Cancel()))
            continue;
        if (!b->hwnd || !IsWindowVisible(b->hwnd) || !IsWindowEnabled(b->hwnd))
            continue;
        b->FireClick();
        return true;
    }
    return false;
}

bool Form::RunShortcut(const MSG& msg)
{
    if (quiet_ || !hwnd || !IsWindowEnabled(hwnd))
        return false;
    return RunMenuShortcut(Menus, msg);
}

bool Form::PreTranslate(MSG& msg)
{
    if (quiet_ || !hwnd)
        return false;
    // Menu shortcuts come first: a key that runs a menu item reaches no
    // KeyDown event.
    if (RunShortcut(msg))
        return true;
    auto alive = alive_;
    bool onForm = msg.hwnd == hwnd;
    Control* ctl = onForm ? nullptr : FindControlFor(msg.hwnd);
    // KeyPreview: the form sees a control's key first. A handler that clears
    // the key or unloads the form eats the message; else the key it leaves
    // goes on.
    auto previewEats = [&](int& key, const auto& raise) {
        if (!KeyPreview || onForm)
            return false;
        raise(key);
        if (!*alive || !hwnd || key == 0)
            return true;
        msg.wParam = static_cast<WPARAM>(key);
        return false;
    };
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int key = static_cast<int>(msg.wParam);
        int shift = KeyShiftState();
        if (previewEats(key, [&](int& k) { Form_KeyDown(k, shift); }))
            return true;
        if (msg.message != WM_KEYDOWN || (shift & (vbCtrlMask | vbAltMask)))
            return false;
        if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
            return false;
        if (ctl && ctl->WantsDialogKey(msg))
            return false;
        if (key == VK_TAB) {
            if (Control* next = NextTabControl(ctl, (shift & vbShiftMask) != 0))
                next->SetFocus();
            return true;
        }
        if (key == VK_RETURN) {
            if (auto* b = dynamic_cast<CommandButton*>(ctl)) {
                b->FireClick();
                return true;
            }
            return ClickButton(true);
        }
        return ClickButton(false);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = static_cast<int>(msg.wParam);
        return previewEats(key, [&](int& k) { Form_KeyUp(k, KeyShiftState()); });
    }
    case WM_CHAR: {
        int key = static_cast<int>(msg.wParam);
        return previewEats(key, [&](int& k) { Form_KeyPress(k); });
    }
    default:
        return false;
    }
}

// ---- Window procedure ---------------------------------------------------

LRESULT CALLBACK FormWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return Form::WndProc(w, msg, wp, lp);
}

LRESULT CALLBACK Form::WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return Guarded([&]() -> LRESULT {
        Form* f = reinterpret_cast<Form*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
            f = static_cast<Form*>(cs->lpCreateParams);
            SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
            if (f)
                f->hwnd = w;
        }
        if (!f)
            return DefWindowProcW(w, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(w, GWLP_USERDATA, 0);
            f->hwnd = nullptr;
            f->toolTip_ = nullptr;
            f->lastFocus_ = nullptr;
            f->disabledByModal_.clear();
            return DefWindowProcW(w, msg, wp, lp);
        }
        return f->HandleMessage(msg, wp, lp);
    });
}

// Messages of the runtime itself, answered before anything else.
bool Form::RuntimeMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r)
{
    if (msg == PreTranslateMessageId()) {
        r = PreTranslate(*reinterpret_cast<MSG*>(lp)) ? kConsumed : 0;
        return true;
    }
    if (msg == MemberDestroyedMessageId()) {
        LifetimeFault(L"a menu item of a loaded form was destroyed");
        Teardown();
        r = 0;
        return true;
    }
    if (msg == MenuStateMessageId()) {
        const MenuItem* m = ItemWithId(Menus, static_cast<UINT>(wp));
        r = !m ? -1
               : (m->Visible() ? kMenuVisible : 0) | (m->Checked() ? kMenuChecked : 0) |
                     (m->Enabled() ? kMenuEnabled : 0);
        return true;
    }
    return false;
}

void Form::WindowGoing()
{
    // A window that goes is laid out no more: taking its menu bar away grows
    // its client area, and a Resize now would lay out every control again (a
    // RichEdit holding a long page rewraps it whole, which in Wine took half
    // a minute on closing).
    shownOnce_ = false;
    // The menu bar belongs to Menus, not to the window.
    SetMenu(hwnd, nullptr);
    Menus.SetBarWindow(nullptr);
    EndModal();
    WindowlessContainerGoing(hwnd);
}

// The form's own events, the children's reflected messages and the drawn
// controls' messages, in that order; false when none took the message.
bool Form::RouteMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r)
{
    auto alive = alive_;
    HWND w = hwnd;
    r = 0;
    // Each may end the form: then nothing is left to answer.
    if (Form_Message(msg, wp, lp, r))
        return true;
    if (*alive && ReflectToChild(w, msg, wp, lp, r))
        return true;
    if (*alive && RouteToWindowless(w, msg, wp, lp, r))
        return true;
    r = 0;
    return !*alive;
}

bool Form::OnMenuMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND) {
        if (lp != 0)
            return false;
        if (MenuItem* m = Menus.FindById(LOWORD(wp)))
            m->FireClick();
        return true;
    }
    if (!HIWORD(lp))
        if (MenuItem* m = Menus.FindByHandle(reinterpret_cast<HMENU>(wp)))
            m->FireClick();
    return true;
}

void Form::OnSize(WPARAM wp, LPARAM lp)
{
    // Raised once per real change: the first showing already raised it.
    int cx = LOWORD(lp), cy = HIWORD(lp), type = static_cast<int>(wp);
    if (!shownOnce_ || (cx == lastCx_ && cy == lastCy_ && type == lastSizeType_))
        return;
    lastCx_ = cx;
    lastCy_ = cy;
    lastSizeType_ = type;
    Form_Resize();
}

void Form::OnActivate(WPARAM wp)
{
    auto alive = alive_;
    HWND w = hwnd;
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(w, focus))
            lastFocus_ = focus;
        OnLostActivation();
        if (*alive && hwnd)
            Form_Deactivate();
        return;
    }
    Form_Activate();
    if (!*alive || !hwnd)
        return;
    RestoreFocus();
}

void Form::OnLostActivation()
{
    // Tips show over inactive windows too (TTS_ALWAYSTIP), and a tip up when
    // the program is left would stay, topmost, over the other program.
    if (toolTip_ && IsWindow(toolTip_))
        SendMessageW(toolTip_, TTM_POP, 0, 0);
    HideHoverInfo();
}

void Form::RestoreFocus()
{
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd, lastFocus_))
        ::SetFocus(lastFocus_);
}

void Form::OnPaint()
{
    auto alive = alive_;
    HWND w = hwnd;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    Form_Paint(dc);
    if (*alive) {
        DrawWindowless(w, dc);
        EndPaint(w, &ps);
    }
}

// Keys down and up; true when the form's event took the key (set it to 0).
bool Form::OnKey(UINT msg, WPARAM wp)
{
    auto alive = alive_;
    int key = static_cast<int>(wp);
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
        Form_KeyDown(key, KeyShiftState());
    else
        Form_KeyUp(key, KeyShiftState());
    return !*alive || key == 0;
}

void Form::OnMouseButton(UINT msg, WPARAM wp, LPARAM lp)
{
    auto alive = alive_;
    HWND w = hwnd;
    POINT p = TwipsInControl(w, w, lp);
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    if (down) {
        if (msg == WM_LBUTTONDOWN)
            SetCapture(w);
        Form_MouseDown(MessageButton(msg), MouseShift(wp), p.x, p.y);
        return;
    }
    bool captured = msg == WM_LBUTTONUP && GetCapture() == w;
    if (captured)
        ReleaseCapture();
    Form_MouseUp(MessageButton(msg), MouseShift(wp), p.x, p.y);
    if (*alive && captured)
        Form_Click();
}

void Form::OnDropFiles(WPARAM wp)
{
    POINT at{};
    auto files = DroppedFiles(reinterpret_cast<HDROP>(wp), &at);
    Form_OLEDragDrop(files, vbLeftButton, KeyShiftState(), PixelsToTwipsX(at.x), PixelsToTwipsY(at.y));
}

// The form's own handling of a message: true when it is answered (in r),
// false for the default handling.
bool Form::Dispatch(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r)
{
    r = 0;
    switch (msg) {
    case WM_COMMAND:
    case WM_INITMENUPOPUP: return OnMenuMessage(msg, wp, lp);
    case WM_SIZE: OnSize(wp, lp); return true;
    case WM_ACTIVATE: OnActivate(wp); return true;
    // A window of the program that is not the active one gets only this when
    // the user goes to another program.
    case WM_ACTIVATEAPP:
        if (!wp)
            OnLostActivation();
        return false;
    case WM_SETFOCUS: RestoreFocus(); return true;
    case WM_CLOSE: Unload(vbFormControlMenu); return true;
    case WM_QUERYENDSESSION: {
        int cancel = 0;
        Form_QueryUnload(cancel, vbAppWindows);
        r = cancel ? FALSE : TRUE;
        return true;
    }
    case WM_ERASEBKGND:
        FillClient(hwnd, reinterpret_cast<HDC>(wp), backBrush_.Get(backColor_));
        r = 1;
        return true;
    case WM_PAINT: OnPaint(); return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: return OnKey(msg, wp);
    case WM_CHAR: {
        int key = static_cast<int>(wp);
        Form_KeyPress(key);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: OnMouseButton(msg, wp, lp); return true;
    case WM_LBUTTONDBLCLK: Form_DblClick(); return true;
    case WM_MOUSEMOVE: {
        POINT p = TwipsInControl(hwnd, hwnd, lp);
        Form_MouseMove(MouseButtons(wp), MouseShift(wp), p.x, p.y);
        return true;
    }
    case WM_SETCURSOR:
        if (ScreenMousePointer() != MousePointer::Hourglass)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        r = TRUE;
        return true;
    case WM_DROPFILES: OnDropFiles(wp); return true;
    default: return false;
    }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    HWND w = hwnd;
    LRESULT r = 0;
    if (RuntimeMessage(msg, wp, lp, r))
        return r;
    if (msg == WM_DESTROY)
        WindowGoing();
    if (msg == WM_GETOBJECT && AnswerGetObject(w, wp, lp, r))
        return r;
    if (quiet_ || loading_)
        return DefWindowProcW(w, msg, wp, lp);
    auto alive = alive_;
    if (RouteMessage(msg, wp, lp, r))
        return r;
    if (Dispatch(msg, wp, lp, r))
        return r;
    if (!*alive)
        return 0;
    return DefWindowProcW(w, msg, wp, lp);
}

} // namespace forms
