// Tool-bar buttons, auto-insert buttons, the extra clipboards, the tag
// information and the tool-window launchers on the real TARNEL.exe.
#include <gtest/gtest.h>

#include "Drive.h"
#include "ImageSamples.h"
#include "MenuIds.h"
#include "forms/Runtime.h"

using apptest::Tarnel;
using namespace drive;

namespace {

// Places of buttons in the second tool bar (twips in the bar).
constexpr int kMultiButton = 3345, kColorButton = 4610, kViewImageButton = 5030, kTagButton = 5450,
              kColourOnButton = 3750;

HWND SecondBar(HWND main)
{
    return GetParent(wt::FindChild(main, L"ComboBox"));
}

HWND Shown(apptest::Tarnel& t, const std::wstring& caption, DWORD ms = 5000)
{
    HWND w = t.Process().FindTopWindow(L"", caption, ms);
    return w && IsWindowVisible(w) ? w : nullptr;
}

// Answers an input box with the text (OK) and waits until it is gone.
bool Answer(apptest::Tarnel& t, const std::wstring& prompt, const std::wstring& text)
{
    wt::Dialog d = wt::FindDialog(t.Process());
    if (!d.hwnd || d.caption != L"Customize Auto-insert Buttons" || d.text != prompt)
        return false;
    SetText(GetDlgItem(d.hwnd, forms::kInputBoxTextId), text);
    wt::PressButton(d.hwnd, IDOK);
    return wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
}

// The group at the right end of the second bar (buttons 22 and 23).
HWND ToolsGroup(HWND bar)
{
    RECT r{};
    GetClientRect(bar, &r);
    HWND tools = ChildWindowFromPointEx(bar, POINT{r.right - 1140 / 15 + 4, 4}, CWP_SKIPINVISIBLE);
    return tools != bar ? tools : nullptr;
}

// Drops one file on a drawn button, at its middle.
void DropOn(apptest::Tarnel& t, const wt::Drawn& button, const std::wstring& file)
{
    ASSERT_TRUE(button);
    POINT at{(button.screen.left + button.screen.right) / 2, (button.screen.top + button.screen.bottom) / 2};
    ScreenToClient(button.container, &at);
    ASSERT_TRUE(wt::DropFiles(t.Process(), button.container, {file}, at));
}

std::wstring EditorText(HWND editor)
{
    wchar_t buf[512] = {};
    wt::Send(editor, WM_GETTEXT, 511, reinterpret_cast<LPARAM>(buf));
    return buf;
}

} // namespace

