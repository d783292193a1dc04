// The procedure list, the tips of linked procedures, the include-file panel
// and the CSS popup in the real TARNEL.exe, driven from outside.
#include <gtest/gtest.h>

#include "Drive.h"
#include "ToolDrive.h"

#include <algorithm>
#include <cstdlib>

using apptest::Tarnel;

namespace {

// The entries of the procedure list, in order.
std::vector<std::wstring> Procedures(const Tarnel& t)
{
    std::vector<std::wstring> names;
    HWND box = wt::FindChild(t.Main(), L"ComboBox");
    if (!box)
        return names;
    const LRESULT n = wt::Send(box, CB_GETCOUNT);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buf[256] = {};
        wt::Send(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        names.push_back(buf);
    }
    return names;
}

bool ProceduresAre(const Tarnel& t, const std::vector<std::wstring>& expected)
{
    return wt::WaitFor([&] { return Procedures(t) == expected; }, 10000);
}

std::wstring ListText(const std::vector<std::wstring>& names)
{
    std::wstring all;
    for (const std::wstring& n : names)
        all += L"[" + n + L"]";
    return all;
}

void Settle(const Tarnel& t)
{
    for (int i = 0; i < 3; ++i) {
        wt::Send(t.Main(), WM_NULL);
        Sleep(150);
    }
}

void Open(Tarnel& t, const std::wstring& path)
{
    t.Command(IDM_mOpenFile);
    wt::Dialog d = wt::FindDialog(t.Process(), 10000);
    ASSERT_NE(d.hwnd, nullptr);
    ASSERT_TRUE(drive::ChooseFile(d.hwnd, path));
    Settle(t);
}

void ClickTab(const Tarnel& t, const std::wstring& caption)
{
    wt::Drawn tab = wt::FindDrawn(t.Main(), caption);
    ASSERT_TRUE(tab) << "no tab " << std::string(caption.begin(), caption.end());
    POINT p{tab.screen.left + 5, tab.screen.top + 5};
    ScreenToClient(tab.container, &p);
    wt::Send(tab.container, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    wt::Send(tab.container, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y), 20000);
    Settle(t);
}

// Shift with a key through the keyboard, so the program reads Shift as held.
void ShiftKey(const Tarnel& t, WORD key)
{
    t.KeyWith(VK_SHIFT, key);
    Sleep(50);
    Settle(t);
}

std::wstring EditorText(const Tarnel& t)
{
    std::wstring text(static_cast<size_t>(wt::Send(t.Editor(), WM_GETTEXTLENGTH)) + 1, L'\0');
    wt::Send(t.Editor(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(text.size() - 1);
    return text;
}

void PutCaretAtEnd(const Tarnel& t)
{
    const LRESULT end = wt::Send(t.Editor(), WM_GETTEXTLENGTH);
    drive::Select(t.Editor(), static_cast<long>(end), static_cast<long>(end));
}

} // namespace

TEST(AssistWindow, ProcedureListFollowsLoadsAndTabsAndLinkedTipsShow)
{
    Tarnel t(L"assist_funcs");
    const std::wstring lib = t.Folder() + L"\\lib.vbs", page = t.Folder() + L"\\main.vbs",
                       sheet = t.Folder() + L"\\look.css", asp = t.Folder() + L"\\page.asp";
    drive::WriteAll(lib, "Sub LibSub(q)\r\nEnd Sub\r\n");
    drive::WriteAll(page, "'**TARNEL LINK FILE: " + std::string(lib.begin(), lib.end()) +
                              " *\r\nSub Foo (a)\r\nEnd Sub\r\nx = 1 ' Sub Ghost(b)\r\nFunction Bar(x, y)\r\n"
                              "End Function\r\n");
    drive::WriteAll(sheet, "p { color: red; }\r\n");
    drive::WriteAll(asp, "<html>\r\n<%\r\nSub AspSub(z)\r\nEnd Sub\r\n%>\r\n</html>\r\n");
    ASSERT_TRUE(t.Start(L"\"" + page + L"\""));
    EXPECT_TRUE(ProceduresAre(t, {L"Foo", L"Bar"})) << ListText(Procedures(t));

    // A style sheet has no procedures; the list never shows the last page's.
    Open(t, sheet);
    EXPECT_TRUE(ProceduresAre(t, {})) << ListText(Procedures(t));
    Open(t, asp);
    EXPECT_TRUE(ProceduresAre(t, {L"AspSub"})) << ListText(Procedures(t));
    ClickTab(t, L"look.css");
    EXPECT_TRUE(ProceduresAre(t, {})) << ListText(Procedures(t));
    ClickTab(t, L"main.vbs");
    EXPECT_TRUE(ProceduresAre(t, {L"Foo", L"Bar"})) << ListText(Procedures(t));
    ClickTab(t, L"page.asp");
    EXPECT_TRUE(ProceduresAre(t, {L"AspSub"})) << ListText(Procedures(t));

    // The linked file's procedure: typed in another case, corrected, its
    // signature shown.
    ClickTab(t, L"main.vbs");
    PutCaretAtEnd(t);
    t.Type(L"\rlibsub");
    ShiftKey(t, '9');
    EXPECT_TRUE(wt::WaitFor([&] { return static_cast<bool>(wt::FindDrawn(t.Main(), L"LibSub(q)")); }, 5000));
    const std::wstring text = EditorText(t);
    EXPECT_NE(text.find(L"LibSub("), std::wstring::npos);

    // A declaration typed on a new line joins the list when the caret leaves it.
    t.Type(L")\rSub Typed(n)\r");
    EXPECT_TRUE(ProceduresAre(t, {L"Foo", L"Bar", L"Typed"})) << ListText(Procedures(t));
    t.Shot(L"procedures.bmp");
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}

namespace {

// The popup list's window when its frame shows, else null.
HWND VisiblePopupList(const Tarnel& t)
{
    for (HWND w : wt::Children(t.Main()))
        if (wt::ClassName(w) == L"ListBox" && IsWindowVisible(w) && GetParent(GetParent(w)) != t.Main())
            return w;
    return nullptr;
}

std::vector<std::wstring> ListItems(HWND list)
{
    std::vector<std::wstring> items;
    const LRESULT n = wt::Send(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buf[256] = {};
        wt::Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}

std::wstring SelectedItem(HWND list)
{
    wchar_t buf[256] = {};
    const LRESULT at = wt::Send(list, LB_GETCURSEL);
    if (at >= 0)
        wt::Send(list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(buf));
    return buf;
}

// The list stands just beside the editor's caret, right and below it or
// flipped left or above it.
bool BesideTheCaret(const Tarnel& t, HWND list)
{
    const LRESULT caret = LOWORD(wt::Send(t.Editor(), EM_GETSEL));
    const LRESULT at = wt::Send(t.Editor(), EM_POSFROMCHAR, static_cast<WPARAM>(caret));
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ClientToScreen(t.Editor(), &p);
    RECT r{};
    GetWindowRect(GetParent(list), &r);
    const bool besideX = std::abs(r.left - p.x) < 30 || std::abs(r.right - p.x) < 30;
    const bool besideY = std::abs(r.top - p.y) < 40 || std::abs(r.bottom - p.y) < 40;
    if (!besideX || !besideY)
        ADD_FAILURE() << "list at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << ", caret at "
                      << p.x << "," << p.y;
    return besideX && besideY;
}

// A key that comes down and up in the editor, as typed.
void Key(const Tarnel& t, WPARAM key)
{
    PostMessageW(t.Editor(), WM_KEYDOWN, key, 1);
    PostMessageW(t.Editor(), WM_KEYUP, key, 0xC0000001);
    Settle(t);
}

// Types text whose last letter comes down and up as a key, as typed, so
// the popup follows it.
void TypeAndRelease(const Tarnel& t, const std::wstring& text)
{
    t.Type(text.substr(0, text.size() - 1));
    Key(t, static_cast<WPARAM>(towupper(text.back())));
}

} // namespace

TEST(AssistWindow, CssPopupOffersPropertiesAndValuesAndReplacesOnlyThePartialText)
{
    Tarnel t(L"assist_css");
    const std::wstring sheet = t.Folder() + L"\\look.css", page = t.Folder() + L"\\page.htm";
    drive::WriteAll(sheet, "p {\r\n  \r\n}\r\nh1 { margin: 0; }\r\n");
    drive::WriteAll(page, "<html><p style=\"\">x</p></html>");
    ASSERT_TRUE(t.Start(L"\"" + sheet + L"\""));
    drive::Select(t.Editor(), 6, 6);   // the blank line inside the rule

    // Typing "{" or ":" in a sheet opens nothing; F11 opens the properties.
    TypeAndRelease(t, L"col");
    EXPECT_EQ(VisiblePopupList(t), nullptr);
    Key(t, VK_F11);
    HWND list = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (list = VisiblePopupList(t)) != nullptr; }, 5000));
    std::vector<std::wstring> items = ListItems(list);
    EXPECT_GT(items.size(), 100u);
    t.Shot(L"properties.bmp");

