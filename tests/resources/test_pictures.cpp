// The main window's pictures, read from TARNEL.exe as a data file: each one
// present, 16x16, clearly visible on the button face, and none a copy of another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "Pictures.h"
#include "WindowTest.h"

namespace {

std::vector<COLORREF> PixelsOf(HBITMAP bmp, int& width, int& height)
{
    BITMAP info{};
    GetObjectW(bmp, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(width > 0 && height > 0 ? width * height : 0));
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bmp, 0, static_cast<UINT>(height), raw.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    std::vector<COLORREF> px;
    for (DWORD v : raw)
        px.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return px;
}

int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

class ProgramPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring exe = wt::ProgramFolder() + L"\\TARNEL.exe";
        module_ = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot read resources of TARNEL.exe";
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

} // namespace

TEST_F(ProgramPictures, EachIsPresentSixteenSquareVisibleOnTheFaceAndUnique)
{
    // Both the classic and the modern face colour, and the running one.
    const COLORREF faces[] = {GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200), RGB(240, 240, 240)};
    size_t count = 0;
    const Pictures::Entry* table = Pictures::Table(count);
    ASSERT_GT(count, 40u);
    std::map<std::vector<COLORREF>, std::wstring> seen;
    std::set<int> ids;
    for (size_t i = 0; i < count; ++i) {
        const Pictures::Entry& e = table[i];
        std::wstring name = std::wstring(e.control) + L"(" + std::to_wstring(e.index) + L")";
        SCOPED_TRACE(testing::Message() << "picture of " << std::string(name.begin(), name.end()));
        EXPECT_TRUE(ids.insert(e.id).second) << "resource shared by two entries";
        for (COLORREF face : faces) {
            HBITMAP bmp = Pictures::LoadPicture(module_, e.id, face);
            ASSERT_NE(bmp, nullptr);
            int w = 0, h = 0;
            std::vector<COLORREF> px = PixelsOf(bmp, w, h);
            DeleteObject(bmp);
            ASSERT_EQ(w, 16);
            ASSERT_EQ(h, 16);
            std::set<COLORREF> colours(px.begin(), px.end());
            EXPECT_GT(colours.size(), 2u) << "blank or nearly so";
            EXPECT_EQ(colours.count(Pictures::KeyColor), 0u) << "key colour left showing";
            int strong = 0;
            for (COLORREF c : px)
                strong += Distance(c, face) >= 80 ? 1 : 0;
            EXPECT_GE(strong, 30) << "too little stands out from the face colour";
            if (face == faces[1]) {
                auto [it, fresh] = seen.emplace(px, name);
                EXPECT_TRUE(fresh) << "same picture as " << std::string(it->second.begin(), it->second.end());
            }
        }
    }
}

TEST(PictureIds, EveryButtonIndexAndOnlyThoseHaveAPicture)
{
    for (int i = 0; i <= 28; ++i) {
        const bool exists = i != 8 && i != 20 && i != 21;
        EXPECT_EQ(Pictures::PictureId(L"ButB", i) != 0, exists) << "ButB(" << i << ")";
    }
    EXPECT_NE(Pictures::PictureId(L"ButB", 16), Pictures::PictureId(L"ButB", 17));
    // One picture for both bars' toggle and view buttons.
    EXPECT_EQ(Pictures::PictureId(L"bsw", 0), Pictures::PictureId(L"bsw", 1));
    EXPECT_EQ(Pictures::PictureId(L"bview2", 0), Pictures::PictureId(L"bview2", 1));
    EXPECT_NE(Pictures::PictureId(L"bPropCSS", 1), 0);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Pictures::PictureId(L"menuIm", i) != 0, i != 5) << "menuIm(" << i << ")";
    EXPECT_EQ(Pictures::PictureId(L"LabFile", 0), 0);
    EXPECT_EQ(Pictures::PictureId(nullptr), 0);
}

TEST(PictureShrink, EachPixelAveragesTheAreaItCovers)
{
    // 4 x 2: a red half and a blue half, shrunk to 3 x 1: the middle pixel
    // covers half of each.
    const uint32_t red = 0xFF0000, blue = 0x0000FF;
    std::vector<uint32_t> px = {red, red, blue, blue, red, red, blue, blue};
    std::vector<uint32_t> out = Pictures::Shrink(px, 4, 2, 3, 1);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], red);
    EXPECT_EQ(out[1], 0x800080u);
    EXPECT_EQ(out[2], blue);
    EXPECT_EQ(Pictures::Shrink(px, 4, 2, 4, 2), px) << "the same size is left alone";
    EXPECT_TRUE(Pictures::Shrink(px, 4, 2, 5, 1).empty()) << "never enlarged";
}

TEST_F(ProgramPictures, AMenuPictureIsShrunkToFitAndKeepsItsColours)
{
    const int id = Pictures::PictureId(L"menuIm", 0);
    HBITMAP bmp = Pictures::LoadPicture(module_, id, RGB(212, 208, 200), SIZE{13, 20});
    ASSERT_NE(bmp, nullptr);
    int w = 0, h = 0;
    std::vector<COLORREF> px = PixelsOf(bmp, w, h);
    DeleteObject(bmp);
    EXPECT_EQ(w, 13);
    EXPECT_EQ(h, 16) << "a side already short enough is kept";
    std::set<COLORREF> colours(px.begin(), px.end());
    EXPECT_GT(colours.size(), 2u);
    EXPECT_EQ(colours.count(Pictures::KeyColor), 0u);
}
