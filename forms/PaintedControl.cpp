#include "PaintedControl.h"

#include "Internal.h"
#include "Windowless.h"

namespace forms {

PaintedControl::PaintedControl()
{
    tabStop_ = false;
}

HWND PaintedControl::CreateHandle(HWND parent, const RECT& px)
{
    return CreateChildWindow(0, detail::OwnControlClass(), L"", WS_CHILD | WS_CLIPSIBLINGS, parent,
                             px);
}

bool PaintedControl::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        DrawRestoring(dc, rc);
        detail::DrawWindowless(hwnd, dc);
        EndPaint(hwnd, &ps);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void PaintedControl::PaintInto(HDC dc, RECT client)
{
    // The erasing of its own, where it has one (a frame's background).
    LRESULT erased = 0;
    OnOwnMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, erased);
    DrawRestoring(dc, client);
    if (hwnd)
        detail::DrawWindowless(hwnd, dc);
}

void PaintedControl::DrawRestoring(HDC dc, RECT client)
{
    // The class's shared context goes back as it came (Internal.cpp).
    const int saved = SaveDC(dc);
    Draw(dc, client);
    RestoreDC(dc, saved);
}

} // namespace forms
