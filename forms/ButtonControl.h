#pragma once
// ButtonControl: what the BUTTON windows (command button, check box, option
// button) share: the caption, the window's creation, and its click turned into
// OnClicked().
#include "Control.h"

#include <string>

namespace forms {

class ButtonControl : public Control {
public:
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    ButtonControl() = default;
    // The BUTTON window with the caption; kind is its BS_ style.
    HWND CreateButton(HWND parent, const RECT& px, DWORD kind);
    // A check box or radio button (kind) showing check (BM_SETCHECK), its box
    // right of the caption when alignment is 1.
    HWND CreateCheckButton(HWND parent, const RECT& px, DWORD kind, int alignment, WPARAM check);
    // The user clicked the button (BN_CLICKED).
    virtual void OnClicked() = 0;
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::wstring caption_;
    std::wstring designCaption_;
};

} // namespace forms
