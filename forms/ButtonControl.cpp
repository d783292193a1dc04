#include "ButtonControl.h"

namespace forms {

HWND ButtonControl::CreateButton(HWND parent, const RECT& px, DWORD kind)
{
    return CreateChildWindow(0, L"BUTTON", caption_.c_str(),
                             WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE | kind, parent,
                             px);
}

HWND ButtonControl::CreateCheckButton(HWND parent, const RECT& px, DWORD kind, int alignment,
                                      WPARAM check)
{
    if (alignment == 1)
        kind |= BS_LEFTTEXT | BS_RIGHT;
    HWND w = CreateButton(parent, px, kind);
    if (w)
        SendMessageW(w, BM_SETCHECK, check, 0);
    return w;
}

void ButtonControl::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd)
        SetWindowTextW(hwnd, text.c_str());
}

bool ButtonControl::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        result = 0;
        if (HIWORD(wp) == BN_CLICKED)
            OnClicked();
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void ButtonControl::SaveDesignState()
{
    Control::SaveDesignState();
    designCaption_ = caption_;
}

void ButtonControl::RestoreDesignState()
{
    Control::RestoreDesignState();
    caption_ = designCaption_;
}

} // namespace forms