TEST(ToolbarWindow, LaunchersOpenTheirWindows)
{
    Tarnel t(L"toolbar_launchers");
    ASSERT_TRUE(t.Start());
    struct Launcher {
        UINT id;
        const wchar_t* caption;
    } launchers[] = {
        {IDM_mMulti, L"Replace Text in Multiple Files"},
        {IDM_mOmBrowse, L" Ormund - TARNEL Object Browser"},
        {IDM_MOmLib, L"Snippet Library"},
        {IDM_mAutoSet, L"Auto-Insert Settings"},
        {IDM_mCodeRef, L"Character codes - Keycodes - SendKeys (right-click to copy)"},
        {IDM_mMsgBoxRef, L"VBScript Constants"},
        {IDM_mFind, L"Find and Replace"},
        {IDM_mFuncPop, L"Function Popup - Add or Remove"},
    };
    for (const Launcher& l : launchers) {
        t.Command(l.id);
        HWND w = Shown(t, l.caption);
        EXPECT_NE(w, nullptr) << l.caption;
        if (w)
            PostMessageW(w, WM_CLOSE, 0, 0);
    }

    // The colour picker sits centred over the lower part of the main window,
    // and a second use does not move it.
    t.Command(IDM_mColorFind);
    HWND picker = Shown(t, L"Color Picker");
    ASSERT_NE(picker, nullptr);
    RECT m{}, p{};
    GetWindowRect(t.Main(), &m);
    GetWindowRect(picker, &p);
    EXPECT_NEAR((p.left + p.right) / 2, (m.left + m.right) / 2, 2);
    EXPECT_NEAR(p.bottom, m.bottom - 435 / 15, 2);
    SetWindowPos(picker, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    t.Command(IDM_mColorFind);
    wt::Send(t.Main(), WM_NULL);
    GetWindowRect(picker, &p);
    EXPECT_EQ(p.left, 10);
    PostMessageW(picker, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(picker); }, 5000));

    // The same windows from the tool-bar buttons.
    HWND bar = SecondBar(t.Main());
    ASSERT_NE(bar, nullptr);
    wt::Click(VisibleAt(bar, kColorButton, 45));
    EXPECT_NE(Shown(t, L"Color Picker"), nullptr) << "button 13";
    wt::Click(VisibleAt(bar, kMultiButton, 45));
    EXPECT_NE(Shown(t, L"Replace Text in Multiple Files"), nullptr) << "button 10";

    // "View webpage." on an empty document only says so.
    HWND bar1 = FrameOf(t.Main(), L"TA");
    ASSERT_NE(bar1, nullptr);
    wt::Click(VisibleAt(bar1, 420 + 14 * 480 - 30, 45));
    wt::Dialog d = wt::FindDialog(t.Process());
    EXPECT_EQ(d.text, L"There is no page to view yet.");
    if (d.hwnd)
        wt::PressButton(d.hwnd, IDOK);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));

    // Another web page that is missing is reported, and the editor stays.
    t.Command(IDM_mOther);
    d = wt::FindDialog(t.Process());
    ASSERT_NE(d.hwnd, nullptr);
    EXPECT_EQ(d.caption, L"Select webpage to view");
    const std::wstring missing = t.Folder() + L"\\missing page.html";
    ASSERT_TRUE(ChooseFile(d.hwnd, missing));
    d = wt::FindDialog(t.Process());
    EXPECT_NE(d.text.find(L"File not found:"), std::wstring::npos);
    EXPECT_NE(d.text.find(missing), std::wstring::npos);
    if (d.hwnd)
        wt::PressButton(d.hwnd, IDOK);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(t.Main())) << "the main window was not hidden";
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(ToolbarWindow, ClipsTagInformationAndAutoInsertButtonsKeptThroughARestart)
{
    Tarnel t(L"toolbar_clips");
    WriteAll(t.Folder() + L"\\Settings\\tarnelh.ini", "[tags]\r\n<td=Table data cell.\r\n<b=Bold text.\r\n");
    ASSERT_TRUE(t.Start());
    HWND editor = t.Editor();
    SetText(editor, L"<td>some text");

    // The tag name ends at the ">" right after it, not at the blank in the text.
    Select(editor, 0, 13);
    HWND bar = SecondBar(t.Main());
    wt::Click(VisibleAt(bar, kTagButton, 45));
    EXPECT_TRUE(wt::WaitFor([&] { return bool(wt::FindDrawn(t.Main(), L"Table data cell.")); }, 3000));
    SetText(editor, L"x <b");   // nothing ends the name at the end of the text
    Select(editor, 0, 4);
    wt::Click(VisibleAt(bar, kTagButton, 45));
    Sleep(500);
    EXPECT_TRUE(wt::FindDrawn(t.Main(), L"Table data cell.")) << "the status stays";

    // Clip 1 takes the selection; its filled button's menu clears it.
    HWND clips = FrameOf(t.Main(), L"Line");
    ASSERT_NE(clips, nullptr);
    const Spot empty = SpotAt(clips, 2040, 25);
    ASSERT_TRUE(empty.drawn);
    Select(editor, 0, 0);
    wt::Click(empty.drawn);
    Sleep(500);
    EXPECT_EQ(SpotAt(clips, 2040, 25).place, empty.place) << "nothing selected, nothing taken";
    Select(editor, 0, 2);
    wt::Click(empty.drawn);
    Spot filled;
    EXPECT_TRUE(wt::WaitFor([&] {
        filled = SpotAt(clips, 2040, 25);
        return filled.drawn && filled.place != empty.place;
    }, 3000));
    wt::RightClick(filled.drawn);
    HWND menu = nullptr;
    EXPECT_TRUE(wt::WaitFor([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 3000));
    PostMessageW(t.Main(), WM_CANCELMODE, 0, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    wt::WaitFor([&] { return !IsWindowVisible(menu); }, 3000);
    Select(editor, 4, 4);
    t.Command(IDM_mPasteClipP);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor) == L"x <bx "; }, 3000)) << "the menu pastes its clip";
    t.Command(IDM_mClipClear);
    EXPECT_TRUE(wt::WaitFor([&] { return SpotAt(clips, 2040, 25).place == empty.place; }, 3000));

    // An auto-insert button inserts its text at the caret.
    SetText(editor, L"");
    wt::Click(wt::FindDrawn(t.Main(), L"BR"));
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor) == L"<BR>"; }, 3000));

    // A right press arms customising; the next auto-insert click asks for
    // the caption and text of the button clicked.
    wt::RightClick(wt::FindDrawn(t.Main(), L"H1"));
    wt::Click(wt::FindDrawn(t.Main(), L"H2"));
    ASSERT_TRUE(Answer(t, L"Enter new button caption.", L"Q1"));
    ASSERT_TRUE(Answer(t, L"Enter new auto-insert text.", L"<q>"));
    EXPECT_TRUE(wt::WaitFor([&] { return bool(wt::FindDrawn(t.Main(), L"Q1")); }, 3000));
    EXPECT_FALSE(wt::FindDrawn(t.Main(), L"H2"));
    ASSERT_TRUE(ExitWithoutSaving(t));

    SettingsRecord rec;
    ASSERT_TRUE(t.ReadRecord(rec));
    EXPECT_EQ(rec.ButtonCaptions[3], L"Q1");
    EXPECT_EQ(rec.ButtonTexts[3], L"<q>");
    ASSERT_TRUE(t.Start());
    const wt::Drawn q1 = wt::FindDrawn(t.Main(), L"Q1");
    ASSERT_TRUE(q1) << "kept through a restart";
    wt::Click(q1);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t.Editor()) == L"<q>"; }, 3000));
    EXPECT_TRUE(ExitWithoutSaving(t));
}

