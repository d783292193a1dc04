#pragma once
// Drawn controls of another process's windows: the labels, pictures, lines
// and shapes a form draws without windows of their own, read through the
// accessibility objects their container windows answer WM_GETOBJECT with.
#include <windows.h>

#include <string>
#include <vector>

namespace wt {

struct Drawn {
    HWND container = nullptr;  // the window that draws it
    std::wstring name;         // a label's caption, else its tool tip
    RECT screen{};             // on the screen
    bool visible = false;
    bool enabled = false;
    long role = 0;             // ROLE_SYSTEM_STATICTEXT for a label, _GRAPHIC else
    explicit operator bool() const { return container != nullptr; }
    bool IsLabel() const { return role == 0x29; }
};

// The drawn controls of window w alone, frontmost first.
std::vector<Drawn> DrawnIn(HWND w);
// Those of top and of every window inside it.
std::vector<Drawn> DrawnControls(HWND top);
// The first drawn control in top or a window inside it whose name is name
// (visible ones before hidden ones); empty when there is none.
Drawn FindDrawn(HWND top, const std::wstring& name);
// Where d lies in a screenshot of the window `of` (as RectIn for windows).
RECT RectIn(const Drawn& d, HWND of);
// Posts a mouse message to d's container at a point 5 pixels into d (its
// middle when smaller).
void PostMouse(const Drawn& d, UINT msg, WPARAM keys = 0);
void Click(const Drawn& d);
void RightClick(const Drawn& d);

} // namespace wt
