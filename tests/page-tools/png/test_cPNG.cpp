// cPNG end to end: generated PNG files of every colour type and bit depth are
// decoded and their bitmap pixels compared with the source pixels.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <cstring>

#include "Bytes.h"
#include "PngWriter.h"
#include "png/PixelConvert.h"
#include "png/cPNG.h"

using namespace pngtest;

namespace {

int Decode(cPNG& png, const std::vector<uint8_t>& file, std::vector<uint8_t>& bmp)
{
    return png.DecodeToBitmap(file.data(), file.size(), bmp);
}

// The depth of the bitmap the decoder must write for an image.
int ExpectedBits(const Image& img, bool interlaced)
{
    if (!img.trns.empty() && img.colorType != 4 && img.colorType != 6)
        return 24;
    switch (img.colorType) {
    case 0:
    case 3:
        if (interlaced || img.bitDepth == 2 || img.bitDepth == 16)
            return 8;
        return img.bitDepth;
    default:
        return 24;
    }
}

// A transparency chunk that keys out a colour the image really uses.
void AddTransparency(Image& img, uint32_t seed)
{
    if (img.colorType == 3) {
        // Alpha for the first half of the palette only; the rest stays opaque.
        for (size_t i = 0; i < img.plte.size() / 3 / 2 + 1; ++i)
            img.trns.push_back(static_cast<uint8_t>((i * 97 + seed) % 256));
        return;
    }
    const int ch = img.colorType == 2 ? 3 : 1;
    for (int c = 0; c < ch; ++c) {
        uint16_t v = SampleAt(img, img.width / 2, img.height / 2, c);
        img.trns.push_back(static_cast<uint8_t>(v >> 8));
        img.trns.push_back(static_cast<uint8_t>(v));
    }
}

void ExpectPixels(const Image& img, const std::vector<uint8_t>& bmpFile, uint32_t back, bool interlaced,
                  const char* what)
{
    Bitmap bmp;
    ASSERT_TRUE(ParseBitmap(bmpFile, bmp)) << what;
    EXPECT_EQ(bmp.width, static_cast<int32_t>(img.width)) << what;
    EXPECT_EQ(bmp.height, static_cast<int32_t>(img.height)) << what;
    EXPECT_TRUE(bmp.topDown) << what;
    EXPECT_EQ(bmp.bits, ExpectedBits(img, interlaced)) << what;
    int bad = 0;
    for (uint32_t y = 0; y < img.height && bad < 3; ++y)
        for (uint32_t x = 0; x < img.width && bad < 3; ++x) {
            uint32_t want = ExpectedRGB(img, x, y, back), got = bmp.Pixel(x, y);
            if (want != got) {
                ++bad;
                ADD_FAILURE() << what << " pixel " << x << "," << y << std::hex << " want " << want << " got " << got;
            }
        }
}

struct Combo {
    int type, depth;
};
const Combo AllCombos[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1}, {3, 2},
                           {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

} // namespace

TEST(cPNG, EveryColourTypeDepthAndInterlaceDecodesToItsPixels)
{
    const uint32_t sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {13, 11}, {17, 3}, {8, 8}};
    cPNG png; // one object for all: tables and caches must not leak between files
    uint32_t seed = 1;
    for (const Combo& c : AllCombos)
        for (const auto& size : sizes)
            for (int interlaced = 0; interlaced < 2; ++interlaced)
                for (int trns = 0; trns < 2; ++trns) {
                    Image img = MakeImage(size[0], size[1], c.type, c.depth, ++seed);
                    if (trns)
                        AddTransparency(img, seed);
                    WriteOptions opt;
                    opt.interlaced = interlaced != 0;
                    opt.idatChunk = seed % 3 ? 0 : 7; // some files split their data
                    opt.extraChunk = true;
                    std::vector<uint8_t> bmp;
                    std::string what = "type " + std::to_string(c.type) + " depth " + std::to_string(c.depth) +
                                       " size " + std::to_string(size[0]) + "x" + std::to_string(size[1]) +
                                       (interlaced ? " interlaced" : "") + (trns ? " tRNS" : "");
                    ASSERT_EQ(Decode(png, WritePNG(img, opt), bmp), 0) << what;
                    EXPECT_EQ(png.HasAlpha(), c.type == 4 || c.type == 6) << what;
                    EXPECT_EQ(png.HasTransparency(), trns != 0) << what;
                    ExpectPixels(img, bmp, png.BackColour(), opt.interlaced, what.c_str());
                }
}

