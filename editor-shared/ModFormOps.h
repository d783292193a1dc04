#pragma once
// Small window operations that many forms share: z-order, frame styles, menu
// pictures, a list's horizontal extent, the colour dialog with the user's
// custom colours, and the layout of the custom snippet menu window.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor-core/EditorType.h"

namespace ModFormOps {

// Keeps the window above all non-topmost windows, without moving or sizing it.
void SetTopMost(HWND window);
// Drops the topmost state and puts the window behind the others.
void SetBottomMost(HWND window);
// Brings the visible topmost windows that owner owns back in front of it on
// the screen; for the owner's own change of place in the window order.
void RaiseOwnedTopMost(HWND owner);

// The frame styles SetExStyle adds: a sunken edge, a raised dialog frame,
// or both with the window edge.
enum class ExStyleKind { ClientEdge = 0, ClientEdgeModalFrame = 1, ModalFrame = 2, WindowEdgeModalFrame = 3, AllEdges = 4 };
// Extended style that SetExStyle adds for a kind (0 for unknown kinds).
DWORD ExStyleForKind(ExStyleKind kind);
// ORs that style in and has the frame recalculated at once.
void SetExStyle(HWND window, ExStyleKind kind);

// Where one of the main window's menu pictures goes: the positions (0-based)
// from the menu bar down to the item.
struct MenuBitmapPlace {
    int picture;
    std::vector<int> path;
};
// The nine places for the current editor type: HTML and ASP (and no type)
// have the HTML menu, which moves two later menus one place right.
std::vector<MenuBitmapPlace> MenuBitmapPlaces(EditorType edType);
// Gives each place its picture of menuIm as checked and unchecked bitmap.
// The bitmaps stay owned by the caller and must outlive the menu's use of them.
void SetMenuBitmaps(HMENU menuBar, const HBITMAP (&menuIm)[10], EditorType edType);

// Horizontal extent fitting the widest item in the list's own font, plus the
// width of a vertical scroll bar; the list box gets it as its scroll extent.
int MeasureListExtent(HWND list);
void SetListHScroll(HWND list);
// The same for a list that holds items (just filled with them): measured
// from the texts with the font's character widths, one call per character
// met rather than per item, so a list of thousands is measured at once.
void SetListHScroll(HWND list, const std::vector<std::wstring>& items);

// The colour dialog, fully open with initial selected and the 16 custom
// colours edited in place. Returns the chosen colour, or -1 when cancelled.
long ShowColorDialog(HWND owner, COLORREF initial, COLORREF (&custColors)[16]);
// The same on the settings record's CustColors: the dialog works on exactly 16
// entries; a shorter array is filled up with the default custom colours.
long ShowColorDialog(HWND owner, COLORREF initial, std::vector<int32_t>& custColors);
// The dialog's hook: places it above its owner and renames it on WM_INITDIALOG.
UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
// The first steps of that hook, shared with the settings library's: places
// the dialog over owner (when there is one), retitles it and renames its
// add-to-custom-colours button.
void PlaceAndRetitleColorDialog(HWND dialog, HWND owner);
// Top left corner for a dialog of size dialog placed centred above owner
// (screen pixels); false when the owner's top is off the screen.
bool ColorDialogPlacement(const RECT& owner, const RECT& dialog, int screenHeight, POINT& topLeft);

// Custom snippet menu window: all values in twips.
struct CustomMenuLine {
    long x1;
    long x2;
};
struct CustomMenuLayout {
    long formWidth;
    CustomMenuLine lines[3];
    long frameLeft;
    long frameWidth;
    long cancelLeft;
    long labelLeft;
};
// menuWidth: the shown menu's width; borderWidth: the window's outer minus
// inner width; cancelWidth: the cancel button's width.
CustomMenuLayout ComputeCustomMenuLayout(long menuWidth, long borderWidth, long cancelWidth);

// What LayoutCustomMenus needs of the custom menu window (twips).
class CustomMenuTarget {
public:
    virtual ~CustomMenuTarget() = default;
    virtual long BorderWidth() const = 0;
    virtual long CancelWidth() const = 0;
    virtual void SetFormWidth(long width) = 0;
    // Border line i (0..2) runs from x1 to x2.
    virtual void SetLine(int i, long x1, long x2) = 0;
    // menu 1 is fr1, menu 2 is fr2.
    virtual void SetFrame(int menu, long left, long width) = 0;
    virtual void SetCancelLeft(long left) = 0;
    // Item label i (0..9) of menu 1 (Lab1) or menu 2 (Lab2).
    virtual void SetLabelLeft(int menu, int i, long left) = 0;
};
// Sizes the window for the shown menu (menu 1 when menu1Active, else menu 2)
// and places its lines, both frames, the cancel button and the shown labels.
void LayoutCustomMenus(CustomMenuTarget& fCM, bool menu1Active, long menu1Width, long menu2Width);

} // namespace ModFormOps
