#include "KvListBox/KvListBoxControl.h"

KvListBoxControl::~KvListBoxControl()
{
    // The runtime lets go of the window before the list destroys it.
    if (hwnd)
        Destroy();
}

HWND KvListBoxControl::CreateHandle(HWND parent, const RECT& px)
{
    if (!List.Create(parent, px.left, px.top, px.right - px.left, px.bottom - px.top))
        return nullptr;
    return List.hwnd;
}
