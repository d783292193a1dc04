#pragma once
// OptionButton: the option buttons placed on one container form one group;
// setting one (by a click or from code) clears the others of the group and
// raises its Click.
#include "Control.h"

#include <string>

#include <tuple>

namespace forms {

class OptionButton : public Control {
public:
    OptionButton();
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    bool Value() const { return value_; }
    void SetValue(bool v);
    int Alignment = 0; // 0 button left of the caption, 1 right; before creation
    bool CanTabTo() const override;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;

private:
    std::wstring caption_;
    bool value_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, bool> designOptionButton_;
};

} // namespace forms
