#pragma once
// Ties a self-drawn control's window to the object that created it: the object
// passes itself as the creation parameter and gets its public hwnd set at
// WM_NCCREATE; from WM_NCDESTROY on the window has no owner any more.
#include <windows.h>

template <class T>
T* WindowOwner(HWND hwnd, UINT msg, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_NCDESTROY)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return self;
}
