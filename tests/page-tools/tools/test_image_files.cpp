#include "images/ImageFile.h"
#include "images/WholeImageFile.h"

#include "EditorState.h"
#include "ImageSamples.h"
#include "WindowTest.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kColour = RGB(0x20, 0x80, 0xC0);
const COLORREF kCorner = RGB(0x12, 0x34, 0x56);

std::wstring Sample(const std::wstring& name, const std::vector<unsigned char>& bytes)
{
    std::wstring path = wt::ScratchFolder(L"tool_engine_tests") + L"\\" + name;
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

} // namespace

TEST(ImageFiles, EachKindLoadsWithItsSizeAndDamagedOnesAreRefused)
{
    for (const wchar_t* ext : {L"BMP", L"GIF", L"JPG", L"ICO", L"PNG"}) {
        SCOPED_TRACE(ext);
        const int width = 32, height = 24;
        std::vector<unsigned char> good = samples::MakeImage(ext, width, height, kColour, kCorner);
        ASSERT_FALSE(good.empty());
        std::wstring path = Sample(std::wstring(L"good.") + ext, good);
        images::LoadedImage image;
        ASSERT_EQ(images::LoadImageFile(path, ext, 0xDDDDDD, image), images::LoadResult::Ok);
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        // A GIF keeps a palette colour near the corner's, a JPG blurs it away.
        COLORREF corner = PixelOf(static_cast<HBITMAP>(image.bitmap.Get()), 0, 0);
        if (std::wstring(ext) == L"GIF") {
            EXPECT_NEAR(GetGValue(corner), GetGValue(kCorner), 8);
        } else if (std::wstring(ext) != L"JPG") {
            EXPECT_EQ(corner, kCorner);
        }
        long w = 0, h = 0;
        EXPECT_EQ(images::MeasureImageFile(path, ext, w, h), images::LoadResult::Ok);
        EXPECT_EQ(w * 1000 + h, width * 1000 + height);

        std::wstring bad = Sample(std::wstring(L"bad.") + ext, samples::Damaged(ext, good));
        images::LoadedImage none;
        images::LoadResult expected =
            std::wstring(ext) == L"PNG" ? images::LoadResult::PngFailed : images::LoadResult::LoadFailed;
        EXPECT_EQ(images::LoadImageFile(bad, ext, 0xDDDDDD, none), expected);
        EXPECT_FALSE(none.bitmap);
    }
}

TEST(ImageFiles, TagsMeasureWebImagesOnly)
{
    std::wstring gif = Sample(L"pic.gif", samples::MakeImage(L"GIF", 10, 20, kColour, kCorner));
    std::wstring png = Sample(L"pic.png", samples::MakeImage(L"PNG", 7, 9, kColour, kCorner));
    std::wstring bmp = Sample(L"pic.bmp", samples::MakeImage(L"BMP", 7, 9, kColour, kCorner));
    std::wstring badPng = Sample(L"bad.png", {'n', 'o', 't'});
    std::wstring line;
    EXPECT_EQ(images::ImageTagFor(1, gif, line), images::TagResult::Ok);
    EXPECT_EQ(line, L"<IMG SRC=\"pic.gif\" WIDTH=10 HEIGHT=20 ALIGN= HSPACE= VSPACE=>");
    EXPECT_EQ(images::ImageTagFor(2, png, line), images::TagResult::Ok);
    EXPECT_EQ(line, L"<A HREF=><IMG SRC=\"pic.png\" WIDTH=7 HEIGHT=9 ALIGN= HSPACE= VSPACE= ALT=></A>");
    EXPECT_EQ(images::ImageTagFor(1, bmp, line), images::TagResult::WrongType);
    // The image's extension is its own: the document's stays as it was.
    State().CurrentExtension = L"CSS";
    EXPECT_EQ(images::ImageTagFor(1, png, line), images::TagResult::Ok);
    EXPECT_EQ(State().CurrentExtension, L"CSS");
    EXPECT_EQ(images::ImageTagFor(1, badPng, line), images::TagResult::PngFailed);
}

// The probe decodes as the viewer does: transparent pixels take the user's
// button face, whatever this prefix holds for it.
TEST(ImageFiles, ProbeAndViewerFlattenOntoTheUsersButtonFace)
{
    std::wstring png = Sample(L"clear.png", samples::MakeImage(L"PNG", 4, 4, kColour, kColour, true));
    std::wstring bmp = wt::ScratchFolder(L"tool_engine_tests") + L"\\clear.bmp";
    DeleteFileW(bmp.c_str());
    wt::Process probe;
    ASSERT_TRUE(probe.Start(wt::ProgramFolder() + L"\\tests\\probe.exe", L"png2bmp \"" + png + L"\" \"" + bmp + L"\""));
    ASSERT_EQ(probe.WaitExit(60000), 0);
    std::vector<unsigned char> file;
    ASSERT_TRUE(platform::ReadWholeFile(bmp, file));
    ASSERT_GT(file.size(), 60u);
    const unsigned char* pixel = file.data() + (file[10] | (file[11] << 8));  // every pixel is clear
    const COLORREF face = images::UserButtonFace();
    EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), face);
    images::LoadedImage shown;
    ASSERT_EQ(images::LoadImageFile(png, L"PNG", face, shown), images::LoadResult::Ok);
    EXPECT_EQ(PixelOf(static_cast<HBITMAP>(shown.bitmap.Get()), 1, 1), face);
}

