#include "ModFormOps.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "SettingsRecord.h"
#include "platform/Module.h"
#include "platform/Text.h"

namespace ModFormOps {

namespace {

std::wstring WindowTextOf(HWND w)
{
    wchar_t buf[257] = {};
    int n = GetWindowTextW(w, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

bool ContainsNoCase(const std::wstring& text, const std::wstring& part)
{
    return platform::Upper(text).find(platform::Upper(part)) != std::wstring::npos;
}

const wchar_t kCustomCaption[] = L"TARNEL Custom Color Storage:";

void RelabelCustomColours(HWND dialog)
{
    HWND child = GetWindow(dialog, GW_CHILD);
    for (int i = 1; child && i <= 20; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        if (i < 2)
            continue;
        if (ContainsNoCase(WindowTextOf(child), L"&Custom") && GetWindowLongW(child, GWL_STYLE) != 0) {
            SetWindowTextW(child, kCustomCaption);
            return;
        }
    }
    // No caption found: widen the custom-colours label upwards instead.
    HWND label = GetDlgItem(dialog, 721);
    RECT rc;
    if (!label || !GetWindowRect(label, &rc))
        return;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    MoveWindow(label, rc.left, rc.top - 12, rc.right - rc.left, rc.bottom - rc.top + 12, TRUE);
    SetWindowTextW(label, kCustomCaption);
}

} // namespace

void SetTopMost(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetBottomMost(HWND window)
{
    // HWND_BOTTOM alone does not clear the topmost state on every platform.
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

BOOL CALLBACK RaiseIfOwnedTopMost(HWND window, LPARAM owner)
{
    if (GetWindow(window, GW_OWNER) != reinterpret_cast<HWND>(owner) || !IsWindowVisible(window) ||
        !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return TRUE;
    // A window that is first in the order already is not restacked on the
    // screen by a move to the top: it steps down to the other windows first.
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, keep);
    return TRUE;
}

} // namespace

void RaiseOwnedTopMost(HWND owner)
{
    if (owner)
        EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), RaiseIfOwnedTopMost,
                          reinterpret_cast<LPARAM>(owner));
}

DWORD ExStyleForKind(ExStyleKind kind)
{
    switch (kind) {
    case ExStyleKind::ClientEdge: return WS_EX_CLIENTEDGE;
    case ExStyleKind::ClientEdgeModalFrame: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    case ExStyleKind::ModalFrame: return WS_EX_DLGMODALFRAME;
    case ExStyleKind::WindowEdgeModalFrame: return WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    case ExStyleKind::AllEdges: return WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
    }
}

void SetExStyle(HWND window, ExStyleKind kind)
{
    LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, style | static_cast<LONG_PTR>(ExStyleForKind(kind)));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

namespace {

// Pages (and a window with no document type yet) have the HTML menu.
bool HtmlLayout(EditorType edType) { return IsPageType(edType) || edType == EditorType::None; }

} // namespace

std::vector<MenuBitmapPlace> MenuBitmapPlaces(EditorType edType)
{
    const bool htmlLayout = HtmlLayout(edType);
    const int m = htmlLayout ? 3 : 2;
    const int p = htmlLayout ? 5 : 3;
    return {
        {0, {1, 12, 4}}, {1, {1, 12, 5}}, {2, {1, 14}}, {3, {1, 15}}, {6, {1, 11, 2}},
        {7, {m, 11}},    {8, {p, 3}},     {9, {m, 7, 0}}, {4, {m, 9, 0}},
    };
}

void SetMenuBitmaps(HMENU menuBar, const HBITMAP (&menuIm)[10], EditorType edType)
{
    if (!menuBar)
        return;
    if (!HtmlLayout(edType)) {
        // In the script and style layouts another item sits at this place; it
        // must not keep the picture the HTML layout gave it.
        if (HMENU m = GetSubMenu(menuBar, 2))
            SetMenuItemBitmaps(m, 3, MF_BYPOSITION, nullptr, nullptr);
    }
    for (const MenuBitmapPlace& place : MenuBitmapPlaces(edType)) {
        HMENU menu = menuBar;
        for (size_t i = 0; menu && i + 1 < place.path.size(); ++i)
            menu = GetSubMenu(menu, place.path[i]);
        if (!menu)
            continue;
        HBITMAP bmp = menuIm[place.picture];
        SetMenuItemBitmaps(menu, static_cast<UINT>(place.path.back()), MF_BYPOSITION, bmp, bmp);
    }
}

int MeasureListExtent(HWND list)
{
    HDC dc = GetDC(list);
    if (!dc)
        return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    const int vscroll = GetSystemMetrics(SM_CXVSCROLL);
    int largest = 0;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (len < 0)
            break;
        std::wstring text(static_cast<size_t>(len) + 1, L'\0');
        LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        RECT rc{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_NOPREFIX);
        largest = std::max(largest, vscroll + static_cast<int>(rc.right));
    }
    if (old)
        SelectObject(dc, old);
    ReleaseDC(list, dc);
    return largest;
}

void SetListHScroll(HWND list)
{
    if (!list)
        return;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(MeasureListExtent(list)), 0);
}

