#pragma once
// CheckBox: Value 0 unchecked, 1 checked, 2 grey. A user click toggles
// between 0 and 1; setting Value from code raises Click just as a click does
// (when the value changes).
#include "ButtonControl.h"

#include <tuple>

namespace forms {

class CheckBox : public ButtonControl {
public:
    CheckBox();
    int Value() const { return value_; }
    void SetValue(int v);
    int Alignment = 0; // 0 box left of the caption, 1 right; before creation

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnClicked() override;

private:
    int value_ = vbUnchecked;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<int> designCheckBox_;
};

} // namespace forms
