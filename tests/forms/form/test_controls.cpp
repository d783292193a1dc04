// Controls: events driven by window messages, values set from code, control
// arrays, option groups, geometry in twips, and a screenshot of every control.
#include "TestUtil.h"
#include "fSample.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include "WindowTest.h"

using namespace forms;

namespace {

// One sample form, shown once for the whole suite: every window that closes
// costs time on a display without a window manager.
class ShownSample : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sample = new fSample;
        sample->Show();
        Pump();
    }
    static void TearDownTestSuite()
    {
        delete sample;
        sample = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(f.Loaded());
        // Clicks move the focus; focus events are checked by the Tab test.
        f.tName.GotFocus = f.tName.LostFocus = nullptr;
        f.KeyPreview = true;
        f.EatF2 = false;
        Pump();
        f.Log.clear();
    }
    static fSample* sample;
    fSample& f = *sample;
};

fSample* ShownSample::sample = nullptr;

void SendMouse(Spot s, UINT msg, WPARAM keys = 0)
{
    SendMessageW(s.w, msg, keys, MAKELPARAM(s.p.x, s.p.y));
}

void ClickWithMouse(Spot s)
{
    SendMouse(s, WM_LBUTTONDOWN, MK_LBUTTON);
    SendMouse(s, WM_LBUTTONUP);
}

} // namespace

TEST_F(ShownSample, ScreenshotOfEveryControl)
{
    f.tNotes.SetText(L"Multi-line\r\ntext box");
    f.opA.SetValue(true);
    f.CkTab.SetValue(vbChecked);
    f.BoxE.SetListIndex(0);
    f.BoxDefExt.SetListIndex(0);
    f.LabSetMenu(0).SetBackColor(vbButtonShadow);
    f.LabSetMenu(0).SetForeColor(vb3DHighlight);
    f.FrGen.SetFontBold(true);
    f.Refresh();
    Pump();
    std::wstring path = wt::ScratchFolder(L"forms") + L"\\sample.bmp";
    // The label given the shadow face shows it, its neighbour the plain face.
    wt::Screenshot seen;
    EXPECT_TRUE(wt::ScreenshotShowing(path, f.hwnd, seen, [this](const wt::Screenshot& p) {
        return p.Mostly(GetSysColor(COLOR_BTNSHADOW), wt::RectIn(wt::FindDrawn(f.hwnd, L"General"), f.hwnd)) &&
               p.Mostly(GetSysColor(COLOR_BTNFACE), wt::RectIn(wt::FindDrawn(f.hwnd, L"Colorcoding"), f.hwnd));
    }));
}

TEST_F(ShownSample, TypingIntoATextBoxRaisesChange)
{
    f.tName.SetFocus();
    f.tName.SetSelStart(5);
    PostMessageW(f.tName.hwnd, WM_CHAR, L'\u00E9', 0);
    PostMessageW(f.tName.hwnd, WM_CHAR, L'!', 0);
    Pump();
    EXPECT_EQ(f.tName.Text(), L"start\u00E9!");
    EXPECT_TRUE(Has(f.Log, L"tName_Change start\u00E9"));
    EXPECT_TRUE(Has(f.Log, L"tName_Change start\u00E9!"));

    // Setting Text from code is a change too, unless the text is the same.
    f.Log.clear();
    f.tName.SetText(L"new");
    f.tName.SetText(L"new");
    EXPECT_EQ(Count(f.Log, L"tName_Change new"), 1);

    f.tName.SetMaxLength(4);
    f.tName.SetSelStart(3);
    PostMessageW(f.tName.hwnd, WM_CHAR, L'x', 0);
    PostMessageW(f.tName.hwnd, WM_CHAR, L'y', 0);
    Pump();
    EXPECT_EQ(f.tName.Text(), L"newx");

    f.tName.SetMaxLength(0);
    f.tName.SetLocked(true);
    PostMessageW(f.tName.hwnd, WM_CHAR, L'z', 0);
    Pump();
    EXPECT_EQ(f.tName.Text(), L"newx");
    f.tName.SetLocked(false);

    f.tName.SetText(L"abcdef");
    f.tName.SetSelStart(2);
    f.tName.SetSelLength(3);
    EXPECT_EQ(f.tName.SelStart(), 2);
    EXPECT_EQ(f.tName.SelLength(), 3);
    EXPECT_EQ(f.tName.SelText(), L"cde");
    f.tName.SetSelText(L"XY");
    EXPECT_EQ(f.tName.Text(), L"abXYf");
    f.tName.SetSelStart(99); // beyond the end: the end
    EXPECT_EQ(f.tName.SelStart(), 5);
    EXPECT_EQ(f.tName.SelLength(), 0);
}

