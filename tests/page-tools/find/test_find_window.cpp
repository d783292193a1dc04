// The find window, the multi-file shortcut and the procedure jump of the
// real TARNEL.exe, driven from outside.
#include <gtest/gtest.h>

#include "MenuIds.h"
#include "TarnelCopy.h"
#include "platform/Files.h"

#include <richedit.h>

#include <algorithm>

using apptest::Tarnel;

namespace {

const COLORREF kForwardMiss = 0x95A6BD;

SettingsRecord Record()
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.LastEdType = 2;
    if (rec.HotKeys.size() < 23)
        rec.HotKeys.resize(23, 1);
    rec.HotKeys[6] = 'F';   // Find and Replace
    rec.HotKeys[7] = 'M';   // Multi-file Replace
    return rec;
}

std::wstring WriteDocument(const Tarnel& t, const wchar_t* name, const std::string& text)
{
    std::wstring path = t.Folder() + L"\\" + name;
    EXPECT_TRUE(platform::WriteFileSafely(path, text));
    return path;
}

bool Start(Tarnel& t, const std::wstring& document)
{
    t.WriteRecord(Record());
    return t.Start(L"\"" + document + L"\"");
}

// Ctrl+letter through the keyboard, so the program reads Ctrl as held.
void Ctrl(const Tarnel& t, wchar_t letter) { t.KeyWith(VK_CONTROL, static_cast<WORD>(letter)); }
DWORD Selection(const Tarnel& t) { return static_cast<DWORD>(wt::Send(t.Editor(), EM_GETSEL)); }

std::wstring EditorText(const Tarnel& t)
{
    std::wstring text = wt::WindowText(t.Editor());
    text.erase(std::remove(text.begin(), text.end(), L'\n'), text.end());
    return text;
}

// The find window's controls, by their places: the two fields and the five
// buttons of its first row from left to right.
struct FindPanel {
    HWND hwnd = nullptr;
    HWND tFind = nullptr, trep = nullptr;
    std::vector<HWND> buttons;   // bFind, bFindLast, brepone, brepall, bCloseFind

    explicit FindPanel(Tarnel& t)
    {
        hwnd = t.Process().FindTopWindow(L"", L"Find and Replace", 10000);
        if (!hwnd)
            return;
        std::vector<HWND> edits;
        wt::FieldsAndImageButtons(hwnd, edits, buttons);
        if (edits.size() == 2) {
            tFind = edits[0];
            trep = edits[1];
        }
    }
    void Type(HWND field, const std::wstring& text) const
    {
        for (wchar_t c : text)
            wt::Send(field, WM_CHAR, c, 1);
        wt::Send(hwnd, WM_NULL);
    }
    void Set(HWND field, const std::wstring& text) const
    {
        wt::Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Click(int index) const
    {
        PostMessageW(buttons[index], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(buttons[index], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    // The find field shows colour (a screenshot of the window).
    bool FieldShows(const Tarnel& t, COLORREF colour, const std::wstring& shot) const
    {
        wt::Screenshot s;
        const RECT r = wt::RectIn(tFind, hwnd);
        return wt::ScreenshotShowing(t.Folder() + L"\\" + shot, hwnd, s,
                                     [&](const wt::Screenshot& seen) { return seen.Mostly(colour, r); });
    }
};

int EditorHeight(const Tarnel& t)
{
    RECT r{};
    GetWindowRect(t.Editor(), &r);
    return r.bottom - r.top;
}

} // namespace

TEST(FindAndReplaceWindow, CtrlFTakesAShortSelectionAndTheEditorMakesRoom)
{
    Tarnel t(L"find_ctrl_f");
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", "alpha beta alpha and a line long enough to select forty\r\n")));
    const int fullHeight = EditorHeight(t);
    wt::Send(t.Editor(), EM_SETSEL, 6, 10);
    Ctrl(t, 'F');
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    EXPECT_EQ(wt::WindowText(f.tFind), L"beta");
    EXPECT_EQ(Selection(t), MAKELONG(6, 10)) << "found from the top as the field filled";
    EXPECT_EQ(fullHeight - EditorHeight(t), 20) << "300 twips of room below the editor";

    wt::Send(t.Editor(), EM_SETSEL, 0, 45);
    Ctrl(t, 'F');
    EXPECT_EQ(wt::WindowText(f.tFind), L"");

    f.Click(4);   // close: the editor takes its room back
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(f.hwnd); }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return EditorHeight(t) == fullHeight; }, 5000));

    Ctrl(t, 'M');
    EXPECT_NE(t.Process().FindTopWindow(L"", L"Replace Text in Multiple Files", 10000), nullptr);
}

