#include "CheckBox.h"

namespace forms {

CheckBox::CheckBox() = default;

HWND CheckBox::CreateHandle(HWND parent, const RECT& px)
{
    // BS_3STATE: a manual box that can show grey; clicks are turned into
    // values here, so that a click and code setting Value behave alike.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_3STATE | BS_MULTILINE;
    if (Alignment == 1)
        style |= BS_LEFTTEXT | BS_RIGHT;
    HWND w = CreateWindowExW(0, L"BUTTON", caption_.c_str(), style, px.left, px.top,
                             px.right - px.left, px.bottom - px.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                             ThisModule(), nullptr);
    if (w)
        SendMessageW(w, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
    return w;
}

void CheckBox::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd)
        SetWindowTextW(hwnd, text.c_str());
}

void CheckBox::SetValue(int v)
{
    if (v < vbUnchecked || v > vbGrayed || v == value_)
        return;
    value_ = v;
    if (hwnd)
        SendMessageW(hwnd, BM_SETCHECK, static_cast<WPARAM>(v), 0);
    FireClick();
}

bool CheckBox::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        result = 0;
        if (HIWORD(wp) == BN_CLICKED)
            SetValue(value_ == vbChecked ? vbUnchecked : vbChecked);
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void CheckBox::SaveDesignState()
{
    Control::SaveDesignState();
    designCheckBox_ = std::make_tuple(caption_, value_);
}

void CheckBox::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, value_) = designCheckBox_;
}

} // namespace forms
