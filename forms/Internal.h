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
const wchar_t* OwnControlClass(); // frame, picture box
ATOM FormClassAtom();

ATOM OwnControlClassAtom();
// A window of the runtime's own class: its window procedure raises the
// events and sees its end, so it needs no subclass.
bool IsOwnControlWindow(HWND w);
// Whether w has a border, edge or scroll bar: a non-client area to draw.
bool HasNonClientParts(HWND w);

// Ties a window to its Control, or unties it (ControlFromHwnd). A table of
// this module's, so that the program and a DLL with forms never read each
// other's objects; not a window property, since Wine asks its server for
// every property read, and the runtime looks a control up for nearly every
// message of its windows.
void TieControl(HWND w, Control* c);
void UntieControl(HWND w);
Control* TiedControl(HWND w);
// Registered message a form's window answers with kConsumed when the message
// pump's MSG (lParam) was consumed by its keyboard handling.
UINT PreTranslateMessageId();
constexpr LRESULT kConsumed = 0x7A4E;
// Sent to a form's window when a menu item on its bar is destroyed while the
// window still exists (the form may live in another module).
UINT MemberDestroyedMessageId();
// The registered kMenuStateMessage (Menu.h).
UINT MenuStateMessageId();
// A form's member destroyed while the form is loaded (see Form.h): reported
// to the debugger, and with TARNEL_STRICT_LIFETIMES set the program aborts.
void LifetimeFault(const wchar_t* what);

// Messages a container window receives about one of its children (commands,
// notifications, colours, owner drawing): handed to that child's Control.
bool ReflectToChild(HWND container, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

int MouseButtons(WPARAM wp);
// The button (vbLeftButton, vbRightButton, vbMiddleButton) of a button
// down, up or double-click message.
int MessageButton(UINT msg);
int MouseShift(WPARAM wp);
// Client point of window w in twips relative to the control's window.
POINT TwipsInControl(HWND w, HWND controlWindow, LPARAM lp);
std::vector<std::wstring> DroppedFiles(HDROP drop, POINT* at);

// The whole text of window w.
std::wstring ReadWindowText(HWND w);
// Start and end of the selection of an edit field; getSel is EM_GETSEL or,
// for a combo box's field, CB_GETEDITSEL.
struct Selection {
    int start, end;
};
Selection ReadSelection(HWND w, UINT getSel);
// Fills the client area of window w on dc with brush (WM_ERASEBKGND).
void FillClient(HWND w, HDC dc, HBRUSH brush);
// Draws bitmap in its own size with its top left corner at x, y, or, when
// stretch is given, stretched over that rectangle.
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, const RECT* stretch = nullptr);

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
