// The mode items and the layout of the real TARNEL.exe, read from outside:
// menu states through the window's menu bar, controls by their place (the
// drawn ones through their containers' accessibility objects).
#include <gtest/gtest.h>

#include "MenuIds.h"
#include "forms/Menu.h"
#include "TarnelCopy.h"

#include <algorithm>
#include <set>
#include <vector>

using apptest::Tarnel;

namespace {

int Px(int twips)
{
    return MulDiv(twips, 96, 1440);
}

// A screen rectangle in the client area of `main`.
RECT InClient(RECT r, HWND main)
{
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A window's rectangle in the client area of `main`.
RECT RectIn(HWND w, HWND main)
{
    RECT r{};
    GetWindowRect(w, &r);
    return InClient(r, main);
}

// The visible controls of parent, child windows and drawn controls alike
// (the latter with no window), each with its rectangle in parent.
struct Kid {
    HWND hwnd;
    RECT r;
};

std::vector<Kid> VisibleKids(HWND parent)
{
    std::vector<Kid> kids;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w))
            kids.push_back({w, RectIn(w, parent)});
    for (const wt::Drawn& d : wt::DrawnIn(parent))
        if (d.visible)
            kids.push_back({nullptr, InClient(d.screen, parent)});
    return kids;
}

// The drawn control of parent at that place; a visible one before a hidden one.
wt::Drawn DrawnAt(HWND parent, int left, int top)
{
    wt::Drawn hidden;
    for (const wt::Drawn& d : wt::DrawnIn(parent)) {
        const RECT r = InClient(d.screen, parent);
        if (r.left == left && r.top == top) {
            if (d.visible)
                return d;
            hidden = d;
        }
    }
    return hidden;
}

// The child window at that place; a visible one before a hidden one.
HWND KidAt(HWND parent, int left, int top)
{
    HWND hidden = nullptr;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r = RectIn(w, parent);
        if (r.left == left && r.top == top) {
            if (IsWindowVisible(w))
                return w;
            hidden = w;
        }
    }
    return hidden;
}

// The child of `main` that holds w.
HWND TopKid(HWND w, HWND main)
{
    while (w && GetParent(w) != main)
        w = GetParent(w);
    return w;
}

SIZE Client(HWND main)
{
    RECT r{};
    GetClientRect(main, &r);
    return {r.right, r.bottom};
}

// Visible children of parent that overlap each other, as text ("" when none).
std::string Overlaps(HWND parent, const std::set<HWND>& skip = {})
{
    std::vector<Kid> kids = VisibleKids(parent);
    std::string found;
    for (size_t i = 0; i < kids.size(); ++i)
        for (size_t j = i + 1; j < kids.size(); ++j) {
            if ((kids[i].hwnd && skip.count(kids[i].hwnd)) || (kids[j].hwnd && skip.count(kids[j].hwnd)))
                continue;
            RECT a = kids[i].r, b = kids[j].r, x{};
            if (IntersectRect(&x, &a, &b))
                found += "(" + std::to_string(a.left) + "," + std::to_string(a.top) + ")-(" +
                         std::to_string(b.left) + "," + std::to_string(b.top) + ") ";
        }
    return found;
}

// Every visible control lies inside its parent.
std::string CutOff(HWND parent)
{
    std::string found;
    RECT outer{};
    GetClientRect(parent, &outer);
    for (const Kid& k : VisibleKids(parent)) {
        RECT r = k.r, x{};
        IntersectRect(&x, &r, &outer);
        if (!EqualRect(&x, &r))
            found += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ") ";
    }
    return found;
}

struct Win {
    HWND main, toolRow, editor, gutter, frame1;
};

Win Find(const Tarnel& t)
{
    Win w{};
    w.main = t.Main();
    w.toolRow = KidAt(w.main, 0, Px(440));
    w.editor = TopKid(t.Editor(), w.main);
    for (HWND k = GetWindow(w.main, GW_CHILD); k && !w.gutter; k = GetWindow(k, GW_HWNDNEXT))
        if (lstrcmpiW(wt::ClassName(k).c_str(), L"Edit") == 0)
            w.gutter = k;
    w.frame1 = wt::FindDrawn(w.main, L"TA").container;
    return w;
}

