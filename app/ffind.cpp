#include "ffind.h"

#include "ModFormOps.h"

void ffind::Form_Load()
{
    // A sunken client area inside a dialog frame.
    ModFormOps::SetExStyle(hwnd, 4);
}
