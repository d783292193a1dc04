#include "Form.h"

#include "Internal.h"
#include "MessagePump.h"
#include "PaintedControl.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace forms {

using namespace detail;

namespace {

std::vector<Form*>& AllForms()
{
    static std::vector<Form*> forms;
    return forms;
}

std::vector<std::function<void()>>& LaterSteps()
{
    static std::vector<std::function<void()>> pending;
    return pending;
}

// A thread timer rather than a posted message: every loop dispatches it,
// modal ones of message boxes and menus included.
void CALLBACK RunLaterSteps(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    std::vector<std::function<void()>> running;
    running.swap(LaterSteps());
    for (std::function<void()>& step : running) {
        Guarded([&]() -> LRESULT {
            step();
            return 0;
        });
    }
}

// A window's runtime-drawn child windows, taken out of sight while it is
// first shown and given back with ReleaseHeldChildren. Wine erases every
// visible child window with a device context of its own as its top window
// appears, and paints it with another at the UpdateWindow that follows.
std::vector<HWND> HoldOwnChildren(HWND w)
{
    std::vector<HWND> held;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsOwnControlWindow(c))
            continue;
        const LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
        if (style & WS_VISIBLE) {
            SetWindowLongPtrW(c, GWL_STYLE, style & ~WS_VISIBLE);
            held.push_back(c);
        } else if (Control* control = ControlFromHwnd(c); control && control->Visible()) {
            held.push_back(c); // made hidden before the first showing
        }
    }
    return held;
}

// Draws a held-back drawn control, and the drawn controls inside it, straight
// into dc, the context of the form's client area. A paint of its own costs
// each window several server round trips in Wine (its update region, a
// visible region for the context, its erasing); drawn here, a first showing
// pays for one context in all. Windows this cannot draw as they would paint
// themselves (a non-client border, a control of another class) go to
// redraw instead. False when w itself is one of them.
bool DrawHeld(HDC dc, HWND form, HWND w, std::vector<HWND>& redraw)
{
    auto* painted = dynamic_cast<PaintedControl*>(ControlFromHwnd(w));
    if (!painted || HasNonClientParts(w))
        return false;
    RECT client;
    GetClientRect(w, &client);
    POINT at{0, 0};
    MapWindowPoints(w, form, &at, 1);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, at.x, at.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(w, shape) != ERROR) {
        OffsetRgn(shape, at.x, at.y);
        ExtSelectClipRgn(dc, shape, RGN_AND);
    }
    DeleteObject(shape);
    painted->PaintInto(dc, client);
    // Lowest first, so that a higher sibling ends up over a lower one.
    HWND top = GetWindow(w, GW_CHILD);
    for (HWND c = top ? GetWindow(top, GW_HWNDLAST) : nullptr; c; c = GetWindow(c, GW_HWNDPREV)) {
        if ((GetWindowLongPtrW(c, GWL_STYLE) & WS_VISIBLE) && !DrawHeld(dc, form, c, redraw))
            redraw.push_back(c);
    }
    RestoreDC(dc, saved);
    return true;
}