TEST(cPNG, EachFilterAloneAndEveryCompressionKind)
{
    cPNG png;
    Image img = MakeImage(23, 19, 6, 8, 77);
    for (int filter = 0; filter < 5; ++filter)
        for (int level : {0, 1, 9}) {
            WriteOptions opt;
            opt.filter = filter;
            opt.level = level;
            opt.strategy = filter == 2 ? Z_FIXED : 0;
            std::vector<uint8_t> bmp;
            ASSERT_EQ(Decode(png, WritePNG(img, opt), bmp), 0) << filter << " " << level;
            ExpectPixels(img, bmp, png.BackColour(), false, "filter");
        }
}

TEST(cPNG, BitmapBytesFollowTheFileLayout)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    // 8-bit grey, 3 wide: rows of 4 bytes with one zero pad byte, grey ramp table.
    Image grey = MakeImage(3, 2, 0, 8, 5);
    for (int interlaced = 0; interlaced < 2; ++interlaced) {
        WriteOptions opt;
        opt.interlaced = interlaced != 0;
        ASSERT_EQ(Decode(png, WritePNG(grey, opt), bmp), 0);
        ASSERT_EQ(bmp.size(), 1078u + 8);
        const uint8_t head[] = {'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0, 0, 0,
                                3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0};
        EXPECT_EQ(std::vector<uint8_t>(bmp.begin(), bmp.begin() + sizeof head),
                  std::vector<uint8_t>(head, head + sizeof head));
        for (size_t i = 30; i < 54; ++i)
            EXPECT_EQ(bmp[i], 0) << i; // compression, sizes, resolutions, colours used
        for (int i = 0; i < 256; ++i) {
            const uint8_t entry[4] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
            EXPECT_EQ(std::memcmp(&bmp[54 + 4 * i], entry, 4), 0) << i;
        }
        const uint8_t rows[8] = {uint8_t(grey.samples[0]), uint8_t(grey.samples[1]), uint8_t(grey.samples[2]), 0,
                                 uint8_t(grey.samples[3]), uint8_t(grey.samples[4]), uint8_t(grey.samples[5]), 0};
        EXPECT_EQ(std::memcmp(&bmp[1078], rows, 8), 0);
    }

    // 1-bit grey: a 1-bit bitmap with the table black, white.
    Image mono = MakeImage(10, 1, 0, 1, 6);
    ASSERT_EQ(Decode(png, WritePNG(mono), bmp), 0);
    ASSERT_EQ(bmp.size(), 62u + 4);
    EXPECT_EQ(bmp[10], 62);
    EXPECT_EQ(bmp[28], 1);
    const uint8_t bw[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_EQ(std::memcmp(&bmp[54], bw, 8), 0);

    // 2-bit grey is written at 8 bits with the ramp 0, 85, 170, 255.
    Image two = MakeImage(5, 1, 0, 2, 7);
    ASSERT_EQ(Decode(png, WritePNG(two), bmp), 0);
    EXPECT_EQ(bmp[28], 8);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bmp[54 + 4 * i], 85 * i);
    // 4-bit palette: a 16-entry table from PLTE.
    Image pal4 = MakeImage(3, 1, 3, 4, 8);
    ASSERT_EQ(Decode(png, WritePNG(pal4), bmp), 0);
    EXPECT_EQ(bmp[10], 118);
    EXPECT_EQ(bmp[28], 4);
    EXPECT_EQ(bmp[54 + 4 * 5 + 2], pal4.plte[15]); // red of entry 5
}

TEST(cPNG, AlphaBlendOntoTheBackground)
{
    // Red 255 with alpha 128 over 0xDDDDDD: red 238, green and blue 110.
    std::vector<uint8_t> px = {0, 0, 255, 128};
    std::vector<uint8_t> out = png::BlendAlphaTo24(px, 1, 1, 0xDDDDDD);
    EXPECT_EQ(out, (std::vector<uint8_t>{110, 110, 238, 0}));

    EXPECT_EQ(png::ParseButtonFace(L"236 233 216"), 0xD8E9ECu);
    EXPECT_EQ(png::ParseButtonFace(L"236 233"), 0xDDDDDDu);
    EXPECT_EQ(png::ParseButtonFace(L"1 2 3 4"), 0xDDDDDDu);
    EXPECT_EQ(png::ParseButtonFace(L""), 0xDDDDDDu);
    EXPECT_EQ(png::ParseButtonFace(L"12 x 3"), 0u);

    // Fully transparent pixels take the caller's background colour.
    EXPECT_EQ(cPNG().BackColour(), cPNG::DefaultBackColour);
    cPNG png(0x123456);
    Image img = MakeImage(2, 1, 6, 8, 9);
    img.samples = {10, 20, 30, 0, 10, 20, 30, 255};
    std::vector<uint8_t> bmp;
    ASSERT_EQ(Decode(png, WritePNG(img), bmp), 0);
    Bitmap b;
    ASSERT_TRUE(ParseBitmap(bmp, b));
    EXPECT_EQ(b.Pixel(0, 0), 0x563412u);
    EXPECT_EQ(b.Pixel(1, 0), 0x0A141Eu);
}

