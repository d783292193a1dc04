#include "OptionButton.h"

#include "Form.h"

namespace forms {

OptionButton::OptionButton() = default;

HWND OptionButton::CreateHandle(HWND parent, const RECT& px)
{
    // Manual radio button: the group is the container, not the window order.
    return CreateCheckButton(parent, px, BS_RADIOBUTTON, Alignment,
                             value_ ? BST_CHECKED : BST_UNCHECKED);
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

void OptionButton::OnClicked() { SetValue(true); }

void OptionButton::SaveDesignState()
{
    ButtonControl::SaveDesignState();
    designOptionButton_ = std::make_tuple(value_);
}

void OptionButton::RestoreDesignState()
{
    ButtonControl::RestoreDesignState();
    std::tie(value_) = designOptionButton_;
}

} // namespace forms
