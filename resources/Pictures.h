#pragma once
// The main window's pictures: which bitmap resource each picture button and
// menu picture shows, and loading one onto the button face or menu colour.
// The pictures are drawn by pictures/draw_pictures.py.
#include <windows.h>

#include <cstddef>

namespace Pictures {

// One picture: the control array it belongs to and the item index, or
// AnyIndex where every item of the array shows the same picture (the two
// "Toggle toolbars" and the two "View webpage." buttons, one per bar).
constexpr int AnyIndex = -1;
struct Entry {
    const wchar_t* control;
    int index;
    int id;
};

// Every picture of the main window, each with its own resource.
const Entry* Table(std::size_t& count);

// Resource id of control(index): PictureId(L"ButB", 13), PictureId(L"bsw", 1),
// PictureId(L"menuIm", 2).
// 0 when the control has no picture.
int PictureId(const wchar_t* control, int index = 0);

// The picture as a bitmap of the screen's format, with its key colour
// (magenta) replaced by background, e.g. GetSysColor(COLOR_BTNFACE) for a
// button or COLOR_MENU for a menu. module is the program (or, for a test, the
// program loaded as a data file). The caller deletes the bitmap; nullptr when
// the resource is missing.
HBITMAP LoadPicture(HINSTANCE module, int id, COLORREF background);

// The colour that LoadPicture replaces.
constexpr COLORREF KeyColor = RGB(255, 0, 255);

} // namespace Pictures
