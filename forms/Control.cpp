#include "Control.h"

#include "Form.h"
#include "Internal.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>

namespace forms {

using namespace detail;

// ---- FontHandle / BrushHandle ---------------------------------------------

namespace {

struct SharedFont {
    FontSpec spec;
    std::weak_ptr<void> font;
};

std::vector<SharedFont>& SharedFonts()
{
    static std::vector<SharedFont> fonts;
    return fonts;
}

std::shared_ptr<void> MakeFont(const FontSpec& spec)
{
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(spec.Size * ScreenDpiY() / 72.0f));
    lf.lfWeight = spec.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.Italic;
    lf.lfUnderline = spec.Underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, spec.Name.c_str(), LF_FACESIZE);
    HFONT f = CreateFontIndirectW(&lf);
    if (!f)
        return nullptr;
    return std::shared_ptr<void>(f, [](void* font) { DeleteObject(static_cast<HFONT>(font)); });
}

} // namespace

HFONT FontHandle::Get(const FontSpec& spec)
{
    if (font_ && spec == spec_)
        return font_;
    std::vector<SharedFont>& fonts = SharedFonts();
    std::shared_ptr<void> font;
    for (const SharedFont& s : fonts)
        if (s.spec == spec && (font = s.font.lock()))
            break;
    if (!font) {
        font = MakeFont(spec);
        if (!font)
            return font_;
        fonts.erase(std::remove_if(fonts.begin(), fonts.end(),
                                   [](const SharedFont& s) { return s.font.expired(); }),
                    fonts.end());
        fonts.push_back(SharedFont{spec, font});
    }
    shared_ = std::move(font);
    font_ = static_cast<HFONT>(shared_.get());
    spec_ = spec;
    return font_;
}

BrushHandle::~BrushHandle()
{
    if (brush_)
        DeleteObject(brush_);
}

HBRUSH BrushHandle::Get(OleColor color)
{
    COLORREF c = ToColorRef(color);
    if (brush_ && c == color_)
        return brush_;
    if (brush_)
        DeleteObject(brush_);
    brush_ = CreateSolidBrush(c);
    color_ = c;
    return brush_;
}

// ---- Control ---------------------------------------------------------------

Control* ControlFromHwnd(HWND w)
{
    return w ? TiedControl(w) : nullptr;
}

struct Control::CommonState {
    int left, top, width, height;
    bool visible, enabled, tabStop;
    std::wstring toolTip, tag;
    bool hasFont;
    FontSpec font;
    OleColor fore, back;
    int oleDropMode;
};

Control::Control() : alive_(std::make_shared<bool>(true)) {}

void Control::SaveDesignState()
{
    design_ = std::make_unique<CommonState>(CommonState{left_, top_, width_, height_, visible_,
                                                        enabled_, tabStop_, toolTip_, Tag, hasFont_,
                                                        font_, foreColor_, backColor_, oleDropMode_});
}

void Control::RestoreDesignState()
{
    if (!design_)
        return;
    const CommonState& d = *design_;
    left_ = d.left;
    top_ = d.top;
    width_ = d.width;
    height_ = d.height;
    visible_ = d.visible;
    enabled_ = d.enabled;
    tabStop_ = d.tabStop;
    toolTip_ = d.toolTip;
    Tag = d.tag;
    hasFont_ = d.hasFont;
    font_ = d.font;
    foreColor_ = d.fore;
    backColor_ = d.back;
    oleDropMode_ = d.oleDropMode;
}

Control::~Control()
{
    *alive_ = false;
    Click = DblClick = Change = GotFocus = LostFocus = nullptr;
    KeyDown = KeyUp = nullptr;
    KeyPress = nullptr;
    MouseDown = MouseUp = MouseMove = nullptr;
    OLEDragDrop = nullptr;
    if (Made() && form_ && form_->hwnd && !form_->Quiet()) {
        // Destroyed without Destroy() on a loaded form: the form's window goes
        // first, so that no event reaches a half-destroyed form.
        detail::LifetimeFault(L"a control of a loaded form was destroyed");
        form_->Teardown();
    }
    if (hwnd) {
        HWND w = hwnd;
        Detach();
        DestroyWindow(w);
    }
    Detach();
    if (form_)
        form_->UnregisterControl(this);
}

Form* Control::OwnerForm() const { return form_; }

