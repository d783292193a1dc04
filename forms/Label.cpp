#include "Label.h"

#include "Internal.h"

namespace forms {

Label::Label()
{
    tabStop_ = false;
}

HWND Label::CreateHandle(HWND parent, const RECT& px)
{
    return CreateWindowExW(0, detail::OwnControlClass(), caption_.c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS, px.left, px.top, px.right - px.left,
                           px.bottom - px.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                           ThisModule(), nullptr);
}

void Label::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd) {
        // Kept as the window text too, for accessibility and automation.
        SetWindowTextW(hwnd, text.c_str());
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void Label::SetAlignment(int v)
{
    alignment_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Label::SetBorderStyle(int v)
{
    borderStyle_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Label::SetAppearance(int v)
{
    appearance_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Label::SetBackStyle(int v)
{
    backStyle_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Label::Paint(HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (backStyle_ == 0 && Parent()) {
        BrushHandle parentBrush;
        FillRect(dc, &rc, parentBrush.Get(Parent()->ContainerBackColor()));
    } else {
        FillRect(dc, &rc, BackBrush());
    }
    if (borderStyle_ == 1) {
        if (appearance_ == 1) {
            DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        } else {
            FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&rc, -1, -1);
        }
    }
    HGDIOBJ old = SelectObject(dc, FontHandleNow());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? ToColorRef(foreColor_) : GetSysColor(COLOR_GRAYTEXT));
    UINT fmt = alignment_ == 1 ? DT_RIGHT : alignment_ == 2 ? DT_CENTER : DT_LEFT;
    if (WordWrap)
        fmt |= DT_WORDBREAK;
    if (!UseMnemonic)
        fmt |= DT_NOPREFIX;
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc, fmt);
    SelectObject(dc, old);
}

bool Label::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(dc);
        EndPaint(hwnd, &ps);
        result = 0;
        return true;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return false;
    default:
        return false;
    }
}

void Label::SaveDesignState()
{
    Control::SaveDesignState();
    designLabel_ = std::make_tuple(caption_, alignment_, borderStyle_, appearance_, backStyle_);
}

void Label::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, alignment_, borderStyle_, appearance_, backStyle_) = designLabel_;
}

} // namespace forms
