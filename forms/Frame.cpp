#include "Frame.h"

#include "Internal.h"

namespace forms {

Frame::Frame()
{
    tabStop_ = false;
}

HWND Frame::CreateHandle(HWND parent, const RECT& px)
{
    return CreateWindowExW(WS_EX_CONTROLPARENT, detail::OwnControlClass(), caption_.c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, px.left, px.top,
                           px.right - px.left, px.bottom - px.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                           ThisModule(), nullptr);
}

void Frame::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd) {
        SetWindowTextW(hwnd, text.c_str());
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void Frame::SetBorderStyle(int v)
{
    borderStyle_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

bool Frame::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, BackBrush());
        result = 1;
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HGDIOBJ old = SelectObject(dc, FontHandleNow());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        if (borderStyle_ == 1) {
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