void SetListHScroll(HWND list, const std::vector<std::wstring>& items)
{
    HDC dc = list ? GetDC(list) : nullptr;
    if (!dc)
        return;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    std::vector<int> widths(0x10000, -1);
    int largest = 0;
    for (const std::wstring& item : items) {
        int width = 0;
        for (wchar_t c : item) {
            int& w = widths[static_cast<unsigned short>(c)];
            if (w < 0 && !GetCharWidth32W(dc, c, c, &w))
                w = 0;
            width += w;
        }
        largest = std::max(largest, width);
    }
    if (old)
        SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(largest + GetSystemMetrics(SM_CXVSCROLL)), 0);
}

bool ColorDialogPlacement(const RECT& owner, const RECT& dialog, int screenHeight, POINT& topLeft)
{
    if (!(owner.top > 0 && owner.top < screenHeight))
        return false;
    const long dialogWidth = dialog.right - dialog.left;
    const long dialogHeight = dialog.bottom - dialog.top;
    const long ownerWidth = owner.right - owner.left;
    topLeft.y = std::max(0L, owner.top - dialogHeight);
    topLeft.x = std::max(0L, owner.left + std::lround((ownerWidth - dialogWidth) / 2.0));
    return true;
}

void PlaceAndRetitleColorDialog(HWND dialog, HWND owner)
{
    RECT ownerRect, dialogRect;
    POINT at;
    if (owner && GetWindowRect(owner, &ownerRect) && GetWindowRect(dialog, &dialogRect) &&
        ColorDialogPlacement(ownerRect, dialogRect, GetSystemMetrics(SM_CYSCREEN), at))
        SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(dialog, L"TARNEL Color Picker and Custom Color Storage");
    SetDlgItemTextW(dialog, 712, L"Save to Selected Custom Color");
}

UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_INITDIALOG)
        return 0;
    auto* cc = reinterpret_cast<const CHOOSECOLORW*>(lp);
    PlaceAndRetitleColorDialog(dialog, cc ? cc->hwndOwner : nullptr);
    RelabelCustomColours(dialog);
    return 1;
}

long ShowColorDialog(HWND owner, COLORREF initial, COLORREF (&custColors)[16])
{
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.hInstance = reinterpret_cast<HWND>(platform::ThisModule());
    cc.rgbResult = initial;
    cc.lpCustColors = custColors;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    cc.lpfnHook = ColorDialogHook;
    if (!ChooseColorW(&cc))
        return -1;
    return static_cast<long>(cc.rgbResult);
}

long ShowColorDialog(HWND owner, COLORREF initial, std::vector<int32_t>& custColors)
{
    // Never hand the dialog fewer than the 16 entries it reads and writes.
    const std::vector<int32_t> defaults = SettingsRecordFile::DefaultCustomColors();
    COLORREF custom[16];
    for (size_t i = 0; i < 16; ++i)
        custom[i] = static_cast<COLORREF>(i < custColors.size() ? custColors[i]
                                          : i < defaults.size() ? defaults[i] : 0xFFFFFF);
    long result = ShowColorDialog(owner, initial, custom);
    // Colours stored before a cancel are kept, as the dialog left them.
    if (custColors.size() < 16)
        custColors.resize(16);
    for (size_t i = 0; i < 16; ++i)
        custColors[i] = static_cast<int32_t>(custom[i]);
    return result;
}

CustomMenuLayout ComputeCustomMenuLayout(long menuWidth, long borderWidth, long cancelWidth)
{
    CustomMenuLayout l{};
    l.formWidth = menuWidth + 240;
    const long inner = l.formWidth - borderWidth;
    l.lines[0] = {0, 2};
    l.lines[1] = {menuWidth + 220, menuWidth + 218};
    l.lines[2] = {0, inner};
    l.frameLeft = 120;
    l.frameWidth = menuWidth;
    l.cancelLeft = (inner - cancelWidth) / 2;
    l.labelLeft = 0;
    return l;
}

void LayoutCustomMenus(CustomMenuTarget& fCM, bool menu1Active, long menu1Width, long menu2Width)
{
    const int menu = menu1Active ? 1 : 2;
    const CustomMenuLayout l =
        ComputeCustomMenuLayout(menu1Active ? menu1Width : menu2Width, fCM.BorderWidth(), fCM.CancelWidth());
    fCM.SetFormWidth(l.formWidth);
    for (int i = 0; i < 3; ++i)
        fCM.SetLine(i, l.lines[i].x1, l.lines[i].x2);
    fCM.SetFrame(1, l.frameLeft, l.frameWidth);
    fCM.SetFrame(2, l.frameLeft, l.frameWidth);
    fCM.SetCancelLeft(l.cancelLeft);
    for (int i = 0; i < 10; ++i)
        fCM.SetLabelLeft(menu, i, l.labelLeft);
}

} // namespace ModFormOps
