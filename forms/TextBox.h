#pragma once
// TextBox: an EDIT window, single- or multi-line. Change is raised whenever
// the text changes, by typing or from code.
#include "Control.h"

#include <tuple>

namespace forms {

class TextBox : public Control {
public:
    TextBox();
    // Set before creation.
    bool MultiLine = false;
    int ScrollBars = 0;   // 0 none, 1 horizontal, 2 vertical, 3 both
    Border BorderStyle = Border::FixedSingle;
    int Alignment = 0;    // 0 left, 1 right, 2 centre
    bool HideSelection = true;
    wchar_t PasswordChar = 0;

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    int SelStart() const;
    void SetSelStart(int v);   // also collapses the selection, as SelStart does
    int SelLength() const;
    void SetSelLength(int v);
    std::wstring SelText() const;
    void SetSelText(const std::wstring& text); // replaces the selection
    bool Locked() const { return locked_; }
    void SetLocked(bool v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n); // 0: no limit
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Tab always moves on; Enter is a new line in a multi-line box.
    bool WantsDialogKey(const MSG& msg) const override
    {
        return MultiLine && msg.wParam == VK_RETURN;
    }

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void OnCreated() override;
    void OnDestroying() override;

private:
    std::wstring text_;
    int selStart_ = 0, selLength_ = 0;
    bool locked_ = false;
    int maxLength_ = 0;
    bool settingUp_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, int, int, bool, int> designTextBox_;
};

} // namespace forms