Control& Control::Place(Container& parent, int left, int top, int width, int height)
{
    Form* f = parent.ContainerForm();
    if (form_ && form_ != f)
        form_->UnregisterControl(this);
    bool newForm = form_ != f;
    Container* old = parent_;
    if (drawnMade_ && old != &parent)
        InvalidateDrawn();
    parent_ = &parent;
    if (!zKey_) {
        // The first placed is the frontmost, as with windows.
        static long placed = 0;
        zKey_ = ++placed;
    }
    form_ = f;
    if (newForm && form_)
        form_->RegisterControl(this);
    left_ = left;
    top_ = top;
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    if (hwnd) {
        if (old != parent_ && parent_->ContainerHwnd())
            SetParent(hwnd, parent_->ContainerHwnd());
        Move(left_, top_, width_, height_);
    } else if (drawnMade_) {
        if (!parent_->ContainerHwnd())
            Destroy();
        else
            Move(left_, top_, width_, height_);
    } else if (parent_->ContainerHwnd()) {
        EnsureCreated();
    } else if (form_ && form_->hwnd && WaitsToBeShown()) {
        waited_ = true;
    }
    return *this;
}

bool Control::WaitsToBeShown() const
{
    for (const Control* c = this; c; c = dynamic_cast<const Control*>(c->parent_))
        if (c->WindowWhenShown && !c->visible_ && !c->hwnd)
            return true;
    return false;
}

bool Control::EnsureCreated()
{
    if (Made())
        return true;
    if (!parent_ || !form_ || !form_->hwnd)
        return false;
    if (!parent_->ContainerHwnd() && !parent_->EnsureContainerCreated())
        return false;
    HWND ph = parent_->ContainerHwnd();
    if (!ph)
        return false;
    if (!design_)
        SaveDesignState();
    if (Windowless()) {
        waited_ = false;
        drawnMade_ = true;
        if (oleDropMode_)
            AcceptDroppedFiles(ph, true);
        OnCreated();
        if (!drawnMade_)
            return false;
        if (visible_)
            InvalidateDrawn();
        ApplyToolTip();
        return true;
    }
    HWND w = CreateHandle(ph, PixelRect());
    if (!w)
        return false;
    hwnd = w;
    if (waited_) {
        // Where the form's load would have put it: below the control placed
        // before it, new windows going to the bottom.
        waited_ = false;
        HWND above = HWND_TOP;
        const std::vector<Control*>& all = form_->Controls();
        for (auto it = std::find(all.begin(), all.end(), this); it != all.begin();) {
            --it;
            if ((*it)->parent_ == parent_ && (*it)->hwnd) {
                above = (*it)->hwnd;
                break;
            }
        }
        SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HookWindow(hwnd);
    HookChildWindows();
    // Nothing of the new window is painted yet: no repaint (each costs Wine a
    // server call).
    ApplyFont(false);
    if (!enabled_)
        EnableWindow(hwnd, FALSE);
    if (oleDropMode_)
        AcceptDroppedFiles(hwnd, true);
    OnCreated();
    if (!hwnd)
        return false;
    if (visible_ && !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) && !HeldByForm(GetParent(hwnd), hwnd))
        ShowWindow(hwnd, SW_SHOWNA);
    ApplyToolTip();
    return true;
}

void Control::Destroy()
{
    if (drawnMade_) {
        OnDestroying();
        Detach();
        return;
    }
    if (!hwnd)
        return;
    HWND w = hwnd;
    OnDestroying();
    Detach();
    DestroyWindow(w);
}

void Control::Detach()
{
    if (drawnMade_) {
        RemoveTip(ContainerWindow(), static_cast<UINT_PTR>(id_));
        InvalidateDrawn();
        drawnMade_ = false;
        return;
    }
    if (!hwnd)
        return;
    RemoveTip(form_ ? form_->hwnd : nullptr, reinterpret_cast<UINT_PTR>(hwnd));
    Unhook();
    hwnd = nullptr;
}

void Control::HookWindow(HWND w)
{
    if (!w)
        return;
    if (std::find(hooked_.begin(), hooked_.end(), w) != hooked_.end())
        return;
    TieControl(w, this);
    if (IsOwnControlWindow(w) || SetWindowSubclass(w, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)))
        hooked_.push_back(w);
    else
        UntieControl(w);
}

