#include "WholeImageFile.h"

#include <cstdlib>

namespace images {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

uint32_t Read16(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// Walks run-length pixels from `at` until the end-of-bitmap mark; false
// when the bytes stop before it. A picture that is filled before the mark
// counts as whole: its last line needs no mark.
bool WholeRuns(const std::vector<uint8_t>& b, size_t at, uint64_t width, uint64_t height, bool four)
{
    uint64_t x = 0, y = 0;
    while (at + 2 <= b.size()) {
        const uint32_t count = b[at], code = b[at + 1];
        at += 2;
        if (count) {
            x += count;
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (at + 2 > b.size())
                return false;
            x += b[at];
            y += b[at + 1];
            at += 2;
        } else {
            // Literal pixels, padded to a 16-bit boundary.
            const size_t bytes = four ? (code + 1) / 2 : code;
            at += (bytes + 1) & ~size_t(1);
            if (at > b.size())
                return false;
            x += code;
        }
        if (y >= height)
            return true;
    }
    (void)width;
    return false;
}

} // namespace

bool WholeBitmapFile(const std::vector<uint8_t>& b)
{
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    const uint64_t offBits = Read32(b, 10), headerSize = Read32(b, 14);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = kRgb, used = 0, imageSize = 0;
    size_t entrySize = 4, masks = 0;
    if (headerSize == 12) {
        width = Read16(b, 18);
        height = Read16(b, 20);
        bits = Read16(b, 24);
        entrySize = 3;
    } else if (headerSize >= 40) {
        if (b.size() < 14 + 40)
            return false;
        width = int32_t(Read32(b, 18));
        height = std::llabs(int32_t(Read32(b, 22)));
        bits = Read16(b, 28);
        compression = Read32(b, 30);
        imageSize = Read32(b, 34);
        used = Read32(b, 46);
        // Bit masks follow a 40-byte header; larger headers hold them.
        if (headerSize == 40 && compression == kBitFields)
            masks = 12;
        else if (headerSize == 40 && compression == kAlphaBitFields)
            masks = 16;
    } else {
        return false;
    }
    if (width <= 0 || height <= 0 || width * height > (int64_t(1) << 26) || bits == 0 || bits > 32)
        return false;
    const uint64_t palette = bits <= 8 ? uint64_t(used && used < (1u << bits) ? used : (1u << bits)) * entrySize : 0;
    if (14 + headerSize + masks + palette > b.size() || offBits >= b.size())
        return false;
    switch (compression) {
    case kRgb:
    case kBitFields:
    case kAlphaBitFields: {
        const uint64_t rowBytes = ((uint64_t(width) * bits + 31) / 32) * 4;
        return offBits + rowBytes * uint64_t(height) <= b.size();
    }
    case kRle8:
    case kRle4:
        return bits == (compression == kRle8 ? 8u : 4u) &&
               WholeRuns(b, static_cast<size_t>(offBits), uint64_t(width), uint64_t(height), compression == kRle4);
    default:
        return imageSize && offBits + imageSize <= b.size();
    }
}

bool WholeIconFile(const std::vector<uint8_t>& b)
{
    if (b.size() < 6 || b[0] || b[1] || (b[2] != 1 && b[2] != 2) || b[3])
        return false;
    const size_t count = Read16(b, 4);
    if (count == 0 || b.size() < 6 + 16 * count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const uint64_t size = Read32(b, 6 + 16 * i + 8), offset = Read32(b, 6 + 16 * i + 12);
        if (size < 40 || offset + size > b.size())
            return false;
    }
    return true;
}

bool IconPngFrame(const std::vector<uint8_t>& b, size_t& offset, size_t& size, long& width, long& height)
{
    if (!WholeIconFile(b))
        return false;
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const size_t count = Read16(b, 4);
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        offset = Read32(b, entry + 12);
        size = Read32(b, entry + 8);
        bool png = size >= 8;
        for (size_t k = 0; png && k < 8; ++k)
            png = b[offset + k] == signature[k];
        if (!png)
            continue;
        // A size of 0 in the directory stands for 256.
        width = b[entry] ? b[entry] : 256;
        height = b[entry + 1] ? b[entry + 1] : 256;
        return true;
    }
    return false;
}

} // namespace images
