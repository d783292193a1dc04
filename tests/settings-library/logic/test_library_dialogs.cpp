// The colour dialog with the record's custom colours, and its placement,
// which the library's hook takes from the editing core.
#include <gtest/gtest.h>

#include <windows.h>

#include "ModFormOps.h"
#include "ModSets2.h"
#include "SettingsRecord.h"

namespace {

struct DialogSeen {
    std::wstring title;
    std::wstring addButton;
    int answer = IDCANCEL;
    bool found = false;
} g_seen;

BOOL CALLBACK FindColorDialog(HWND w, LPARAM out)
{
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the colour dialog's modal loop: reads it and closes it.
void CALLBACK CloseColorDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindColorDialog, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg)
        return;
    KillTimer(nullptr, id);
    wchar_t text[256] = {};
    GetWindowTextW(dlg, text, 256);
    g_seen.title = text;
    GetDlgItemTextW(dlg, 712, text, 256);
    g_seen.addButton = text;
    g_seen.found = true;
    PostMessageW(dlg, WM_COMMAND, g_seen.answer, 0);
}

long RunColorDialog(int answer, COLORREF initial, std::vector<int32_t>& colors)
{
    g_seen = DialogSeen();
    g_seen.answer = answer;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseColorDialog);
    long r = ModSets2::ShowColorDialog(nullptr, initial, colors);
    KillTimer(nullptr, timer);
    return r;
}

} // namespace

TEST(ColorDialog, ShortCustomColourArrayIsFilledNotOverrun)
{
    std::vector<int32_t> colors = {0x010203, 0x040506, 0x070809};
    EXPECT_EQ(RunColorDialog(IDCANCEL, 0x123456, colors), -1);
    ASSERT_TRUE(g_seen.found);
    EXPECT_EQ(g_seen.title, L"TARNEL Color Picker and Custom Color Storage");
    EXPECT_EQ(g_seen.addButton, L"Save to Selected Custom Color");
    ASSERT_EQ(colors.size(), 16u);
    EXPECT_EQ(colors[2], 0x070809);
    EXPECT_EQ(colors[3], SettingsRecordFile::DefaultCustomColors()[3]);
}

TEST(ColorDialog, OkReturnsTheColourAndKeepsLongArrays)
{
    std::vector<int32_t> colors(20, 0x0000FF);
    colors[19] = 0x00ABCD;
    EXPECT_EQ(RunColorDialog(IDOK, 0x00FF00, colors), 0x00FF00);
    ASSERT_TRUE(g_seen.found);
    ASSERT_EQ(colors.size(), 20u);
    EXPECT_EQ(colors[19], 0x00ABCD) << "entries past the dialog's 16 are kept";
}

TEST(ColorDialog, PlacedAboveAndCentredOnItsOwner)
{
    POINT p;
    RECT owner = {100, 500, 700, 900};
    RECT dialog = {0, 0, 400, 300};
    ASSERT_TRUE(ModFormOps::ColorDialogPlacement(owner, dialog, 1024, p));
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 200);
    RECT high = {10, 100, 210, 300};
    RECT wide = {0, 0, 601, 300};
    ASSERT_TRUE(ModFormOps::ColorDialogPlacement(high, wide, 1024, p));
    EXPECT_EQ(p.x, 0) << "never left of the screen";
    EXPECT_EQ(p.y, 0) << "never above the screen";
    RECT off = {0, 0, 500, 500};
    EXPECT_FALSE(ModFormOps::ColorDialogPlacement(off, dialog, 1024, p)) << "top 0 is not strictly inside";
    RECT below = {0, 1100, 500, 1500};
    EXPECT_FALSE(ModFormOps::ColorDialogPlacement(below, dialog, 1024, p));
}