// Lefts (twips, as designed) of the visible tool-bar buttons right of the
// file and edit groups; a button elsewhere counts as minus its pixel left.
std::set<int> TypeButtons(HWND toolRow)
{
    std::set<int> lefts;
    for (const Kid& k : VisibleKids(toolRow)) {
        const RECT& r = k.r;
        if (r.right - r.left != Px(330) || r.bottom - r.top != Px(330) || r.left < Px(4500))
            continue;
        int left = -r.left;
        for (int twips : {4610, 4970, 5030, 5330, 5450, 5870})
            if (Px(twips) == r.left)
                left = twips;
        lefts.insert(left);
    }
    return lefts;
}

// The item's own state as the program's menus hold it (-1: no such item).
LRESULT MenuState(HWND main, UINT id)
{
    static const UINT query = RegisterWindowMessageW(forms::kMenuStateMessage);
    return wt::Send(main, query, id);
}

bool Checked(HWND main, UINT id)
{
    LRESULT s = MenuState(main, id);
    return s != -1 && (s & forms::kMenuChecked);
}

bool Shown(HWND main, UINT id)
{
    LRESULT s = MenuState(main, id);
    return s != -1 && (s & forms::kMenuVisible);
}

bool Enabled(HWND main, UINT id)
{
    LRESULT s = MenuState(main, id);
    return s != -1 && (s & forms::kMenuEnabled);
}

