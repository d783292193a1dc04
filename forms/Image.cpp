#include "Image.h"

#include "Internal.h"

namespace forms {

Image::Image()
{
    tabStop_ = false;
}

Image::~Image() { ReleasePicture(); }

void Image::ReleasePicture()
{
    if (owned_) {
        if (bitmap_)
            DeleteObject(bitmap_);
        if (icon_)
            DestroyIcon(icon_);
    }
    bitmap_ = nullptr;
    icon_ = nullptr;
    owned_ = false;
}

HWND Image::CreateHandle(HWND parent, const RECT& px)
{
    return CreateWindowExW(0, detail::OwnControlClass(), L"", WS_CHILD | WS_CLIPSIBLINGS, px.left,
                           px.top, px.right - px.left, px.bottom - px.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId())),
                           ThisModule(), nullptr);
}

void Image::SetPicture(HBITMAP bitmap, bool owned)
{
    if (bitmap == bitmap_ && !icon_) {
        owned_ = owned;
        return;
    }
    ReleasePicture();
    bitmap_ = bitmap;
    owned_ = owned;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Image::SetIcon(HICON icon, bool owned)
{
    if (icon == icon_ && !bitmap_) {
        owned_ = owned;
        return;
    }
    ReleasePicture();
    icon_ = icon;
    owned_ = owned;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Image::SetBorderStyle(int v)
{
    borderStyle_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void Image::SetAppearance(int v)
{
    appearance_ = v;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

bool Image::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        BrushHandle back;
        FillRect(dc, &rc, back.Get(Parent() ? Parent()->ContainerBackColor() : vbButtonFace));
        // Pressed: the picture moves down and right by one pixel.
        int shift = (borderStyle_ == 1 && appearance_ == 1) ? 1 : 0;
        if (bitmap_) {
            BITMAP bm{};
            GetObjectW(bitmap_, sizeof(bm), &bm);
            if (HDC mem = CreateCompatibleDC(dc)) {
                HGDIOBJ old = SelectObject(mem, bitmap_);
                if (Stretch) {
                    SetStretchBltMode(dc, HALFTONE);
                    StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                               SRCCOPY);
                } else {
                    BitBlt(dc, shift, shift, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
                }
                SelectObject(mem, old);
                DeleteDC(mem);
            }
        } else if (icon_) {
            DrawIconEx(dc, shift, shift, icon_, Stretch ? rc.right : 0, Stretch ? rc.bottom : 0, 0,
                       nullptr, DI_NORMAL);
        }
        if (borderStyle_ == 1)
            DrawEdge(dc, &rc, appearance_ == 1 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        EndPaint(hwnd, &ps);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void Image::SaveDesignState()
{
    Control::SaveDesignState();
    designImage_ = std::make_tuple(borderStyle_, appearance_);
}

void Image::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(borderStyle_, appearance_) = designImage_;
}

} // namespace forms
