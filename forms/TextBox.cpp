#include "TextBox.h"

#include "Internal.h"

#include <algorithm>

namespace forms {

TextBox::TextBox()
{
    foreColor_ = vbWindowText;
    backColor_ = vbWindowBackground;
}

HWND TextBox::CreateHandle(HWND parent, const RECT& px)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
    if (MultiLine) {
        style |= ES_MULTILINE | ES_WANTRETURN;
        if (ScrollBars & 1)
            style |= WS_HSCROLL | ES_AUTOHSCROLL;
        if (ScrollBars & 2)
            style |= WS_VSCROLL;
        style |= ES_AUTOVSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (Alignment == 1)
        style |= ES_RIGHT;
    else if (Alignment == 2)
        style |= ES_CENTER;
    if (!HideSelection)
        style |= ES_NOHIDESEL;
    if (PasswordChar && !MultiLine)
        style |= ES_PASSWORD;
    if (locked_)
        style |= ES_READONLY;
    DWORD ex = BorderStyle == Border::FixedSingle ? WS_EX_CLIENTEDGE : 0;
    return CreateChildWindow(ex, L"EDIT", L"", style, parent, px);
}

void TextBox::OnCreated()
{
    if (PasswordChar && !MultiLine)
        SendMessageW(hwnd, EM_SETPASSWORDCHAR, PasswordChar, 0);
    SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    // Design-time text raises no Change; the window's EN_CHANGE comes while
    // the control is being set up and is dropped by the flag.
    settingUp_ = true;
    SetWindowTextW(hwnd, text_.c_str());
    settingUp_ = false;
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(selStart_),
                 static_cast<LPARAM>(selStart_ + selLength_));
}

void TextBox::OnDestroying()
{
    text_ = Text();
    selStart_ = SelStart();
    selLength_ = SelLength();
}

std::wstring TextBox::Text() const
{
    if (!hwnd)
        return text_;
    return detail::ReadWindowText(hwnd);
}

void TextBox::SetText(const std::wstring& text)
{
    if (!hwnd) {
        text_ = text;
        return;
    }
    if (Text() == text)
        return;
    // MaxLength limits typing only, as it does for code setting Text.
    SetWindowTextW(hwnd, text.c_str());
}

int TextBox::SelStart() const
{
    if (!hwnd)
        return selStart_;
    return detail::ReadSelection(hwnd, EM_GETSEL).start;
}

void TextBox::SetSelStart(int v)
{
    int len = static_cast<int>(Text().size());
    v = std::max(0, std::min(v, len));
    if (!hwnd) {
        selStart_ = v;
        selLength_ = 0;
        return;
    }
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(v), static_cast<LPARAM>(v));
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

int TextBox::SelLength() const
{
    if (!hwnd)
        return selLength_;
    detail::Selection sel = detail::ReadSelection(hwnd, EM_GETSEL);
    return sel.end - sel.start;
}

void TextBox::SetSelLength(int v)
{
    int start = SelStart();
    int len = static_cast<int>(Text().size());
    v = std::max(0, std::min(v, len - start));
    if (!hwnd) {
        selLength_ = v;
        return;
    }
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + v));
}

std::wstring TextBox::SelText() const
{
    std::wstring t = Text();
    int s = std::min(SelStart(), static_cast<int>(t.size()));
    return t.substr(static_cast<size_t>(s), static_cast<size_t>(SelLength()));
}

void TextBox::SetSelText(const std::wstring& text)
{
    if (!hwnd) {
        std::wstring t = text_;
        size_t s = std::min(static_cast<size_t>(selStart_), t.size());
        t.replace(s, static_cast<size_t>(selLength_), text);
        text_ = t;
        selStart_ = static_cast<int>(s + text.size());
        selLength_ = 0;
        return;
    }
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TextBox::SetLocked(bool v)
{
    locked_ = v;
    if (hwnd)
        SendMessageW(hwnd, EM_SETREADONLY, v ? TRUE : FALSE, 0);
}

void TextBox::SetMaxLength(int n)
{
    maxLength_ = std::max(0, n);
    if (hwnd)
        SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TextBox::OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        if (HIWORD(wp) == EN_CHANGE && !settingUp_)
            FireChange();
        result = 0;
        return true;
    }
    return Control::OnParentMessage(msg, wp, lp, result);
}

void TextBox::SaveDesignState()
{
    Control::SaveDesignState();
    designTextBox_ = std::make_tuple(text_, selStart_, selLength_, locked_, maxLength_);
}

void TextBox::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(text_, selStart_, selLength_, locked_, maxLength_) = designTextBox_;
}

} // namespace forms