void ReleaseHeldChildren(HWND form, std::vector<HWND> held)
{
    // One hidden meanwhile stays hidden.
    held.erase(std::remove_if(held.begin(), held.end(),
                              [](HWND c) {
                                  Control* control = ControlFromHwnd(c);
                                  return !IsWindow(c) || (control && !control->Visible());
                              }),
               held.end());
    std::vector<HWND> redraw;
    // Drawn while still held back, so the form's context does not leave them out.
    if (HDC dc = GetDC(form)) {
        for (auto c = held.rbegin(); c != held.rend(); ++c)
            if (!DrawHeld(dc, form, *c, redraw))
                redraw.push_back(*c);
        ReleaseDC(form, dc);
    } else {
        redraw = held;
    }
    for (HWND c : held)
        SetWindowLongPtrW(c, GWL_STYLE, GetWindowLongPtrW(c, GWL_STYLE) | WS_VISIBLE);
    for (HWND c : redraw)
        RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

void RunLater(std::function<void()> step)
{
    if (!step)
        return;
    if (LaterSteps().empty())
        SetTimer(nullptr, 0, 0, RunLaterSteps);
    LaterSteps().push_back(std::move(step));
}

void DestroyLater(std::unique_ptr<Form> form, std::function<void()> whenGone)
{
    if (!form)
        return;
    // Shared, as a step is copyable.
    auto held = std::make_shared<std::unique_ptr<Form>>(std::move(form));
    RunLater([held, whenGone = std::move(whenGone)] {
        held->reset();
        if (whenGone)
            whenGone();
    });
}

std::vector<Form*> LoadedForms()
{
    std::vector<Form*> loaded;
    for (Form* f : AllForms())
        if (f->Loaded())
            loaded.push_back(f);
    return loaded;
}

Form::Form() : alive_(std::make_shared<bool>(true))
{
    Menus.SetIsBar(true);
    AllForms().push_back(this);
}

Form::~Form()
{
    *alive_ = false;
    Teardown();
    auto& all = AllForms();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    for (Control* c : controls_)
        c->form_ = nullptr;
}

Form* Form::FromHwnd(HWND w)
{
    if (!w || GetClassLongPtrW(w, GCW_ATOM) != FormClassAtom())
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(w, GWLP_USERDATA));
}

// ---- Life cycle ---------------------------------------------------------

DWORD Form::WindowStyle() const
{
    DWORD s = WS_CLIPCHILDREN;
    switch (BorderStyle) {
    case FormBorderStyle::None:
        return s | WS_POPUP;
    case FormBorderStyle::FixedSingle:
        s |= WS_CAPTION;
        break;
    case FormBorderStyle::FixedDialog:
    case FormBorderStyle::FixedToolWindow:
        s |= WS_CAPTION;
        return s | (ControlBox ? WS_SYSMENU : 0);
    case FormBorderStyle::SizableToolWindow:
        s |= WS_CAPTION | WS_THICKFRAME;
        return s | (ControlBox ? WS_SYSMENU : 0);
    default:
        s |= WS_CAPTION | WS_THICKFRAME;
        break;
    }
    if (ControlBox) {
        s |= WS_SYSMENU;
        if (MinButton)
            s |= WS_MINIMIZEBOX;
        if (MaxButton)
            s |= WS_MAXIMIZEBOX;
    }
    return s;
}

DWORD Form::WindowExStyle() const
{
    DWORD ex = WS_EX_CONTROLPARENT;
    if (BorderStyle == FormBorderStyle::FixedDialog)
        ex |= WS_EX_DLGMODALFRAME;
    if (BorderStyle == FormBorderStyle::FixedToolWindow ||
        BorderStyle == FormBorderStyle::SizableToolWindow)
        ex |= WS_EX_TOOLWINDOW;
    if (oleDropMode_)
        ex |= WS_EX_ACCEPTFILES;
    return ex;
}

bool Form::CreateWindowNow()
{
    static bool commonControls = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)commonControls;
    bool hasMenu = false;
    for (MenuItem* m : Menus.Items())
        hasMenu = hasMenu || m->Visible();
    HMENU bar = Menus.Items().empty() ? nullptr : Menus.Handle();
    bool byWindows = StartUpPosition == FormStartUpPosition::WindowsDefault;
    int x = byWindows ? CW_USEDEFAULT : TwipsToPixelsX(left_);
    int y = byWindows ? CW_USEDEFAULT : TwipsToPixelsY(top_);
    int cx = TwipsToPixelsX(width_), cy = TwipsToPixelsY(height_);
    if (clientW_ >= 0) {
        // The client size asked for holds whether or not a menu bar came later.
        RECT r{0, 0, TwipsToPixelsX(clientW_), TwipsToPixelsY(clientH_)};
        AdjustWindowRectEx(&r, WindowStyle(), hasMenu, WindowExStyle());
        cx = r.right - r.left;
        cy = r.bottom - r.top;
    }
    HWND w = CreateWindowExW(WindowExStyle(), FormClass(), caption_.c_str(), WindowStyle(), x, y,
                             cx, cy, nullptr,
                             hasMenu ? bar : nullptr, ThisModule(), this);
    if (!w)
        return false;
    // Menus added after the window exists show too.
    Menus.Handle();
    Menus.SetBarWindow(w);
    if (icon_) {
        SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    return true;
}

