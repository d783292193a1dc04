#pragma once
// CToolTip: one tooltip over the whole client area of a window, with its own
// colours, the shared 8-point "Verdana" font, 6-pixel margins, wrapping at
// 500 pixels and a 30-second display time.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "CToolTip/ModTTipOps.h"

class CToolTip {
public:
    CToolTip() = default;
    ~CToolTip();
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;

    // Stores the text and shows it in the live tip (no effect before SetTip).
    void TipText(const std::wstring& sText);
    // Attaches a tip with the text " " to ParenthWnd.
    void InitTip(HWND ParenthWnd, COLORREF BackColor, COLORREF TextColor);
    // (Re)creates the tip for the stored window; the tool covers the window's
    // client area as it is now. Does nothing before InitTip.
    void SetTip(const std::wstring& text);
    // Takes the tip off the screen until the mouse shows it again.
    void Hide();
    // Destroys the tip window and lets go of the shared font.
    void CloseTip();

    HWND TipWindow() const { return tip_; }

private:
    HWND tip_ = nullptr;
    HWND parent_ = nullptr;
    COLORREF back_ = 0;
    COLORREF fore_ = 0;
    std::wstring text_;
    TOOLINFOW tool_{};
    RECT margin_{6, 6, 6, 6};
    ModTTipOps::TipFont font_;
};