TEST_F(ShownSample, OptionButtonsAreExclusiveWithinTheirContainer)
{
    f.opOther.SetValue(true);
    f.Log.clear();
    SendMessageW(f.opB.hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.opB.Value());
    EXPECT_FALSE(f.opA.Value());
    EXPECT_TRUE(f.opOther.Value()); // another container, another group
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"opB_Click"});

    // From code: the same Click as a user's, and the window follows.
    f.opA.SetValue(true);
    EXPECT_FALSE(f.opB.Value());
    EXPECT_EQ(SendMessageW(f.opB.hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(f.opA.hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(Has(f.Log, L"opA_Click"));
    // Setting what is already set raises nothing.
    f.Log.clear();
    f.opA.SetValue(true);
    SendMessageW(f.opA.hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.Log.empty());
}

TEST_F(ShownSample, CheckBoxValueFromClickAndCode)
{
    f.CkTab.SetValue(vbUnchecked);
    f.Log.clear();
    SendMessageW(f.CkTab.hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(f.CkTab.Value(), vbChecked);
    SendMessageW(f.CkTab.hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(f.CkTab.Value(), vbUnchecked);
    f.CkTab.SetValue(vbGrayed);
    EXPECT_EQ(SendMessageW(f.CkTab.hwnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    f.CkTab.SetValue(vbGrayed); // unchanged: no Click
    f.CkTab.SetValue(7);        // not a value: ignored
    SendMessageW(f.CkTab.hwnd, BM_CLICK, 0, 0); // a click on grey checks it
    EXPECT_EQ(f.CkTab.Value(), vbChecked);
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"CkTab_Click 1", L"CkTab_Click 0",
                                                 L"CkTab_Click 2", L"CkTab_Click 1"}));
}

TEST_F(ShownSample, ControlArrayEventsCarryTheIndex)
{
    ClickWithMouse(At(f.LabSetMenu(2), 10, 5));
    ClickWithMouse(At(f.LabSetMenu(0), 10, 5));
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"LabSetMenu_MouseDown 2 1", L"LabSetMenu_Click 2",
                                                 L"LabSetMenu_MouseDown 0 1", L"LabSetMenu_Click 0"}));
    // A release outside the label is no click.
    f.Log.clear();
    SendMouse(At(f.LabSetMenu(1), 10, 5), WM_LBUTTONDOWN, MK_LBUTTON);
    SendMouse(At(f.LabSetMenu(1), 10, 500), WM_LBUTTONUP);
    EXPECT_FALSE(Has(f.Log, L"LabSetMenu_Click 1"));

    f.Log.clear();
    SendMessageW(f.OpColors(1).hwnd, BM_CLICK, 0, 0);
    f.OpColors(0).SetValue(true);
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"OpColors_Click 1", L"OpColors_Click 0"}));
    EXPECT_FALSE(f.OpColors(1).Value());
    EXPECT_EQ(f.OpColors(1).Index(), 1);
    EXPECT_EQ(f.LabSetMenu.UBound(), 2);
    EXPECT_EQ(f.LabSetMenu.Count(), 3);
}

