// Painting, checked by the colours at known points of the rendered page.
#include <gtest/gtest.h>

#include <windows.h>

#include "PageFixture.h"
#include "PngWriter.h"
#include "html/paint/PagePainter.h"

using namespace html;

namespace {

struct Rendered {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    // 0xRRGGBB at a document point.
    uint32_t At(int x, int y) const { return pixels[size_t(y) * w + x] & 0xFFFFFF; }
};

Rendered Render(pagetest::Page& p, int w, int h)
{
    Rendered out;
    void* bits = nullptr;
    HBITMAP surface = CreateSurface(w, h, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface);
    PaintContext ctx{p.doc.Page(), p.doc.Styles(), p.doc.Boxes(), p.doc.Fonts(), p.doc.Images()};
    PaintPage(dc, ctx, Rect{0, 0, w, h});
    GdiFlush();
    const uint32_t* px = static_cast<const uint32_t*>(bits);
    out.pixels.assign(px, px + size_t(w) * h);
    out.w = w;
    out.h = h;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(surface);
    return out;
}

std::string Bmp24(int w, int h, uint32_t rgb)
{
    int stride = (w * 3 + 3) & ~3;
    std::string f(54 + size_t(stride) * h, '\0');
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&f[at], &v, 4); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t at = 54 + size_t(y) * stride + x * 3;
            f[at] = char(rgb & 255);
            f[at + 1] = char((rgb >> 8) & 255);
            f[at + 2] = char((rgb >> 16) & 255);
        }
    return f;
}

} // namespace

TEST(HtmlPaint, ColoursAtKnownPoints)
{
    pngtest::Image img;
    img.width = 20;
    img.height = 10;
    img.colorType = 2;
    img.samples.assign(20 * 10 * 3, 0);
    for (size_t i = 0; i < img.samples.size(); i += 3)
        img.samples[i + 1] = 200; // green
    std::vector<uint8_t> png = pngtest::WritePNG(img);
    pagetest::WriteFile(L"green.png", std::string(png.begin(), png.end()));
    pagetest::WriteFile(L"blue.bmp", Bmp24(8, 8, 0x0000FF));
    pagetest::WriteFile(L"broken.png", "\x89PNG\r\n\x1a\nbroken");
    pagetest::Page p(L"<!DOCTYPE html><body bgcolor=#ffff00 style='margin:0'>"
                     L"<div style='position:absolute;left:10px;top:10px;width:50px;height:50px;background:#ff0000;"
                     L"border:5px solid #0000ff'></div>"
                     L"<div style='position:absolute;left:100px;top:0;width:40px;height:20px;border:4px inset #808080'></div>"
                     L"<img src=green.png style='position:absolute;left:0;top:100px'>"
                     L"<img src=blue.bmp style='position:absolute;left:40px;top:100px'>"
                     L"<img src=broken.png width=30 height=30 style='position:absolute;left:80px;top:100px'>"
                     L"<div style='position:absolute;left:0;top:150px;width:30px;height:30px;overflow:hidden'>"
                     L"<div style='width:100px;height:100px;background:#00ffff'></div></div>"
                     L"<div style='position:absolute;left:200px;top:0;font-size:40px;color:#ff00ff'>W</div>",
                     300, 200);
    Rendered r = Render(p, 300, 200);
    struct Point {
        int x, y;
        uint32_t rgb;
    } points[] = {
        {5, 5, 0xFFFF00},     // the body's colour fills the canvas
        {12, 12, 0x0000FF},   // border
        {35, 35, 0xFF0000},   // background
        {101, 5, 0x2C2C2C},   // inset: top and left darker
        {146, 5, 0xD4D4D4},   // bottom and right lighter
        {5, 105, 0x00C800},   // PNG through the program's decoder
        {44, 104, 0x0000FF},  // BMP through the platform
        {20, 160, 0x00FFFF},  // inside the clip
        {40, 160, 0xFFFF00},  // clipped away
    };
    for (const Point& pt : points)
        EXPECT_EQ(r.At(pt.x, pt.y), pt.rgb) << pt.x << "," << pt.y;
    int magenta = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 200; x < 260; ++x)
            magenta += r.At(x, y) == 0xFF00FF;
    EXPECT_GT(magenta, 20); // the letter is drawn in its colour
}