namespace {

void Put16(std::vector<unsigned char>& b, uint32_t v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(std::vector<unsigned char>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A bitmap file head: "BM", the file size (not checked), the pixel offset.
std::vector<unsigned char> BitmapHead(uint32_t offBits)
{
    std::vector<unsigned char> b{'B', 'M'};
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, offBits);
    return b;
}

// A 40-byte header with two palette entries.
std::vector<unsigned char> InfoBitmap(int width, int height, int bits, uint32_t compression)
{
    std::vector<unsigned char> b = BitmapHead(14 + 40 + 8);
    for (uint32_t v : {40u, uint32_t(width), uint32_t(height)})
        Put32(b, v);
    Put16(b, 1);
    Put16(b, bits);
    for (uint32_t v : {compression, 0u, 0u, 0u, 2u, 0u, 0x000000u, 0xFFFFFFu})
        Put32(b, v);
    return b;
}

} // namespace

TEST(ImageFiles, BitmapsShorterThanTheirHeadersClaimAreRefused)
{
    // OS/2 headers: a 126-byte file claiming 300 x 200 x 24, and a whole 4 x 2.
    std::vector<unsigned char> os2 = BitmapHead(26);
    Put32(os2, 12);
    for (uint32_t v : {300u, 200u, 1u, 24u})   // width, height, planes, bits
        Put16(os2, v);
    std::vector<unsigned char> shortOs2 = os2;
    shortOs2.resize(126, 0x40);
    EXPECT_FALSE(images::WholeBitmapFile(shortOs2));
    images::LoadedImage none;
    EXPECT_EQ(images::LoadImageFile(Sample(L"short-os2.bmp", shortOs2), L"BMP", 0, none),
              images::LoadResult::LoadFailed);
    std::vector<unsigned char> smallOs2 = os2;
    smallOs2[18] = 4;
    smallOs2[19] = 0;
    smallOs2[20] = 2;
    smallOs2[21] = 0;
    smallOs2.resize(26 + 2 * 12, 0x40);
    EXPECT_TRUE(images::WholeBitmapFile(smallOs2));
    smallOs2.pop_back();
    EXPECT_FALSE(images::WholeBitmapFile(smallOs2));

    // Run-length pixels that reach their end mark, and the same cut short.
    std::vector<unsigned char> rle = InfoBitmap(4, 2, 8, BI_RLE8);
    for (unsigned char c : {4, 1, 0, 0, 4, 0, 0, 1})
        rle.push_back(c);
    EXPECT_TRUE(images::WholeBitmapFile(rle));
    for (size_t cut : {size_t(2), size_t(4), size_t(6)}) {
        std::vector<unsigned char> stopped(rle.begin(), rle.end() - cut);
        EXPECT_FALSE(images::WholeBitmapFile(stopped)) << cut;
    }
    std::vector<unsigned char> literal = InfoBitmap(4, 1, 8, BI_RLE8);
    for (unsigned char c : {0, 4, 1, 0, 1})   // four literal pixels, one missing
        literal.push_back(c);
    EXPECT_FALSE(images::WholeBitmapFile(literal));

    // A colour table beyond the file, and rows beyond it.
    std::vector<unsigned char> palette = InfoBitmap(2, 2, 8, BI_RGB);
    palette[46] = 0;   // no count of used colours: all 256 entries
    palette.resize(palette.size() + 8, 0);
    EXPECT_FALSE(images::WholeBitmapFile(palette));
    std::vector<unsigned char> rows = InfoBitmap(2, 2, 1, BI_RGB);
    rows.resize(rows.size() + 4, 0);
    EXPECT_FALSE(images::WholeBitmapFile(rows));
    rows.resize(rows.size() + 4, 0);
    EXPECT_TRUE(images::WholeBitmapFile(rows));
}

TEST(ImageFiles, AnIconWithAPngImageIsShown)
{
    const std::vector<unsigned char> png = samples::MakeImage(L"PNG", 256, 256, kColour, kCorner);
    std::vector<unsigned char> ico{0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};
    Put32(ico, static_cast<uint32_t>(png.size()));
    Put32(ico, 22);
    ico.insert(ico.end(), png.begin(), png.end());
    const std::wstring path = Sample(L"modern.ico", ico);
    images::LoadedImage image;
    ASSERT_EQ(images::LoadImageFile(path, L"ICO", 0xDDDDDD, image), images::LoadResult::Ok);
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(PixelOf(static_cast<HBITMAP>(image.bitmap.Get()), 0, 0), kCorner);
    EXPECT_EQ(PixelOf(static_cast<HBITMAP>(image.bitmap.Get()), 100, 100), kColour);
}
