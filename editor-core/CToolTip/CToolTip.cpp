#include "CToolTip/CToolTip.h"

#include "forms/Runtime.h"

CToolTip::~CToolTip()
{
    CloseTip();
}

void CToolTip::TipText(const std::wstring& sText)
{
    text_ = sText;
    tool_.lpszText = const_cast<wchar_t*>(text_.c_str());
    if (tip_)
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool_));
}

void CToolTip::InitTip(HWND ParenthWnd, COLORREF BackColor, COLORREF TextColor)
{
    parent_ = ParenthWnd;
    back_ = BackColor;
    fore_ = TextColor;
    SetTip(L" ");
}

void CToolTip::SetTip(const std::wstring& text)
{
    if (!parent_)
        return;
    if (tip_) {
        DestroyWindow(tip_);
        tip_ = nullptr;
    }
    text_ = text;
    HINSTANCE inst = forms::ThisModule();
    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | WS_BORDER | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr, inst,
                           nullptr);
    if (!tip_)
        return;
    SetWindowPos(tip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    tool_ = TOOLINFOW{};
    // The version-5 record size is accepted by every common-controls version.
    tool_.cbSize = TTTOOLINFOW_V2_SIZE;
    tool_.uFlags = TTF_SUBCLASS;
    tool_.hwnd = parent_;
    tool_.uId = 0;
    tool_.hinst = inst;
    tool_.lpszText = const_cast<wchar_t*>(text_.c_str());
    GetClientRect(parent_, &tool_.rect);

    // Held for as long as this tip lives, also across SetTip calls.
    ModTTipOps::TipFont font = ModTTipOps::SetTipFont(tip_, 8, L"Verdana");
    if (font)
        font_ = font;

    SendMessageW(tip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin_));
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 500);
    SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, fore_, 0);
    SendMessageW(tip_, TTM_SETTIPBKCOLOR, back_, 0);
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
}

void CToolTip::Hide()
{
    if (tip_ && IsWindow(tip_))
        SendMessageW(tip_, TTM_POP, 0, 0);
}

void CToolTip::CloseTip()
{
    // The window goes first: it must not outlive the font it draws with.
    if (tip_) {
        if (IsWindow(tip_))
            DestroyWindow(tip_);
        tip_ = nullptr;
    }
    font_.reset();
}
