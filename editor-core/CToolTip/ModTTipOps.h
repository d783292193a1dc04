#pragma once
// The font shared by every tooltip of the program, and the search for the
// inner window of an embedded web browser.
#include <windows.h>

#include <memory>
#include <string>

namespace ModTTipOps {

// The shared tooltip font: made by the first tooltip that asks (its face and
// size serve all later ones) and deleted when the last holder lets go, so no
// tooltip is left drawing with a deleted font.
using TipFont = std::shared_ptr<std::remove_pointer_t<HFONT>>;

// Returns the shared font, making it for window's device (points, face) when
// no tooltip holds it, and gives it to window (WM_SETFONT, redraw).
TipFont SetTipFont(HWND window, int points, const std::wstring& face);
// The live shared font, or nullptr when no tooltip holds it.
HFONT CurrentTipFont();

// First descendant of window (EnumChildWindows order) whose class name
// contains "Explorer_Server", any case; nullptr when there is none.
HWND FindBrowserServerWindow(HWND window);

} // namespace ModTTipOps
