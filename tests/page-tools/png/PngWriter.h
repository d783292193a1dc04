#pragma once
// A small PNG writer (zlib for the compression) for the decoder's tests and
// benchmark: every colour type and bit depth, Adam7, all five filters.
#include <cstdint>
#include <string>
#include <vector>

namespace pngtest {

struct Image {
    uint32_t width = 0, height = 0;
    int colorType = 0, bitDepth = 8;
    std::vector<uint16_t> samples; // width x height x Channels, row by row
    std::vector<uint8_t> plte;     // written when not empty
    std::vector<uint8_t> trns;     // written when not empty
};

struct WriteOptions {
    bool interlaced = false;
    int level = 6;
    int strategy = 0;        // Z_DEFAULT_STRATEGY
    int filter = -1;         // 0-4 for every row; -1 cycles through all five
    size_t idatChunk = 0;    // split the data into IDAT chunks of this size (0: one)
    bool extraChunk = false; // put an unknown chunk between the IDAT chunks
};

int Channels(int colorType);
uint16_t& Sample(Image& img, uint32_t x, uint32_t y, int c);
uint16_t SampleAt(const Image& img, uint32_t x, uint32_t y, int c);

// Random samples (a fixed seed gives the same image); palette images get a
// palette of `paletteEntries` colours (default: 2^depth) and indexes below it.
Image MakeImage(uint32_t w, uint32_t h, int colorType, int bitDepth, uint32_t seed, int paletteEntries = 0);

// The filtered, uncompressed image data as the decoder must see it.
std::vector<uint8_t> RawImageData(const Image& img, const WriteOptions& opt);
// zlib's encoder: the zlib stream PNG stores, or the bare deflate stream inside it.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& raw, int level, int strategy = 0);
std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& raw, int level, int strategy = 0);
std::vector<uint8_t> Chunk(const char* type, const std::vector<uint8_t>& data);
std::vector<uint8_t> IhdrData(uint32_t w, uint32_t h, int depth, int colorType, int interlace);
std::vector<uint8_t> Signature();
// A whole PNG file; zdata, when given, replaces the compressed image data.
std::vector<uint8_t> WritePNG(const Image& img, const WriteOptions& opt = {}, const std::vector<uint8_t>* zdata = nullptr);

// The colour (0x00RRGGBB) the decoder must show for a pixel, flattened onto
// back (0x00BBGGRR, as the decoder keeps it).
uint32_t ExpectedRGB(const Image& img, uint32_t x, uint32_t y, uint32_t back);

// Reads a pixel of a bitmap file as 0x00RRGGBB; false if the file is malformed.
struct Bitmap {
    int32_t width = 0, height = 0;
    int bits = 0;
    bool topDown = false;
    std::vector<uint8_t> file;
    uint32_t Pixel(uint32_t x, uint32_t y) const;
};
bool ParseBitmap(const std::vector<uint8_t>& file, Bitmap& bmp);

} // namespace pngtest