void Form::CreateControls()
{
    std::vector<Control*> list = controls_;
    for (Control* c : list) {
        if (c->WaitsToBeShown()) {
            // Its design is what it is now, as for the controls made now.
            if (!c->design_)
                c->SaveDesignState();
            c->waited_ = true;
        } else
            c->EnsureCreated();
    }
}

void Form::CreateWaitingControls()
{
    if (!hwnd || loading_)
        return;
    std::vector<Control*> list = controls_;
    for (Control* c : list)
        if (c->waited_ && !c->WaitsToBeShown())
            c->EnsureCreated();
}

bool Form::Load()
{
    if (hwnd)
        return true;
    if (loading_)
        return false;
    loading_ = true;
    quiet_ = false;
    shownOnce_ = false;
    if (!designSaved_) {
        designSaved_ = true;
        designCaption_ = caption_;
        designBackColor_ = backColor_;
    }
    if (!CreateWindowNow()) {
        loading_ = false;
        return false;
    }
    holdingOwn_ = true;
    CreateControls();
    loading_ = false;
    auto alive = alive_;
    Form_Load();
    if (!*alive)
        return false;
    return hwnd != nullptr;
}

void Form::ApplyStartUpPosition(HWND owner)
{
    if (StartUpPosition != FormStartUpPosition::CenterOwner &&
        StartUpPosition != FormStartUpPosition::CenterScreen)
        return;
    RECT me;
    GetWindowRect(hwnd, &me);
    RECT area;
    if (StartUpPosition == FormStartUpPosition::CenterOwner && owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd, MONITOR_DEFAULTTOPRIMARY), &mi);
        area = mi.rcWork;
    }
    int w = me.right - me.left, h = me.bottom - me.top;
    int x = area.left + ((area.right - area.left) - w) / 2;
    int y = area.top + ((area.bottom - area.top) - h) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show(int modal, HWND owner)
{
    if (!Load())
        return;
    auto alive = alive_;
    if (owner && owner != hwnd)
        SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!shownOnce_) {
        shownOnce_ = true;
        ApplyStartUpPosition(owner);
        RECT rc;
        GetClientRect(hwnd, &rc);
        lastCx_ = rc.right;
        lastCy_ = rc.bottom;
        lastSizeType_ = pendingState_ == FormWindowState::Minimized   ? SIZE_MINIMIZED
                        : pendingState_ == FormWindowState::Maximized ? SIZE_MAXIMIZED
                                                                      : SIZE_RESTORED;
        Form_Resize();
        if (!*alive || !hwnd)
            return;
    }
    int cmd = pendingState_ == FormWindowState::Minimized   ? SW_SHOWMINIMIZED
              : pendingState_ == FormWindowState::Maximized ? SW_SHOWMAXIMIZED
                                                            : SW_SHOW;
    pendingState_ = FormWindowState::Normal;
    if (!IsWindowVisible(hwnd) || cmd != SW_SHOW) {
        std::vector<HWND> held = IsWindowVisible(hwnd) ? std::vector<HWND>{} : HoldOwnChildren(hwnd);
        ShowWindow(hwnd, cmd);
        holdingOwn_ = false;
        ReleaseHeldChildren(hwnd, held);
    }
    if (!*alive || !hwnd)
        return;
    SetForegroundWindow(hwnd);
    if (!ActiveControl()) {
        if (Control* first = NextTabControl(nullptr, false))
            first->SetFocus();
    }
    if (!*alive || !hwnd)
        return;
    UpdateWindow(hwnd);
    if (modal == vbModal)
        RunModalLoop();
}

