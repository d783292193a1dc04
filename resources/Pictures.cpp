#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

#include "pictures/PictureIds.h"

namespace Pictures {

namespace {

const Entry kTable[] = {
    {L"ButB", 0, IDB_ButB_0},     {L"ButB", 1, IDB_ButB_1},     {L"ButB", 2, IDB_ButB_2},
    {L"ButB", 3, IDB_ButB_3},     {L"ButB", 4, IDB_ButB_4},     {L"ButB", 5, IDB_ButB_5},
    {L"ButB", 6, IDB_ButB_6},     {L"ButB", 7, IDB_ButB_7},     {L"ButB", 9, IDB_ButB_9},
    {L"ButB", 10, IDB_ButB_10},   {L"ButB", 11, IDB_ButB_11},   {L"ButB", 12, IDB_ButB_12},
    {L"ButB", 13, IDB_ButB_13},   {L"ButB", 14, IDB_ButB_14},   {L"ButB", 15, IDB_ButB_15},
    {L"ButB", 16, IDB_ButB_16},   {L"ButB", 17, IDB_ButB_17},   {L"ButB", 18, IDB_ButB_18},
    {L"ButB", 19, IDB_ButB_19},   {L"ButB", 22, IDB_ButB_22},   {L"ButB", 23, IDB_ButB_23},
    {L"ButB", 24, IDB_ButB_24},   {L"ButB", 25, IDB_ButB_25},   {L"ButB", 26, IDB_ButB_26},
    {L"ButB", 27, IDB_ButB_27},   {L"ButB", 28, IDB_ButB_28},
    {L"bsw", AnyIndex, IDB_bsw},  {L"bview2", AnyIndex, IDB_bview2},
    {L"bStatScroll", 0, IDB_bStatScroll_0}, {L"bStatScroll", 1, IDB_bStatScroll_1},
    {L"bPropCSS", 0, IDB_bPropCSS_0},       {L"bPropCSS", 1, IDB_bPropCSS_1},
    // The menu pictures; menuIm(5) is not used.
    {L"menuIm", 0, IDB_menuIm_0}, {L"menuIm", 1, IDB_menuIm_1}, {L"menuIm", 2, IDB_menuIm_2},
    {L"menuIm", 3, IDB_menuIm_3}, {L"menuIm", 4, IDB_menuIm_4}, {L"menuIm", 6, IDB_menuIm_6},
    {L"menuIm", 7, IDB_menuIm_7}, {L"menuIm", 8, IDB_menuIm_8}, {L"menuIm", 9, IDB_menuIm_9},
};

} // namespace

const Entry* Table(std::size_t& count)
{
    count = sizeof(kTable) / sizeof(kTable[0]);
    return kTable;
}

int PictureId(const wchar_t* control, int index)
{
    if (!control)
        return 0;
    for (const Entry& e : kTable) {
        if (std::wcscmp(e.control, control) == 0 && (e.index == AnyIndex || e.index == index))
            return e.id;
    }
    return 0;
}

namespace {

// The source cells [0, from) that destination cell d of `to` covers, each
// with the share of d it makes up.
std::vector<std::vector<std::pair<int, double>>> Spans(int from, int to)
{
    std::vector<std::vector<std::pair<int, double>>> spans(static_cast<size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int d = 0; d < to; ++d) {
        const double a = d * scale, b = (d + 1) * scale;
        for (int s = static_cast<int>(a); s < from && s < b; ++s) {
            const double part = std::min<double>(s + 1, b) - std::max<double>(s, a);
            if (part > 1e-9)
                spans[static_cast<size_t>(d)].push_back({s, part / scale});
        }
    }
    return spans;
}

} // namespace

std::vector<uint32_t> Shrink(const std::vector<uint32_t>& pixels, int width, int height, int cx, int cy)
{
    if (width <= 0 || height <= 0 || cx <= 0 || cy <= 0 || cx > width || cy > height ||
        pixels.size() < static_cast<size_t>(width) * height)
        return {};
    const auto xs = Spans(width, cx), ys = Spans(height, cy);
    std::vector<uint32_t> out(static_cast<size_t>(cx) * cy);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            double sum[3] = {0, 0, 0};
            for (const auto& [sy, wy] : ys[static_cast<size_t>(y)]) {
                for (const auto& [sx, wx] : xs[static_cast<size_t>(x)]) {
                    const uint32_t p = pixels[static_cast<size_t>(sy) * width + sx];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += wx * wy * ((p >> (16 - 8 * c)) & 0xFF);
                }
            }
            uint32_t v = 0;
            for (int c = 0; c < 3; ++c)
                v |= static_cast<uint32_t>(std::min(255L, std::lround(sum[c] + 1e-6))) << (16 - 8 * c);
            out[static_cast<size_t>(y) * cx + x] = v;
        }
    }
    return out;
}

HBITMAP LoadPicture(HINSTANCE module, int id, COLORREF background, SIZE fit)
{
    // Read the resource's own bits rather than through LoadImage, so the key
    // colour is replaced exactly, whatever the display's colour depth.
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!res)
        return nullptr;
    HGLOBAL mem = LoadResource(module, res);
    const auto* data = static_cast<const uint8_t*>(mem ? LockResource(mem) : nullptr);
    const DWORD size = SizeofResource(module, res);
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER in;
    std::memcpy(&in, data, sizeof(in));
    const int width = in.biWidth;
    const int height = in.biHeight < 0 ? -in.biHeight : in.biHeight;
    if (in.biBitCount != 24 || in.biCompression != BI_RGB || width <= 0 || width > 256 || height <= 0 ||
        height > 256)
        return nullptr;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const uint8_t* bits = data + in.biSize;
    if (in.biSize < sizeof(BITMAPINFOHEADER) || size < in.biSize + stride * height)
        return nullptr;

    std::vector<uint32_t> px(static_cast<size_t>(width) * height);
    const uint32_t back = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    for (int y = 0; y < height; ++y) {
        const int srcRow = in.biHeight < 0 ? y : height - 1 - y;
        const uint8_t* s = bits + stride * srcRow;
        for (int x = 0; x < width; ++x, s += 3) {
            const uint32_t rgb = (uint32_t{s[2]} << 16) | (uint32_t{s[1]} << 8) | s[0];
            px[static_cast<size_t>(y) * width + x] = rgb == 0xFF00FFu ? back : rgb;
        }
    }
    int cx = width, cy = height;
    if (fit.cx > 0 && fit.cy > 0 && (width > fit.cx || height > fit.cy)) {
        // Shrunk here, from the pixels: a stretch through device contexts
        // costs several times as much.
        cx = std::min<int>(width, fit.cx);
        cy = std::min<int>(height, fit.cy);
        px = Shrink(px, width, height, cx, cy);
    }

    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = cx;
    out.bmiHeader.biHeight = -cy; // top-down
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 32;
    out.bmiHeader.biCompression = BI_RGB;
    void* outBits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &outBits, nullptr, 0);
    if (!bmp || !outBits) {
        if (bmp)
            DeleteObject(bmp);
        return nullptr;
    }
    std::memcpy(outBits, px.data(), px.size() * sizeof(uint32_t));
    GdiFlush();
    return bmp;
}

} // namespace Pictures
