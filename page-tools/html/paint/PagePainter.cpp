#include "PagePainter.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>

namespace html {
namespace {

COLORREF Ref(const Color& c)
{
    return RGB(c.r, c.g, c.b);
}

// Runs paint on a copy of r's pixels and blends the copy back at alpha, so
// that what paint draws shows through at that opacity.
template <typename F>
void Translucent(HDC dc, const Rect& r, int alpha, F paint)
{
    if (alpha <= 0)
        return;
    if (alpha >= 255) {
        paint(dc);
        return;
    }
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION)
        return;
    int x0 = std::max<int>(r.x, clip.left), y0 = std::max<int>(r.y, clip.top);
    int x1 = std::min<int>(r.Right(), clip.right), y1 = std::min<int>(r.Bottom(), clip.bottom);
    if (x1 <= x0 || y1 <= y0)
        return;
    void* bits = nullptr;
    HBITMAP copy = CreateSurface(x1 - x0, y1 - y0, &bits);
    HDC mem = copy ? CreateCompatibleDC(dc) : nullptr;
    if (!mem) {
        if (copy)
            DeleteObject(copy);
        return;
    }
    HGDIOBJ old = SelectObject(mem, copy);
    BitBlt(mem, 0, 0, x1 - x0, y1 - y0, dc, x0, y0, SRCCOPY);
    SetViewportOrgEx(mem, -x0, -y0, nullptr);
    paint(mem);
    SetViewportOrgEx(mem, 0, 0, nullptr);
    GdiFlush();
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    GdiAlphaBlend(dc, x0, y0, x1 - x0, y1 - y0, mem, 0, 0, x1 - x0, y1 - y0, blend);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(copy);
}

void Fill(HDC dc, const Rect& r, const Color& c)
{
    if (r.w <= 0 || r.h <= 0)
        return;
    Translucent(dc, r, c.a, [&](HDC d) {
        SetDCBrushColor(d, Ref(c));
        RECT rc{r.x, r.y, r.x + r.w, r.y + r.h};
        FillRect(d, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    });
}

// The corner radii in pixels (top-left, top-right, bottom-right, bottom-left),
// scaled down together where neighbours would overlap; false when all are 0.
bool CornerRadii(const ComputedStyle& s, const Rect& box, float out[4])
{
    if (!s.extras)
        return false;
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        out[i] = std::max(0.f, s.extras->radius[i].Exact(static_cast<float>(std::min(box.w, box.h))));
        any = any || out[i] > 0;
    }
    if (!any)
        return false;
    float scale = 1;
    float sides[4] = {out[0] + out[1], out[1] + out[2], out[2] + out[3], out[3] + out[0]};
    float lengths[4] = {float(box.w), float(box.h), float(box.w), float(box.h)};
    for (int i = 0; i < 4; ++i)
        if (sides[i] > lengths[i] && sides[i] > 0)
            scale = std::min(scale, lengths[i] / sides[i]);
    for (int i = 0; i < 4; ++i)
        out[i] *= scale;
    return true;
}

// The outline of a box with rounded corners, clockwise from the top-left corner.
void RoundedOutline(const Rect& r, const float rad[4], std::vector<POINT>& pts)
{
    const float pi = 3.14159265f;
    const float cx[4] = {r.x + rad[0], r.Right() - rad[1], r.Right() - rad[2], r.x + rad[3]};
    const float cy[4] = {r.y + rad[0], r.y + rad[1], r.Bottom() - rad[2], r.Bottom() - rad[3]};
    for (int c = 0; c < 4; ++c) {
        int steps = rad[c] <= 0 ? 0 : std::max(2, std::min(24, int(rad[c] / 2)));
        float from = pi + c * pi / 2;
        for (int k = 0; k <= steps; ++k) {
            float a = from + (steps ? (pi / 2) * k / steps : 0);
            pts.push_back(POINT{LONG(std::lround(cx[c] + rad[c] * std::cos(a))), LONG(std::lround(cy[c] + rad[c] * std::sin(a)))});
        }
    }
}

// Fills the rounded box, or with inner given the ring between the two outlines.
void FillRounded(HDC dc, const Rect& outer, const float rad[4], const Rect* inner, const float* innerRad, const Color& c)
{
    std::vector<POINT> pts;
    RoundedOutline(outer, rad, pts);
    INT counts[2] = {static_cast<INT>(pts.size()), 0};
    if (inner && inner->w > 0 && inner->h > 0) {
        RoundedOutline(*inner, innerRad, pts);
        counts[1] = static_cast<INT>(pts.size()) - counts[0];
    }
    Rect bounds{outer.x, outer.y, outer.w + 1, outer.h + 1};
    Translucent(dc, bounds, c.a, [&](HDC d) {
        HGDIOBJ oldPen = SelectObject(d, GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = SelectObject(d, GetStockObject(DC_BRUSH));
        SetDCBrushColor(d, Ref(c));
        SetPolyFillMode(d, ALTERNATE);
        PolyPolygon(d, pts.data(), counts, counts[1] ? 2 : 1);
        SelectObject(d, oldBrush);
        SelectObject(d, oldPen);
    });
}

// The element whose background fills the canvas, which then is not painted again.
const Node* CanvasOwner(const PaintContext& ctx)
{
    const Node* html = ctx.page.html;
    const ComputedStyle* hs = html ? ctx.styles.StyleOf(*html) : nullptr;
    if (hs && (hs->background.Visible() || !hs->backgroundImage.empty()))
        return html;
    const Node* body = ctx.page.body;
    const ComputedStyle* bs = body ? ctx.styles.StyleOf(*body) : nullptr;
    return bs ? body : nullptr;
}

void DrawBorderSide(HDC dc, const Rect& box, const ComputedStyle& s, int side)
{
    int w = s.Border(side);
    if (w <= 0)
        return;
    Color c = s.BorderColor(side);
    BorderStyle st = s.borderStyle[side];
    bool topLeft = side == Top || side == Left;
    // Sunken and raised edges: a dark and a light shade of the colour, as browsers draw them.
    auto dark = [](const Color& k) { return Color::Rgb(k.r * 35 / 100, k.g * 35 / 100, k.b * 35 / 100); };
    auto light = [](const Color& k) {
        return Color::Rgb(k.r + (255 - k.r) * 2 / 3, k.g + (255 - k.g) * 2 / 3, k.b + (255 - k.b) * 2 / 3);
    };
    uint8_t alpha = c.a;
    if (st == BorderStyle::Inset || st == BorderStyle::Groove)
        c = topLeft ? dark(c) : light(c);
    if (st == BorderStyle::Outset || st == BorderStyle::Ridge)
        c = topLeft ? light(c) : dark(c);
    if ((st == BorderStyle::Inset || st == BorderStyle::Outset) && c.r + c.g + c.b < 60) {
        c = topLeft == (st == BorderStyle::Outset) ? Color::Rgb(160, 160, 160) : Color::Rgb(64, 64, 64);
    }
    c.a = alpha;
    Rect r;
    switch (side) {
    case Top: r = Rect{box.x, box.y, box.w, w}; break;
    case Bottom: r = Rect{box.x, box.Bottom() - w, box.w, w}; break;
    case Left: r = Rect{box.x, box.y, w, box.h}; break;
    default: r = Rect{box.Right() - w, box.y, w, box.h}; break;
    }
    if (st == BorderStyle::Dashed || st == BorderStyle::Dotted) {
        int dash = st == BorderStyle::Dotted ? w : 3 * w;
        bool horizontal = side == Top || side == Bottom;
        int length = horizontal ? r.w : r.h;
        for (int at = 0; at < length; at += 2 * dash) {
            int n = std::min(dash, length - at);
            Fill(dc, horizontal ? Rect{r.x + at, r.y, n, r.h} : Rect{r.x, r.y + at, r.w, n}, c);
        }
        return;
    }
    if (st == BorderStyle::Double && w >= 3) {
        int t = (w + 1) / 3;
        bool horizontal = side == Top || side == Bottom;
        Fill(dc, horizontal ? Rect{r.x, r.y, r.w, t} : Rect{r.x, r.y, t, r.h}, c);
        Fill(dc, horizontal ? Rect{r.x, r.Bottom() - t, r.w, t} : Rect{r.Right() - t, r.y, t, r.h}, c);
        return;
    }
    Fill(dc, r, c);
}

// The size one copy of a background picture is drawn at, by background-size.
void TileSize(const BoxExtras& x, const Rect& area, int picW, int picH, int& w, int& h)
{
    w = picW;
    h = picH;
    if (x.backgroundSize == BgSize::Cover || x.backgroundSize == BgSize::Contain) {
        double sx = double(area.w) / picW, sy = double(area.h) / picH;
        double k = x.backgroundSize == BgSize::Cover ? std::max(sx, sy) : std::min(sx, sy);
        w = int(std::lround(picW * k));
        h = int(std::lround(picH * k));
    } else if (x.backgroundSize == BgSize::Lengths) {
        bool autoW = x.backgroundWidth.IsAuto(), autoH = x.backgroundHeight.IsAuto();
        if (!autoW)
            w = x.backgroundWidth.Resolve(area.w);
        if (!autoH)
            h = x.backgroundHeight.Resolve(area.h);
        // One length alone keeps the picture's proportions.
        if (autoH && !autoW)
            h = int(std::lround(double(w) * picH / picW));
        else if (autoW && !autoH)
            w = int(std::lround(double(h) * picW / picH));
    }
    w = std::max(1, w);
    h = std::max(1, h);
}

void DrawBackgroundImage(HDC dc, const PaintContext& ctx, const ComputedStyle& s, const Rect& area)
{
    const Picture& pic = ctx.images.Get(s.backgroundImage);
    if (!pic.ok || pic.width <= 0 || pic.height <= 0)
        return;
    int tileW = pic.width, tileH = pic.height;
    TileSize(s.Extras(), area, pic.width, pic.height, tileW, tileH);
    int x0 = area.x + s.backgroundX.Resolve(area.w - tileW);
    int y0 = area.y + s.backgroundY.Resolve(area.h - tileH);
    bool rx = s.backgroundRepeat == BgRepeat::Repeat || s.backgroundRepeat == BgRepeat::RepeatX;
    bool ry = s.backgroundRepeat == BgRepeat::Repeat || s.backgroundRepeat == BgRepeat::RepeatY;
    int startX = rx ? x0 - ((x0 - area.x) / tileW + 1) * tileW : x0;
    int startY = ry ? y0 - ((y0 - area.y) / tileH + 1) * tileH : y0;
    int endX = rx ? area.Right() : x0 + 1;
    int endY = ry ? area.Bottom() : y0 + 1;
    // Only the tiles inside the painted clip are drawn.
    RECT clipBox;
    GetClipBox(dc, &clipBox);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, pic.bitmap);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, area.x, area.y, area.Right(), area.Bottom());
    long long tiles = 0;
    bool scaled = tileW != pic.width || tileH != pic.height;
    if (scaled)
        SetStretchBltMode(dc, HALFTONE);
    for (int y = startY; y < endY && tiles < 200000; y += tileH) {
        if (y + tileH < clipBox.top || y > clipBox.bottom)
            continue;
        for (int x = startX; x < endX && tiles < 200000; x += tileW, ++tiles) {
            if (x + tileW < clipBox.left || x > clipBox.right)
                continue;
            if (scaled)
                StretchBlt(dc, x, y, tileW, tileH, mem, 0, 0, pic.width, pic.height, SRCCOPY);
            else
                BitBlt(dc, x, y, pic.width, pic.height, mem, 0, 0, SRCCOPY);
        }
    }
    RestoreDC(dc, saved);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// A box with rounded corners: its background cut to the outline, and a
// border of one solid colour as the ring between the outer and the inner
// outline (other borders are cut to the outline).
void DrawRoundedBox(HDC dc, const PaintContext& ctx, const Rect& r, const ComputedStyle& s, const float rad[4],
                    bool background)
{
    if (background && s.background.Visible())
        FillRounded(dc, r, rad, nullptr, nullptr, s.background);
    std::vector<POINT> pts;
    RoundedOutline(r, rad, pts);
    int saved = SaveDC(dc);
    BeginPath(dc);
    Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    EndPath(dc);
    SelectClipPath(dc, RGN_AND);
    if (background && !s.backgroundImage.empty())
        DrawBackgroundImage(dc, ctx, s, r);
    bool ring = true;
    for (int side = 0; side < 4; ++side)
        ring = ring && s.borderStyle[side] == BorderStyle::Solid && s.Border(side) == s.Border(Top) &&
               s.BorderColor(side) == s.BorderColor(Top);
    if (ring && s.Border(Top) > 0) {
        RestoreDC(dc, saved);
        int b = s.Border(Top);
        Rect inner{r.x + b, r.y + b, r.w - 2 * b, r.h - 2 * b};
        float innerRad[4];
        for (int i = 0; i < 4; ++i)
            innerRad[i] = std::max(0.f, rad[i] - b);
        FillRounded(dc, r, rad, &inner, innerRad, s.BorderColor(Top));
        return;
    }
    for (int side = 0; side < 4; ++side)
        DrawBorderSide(dc, r, s, side);
    RestoreDC(dc, saved);
}

void DrawBox(HDC dc, const PaintContext& ctx, const DisplayItem& item, const Node& e, const ComputedStyle& s,
             const Node* canvasOwner)
{
    const Rect& r = item.r;
    float rad[4];
    if (CornerRadii(s, r, rad)) {
        DrawRoundedBox(dc, ctx, r, s, rad, &e != canvasOwner);
        return;
    }
    if (&e != canvasOwner) {
        if (s.background.Visible())
            Fill(dc, r, s.background);
        if (!s.backgroundImage.empty())
            DrawBackgroundImage(dc, ctx, s, r);
    }
    for (int side = 0; side < 4; ++side)
        DrawBorderSide(dc, r, s, side);
}

void DrawDecorations(HDC dc, const DisplayItem& item, const ComputedStyle& s, const FontMetrics& m)
{
    uint8_t d = s.decorationsInEffect;
    if (!d)
        return;
    int thick = std::max(1, int(s.fontSize / 14));
    int baseline = item.r.y + m.ascent;
    Color c = s.color;
    c.a = 255; // the text's own alpha covers its lines too
    int w = item.r.w + item.trail;
    if (d & ComputedStyle::Underline)
        Fill(dc, Rect{item.r.x, baseline + std::max(1, m.descent / 3), w, thick}, c);
    if (d & ComputedStyle::Overline)
        Fill(dc, Rect{item.r.x, item.r.y, w, thick}, c);
    if (d & ComputedStyle::LineThrough)
        Fill(dc, Rect{item.r.x, baseline - m.xHeight / 2 - thick / 2 - 1, w, thick}, c);
}

void PaintTextItem(HDC dc, const PaintContext& ctx, const DisplayItem& item, const ComputedStyle& s)
{
    const std::wstring& text = ctx.layout.texts[item.text];
    SelectObject(dc, ctx.fonts.Handle(item.font));
    SetTextColor(dc, Ref(s.color));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    // Glyphs go where the layout measured them, so words and spaces line up with the boxes.
    static thread_local std::vector<int> dx;
    ctx.fonts.Advances(item.font, text, dx);
    ExtTextOutW(dc, item.r.x, item.r.y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), dx.data());
    DrawDecorations(dc, item, s, ctx.fonts.Metrics(item.font));
}