namespace {

struct EnumState {
    HWND self;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectEnabled(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<EnumState*>(lp);
    if (w != s->self && IsWindowVisible(w) && IsWindowEnabled(w))
        s->out->push_back(w);
    return TRUE;
}

} // namespace

void Form::RunModalLoop()
{
    auto alive = alive_;
    // Modal to the whole program, as a modal form is: every other window of
    // this thread is disabled until the form hides or unloads.
    EndModal();
    EnumState st{hwnd, &disabledByModal_};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&st));
    for (HWND w : disabledByModal_)
        EnableWindow(w, FALSE);
    ++modalDepth_;
    MSG msg;
    while (*alive && hwnd && IsWindowVisible(hwnd)) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (r < 0)
            break;
        if (!forms::PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!*alive)
        return;
    --modalDepth_;
    EndModal();
}

void Form::EndModal()
{
    // Enabled again before the form hides, so that activation returns to the
    // owner and not to another program.
    std::vector<HWND> list;
    list.swap(disabledByModal_);
    for (HWND w : list)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
}

void Form::Hide()
{
    if (!hwnd)
        return;
    EndModal();
    ShowWindow(hwnd, SW_HIDE);
}

bool Form::Unload(int unloadMode)
{
    if (!hwnd)
        return true;
    if (quiet_) {
        Teardown();
        return true;
    }
    auto alive = alive_;
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (!*alive)
        return true;
    if (cancel || !hwnd)
        return !hwnd;
    // Forms owned by this one go with it.
    for (Form* f : LoadedForms()) {
        if (f != this && f->hwnd && GetWindow(f->hwnd, GW_OWNER) == hwnd) {
            if (!f->Unload(vbFormOwner))
                return false;
            if (!*alive)
                return true;
        }
    }
    cancel = 0;
    Form_Unload(cancel);
    if (!*alive)
        return true;
    if (cancel || !hwnd)
        return !hwnd;
    EndModal();
    DestroyWindow(hwnd);
    // Loaded again, the form starts as designed, as a new form would.
    caption_ = designCaption_;
    backColor_ = designBackColor_;
    for (Control* c : controls_)
        c->RestoreDesignState();
    return true;
}

void Form::Teardown()
{
    quiet_ = true;
    EndModal();
    if (hwnd)
        DestroyWindow(hwnd);
}

// ---- Properties ---------------------------------------------------------

std::wstring Form::Caption() const
{
    return hwnd ? ReadWindowText(hwnd) : caption_;
}

void Form::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    if (hwnd)
        SetWindowTextW(hwnd, caption.c_str());
}

int Form::Left() const
{
    if (!hwnd)
        return left_;
    RECT r;
    GetWindowRect(hwnd, &r);
    return PixelsToTwipsX(r.left);
}

int Form::Top() const
{
    if (!hwnd)
        return top_;
    RECT r;
    GetWindowRect(hwnd, &r);
    return PixelsToTwipsY(r.top);
}

int Form::Width() const
{
    if (!hwnd)
        return width_;
    RECT r;
    GetWindowRect(hwnd, &r);
    return PixelsToTwipsX(r.right - r.left);
}

int Form::Height() const
{
    if (!hwnd)
        return height_;
    RECT r;
    GetWindowRect(hwnd, &r);
    return PixelsToTwipsY(r.bottom - r.top);
}