TEST(ToolbarWindow, ToolBarButtonsAndTheSecondPaneDoTheirActions)
{
    Tarnel t(L"toolbar_buttons");
    const std::wstring image = t.Folder() + L"\\back.gif";
    WriteAll(image, "GIF89a");
    ASSERT_TRUE(t.Start());
    HWND editor = t.Editor();
    HWND bar = SecondBar(t.Main());
    ASSERT_NE(bar, nullptr);
    auto press = [&](int xTwips) {
        const wt::Drawn b = VisibleAt(bar, xTwips, 45);
        ASSERT_TRUE(b) << xTwips;
        wt::Click(b);
    };

    // Move text right, then left, gives the lines back as they were.
    SetText(editor, L"a\r\nb");
    const std::wstring lines = EditorText(editor);
    Select(editor, 0, -1);
    press(1500);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor).size() > lines.size(); }, 3000));
    Select(editor, 0, -1);
    press(1155);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor) == lines; }, 3000));

    // Find and Replace: the button shows the window and hides it again.
    press(3000);
    HWND find = Shown(t, L"Find and Replace");
    ASSERT_NE(find, nullptr);
    press(3000);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(find); }, 3000));

    // Open, Save (of a document without a name) and View Image ask for a file.
    const struct {
        int x;
        const wchar_t* caption;
    } asking[] = {{60, L"Open file"}, {405, L"Save As"}, {5030, L"Open image file"}};
    for (const auto& a : asking) {
        press(a.x);
        wt::Dialog d = wt::FindDialog(t.Process());
        EXPECT_EQ(d.caption, a.caption);
        if (d.hwnd)
            wt::PressButton(d.hwnd, IDCANCEL);
        EXPECT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));
    }

    // The tools group at the right end of the bar opens its windows.
    HWND tools = ToolsGroup(bar);
    ASSERT_NE(tools, nullptr);
    wt::Click(VisibleAt(tools, 405, 45));
    EXPECT_NE(Shown(t, L" Ormund - TARNEL Object Browser"), nullptr) << "button 22";
    wt::Click(VisibleAt(tools, 750, 45));
    EXPECT_NE(Shown(t, L"Auto-Insert Settings"), nullptr) << "button 23";

    // The pane switch shows the second auto-insert bar, whose BODY button
    // with a background image puts the tag for a chosen image on the
    // clipboard; the switch there brings the first bar back.
    // The second bar's windows are made when it is first shown.
    HWND first = FrameOf(t.Main(), L"TA");
    ASSERT_NE(first, nullptr);
    wt::Click(VisibleAt(first, 30, 45));
    HWND second = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] {
        second = FrameOf(t.Main(), L"Head");
        return second && IsWindowVisible(second) && !IsWindowVisible(first);
    }, 3000));
    wt::Click(VisibleAt(second, 420 + 3 * 480, 60));
    wt::Dialog d = wt::FindDialog(t.Process());
    ASSERT_NE(d.hwnd, nullptr);
    EXPECT_EQ(d.caption, L"Open image file");
    ASSERT_TRUE(ChooseFile(d.hwnd, image));
    EXPECT_TRUE(wt::WaitFor(
        [&] { return ClipboardText() == L"<BODY BACKGROUND=\"back.gif\" TEXT= LINK= ALINK= VLINK=>"; }, 5000));
    wt::Click(VisibleAt(second, 30, 45));
    EXPECT_TRUE(wt::WaitFor([&] { return IsWindowVisible(first) && !IsWindowVisible(second); }, 3000));

    // Copy keeps the selection, Paste puts it at the caret, Cut takes it.
    SetText(editor, L"one two");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    Select(editor, 0, 4);
    press(2250);
    ASSERT_TRUE(wt::WaitFor([&] { return ClipboardText() == L"one "; }, 3000));
    Select(editor, 7, 7);
    press(2595);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor) == L"one twoone "; }, 3000));
    Select(editor, 4, 7);
    press(1905);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(editor) == L"one one "; }, 3000));

    // Text cut from the editor stays on the clipboard once the program has
    // ended, and ending does not fail over it.
    EXPECT_TRUE(ExitWithoutSaving(t));
    EXPECT_EQ(ClipboardText(), L"two");
}

