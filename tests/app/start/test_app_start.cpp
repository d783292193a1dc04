#include <gtest/gtest.h>

#include "WindowTest.h"

TEST(AppStart, MainWindowOpensWithCaptionAndClosesCleanly)
{
    wt::Process tarnel;
    ASSERT_TRUE(tarnel.Start(L"TARNEL.exe"));
    HWND main = tarnel.FindTopWindow(L"", L"TARNEL Editor");
    ASSERT_NE(main, nullptr) << "no window captioned \"TARNEL Editor\"";
    EXPECT_EQ(wt::WindowText(main), L"TARNEL Editor");

    std::wstring shot = wt::ScratchFolder(L"app") + L"\\app_start.bmp";
    EXPECT_TRUE(wt::SaveScreenshot(shot));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tarnel.WaitExit(10000), 0);
}
