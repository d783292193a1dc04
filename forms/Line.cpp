#include "Line.h"

#include <algorithm>
#include <cmath>

namespace forms {

Line& Line::PlaceLine(Container& parent, int x1, int y1, int x2, int y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Place(parent, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    return *this;
}

void Line::SetEnds(int x1, int y1, int x2, int y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

namespace {

// The window covers the line's box widened by the pen, so that a vertical or
// horizontal line (a box of zero width) still has pixels.
RECT LineWindowRect(const RECT& px, int pen)
{
    RECT r = px;
    r.right = std::max(r.right, r.left + pen);
    r.bottom = std::max(r.bottom, r.top + pen);
    if (px.right - px.left >= pen)
        r.right += pen;
    if (px.bottom - px.top >= pen)
        r.bottom += pen;
    return r;
}

} // namespace

RECT Line::DrawnRect() const { return LineWindowRect(PixelRect(), std::max(1, borderWidth_)); }

void Line::SetBorderColor(OleColor c)
{
    borderColor_ = c;
    Invalidate();
}

void Line::SetBorderWidth(int v)
{
    Invalidate();
    borderWidth_ = std::max(1, v);
    Invalidate();
}

HRGN Line::DrawnRegion() const
{
    RECT box = PixelRect();
    POINT a{TwipsToPixelsX(x1_) - box.left, TwipsToPixelsY(y1_) - box.top};
    POINT b{TwipsToPixelsX(x2_) - box.left, TwipsToPixelsY(y2_) - box.top};
    if (a.x == b.x || a.y == b.y)
        return nullptr; // the rectangle is the line
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::sqrt(dx * dx + dy * dy);
    double pen = std::max(1, borderWidth_);
    double ox = -dy / len * pen / 2.0 + pen / 2.0, oy = dx / len * pen / 2.0 + pen / 2.0;
    double px = dy / len * pen / 2.0 + pen / 2.0, py = -dx / len * pen / 2.0 + pen / 2.0;
    POINT quad[4] = {
        {static_cast<LONG>(a.x + ox), static_cast<LONG>(a.y + oy)},
        {static_cast<LONG>(b.x + ox), static_cast<LONG>(b.y + oy)},
        {static_cast<LONG>(b.x + px + 1), static_cast<LONG>(b.y + py + 1)},
        {static_cast<LONG>(a.x + px + 1), static_cast<LONG>(a.y + py + 1)},
    };
    return CreatePolygonRgn(quad, 4, WINDING);
}

void Line::Draw(HDC dc, RECT rc)
{
    BrushHandle pen;
    FillRect(dc, &rc, pen.Get(borderColor_));
}

void Line::SaveDesignState()
{
    Control::SaveDesignState();
    designLine_ = std::make_tuple(x1_, y1_, x2_, y2_, borderColor_, borderWidth_);
}

void Line::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(x1_, y1_, x2_, y2_, borderColor_, borderWidth_) = designLine_;
}

} // namespace forms