    // The typed part selects; Enter puts the name in its place and the
    // property's values show at once.
    TypeAndRelease(t, L"o");
    Key(t, VK_RETURN);
    ASSERT_TRUE(wt::WaitFor([&] {
        list = VisiblePopupList(t);
        items = list ? ListItems(list) : std::vector<std::wstring>{};
        return std::find(items.begin(), items.end(), L"red") != items.end();
    }, 5000));
    TypeAndRelease(t, L"re");
    Key(t, VK_RETURN);
    std::wstring edited;
    EXPECT_TRUE(wt::WaitFor([&] { return (edited = EditorText(t)) == L"p {\r\n  color: red; \r\n}\r\nh1 { margin: 0; }\r\n"; }, 5000))
        << std::string(edited.begin(), edited.end());
    t.Shot(L"value.bmp");

    // In a page's style attribute typing narrows the properties, and the
    // chosen property's values open at the caret.
    Open(t, page);
    drive::Select(t.Editor(), 16, 16);
    Key(t, VK_F11);
    ASSERT_TRUE(wt::WaitFor([&] { return (list = VisiblePopupList(t)) != nullptr; }, 5000));
    TypeAndRelease(t, L"col");
    EXPECT_EQ(SelectedItem(list).substr(0, 3), L"col");
    Key(t, VK_RETURN);
    ASSERT_TRUE(wt::WaitFor([&] {
        list = VisiblePopupList(t);
        items = list ? ListItems(list) : std::vector<std::wstring>{};
        return std::find(items.begin(), items.end(), L"red") != items.end();
    }, 5000));
    EXPECT_TRUE(BesideTheCaret(t, list));
    t.Shot(L"attribute values.bmp");
    TypeAndRelease(t, L"re");
    Key(t, VK_RETURN);
    EXPECT_TRUE(wt::WaitFor([&] { return (edited = EditorText(t)) == L"<html><p style=\"color: red; \">x</p></html>"; }, 5000))
        << std::string(edited.begin(), edited.end());

