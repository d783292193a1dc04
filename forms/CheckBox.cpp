#include "CheckBox.h"

namespace forms {

CheckBox::CheckBox() = default;

HWND CheckBox::CreateHandle(HWND parent, const RECT& px)
{
    // BS_3STATE: a manual box that can show grey; clicks are turned into
    // values here, so that a click and code setting Value behave alike.
    return CreateCheckButton(parent, px, BS_3STATE, Alignment, static_cast<WPARAM>(value_));
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

void CheckBox::OnClicked() { SetValue(value_ == vbChecked ? vbUnchecked : vbChecked); }

void CheckBox::SaveDesignState()
{
    ButtonControl::SaveDesignState();
    designCheckBox_ = std::make_tuple(value_);
}

void CheckBox::RestoreDesignState()
{
    ButtonControl::RestoreDesignState();
    std::tie(value_) = designCheckBox_;
}

} // namespace forms