TEST(cPNG, OnePaletteEntryKeepsItsColourAt1Bit)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    for (int entries : {1, 3}) {
        Image img = MakeImage(9, 2, 3, 1, 10, entries);
        ASSERT_EQ(Decode(png, WritePNG(img), bmp), 0) << entries;
        EXPECT_EQ(bmp[28], 1);
        ExpectPixels(img, bmp, png.BackColour(), false, "palette");
        EXPECT_EQ(bmp[56], img.plte[0]); // entry 0 red
    }
}

TEST(cPNG, SixteenBitColourKeysUseTheFullSample)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    // Same high byte, different low byte: only the exact sample is transparent.
    Image grey = MakeImage(3, 1, 0, 16, 11);
    grey.samples = {0x1234, 0x1299, 0x0034};
    grey.trns = {0x12, 0x34};
    Image rgb = MakeImage(2, 1, 2, 16, 12);
    rgb.samples = {0x1011, 0x2022, 0x3033, 0x1011, 0x2022, 0x3034};
    rgb.trns = {0x10, 0x11, 0x20, 0x22, 0x30, 0x33};
    for (const Image* img : {&grey, &rgb})
        for (int interlaced = 0; interlaced < 2; ++interlaced) {
            WriteOptions opt;
            opt.interlaced = interlaced != 0;
            ASSERT_EQ(Decode(png, WritePNG(*img, opt), bmp), 0);
            ExpectPixels(*img, bmp, png.BackColour(), opt.interlaced, "16-bit key");
        }
}

TEST(cPNG, ChunkWalkResults)
{
    cPNG png;
    Image img = MakeImage(4, 3, 2, 8, 13);
    const std::vector<uint8_t> good = WritePNG(img);
    EXPECT_EQ(png.ReadPNG(good.data(), good.size(), false), 0);
    EXPECT_EQ(png.Width(), 4);
    EXPECT_EQ(png.Height(), 3);
    EXPECT_EQ(png.ColorType(), 2);

    for (size_t i = 0; i < 8; ++i) {
        std::vector<uint8_t> f = good;
        f[i] ^= 0x20;
        EXPECT_EQ(png.ReadPNG(f.data(), f.size(), false), 1) << i;
    }
    EXPECT_EQ(png.ReadPNG(nullptr, 0, false), 1);

    // IEND's data (none) ends on the last byte: 2. One CRC byte after it: 0.
    EXPECT_EQ(png.ReadPNG(good.data(), good.size() - 4, true), 2);
    EXPECT_EQ(png.ReadPNG(good.data(), good.size() - 3, true), 0);

    std::vector<uint8_t> head = Signature();
    auto add = [&head](const std::vector<uint8_t>& c) { head.insert(head.end(), c.begin(), c.end()); };
    add(Chunk("IHDR", IhdrData(4, 3, 8, 2, 0)));
    std::vector<uint8_t> noEnd = head;
    add(Chunk("IEND", {}));
    EXPECT_EQ(png.ReadPNG(head.data(), head.size(), true), 3);
    EXPECT_EQ(png.ReadPNG(head.data(), head.size(), false), 0);
    EXPECT_EQ(png.ReadPNG(noEnd.data(), noEnd.size(), false), 2);

    // A second PLTE replaces the first.
    Image pal = MakeImage(3, 2, 3, 8, 14, 4);
    std::vector<uint8_t> f = Signature();
    auto addTo = [&f](const std::vector<uint8_t>& c) { f.insert(f.end(), c.begin(), c.end()); };
    addTo(Chunk("IHDR", IhdrData(3, 2, 8, 3, 0)));
    addTo(Chunk("PLTE", std::vector<uint8_t>(12, 0x55)));
    addTo(Chunk("PLTE", pal.plte));
    addTo(Chunk("IDAT", ZlibCompress(RawImageData(pal, {}), 6)));
    addTo(Chunk("IEND", {}));
    std::vector<uint8_t> bmp;
    ASSERT_EQ(Decode(png, f, bmp), 0);
    ExpectPixels(pal, bmp, png.BackColour(), false, "second PLTE");
}

