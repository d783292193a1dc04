// Filters, the Adam7 pass sizes and de-interlacing of sub-byte samples.
#include <gtest/gtest.h>

#include "png/Unfilter.h"

TEST(Unfilter, FiltersOnSingleRows)
{
    const uint8_t zero[4] = {};
    // Up on the first row (all-zero previous row) leaves the bytes.
    uint8_t row[4] = {1, 2, 3, 4};
    png::UnfilterRow(2, row, zero, 4, 1);
    EXPECT_EQ(std::vector<uint8_t>(row, row + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    // Filter type 5 is taken as None.
    png::UnfilterRow(5, row, zero, 4, 1);
    EXPECT_EQ(std::vector<uint8_t>(row, row + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    // Average of 255 and 255 with a stored 0 is 255: no overflow before halving.
    const uint8_t prev[2] = {255, 255};
    uint8_t avg[2] = {128, 0}; // first byte: 128 + 255 / 2 = 255
    png::UnfilterRow(3, avg, prev, 2, 1);
    EXPECT_EQ(avg[0], 255);
    EXPECT_EQ(avg[1], 255);
    // Sub with 3 bytes a pixel adds the byte three places back, modulo 256.
    uint8_t sub[6] = {200, 1, 2, 100, 1, 1};
    png::UnfilterRow(1, sub, zero, 6, 3);
    EXPECT_EQ(std::vector<uint8_t>(sub, sub + 6), (std::vector<uint8_t>{200, 1, 2, 44, 2, 3}));

    EXPECT_EQ(png::PaethPredictor(10, 20, 10), 20);
    EXPECT_EQ(png::PaethPredictor(20, 10, 10), 20);
    EXPECT_EQ(png::PaethPredictor(10, 10, 10), 10);
    EXPECT_EQ(png::PaethPredictor(5, 100, 90), 5);
    EXPECT_EQ(png::PaethPredictor(100, 5, 95), 5);
    EXPECT_EQ(png::PaethPredictor(5, 10, 7), 7);
}

TEST(Unfilter, InterlacedDataSizeIsExactForEveryDepth)
{
    // Brute force from the start and step table of the format.
    static const uint32_t y0[7] = {0, 0, 4, 0, 2, 0, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
    static const uint32_t x0[7] = {0, 4, 0, 2, 0, 1, 0}, dx[7] = {8, 8, 4, 4, 2, 2, 1};
    for (int bits : {1, 2, 4, 8, 16, 24, 32, 48, 64})
        for (uint32_t w = 1; w <= 19; ++w)
            for (uint32_t h = 1; h <= 19; ++h) {
                uint64_t total = 0;
                for (int p = 0; p < 7; ++p) {
                    uint32_t pw = w > x0[p] ? (w - x0[p] + dx[p] - 1) / dx[p] : 0;
                    uint32_t ph = h > y0[p] ? (h - y0[p] + dy[p] - 1) / dy[p] : 0;
                    if (pw && ph)
                        total += uint64_t(ph) * ((uint64_t(pw) * bits + 7) / 8 + 1);
                }
                ASSERT_EQ(png::InterlacedDataSize(w, h, bits), total) << bits << " " << w << "x" << h;
            }
    // A 1-pixel-wide image has nothing in passes 2, 4 and 6.
    EXPECT_EQ(png::PassRowBytes(1, 8, 2), 0u);
    EXPECT_EQ(png::PassRowBytes(1, 8, 4), 0u);
    EXPECT_EQ(png::PassRowBytes(1, 8, 6), 0u);
    EXPECT_EQ(png::PassRows(3, 4), 0u);
    EXPECT_EQ(png::PassRows(3, 5), 1u);
}

TEST(Unfilter, OneBitInterlacedComesOutOneBytePerPixel)
{
    // 3 x 2, 1 bit: pass 1 holds (0,0); pass 4 none (column 2 exists: row 0);
    // pass 6 (1,0); pass 7 row 1 whole. All rows filter type 0.
    // Pass 1: 1 pixel; pass 4: column 2 of row 0; pass 6: column 1 of row 0;
    // pass 7: row 1, three pixels.
    std::vector<uint8_t> data = {0, 0x80, 0, 0x80, 0, 0x00, 0, 0xA0};
    ASSERT_EQ(data.size(), png::InterlacedDataSize(3, 2, 1));
    std::vector<uint8_t> img = png::Deinterlace(data, 3, 2, 1);
    EXPECT_EQ(img, (std::vector<uint8_t>{1, 0, 1, 1, 0, 1}));
    // Data that stops early leaves the rest zero and reads nothing past it.
    std::vector<uint8_t> cut = {0, 0x80, 0};
    EXPECT_EQ(png::Deinterlace(cut, 3, 2, 1), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
}