    // F12 offers the values of the property before the caret.
    t.Type(L"color: bl");
    Key(t, VK_F12);
    ASSERT_TRUE(wt::WaitFor([&] { return (list = VisiblePopupList(t)) != nullptr; }, 5000));
    items = ListItems(list);
    EXPECT_NE(std::find(items.begin(), items.end(), L"blue"), items.end());
    t.Command(IDM_mExit);
    for (int i = 0; i < 2; ++i)
        if (wt::Dialog ask = wt::FindDialog(t.Process(), 5000); ask.hwnd) {
            wt::PressButton(ask.hwnd, IDNO);
            wt::WaitFor([&] { return !IsWindow(ask.hwnd); }, 5000);
        }
    EXPECT_TRUE(t.Ends());
}

namespace {

// The line of the editor's caret.
LRESULT CaretLine(const Tarnel& t)
{
    const WPARAM start = LOWORD(wt::Send(t.Editor(), EM_GETSEL));
    return wt::Send(t.Editor(), EM_LINEFROMCHAR, start);
}

// The parameter tip shows the signature.
bool TipShows(const Tarnel& t, const std::wstring& signature)
{
    wt::Drawn tip = wt::FindDrawn(t.Main(), L" " + signature + L" ");
    return tip && tip.visible && IsWindowVisible(tip.container);
}

// Picks an entry of the procedure list as a user does.
void ChooseProcedure(const Tarnel& t, int index)
{
    HWND box = wt::FindChild(t.Main(), L"ComboBox");
    ASSERT_NE(box, nullptr);
    PostMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
}

} // namespace

