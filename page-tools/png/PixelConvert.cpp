#include "PixelConvert.h"

#include <algorithm>
#include <cstring>

namespace png {

uint32_t DibStride(uint32_t width, int bits)
{
    return static_cast<uint32_t>((uint64_t(bits) * width + 31) / 32 * 4);
}

void Reduce16To8(std::vector<uint8_t>& data)
{
    const size_t n = data.size() / 2;
    for (size_t i = 0; i < n; ++i)
        data[i] = data[2 * i];
    data.resize(n);
}

std::vector<uint8_t> Expand2To8(const std::vector<uint8_t>& packed, uint32_t width, uint32_t height)
{
    const size_t rowBytes = (size_t(width) * 2 + 7) / 8;
    const size_t stride = DibStride(width, 8);
    std::vector<uint8_t> out(stride * height, 0);
    for (uint32_t y = 0; y < height && (y + 1) * rowBytes <= packed.size(); ++y) {
        const uint8_t* src = packed.data() + y * rowBytes;
        uint8_t* dst = out.data() + y * stride;
        for (uint32_t x = 0; x < width; ++x)
            dst[x] = (src[x / 4] >> (6 - 2 * (x % 4))) & 3;
    }
    return out;
}

void SwapRedBlue24(std::vector<uint8_t>& data)
{
    for (size_t i = 0; i + 2 < data.size(); i += 3)
        std::swap(data[i], data[i + 2]);
}

void SwapRedBlue32(std::vector<uint8_t>& data)
{
    for (size_t i = 0; i + 3 < data.size(); i += 4)
        std::swap(data[i], data[i + 2]);
}

std::vector<uint8_t> GreyAlphaTo32(const std::vector<uint8_t>& data)
{
    const size_t n = data.size() / 2;
    std::vector<uint8_t> out(n * 4);
    for (size_t i = 0; i < n; ++i) {
        uint8_t g = data[2 * i];
        out[4 * i] = g;
        out[4 * i + 1] = g;
        out[4 * i + 2] = g;
        out[4 * i + 3] = data[2 * i + 1];
    }
    return out;
}

std::vector<uint8_t> PadRows(std::vector<uint8_t>&& data, uint32_t width, uint32_t height, int bits)
{
    const size_t rowBytes = (size_t(width) * bits + 7) / 8;
    const size_t stride = DibStride(width, bits);
    if (rowBytes == stride && data.size() == stride * height)
        return std::move(data);
    std::vector<uint8_t> out(stride * height, 0);
    for (uint32_t y = 0; y < height && (y + 1) * rowBytes <= data.size(); ++y)
        std::memcpy(out.data() + y * stride, data.data() + y * rowBytes, rowBytes);
    return out;
}

std::vector<uint8_t> MakeGreyRamp(int depth)
{
    const unsigned n = depth >= 8 ? 256 : 1u << depth;
    const unsigned step = (255 + (n - 1) / 2) / (n - 1);
    std::vector<uint8_t> ramp(3 * n);
    for (unsigned i = 0; i < n; ++i) {
        uint8_t level = static_cast<uint8_t>(std::min(255u, i * step));
        ramp[3 * i] = ramp[3 * i + 1] = ramp[3 * i + 2] = level;
    }
    return ramp;
}

std::vector<uint8_t> KeyAlpha16(const std::vector<uint8_t>& samples, size_t pixels, int channels, const uint16_t* key)
{
    std::vector<uint8_t> alpha(pixels, 255);
    const size_t step = size_t(channels) * 2;
    for (size_t i = 0; i < pixels && (i + 1) * step <= samples.size(); ++i) {
        const uint8_t* s = samples.data() + i * step;
        bool match = true;
        for (int c = 0; c < channels && match; ++c)
            match = ((s[2 * c] << 8) | s[2 * c + 1]) == key[c];
        if (match)
            alpha[i] = 0;
    }
    return alpha;
}

namespace {

inline unsigned IndexAt(const uint8_t* row, uint32_t x, int bits)
{
    switch (bits) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 2:
        return (row[x / 4] >> (6 - 2 * (x % 4))) & 3;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    default:
        return row[x];
    }
}

} // namespace

std::vector<uint8_t> PaletteAlphaTo32(const std::vector<uint8_t>& rows, uint32_t width, uint32_t height, int bits,
                                      const uint8_t* paletteRGB, const uint8_t* alphaByIndex,
                                      const std::vector<uint8_t>* keyAlpha)
{
    const size_t stride = DibStride(width, bits);
    std::vector<uint8_t> out(size_t(width) * height * 4);
    for (uint32_t y = 0; y < height && (y + 1) * stride <= rows.size(); ++y) {
        const uint8_t* row = rows.data() + y * stride;
        uint8_t* dst = out.data() + size_t(y) * width * 4;
        for (uint32_t x = 0; x < width; ++x, dst += 4) {
            unsigned idx = IndexAt(row, x, bits);
            const uint8_t* rgb = paletteRGB + 3 * idx;
            dst[0] = rgb[2];
            dst[1] = rgb[1];
            dst[2] = rgb[0];
            dst[3] = keyAlpha ? (*keyAlpha)[size_t(y) * width + x] : alphaByIndex[idx];
        }
    }
    return out;
}

