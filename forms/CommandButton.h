#pragma once
// CommandButton: a push button. Default: Enter in the form clicks it; Cancel:
// Esc clicks it.
#include "ButtonControl.h"

#include <tuple>

namespace forms {

class CommandButton : public ButtonControl {
public:
    CommandButton();
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Value = True: clicks the button from code.
    void SetValue(bool v);

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnClicked() override;

private:
    bool default_ = false;
    bool cancel_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<bool, bool> designCommandButton_;
};

} // namespace forms
