// The object browser and its page library in the real program, driven from
// outside: the class list and Find, a page saved under a name, and a name
// that would leave the library refused.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "ToolDrive.h"
#include "forms/Runtime.h"
#include "platform/Files.h"

using namespace tooldrive;

namespace {

// Answers the input box now open with text.
bool Answer(apptest::Tarnel& t, const std::wstring& text)
{
    wt::Dialog d = wt::FindDialog(t.Process());
    if (!d.hwnd)
        return false;
    drive::SetText(GetDlgItem(d.hwnd, forms::kInputBoxTextId), text);
    wt::PressButton(d.hwnd, IDOK);
    return wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
}

LRESULT Count(HWND list) { return wt::Send(list, LB_GETCOUNT); }

} // namespace

TEST(BrowserApp, ClassListFindAndLibraryPages)
{
    apptest::Tarnel t(L"object_browser");
    // The program folder is kept between runs; its library starts empty.
    const std::wstring pages = t.Folder() + L"\\OmLib";
    DeleteFileW((pages + L"\\notes.txt").c_str());
    ASSERT_TRUE(t.Start());

    t.Command(IDM_mOmBrowse);
    HWND browser = Shown(t, L" Ormund - TARNEL Object Browser");
    ASSERT_NE(browser, nullptr);
    std::vector<HWND> buttons = ChildrenOf(browser, L"ButSilver2");
    ASSERT_EQ(buttons.size(), 4u);  // List, Browse, Swap; Find
    std::vector<HWND> columns = ChildrenOf(browser, L"ListBox");
    ASSERT_EQ(columns.size(), 3u);  // the name (or ProgID), CLSID and file columns
    Press(buttons[0]);
    EXPECT_TRUE(wt::WaitFor([&] { return Count(columns[1]) > 100; }, 20000));
    EXPECT_EQ(Count(columns[0]), Count(columns[1]));

    std::vector<HWND> edits = ChildrenOf(browser, L"Edit");
    ASSERT_EQ(edits.size(), 1u);
    drive::SetText(edits[0], L"scrrun.dll");
    wt::Send(wt::FindChild(browser, L"Button", L"File"), BM_CLICK);
    Press(buttons[3]);
    ASSERT_TRUE(wt::WaitFor([&] { return wt::Send(columns[2], LB_GETCURSEL) >= 0; }, 5000));
    EXPECT_EQ(wt::Send(columns[1], LB_GETCURSEL), wt::Send(columns[2], LB_GETCURSEL));
    drive::SetText(edits[0], L"no such file anywhere");
    Press(buttons[3]);
    EXPECT_EQ(MessageText(t), L"\"no such file anywhere\" not found.");

    t.Command(IDM_MOmLib);
    HWND library = Shown(t, L"Snippet Library");
    ASSERT_NE(library, nullptr);
    std::vector<HWND> text = ChildrenOf(library, L"Edit");
    ASSERT_EQ(text.size(), 1u);
    drive::SetText(text[0], L"kept text");
    // View, Rename, Delete, then the two save buttons, Save as New first.
    std::vector<HWND> all = ChildrenOf(library, L"ButSilver2");
    ASSERT_EQ(all.size(), 5u);
    HWND saveNew = all[3];
    Press(saveNew);
    ASSERT_TRUE(Answer(t, L"notes"));
    EXPECT_TRUE(wt::WaitFor([&] { return platform::FileExists(pages + L"\\notes.txt"); }, 5000));
    Press(saveNew);
    ASSERT_TRUE(Answer(t, L"..\\outside"));
    EXPECT_NE(MessageText(t).find(L"A page name cannot hold"), std::wstring::npos);
    EXPECT_FALSE(platform::FileExists(t.Folder() + L"\\outside.txt"));
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}
