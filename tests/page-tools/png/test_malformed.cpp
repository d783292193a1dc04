// Damaged files: every truncation and many flipped bytes of small valid files
// must end in a result code, never a crash, an out-of-bounds access or a huge
// allocation.
#include <gtest/gtest.h>

#include <random>

#include "PngWriter.h"
#include "png/cPNG.h"

using namespace pngtest;

namespace {

std::vector<std::vector<uint8_t>> SampleFiles()
{
    std::vector<std::vector<uint8_t>> files;
    const int combos[][2] = {{0, 1}, {0, 16}, {2, 8}, {3, 2}, {3, 8}, {4, 8}, {6, 16}};
    uint32_t seed = 100;
    for (const auto& c : combos)
        for (int interlaced = 0; interlaced < 2; ++interlaced) {
            Image img = MakeImage(9, 7, c[0], c[1], ++seed);
            if (c[0] == 3)
                img.trns = {10, 200};
            if (c[0] == 2)
                img.trns = {0, 1, 0, 2, 0, 3};
            WriteOptions opt;
            opt.interlaced = interlaced != 0;
            opt.idatChunk = 40;
            files.push_back(WritePNG(img, opt));
        }
    return files;
}

// Offsets of every chunk's 4 length bytes.
std::vector<size_t> LengthOffsets(const std::vector<uint8_t>& f)
{
    std::vector<size_t> at;
    size_t pos = 8;
    while (pos + 8 <= f.size()) {
        at.push_back(pos);
        uint32_t len = (f[pos] << 24) | (f[pos + 1] << 16) | (f[pos + 2] << 8) | f[pos + 3];
        pos += 12 + len;
    }
    return at;
}

void ExpectSane(cPNG& png, const std::vector<uint8_t>& f, const std::string& what)
{
    std::vector<uint8_t> bmp;
    int r = png.DecodeToBitmap(f.data(), f.size(), bmp);
    ASSERT_TRUE(r >= 0 && r <= 9) << what << " gave " << r;
    if (r == 0) {
        Bitmap b;
        ASSERT_TRUE(ParseBitmap(bmp, b)) << what;
        ASSERT_LE(b.width * int64_t(b.height), 64 * 64) << what;
    } else {
        ASSERT_TRUE(bmp.empty()) << what;
    }
}

} // namespace

TEST(cPNGMalformed, EveryTruncationFails)
{
    cPNG png;
    for (const auto& file : SampleFiles()) {
        std::vector<uint8_t> bmp;
        ASSERT_EQ(png.DecodeToBitmap(file.data(), file.size(), bmp), 0);
        // Only the last three bytes (IEND's CRC, never read) may go.
        for (size_t n = 0; n + 3 < file.size(); ++n) {
            std::vector<uint8_t> cut(file.begin(), file.begin() + n);
            ASSERT_NE(png.DecodeToBitmap(cut.data(), cut.size(), bmp), 0) << n;
        }
    }
}

TEST(cPNGMalformed, FlippedHeaderLengthAndDataBytes)
{
    cPNG png;
    std::mt19937 rng(7);
    const uint8_t patterns[] = {0xFF, 0x80, 0x01, 0x7F};
    for (const auto& file : SampleFiles()) {
        // Every byte of the signature and IHDR chunk, and of every chunk length.
        std::vector<size_t> spots;
        for (size_t i = 0; i < 33; ++i)
            spots.push_back(i);
        for (size_t at : LengthOffsets(file))
            for (size_t k = 0; k < 4; ++k)
                spots.push_back(at + k);
        for (size_t at : spots)
            for (uint8_t p : patterns) {
                std::vector<uint8_t> f = file;
                f[at] ^= p;
                ExpectSane(png, f, "byte " + std::to_string(at));
            }
        // Random damage in the rest of the file: the palette, tRNS and image data.
        for (int k = 0; k < 300; ++k) {
            std::vector<uint8_t> f = file;
            for (int flips = 1 + k % 3; flips > 0; --flips)
                f[33 + rng() % (f.size() - 33)] ^= static_cast<uint8_t>(1 + rng() % 255);
            ExpectSane(png, f, "random " + std::to_string(k));
        }
    }
}
