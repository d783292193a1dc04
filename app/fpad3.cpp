#include "fpad3.h"

#include <richedit.h>

fpad3::fpad3() : HiddenForm(L"3 - Clipping Pad")
{
    SetClientSize(6000, 4000);
    RTBOps.Place(*this, 0, 0, 6000, 4000);
}

void fpad3::Form_Load()
{
    // The scratch editor keeps no undo history.
    if (HWND re = RTBOps.RTBhWnd())
        SendMessageW(re, EM_SETUNDOLIMIT, 0, 0);
}