TEST(cPNG, InvalidFilesFailWithTheirCode)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    auto file = [](const std::vector<uint8_t>& ihdr, const std::vector<std::vector<uint8_t>>& chunks) {
        std::vector<uint8_t> f = Signature();
        std::vector<uint8_t> c = Chunk("IHDR", ihdr);
        f.insert(f.end(), c.begin(), c.end());
        for (const auto& k : chunks)
            f.insert(f.end(), k.begin(), k.end());
        c = Chunk("IEND", {});
        f.insert(f.end(), c.begin(), c.end());
        return f;
    };
    Image img = MakeImage(5, 4, 0, 8, 15);
    const std::vector<uint8_t> z = ZlibCompress(RawImageData(img, {}), 6);
    const std::vector<uint8_t> idat = Chunk("IDAT", z);

    std::vector<uint8_t> shortIhdr = IhdrData(5, 4, 8, 0, 0);
    shortIhdr.resize(12);
    EXPECT_EQ(Decode(png, file(shortIhdr, {idat}), bmp), cPNG::PngBadHeader);
    EXPECT_EQ(Decode(png, file(IhdrData(0, 4, 8, 0, 0), {idat}), bmp), cPNG::PngBadHeader);
    EXPECT_EQ(Decode(png, file(IhdrData(5, 0x80000000u, 8, 0, 0), {idat}), bmp), cPNG::PngBadHeader);
    EXPECT_EQ(Decode(png, file(IhdrData(5, 4, 3, 0, 0), {idat}), bmp), cPNG::PngBadHeader);
    EXPECT_EQ(Decode(png, file(IhdrData(5, 4, 8, 0, 2), {idat}), bmp), cPNG::PngBadHeader);
    // Huge, within the format's limits: refused before anything is allocated.
    EXPECT_EQ(Decode(png, file(IhdrData(100000, 100000, 8, 6, 0), {idat}), bmp), cPNG::PngBadHeader);
    EXPECT_EQ(Decode(png, file(IhdrData(6000, 6000, 8, 6, 0), {idat}), bmp), cPNG::PngBadHeader);
    // Plausible size, but far more than this stream can hold.
    EXPECT_EQ(Decode(png, file(IhdrData(4000, 3000, 8, 6, 0), {idat}), bmp), cPNG::PngBadData);
    EXPECT_EQ(Decode(png, file(IhdrData(5, 4, 8, 0, 0), {Chunk("IDAT", {0x78})}), bmp), cPNG::PngBadData);

    // Too little image data.
    EXPECT_EQ(Decode(png, file(IhdrData(5, 5, 8, 0, 0), {idat}), bmp), cPNG::PngBadData);
    EXPECT_EQ(Decode(png, file(IhdrData(5, 4, 8, 0, 0), {idat}), bmp), 0);

    // Palette faults: none, an index past it.
    Image pal = MakeImage(5, 4, 3, 8, 16, 20);
    const std::vector<uint8_t> pz = Chunk("IDAT", ZlibCompress(RawImageData(pal, {}), 6));
    const std::vector<uint8_t> ihdr3 = IhdrData(5, 4, 8, 3, 0);
    EXPECT_EQ(Decode(png, file(ihdr3, {Chunk("PLTE", pal.plte), pz}), bmp), 0);
    EXPECT_EQ(Decode(png, file(ihdr3, {pz}), bmp), cPNG::PngBadPalette);
    std::vector<uint8_t> shortPlte(pal.plte.begin(), pal.plte.begin() + 30);
    Image hi = pal;
    Sample(hi, 4, 3, 0) = 10; // past a 10-entry palette
    const std::vector<uint8_t> hz = Chunk("IDAT", ZlibCompress(RawImageData(hi, {}), 6));
    EXPECT_EQ(Decode(png, file(ihdr3, {Chunk("PLTE", shortPlte), hz}), bmp), cPNG::PngBadPalette);
    EXPECT_EQ(Decode(png, file(ihdr3, {Chunk("PLTE", {1, 2, 3, 4}), pz}), bmp), cPNG::PngBadPalette);
}