bool Control::HeldByForm(HWND parent, HWND w) const
{
    return form_ && form_->holdingOwn_ && parent && parent == form_->hwnd && (!w || IsOwnControlWindow(w));
}

HWND Control::CreateChildWindow(DWORD exStyle, const wchar_t* windowClass, const wchar_t* text,
                                DWORD style, HWND parent, const RECT& px)
{
    // Made shown at once: showing it afterwards costs as much again. A drawn
    // control on a form not yet shown waits hidden for the form's first
    // showing, which draws it (Form.cpp): a hidden window is made, moved and
    // shown for less.
    if (visible_ && !(lstrcmpW(windowClass, detail::OwnControlClass()) == 0 && HeldByForm(parent, nullptr)))
        style |= WS_VISIBLE;
    return CreateWindowExW(exStyle, windowClass, text, style, px.left, px.top, px.right - px.left,
                           px.bottom - px.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                           ThisModule(), nullptr);
}

void Control::Unhook()
{
    for (HWND w : hooked_) {
        if (IsWindow(w) && !IsOwnControlWindow(w))
            RemoveWindowSubclass(w, SubclassProc, 1);
        UntieControl(w);
    }
    hooked_.clear();
}

LRESULT CALLBACK Control::SubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref)
{
    auto* c = reinterpret_cast<Control*>(ref);
    return Guarded([&]() -> LRESULT {
        if (msg == WM_DESTROY) {
            c->WindowDestroying(w);
        } else if (msg == WM_NCDESTROY) {
            LRESULT r = DefSubclassProc(w, msg, wp, lp);
            c->WindowDestroyed(w);
            return r;
        }
        c->RelayToToolTip(w, msg, wp, lp);
        if (c->WantsSubclass()) {
            auto alive = c->alive_;
            LRESULT r = 0;
            if (w == c->hwnd && c->OnOwnMessage(msg, wp, lp, r))
                return r;
            if (!*alive)
                return 0;
            if (c->HandleCommonMessage(w, msg, wp, lp, r))
                return r;
            if (!*alive)
                return 0;
        }
        return DefSubclassProc(w, msg, wp, lp);
    });
}

void Control::WindowDestroying(HWND w)
{
    if (w == hwnd)
        OnDestroying();
}

void Control::WindowDestroyed(HWND w)
{
    if (w == hwnd) {
        Detach();
        return;
    }
    if (!IsOwnControlWindow(w))
        RemoveWindowSubclass(w, SubclassProc, 1);
    UntieControl(w);
    hooked_.erase(std::remove(hooked_.begin(), hooked_.end(), w), hooked_.end());
}

bool Control::HandleCommonMessage(HWND w, UINT msg, WPARAM& wp, LPARAM lp, LRESULT& result)
{
    if (form_ && form_->Quiet())
        return false;
    auto alive = alive_;
    result = 0;
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
        auto ev = down ? KeyDown : KeyUp;
        if (!ev)
            return false;
        int key = static_cast<int>(wp);
        ev(key, KeyShiftState());
        if (!*alive || key == 0)
            return true;
        wp = static_cast<WPARAM>(key);
        return false;
    }
    case WM_CHAR: {
        if (!KeyPress)
            return false;
        auto ev = KeyPress;
        int key = static_cast<int>(wp);
        ev(key);
        if (!*alive || key == 0)
            return true;
        wp = static_cast<WPARAM>(key);
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE: {
        auto ev = MouseEventFor(msg, wp);
        if (!ev)
            return false;
        POINT p = TwipsInControl(w, hwnd, lp);
        ev(p.x, p.y);
        return !*alive;
    }
    case WM_SETFOCUS:
        if (GotFocus && !Owns(reinterpret_cast<HWND>(wp))) {
            auto ev = GotFocus;
            ev();
            return !*alive;
        }
        return false;
    case WM_KILLFOCUS:
        if (LostFocus && !Owns(reinterpret_cast<HWND>(wp))) {
            auto ev = LostFocus;
            ev();
            return !*alive;
        }
        return false;
    case WM_SETCURSOR:
        return SetPointer(result);
    case WM_DROPFILES: {
        POINT at{};
        auto files = DroppedFiles(reinterpret_cast<HDROP>(wp), &at);
        if (auto ev = OLEDragDrop)
            ev(files, vbLeftButton, KeyShiftState(), PixelsToTwipsX(at.x),
                        PixelsToTwipsY(at.y));
        return true;
    }
    default:
        return false;
    }
}