TEST_F(ShownSample, ListBoxSelectionByCodeAndByMouse)
{
    f.BoxE.SetListIndex(1);
    f.BoxE.SetListIndex(1); // same item: no second Click
    f.BoxE.SetListIndex(5); // out of range: ignored
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"BoxE_Click 1"});
    EXPECT_EQ(f.BoxE.Text(), L"ABC");

    RECT item;
    SendMessageW(f.BoxE.hwnd, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    f.Log.clear();
    ClickWithMouse(At(f.BoxE, item.left + 5, (item.top + item.bottom) / 2));
    EXPECT_EQ(f.BoxE.ListIndex(), 2);
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"BoxE_Click 2"});
    SendMessageW(f.BoxE.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 2));
    SendMessageW(f.BoxE.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 2));
    EXPECT_TRUE(Has(f.Log, L"BoxE_DblClick"));

    f.BoxE.SetItemData(2, 42);
    EXPECT_EQ(f.BoxE.ItemData(2), 42);
    f.BoxE.SetList(2, L"PHP4");
    EXPECT_EQ(f.BoxE.List(2), L"PHP4");
    EXPECT_EQ(f.BoxE.ItemData(2), 42);
    EXPECT_EQ(f.BoxE.ListIndex(), 2);
    EXPECT_EQ(f.BoxE.AddItem(L"CSS", 0), 0);
    EXPECT_EQ(f.BoxE.NewIndex(), 0);
    EXPECT_EQ(f.BoxE.FindItem(L"php4"), 3);
    EXPECT_EQ(f.BoxE.AddItem(L"far", 9), -1);
    f.BoxE.RemoveItem(0);
    EXPECT_EQ(f.BoxE.List(0), L"XYZ");
    EXPECT_EQ(f.BoxE.List(7), L"");
    f.BoxE.Clear();
    EXPECT_EQ(f.BoxE.ListCount(), 0);
    EXPECT_EQ(f.BoxE.ListIndex(), -1);
    f.BoxE.AddItem(L"first");
    f.BoxE.AddItems({L"one", L"two", L"three"});
    EXPECT_EQ(f.BoxE.ListCount(), 4);
    EXPECT_EQ(f.BoxE.List(3), L"three");
    EXPECT_EQ(f.BoxE.NewIndex(), 3);
}

TEST_F(ShownSample, ComboBoxesOfBothStyles)
{
    // Drop-down combo: typing in its edit field is a Change.
    HWND edit = FindWindowExW(f.boxface.hwnd, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    f.boxface.SetFocus();
    PostMessageW(edit, WM_CHAR, L'T', 0);
    Pump();
    EXPECT_TRUE(Has(f.Log, L"boxface_Change T"));
    EXPECT_EQ(f.ActiveControl(), &f.boxface);
    f.boxface.SetListIndex(1);
    EXPECT_TRUE(Has(f.Log, L"boxface_Click Courier New"));
    f.boxface.SetText(L"Tahoma");
    EXPECT_EQ(f.boxface.Text(), L"Tahoma");
    EXPECT_TRUE(Has(f.Log, L"boxface_Change Tahoma"));

    // Drop-down list: Text selects a list item, or nothing when missing.
    f.Log.clear();
    f.BoxDefExt.SetText(L"VBS");
    EXPECT_EQ(f.BoxDefExt.ListIndex(), 2);
    EXPECT_EQ(f.BoxDefExt.Text(), L"vbs");
    f.BoxDefExt.SetText(L"none");
    EXPECT_EQ(f.BoxDefExt.ListIndex(), 2);
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"BoxDefExt_Click 2"});
}

