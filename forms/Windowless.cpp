#include "Windowless.h"

#include "Form.h"
#include "Internal.h"
#include "PaintedControl.h"

#include <algorithm>

namespace forms::detail {

namespace {

// The windowless control the left button was pressed on, which gets the
// mouse until the button is released, as a window with the capture would.
struct Pressed {
    HWND container = nullptr;
    Control* control = nullptr;
    std::shared_ptr<bool> alive;
};

Pressed& PressedNow()
{
    static Pressed pressed;
    return pressed;
}

Form* FormOfContainer(HWND container)
{
    if (Form* f = Form::FromHwnd(container))
        return f;
    Control* c = ControlFromHwnd(container);
    return c ? c->OwnerForm() : nullptr;
}

bool Covers(Control* c, POINT point)
{
    RECT r = c->DrawnRect();
    if (!PtInRect(&r, point))
        return false;
    HRGN shape = c->DrawnRegion();
    if (!shape)
        return true;
    const bool in = PtInRegion(shape, point.x - r.left, point.y - r.top) != FALSE;
    DeleteObject(shape);
    return in;
}

} // namespace

std::vector<Control*> DrawnControls(HWND container)
{
    std::vector<Control*> drawn;
    Form* f = container ? FormOfContainer(container) : nullptr;
    if (!f)
        return drawn;
    for (Control* c : f->Controls())
        if (c->Windowless() && c->Made() && c->ContainerWindow() == container)
            drawn.push_back(c);
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const Control* a, const Control* b) { return a->ZKey() < b->ZKey(); });
    return drawn;
}

void DrawWindowless(HWND container, HDC dc)
{
    const std::vector<Control*> drawn = DrawnControls(container);
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
        auto* painted = dynamic_cast<PaintedControl*>(*it);
        if (!painted || !painted->Visible())
            continue;
        RECT r = painted->DrawnRect();
        if (r.right <= r.left || r.bottom <= r.top || !RectVisible(dc, &r))
            continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        if (HRGN shape = painted->DrawnRegion()) {
            // A clip region is in device units.
            POINT origin{};
            GetViewportOrgEx(dc, &origin);
            OffsetRgn(shape, origin.x, origin.y);
            ExtSelectClipRgn(dc, shape, RGN_AND);
            DeleteObject(shape);
        }
        painted->PaintInto(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
        RestoreDC(dc, saved);
    }
}

Control* DrawnControlAt(const std::vector<Control*>& drawn, POINT point)
{
    for (Control* c : drawn)
        if (c->Visible() && !c->MouseTransparent() && Covers(c, point))
            return c;
    return nullptr;
}

bool RouteToWindowless(HWND container, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const bool mouse = msg == WM_MOUSEMOVE || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK);
    if (!mouse && msg != WM_SETCURSOR && msg != WM_DROPFILES && msg != WM_CAPTURECHANGED)
        return false;
    Pressed& pressed = PressedNow();
    if (msg == WM_CAPTURECHANGED) {
        if (pressed.container == container)
            pressed = Pressed{};
        return false;
    }
    POINT point{};
    if (msg == WM_SETCURSOR) {
        if (reinterpret_cast<HWND>(wp) != container || LOWORD(lp) != HTCLIENT)
            return false;
        GetCursorPos(&point);
        ScreenToClient(container, &point);
    } else if (msg == WM_DROPFILES) {
        DragQueryPoint(reinterpret_cast<HDROP>(wp), &point);
    } else {
        point = POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    }
    const std::vector<Control*> drawn = DrawnControls(container);
    Control* target = nullptr;
    bool pressedHere = false;
    const bool holding = pressed.container == container && pressed.alive && *pressed.alive &&
                         GetCapture() == container;
    // A press on the container itself holds the mouse for the container.
    if (mouse && !holding && GetCapture() == container)
        return false;
    if (holding && (msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP)) {
        target = pressed.control;
        pressedHere = msg == WM_LBUTTONUP;
    } else {
        target = DrawnControlAt(drawn, point);
    }
    if (msg == WM_LBUTTONUP && pressed.container == container) {
        pressed = Pressed{};
        if (GetCapture() == container)
            ReleaseCapture();
    }
    if (target && !target->Enabled()) {
        // A disabled control takes the mouse and does nothing with it.
        return msg != WM_SETCURSOR && msg != WM_DROPFILES;
    }
    // The tip window sees the mouse over the container's tools, and off
    // them, so that a tip hides as the mouse leaves its control.
    if (mouse) {
        Control* relay = target;
        for (auto it = drawn.begin(); !relay && it != drawn.end(); ++it)
            if (!(*it)->ToolTipText().empty())
                relay = *it;
        if (relay)
            relay->RelayToToolTip(container, msg, wp, lp);
    }
    if (!target)
        return false;
    if (msg == WM_LBUTTONDOWN) {
        pressed = Pressed{container, target, target->AliveToken()};
        SetCapture(container);
    }
    const RECT r = target->DrawnRect();
    const POINT at{point.x - r.left, point.y - r.top};
    return target->HandleDrawnMouse(msg, wp, at, pressedHere, result);
}

void WindowlessContainerGoing(HWND container)
{
    Pressed& pressed = PressedNow();
    if (pressed.container == container)
        pressed = Pressed{};
    for (Control* c : DrawnControls(container))
        c->Destroy();
}

} // namespace forms::detail