TEST(AssistWindow, ProcedureListJumpsAndThePanelLinksAndUnlinksFiles)
{
    Tarnel t(L"assist_links");
    const std::wstring lib = t.Folder() + L"\\lib.vbs", page = t.Folder() + L"\\main.vbs";
    drive::WriteAll(lib, "Function Foo(a, b)\r\nEnd Function\r\n");
    std::string text = "Sub Near(a)\r\nEnd Sub\r\n";
    for (int i = 0; i < 60; ++i)
        text += "x = 1\r\n";
    text += "Sub Far(z)\r\nEnd Sub\r\n";  // line 62
    drive::WriteAll(page, text);
    ASSERT_TRUE(t.Start(L"\"" + page + L"\""));
    ASSERT_TRUE(ProceduresAre(t, {L"Near", L"Far"})) << ListText(Procedures(t));
    EXPECT_EQ(CaretLine(t), 0);
    ChooseProcedure(t, 1);
    EXPECT_TRUE(wt::WaitFor([&] { return CaretLine(t) == 62; }, 5000)) << CaretLine(t);

    // Browse links the file: its marker heads the page, its row shows. The
    // panel goes into the print window also after that has been loaded.
    t.Command(IDM_mPrint);
    HWND panel = tooldrive::Shown(t, L"Print Editor Text");
    ASSERT_NE(panel, nullptr);
    PostMessageW(panel, WM_CLOSE, 0, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(panel); }, 5000));
    t.Command(IDM_mFuncPop);
    ASSERT_EQ(tooldrive::Shown(t, L"Function Popup - Add or Remove"), panel);
    HWND list = wt::FindChild(panel, L"ListBox");
    ASSERT_NE(list, nullptr);
    std::vector<HWND> buttons = tooldrive::ChildrenOf(GetParent(list), L"ButSilver2");
    ASSERT_EQ(buttons.size(), 2u);  // Browse, Remove
    tooldrive::Press(buttons[0]);
    wt::Dialog open = wt::FindDialog(t.Process());
    ASSERT_NE(open.hwnd, nullptr);
    ASSERT_TRUE(drive::ChooseFile(open.hwnd, lib));
    const std::wstring marker = L"'**TARNEL LINK FILE: " + lib + L" *\r\n";
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t).rfind(marker, 0) == 0; }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return ListItems(list) == std::vector<std::wstring>{lib}; }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return GetForegroundWindow() == panel; }, 5000)) << "the panel stays in front";
    t.Shot(L"panel.bmp");

    // The linked function's tip shows as its name is typed.
    PostMessageW(panel, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(panel); }, 5000));
    PutCaretAtEnd(t);
    t.Type(L"foo");
    ShiftKey(t, '9');
    EXPECT_TRUE(wt::WaitFor([&] { return static_cast<bool>(wt::FindDrawn(t.Main(), L"Foo(a, b)")); }, 5000));
    // A jump from the procedure list leaves the call: the tip goes.
    ChooseProcedure(t, 0);
    EXPECT_TRUE(wt::WaitFor([&] { return CaretLine(t) == 1; }, 5000)) << CaretLine(t);
    EXPECT_TRUE(wt::WaitFor([&] { return !TipShows(t, L"Foo(a, b)"); }, 5000));

    // Remove asks for a row; with one, the marker line goes and nothing else.
    t.Command(IDM_mFuncPop);
    ASSERT_NE(tooldrive::Shown(t, L"Function Popup - Add or Remove"), nullptr);
    EXPECT_EQ(ListItems(list), std::vector<std::wstring>{lib});
    tooldrive::Press(buttons[1]);
    EXPECT_EQ(tooldrive::MessageText(t), L"Nothing selected.");
    PostMessageW(list, LB_SETCURSEL, 0, 0);
    tooldrive::Press(buttons[1]);
    EXPECT_TRUE(wt::WaitFor([&] { return ListItems(list).empty(); }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t).rfind(L"Sub Near(a)\r\n", 0) == 0; }, 5000));
    EXPECT_EQ(EditorText(t).find(L"TARNEL LINK FILE"), std::wstring::npos);

    // So does the insertion of a link marker.
    PutCaretAtEnd(t);
    t.Type(L"near");
    ShiftKey(t, '9');
    ASSERT_TRUE(wt::WaitFor([&] { return TipShows(t, L"Near(a)"); }, 5000));
    tooldrive::Press(buttons[0]);
    open = wt::FindDialog(t.Process());
    ASSERT_NE(open.hwnd, nullptr);
    ASSERT_TRUE(drive::ChooseFile(open.hwnd, lib));
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t).rfind(marker, 0) == 0; }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return !TipShows(t, L"Near(a)"); }, 5000));

    // The same window prints again with its own panel.
    t.Command(IDM_mPrint);
    ASSERT_EQ(tooldrive::Shown(t, L"Print Editor Text"), panel);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(tooldrive::ChildrenOf(panel, L"ButSilver2").size(), 3u);  // Print, Printer Setup, Cancel
    t.Shot(L"print.bmp");
    EXPECT_TRUE(drive::ExitWithoutSaving(t));
}