TEST(ToolbarWindow, AFileDroppedOnViewImageIsShownAndOneOnTheObjectBrowserIsDescribed)
{
    Tarnel t(L"toolbar_drops");
    const std::wstring bmp = t.Folder() + L"\\dropped.bmp", png = t.Folder() + L"\\dropped.png";
    ASSERT_TRUE(WriteBytes(bmp, samples::MakeImage(L"BMP", 7, 9, RGB(0, 0, 255), RGB(0, 0, 255))));
    ASSERT_TRUE(WriteBytes(png, samples::MakeImage(L"PNG", 7, 9, RGB(0, 0, 255), RGB(0, 0, 255))));
    ASSERT_TRUE(t.Start());
    HWND bar = SecondBar(t.Main());
    ASSERT_NE(bar, nullptr);
    const wt::Drawn viewImage = VisibleAt(bar, kViewImageButton, 45);

    // Button 14 takes GIF, JPG, ICO and BMP files only, and closes the find window.
    t.Command(IDM_mFind);
    HWND find = Shown(t, L"Find and Replace");
    ASSERT_NE(find, nullptr);
    DropOn(t, viewImage, png);
    DropOn(t, viewImage, t.Folder() + L"\\missing.bmp");
    EXPECT_EQ(Shown(t, L"View Image", 1500), nullptr);
    DropOn(t, viewImage, bmp);
    EXPECT_NE(Shown(t, L"View Image"), nullptr);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(find); }, 3000));

    // Button 22 shows the object browser with the properties of the file.
    const std::wstring dll = platform::SystemFolder() + L"\\scrrun.dll";
    DropOn(t, VisibleAt(ToolsGroup(bar), 405, 45), dll);
    HWND browser = Shown(t, L" Ormund - TARNEL Object Browser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(wt::WaitFor([&] { return bool(wt::FindDrawn(browser, dll + L" ")); }, 5000)) << "its path shown";
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(ToolbarWindow, ToolBarsInEachModeFlatRaisedAndPressed)
{
    Tarnel t(L"toolbar_looks");
    ASSERT_TRUE(t.Start());
    HWND bar = SecondBar(t.Main());
    ASSERT_NE(bar, nullptr);
    struct Mode {
        UINT id;
        const wchar_t* name;
    } modes[] = {{IDM_mWebBack, L"html"}, {IDM_mScrShow, L"vbs"}, {IDM_mJScrShow, L"js"}, {IDM_mCSSEd, L"css"}};
    // The button's own pixels in a picture of the main window.
    auto look = [&](const wt::Screenshot& shot, const wt::Drawn& button) {
        const RECT r = wt::RectIn(button, t.Main());
        std::vector<COLORREF> px;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                px.push_back(shot.At(x, y));
        return px;
    };
    for (const Mode& m : modes) {
        SCOPED_TRACE(testing::Message() << "mode " << std::string(m.name, m.name + wcslen(m.name)));
        t.Command(m.id);
        wt::Send(t.Main(), WM_NULL);
        const wt::Drawn button = VisibleAt(bar, kColourOnButton, 45);
        ASSERT_TRUE(button);
        const std::wstring shot = t.Folder() + L"\\bars_" + m.name;
        wt::Screenshot flat, hover, pressed;
        ASSERT_TRUE(wt::ScreenshotShowing(shot + L"_flat.bmp", t.Main(), flat, [](const wt::Screenshot&) { return true; }));
        // Raised while the mouse is over it, sunken while held down.
        wt::PostMouse(button, WM_MOUSEMOVE);
        EXPECT_TRUE(wt::ScreenshotShowing(shot + L"_hover.bmp", t.Main(), hover,
                                          [&](const wt::Screenshot& s) { return look(s, button) != look(flat, button); }));
        wt::PostMouse(button, WM_LBUTTONDOWN, MK_LBUTTON);
        EXPECT_TRUE(wt::ScreenshotShowing(shot + L"_pressed.bmp", t.Main(), pressed, [&](const wt::Screenshot& s) {
            return look(s, button) != look(flat, button) && look(s, button) != look(hover, button);
        }));
        // Flat again once released and the mouse has left it.
        wt::PostMouse(button, WM_LBUTTONUP);
        // The bar's top left corner lies clear of its buttons.
        PostMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        wt::Screenshot after;
        EXPECT_TRUE(wt::ScreenshotShowing(shot + L"_after.bmp", t.Main(), after,
                                          [&](const wt::Screenshot& s) { return look(s, button) == look(flat, button); }));
    }
    EXPECT_TRUE(ExitWithoutSaving(t));
}