std::vector<uint8_t> ColourKeyTo32(const std::vector<uint8_t>& rows, uint32_t width, uint32_t height,
                                   const uint8_t keyRGB[3], const std::vector<uint8_t>* keyAlpha)
{
    const size_t stride = DibStride(width, 24);
    std::vector<uint8_t> out(size_t(width) * height * 4);
    for (uint32_t y = 0; y < height && (y + 1) * stride <= rows.size(); ++y) {
        const uint8_t* src = rows.data() + y * stride;
        uint8_t* dst = out.data() + size_t(y) * width * 4;
        for (uint32_t x = 0; x < width; ++x, src += 3, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (keyAlpha)
                dst[3] = (*keyAlpha)[size_t(y) * width + x];
            else
                dst[3] = src[2] == keyRGB[0] && src[1] == keyRGB[1] && src[0] == keyRGB[2] ? 0 : 255;
        }
    }
    return out;
}

std::vector<uint8_t> BlendAlphaTo24(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                                    uint32_t backColour)
{
    const size_t stride = DibStride(width, 24);
    const unsigned back[3] = {(backColour >> 16) & 255, (backColour >> 8) & 255, backColour & 255}; // blue, green, red
    std::vector<uint8_t> out(stride * height, 0);
    for (uint32_t y = 0; y < height && size_t(y + 1) * width * 4 <= pixels.size(); ++y) {
        const uint8_t* src = pixels.data() + size_t(y) * width * 4;
        uint8_t* dst = out.data() + y * stride;
        for (uint32_t x = 0; x < width; ++x, src += 4, dst += 3) {
            const unsigned a = src[3];
            if (a == 255) {
                dst[0] = src[0];
                dst[1] = src[1];
                dst[2] = src[2];
            } else if (a == 0) {
                dst[0] = static_cast<uint8_t>(back[0]);
                dst[1] = static_cast<uint8_t>(back[1]);
                dst[2] = static_cast<uint8_t>(back[2]);
            } else {
                for (int c = 0; c < 3; ++c)
                    dst[c] = static_cast<uint8_t>((src[c] * a + back[c] * (255 - a) + 255) >> 8);
            }
        }
    }
    return out;
}

bool IndexesFit(const uint8_t* rows, uint32_t width, uint32_t height, int bits, size_t stride, size_t entries)
{
    if (entries >= (size_t(1) << std::min(bits, 16)))
        return true;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = rows + y * stride;
        for (uint32_t x = 0; x < width; ++x)
            if (IndexAt(row, x, bits) >= entries)
                return false;
    }
    return true;
}

uint32_t ParseButtonFace(const std::wstring& text)
{
    const uint32_t fallback = 0xDDDDDD;
    if (text.empty())
        return fallback;
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t sp = text.find(L' ', start);
        parts.push_back(text.substr(start, sp == std::wstring::npos ? std::wstring::npos : sp - start));
        if (sp == std::wstring::npos)
            break;
        start = sp + 1;
    }
    if (parts.size() != 3)
        return fallback;
    uint32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        const std::wstring& p = parts[i];
        if (p.empty() || p.size() > 9 || p.find_first_not_of(L"0123456789") != std::wstring::npos)
            return 0;
        // A value past 255 would spill into the next channel.
        uint32_t v = std::min<uint32_t>(255, static_cast<uint32_t>(std::stoul(p)));
        colour |= v << (8 * i);
    }
    return colour;
}

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

std::vector<uint8_t> BitmapFileHeader(size_t pixelBytes, int32_t width, int32_t height, int depth,
                                      int orientation, uint32_t colorUsed, const uint8_t* table, size_t tableBytes)
{
    const size_t offset = 54 + tableBytes;
    std::vector<uint8_t> h(offset, 0);
    h[0] = 'B';
    h[1] = 'M';
    Put32(h, 2, static_cast<uint32_t>(pixelBytes + offset));
    Put32(h, 10, static_cast<uint32_t>(offset));
    Put32(h, 14, 40);
    Put32(h, 18, static_cast<uint32_t>(width));
    Put32(h, 22, static_cast<uint32_t>(orientation ? -height : height));
    Put16(h, 26, 1);
    Put16(h, 28, static_cast<uint32_t>(depth));
    Put32(h, 46, colorUsed);
    if (tableBytes)
        std::memcpy(h.data() + 54, table, tableBytes);
    return h;
}

} // namespace png