void DrawPicture(HDC dc, const PaintContext& ctx, const DisplayItem& item, const Node& e, const ComputedStyle& s)
{
    const Picture& pic = ctx.images.Get(e.AttributeOr(L"src"));
    const Rect& r = item.r;
    if (pic.ok) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, pic.bitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.x, r.y, r.w, r.h, mem, 0, 0, pic.width, pic.height, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        return;
    }
    // A picture that cannot be shown: a small sunken square, and the alternative text beside it
    // (or, with no text, the square framing the space the picture takes).
    std::wstring alt = e.AttributeOr(L"alt");
    RECT icon{r.x, r.y, r.x + std::min(r.w, 16), r.y + std::min(r.h, 16)};
    if (alt.empty())
        icon = RECT{r.x, r.y, r.Right(), r.Bottom()};
    DrawEdge(dc, &icon, BDR_SUNKENOUTER, BF_RECT);
    if (!alt.empty()) {
        SelectObject(dc, ctx.fonts.Handle(ctx.fonts.FontFor(s)));
        SetTextColor(dc, Ref(s.color));
        SetBkMode(dc, TRANSPARENT);
        RECT inner{r.x + 18, r.y, r.Right(), r.Bottom()};
        DrawTextW(dc, alt.c_str(), static_cast<int>(alt.size()), &inner, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

std::wstring Lower(std::wstring t)
{
    for (wchar_t& c : t)
        c = static_cast<wchar_t>(std::towlower(c));
    return t;
}

std::wstring FirstOptionText(const Node& select)
{
    std::vector<const Node*> work{&select};
    std::wstring first;
    bool haveFirst = false;
    while (!work.empty()) {
        const Node* n = work.back();
        work.pop_back();
        if (n->Is(L"option")) {
            std::wstring t;
            for (const auto& c : n->children)
                if (c->kind == NodeKind::Text)
                    t += c->text;
            if (n->Attribute(L"selected"))
                return t;
            if (!haveFirst) {
                first = t;
                haveFirst = true;
            }
            continue;
        }
        for (size_t i = n->children.size(); i-- > 0;)
            work.push_back(n->children[i].get());
    }
    return first;
}

void DrawControl(HDC dc, const PaintContext& ctx, const DisplayItem& item, const Node& e, const ComputedStyle& s)
{
    RECT rc{item.r.x, item.r.y, item.r.Right(), item.r.Bottom()};
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    std::wstring type = e.tag == L"input" ? Lower(e.AttributeOr(L"type", L"text")) : e.tag;
    SelectObject(dc, ctx.fonts.Handle(item.font >= 0 ? item.font : ctx.fonts.FontFor(s)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (type == L"checkbox" || type == L"radio") {
        UINT state = (type == L"checkbox" ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | (e.Attribute(L"checked") ? DFCS_CHECKED : 0);
        DrawFrameControl(dc, &rc, DFC_BUTTON, state);
        return;
    }
    if (type == L"submit" || type == L"reset" || type == L"button" || type == L"file") {
        RECT face = rc;
        if (type == L"file") {
            RECT field{rc.left, rc.top, rc.right - 80, rc.bottom};
            FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
            DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
            face.left = field.right + 2;
        }
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
        std::wstring caption = ButtonCaption(e);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    if (e.tag == L"iframe" || e.tag == L"object" || e.tag == L"embed" || e.tag == L"applet")
        return; // their frame is the border the style gives
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    RECT inner{rc.left + 3, rc.top + 2, rc.right - 3, rc.bottom - 2};
    std::wstring text;
    if (e.tag == L"select") {
        bool list = _wtoi(e.AttributeOr(L"size", L"0").c_str()) > 1 || e.Attribute(L"multiple");
        if (!list) {
            RECT button{rc.right - 18, rc.top + 2, rc.right - 2, rc.bottom - 2};
            DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN);
            inner.right = button.left - 1;
        }
        text = FirstOptionText(e);
    } else if (e.tag == L"textarea") {
        for (const auto& c : e.children)
            if (c->kind == NodeKind::Text)
                text += c->text;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
        return;
    } else if (type == L"password") {
        text.assign(e.AttributeOr(L"value").size(), L'*');
    } else {
        text = e.AttributeOr(L"value");
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A list-style-image in place of the marker's shape: its bottom on the first
// line's baseline, ending where browsers end it, about 0.44 em before the
// content.
bool DrawMarkerPicture(HDC dc, const PaintContext& ctx, const DisplayItem& item, const ComputedStyle& s)
{
    if (!s.inheritedExtras || s.inheritedExtras->listStyleImage.empty() || s.listInside)
        return false;
    const Picture& pic = ctx.images.Get(s.inheritedExtras->listStyleImage);
    if (!pic.ok || pic.width <= 0 || pic.height <= 0)
        return false;
    if (item.font < 0 || !ctx.layout.texts[item.text].empty())
        return false;
    // The shape's box stands half an x-height above the baseline, half an em before the content.
    int contentX = item.r.Right() + int(s.fontSize * 0.5f);
    int baseline = item.r.y + item.r.h / 2 + 1 + ctx.fonts.Metrics(item.font).xHeight / 2;
    int right = contentX - int(s.fontSize * 0.44f + 0.5f);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, pic.bitmap);
    BitBlt(dc, right - pic.width, baseline - pic.height, pic.width, pic.height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return true;
}

void DrawMarker(HDC dc, const PaintContext& ctx, const DisplayItem& item, const ComputedStyle& s)
{
    if (DrawMarkerPicture(dc, ctx, item, s))
        return;
    const std::wstring& text = ctx.layout.texts[item.text];
    COLORREF c = Ref(s.color);
    if (!text.empty()) {
        SelectObject(dc, ctx.fonts.Handle(item.font));
        SetTextColor(dc, c);
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutW(dc, item.r.x, item.r.y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
        return;
    }
    const Rect& r = item.r;
    if (s.listStyle == ListStyle::Square) {
        Fill(dc, r, Color::Rgb(s.color.r, s.color.g, s.color.b));
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SetDCBrushColor(dc, c);
    HGDIOBJ oldBrush = SelectObject(dc, s.listStyle == ListStyle::Circle ? GetStockObject(NULL_BRUSH) : GetStockObject(DC_BRUSH));
    Ellipse(dc, r.x, r.y, r.Right(), r.Bottom());
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

bool ClipFor(const PageLayout& layout, int clip, Rect& r)
{
    bool any = false;
    for (int c = clip, guard = 0; c >= 0 && guard < 1000; c = layout.clips[c].parent, ++guard) {
        const Rect& k = layout.clips[c].r;
        if (!any) {
            r = k;
            any = true;
            continue;
        }
        int x2 = std::min(r.Right(), k.Right()), y2 = std::min(r.Bottom(), k.Bottom());
        r.x = std::max(r.x, k.x);
        r.y = std::max(r.y, k.y);
        r.w = std::max(0, x2 - r.x);
        r.h = std::max(0, y2 - r.y);
    }
    return any;
}

} // namespace

Color CanvasColor(const PaintContext& ctx)
{
    const Node* owner = CanvasOwner(ctx);
    const ComputedStyle* s = owner ? ctx.styles.StyleOf(*owner) : nullptr;
    if (!s || !s->background.Visible())
        return Color::Rgb(255, 255, 255);
    // A translucent canvas shows over white.
    const Color& b = s->background;
    auto over = [&](int v) { return (v * b.a + 255 * (255 - b.a) + 127) / 255; };
    return Color::Rgb(over(b.r), over(b.g), over(b.b));
}

void PaintPage(HDC dc, const PaintContext& ctx, const Rect& area)
{
    int saved = SaveDC(dc);
    SetViewportOrgEx(dc, -area.x, -area.y, nullptr);
    IntersectClipRect(dc, area.x, area.y, area.Right(), area.Bottom());
    const Node* owner = CanvasOwner(ctx);
    Fill(dc, area, CanvasColor(ctx));
    if (owner) {
        const ComputedStyle& os = *ctx.styles.StyleOf(*owner);
        if (!os.backgroundImage.empty()) {
            Rect canvas{0, 0, std::max(ctx.layout.width, area.Right()), std::max(ctx.layout.height, area.Bottom())};
            DrawBackgroundImage(dc, ctx, os, canvas);
        }
    }
    for (const DisplayItem& item : ctx.layout.items) {
        if (!item.r.Intersects(area) && item.kind != DisplayItem::Box)
            continue;
        if (item.kind == DisplayItem::Box && !item.r.Intersects(area))
            continue;
        const Node& e = *ctx.page.nodes[item.node];
        const ComputedStyle* s = ctx.styles.StyleOf(e);
        if (!s || !s->visible)
            continue;
        int clipSave = 0;
        Rect clip;
        if (item.clip >= 0 && ClipFor(ctx.layout, item.clip, clip)) {
            if (!clip.Intersects(area) || !clip.Intersects(item.r))
                continue;
            clipSave = SaveDC(dc);
            IntersectClipRect(dc, clip.x, clip.y, clip.Right(), clip.Bottom());
        }
        // Opacity, and the alpha of a text's colour, blend the whole item.
        int alpha = s->opacity;
        if (item.kind == DisplayItem::Text || item.kind == DisplayItem::Marker)
            alpha = alpha * s->color.a / 255;
        Rect bounds = item.r;
        if (item.kind == DisplayItem::Text)
            bounds.w += item.trail + 1;
        Translucent(dc, bounds, alpha, [&](HDC d) {
            switch (item.kind) {
            case DisplayItem::Box: DrawBox(d, ctx, item, e, *s, owner); break;
            case DisplayItem::Text: PaintTextItem(d, ctx, item, *s); break;
            case DisplayItem::Image: DrawPicture(d, ctx, item, e, *s); break;
            case DisplayItem::Control: DrawControl(d, ctx, item, e, *s); break;
            case DisplayItem::Marker: DrawMarker(d, ctx, item, *s); break;
            }
        });
        if (clipSave)
            RestoreDC(dc, clipSave);
    }
    RestoreDC(dc, saved);
}

} // namespace html
