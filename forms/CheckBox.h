#pragma once
// CheckBox: Value 0 unchecked, 1 checked, 2 grey. A user click toggles
// between 0 and 1; setting Value from code raises Click just as a click does
// (when the value changes).
#include "Control.h"

#include <string>

#include <tuple>

namespace forms {

class CheckBox : public Control {
public:
    CheckBox();
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    int Value() const { return value_; }
    void SetValue(int v);
    int Alignment = 0; // 0 box left of the caption, 1 right; before creation
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;

private:
    std::wstring caption_;
    int value_ = vbUnchecked;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, int> designCheckBox_;
};

} // namespace forms