TEST(FindAndReplaceWindow, MinimisingHidesItAndRestoringShowsItWithItsFields)
{
    Tarnel t(L"find_minimise");
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", "alpha beta\r\n")));
    t.Command(IDM_mFind);
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    f.Set(f.tFind, L"beta");
    f.Set(f.trep, L"gamma");
    wt::Send(t.Editor(), EM_SETSEL, 0, 0);
    const int withFind = EditorHeight(t);
    // As "minimise all windows" does it: the system hides no owned window first.
    ShowWindowAsync(t.Main(), SW_MINIMIZE);
    EXPECT_TRUE(wt::WaitFor([&] { return IsIconic(t.Main()) && !IsWindowVisible(f.hwnd); }, 5000));
    ShowWindowAsync(t.Main(), SW_RESTORE);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsIconic(t.Main()) && IsWindowVisible(f.hwnd); }, 5000));
    EXPECT_EQ(wt::WindowText(f.tFind), L"beta");
    EXPECT_EQ(wt::WindowText(f.trep), L"gamma");
    EXPECT_TRUE(wt::WaitFor([&] { return EditorHeight(t) == withFind; }, 5000)) << "the editor makes room again";
    RECT m{}, w{};
    GetWindowRect(t.Main(), &m);
    GetWindowRect(f.hwnd, &w);
    EXPECT_EQ(w.top, m.bottom - 1230 / 15) << "over the main window's bottom strip";
    // On the screen too, once the main window is drawn again (its gutter no
    // longer black): the find window's caption shows there, not the main
    // window's face.
    RECT caption{w.left + 4, w.top + 3, w.right - 40, w.top + GetSystemMetrics(SM_CYCAPTION) - 3}, gutter{};
    GetWindowRect(t.Editor(), &gutter);
    gutter = {gutter.left - 30, gutter.top + 5, gutter.left - 5, gutter.bottom - 5};
    wt::Screenshot seen;
    EXPECT_TRUE(wt::ScreenshotShowing(t.Folder() + L"\\restored.bmp", nullptr, seen, [&](const wt::Screenshot& s) {
        return !s.Mostly(RGB(0, 0, 0), gutter) && !s.Mostly(GetSysColor(COLOR_BTNFACE), caption);
    }));
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(FindAndReplaceWindow, TypingFindsAndMissesColourTheFieldUntilEdited)
{
    Tarnel t(L"find_typing");
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", "alpha beta alphabet\r\n")));
    t.Command(IDM_mFind);
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    f.Type(f.tFind, L"bet");
    EXPECT_EQ(Selection(t), MAKELONG(6, 9));
    f.Click(0);
    wt::Send(f.hwnd, WM_NULL);
    EXPECT_TRUE(wt::WaitFor([&] { return Selection(t) == MAKELONG(16, 19); }, 5000));
    f.Click(0);   // no third one: a forward miss
    EXPECT_TRUE(f.FieldShows(t, kForwardMiss, L"miss.bmp"));
    f.Type(f.tFind, L"a");   // edited: white again, and searched from the top
    EXPECT_TRUE(f.FieldShows(t, RGB(255, 255, 255), L"cleared.bmp"));
    EXPECT_EQ(Selection(t), MAKELONG(6, 10));
}

TEST(FindAndReplaceWindow, ReplaceAsksBeforeDeletingAndReplaceAllCounts)
{
    Tarnel t(L"find_replace");
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", "alpha beta alpha\r\n")));
    t.Command(IDM_mFind);
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    f.Type(f.tFind, L"beta");
    f.Click(2);   // replace with an empty replacement
    wt::Dialog d = wt::FindDialog(t.Process());
    EXPECT_EQ(d.text, L"No text entered. Delete \"beta\"?");
    wt::PressButton(d.hwnd, IDNO);
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000));
    EXPECT_EQ(EditorText(t), L"alpha beta alpha\r");

    f.Set(f.tFind, L"alpha");
    f.Set(f.trep, L"gamma");
    f.Click(3);
    d = wt::FindDialog(t.Process());
    EXPECT_EQ(d.text, L"2 replacements made.");
    wt::PressButton(d.hwnd, IDOK);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t) == L"gamma beta gamma\r"; }, 5000)) << EditorText(t);
}

