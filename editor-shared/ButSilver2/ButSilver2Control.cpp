#include "ButSilver2/ButSilver2Control.h"

ButSilver2Control::~ButSilver2Control()
{
    // The runtime lets go of the window before the button destroys it.
    if (hwnd)
        Destroy();
}

HWND ButSilver2Control::CreateHandle(HWND parent, const RECT& px)
{
    if (!Button.Create(parent, px.left, px.top, px.right - px.left, px.bottom - px.top))
        return nullptr;
    // The runtime disables the window (WM_ENABLE), which the button follows.
    Button.Click = [this] { FireClick(); };
    return Button.hwnd;
}