bool Form::Move(int left, int top, int width, int height)
{
    if ((width != kKeep && width < 0) || (height != kKeep && height < 0))
        return false;
    if (!hwnd) {
        if (left != kKeep)
            left_ = left;
        if (top != kKeep)
            top_ = top;
        if (width != kKeep)
            width_ = width;
        if (height != kKeep)
            height_ = height;
        if (width != kKeep || height != kKeep)
            clientW_ = clientH_ = -1;
        if (left != kKeep || top != kKeep)
            StartUpPosition = FormStartUpPosition::Manual;
        return true;
    }
    RECT r;
    GetWindowRect(hwnd, &r);
    int x = left == kKeep ? r.left : TwipsToPixelsX(left);
    int y = top == kKeep ? r.top : TwipsToPixelsY(top);
    int w = width == kKeep ? r.right - r.left : TwipsToPixelsX(width);
    int h = height == kKeep ? r.bottom - r.top : TwipsToPixelsY(height);
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

int Form::ScaleWidth() const
{
    if (hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        return PixelsToTwipsX(r.right);
    }
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    return std::max(0, width_ - PixelsToTwipsX(r.right - r.left));
}

int Form::ScaleHeight() const
{
    if (hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        return PixelsToTwipsY(r.bottom);
    }
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    return std::max(0, height_ - PixelsToTwipsY(r.bottom - r.top));
}

void Form::SetClientSize(int w, int h)
{
    bool hasMenu = hwnd ? GetMenu(hwnd) != nullptr : false;
    if (!hwnd)
        for (MenuItem* m : Menus.Items())
            hasMenu = hasMenu || m->Visible();
    RECT r{0, 0, TwipsToPixelsX(w), TwipsToPixelsY(h)};
    AdjustWindowRectEx(&r, WindowStyle(), hasMenu, WindowExStyle());
    if (hwnd)
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else {
        width_ = PixelsToTwipsX(r.right - r.left);
        height_ = PixelsToTwipsY(r.bottom - r.top);
        clientW_ = w;
        clientH_ = h;
    }
}

FormWindowState Form::WindowState() const
{
    if (!hwnd)
        return pendingState_;
    if (IsIconic(hwnd))
        return FormWindowState::Minimized;
    if (IsZoomed(hwnd))
        return FormWindowState::Maximized;
    return FormWindowState::Normal;
}

void Form::SetWindowState(FormWindowState state)
{
    if (!hwnd || !IsWindowVisible(hwnd)) {
        pendingState_ = state;
        return;
    }
    ShowWindow(hwnd, state == FormWindowState::Minimized   ? SW_MINIMIZE
                     : state == FormWindowState::Maximized ? SW_MAXIMIZE
                                                           : SW_RESTORE);
}

bool Form::Visible() const { return hwnd && IsWindowVisible(hwnd); }

bool Form::Enabled() const { return hwnd ? IsWindowEnabled(hwnd) != FALSE : true; }

void Form::SetEnabled(bool v)
{
    if (hwnd)
        EnableWindow(hwnd, v ? TRUE : FALSE);
}

void Form::SetBackColor(OleColor c)
{
    backColor_ = c;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Form::SetIcon(HICON icon)
{
    icon_ = icon;
    if (hwnd) {
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

Control* Form::FindControlFor(HWND w) const
{
    HWND desktop = GetDesktopWindow();
    for (HWND a = w; a && a != hwnd && a != desktop; a = GetAncestor(a, GA_PARENT)) {
        Control* c = ControlFromHwnd(a);
        if (c && c->form_ == this)
            return c;
    }
    return nullptr;
}

Control* Form::ActiveControl() const
{
    HWND f = GetFocus();
    if (!hwnd || !f || !IsChild(hwnd, f))
        return nullptr;
    return FindControlFor(f);
}

void Form::PopupMenu(MenuItem& menu, int x, int y)
{
    if (!hwnd)
        return;
    HMENU h = menu.Handle();
    if (!h)
        return;
    POINT pt;
    if (x < 0 || y < 0) {
        GetCursorPos(&pt);
    } else {
        pt.x = TwipsToPixelsX(x);
        pt.y = TwipsToPixelsY(y);
        ClientToScreen(hwnd, &pt);
    }
    // A popup menu closes on outside clicks only while its owner is in front.
    SetForegroundWindow(hwnd);
    UINT cmd = static_cast<UINT>(TrackPopupMenu(
        h, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, 0, hwnd, nullptr));
    PostMessageW(hwnd, WM_NULL, 0, 0);
    if (cmd)
        if (MenuItem* picked = menu.FindById(cmd))
            picked->FireClick();
}

HWND Form::EnsureToolTip()
{
    if (toolTip_ && IsWindow(toolTip_))
        return toolTip_;
    if (!hwnd)
        return nullptr;
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                               ThisModule(), nullptr);
    if (!toolTip_)
        return nullptr;
    SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 400);
    // The tips of the controls made so far.
    std::vector<Control*> list = controls_;
    for (Control* c : list)
        if (c->Made() && !c->ToolTipText().empty())
            c->ApplyToolTip();
    return toolTip_;
}

} // namespace forms