TEST_F(ShownSample, GeometryInTwips)
{
    f.HiBox.SetLeft(4610);
    EXPECT_EQ(f.HiBox.Left(), 4610); // kept exactly, not rounded to pixels
    EXPECT_EQ(At(f.HiBox, 0, 0).p.x, TwipsToPixelsX(4610));
    // A negative size is refused and nothing moves.
    EXPECT_FALSE(f.tName.Move(500, 500, -10, 300));
    EXPECT_EQ(f.tName.Left(), 120);
    f.tName.SetWidth(-1);
    EXPECT_EQ(f.tName.Width(), 2400);

    // A frame's controls move with it.
    RECT before, after;
    GetWindowRect(f.opA.hwnd, &before);
    f.FrGen.Move(3000, 300);
    GetWindowRect(f.opA.hwnd, &after);
    EXPECT_EQ(after.left - before.left, TwipsToPixelsX(3000) - TwipsToPixelsX(2760));
    EXPECT_EQ(f.opA.Left(), 120);

    // A hidden frame hides its controls, as the pages of a dialog need.
    f.FrGen.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(f.opA.hwnd));
    EXPECT_TRUE(f.opA.Visible());
    f.FrGen.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(f.opA.hwnd));

    f.Line2.SetEnds(5690, 100, 5690, 800);
    EXPECT_EQ(f.Line2.X1(), 5690);
    EXPECT_EQ(f.Line2.Left(), 5690);
    EXPECT_EQ(f.Line2.Height(), 700);
}

TEST_F(ShownSample, KeyPreviewSeesKeysBeforeTheControl)
{
    f.tName.SetFocus();
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_F5, 0);
    Pump();
    ASSERT_EQ(f.Log.size(), 2u);
    EXPECT_EQ(f.Log[0], L"Form_KeyDown 116");
    EXPECT_EQ(f.Log[1], L"tName_KeyDown 116");

    // KeyCode set to 0 by the form: the control never sees the key.
    f.EatF2 = true;
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_F2, 0);
    Pump();
    ASSERT_EQ(f.Log.size(), 1u);
    EXPECT_EQ(f.Log[0], L"Form_KeyDown 113");

    // KeyPress: the form eats 'z'; the control turns 'q' into 'Q'.
    f.tName.SetText(L"");
    f.tName.SetSelStart(0);
    for (wchar_t c : std::wstring(L"zqa"))
        PostMessageW(f.tName.hwnd, WM_CHAR, c, 0);
    Pump();
    EXPECT_EQ(f.tName.Text(), L"Qa");

    // Without KeyPreview the form hears nothing.
    f.KeyPreview = false;
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_F5, 0);
    Pump();
    ASSERT_EQ(f.Log.size(), 1u);
    EXPECT_EQ(f.Log[0], L"tName_KeyDown 116");
}

TEST_F(ShownSample, TabEnterAndEscInAModelessForm)
{
    f.tName.LostFocus = [this] { f.Log.push_back(L"tName_LostFocus"); };
    f.tName.SetFocus();
    Pump();
    EXPECT_EQ(f.ActiveControl(), &f.tName);
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(f.ActiveControl(), &f.tNotes);
    EXPECT_TRUE(Has(f.Log, L"tName_LostFocus"));
    // Shift+Tab goes back: press shift for the key state the form reads.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(f.tNotes.hwnd, WM_KEYDOWN, VK_TAB, 0);
    Pump();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(f.ActiveControl(), &f.tName);

    // Labels and frames are skipped; a hidden or disabled control too.
    f.tNotes.SetEnabled(false);
    f.tName.SetFocus();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(f.ActiveControl(), &f.BoxE);
    f.tNotes.SetEnabled(true);

    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(Count(f.Log, L"bOK_Click"), 1);
    EXPECT_EQ(Count(f.Log, L"bCancel_Click"), 1);

    // Enter in a multi-line text box is a new line, not the default button.
    f.tNotes.SetFocus();
    f.tNotes.SetText(L"a");
    f.tNotes.SetSelStart(1);
    f.Log.clear();
    PostMessageW(f.tNotes.hwnd, WM_KEYDOWN, VK_RETURN, 0); // translated into WM_CHAR
    Pump();
    EXPECT_FALSE(Has(f.Log, L"bOK_Click"));
    EXPECT_EQ(f.tNotes.Text(), L"a\r\n");

    // A disabled default button is not clicked.
    f.bOK.SetEnabled(false);
    f.Log.clear();
    PostMessageW(f.tName.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_FALSE(Has(f.Log, L"bOK_Click"));
    f.bOK.SetEnabled(true);
}

TEST_F(ShownSample, UserControlsKeepTheKeysTheyAskFor)
{
    EXPECT_EQ(GetParent(f.Custom.hwnd), f.hwnd);
    RECT r;
    GetWindowRect(f.Custom.hwnd, &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixelsX(6000 + 2800) - TwipsToPixelsX(6000));
    f.Custom.SetFocus();
    Pump();
    EXPECT_EQ(f.ActiveControl(), &f.Custom);
    for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE})
        PostMessageW(f.Custom.hwnd, WM_KEYDOWN, key, 0);
    Pump();
    // The form saw them first (KeyPreview) but left them to the control.
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"Form_KeyDown 9", L"Custom key 9",
                                                 L"Form_KeyDown 13", L"Custom key 13",
                                                 L"Form_KeyDown 27", L"Custom key 27"}));
    EXPECT_EQ(f.ActiveControl(), &f.Custom);
    // Moved in twips like any control.
    f.Custom.Move(6100, 2200, 2000, 800);
    GetWindowRect(f.Custom.hwnd, &r);
    EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(3000) - TwipsToPixelsY(2200));
}

