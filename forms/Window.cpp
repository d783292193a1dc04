#include "Window.h"

namespace forms {

void Window::SetFocus()
{
    if (hwnd)
        ::SetFocus(hwnd);
}

void Window::ZOrder(int position)
{
    if (!hwnd)
        return;
    SetWindowPos(hwnd, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Child windows clip their siblings, so the ones that now overlap must
    // repaint; the system does that itself for top-level windows.
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Window::Refresh()
{
    if (hwnd)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Window::SetOLEDropMode(int mode)
{
    oleDropMode_ = mode;
    if (hwnd)
        AcceptDroppedFiles(hwnd, mode != 0);
}

void AcceptDroppedFiles(HWND w, bool accept)
{
    if (!w || !IsWindow(w))
        return;
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    const LONG_PTR wanted = accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~static_cast<LONG_PTR>(WS_EX_ACCEPTFILES));
    if (wanted != ex)
        SetWindowLongPtrW(w, GWL_EXSTYLE, wanted);
}

} // namespace forms
