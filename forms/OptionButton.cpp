#include "OptionButton.h"

#include "Form.h"

namespace forms {

OptionButton::OptionButton() = default;

HWND OptionButton::CreateHandle(HWND parent, const RECT& px)
{
    // Manual radio button: the group is the container, not the window order.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE;
    if (Alignment == 1)
        style |= BS_LEFTTEXT | BS_RIGHT;
    HWND w = CreateWindowExW(0, L"BUTTON", caption_.c_str(), style, px.left, px.top,
                             px.right - px.left, px.bottom - px.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                             ThisModule(), nullptr);
    if (w)
        SendMessageW(w, BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return w;
}

void OptionButton::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd)
        SetWindowTextW(hwnd, text.c_str());
}

void OptionButton::SetValue(bool v)
{
    if (v == value_)
        return;
    value_ = v;
    if (hwnd)
        SendMessageW(hwnd, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v)
        return;
    if (Form* f = OwnerForm()) {
        for (Control* c : f->Controls()) {
            auto* o = dynamic_cast<OptionButton*>(c);
            if (!o || o == this || o->Parent() != Parent() || !o->value_)
                continue;
            o->value_ = false;
            if (o->hwnd)
                SendMessageW(o->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    FireClick();
}

bool OptionButton::CanTabTo() const
{
    if (!Control::CanTabTo())
        return false;
    if (value_)
        return true;
    // With nothing chosen in the group, every button of it is a stop.
    if (Form* f = OwnerForm())
        for (Control* c : f->Controls()) {
            auto* o = dynamic_cast<OptionButton*>(c);
            if (o && o != this && o->Parent() == Parent() && o->value_)
                return false;
        }
    return true;
}

bool OptionButton::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        result = 0;
        if (HIWORD(wp) == BN_CLICKED)
            SetValue(true);
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void OptionButton::SaveDesignState()
{
    Control::SaveDesignState();
    designOptionButton_ = std::make_tuple(caption_, value_);
}

void OptionButton::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, value_) = designOptionButton_;
}

} // namespace forms
