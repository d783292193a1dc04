// Menus: hidden items leave the Win32 menu and come back in place; Checked and
// Enabled show; picks and sub-menu openings reach the Click handlers.
#include "TestUtil.h"
#include "fSample.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

std::vector<std::wstring> Captions(HMENU m)
{
    std::vector<std::wstring> out;
    for (int i = 0, n = GetMenuItemCount(m); i < n; ++i) {
        wchar_t buf[128] = {};
        GetMenuStringW(m, static_cast<UINT>(i), buf, 128, MF_BYPOSITION);
        out.push_back(buf[0] ? buf : L"-");
    }
    return out;
}

} // namespace

TEST(Menu, HiddenItemsComeBackInTheirPlace)
{
    fSample f;
    ASSERT_TRUE(f.Load()); // menus work on a hidden form too
    HMENU bar = GetMenu(f.hwnd);
    ASSERT_NE(bar, nullptr);
    // The hidden top-level menu (kept for PopupMenu) is not on the bar.
    EXPECT_EQ(Captions(bar), (std::vector<std::wstring>{L"&File", L"&Edit"}));
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(Captions(file), (std::vector<std::wstring>{L"&New", L"&Save", L"-", L"E&xit"}));

    f.mSave.SetVisible(false);
    f.mtemp1.SetVisible(false);
    EXPECT_EQ(Captions(file), (std::vector<std::wstring>{L"&New", L"E&xit"}));
    f.mtemp1.SetVisible(true);
    f.mSave.SetVisible(true);
    EXPECT_EQ(Captions(file), (std::vector<std::wstring>{L"&New", L"&Save", L"-", L"E&xit"}));
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);

    f.mSave.SetCaption(L"Save &As...");
    f.mSave.SetChecked(true);
    f.mNew.SetEnabled(false);
    EXPECT_EQ(Captions(file)[1], L"Save &As...");
    EXPECT_TRUE(GetMenuState(file, f.mSave.CommandId(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(file, f.mNew.CommandId(), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(file, f.mExit.CommandId(), MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED));

    // A hidden top-level menu leaves the bar and comes back.
    f.mEdit.SetVisible(false);
    EXPECT_EQ(Captions(GetMenu(f.hwnd)), std::vector<std::wstring>{L"&File"});
    f.mPop.SetVisible(true);
    f.mEdit.SetVisible(true);
    EXPECT_EQ(Captions(GetMenu(f.hwnd)), (std::vector<std::wstring>{L"&File", L"&Edit", L"Popup"}));
}

TEST(Menu, PicksAndOpeningsReachTheHandlers)
{
    fSample f;
    ASSERT_TRUE(f.Load()); // menus work on a hidden form too
    f.Log.clear();
    PostMessageW(f.hwnd, WM_COMMAND, f.mNew.CommandId(), 0);
    Pump();
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"mNew_Click"});
    SendMessageW(f.hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.mEdit.Handle()), 1);
    EXPECT_TRUE(Has(f.Log, L"mEdit_Click"));
    PostMessageW(f.hwnd, WM_COMMAND, f.mExit.CommandId(), 0);
    Pump();
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(Has(f.Log, L"Form_QueryUnload 1"));
}

TEST(Menu, ArraysAndLateItems)
{
    MenuItem root;
    MenuArray mRecent;
    int picked = -1;
    mRecent.Click = [&](int Index) { picked = Index; };
    for (int i = 0; i < 3; ++i)
        root.Add(mRecent(i), L"file" + std::to_wstring(i));
    HMENU h = root.Handle();
    EXPECT_EQ(GetMenuItemCount(h), 3);
    ASSERT_NE(root.FindById(mRecent(1).CommandId()), nullptr);
    root.FindById(mRecent(1).CommandId())->FireClick();
    EXPECT_EQ(picked, 1);
    // A leaf that gets items turns into a sub-menu in place.
    MenuItem sub;
    mRecent(1).Add(sub, L"inner");
    EXPECT_EQ(GetSubMenu(h, 1), mRecent(1).Handle());
    mRecent.Unload(0);
    EXPECT_EQ(Captions(h), (std::vector<std::wstring>{L"file1", L"file2"}));
    EXPECT_EQ(mRecent.LBound(), 1);
}

TEST(Menu, PopupMenuRunsThePickedItemBeforeReturning)
{
    fSample f;
    ASSERT_TRUE(f.Load());
    bool copied = false;
    f.mPopCopy.Click = [&] { copied = true; };
    AfterDelay([&] {
        // The menu's own loop reads the keyboard: first item, then Enter.
        PostMessageW(f.hwnd, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(f.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    });
    f.PopupMenu(f.mPop, 100, 100);
    EXPECT_TRUE(copied);
}

TEST(Menu, ChangesInPlaceKeepPicturesSetFromOutside)
{
    fSample f;
    ASSERT_TRUE(f.Load());
    HMENU file = GetSubMenu(GetMenu(f.hwnd), 0);
    HBITMAP pic = CreateBitmap(13, 13, 1, 1, nullptr);
    // As the main window's picture helper does: on the Win32 menu, by position.
    SetMenuItemBitmaps(file, 1, MF_BYPOSITION, pic, pic);
    f.mSave.SetCaption(L"Save &As...");
    f.mSave.SetChecked(true);
    f.mSave.SetEnabled(false);
    f.mSave.SetShortcut(ParseShortcut(L"Ctrl+S"));
    f.mNew.SetVisible(false);
    f.mNew.SetVisible(true);
    f.mSave.SetVisible(false);
    EXPECT_EQ(f.mSave.Bitmap(), pic);
    f.mSave.SetVisible(true);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS | MIIM_STATE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(file, 1, TRUE, &mii));
    EXPECT_EQ(mii.hbmpUnchecked, pic);
    EXPECT_EQ(mii.wID, f.mSave.CommandId());
    EXPECT_TRUE(mii.fState & MFS_CHECKED);
    EXPECT_TRUE(mii.fState & MFS_GRAYED);
    EXPECT_EQ(Captions(file)[1], L"Save &As...\tCtrl+S");
    f.mNew.SetBitmap(pic);
    EXPECT_EQ(f.mNew.Bitmap(), pic);
    f.mNew.SetBitmap(nullptr);
    EXPECT_EQ(f.mNew.Bitmap(), nullptr);
    f.Unload();
    DeleteObject(pic);
}

TEST(Menu, ShortcutsRunFromTheMessageLoopBeforeKeyEvents)
{
    fSample f;
    f.Show();
    f.mNew.SetShortcut(ParseShortcut(L"F6"));
    f.tName.SetFocus();
    Pump();
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_F6, 0);
    Pump();
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"mNew_Click"});
    // A disabled item leaves the key to the control.
    f.mNew.SetEnabled(false);
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_F6, 0);
    Pump();
    EXPECT_TRUE(Has(f.Log, L"tName_KeyDown 117"));
    EXPECT_FALSE(Has(f.Log, L"mNew_Click"));
    f.Unload();
}
