#include "images/ImageRules.h"

#include <gtest/gtest.h>

TEST(ImageTag, BothKindsCarryNameAndSize)
{
    EXPECT_EQ(images::ImageTagLine(1, L"pic.gif", 10, 20),
              L"<IMG SRC=\"pic.gif\" WIDTH=10 HEIGHT=20 ALIGN= HSPACE= VSPACE=>");
    EXPECT_EQ(images::ImageTagLine(2, L"pic.gif", 10, 20),
              L"<A HREF=><IMG SRC=\"pic.gif\" WIDTH=10 HEIGHT=20 ALIGN= HSPACE= VSPACE= ALT=></A>");
}

TEST(ImageTag, TypesAndTexts)
{
    EXPECT_TRUE(images::IsTagType(L"png") && images::IsTagType(L"GIF") && images::IsTagType(L"Jpg"));
    EXPECT_FALSE(images::IsTagType(L"BMP") || images::IsTagType(L"ICO") || images::IsTagType(L"JPEG"));
    EXPECT_TRUE(images::IsViewerType(L"ico") && images::IsViewerType(L"BMP"));
    EXPECT_FALSE(images::OffersTagButton(L"bmp") || images::OffersTagButton(L"ICO"));
    EXPECT_TRUE(images::OffersTagButton(L"GIF"));
    EXPECT_EQ(images::PointColorText(RGB(0x12, 0x34, 0x56)), L"#123456");
    EXPECT_EQ(images::PointColorText(0), L"#000000");
    EXPECT_EQ(images::PointColorText(RGB(0, 0, 255)), L"#0000FF");
    EXPECT_EQ(images::SizeInfoText(L"a.gif", 1500), L"a.gif - 1 KB");
    EXPECT_EQ(images::SizeInfoText(L"a.gif", 900), L"a.gif - 0 KB");
}

TEST(ImageViewer, FitsTheScreenAndSaysWhenCropped)
{
    images::ScreenMeasure screen{15, 15, 1280 * 15, 1024 * 15};
    struct Case {
        long w, h, width, height;
        bool cropped;
    } cases[] = {
        {100, 50, 100 * 15 + 120, 50 * 15 + 480, false},
        {1200, 50, 1280 * 15 * 9 / 10, 50 * 15 + 480, true},   // wider than nine tenths
        {100, 900, 100 * 15 + 120, 1024 * 15 * 8 / 10, true},  // taller than eight tenths
    };
    for (const Case& c : cases) {
        images::ViewerFit fit = images::FitViewer(c.w, c.h, 120, 480, screen);
        EXPECT_EQ(fit.width, c.width);
        EXPECT_EQ(fit.height, c.height);
        EXPECT_EQ(fit.cropped, c.cropped);
    }
}

TEST(ImageViewer, ACutPictureSaysItsFullSizeAndWhereToSeeItWhole)
{
    EXPECT_EQ(images::CroppedCaption(446, 1056),
              L"View Image - Note: Image has been cropped to fit screen. Full size 446 x 1056: "
              L"open the file in another program to see it whole.");
}
