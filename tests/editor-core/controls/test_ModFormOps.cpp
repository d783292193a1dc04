#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <map>
#include <vector>

#include "ControlsTestUtil.h"
#include "ModFormOps.h"
#include "SettingsRecord.h"

using namespace ModFormOps;

namespace {

bool HasExStyle(HWND w, DWORD style)
{
    return (GetWindowLongPtrW(w, GWL_EXSTYLE) & style) == style;
}

} // namespace

TEST(ModFormOps, TopMostAndBackToBottom)
{
    ctl::HostWindow w;
    ASSERT_FALSE(HasExStyle(w.hwnd, WS_EX_TOPMOST));
    RECT before;
    GetWindowRect(w.hwnd, &before);
    SetTopMost(w.hwnd);
    EXPECT_TRUE(HasExStyle(w.hwnd, WS_EX_TOPMOST));
    RECT after;
    GetWindowRect(w.hwnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "neither moved nor sized";
    SetBottomMost(w.hwnd);
    EXPECT_FALSE(HasExStyle(w.hwnd, WS_EX_TOPMOST)) << "an ordinary window again";
}

TEST(ModFormOps, ExStyleIsAddedAndTheFrameRecalculatedAtOnce)
{
    ctl::HostWindow host;
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, host.hwnd, nullptr,
                               nullptr, nullptr);
    RECT plain;
    GetClientRect(box, &plain);
    SetExStyle(box, ExStyleKind::ClientEdge);
    EXPECT_TRUE(HasExStyle(box, WS_EX_CLIENTEDGE));
    RECT sunken;
    GetClientRect(box, &sunken);
    EXPECT_LT(sunken.right, plain.right) << "the client edge takes room at once";

    SetExStyle(box, ExStyleKind::ModalFrame);
    EXPECT_TRUE(HasExStyle(box, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME)) << "styles are added, not replaced";
    LONG_PTR styles = GetWindowLongPtrW(box, GWL_EXSTYLE);
    SetExStyle(box, static_cast<ExStyleKind>(9));
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_EXSTYLE), styles) << "unknown kind adds nothing";
    EXPECT_EQ(ExStyleForKind(ExStyleKind::AllEdges), static_cast<DWORD>(0x301));
}

TEST(ModFormOps, MenuBitmapsGoToTheTypesMenuPositions)
{
    // A menu bar of six menus of 16 items, with the submenus the places name.
    HMENU bar = CreateMenu();
    std::map<std::pair<int, int>, HMENU> subs;
    for (int m = 0; m < 6; ++m) {
        HMENU menu = CreatePopupMenu();
        for (int i = 0; i < 16; ++i) {
            bool hasSub = (m == 1 && (i == 11 || i == 12)) || ((m == 2 || m == 3) && (i == 7 || i == 9));
            if (hasSub) {
                HMENU sub = CreatePopupMenu();
                for (int k = 0; k < 6; ++k)
                    AppendMenuW(sub, MF_STRING, 1000 + m * 100 + i * 6 + k, L"sub");
                AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"submenu");
                subs[{m, i}] = sub;
            } else {
                AppendMenuW(menu, MF_STRING, 100 + m * 20 + i, L"item");
            }
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), L"menu");
    }
    HBITMAP pics[10];
    for (int i = 0; i < 10; ++i)
        pics[i] = ctl::SolidBitmap(13, 13, RGB(i * 20, 0, 0));

    auto checkedBitmap = [](HMENU menu, int pos) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoW(menu, pos, TRUE, &mii);
        return std::make_pair(mii.hbmpChecked, mii.hbmpUnchecked);
    };

    SetMenuBitmaps(bar, pics, EditorType::HTML);
    EXPECT_EQ(checkedBitmap(subs[{1, 12}], 4), std::make_pair(pics[0], pics[0]));
    EXPECT_EQ(checkedBitmap(subs[{1, 12}], 5).first, pics[1]);
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 1), 14).first, pics[2]);
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 1), 15).first, pics[3]);
    EXPECT_EQ(checkedBitmap(subs[{1, 11}], 2).first, pics[6]);
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 3), 11).first, pics[7]) << "HTML layout: menu M at 3";
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 5), 3).first, pics[8]) << "HTML layout: menu P at 5";
    EXPECT_EQ(checkedBitmap(subs[{3, 7}], 0).first, pics[9]);
    EXPECT_EQ(checkedBitmap(subs[{3, 9}], 0).first, pics[4]);

    // Script layout: M and P one place left; what M held at 3 loses its picture.
    SetMenuItemBitmaps(GetSubMenu(bar, 2), 3, MF_BYPOSITION, pics[5], pics[5]);
    SetMenuBitmaps(bar, pics, EditorType::VBScript);
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 2), 11).first, pics[7]);
    EXPECT_EQ(checkedBitmap(subs[{2, 7}], 0).first, pics[9]);
    EXPECT_EQ(checkedBitmap(subs[{2, 9}], 0).first, pics[4]);
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 3), 3).first, pics[8]) << "menu P at 3";
    // Menu P's item 3 is the same item as menu M's old position 3 only when
    // M == P; here M is 2, so M's item 3 must be bare.
    EXPECT_EQ(checkedBitmap(GetSubMenu(bar, 2), 3).first, nullptr);

    DestroyMenu(bar);
    for (HBITMAP b : pics)
        DeleteObject(b);
}