TEST(cPNG, SurplusDataAndAMisfitTransparencyAreIgnored)
{
    cPNG png;
    std::vector<uint8_t> bmp;
    // Image data past the last row: a few stray bytes or a whole row, in
    // stored and in compressed blocks (where the surplus starts inside a copy).
    const Image img = MakeImage(5, 4, 2, 8, 21);
    for (size_t extra : {3u, 16u}) {
        for (int level : {0, 6}) {
            std::vector<uint8_t> raw = RawImageData(img, {});
            raw.insert(raw.end(), extra, 7);
            const std::vector<uint8_t> z = ZlibCompress(raw, level);
            ASSERT_EQ(Decode(png, WritePNG(img, {}, &z), bmp), 0) << extra << " bytes, level " << level;
            ExpectPixels(img, bmp, png.BackColour(), false, "surplus data");
        }
    }
    // A tRNS chunk of the wrong length: the image without transparency.
    for (int type : {0, 2, 3}) {
        Image t = MakeImage(5, 4, type, 8, 22, type == 3 ? 10 : 0);
        t.trns.assign(type == 3 ? 11 : 3, 0);
        ASSERT_EQ(Decode(png, WritePNG(t), bmp), 0) << "colour type " << type;
        EXPECT_FALSE(png.HasTransparency());
        t.trns.clear();
        ExpectPixels(t, bmp, png.BackColour(), false, "misfit tRNS");
    }
}

namespace {
std::wstring TestFolder()
{
    wchar_t buf[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    std::wstring dir = std::wstring(buf, n) + L"tarnel_png_test";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}
} // namespace

TEST(cPNG, OpenPNGWritesTheBitmapFileAndChecksThePath)
{
    const std::wstring dir = TestFolder();
    const std::wstring pngPath = dir + L"\\in.png", bmpPath = dir + L"\\out.bmp";
    Image img = MakeImage(7, 5, 6, 16, 17);
    WriteOptions opt;
    opt.interlaced = true;
    const std::vector<uint8_t> file = WritePNG(img, opt);
    WriteBytes(pngPath, file);
    WriteBytes(bmpPath, std::vector<uint8_t>{1, 2, 3}); // an old file is replaced

    cPNG png;
    ASSERT_EQ(png.OpenPNG(pngPath, bmpPath, true), 0);
    EXPECT_EQ(png.Path(), bmpPath);
    std::vector<uint8_t> expected;
    ASSERT_EQ(png.DecodeToBitmap(file.data(), file.size(), expected), 0);
    EXPECT_EQ(ReadBytes<std::vector<uint8_t>>(bmpPath), expected);

    // Header only: no bitmap path needed, nothing written.
    DeleteFileW(bmpPath.c_str());
    EXPECT_EQ(png.OpenPNG(pngPath, L"", false), 0);
    EXPECT_EQ(png.Width(), 7);
    EXPECT_EQ(png.Height(), 5);
    EXPECT_EQ(GetFileAttributesW(bmpPath.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(png.OpenPNG(dir + L"\\missing.png", bmpPath, true), 1);
    EXPECT_EQ(png.OpenPNG(pngPath, L"a.b", true), cPNG::PngBadPath);
    EXPECT_EQ(png.OpenPNG(pngPath, L"C\\x.bmp", true), cPNG::PngBadPath);
    EXPECT_EQ(png.OpenPNG(pngPath, dir + L"\\nofolder\\x.bmp", true), cPNG::PngNoFolder);
    // A bitmap path that names a folder cannot be written: not success.
    EXPECT_EQ(png.OpenPNG(pngPath, dir, true), cPNG::PngWriteFailed);
    // A damaged file reports failure and leaves no bitmap behind.
    const std::vector<uint8_t> z = ZlibCompress(RawImageData(img, opt), 6);
    std::vector<uint8_t> cut(z.begin(), z.begin() + z.size() / 2);
    WriteBytes(pngPath, WritePNG(img, opt, &cut));
    WriteBytes(bmpPath, std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(png.OpenPNG(pngPath, bmpPath, true), cPNG::PngBadData);
    EXPECT_EQ(GetFileAttributesW(bmpPath.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_NE(cPNG::TempBitmapPath().find(L"\\temp\\pngtob.bmp"), std::wstring::npos);
    DeleteFileW(pngPath.c_str());
    RemoveDirectoryW(dir.c_str());
}
