#pragma once
// The main window's pictures: which bitmap resource each picture button and
// menu picture shows, and loading one onto the button face or menu colour.
// The pictures are drawn by pictures/draw_pictures.py.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

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
// fit, when given (both sides above 0), is the largest size wanted: a side
// longer than fit's is shrunk to it, each pixel the average of the part of
// the picture it covers, as a menu wants its pictures at most at its check
// mark's size.
HBITMAP LoadPicture(HINSTANCE module, int id, COLORREF background, SIZE fit = SIZE{0, 0});

// Pixels (0x00RRGGBB, row by row from the top) of a width x height picture
// shrunk to cx x cy (each at most the picture's), averaged over the area each
// new pixel covers.
std::vector<uint32_t> Shrink(const std::vector<uint32_t>& pixels, int width, int height, int cx, int cy);

// The colour that LoadPicture replaces.
constexpr COLORREF KeyColor = RGB(255, 0, 255);

} // namespace Pictures