TEST(FindAndReplaceWindow, ClosingRecoloursWhatWasReplaced)
{
    Tarnel t(L"find_recolour");
    std::string page = "<html><body>\r\n";
    for (int i = 0; i < 10; ++i)
        page += "qqqqqqqqqqqq qqqqqqqqqqqq\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", page + "</body></html>\r\n")));
    const COLORREF tag = static_cast<COLORREF>(Record().ColorTag);
    t.Command(IDM_mFind);
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    f.Set(f.tFind, L"qqqqqqqqqqqq");
    f.Set(f.trep, L"<table><tr>");
    f.Click(3);
    wt::Dialog d = wt::FindDialog(t.Process());
    EXPECT_EQ(d.text, L"20 replacements made.");
    wt::PressButton(d.hwnd, IDOK);
    wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
    wt::Screenshot before, after;
    const RECT editor = wt::RectIn(t.Editor(), t.Main());
    ASSERT_TRUE(wt::ScreenshotShowing(t.Folder() + L"\\before.bmp", t.Main(), before,
                                      [](const wt::Screenshot&) { return true; }));
    const int tagPixels = before.Count(tag, editor, 20);
    f.Click(4);
    EXPECT_TRUE(wt::ScreenshotShowing(t.Folder() + L"\\after.bmp", t.Main(), after, [&](const wt::Screenshot& s) {
        return s.Count(tag, editor, 20) > tagPixels + 200;
    }));
}

TEST(FindAndReplaceWindow, TheProcedureListJumpsToDeclarationsFromTheFirstCharacter)
{
    Tarnel t(L"find_procedures");
    std::string script = "Sub First(a)\r\nEnd Sub\r\n";
    for (int i = 0; i < 60; ++i)
        script += "x = " + std::to_string(i) + "\r\n";
    script += "Function Later(b)\r\nEnd Function\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"code.vbs", script)));
    // The procedure list as the function list fills it.
    HWND list = wt::FindChild(t.Main(), L"ComboBox");
    ASSERT_NE(list, nullptr);
    for (const wchar_t* name : {L"First", L"Later"})
        wt::Send(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    auto pick = [&](const wchar_t* name) {
        LRESULT i = wt::Send(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        wt::Send(list, CB_SETCURSEL, static_cast<WPARAM>(i));
        wt::Send(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    };
    pick(L"Later");
    const long later = static_cast<long>(wt::Send(t.Editor(), EM_LINEINDEX, 62));
    EXPECT_EQ(Selection(t), MAKELONG(later, later));
    pick(L"First");
    EXPECT_EQ(Selection(t), 0u);
}

TEST(FindAndReplaceWindow, ReplaceAllOnALongPageIsUndoneInOneStep)
{
    Tarnel t(L"find_long_undo");
    std::string page = "<html><body>\r\n";
    for (int i = 0; i < 600; ++i)
        page += "<p>line " + std::to_string(i) + " with a word</p>\r\n";
    ASSERT_TRUE(Start(t, WriteDocument(t, L"page.htm", page + "</body></html>\r\n")));
    const std::wstring before = EditorText(t);
    t.Command(IDM_mFind);
    FindPanel f(t);
    ASSERT_NE(f.tFind, nullptr);
    f.Set(f.tFind, L"word");
    f.Set(f.trep, L"phrase");
    f.Click(3);
    wt::Dialog d = wt::FindDialog(t.Process());
    EXPECT_EQ(d.text, L"600 replacements made.");
    wt::PressButton(d.hwnd, IDOK);
    wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
    EXPECT_EQ(EditorText(t).size(), before.size() + 600 * 2);
    t.Command(IDM_mUndo);
    EXPECT_TRUE(wt::WaitFor([&] { return EditorText(t) == before; }, 10000));
}
