#pragma once
// Shared plumbing of the form runtime's sources; not for forms code.
#include "Control.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace forms::detail {

// Window classes of the runtime, registered in this module on first use.
const wchar_t* FormClass();
const wchar_t* OwnControlClass(); // label, frame, picture box, image, shape, line
ATOM FormClassAtom();

// Property that ties a window to its Control (per module, so that the program
// and a DLL with forms never read each other's objects).
const wchar_t* ControlProp();
// Registered message a form's window answers with kConsumed when the message
// pump's MSG (lParam) was consumed by its keyboard handling.
UINT PreTranslateMessageId();
constexpr LRESULT kConsumed = 0x7A4E;
// Sent to a form's window when a member of the form (a menu item on its bar)
// is destroyed while the window still exists: the form is being torn down.
UINT TeardownMessageId();

// Messages a container window receives about one of its children (commands,
// notifications, colours, owner drawing): handed to that child's Control.
bool ReflectToChild(HWND container, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

int MouseButtons(WPARAM wp);
int MouseShift(WPARAM wp);
// Client point of window w in twips relative to the control's window.
POINT TwipsInControl(HWND w, HWND controlWindow, LPARAM lp);
std::vector<std::wstring> DroppedFiles(HDROP drop, POINT* at);

// Runs f, swallowing any exception (none may cross a window procedure).
template <class F>
LRESULT Guarded(F&& f, LRESULT onError = 0)
{
    try {
        return f();
    } catch (...) {
        return onError;
    }
}

} // namespace forms::detail
