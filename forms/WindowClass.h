#pragma once
// The one place where the program's own window classes are registered: the
// forms, the runtime's painted controls and the user controls (KvRTB,
// KvListBox, ButSilver2). A class belongs to the module whose code runs its
// window procedure (the program, or a DLL that carries the same control), is
// registered there on first use and unregistered when that module goes, so a
// DLL can be unloaded and loaded again.
#include <windows.h>

namespace forms {

struct WindowClassSpec {
    const wchar_t* Name = L"";
    WNDPROC Proc = nullptr;
    LPCWSTR Cursor = IDC_ARROW;     // a system cursor
    HBRUSH Background = nullptr;    // null: the window erases itself
    UINT Style = 0;                 // CS_*
};

// The class's atom in this module, registering it the first time; 0 when it
// cannot be registered.
ATOM RegisterWindowClass(const WindowClassSpec& spec);

} // namespace forms
