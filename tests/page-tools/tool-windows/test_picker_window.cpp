// The colour picker: typed codes checked and shown, the colour dialog with
// its custom colours kept in the settings record, and the copy images.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "ToolDrive.h"

using namespace tooldrive;

namespace {

const wchar_t kDialogCaption[] = L"TARNEL Color Picker and Custom Color Storage";

struct Picker {
    HWND window = nullptr;
    HWND tenter = nullptr, thex2 = nullptr, tsafe = nullptr;
    HWND bshowhex = nullptr, bchoosecol = nullptr;
};

Picker OpenPicker(apptest::Tarnel& t)
{
    Picker p;
    t.Command(IDM_mColorFind);
    p.window = Shown(t, L"Color Picker");
    if (!p.window)
        return p;
    std::vector<HWND> edits = ChildrenOf(p.window, L"Edit");
    std::vector<HWND> buttons = ChildrenOf(p.window, L"ButSilver2");
    if (edits.size() == 3 && buttons.size() == 2) {
        p.tenter = edits[0], p.thex2 = edits[1], p.tsafe = edits[2];
        p.bshowhex = buttons[0], p.bchoosecol = buttons[1];
    }
    return p;
}

// The colour dialog the picker opens; null when none came.
HWND ColourDialog(apptest::Tarnel& t)
{
    wt::Dialog d = wt::FindDialog(t.Process(), 10000);
    return d.caption == kDialogCaption ? d.hwnd : nullptr;
}

void Close(HWND dialog, int button)
{
    wt::PressButton(dialog, button);
    wt::WaitFor([&] { return !IsWindow(dialog); }, 5000);
}

} // namespace

TEST(PickerWindow, TypedCodesAreCheckedShownAndCopied)
{
    apptest::Tarnel t(L"tools_picker");
    ASSERT_TRUE(t.Start());
    Picker p = OpenPicker(t);
    ASSERT_TRUE(p.tenter && p.bshowhex);

    struct Bad {
        const wchar_t* typed;
        const wchar_t* message;
        const wchar_t* after;
    } bad[] = {{L"FF000", L"The hex code must be 6 characters.", L"FF000"},
               {L"ff000g", L"Error in hex code. All characters must be 0 thru 9 or A thru F.", L"FF000G"}};
    for (const Bad& b : bad) {
        drive::SetText(p.tenter, b.typed);
        Press(p.bshowhex);
        EXPECT_EQ(MessageText(t), b.message);
        EXPECT_EQ(wt::WindowText(p.tenter), b.after);
        EXPECT_EQ(wt::WindowText(p.thex2), L"");
    }

    // A good code is shown in the document's form, beside its web-safe
    // colour, and the colour dialog opens on it.
    drive::SetText(p.tenter, L"19334c");
    Press(p.bshowhex);
    HWND dialog = ColourDialog(t);
    ASSERT_NE(dialog, nullptr);
    Close(dialog, IDCANCEL);
    EXPECT_EQ(wt::WindowText(p.tenter), L"19334C");
    EXPECT_EQ(wt::WindowText(p.thex2), L"\"#19334C\"");
    EXPECT_EQ(wt::WindowText(p.tsafe), L"\"#003333\"");

    // The second copy image copies the web-safe code, quotes and all.
    std::vector<wt::Drawn> copies;
    for (const wt::Drawn& d : wt::DrawnControls(p.window))
        if (d.name == L"Copy hex code." && d.visible)
            copies.push_back(d);
    ASSERT_EQ(copies.size(), 2u);
    const wt::Drawn& right = copies[0].screen.left > copies[1].screen.left ? copies[0] : copies[1];
    // While another program holds the clipboard the copy fails, and no
    // "Clipboard" claims it worked.
    auto claimed = [&] {
        wt::Drawn info = wt::FindDrawn(t.Main(), L"Clipboard");
        return info && info.visible;
    };
    ASSERT_FALSE(claimed());
    ASSERT_TRUE(OpenClipboard(nullptr));
    wt::Click(right);
    Sleep(1000);
    const bool claimedWhileHeld = claimed();
    CloseClipboard();
    EXPECT_FALSE(claimedWhileHeld);
    wt::Click(right);
    EXPECT_TRUE(wt::WaitFor([] { return drive::ClipboardText() == L"\"#003333\""; }, 5000));
    EXPECT_TRUE(wt::WaitFor(claimed, 3000));
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}

TEST(PickerWindow, CustomColoursAreKeptInTheRecordThroughARestart)
{
    apptest::Tarnel t(L"tools_picker_custom");
    ASSERT_TRUE(t.Start());
    Picker p = OpenPicker(t);
    ASSERT_TRUE(p.bchoosecol);
    Press(p.bchoosecol);
    HWND dialog = ColourDialog(t);
    ASSERT_NE(dialog, nullptr);
    const int red = 201, green = 17, blue = 99;
    drive::SetText(GetDlgItem(dialog, 706), std::to_wstring(red));
    drive::SetText(GetDlgItem(dialog, 707), std::to_wstring(green));
    drive::SetText(GetDlgItem(dialog, 708), std::to_wstring(blue));
    wt::Send(GetDlgItem(dialog, 712), BM_CLICK);  // add to the custom colours
    Close(dialog, IDOK);
    EXPECT_EQ(wt::WindowText(p.thex2), L"\"#C91163\"");
    EXPECT_TRUE(drive::ExitWithoutSaving(t));

    auto holds = [&] {
        SettingsRecord rec;
        if (!t.ReadRecord(rec))
            return false;
        for (int32_t c : rec.CustColors)
            if (static_cast<COLORREF>(c) == RGB(red, green, blue))
                return true;
        return false;
    };
    EXPECT_TRUE(holds());
    ASSERT_TRUE(t.Start());
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
    EXPECT_TRUE(holds());
}
