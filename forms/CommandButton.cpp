#include "CommandButton.h"

#include "Form.h"

namespace forms {

CommandButton::CommandButton() = default;

HWND CommandButton::CreateHandle(HWND parent, const RECT& px)
{
    return CreateButton(parent, px, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
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

void CommandButton::OnClicked() { FireClick(); }

void CommandButton::SaveDesignState()
{
    ButtonControl::SaveDesignState();
    designCommandButton_ = std::make_tuple(default_, cancel_);
}

void CommandButton::RestoreDesignState()
{
    ButtonControl::RestoreDesignState();
    std::tie(default_, cancel_) = designCommandButton_;
}

} // namespace forms