bool Control::Move(int left, int top, int width, int height)
{
    if ((width != kKeep && width < 0) || (height != kKeep && height < 0))
        return false;
    const RECT was = drawnMade_ ? DrawnRect() : RECT{};
    if (left != kKeep)
        left_ = left;
    if (top != kKeep)
        top_ = top;
    if (width != kKeep)
        width_ = width;
    if (height != kKeep)
        height_ = height;
    if (drawnMade_) {
        const RECT will = DrawnRect();
        if (!EqualRect(&was, &will)) {
            // The old place is repainted as well as the new one.
            if (visible_) {
                InvalidateDrawn(was);
                InvalidateDrawn(will);
            }
            if (!toolTip_.empty())
                ApplyToolTip();
        }
        OnMoved();
    } else if (hwnd) {
        const RECT r = WindowRectFor(PixelRect());
        // A window already in its place is left alone: each move costs Wine
        // server calls, and more for each subclass of a standard control,
        // and a layout moves every control though most stay where they are.
        RECT now{};
        GetWindowRect(hwnd, &now);
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&now), 2);
        // The control paints itself anew: bits copied from its old place may
        // be stale, as after the parent grew (Wine leaves them blank).
        if (!EqualRect(&now, &r))
            SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        OnMoved();
    }
    return true;
}

RECT Control::PixelRect() const
{
    RECT r;
    r.left = TwipsToPixelsX(left_);
    r.top = TwipsToPixelsY(top_);
    r.right = TwipsToPixelsX(left_ + width_);
    r.bottom = TwipsToPixelsY(top_ + height_);
    return r;
}

bool Control::Visible() const { return visible_; }

void Control::SetVisible(bool v)
{
    if (drawnMade_) {
        if (v != visible_) {
            visible_ = v;
            InvalidateDrawn();
            ApplyToolTip();
        }
        return;
    }
    visible_ = v;
    if (hwnd && !HeldByForm(GetParent(hwnd), hwnd))
        ShowWindow(hwnd, v ? SW_SHOWNA : SW_HIDE);
    else if (v && waited_ && form_)
        form_->CreateWaitingControls();
}

