#include "ListBox.h"

#include <algorithm>

namespace forms {

ListBox::ListBox()
    : ListControl(Messages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                           LB_GETTEXT, LB_GETTEXTLEN, LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL,
                           LB_SETITEMDATA, LB_GETITEMDATA, LB_FINDSTRINGEXACT})
{
}

HWND ListBox::CreateHandle(HWND parent, const RECT& px)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    // Shown even while nothing is wider than the list, so that lists that
    // stand side by side show the same number of rows.
    if (HScroll)
        style |= WS_HSCROLL | LBS_DISABLENOSCROLL;
    if (Sorted)
        style |= LBS_SORT;
    if (Style == 1)
        style |= LBS_OWNERDRAWFIXED;
    if (MultiSelect == 1)
        style |= LBS_MULTIPLESEL;
    else if (MultiSelect == 2)
        style |= LBS_EXTENDEDSEL;
    DWORD ex = BorderStyle == Border::FixedSingle ? WS_EX_CLIENTEDGE : 0;
    return CreateChildWindow(ex, L"LISTBOX", L"", style, parent, px);
}

bool ListBox::Selected(int index) const
{
    if (index < 0 || index >= ListCount())
        return false;
    if (Style == 1)
        return static_cast<size_t>(index) < checked_.size() && checked_[index];
    if (hwnd && MultiSelect != 0)
        return SendMessageW(hwnd, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    return ListIndex() == index;
}

void ListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= ListCount())
        return;
    if (Style == 1) {
        // Set by code: no ItemCheck, as a list being filled is no user's choice.
        checked_.resize(ListCount());
        checked_[index] = selected;
        if (hwnd)
            InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    if (hwnd && MultiSelect != 0) {
        bool was = Selected(index);
        SendMessageW(hwnd, LB_SETSEL, selected ? TRUE : FALSE, index);
        if (was != selected)
            FireClick();
        return;
    }
    if (selected)
        SetListIndex(index);
    else if (ListIndex() == index) {
        if (hwnd)
            SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        else
            listIndex_ = -1;
    }
}

int ListBox::SelCount() const
{
    if (Style == 1) {
        int n = 0;
        for (int i = 0; i < ListCount(); ++i)
            n += Selected(i) ? 1 : 0;
        return n;
    }
    if (hwnd && MultiSelect != 0) {
        LRESULT n = SendMessageW(hwnd, LB_GETSELCOUNT, 0, 0);
        return n < 0 ? 0 : static_cast<int>(n);
    }
    return ListIndex() >= 0 ? 1 : 0;
}

int ListBox::TopIndex() const
{
    return hwnd ? static_cast<int>(SendMessageW(hwnd, LB_GETTOPINDEX, 0, 0)) : 0;
}

void ListBox::SetTopIndex(int index)
{
    if (hwnd && index >= 0 && index < ListCount())
        SendMessageW(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

std::wstring ListBox::Text() const { return List(ListIndex()); }

bool ListBox::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_DRAWITEM && Style == 1) {
        DrawCheckItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND) {
        result = 0;
        if (HIWORD(wp) == LBN_SELCHANGE)
            SelectionChangedByUser();
        else if (HIWORD(wp) == LBN_DBLCLK)
            FireDblClick();
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

int ListBox::AddItem(const std::wstring& item, int index)
{
    int at = ListControl::AddItem(item, index);
    if (at >= 0 && Style == 1) {
        if (checked_.size() < static_cast<size_t>(at))
            checked_.resize(at);
        checked_.insert(checked_.begin() + at, false);
    }
    return at;
}

void ListBox::AddItems(const std::vector<std::wstring>& items)
{
    if (!hwnd || Style == 1) {
        for (const std::wstring& item : items)
            AddItem(item);
        return;
    }
    size_t chars = 0;
    for (const std::wstring& item : items)
        chars += item.size() + 1;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd, LB_INITSTORAGE, items.size(), chars * sizeof(wchar_t));
    // The items go straight to the list's own procedure: no subclass acts
    // on LB_ADDSTRING, and under Wine every subclass a message passes costs
    // a server call (the subclass data is a window property), which made a
    // list of a few hundred items take a tenth of a second or more.
    const auto listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    for (const std::wstring& item : items) {
        const LPARAM text = reinterpret_cast<LPARAM>(item.c_str());
        newIndex_ = static_cast<int>(listProc ? CallWindowProcW(listProc, hwnd, LB_ADDSTRING, 0, text)
                                              : SendMessageW(hwnd, LB_ADDSTRING, 0, text));
    }
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void ListBox::RemoveItem(int index)
{
    if (static_cast<size_t>(index) < checked_.size())
        checked_.erase(checked_.begin() + index);
    ListControl::RemoveItem(index);
}

void ListBox::Clear()
{
    checked_.clear();
    ListControl::Clear();
}

void ListBox::OnCreated()
{
    ListControl::OnCreated();
    if (Style == 1 && hwnd) {
        // The box needs the text's height, at least the check mark's.
        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        int height = tm.tmHeight + 2 > 16 ? tm.tmHeight + 2 : 16;
        SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, height);
    }
}

void ListBox::ToggleCheck(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    SetSelected(index, !Selected(index));
    if (ItemCheck)
        ItemCheck(index);
}

void ListBox::DrawCheckItem(const DRAWITEMSTRUCT& d)
{
    if (d.itemID == static_cast<UINT>(-1))
        return;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    RECT r = d.rcItem;
    FillRect(d.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int box = r.bottom - r.top - 2 > 13 ? 13 : r.bottom - r.top - 2;
    RECT check{r.left + 2, r.top + (r.bottom - r.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    DrawFrameControl(d.hDC, &check, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Selected(static_cast<int>(d.itemID)) ? DFCS_CHECKED : 0));
    RECT text = r;
    text.left = check.right + 4;
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring item = List(static_cast<int>(d.itemID));
    DrawTextW(d.hDC, item.c_str(), static_cast<int>(item.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &r);
}

bool ListBox::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (Style != 1 || !hwnd)
        return false;
    if (msg == WM_LBUTTONDOWN) {
        LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lp);
        const int index = LOWORD(hit);
        const int height = static_cast<int>(SendMessageW(hwnd, LB_GETITEMHEIGHT, 0, 0));
        if (!HIWORD(hit) && static_cast<short>(LOWORD(lp)) < height + 2)
            ToggleCheck(index);
    } else if (msg == WM_KEYDOWN && wp == VK_SPACE) {
        ToggleCheck(ListIndex());
        result = 0;
        return true;
    }
    return false;
}

} // namespace forms
