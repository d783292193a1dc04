#pragma once
// The windowless controls of a container window (Control::Windowless): the
// container's window draws them, passes them the mouse messages over them
// and unmakes them when it goes. A child window costs Wine several server
// calls to make, place, show and paint, and a form holds dozens of labels,
// pictures and lines that need none of what a window gives.
#include "Control.h"

#include <windows.h>

#include <vector>

namespace forms::detail {

// The made windowless controls whose container's window is container,
// frontmost first.
std::vector<Control*> DrawnControls(HWND container);
// Draws the visible ones on dc, the container's client context, back first.
void DrawWindowless(HWND container, HDC dc);
// The visible control of drawn (DrawnControls of a container) under point,
// in the container's client pixels, that takes the mouse, or null.
Control* DrawnControlAt(const std::vector<Control*>& drawn, POINT point);
// A mouse, cursor or dropped-files message of container: handled when it is
// over a windowless control, or while one pressed holds the mouse.
bool RouteToWindowless(HWND container, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
// The container's window is going: its windowless controls are unmade.
void WindowlessContainerGoing(HWND container);

} // namespace forms::detail
