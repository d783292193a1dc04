#include "PictureBox.h"

#include "Internal.h"
#include "Windowless.h"

namespace forms {

PictureBox::PictureBox() = default;

PictureBox::~PictureBox()
{
    if (picture_ && ownsPicture_)
        DeleteObject(picture_);
}

HWND PictureBox::CreateHandle(HWND parent, const RECT& px)
{
    DWORD ex = WS_EX_CONTROLPARENT | (borderStyle_ == Border::FixedSingle ? WS_EX_CLIENTEDGE : 0);
    return CreateChildWindow(ex, detail::OwnControlClass(), L"",
                             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, parent, px);
}

void PictureBox::SetBorderStyle(Border v)
{
    borderStyle_ = v;
    if (!hwnd)
        return;
    LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    ex = v == Border::FixedSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int PictureBox::ScaleWidth() const
{
    if (!hwnd)
        return Width();
    RECT rc;
    GetClientRect(hwnd, &rc);
    return PixelsToTwipsX(rc.right);
}

int PictureBox::ScaleHeight() const
{
    if (!hwnd)
        return Height();
    RECT rc;
    GetClientRect(hwnd, &rc);
    return PixelsToTwipsY(rc.bottom);
}

void PictureBox::SetPicture(HBITMAP bitmap, bool owned)
{
    if (picture_ && ownsPicture_ && picture_ != bitmap)
        DeleteObject(picture_);
    picture_ = bitmap;
    ownsPicture_ = owned;
    Invalidate();
}

void PictureBox::Cls()
{
    if (hwnd) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
}

void PictureBox::OnMoved()
{
    if (Resize) {
        auto ev = Resize;
        ev();
    }
}

bool PictureBox::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        detail::FillClient(hwnd, reinterpret_cast<HDC>(wp), BackBrush());
        result = 1;
        return true;
    case WM_PAINT: {
        HWND w = hwnd;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        // The class's shared context goes back as it came (Internal.cpp).
        const int saved = SaveDC(dc);
        if (picture_)
            detail::DrawBitmap(dc, picture_, 0, 0);
        if (Paint) {
            SelectObject(dc, FontHandleNow());
            SetTextColor(dc, ToColorRef(foreColor_));
            SetBkColor(dc, ToColorRef(backColor_));
            auto ev = Paint;
            ev(dc);
        }
        RestoreDC(dc, saved);
        detail::DrawWindowless(w, dc);
        EndPaint(w, &ps);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void PictureBox::SaveDesignState()
{
    Control::SaveDesignState();
    designPictureBox_ = std::make_tuple(borderStyle_);
}

void PictureBox::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(borderStyle_) = designPictureBox_;
}

} // namespace forms
