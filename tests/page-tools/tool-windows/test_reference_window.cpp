// The reference window: the two texts with their heading colours, read-only,
// and Copy offered only for a selection.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "ToolDrive.h"
#include "forms/Menu.h"
#include "reference/ReferenceTexts.h"

using namespace tooldrive;

namespace {

HWND ShownBox(HWND window)
{
    for (const wchar_t* cls : {L"RichEdit50W", L"RichEdit20W"}) {
        std::vector<HWND> boxes = ChildrenOf(window, cls);
        if (!boxes.empty())
            return boxes[0];
    }
    return nullptr;
}

// Whether the Copy item was enabled when the box's right-click menu opened.
bool CopyOffered(HWND window, HWND box)
{
    PostMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    PostMessageW(box, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    HWND menu = nullptr;
    wt::WaitFor([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 5000);
    static const UINT ask = RegisterWindowMessageW(forms::kMenuStateMessage);
    LRESULT state = wt::Send(window, ask, reference::kCopyCommandId);
    PostMessageW(window, WM_CANCELMODE, 0, 0);
    wt::WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
    return state != -1 && (state & forms::kMenuEnabled);
}

} // namespace

TEST(ReferenceWindow, TextsMarksCopyAndASecondOpening)
{
    apptest::Tarnel t(L"tools_reference");
    ASSERT_TRUE(t.Start());

    t.Command(IDM_mMsgBoxRef);
    HWND w = Shown(t, L"VBScript Constants");
    ASSERT_NE(w, nullptr);
    HWND box = ShownBox(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(wt::Send(box, EM_GETLINECOUNT), 82);
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & ES_READONLY);

    t.Command(IDM_mCodeRef);
    ASSERT_NE(Shown(t, L"Character codes - Keycodes - SendKeys (right-click to copy)"), nullptr);
    box = ShownBox(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(wt::Send(box, EM_GETLINECOUNT), 107);

    // The titles at the top are purple, the column heading below them blue.
    wt::Screenshot shot;
    const std::wstring file = wt::ScratchFolder(L"tool_window_tests") + L"\\reference.bmp";
    EXPECT_TRUE(wt::ScreenshotShowing(file, w, shot, [&](const wt::Screenshot& s) {
        RECT area = wt::RectIn(box, w);
        int purpleRow = -1, blueRow = -1;
        for (int y = area.top; y < area.bottom && (purpleRow < 0 || blueRow < 0); ++y) {
            RECT row{area.left, y, area.right, y + 1};
            if (purpleRow < 0 && s.Count(reference::kHeadingPurple, row, 40) > 0)
                purpleRow = y;
            if (blueRow < 0 && s.Count(reference::kHeadingBlue, row, 40) > 0)
                blueRow = y;
        }
        return purpleRow >= 0 && blueRow > purpleRow;
    }));

    // Copy only for a selection; a second opening keeps the text and the
    // selection of the first.
    wt::Send(box, EM_SETSEL, 0, 0);
    EXPECT_FALSE(CopyOffered(w, box));
    wt::Send(box, EM_SETSEL, 1, 5);
    EXPECT_TRUE(CopyOffered(w, box));
    wt::PostCommand(w, reference::kCopyCommandId);
    EXPECT_TRUE(wt::WaitFor([] { return drive::ClipboardText() == L"HTML"; }, 5000));
    t.Command(IDM_mCodeRef);
    ASSERT_NE(Shown(t, L"Character codes - Keycodes - SendKeys (right-click to copy)"), nullptr);
    const LRESULT selection = wt::Send(box, EM_GETSEL);
    EXPECT_EQ(LOWORD(selection), 1);
    EXPECT_EQ(HIWORD(selection), 5);
    EXPECT_EQ(wt::Send(box, EM_GETLINECOUNT), 107);
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}
