// The print command and window: the title, the two header options and the
// print button, read back from the PDF printer.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "PrintedPdf.h"
#include "ToolDrive.h"

using namespace tooldrive;

TEST(PrintWindow, PrintsTheDocumentWithTitleAndPageNumbers)
{
    apptest::Tarnel t(L"tools_print");
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "Report line " + std::to_string(i) + (i < 200 ? "\r\n" : "");
    const std::wstring doc = t.Folder() + L"\\report.txt";
    drive::WriteAll(doc, text);
    ASSERT_TRUE(t.Start(doc));

    t.Command(IDM_mPrint);
    HWND w = Shown(t, L"Print Editor Text");
    ASSERT_NE(w, nullptr);
    std::vector<HWND> edits = ChildrenOf(w, L"Edit");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(wt::WindowText(edits[0]), L"report.txt");
    const std::wstring title = printed::UniqueTitle(L"Report");
    drive::SetText(edits[0], title);
    for (const wchar_t* option : {L"Print page title.", L"Print page numbers."}) {
        HWND box = wt::FindChild(w, L"Button", option);
        ASSERT_NE(box, nullptr) << option;
        wt::Send(box, BM_CLICK);
    }
    std::vector<HWND> buttons = ChildrenOf(w, L"ButSilver2");
    ASSERT_EQ(buttons.size(), 3u);  // Print, Printer Setup, Cancel

    // Printer set-up is the system's dialog; cancelling it changes nothing.
    Press(buttons[1]);
    wt::Dialog setup = wt::FindDialog(t.Process());
    ASSERT_NE(setup.hwnd, nullptr);
    wt::PressButton(setup.hwnd, IDCANCEL);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindow(setup.hwnd); }, 5000));

    Press(buttons[0]);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(w); }, 5000));

    std::vector<std::wstring> pages = printed::Pages(title, 90000);
    ASSERT_GE(pages.size(), 3u);
    for (size_t p = 0; p < pages.size(); ++p)
        EXPECT_NE(printed::OneBlank(pages[p]).find(title + L" Page " + std::to_wstring(p + 1)), std::wstring::npos)
            << pages[p].substr(0, 200);
    EXPECT_NE(pages[0].find(L"Report line 1\n"), std::wstring::npos);
    EXPECT_NE(pages.back().find(L"Report line 200\n"), std::wstring::npos);

    // Cancel hides the window again.
    t.Command(IDM_mPrint);
    ASSERT_NE(Shown(t, L"Print Editor Text"), nullptr);
    Press(ChildrenOf(w, L"ButSilver2")[2]);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(w); }, 5000));
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}
