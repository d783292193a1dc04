#include "ComboBox.h"

#include "Internal.h"

#include <algorithm>

namespace forms {

ComboBox::ComboBox()
    : ListControl(Messages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                           CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
                           CB_SETITEMDATA, CB_GETITEMDATA, CB_FINDSTRINGEXACT})
{
}

HWND ComboBox::CreateHandle(HWND parent, const RECT& px)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                  CBS_HASSTRINGS;
    style |= Style == 2 ? CBS_DROPDOWNLIST : Style == 1 ? CBS_SIMPLE : CBS_DROPDOWN;
    if (Sorted)
        style |= CBS_SORT;
    return CreateChildWindow(0, L"COMBOBOX", L"", style, parent, WindowRectFor(px));
}

RECT ComboBox::WindowRectFor(const RECT& px) const
{
    // The window's height includes the opened list.
    RECT r = px;
    r.bottom += Style == 1 ? 0 : TwipsToPixelsY(DropHeight);
    return r;
}

void ComboBox::HookChildWindows()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(hwnd, &info) && info.hwndItem && info.hwndItem != hwnd)
        HookWindow(info.hwndItem);
}

void ComboBox::OnCreated()
{
    ListControl::OnCreated();
    if (maxLength_)
        SendMessageW(hwnd, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (Style != 2 && !text_.empty() && ListIndex() < 0)
        SetWindowTextW(hwnd, text_.c_str());
}

void ComboBox::OnDestroying()
{
    text_ = Text();
    ListControl::OnDestroying();
}

void ComboBox::SetMaxLength(int n)
{
    maxLength_ = std::max(0, n);
    if (hwnd)
        SendMessageW(hwnd, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

std::wstring ComboBox::Text() const
{
    if (!hwnd)
        return Style == 2 ? List(listIndex_) : text_;
    return detail::ReadWindowText(hwnd);
}

void ComboBox::SetText(const std::wstring& text)
{
    if (Style == 2) {
        int i = FindItem(text);
        if (i >= 0)
            SetListIndex(i);
        return;
    }
    if (!hwnd) {
        text_ = text;
        return;
    }
    if (Text() == text)
        return;
    SetWindowTextW(hwnd, text.c_str());
    // The window reports only typing; code changing the text is a change too.
    FireChange();
}

int ComboBox::SelStart() const
{
    if (!hwnd || Style == 2)
        return 0;
    return detail::ReadSelection(hwnd, CB_GETEDITSEL).start;
}

void ComboBox::SetSelStart(int v)
{
    if (!hwnd || Style == 2)
        return;
    v = std::max(0, std::min(v, static_cast<int>(Text().size())));
    SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(v, v));
}

int ComboBox::SelLength() const
{
    if (!hwnd || Style == 2)
        return 0;
    detail::Selection sel = detail::ReadSelection(hwnd, CB_GETEDITSEL);
    return sel.end - sel.start;
}

void ComboBox::SetSelLength(int v)
{
    if (!hwnd || Style == 2)
        return;
    int start = SelStart();
    v = std::max(0, std::min(v, static_cast<int>(Text().size()) - start));
    SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(start, start + v));
}

bool ComboBox::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        result = 0;
        switch (HIWORD(wp)) {
        case CBN_SELCHANGE:
            SelectionChangedByUser();
            break;
        case CBN_EDITCHANGE:
            FireChange();
            break;
        case CBN_DBLCLK:
            FireDblClick();
            break;
        case CBN_DROPDOWN:
            if (DropDown) {
                auto ev = DropDown;
                ev();
            }
            break;
        default:
            break;
        }
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void ComboBox::SaveDesignState()
{
    ListControl::SaveDesignState();
    designComboBox_ = std::make_tuple(text_, maxLength_);
}

void ComboBox::RestoreDesignState()
{
    ListControl::RestoreDesignState();
    std::tie(text_, maxLength_) = designComboBox_;
}

} // namespace forms