TEST(ModFormOps, CustomMenuLayoutFormulas)
{
    CustomMenuLayout l = ComputeCustomMenuLayout(1500, 90, 1000);
    EXPECT_EQ(l.formWidth, 1740);
    EXPECT_EQ(l.lines[0].x1, 0);
    EXPECT_EQ(l.lines[0].x2, 2);
    EXPECT_EQ(l.lines[1].x1, 1720);
    EXPECT_EQ(l.lines[1].x2, 1718);
    EXPECT_EQ(l.lines[2].x2, 1650) << "to the inner width";
    EXPECT_EQ(l.frameLeft, 120);
    EXPECT_EQ(l.frameWidth, 1500);
    EXPECT_EQ(l.cancelLeft, 325);
    EXPECT_EQ(l.labelLeft, 0);
    EXPECT_EQ(ComputeCustomMenuLayout(1201, 90, 1000).cancelLeft, 175) << "whole twips, rounded down";
}

namespace {

struct FakeMenuForm : CustomMenuTarget {
    long BorderWidth() const override { return 60; }
    long CancelWidth() const override { return 1200; }
    void SetFormWidth(long w) override { formWidth = w; }
    void SetLine(int i, long x1, long x2) override { lines[i] = {x1, x2}; }
    void SetFrame(int menu, long left, long width) override { frames[menu] = {left, width}; }
    void SetCancelLeft(long left) override { cancelLeft = left; }
    void SetLabelLeft(int menu, int i, long left) override { labels.push_back({menu, i}); }
    long formWidth = 0, cancelLeft = 0;
    std::map<int, std::pair<long, long>> lines, frames;
    std::vector<std::pair<int, int>> labels;
};

} // namespace

TEST(ModFormOps, LayoutCustomMenusPlacesTheShownMenu)
{
    FakeMenuForm one;
    LayoutCustomMenus(one, true, 2000, 3000);
    EXPECT_EQ(one.formWidth, 2240);
    EXPECT_EQ(one.lines[1], std::make_pair(2220L, 2218L));
    EXPECT_EQ(one.lines[2], std::make_pair(0L, 2180L));
    EXPECT_EQ(one.frames[1], std::make_pair(120L, 2000L));
    EXPECT_EQ(one.frames[2], std::make_pair(120L, 2000L)) << "both frames take the shown width";
    EXPECT_EQ(one.cancelLeft, 490);
    ASSERT_EQ(one.labels.size(), 10u);
    EXPECT_EQ(one.labels.front(), std::make_pair(1, 0));
    EXPECT_EQ(one.labels.back(), std::make_pair(1, 9));

    FakeMenuForm two;
    LayoutCustomMenus(two, false, 2000, 3000);
    EXPECT_EQ(two.formWidth, 3240);
    EXPECT_EQ(two.labels.back(), std::make_pair(2, 9));
}

TEST(ModFormOps, ColourDialogSitsCentredAboveItsOwner)
{
    POINT at{};
    ASSERT_TRUE(ColorDialogPlacement(RECT{100, 500, 700, 900}, RECT{0, 0, 400, 350}, 1024, at));
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 150);
    ASSERT_TRUE(ColorDialogPlacement(RECT{100, 300, 300, 600}, RECT{0, 0, 400, 350}, 1024, at));
    EXPECT_EQ(at.y, 0) << "not above the screen";
    EXPECT_EQ(at.x, 0) << "not left of the screen";
    EXPECT_FALSE(ColorDialogPlacement(RECT{100, 0, 700, 900}, RECT{0, 0, 400, 350}, 1024, at));
    EXPECT_FALSE(ColorDialogPlacement(RECT{100, 1024, 700, 1400}, RECT{0, 0, 400, 350}, 1024, at));
}

TEST(ModFormOps, ColourDialogIsRetitledAndWorksOnSixteenColours)
{
    ctl::HostWindow owner(500, 300);
    SetWindowPos(owner.hwnd, nullptr, 100, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // A record array that came short from the file.
    std::vector<int32_t> custom{0x111111, 0x222222, 0x333333};
    std::wstring button712, relabelled;
    RECT placed{};
    ctl::DialogWatcher watcher(L"TARNEL Color Picker and Custom Color Storage", [&](HWND d) {
        wchar_t text[256] = {};
        GetDlgItemTextW(d, 712, text, 256);
        button712 = text;
        for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowTextW(c, text, 256);
            if (std::wstring(text) == L"TARNEL Custom Color Storage:")
                relabelled = text;
        }
        GetWindowRect(d, &placed);
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    long result = ShowColorDialog(owner.hwnd, RGB(10, 20, 30), custom);
    EXPECT_TRUE(watcher.Found());
    EXPECT_EQ(result, -1);
    EXPECT_EQ(button712, L"Save to Selected Custom Color");
    EXPECT_EQ(relabelled, L"TARNEL Custom Color Storage:");
    EXPECT_EQ(placed.bottom, 500) << "the dialog sits right above its owner";
    ASSERT_EQ(custom.size(), 16u);
    EXPECT_EQ(custom[0], 0x111111);
    EXPECT_EQ(custom[2], 0x333333);
    EXPECT_EQ(custom[15], SettingsRecordFile::DefaultCustomColors()[15]);
}