void Control::SetEnabled(bool v)
{
    enabled_ = v;
    if (hwnd) {
        EnableWindow(hwnd, v ? TRUE : FALSE);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    InvalidateDrawn();
    OnEnabledChanged();
}

void Control::SetToolTipText(const std::wstring& text)
{
    toolTip_ = text;
    ApplyToolTip();
}

void Control::ApplyToolTip()
{
    if (drawnMade_) {
        // A tool of its container window's, over its rectangle; the container
        // relays the mouse messages (Windowless.cpp).
        HWND tt = form_ ? form_->toolTip_ : nullptr;
        HWND container = ContainerWindow();
        if (!tt || !container)
            return;
        RemoveTip(container, static_cast<UINT_PTR>(id_));
        if (toolTip_.empty() || !visible_)
            return;
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = container;
        ti.uId = static_cast<UINT_PTR>(id_);
        ti.rect = DrawnRect();
        ti.lpszText = const_cast<wchar_t*>(toolTip_.c_str());
        SendMessageW(tt, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    if (!hwnd || !form_ || !form_->hwnd)
        return;
    std::vector<HWND> windows{hwnd};
    for (HWND h : hooked_)
        if (h != hwnd)
            windows.push_back(h);
    // The form's tip window is made at the first mouse message that one of
    // its controls passes on (RelayToToolTip), and takes every tip then: a
    // form's load makes no tip window. A window that cannot pass its mouse
    // messages on needs the tip's own subclass, so the tip window at once.
    const bool allRelay = std::all_of(windows.begin(), windows.end(), [this](HWND h) {
        return std::find(hooked_.begin(), hooked_.end(), h) != hooked_.end();
    });
    if (!form_->toolTip_ && (toolTip_.empty() || allRelay))
        return;
    HWND tt = form_->EnsureToolTip();
    if (!tt)
        return;
    for (HWND h : windows) {
        RemoveTip(form_->hwnd, reinterpret_cast<UINT_PTR>(h));
        if (toolTip_.empty())
            continue;
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = form_->hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(h);
        // The control's windows relay their mouse messages themselves
        // (RelayToToolTip), from the runtime's window procedure or its
        // subclass: the tip's own subclass would cost Wine server calls on
        // every message of every window that has a tip.
        const bool relays = std::find(hooked_.begin(), hooked_.end(), h) != hooked_.end();
        ti.uFlags = TTF_IDISHWND | (relays ? 0 : TTF_SUBCLASS);
        ti.lpszText = const_cast<wchar_t*>(toolTip_.c_str());
        SendMessageW(tt, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void Control::RemoveTip(HWND owner, UINT_PTR id) const
{
    if (!form_ || !form_->toolTip_ || !IsWindow(form_->toolTip_))
        return;
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = owner;
    ti.uId = id;
    SendMessageW(form_->toolTip_, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void Control::RelayToToolTip(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (toolTip_.empty() || !form_)
        return;
    if (msg != WM_MOUSEMOVE && (msg < WM_LBUTTONDOWN || msg > WM_MBUTTONDBLCLK))
        return;
    if (!form_->toolTip_ && !form_->EnsureToolTip())
        return;
    const DWORD pos = GetMessagePos();
    MSG m{w, msg, wp, lp, static_cast<DWORD>(GetMessageTime()),
          POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
    SendMessageW(form_->toolTip_, TTM_RELAYEVENT, static_cast<WPARAM>(GetMessageExtraInfo()),
                 reinterpret_cast<LPARAM>(&m));
}

FontSpec Control::Font() const
{
    if (hasFont_)
        return font_;
    if (parent_)
        return parent_->ContainerFont();
    return FontSpec();
}

void Control::SetFont(const FontSpec& f)
{
    font_ = f;
    hasFont_ = true;
    ApplyFont();
    OnFontChanged();
}

void Control::SetFontName(const std::wstring& name)
{
    FontSpec f = Font();
    f.Name = name;
    SetFont(f);
}

void Control::SetFontSize(float points)
{
    if (points <= 0)
        return;
    FontSpec f = Font();
    f.Size = points;
    SetFont(f);
}

void Control::SetFontBold(bool bold)
{
    FontSpec f = Font();
    f.Bold = bold;
    SetFont(f);
}

HFONT Control::FontHandleNow() { return fontHandle_.Get(Font()); }

void Control::ApplyFont(bool repaint)
{
    if (drawnMade_ && repaint)
        InvalidateDrawn();
    if (!hwnd)
        return;
    HFONT f = FontHandleNow();
    for (HWND h : hooked_)
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    if (std::find(hooked_.begin(), hooked_.end(), hwnd) == hooked_.end())
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    if (repaint)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Control::SetForeColor(OleColor c)
{
    foreColor_ = c;
    Invalidate();
    OnForeColorChanged();
}

void Control::SetBackColor(OleColor c)
{
    backColor_ = c;
    Invalidate();
    OnBackColorChanged();
}

void Control::Invalidate()
{
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
    else
        InvalidateDrawn();
}

HWND Control::ContainerWindow() const
{
    return parent_ ? parent_->ContainerHwnd() : nullptr;
}

void Control::InvalidateDrawn() const { InvalidateDrawn(DrawnRect()); }

void Control::InvalidateDrawn(const RECT& r) const
{
    if (!drawnMade_)
        return;
    HWND container = ContainerWindow();
    // Nothing is painted before the container shows: its first paint draws
    // everything (and each call costs Wine a server call).
    if (!container || !IsWindowVisible(container))
        return;
    InvalidateRect(container, &r, TRUE);
}

void Control::ZOrder(int position)
{
    if (!Windowless()) {
        Window::ZOrder(position);
        return;
    }
    static long front = 0, back = LONG_MAX / 2;
    zKey_ = position == 0 ? --front : ++back;
    InvalidateDrawn();
}

void Control::SetOLEDropMode(int mode)
{
    Window::SetOLEDropMode(mode);
    // The shell drops files only on a window that takes them; a drawn
    // control's come through its container's, which keeps taking them for
    // its other controls.
    if (drawnMade_ && mode)
        AcceptDroppedFiles(ContainerWindow(), true);
}

void Control::Refresh()
{
    if (!drawnMade_) {
        Window::Refresh();
        return;
    }
    InvalidateDrawn();
    if (HWND container = ContainerWindow())
        UpdateWindow(container);
}

bool Control::SetPointer(LRESULT& result) const
{
    HCURSOR cursor = nullptr;
    if (ScreenMousePointer() == MousePointer::Hourglass)
        cursor = LoadCursorW(nullptr, IDC_WAIT);
    else if (mousePointer_ == MousePointer::Custom)
        cursor = mouseIcon_;
    else if (mousePointer_ == MousePointer::Arrow)
        cursor = LoadCursorW(nullptr, IDC_ARROW);
    else if (mousePointer_ == MousePointer::Hourglass)
        cursor = LoadCursorW(nullptr, IDC_WAIT);
    if (!cursor)
        return false;
    SetCursor(cursor);
    result = TRUE;
    return true;
}

std::function<void(int X, int Y)> Control::MouseEventFor(UINT msg, WPARAM wp) const
{
    const bool move = msg == WM_MOUSEMOVE;
    const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
    auto ev = move ? MouseMove : up ? MouseUp : MouseDown;
    if (!ev)
        return nullptr;
    const int button = move ? MouseButtons(wp) : MessageButton(msg);
    const int shift = MouseShift(wp);
    return [ev, button, shift](int x, int y) { ev(button, shift, x, y); };
}

bool Control::HandleDrawnMouse(UINT msg, WPARAM wp, POINT at, bool pressedHere, LRESULT& result)
{
    result = 0;
    if (form_ && form_->Quiet())
        return false;
    const POINT twips{PixelsToTwipsX(at.x), PixelsToTwipsY(at.y)};
    if (msg == WM_SETCURSOR)
        return SetPointer(result);
    if (msg == WM_DROPFILES) {
        if (!oleDropMode_)
            return false;
        POINT dropped{};
        auto files = DroppedFiles(reinterpret_cast<HDROP>(wp), &dropped);
        if (auto ev = OLEDragDrop)
            ev(files, vbLeftButton, KeyShiftState(), twips.x, twips.y);
        return true;
    }
    auto alive = alive_;
    if (auto ev = MouseEventFor(msg, wp))
        ev(twips.x, twips.y);
    if (!*alive)
        return true;
    if (msg == WM_LBUTTONDBLCLK) {
        FireDblClick();
    } else if (msg == WM_LBUTTONUP && pressedHere) {
        RECT r = DrawnRect();
        OffsetRect(&r, -r.left, -r.top);
        if (PtInRect(&r, at))
            FireClick();
    }
    return true;
}

HBRUSH Control::BackBrush() { return backBrush_.Get(backColor_); }

LRESULT Control::CtlColor(HDC dc)
{
    SetTextColor(dc, ToColorRef(foreColor_));
    SetBkColor(dc, ToColorRef(backColor_));
    return reinterpret_cast<LRESULT>(BackBrush());
}

bool Control::Owns(HWND w) const { return hwnd && w && (w == hwnd || IsChild(hwnd, w)); }

bool Control::HasFocus() const { return Owns(GetFocus()); }

bool Control::CanTabTo() const
{
    if (!hwnd || !tabStop_ || !IsFocusable() || !IsWindowVisible(hwnd))
        return false;
    HWND top = form_ ? form_->hwnd : nullptr;
    for (HWND w = hwnd; w && w != top; w = GetAncestor(w, GA_PARENT))
        if (!IsWindowEnabled(w))
            return false;
    return true;
}

bool Control::WantsDialogKey(const MSG& msg) const
{
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam,
                                reinterpret_cast<LPARAM>(const_cast<MSG*>(&msg)));
    if (code & DLGC_WANTMESSAGE)
        return true;
    return msg.wParam == VK_TAB && (code & DLGC_WANTTAB);
}

bool Control::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        result = CtlColor(reinterpret_cast<HDC>(wp));
        return true;
    default:
        return false;
    }
}

bool Control::FireEvent(const std::function<void()>& ev)
{
    // Values set before the window exists are design-time settings: no events.
    if (!ev || !Made() || (form_ && form_->Quiet()))
        return true;
    auto alive = alive_;
    auto fn = ev; // the handler may destroy this control
    fn();
    return *alive;
}

bool Control::FireClick() { return FireEvent(Click); }

bool Control::FireDblClick() { return FireEvent(DblClick); }

bool Control::FireChange() { return FireEvent(Change); }

} // namespace forms
