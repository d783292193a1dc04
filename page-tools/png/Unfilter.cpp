#include "Unfilter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace png {
namespace {

// Each Adam7 pass as the columns and rows it covers within every block of 8
// by 8 pixels (0-based).
struct Pass {
    int columns[8];
    int columnCount;
    int rows[4];
    int rowCount;
};
const Pass Passes[7] = {
    {{0}, 1, {0}, 1},
    {{4}, 1, {0}, 1},
    {{0, 4}, 2, {4}, 1},
    {{2, 6}, 2, {0, 4}, 2},
    {{0, 2, 4, 6}, 4, {2, 6}, 2},
    {{1, 3, 5, 7}, 4, {0, 2, 4, 6}, 4},
    {{0, 1, 2, 3, 4, 5, 6, 7}, 8, {1, 3, 5, 7}, 4},
};

// How many of the offsets (sorted) fall below rem, for the partial block.
uint32_t CountBelow(const int* offsets, int n, uint32_t rem)
{
    uint32_t k = 0;
    for (int i = 0; i < n; ++i)
        if (static_cast<uint32_t>(offsets[i]) < rem)
            ++k;
    return k;
}

} // namespace

int BitsPerPixel(int colorType, int bitDepth)
{
    switch (colorType) {
    case 0:
    case 3:
        return bitDepth;
    case 2:
        return 3 * bitDepth;
    case 4:
        return 2 * bitDepth;
    case 6:
        return 4 * bitDepth;
    default:
        return 0;
    }
}

int BytesPerPixel(int bitsPerPixel)
{
    return std::max(1, bitsPerPixel / 8);
}

uint64_t RowBytes(uint32_t width, int bitsPerPixel)
{
    return (uint64_t(width) * bitsPerPixel + 7) / 8 + 1;
}

uint32_t PassPixels(int pass, uint32_t width)
{
    const Pass& p = Passes[pass - 1];
    return (width / 8) * p.columnCount + CountBelow(p.columns, p.columnCount, width % 8);
}

uint32_t PassRows(int pass, uint32_t height)
{
    const Pass& p = Passes[pass - 1];
    return (height / 8) * p.rowCount + CountBelow(p.rows, p.rowCount, height % 8);
}

uint64_t PassRowBytes(uint32_t width, int bitsPerPixel, int pass)
{
    return (uint64_t(PassPixels(pass, width)) * bitsPerPixel + 7) / 8;
}

uint64_t InterlacedDataSize(uint32_t width, uint32_t height, int bitsPerPixel)
{
    uint64_t total = 0;
    for (int pass = 1; pass <= 7; ++pass) {
        uint64_t n = PassRowBytes(width, bitsPerPixel, pass);
        if (n)
            total += uint64_t(PassRows(pass, height)) * (n + 1);
    }
    return total;
}

uint64_t DataSize(uint32_t width, uint32_t height, int bitsPerPixel, bool interlaced)
{
    return interlaced ? InterlacedDataSize(width, height, bitsPerPixel) : RowBytes(width, bitsPerPixel) * height;
}

uint8_t PaethPredictor(int a, int b, int c)
{
    int p = a + b - c;
    int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<uint8_t>(a);
    if (pb <= pc)
        return static_cast<uint8_t>(b);
    return static_cast<uint8_t>(c);
}

void UnfilterRow(int filterType, uint8_t* row, const uint8_t* prev, size_t n, int bpp)
{
    const size_t lead = std::min<size_t>(bpp, n);
    switch (filterType) {
    case 1:
        for (size_t i = lead; i < n; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < n; ++i)
            row[i] = static_cast<uint8_t>(row[i] + prev[i]);
        break;
    case 3:
        for (size_t i = 0; i < lead; ++i)
            row[i] = static_cast<uint8_t>(row[i] + (prev[i] >> 1));
        for (size_t i = lead; i < n; ++i)
            row[i] = static_cast<uint8_t>(row[i] + ((row[i - bpp] + prev[i]) >> 1));
        break;
    case 4:
        for (size_t i = 0; i < lead; ++i)
            row[i] = static_cast<uint8_t>(row[i] + prev[i]); // left and upper-left are 0
        for (size_t i = lead; i < n; ++i)
            row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(row[i - bpp], prev[i], prev[i - bpp]));
        break;
    default:
        break;
    }
}

