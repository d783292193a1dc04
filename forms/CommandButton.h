#pragma once
// CommandButton: a push button. Default: Enter in the form clicks it; Cancel:
// Esc clicks it.
#include "Control.h"

#include <string>

#include <tuple>

namespace forms {

class CommandButton : public Control {
public:
    CommandButton();
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Value = True: clicks the button from code.
    void SetValue(bool v);
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;

private:
    std::wstring caption_;
    bool default_ = false;
    bool cancel_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, bool, bool> designCommandButton_;
};

} // namespace forms
