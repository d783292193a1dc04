#pragma once
// What accessibility clients (screen readers, automation, the window tests)
// are told of a container window's windowless controls: each is a child of
// the window's client object, with its name (a label's caption, else its
// tool tip), role, state (invisible, unavailable) and place on the screen.
// Without this they would not exist for anything outside the program.
#include <windows.h>

namespace forms::detail {

// IID_IAccessible: MinGW's import library for oleacc.dll takes the IID the
// DLL exports for a function and links a jump in its place.
inline const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// WM_GETOBJECT of container: true with result set when it holds windowless
// controls and the client object was asked for.
bool AnswerGetObject(HWND container, WPARAM wp, LPARAM lp, LRESULT& result);

} // namespace forms::detail
