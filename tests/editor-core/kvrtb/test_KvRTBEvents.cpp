#include "KvRTBFixture.h"

#include <richedit.h>
#include <shlobj.h>

#include "forms/Controls.h"

#include <string>
#include <vector>

namespace {

class KvRTBEvents : public KvRTBTest {
protected:
    void SetUp() override
    {
        KvRTBTest::SetUp();
        KvRTB& r = rtb();
        r.KeyDown = [this](int& k, int) {
            log.push_back("KeyDown " + std::to_string(k));
            if (k == zeroKeyDown)
                k = 0;
        };
        r.KeyPress = [this](int& a) {
            log.push_back("KeyPress " + std::to_string(a));
            if (a == zeroKeyPress)
                a = 0;
        };
        r.KeyUp = [this](int& k, int) { log.push_back("KeyUp " + std::to_string(k)); };
        r.TabPress = [this] { log.push_back("TabPress"); };
        r.NavigationKey = [this](int& k, int) { log.push_back("Nav " + std::to_string(k)); };
        r.LineEvent = [this](long& t) { log.push_back("Line " + std::to_string(t)); };
        r.MouseDown = [this](int b, int, int x, int y) {
            log.push_back("MouseDown " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        r.MouseUp = [this](int b, int, int x, int y) {
            log.push_back("MouseUp " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        r.Change = [this] { ++changes; };
        r.OnSelChange = [this](long& start, long&) { selStarts.push_back(start); };
        r.VScroll = [this](WPARAM& w) { log.push_back("VScroll " + std::to_string(LOWORD(w))); };
        r.WheelScroll = [this](WPARAM& w, LPARAM&) {
            log.push_back("Wheel " + std::to_string(static_cast<short>(HIWORD(w))));
        };
    }
    // A key as the message loop delivers it: down, the character, up.
    void Key(int vk, int ch = 0)
    {
        HWND w = rtb().RTBhWnd();
        SendMessageW(w, WM_KEYDOWN, vk, 1);
        if (ch)
            SendMessageW(w, WM_CHAR, ch, 1);
        SendMessageW(w, WM_KEYUP, vk, 0xC0000001);
    }
    std::vector<std::string> log;
    int zeroKeyDown = -1;
    int zeroKeyPress = -1;
    int changes = 0;
    std::vector<long> selStarts;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(KvRTBEvents, LetterEnterTabAndArrow)
{
    rtb().SetText(L"ab");
    rtb().SetSelStart(2);
    Key('C', 'c');
    EXPECT_EQ(log, (Log{"KeyDown 67", "KeyPress 99", "KeyUp 67"}));
    EXPECT_EQ(rtb().Text(), L"abc");

    log.clear();
    Key(VK_RETURN, '\r');
    EXPECT_EQ(log, (Log{"KeyDown 13", "KeyPress 13", "Line 2"}));
    EXPECT_EQ(rtb().Text(), L"abc\r\n");   // exactly one line break
    EXPECT_EQ(rtb().SelStart(), 4);

    log.clear();
    Key(VK_TAB, '\t');
    EXPECT_EQ(log, (Log{"TabPress"}));
    EXPECT_EQ(rtb().Text(), L"abc\r\n");

    log.clear();
    Key(VK_LEFT);
    EXPECT_EQ(log, (Log{"KeyDown 37", "Nav 37", "Line 1"}));
    EXPECT_EQ(rtb().SelStart(), 3);
}

TEST_F(KvRTBEvents, HandlersThatZeroTheKeyStopTheLineBreak)
{
    rtb().SetText(L"x");
    rtb().SetSelStart(1);
    zeroKeyPress = 13;
    Key(VK_RETURN, '\r');
    EXPECT_EQ(rtb().Text(), L"x");
    zeroKeyPress = -1;
    zeroKeyDown = 13;
    Key(VK_RETURN, '\r');
    EXPECT_EQ(rtb().Text(), L"x");
    // A zeroed letter key never reaches the RichEdit's key-down handling.
    zeroKeyDown = VK_DELETE;
    rtb().SetSelStart(0);
    Key(VK_DELETE);
    EXPECT_EQ(rtb().Text(), L"x");
}

TEST_F(KvRTBEvents, ReadOnlySwallowsTypingButNotNavigation)
{
    rtb().SetText(L"abc\r\ndef");
    rtb().SetReadOnly(true);
    rtb().SetSelStart(1);
    Key('X', 'x');
    Key(VK_DELETE);
    Key(VK_BACK, 8);
    Key(VK_RETURN, '\r');
    Key(VK_TAB, '\t');
    EXPECT_EQ(rtb().Text(), L"abc\r\ndef");
    EXPECT_EQ(log, (Log{"KeyDown 13"}));
    log.clear();
    Key(VK_RIGHT);
    EXPECT_EQ(log, (Log{"KeyDown 39"}));
    EXPECT_EQ(rtb().SelStart(), 2);
    // Text set from code still changes.
    rtb().SetText(L"new");
    EXPECT_EQ(rtb().Text(), L"new");
}

TEST_F(KvRTBEvents, TheFormsMenuShortcutsComeFirst)
{
    forms::MenuItem mRun, mGo;
    int runs = 0;
    mGo.Click = [&] { ++runs; };
    form.Menus.Add(mRun, L"&Run");
    mRun.Add(mGo, L"&Go").SetShortcut(forms::ParseShortcut(L"F5"));
    rtb().SetText(L"a");
    rtb().SetSelStart(0);
    Key(VK_F5);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(log, (Log{"KeyUp 116"}));
    log.clear();
    Key('B', 'b');
    mGo.SetEnabled(false);   // a disabled item leaves the key to the editor
    Key(VK_F5);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(log, (Log{"KeyDown 66", "KeyPress 98", "KeyUp 66", "KeyDown 116", "KeyUp 116"}));
    mRun.Remove(mGo);
    form.Menus.Remove(mRun);
}

TEST_F(KvRTBEvents, MouseAndScrollMessages)
{
    HWND w = rtb().RTBhWnd();
    LPARAM at = MAKELPARAM(5, 7);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(w, WM_LBUTTONUP, 0, at);
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(w, WM_RBUTTONUP, 0, at);
    SendMessageW(w, WM_MBUTTONUP, 0, at);
    SendMessageW(w, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    // The point in twips inside the control, whose RichEdit sits inside a
    // sunken edge.
    POINT pt{5, 7};
    MapWindowPoints(w, rtb().hwnd, &pt, 1);
    std::string p = std::to_string(forms::PixelsToTwipsX(pt.x)) + "," + std::to_string(forms::PixelsToTwipsY(pt.y));
    EXPECT_EQ(log, (Log{"MouseDown 1 " + p, "MouseUp 1 " + p, "Line 3", "MouseDown 2 " + p,
                        "MouseUp 2 " + p, "MouseUp 4 " + p, "VScroll 1", "Wheel -120"}));
}

TEST_F(KvRTBEvents, ChangeAndSelectionChangeWhenTheMaskAsks)
{
    rtb().SetText(L"hello");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(selStarts.empty());
    SendMessageW(rtb().RTBhWnd(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    rtb().SetSelStart(2);
    ASSERT_FALSE(selStarts.empty());
    EXPECT_EQ(selStarts.back(), 2);
    rtb().SetSelText(L"X");
    EXPECT_GE(changes, 1);
    int before = changes;
    Key('Y', 'y');
    EXPECT_GT(changes, before);
    EXPECT_EQ(rtb().Text(), L"heXyllo");
    // A handler may read the text while the RichEdit is still streaming.
    std::wstring seen;
    rtb().Change = [&] { seen = rtb().Text(); };
    rtb().SetText(L"streamed");
    EXPECT_EQ(seen, L"streamed");
}

TEST_F(KvRTBEvents, DroppedFilesGoToTheHandlerOnly)
{
    // An HDROP as the shell makes it: DROPFILES followed by the paths.
    const wchar_t files[] = L"C:\\one.txt\0C:\\two.htm\0";
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof(files));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), files, sizeof(files));
    GlobalUnlock(mem);

    std::vector<std::wstring> got;
    rtb().FileDrop = [&](HDROP& h) {
        UINT n = DragQueryFileW(h, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            wchar_t buf[MAX_PATH];
            DragQueryFileW(h, i, buf, MAX_PATH);
            got.push_back(buf);
        }
        DragFinish(h);
    };
    rtb().SetText(L"");
    SendMessageW(rtb().RTBhWnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(got, (std::vector<std::wstring>{L"C:\\one.txt", L"C:\\two.htm"}));
    EXPECT_EQ(rtb().LenText(), 0);
}

TEST_F(KvRTBEvents, HandlerMayDestroyTheControl)
{
    auto* f = new fRtbTest;
    ASSERT_TRUE(f->Load());
    HWND w = f->JT1.RTBhWnd();
    int seen = 0;
    f->JT1.KeyDown = [&](int&, int) {
        ++seen;
        delete f;
    };
    SendMessageW(w, WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(CSubclass::LiveHooks(), 1);   // only the fixture's editor
}

// Tab and Enter as the message loop delivers them, on a form with another
// control and a default button: they stay with the editor.
TEST_F(KvRTBEvents, TabAndEnterStayWithTheEditorOnAForm)
{
    forms::CommandButton bOK;
    bOK.Place(form, 0, 2500, 1000, 400);
    bOK.SetDefault(true);
    int clicks = 0;
    bOK.Click = [&] { ++clicks; };
    form.Show();
    rtb().SetFocus();
    rtb().SetText(L"ab");
    rtb().SetSelStart(2);
    HWND w = rtb().RTBhWnd();
    for (int vk : {VK_TAB, VK_RETURN}) {
        PostMessageW(w, WM_KEYDOWN, vk, 1);
        forms::DoEvents();
        PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
        forms::DoEvents();
    }
    EXPECT_EQ(log, (Log{"TabPress", "KeyDown 13", "KeyPress 13", "Line 2"}));
    EXPECT_EQ(GetFocus(), w);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(rtb().Text(), L"ab\r\n");

    // A click into the editor while the button has the focus: the host takes
    // it and hands it on; the window is not activated by the RichEdit itself.
    bOK.SetFocus();
    ASSERT_NE(GetFocus(), w);
    LRESULT r = SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form.hwnd),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(r, MA_NOACTIVATE);
    EXPECT_EQ(GetFocus(), w);
    r = SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form.hwnd),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_NE(r, MA_NOACTIVATE);
    form.Hide();
    bOK.Destroy();
}

TEST(KvRTBShared, EditorsShareTheProgramsSubclasser)
{
    auto shared = std::make_unique<CSubclass>();
    fRtbTest a, b;
    a.JT1.Subclasser = shared.get();
    b.JT1.Subclasser = shared.get();
    ASSERT_TRUE(a.Load());
    ASSERT_TRUE(b.Load());
    EXPECT_TRUE(shared->IsSubclassed(a.JT1.RTBhWnd()));
    EXPECT_TRUE(shared->IsSubclassed(b.JT1.RTBhWnd()));
    int tabs = 0;
    b.JT1.TabPress = [&] { ++tabs; };
    SendMessageW(b.JT1.RTBhWnd(), WM_KEYUP, VK_TAB, 0xC0000001);
    EXPECT_EQ(tabs, 1);

    HWND first = a.JT1.RTBhWnd();
    a.Unload();
    EXPECT_FALSE(shared->IsSubclassed(first));
    // Released before the last editor: that editor turns into a plain
    // RichEdit and still tears down cleanly.
    shared.reset();
    SendMessageW(b.JT1.RTBhWnd(), WM_KEYUP, VK_TAB, 0xC0000001);
    EXPECT_EQ(tabs, 1);
    b.Unload();
    EXPECT_EQ(CSubclass::LiveHooks(), 0);
}

// Editors in a control array raise the array's events with their index, as
// every other control does.
TEST(KvRTBArray, EditorsInAControlArray)
{
    class fArray : public forms::Form {
    public:
        fArray()
        {
            SetClientSize(6000, 3000);
            Ed(0).Place(*this, 0, 0, 3000, 3000);
            Ed(1).Place(*this, 3000, 0, 3000, 3000);
        }
        ~fArray() override { Teardown(); }
        forms::ControlArray<KvRTB> Ed;
    } f;
    std::vector<std::string> seen;
    f.Ed.KeyDown = [&](int Index, int& KeyCode, int) {
        seen.push_back("KeyDown " + std::to_string(Index) + " " + std::to_string(KeyCode));
    };
    f.Ed.MouseUp = [&](int Index, int Button, int, int, int) {
        seen.push_back("MouseUp " + std::to_string(Index) + " " + std::to_string(Button));
    };
    f.Ed.Change = [&](int Index) { seen.push_back("Change " + std::to_string(Index)); };
    ASSERT_TRUE(f.Load());
    HWND second = f.Ed(1).RTBhWnd();
    SendMessageW(second, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageW(second, WM_KEYDOWN, VK_HOME, 1);
    SendMessageW(second, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"KeyDown 1 36", "MouseUp 1 2"}));
    seen.clear();
    f.Ed(1).SetText(L"x");
    ASSERT_FALSE(seen.empty());
    for (const std::string& s : seen)
        EXPECT_EQ(s, "Change 1");
    f.Ed(0).SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(f.Ed(0).RTBhWnd()));
    EXPECT_TRUE(IsWindowEnabled(second));
}