// The pixels of a rectangle of the screen.
std::vector<uint32_t> Pixels(RECT r)
{
    const int cx = r.right - r.left, cy = r.bottom - r.top;
    std::vector<uint32_t> px(static_cast<size_t>(cx * cy));
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, cx, cy, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
    GetDIBits(mem, bmp, 0, static_cast<UINT>(cy), px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return px;
}

// The pixels of a window (or of its client area) as the screen shows it.
std::vector<uint32_t> Pixels(HWND w, bool clientOnly = false)
{
    RECT r{};
    GetWindowRect(w, &r);
    if (clientOnly) {
        GetClientRect(w, &r);
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    return Pixels(r);
}

SettingsRecord Record(int autoBars, int edType, bool noLineDebug = false)
{
    SettingsRecord rec;
    rec.WinWidth = 800 * 15;
    rec.WinHeight = 600 * 15;
    rec.AutoBars = autoBars;
    rec.LastEdType = edType;
    rec.NoLineDebug = noLineDebug;
    return rec;
}

struct ModeCase {
    UINT id;
    const wchar_t* typeName;
    std::set<int> buttons;
    int scriptGroupLeft;   // TBarC, 0: hidden
    bool cssBar;
};

const ModeCase kModes[] = {
    {IDM_mCSSEd, L"CSS", {4610}, 0, true},
    {IDM_mScrShow, L"VBScript", {4610, 4970, 5330}, 5700, false},
    {IDM_mJScrShow, L"Javascript", {4610}, 5110, false},
    {IDM_mWebBack, L"HTML", {4610, 5030, 5450, 5870}, 0, false},
};

void SwitchMode(const Tarnel& t, const ModeCase& m)
{
    t.Command(m.id);
    const std::wstring caption = L"TARNEL Editor - " + std::wstring(m.typeName) + L" - Untitled";
    ASSERT_TRUE(wt::WaitFor([&] { return wt::WindowText(t.Main()) == caption; }, 5000)) << caption.c_str();
}

void CheckMode(const Tarnel& t, const ModeCase& m, const std::wstring& shot)
{
    SCOPED_TRACE(testing::Message() << "mode " << std::string(m.typeName, m.typeName + wcslen(m.typeName)));
    Win w = Find(t);
    const bool html = m.id == IDM_mWebBack;
    const bool vbs = m.id == IDM_mScrShow;
    for (const ModeCase& other : kModes)
        EXPECT_EQ(Checked(w.main, other.id), other.id == m.id);
    EXPECT_EQ(Shown(w.main, IDM_mimops), html);
    EXPECT_EQ(Shown(w.main, IDM_mColorFind1), html);
    EXPECT_EQ(Shown(w.main, IDM_mUpHTML), html);
    EXPECT_EQ(Shown(w.main, IDM_mCom), vbs);
    EXPECT_EQ(Shown(w.main, IDM_mComPop), vbs);
    EXPECT_EQ(Shown(w.main, IDM_mDebug), vbs);
    EXPECT_EQ(Enabled(w.main, IDM_mFuncPop1), vbs || html);
    EXPECT_EQ(Enabled(w.main, IDM_mAutoSet), m.id != IDM_mCSSEd);

    EXPECT_EQ(TypeButtons(w.toolRow), m.buttons);
    HWND group = m.scriptGroupLeft ? KidAt(w.toolRow, Px(m.scriptGroupLeft), 0) : nullptr;
    EXPECT_TRUE(m.scriptGroupLeft == 0 || (group && IsWindowVisible(group)));
    const SIZE c = Client(w.main);
    HWND cssBar = KidAt(w.main, 0, Px(c.cy * 15 - 810));
    EXPECT_EQ(cssBar && IsWindowVisible(cssBar), m.cssBar);

    // The CSS bar lies over the status row by design, on top of it.
    POINT inStatus{Px(2000), Px(c.cy * 15 - 810) + 5};
    HWND top = ChildWindowFromPointEx(w.main, inStatus, CWP_SKIPINVISIBLE);
    EXPECT_EQ(top == cssBar, m.cssBar);
    // The right scroll button is drawn wherever the layout put it, and
    // hidden under the CSS bar.
    HWND scroll = KidAt(w.main, Px(c.cx * 15 - 300), Px(c.cy * 15 - 780));
    ASSERT_NE(scroll, nullptr);
    auto plain = [&](HWND hwnd, bool clientOnly) {
        const std::vector<uint32_t> px = Pixels(hwnd, clientOnly);
        return std::all_of(px.begin(), px.end(), [&](uint32_t p) { return p == px[0]; });
    };
    EXPECT_TRUE(wt::WaitFor([&] { return plain(scroll, false) == m.cssBar; }, 3000));
    // The empty status row shows nothing inside its edge.
    HWND status = KidAt(w.main, Px(345), Px(c.cy * 15 - 810));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(m.cssBar || plain(status, true));
    EXPECT_EQ(Overlaps(w.main, {cssBar}), "");
    EXPECT_EQ(Overlaps(w.toolRow), "");
    EXPECT_EQ(CutOff(w.main), "");
    EXPECT_EQ(CutOff(w.toolRow), "");
    t.Shot(shot);
}

} // namespace

TEST(LayoutWindow, EachModeItemSetsItsCaptionChecksMenusAndToolBar)
{
    Tarnel t(L"layout_modes");
    t.WriteRecord(Record(0, 2));
    ASSERT_TRUE(t.Start());
    for (const wchar_t* size : {L"800x600", L"max"}) {
        if (size[0] == L'm') {
            ShowWindow(t.Main(), SW_MAXIMIZE);
            ASSERT_TRUE(wt::WaitFor([&] { return IsZoomed(t.Main()) != FALSE; }, 3000));
            wt::Send(t.Main(), WM_NULL);
        }
        for (const ModeCase& m : kModes) {
            SwitchMode(t, m);
            CheckMode(t, m, std::wstring(L"mode_") + m.typeName + L"_" + size + L".bmp");
        }
    }

    // Line debugging on: one of the pair at 5330 and "Use" checked.
    SwitchMode(t, kModes[1]);
    Win w = Find(t);
    EXPECT_TRUE(Checked(w.main, IDM_mDoDebug));
    EXPECT_FALSE(Checked(w.main, IDM_mNoDebug));
    const wt::Drawn on = DrawnAt(w.toolRow, Px(5330), Px(45));
    ASSERT_TRUE(on && on.visible);
    const std::vector<uint32_t> onPixels = Pixels(on.screen);
    t.Command(IDM_mExit);
    ASSERT_TRUE(t.Ends());

    // Without line debugging the other of the pair shows, "No" checked.
    t.WriteRecord(Record(0, 4, true));
    ASSERT_TRUE(t.Start());
    w = Find(t);
    EXPECT_FALSE(Checked(w.main, IDM_mDoDebug));
    EXPECT_TRUE(Checked(w.main, IDM_mNoDebug));
    EXPECT_EQ(TypeButtons(w.toolRow), kModes[1].buttons);
    const wt::Drawn off = DrawnAt(w.toolRow, Px(5330), Px(45));
    ASSERT_TRUE(off && off.visible);
    EXPECT_NE(Pixels(off.screen), onPixels);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}

TEST(LayoutWindow, EditorAndAutoInsertBarFollowAutoBarsAtTwoSizes)
{
    for (int autoBars : {0, 1, 2}) {
        Tarnel t(L"layout_autobars");
        t.WriteRecord(Record(autoBars, 2));
        ASSERT_TRUE(t.Start());
        for (SIZE outer : {SIZE{800, 600}, SIZE{1100, 820}}) {
            SetWindowPos(t.Main(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
            wt::Send(t.Main(), WM_NULL);
            const SIZE c = Client(t.Main());
            const int w = c.cx * 15, h = c.cy * 15;
            struct Step {
                const ModeCase& mode;
                bool bar;
                int gutterBelow;   // the gutter's top below the editor's
            };
            // HTML at start-up or after a resize; VBScript straight after the
            // switch (gutter 60 below), then after a resize (30 below).
            const Step steps[] = {
                {kModes[3], autoBars != 2, 30},
                {kModes[1], autoBars == 0, 60},
                {kModes[1], autoBars == 0, 30},
            };
            for (int i = 0; i < 3; ++i) {
                const Step& s = steps[i];
                SCOPED_TRACE(testing::Message() << "AutoBars " << autoBars << " client " << c.cx << "x"
                                                << c.cy << " step " << i);
                if (i == 1)
                    SwitchMode(t, s.mode);
                if (i == 2) {
                    // Same size again, one pixel apart, so the window lays out anew.
                    SetWindowPos(t.Main(), nullptr, 0, 0, outer.cx + 1, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
                    SetWindowPos(t.Main(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
                    wt::Send(t.Main(), WM_NULL);
                }
                Win win = Find(t);
                const int editorHeight = h - (s.bar ? 2265 : 1760);
                RECT e = RectIn(win.editor, win.main);
                // The gutter as wide as six digits of its font need, at least
                // 615 twips; the editor as far beyond it as at 615.
                EXPECT_EQ(e.right, Px(w - 100));
                EXPECT_EQ(e.top, Px(860));
                EXPECT_EQ(e.bottom, Px(860 + editorHeight));
                ASSERT_NE(win.gutter, nullptr);
                RECT g = RectIn(win.gutter, win.main);
                EXPECT_EQ(g.top, Px(860 + s.gutterBelow));
                EXPECT_GE(g.right, Px(615));
                EXPECT_EQ(e.left - g.right, Px(660) - Px(615));
                EXPECT_EQ(g.bottom, Px(860 + editorHeight + (s.gutterBelow == 60 ? 60 : 0)));
                EXPECT_EQ(IsWindowVisible(win.frame1) != FALSE, s.bar);
                RECT f = RectIn(win.frame1, win.main);
                EXPECT_NEAR((f.left + f.right) / 2, c.cx / 2, 1) << "the bar is centred";
                EXPECT_EQ(Overlaps(win.main), "");
            }
            SwitchMode(t, kModes[3]);
        }
        t.Command(IDM_mExit);
        ASSERT_TRUE(t.Ends());
    }
}

// The pointer the program shows where the mouse is (on the screen), after a
// move there.
HCURSOR PointerAt(POINT at)
{
    SetCursorPos(at.x - 2, at.y);
    SetCursorPos(at.x, at.y);
    CURSORINFO ci{};
    ci.cbSize = sizeof(ci);
    wt::WaitFor([&] { return GetCursorInfo(&ci) && WindowFromPoint(at) && ci.hCursor; }, 2000);
    Sleep(300);
    GetCursorInfo(&ci);
    return ci.hCursor;
}

TEST(LayoutWindow, AutoInsertLabelsShowTheHand)
{
    Tarnel t(L"layout_pointer");
    t.WriteRecord(Record(0, 2));
    ASSERT_TRUE(t.Start());
    Win w = Find(t);
    SetForegroundWindow(w.main);
    // The bar itself, between its switch button and the first label.
    POINT between{Px(390), Px(200)};
    ClientToScreen(w.frame1, &between);
    const HCURSOR plain = PointerAt(between);
    std::set<HCURSOR> overLabels;
    for (const wchar_t* caption : {L"TA", L"DIV", L"End"}) {
        const wt::Drawn label = wt::FindDrawn(w.main, caption);
        ASSERT_EQ(label.container, w.frame1);
        const RECT& r = label.screen;
        overLabels.insert(PointerAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    }
    EXPECT_EQ(overLabels.size(), 1u) << "one pointer over every label";
    EXPECT_EQ(overLabels.count(plain), 0u) << "the labels show their own pointer";
    SetCursorPos(0, 0);
    t.Command(IDM_mExit);
    EXPECT_TRUE(t.Ends());
}
