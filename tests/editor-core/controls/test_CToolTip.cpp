#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "CToolTip/CToolTip.h"
#include "CToolTip/ModTTipOps.h"
#include "ControlsTestUtil.h"

namespace {

std::wstring TipTextOf(HWND tip, HWND parent)
{
    wchar_t buf[512] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = parent;
    ti.uId = 0;
    ti.lpszText = buf;
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&ti));
    return buf;
}

HFONT FontOf(HWND w)
{
    return reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
}

} // namespace

TEST(CToolTip, InitTipAttachesConfiguredTipToTheWindow)
{
    ctl::HostWindow parent;
    CToolTip tip;
    tip.InitTip(parent.hwnd, RGB(255, 255, 225), RGB(0, 0, 128));
    HWND w = tip.TipWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TipTextOf(w, parent.hwnd), L" ");
    EXPECT_EQ(SendMessageW(w, TTM_GETMAXTIPWIDTH, 0, 0), 500) << "long texts wrap";
    EXPECT_EQ(SendMessageW(w, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 30000);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(w, TTM_GETTIPBKCOLOR, 0, 0)), RGB(255, 255, 225));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(w, TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(0, 0, 128));
    RECT margin{};
    SendMessageW(w, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    EXPECT_EQ(margin.left, 6);
    EXPECT_EQ(margin.bottom, 6);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(FontOf(w), sizeof(lf), &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Verdana");

    tip.TipText(L"Member: Count() As Long");
    EXPECT_EQ(TipTextOf(w, parent.hwnd), L"Member: Count() As Long");

    tip.CloseTip();
    EXPECT_EQ(tip.TipWindow(), nullptr);
    EXPECT_FALSE(IsWindow(w));
}

TEST(CToolTip, WithoutParentNothingIsCreated)
{
    CToolTip tip;
    tip.TipText(L"stored only");
    tip.SetTip(L"no parent");
    EXPECT_EQ(tip.TipWindow(), nullptr);
}

TEST(CToolTip, SharedFontLivesUntilTheLastTipLetsGo)
{
    ctl::HostWindow a, b;
    HFONT font = nullptr;
    {
        CToolTip first, second;
        first.InitTip(a.hwnd, RGB(255, 255, 255), 0);
        font = ModTTipOps::CurrentTipFont();
        ASSERT_NE(font, nullptr);
        second.InitTip(b.hwnd, RGB(255, 255, 255), 0);
        EXPECT_EQ(ModTTipOps::CurrentTipFont(), font) << "one font for all tips";

        first.CloseTip();
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "still in use by the second tip";
        EXPECT_EQ(ModTTipOps::CurrentTipFont(), font);

        second.SetTip(L"rebuilt");
        EXPECT_EQ(ModTTipOps::CurrentTipFont(), font) << "a rebuilt tip keeps the font";
        first.InitTip(a.hwnd, RGB(255, 255, 255), 0);
        EXPECT_EQ(ModTTipOps::CurrentTipFont(), font) << "a new tip joins the live font";
        LOGFONTW lf{};
        ASSERT_TRUE(GetObjectW(FontOf(first.TipWindow()), sizeof(lf), &lf));
        EXPECT_STREQ(lf.lfFaceName, L"Verdana");
    }
    EXPECT_EQ(ModTTipOps::CurrentTipFont(), nullptr);
    EXPECT_EQ(GetObjectType(font), 0u) << "deleted with the last tip";
}

TEST(ModTTipOps, FindBrowserServerWindowFindsNestedServerInAnyCase)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Test internet explorer_server";
    RegisterClassW(&wc);
    ctl::HostWindow host;
    EXPECT_EQ(ModTTipOps::FindBrowserServerWindow(host.hwnd), nullptr);

    HWND shell = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host.hwnd, nullptr, nullptr, nullptr);
    HWND doc = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, shell, nullptr, nullptr, nullptr);
    HWND server = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 10, 10, doc, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(ModTTipOps::FindBrowserServerWindow(host.hwnd), server);
    EXPECT_EQ(ModTTipOps::FindBrowserServerWindow(server), nullptr) << "descendants only";
}
