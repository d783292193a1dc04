#pragma once
// ComboBox: a COMBOBOX window. Style 0 drop-down combo (editable), 1 simple,
// 2 drop-down list. Click when a list item is chosen (or by SetListIndex),
// Change when the text of the edit field changes, DropDown when the list opens.
#include "ListControl.h"

#include <functional>

#include <tuple>

namespace forms {

class ComboBox : public ListControl {
public:
    ComboBox();
    // Set before creation.
    int Style = 0;
    // Height of the opened list in twips (beyond the control's own height).
    int DropHeight = 2400;
    // Maximum length of the edit field (0: no limit).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    std::wstring Text() const;
    // Style 2: selects the item with that text (nothing when missing).
    void SetText(const std::wstring& text);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    std::function<void()> DropDown;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Enter and Esc close an open list first.
    bool WantsDialogKey(const MSG& msg) const override
    {
        return msg.wParam != VK_TAB && hwnd && SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0);
    }

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnCreated() override;
    void OnDestroying() override;
    RECT WindowRectFor(const RECT& px) const override;
    void HookChildWindows() override;

private:
    std::wstring text_;
    int maxLength_ = 0;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, int> designComboBox_;
};

} // namespace forms
