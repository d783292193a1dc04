#include "Image.h"

#include "Internal.h"

namespace forms {

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

void Image::SetPicture(HBITMAP bitmap, bool owned)
{
    if (bitmap == bitmap_ && !icon_) {
        owned_ = owned;
        return;
    }
    ReleasePicture();
    bitmap_ = bitmap;
    owned_ = owned;
    Invalidate();
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
    Invalidate();
}

void Image::SetBorderStyle(Border v)
{
    borderStyle_ = v;
    Invalidate();
}

void Image::SetAppearance(int v)
{
    appearance_ = v;
    Invalidate();
}

void Image::Draw(HDC dc, RECT rc)
{
    BrushHandle back;
    FillRect(dc, &rc, back.Get(Parent() ? Parent()->ContainerBackColor() : vbButtonFace));
    // Pressed: the picture moves down and right by one pixel.
    int shift = (borderStyle_ == Border::FixedSingle && appearance_ == 1) ? 1 : 0;
    if (bitmap_) {
        detail::DrawBitmap(dc, bitmap_, shift, shift, Stretch ? &rc : nullptr);
    } else if (icon_) {
        DrawIconEx(dc, shift, shift, icon_, Stretch ? rc.right : 0, Stretch ? rc.bottom : 0, 0,
                   nullptr, DI_NORMAL);
    }
    if (borderStyle_ == Border::FixedSingle)
        DrawEdge(dc, &rc, appearance_ == 1 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
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