TEST(HtmlPaint, BackgroundsLayersAndDecorations)
{
    pagetest::WriteFile(L"dot.bmp", Bmp24(4, 4, 0xFF0000));
    pagetest::Page p(L"<!DOCTYPE html><body style='margin:0;background:#ffffff'>"
                     L"<div style='position:absolute;left:0;top:0;width:40px;height:20px;background:#00ff00 url(dot.bmp) repeat-x'></div>"
                     L"<div style='position:absolute;left:50px;top:0;width:40px;height:20px;background:url(dot.bmp) no-repeat 10px 8px'></div>"
                     L"<div style='position:absolute;left:100px;top:0;width:30px;height:30px;background:#0000ff;z-index:2'></div>"
                     L"<div style='position:absolute;left:110px;top:10px;width:30px;height:30px;background:#ff00ff;z-index:1'></div>"
                     L"<div style='position:absolute;left:150px;top:0;width:20px;height:20px;background:#ff0000;visibility:hidden'></div>"
                     L"<div style='position:absolute;left:0;top:50px;font:20px Arial;text-decoration:underline;color:#000080'>xx</div>"
                     L"<div style='position:absolute;left:200px;top:0;width:20px;height:20px;border:2px dashed #000000'></div>",
                     300, 100);
    Rendered r = Render(p, 300, 100);
    struct Point {
        int x, y;
        uint32_t rgb;
    } points[] = {
        {30, 2, 0xFF0000},    // repeated along the top
        {30, 10, 0x00FF00},   // not below it
        {61, 9, 0xFF0000},    // one tile at its position
        {55, 2, 0xFFFFFF},    // and nowhere else
        {115, 15, 0x0000FF},  // the higher z-index on top
        {135, 35, 0xFF00FF},
        {155, 5, 0xFFFFFF},   // hidden boxes are not painted
        {200, 0, 0x000000},   // a dash
    };
    for (const Point& pt : points)
        EXPECT_EQ(r.At(pt.x, pt.y), pt.rgb) << pt.x << "," << pt.y;
    int underline = 0;
    for (int y = 50; y < 80; ++y)
        underline = std::max(underline, r.At(10, y) == 0x000080 ? y : 0);
    EXPECT_GT(underline, 60); // the underline runs below the text's middle
}

TEST(HtmlPaint, AlphaOpacityCornersAndPictureSizes)
{
    pagetest::WriteFile(L"red4.bmp", Bmp24(4, 4, 0xFF0000));
    pagetest::Page p(L"<!DOCTYPE html><body style='margin:0;background:#ffffff'>"
                     L"<div style='position:absolute;left:0;top:0;width:20px;height:20px;background:rgba(0,0,255,.5)'></div>"
                     L"<div style='position:absolute;left:30px;top:0;width:20px;height:20px;background:#000;opacity:.25'></div>"
                     L"<div style='position:absolute;left:60px;top:0;width:40px;height:40px;background:#00ff00;border-radius:20px'></div>"
                     L"<div style='position:absolute;left:110px;top:0;width:40px;height:40px;border:4px solid #ff0000;"
                     L"border-radius:10px'></div>"
                     L"<div style='position:absolute;left:160px;top:0;width:40px;height:20px;background:url(red4.bmp) no-repeat;"
                     L"background-size:contain'></div>"
                     L"<div style='position:absolute;left:0;top:50px;width:20px;height:20px;background:#00f8'></div>"
                     L"<ul style='position:absolute;left:200px;top:50px;margin:0;padding-left:40px;"
                     L"list-style-image:url(red4.bmp);font:16px Times New Roman'><li>x</ul>",
                     300, 100);
    Rendered r = Render(p, 300, 100);
    struct Point {
        int x, y;
        uint32_t rgb;
    } points[] = {
        {10, 10, 0x7F7FFF},   // half blue over white (browsers give 127 or 128)
        {40, 10, 0xBFBFBF},   // a quarter of black
        {80, 20, 0x00FF00},   // the middle of the round box
        {61, 1, 0xFFFFFF},    // its corner is cut away
        {130, 1, 0xFF0000},   // the straight part of the border
        {111, 1, 0xFFFFFF},   // the rounded corner of it
        {130, 20, 0xFFFFFF},  // the inside of the ring
        {175, 15, 0xFF0000},  // the picture scaled to the height
        {185, 15, 0xFFFFFF},  // and no wider than its proportions
        {10, 60, 0x7777FF},   // #00f8: blue at 136
        {230, 61, 0xFF0000},  // the list's picture for a marker, where browsers put it
        {227, 61, 0xFFFFFF},
    };
    for (const Point& pt : points) {
        uint32_t got = r.At(pt.x, pt.y);
        auto similar = [](uint32_t a, uint32_t b) {
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 1)
                    return false;
            return true;
        };
        EXPECT_TRUE(similar(got, pt.rgb)) << pt.x << "," << pt.y << ": " << std::hex << got;
    }
}