void UnfilterImage(std::vector<uint8_t>& data, uint32_t width, uint32_t height, int bitsPerPixel)
{
    const size_t r = static_cast<size_t>(RowBytes(width, bitsPerPixel));
    const size_t n = r - 1;
    const int bpp = BytesPerPixel(bitsPerPixel);
    // Data that stops early reads as zero bytes: the missing rows come out zero.
    if (data.size() < size_t(height) * r)
        data.resize(size_t(height) * r, 0);
    const std::vector<uint8_t> zeros(n, 0);
    // Row y moves from y * r + 1 down to y * n; the previous output row lies
    // wholly before it, so the work is done in place.
    for (uint32_t y = 0; y < height; ++y) {
        const size_t src = size_t(y) * r;
        uint8_t* dst = data.data() + size_t(y) * n;
        int type = data[src];
        std::memmove(dst, data.data() + src + 1, n);
        UnfilterRow(type, dst, y ? dst - n : zeros.data(), n, bpp);
    }
    data.resize(size_t(height) * n);
}

void ExpandPackedRow(const uint8_t* row, int depth, size_t pixels, uint8_t* out)
{
    const int perByte = 8 / depth;
    const uint8_t mask = static_cast<uint8_t>((1 << depth) - 1);
    for (size_t i = 0; i < pixels; ++i) {
        int shift = 8 - depth * (1 + static_cast<int>(i % perByte));
        out[i] = static_cast<uint8_t>((row[i / perByte] >> shift) & mask);
    }
}

std::vector<uint8_t> Deinterlace(std::vector<uint8_t>& data, uint32_t width, uint32_t height, int bitsPerPixel)
{
    const size_t pixelBytes = bitsPerPixel >= 8 ? bitsPerPixel / 8 : 1;
    const int bpp = BytesPerPixel(bitsPerPixel);
    const size_t rowStride = size_t(width) * pixelBytes;
    std::vector<uint8_t> image(rowStride * height, 0);
    std::vector<uint8_t> zeros, unpacked;
    size_t pos = 0;
    for (int pass = 1; pass <= 7; ++pass) {
        const Pass& p = Passes[pass - 1];
        const size_t n = static_cast<size_t>(PassRowBytes(width, bitsPerPixel, pass));
        if (!n)
            continue;
        const uint32_t pixels = PassPixels(pass, width);
        const uint32_t rows = PassRows(pass, height);
        zeros.assign(n, 0);
        unpacked.resize(pixels);
        const uint8_t* prev = zeros.data();
        for (uint32_t i = 0; i < rows; ++i) {
            if (pos + n + 1 > data.size())
                return image; // the data stops early: what is left stays zero
            uint8_t* row = data.data() + pos + 1;
            UnfilterRow(data[pos], row, prev, n, bpp);
            prev = row;
            pos += n + 1;

            const uint32_t y = (i / p.rowCount) * 8 + p.rows[i % p.rowCount];
            uint8_t* dst = image.data() + size_t(y) * rowStride;
            const uint8_t* src = row;
            if (bitsPerPixel < 8) {
                ExpandPackedRow(row, bitsPerPixel, pixels, unpacked.data());
                src = unpacked.data();
            }
            if (pass == 7) {
                std::memcpy(dst, src, size_t(pixels) * pixelBytes);
                continue;
            }
            for (uint32_t k = 0; k < pixels; ++k) {
                uint32_t x = (k / p.columnCount) * 8 + p.columns[k % p.columnCount];
                std::memcpy(dst + size_t(x) * pixelBytes, src + size_t(k) * pixelBytes, pixelBytes);
            }
        }
    }
    return image;
}

} // namespace png
