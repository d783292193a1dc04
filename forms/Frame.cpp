#include "Frame.h"

#include "Internal.h"

namespace forms {

HWND Frame::CreateHandle(HWND parent, const RECT& px)
{
    return CreateChildWindow(WS_EX_CONTROLPARENT, detail::OwnControlClass(), caption_.c_str(),
                             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, parent, px);
}

void Frame::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd) {
        SetWindowTextW(hwnd, text.c_str());
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void Frame::SetBorderStyle(Border v)
{
    borderStyle_ = v;
    Invalidate();
}

bool Frame::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        // Draw() paints only the border and the caption.
        detail::FillClient(hwnd, reinterpret_cast<HDC>(wp), BackBrush());
        result = 1;
        return true;
    case WM_ENABLE:
        // The caption turns grey when disabled.
        Invalidate();
        return false;
    default:
        return PaintedControl::OnOwnMessage(msg, wp, lp, result);
    }
}

void Frame::Draw(HDC dc, RECT rc)
{
    HGDIOBJ old = SelectObject(dc, FontHandleNow());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (borderStyle_ == Border::FixedSingle) {
        // The etched line runs through the middle of the caption.
        RECT box = rc;
        box.top += tm.tmHeight / 2;
        DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    }
    if (!caption_.empty()) {
        SetTextColor(dc, IsWindowEnabled(hwnd) ? ToColorRef(foreColor_)
                                               : GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, ToColorRef(backColor_));
        SetBkMode(dc, OPAQUE);
        RECT text{rc.left + 6, rc.top, rc.right - 6, rc.top + tm.tmHeight};
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, old);
}

void Frame::SaveDesignState()
{
    Control::SaveDesignState();
    designFrame_ = std::make_tuple(caption_, borderStyle_);
}

void Frame::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, borderStyle_) = designFrame_;
}

} // namespace forms
