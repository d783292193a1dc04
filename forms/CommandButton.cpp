#include "CommandButton.h"

#include "Form.h"

namespace forms {

CommandButton::CommandButton() = default;

HWND CommandButton::CreateHandle(HWND parent, const RECT& px)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE |
                  (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return CreateWindowExW(0, L"BUTTON", caption_.c_str(), style, px.left, px.top,
                           px.right - px.left, px.bottom - px.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                           ThisModule(), nullptr);
}

void CommandButton::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd)
        SetWindowTextW(hwnd, text.c_str());
}

void CommandButton::SetDefault(bool v)
{
    default_ = v;
    if (hwnd)
        SendMessageW(hwnd, BM_SETSTYLE, (v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE, TRUE);
    if (!v)
        return;
    // One default button per form.
    if (Form* f = OwnerForm())
        for (Control* c : f->Controls()) {
            auto* b = dynamic_cast<CommandButton*>(c);
            if (b && b != this && b->default_)
                b->SetDefault(false);
        }
}

void CommandButton::SetValue(bool v)
{
    if (v)
        FireClick();
}

bool CommandButton::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        result = 0;
        if (HIWORD(wp) == BN_CLICKED)
            FireClick();
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void CommandButton::SaveDesignState()
{
    Control::SaveDesignState();
    designCommandButton_ = std::make_tuple(caption_, default_, cancel_);
}

void CommandButton::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, default_, cancel_) = designCommandButton_;
}

} // namespace forms
