#pragma once
// OptionButton: the option buttons placed on one container form one group;
// setting one (by a click or from code) clears the others of the group and
// raises its Click.
#include "ButtonControl.h"

#include <tuple>

namespace forms {

class OptionButton : public ButtonControl {
public:
    OptionButton();
    bool Value() const { return value_; }
    void SetValue(bool v);
    int Alignment = 0; // 0 button left of the caption, 1 right; before creation
    bool CanTabTo() const override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnClicked() override;

private:
    bool value_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<bool> designOptionButton_;
};

} // namespace forms