TEST_F(ShownSample, PagesComeToTheFrontWithZOrder)
{
    // The frame, the picture box and the line overlap nothing here, but the
    // stacking order among the form's children is what ZOrder changes.
    f.Pic1.ZOrder(0);
    EXPECT_EQ(GetTopWindow(f.hwnd), f.Pic1.hwnd);
    f.FrGen.ZOrder(0);
    EXPECT_EQ(GetTopWindow(f.hwnd), f.FrGen.hwnd);
    f.FrGen.ZOrder(1);
    EXPECT_EQ(GetWindow(f.hwnd, GW_CHILD), GetTopWindow(f.hwnd));
    EXPECT_EQ(GetWindow(GetTopWindow(f.hwnd), GW_HWNDLAST), f.FrGen.hwnd);
}

// The tool tip window of form, made at the first mouse message one of its
// controls with a tip passed on; null before.
HWND FormToolTip(HWND form)
{
    struct Find {
        HWND form, tip;
    } find{form, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (_wcsicmp(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(w, GW_OWNER) == f->form) {
                f->tip = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.tip;
}

TEST(ToolTips, AFormMakesItsTipWindowAtTheFirstMouseMessageOverAControlWithATip)
{
    struct fTips : Form {
        fTips()
        {
            bA.Place(*this, 120, 120, 1000, 375);
            bA.SetToolTipText(L"A.");
            bB.Place(*this, 120, 600, 1000, 375);
        }
        ~fTips() override { Teardown(); }
        CommandButton bA, bB;
    } f;
    f.Show();
    Pump();
    EXPECT_EQ(FormToolTip(f.hwnd), nullptr) << "a load makes no tip window";
    SendMessageW(f.bB.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(FormToolTip(f.hwnd), nullptr) << "nor a control without a tip";
    SendMessageW(f.bA.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    HWND tip = FormToolTip(f.hwnd);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ShownSample, ToolTipsAreRegisteredForTheirControls)
{
    SendMessageW(f.bCancel.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    HWND tip = FormToolTip(f.hwnd);
    ASSERT_NE(tip, nullptr);
    EXPECT_GE(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1) << "the tip set before it was made";
    EXPECT_EQ(GetWindow(tip, GW_OWNER), f.hwnd);
    LRESULT before = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
    f.bOK.SetToolTipText(L"Save and close.");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    f.bOK.SetToolTipText(L"Another text.");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    f.bOK.SetToolTipText(L"");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), before);
}

TEST_F(ShownSample, ToolTipShowsOverAPaintedControl)
{
    // A label has no window: the mouse messages over it reach the tip only
    // when its container passes them on.
    f.Lab1.SetToolTipText(L"Where the file is.");
    SetForegroundWindow(f.hwnd);
    const POINT p = OnScreen(At(f.Lab1, 4, 8));
    SetCursorPos(p.x, p.y);
    SetCursorPos(p.x + 2, p.y);
    bool shown = false;
    for (int i = 0; i < 300 && !shown; ++i) {
        Pump(1);
        HWND tip = FormToolTip(f.hwnd);
        shown = tip && IsWindowVisible(tip);
    }
    SetCursorPos(0, 0);
    f.Lab1.SetToolTipText(L"");
    Pump();
    EXPECT_TRUE(shown);
}

// A tip up when the form, or the whole program, loses the activation is taken
// off the screen: it would stay, topmost, over the window the user went to.
TEST_F(ShownSample, ToolTipGoesWhenTheFormLosesTheActivation)
{
    f.Lab1.SetToolTipText(L"Where the file is.");
    const POINT p = OnScreen(At(f.Lab1, 4, 8));
    auto tipShown = [&] {
        HWND tip = FormToolTip(f.hwnd);
        return tip && IsWindowVisible(tip);
    };
    auto hover = [&] {
        SetForegroundWindow(f.hwnd);
        SetCursorPos(p.x, p.y);
        SetCursorPos(p.x + 2, p.y);
        for (int i = 0; i < 300 && !tipShown(); ++i)
            Pump(1);
        return tipShown();
    };
    // Another window of the program is activated.
    ASSERT_TRUE(hover());
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Pump();
    EXPECT_FALSE(tipShown());
    DestroyWindow(other);
    // The program is left while this form is not the active window.
    ASSERT_TRUE(hover());
    SendMessageW(f.hwnd, WM_ACTIVATEAPP, FALSE, 0);
    Pump();
    EXPECT_FALSE(tipShown());
    SetCursorPos(0, 0);
    f.Lab1.SetToolTipText(L"");
    Pump();
}

TEST_F(ShownSample, FilesDroppedOnAControl)
{
    std::vector<std::wstring> got;
    int gotX = -1;
    f.Im1.SetOLEDropMode(1);
    const Spot drop = At(f.Im1, 10, 4);
    EXPECT_TRUE(GetWindowLongPtrW(drop.w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    f.Im1.OLEDragDrop = [&](const std::vector<std::wstring>& Files, int, int, int X, int) {
        got = Files;
        gotX = X;
    };
    // What the shell sends: a DROPFILES block with a double-NUL-ended list.
    const std::wstring names = std::wstring(L"C:\\a\\pic.png") + L'\0' + L"C:\\b\\\u00E9.bmp" + L'\0' + L'\0';
    HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    ASSERT_NE(h, nullptr);
    auto* df = static_cast<DROPFILES*>(GlobalLock(h));
    df->pFiles = sizeof(DROPFILES);
    df->pt = drop.p;
    df->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(h);
    SendMessageW(drop.w, WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0); // freed by the control
    EXPECT_EQ(got, (std::vector<std::wstring>{L"C:\\a\\pic.png", L"C:\\b\\\u00E9.bmp"}));
    EXPECT_EQ(gotX, PixelsToTwipsX(10));
}

TEST_F(ShownSample, MinimisingAndRestoringRaiseResize)
{
    f.SetWindowState(FormWindowState::Minimized);
    Pump();
    EXPECT_EQ(f.WindowState(), FormWindowState::Minimized);
    EXPECT_EQ(Count(f.Log, L"Form_Resize"), 1);
    f.SetWindowState(FormWindowState::Normal);
    Pump();
    EXPECT_EQ(f.WindowState(), FormWindowState::Normal);
    EXPECT_EQ(Count(f.Log, L"Form_Resize"), 2);
    EXPECT_NEAR(f.ScaleWidth(), 9000, TwipsPerPixelX());
}

TEST_F(ShownSample, ModalShowReturnsWhenHiddenAndReenablesTheOwner)
{
    fSample& owner = f;
    fModal m;
    bool ownerWasDisabled = false;
    AfterDelay([&] {
        ownerWasDisabled = !IsWindowEnabled(owner.hwnd);
        SetWindowTextW(m.tAnswer.hwnd, L"answer");
        // Enter in the text box clicks the default button, which hides the form.
        PostMessageW(m.tAnswer.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    });
    m.Show(vbModal, owner);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
    EXPECT_EQ(m.Answer, L"answer");
    EXPECT_TRUE(m.Loaded());
    EXPECT_FALSE(m.Visible());
    EXPECT_EQ(GetWindow(m.hwnd, GW_OWNER), owner.hwnd);

    // Closed by the user: unloaded, and Show returns too.
    AfterDelay([&] { PostMessageW(m.hwnd, WM_CLOSE, 0, 0); });
    m.Show(vbModal, owner);
    EXPECT_FALSE(m.Loaded());
    EXPECT_EQ(m.queryMode, vbFormControlMenu);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

namespace {

COLORREF PixelAfterPaint(Spot s)
{
    RedrawWindow(s.w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(s.w);
    COLORREF c = GetPixel(dc, s.p.x, s.p.y);
    ReleaseDC(s.w, dc);
    return c;
}

} // namespace

TEST_F(ShownSample, PicturesAreDrawnInTheirSizeOrStretched)
{
    const COLORREF red = RGB(255, 0, 0);
    f.Pic1.SetPicture(wt::SolidBitmap(4, 4, red), true);
    EXPECT_EQ(PixelAfterPaint(At(f.Pic1, 1, 1)), red);
    // Past the picture the back colour shows (above the painted text).
    EXPECT_EQ(PixelAfterPaint(At(f.Pic1, 50, 5)), RGB(255, 255, 255));
    f.Pic1.SetPicture(nullptr);

    f.Im1.SetPicture(wt::SolidBitmap(4, 4, red), true);
    EXPECT_EQ(PixelAfterPaint(At(f.Im1, 2, 2)), red);
    EXPECT_NE(PixelAfterPaint(At(f.Im1, 16, 16)), red);
    f.Im1.Stretch = true;
    EXPECT_EQ(PixelAfterPaint(At(f.Im1, 16, 16)), red);
    EXPECT_EQ(PixelAfterPaint(At(f.Im1, 28, 28)), red);
    f.Im1.Stretch = false;
    f.Im1.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
}

TEST_F(ShownSample, PaintedControlsAreNeverTabStops)
{
    std::vector<Control*> painted{&f.Lab1, &f.FrGen, &f.Im1, &f.HiBox, &f.Line2};
    for (Control* c : painted) {
        EXPECT_FALSE(c->TabStop());
        EXPECT_FALSE(c->IsFocusable());
        EXPECT_FALSE(c->CanTabTo());
    }
    // Even asked to be a stop, a label cannot take the focus.
    f.Lab1.SetTabStop(true);
    EXPECT_FALSE(f.Lab1.CanTabTo());
    f.Lab1.SetTabStop(false);
    // A whole round of Tab passes none of them.
    Control* c = f.NextTabControl(nullptr, false);
    ASSERT_NE(c, nullptr);
    for (size_t i = 0; i < f.Controls().size(); ++i) {
        EXPECT_EQ(std::find(painted.begin(), painted.end(), c), painted.end());
        c = f.NextTabControl(c, false);
    }
}

TEST_F(ShownSample, AControlShowsItsOwnPointerAndTheHourglassWins)
{
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    f.Lab1.SetMousePointer(MousePointer::Custom);
    f.Lab1.SetMouseIcon(hand);
    // A label's container finds the control under the mouse itself.
    const POINT over = OnScreen(At(f.Lab1, 4, 4));
    SetCursorPos(over.x, over.y);
    const HWND w = At(f.Lab1, 0, 0).w;
    auto pointerOver = [&] {
        SetCursor(nullptr);
        SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(pointerOver(), hand);
    {
        Hourglass busy;
        EXPECT_EQ(pointerOver(), LoadCursorW(nullptr, IDC_WAIT));
    }
    f.Lab1.SetMousePointer(MousePointer::Default);
    EXPECT_NE(pointerOver(), hand);
    SetCursorPos(0, 0);
}
