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
    if (Sorted)
        style |= LBS_SORT;
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
    if (hwnd && MultiSelect != 0)
        return SendMessageW(hwnd, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    return ListIndex() == index;
}

void ListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= ListCount())
        return;
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

} // namespace forms
