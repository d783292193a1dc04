#include "images/ImageFile.h"

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
