#include "Shape.h"

#include <algorithm>

namespace forms {

void Shape::SetShape(int v)
{
    shape_ = v;
    Invalidate();
}

void Shape::SetBorderColor(OleColor c)
{
    borderColor_ = c;
    Invalidate();
}

void Shape::SetBorderWidth(int v)
{
    borderWidth_ = std::max(0, v);
    Invalidate();
}

void Shape::SetFillStyle(int v)
{
    fillStyle_ = v;
    Invalidate();
}

void Shape::SetFillColor(OleColor c)
{
    fillColor_ = c;
    Invalidate();
}

namespace {

RECT ShapeRect(int shape, int w, int h)
{
    RECT r{0, 0, w, h};
    if (shape == 1 || shape == 3 || shape == 5) { // square kinds: centred
        int s = std::min(w, h);
        r.left = (w - s) / 2;
        r.top = (h - s) / 2;
        r.right = r.left + s;
        r.bottom = r.top + s;
    }
    return r;
}

HRGN ShapeRegion(int shape, RECT r)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return CreateRectRgn(0, 0, 0, 0);
    switch (shape) {
    case 2:
    case 3:
        return CreateEllipticRgn(r.left, r.top, r.right + 1, r.bottom + 1);
    case 4:
    case 5: {
        int c = std::min(w, h) / 4;
        return CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, c, c);
    }
    default:
        return CreateRectRgn(r.left, r.top, r.right, r.bottom);
    }
}

} // namespace

HRGN Shape::DrawnRegion() const
{
    const RECT px = PixelRect();
    RECT outer = ShapeRect(shape_, px.right - px.left, px.bottom - px.top);
    HRGN rgn = ShapeRegion(shape_, outer);
    if (fillStyle_ != 0) {
        // Transparent fill: only the outline is drawn.
        RECT inner = outer;
        int b = std::max(1, borderWidth_);
        InflateRect(&inner, -b, -b);
        HRGN hole = ShapeRegion(shape_, inner);
        CombineRgn(rgn, rgn, hole, RGN_DIFF);
        DeleteObject(hole);
    }
    return rgn;
}

void Shape::Draw(HDC dc, RECT rc)
{
    BrushHandle border;
    if (fillStyle_ != 0) {
        // The region drawn is the outline itself.
        FillRect(dc, &rc, border.Get(borderColor_));
    } else {
        BrushHandle fill;
        FillRect(dc, &rc, border.Get(borderColor_));
        RECT inner = ShapeRect(shape_, rc.right, rc.bottom);
        InflateRect(&inner, -borderWidth_, -borderWidth_);
        HRGN in = ShapeRegion(shape_, inner);
        FillRgn(dc, in, fill.Get(fillColor_));
        DeleteObject(in);
    }
}

void Shape::SaveDesignState()
{
    Control::SaveDesignState();
    designShape_ = std::make_tuple(shape_, borderColor_, borderWidth_, fillStyle_, fillColor_);
}

void Shape::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(shape_, borderColor_, borderWidth_, fillStyle_, fillColor_) = designShape_;
}

} // namespace forms
