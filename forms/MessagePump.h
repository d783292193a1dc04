#pragma once
// The program's message loop. Keyboard messages for a window inside a form
// go to that form first: KeyPreview (Form_KeyDown/KeyUp/KeyPress before the
// focused control), Tab / Shift+Tab between controls, Enter for the default
// button, Esc for the cancel button. Forms of a DLL (shown modeless from the
// program's loop) are served too: the form's own window does the work.
#include <windows.h>

namespace forms {

// True when msg was consumed by a form's keyboard handling.
bool PreTranslateMessage(MSG& msg);
// Runs until WM_QUIT (returns its exit code) or, with untilNoForms, until no
// form of this module is loaded any more (returns 0).
int RunMessageLoop(bool untilNoForms = false);

} // namespace forms
