#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestUtil.h"
#include "KvListBox/KvListBox.h"

namespace {

struct ListFixture : ::testing::Test {
    ctl::HostWindow host;
    KvListBox list;
    std::vector<int> clicks;

    void SetUp() override
    {
        ASSERT_TRUE(list.Create(host.hwnd, 10, 10, 200, 60));
        list.Click = [this](int& index) { clicks.push_back(index); };
    }

    // Draws row `item` into a canvas through the control's own WM_DRAWITEM.
    void DrawRow(ctl::Canvas& canvas, int item, UINT state = 0)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = static_cast<UINT>(item);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = list.LBhWnd();
        dis.hDC = canvas.dc;
        dis.rcItem = RECT{0, 0, canvas.cx, canvas.cy};
        dis.itemData = static_cast<ULONG_PTR>(SendMessageW(list.LBhWnd(), LB_GETITEMDATA, item, 0));
        SendMessageW(list.hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
};

// Leftmost column holding a pixel other than the background, or -1.
int FirstInk(const ctl::Canvas& c, COLORREF background, int fromX = 0)
{
    for (int x = fromX; x < c.cx; ++x)
        for (int y = 0; y < c.cy; ++y)
            if (c.Pixel(x, y) != background)
                return x;
    return -1;
}

// The pixel farthest from white: the core of the glyph strokes.
COLORREF DarkestInk(const ctl::Canvas& c, int fromX)
{
    COLORREF best = RGB(255, 255, 255);
    int bestSum = 3 * 255;
    for (int x = fromX; x < c.cx; ++x)
        for (int y = 0; y < c.cy; ++y) {
            COLORREF p = c.Pixel(x, y);
            int sum = GetRValue(p) + GetGValue(p) + GetBValue(p);
            if (sum < bestSum) {
                bestSum = sum;
                best = p;
            }
        }
    return best;
}

} // namespace

TEST(KvListLook, KindTableMarksNegativeKindsAndColoursPositiveOnes)
{
    EXPECT_TRUE(KvListKindToLook(-1).hasMark);
    EXPECT_EQ(KvListKindToLook(-1).mark, RGB(153, 197, 249));
    EXPECT_EQ(KvListKindToLook(-2).mark, RGB(255, 138, 138));
    EXPECT_EQ(KvListKindToLook(-3).mark, RGB(255, 187, 119));
    EXPECT_EQ(KvListKindToLook(-3).text, 0u);
    EXPECT_FALSE(KvListKindToLook(1).hasMark);
    EXPECT_EQ(KvListKindToLook(1).text, 0xB67463u);
    EXPECT_EQ(KvListKindToLook(3).text, 0xA80000u);
    EXPECT_EQ(KvListKindToLook(8).text, 0x82728Du);
    for (long other : {0L, 9L, -4L, 1000L}) {
        EXPECT_FALSE(KvListKindToLook(other).hasMark) << other;
        EXPECT_EQ(KvListKindToLook(other).text, 0u) << other;
    }
}

TEST(KvListLook, SelectedRowStaysHighlightedWithoutFocusAndFocusRowWithFocus)
{
    EXPECT_TRUE(KvListIsHighlighted(false, 2, 2, 0));
    EXPECT_FALSE(KvListIsHighlighted(true, 2, 2, 0));
    EXPECT_TRUE(KvListIsHighlighted(true, 4, 2, ODS_FOCUS));
    EXPECT_FALSE(KvListIsHighlighted(false, 3, 2, ODS_SELECTED));
}

TEST(KvListLook, RowLayoutIndentsTextTenWithMarkAndTwoWithout)
{
    RECT item{5, 20, 105, 36};
    KvListRowLayout marked = KvListLayoutRow(item, true);
    EXPECT_EQ(marked.mark.left, 5);
    EXPECT_EQ(marked.mark.right, 11);
    EXPECT_EQ(marked.mark.top, 23);
    EXPECT_EQ(marked.mark.bottom, 33);
    EXPECT_EQ(marked.text.left, 15);
    EXPECT_EQ(KvListLayoutRow(item, false).text.left, 7);
}

TEST_F(ListFixture, MarkedKindDrawsBarAndIndentedText)
{
    list.Add(L"Method", -2);
    ctl::Canvas row(150, 16, RGB(1, 2, 3));
    DrawRow(row, 0);
    EXPECT_EQ(row.Pixel(2, 8), RGB(255, 138, 138)) << "the mark strip";
    EXPECT_EQ(row.Pixel(2, 1), RGB(255, 255, 255)) << "3 pixels of white above the strip";
    EXPECT_EQ(row.Pixel(8, 8), RGB(255, 255, 255)) << "gap between the strip and the text";
    EXPECT_GE(FirstInk(row, RGB(255, 255, 255), 6), 10) << "text indented 10 pixels";
    EXPECT_EQ(row.Pixel(149, 0), RGB(255, 255, 255));
}

TEST_F(ListFixture, ColouredKindDrawsTextInItsColourNearTheLeft)
{
    list.Add(L"WWWW", 5);
    ctl::Canvas row(150, 16);
    DrawRow(row, 0);
    int ink = FirstInk(row, RGB(255, 255, 255));
    EXPECT_GE(ink, 2);
    EXPECT_LE(ink, 5) << "text starts 2 pixels in";
    COLORREF core = DarkestInk(row, 0);
    EXPECT_GT(GetGValue(core), GetRValue(core)) << "green text";
    EXPECT_GT(GetGValue(core), GetBValue(core)) << "green text";
}

TEST_F(ListFixture, SelectedRowUsesSelectionColoursWhileFocusIsElsewhere)
{
    list.Add(L"first", -1);
    list.Add(L"second", -1);
    list.SelBackColor(RGB(10, 200, 30));
    list.SelTextColor(RGB(250, 250, 250));
    list.ListIndex(1);
    SetFocus(host.hwnd);
    ASSERT_NE(GetFocus(), list.LBhWnd());

    ctl::Canvas selected(150, 16);
    DrawRow(selected, 1);
    EXPECT_EQ(selected.Pixel(0, 8), RGB(10, 200, 30)) << "no mark on a highlighted row";
    EXPECT_EQ(selected.Pixel(149, 8), RGB(10, 200, 30));

    ctl::Canvas other(150, 16);
    DrawRow(other, 0);
    EXPECT_EQ(other.Pixel(149, 8), RGB(255, 255, 255));
    EXPECT_EQ(other.Pixel(2, 8), RGB(153, 197, 249));

    // The row with the focus rectangle is highlighted too.
    ctl::Canvas focused(150, 16);
    DrawRow(focused, 0, ODS_FOCUS);
    EXPECT_EQ(focused.Pixel(75, 8), RGB(10, 200, 30));
}

TEST_F(ListFixture, RowsOutsideTheListDrawNothing)
{
    list.Add(L"only", 0);
    ctl::Canvas row(50, 16, RGB(1, 2, 3));
    DrawRow(row, 1);
    EXPECT_EQ(row.Pixel(25, 8), RGB(1, 2, 3));
}

TEST_F(ListFixture, SelWordFindsPrefixInAnyCaseAndScrollsItToTop)
{
    for (const wchar_t* s : {L"Alpha", L"beta", L"gamma", L"delta", L"MSXML", L"msgbox", L"zeta", L"omega"})
        list.Add(s, 0);
    list.SelWord(L"ms");
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_EQ(list.TopIndex(), 4);
    ASSERT_EQ(clicks.size(), 1u) << "a selection set by code raises Click";
    EXPECT_EQ(clicks.back(), 4);

    list.SelWord(L"nothing");
    EXPECT_EQ(list.ListIndex(), 4) << "no match leaves the selection";
    EXPECT_EQ(clicks.size(), 1u);

    list.SelWordExact(L"MSGBOX");
    EXPECT_EQ(list.ListIndex(), 5);
    list.SelWordExact(L"ms");
    EXPECT_EQ(list.ListIndex(), 5) << "exact find needs the whole item";

    list.SelNone();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.back(), -1);
}

TEST_F(ListFixture, GetItemGivesKindAndMinusOneBeyondTheEnd)
{
    list.Add(L"one", 5);
    list.Add(L"two", -2);
    list.Add(L"three", 1);
    EXPECT_EQ(list.Count(), 3);
    int index = 0;
    EXPECT_EQ(list.GetItem(index), L"one");
    EXPECT_EQ(index, 5);
    index = 1;
    EXPECT_EQ(list.GetItem(index), L"two");
    EXPECT_EQ(index, 0) << "negative kinds read as 0";
    index = 3;
    EXPECT_EQ(list.GetItem(index), L"");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(list.GetItemMin(-1), L"");
    EXPECT_EQ(list.GetItemMin(2), L"three");

    list.ListIndex(7);
    list.TopIndex(3);
    EXPECT_EQ(list.ListIndex(), -1) << "out-of-range index ignored";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetItemMin(0), L"");
}

TEST_F(ListFixture, AddHScrollFitsWidestItemPlusScrollBar)
{
    list.Add(L"short", 0);
    list.Add(L"a considerably longer item text than the others", 0);
    list.Add(L"mid length", 0);
    list.AddHScroll();

    HDC dc = GetDC(list.LBhWnd());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list.LBhWnd(), WM_GETFONT, 0, 0)));
    SIZE wide{};
    const std::wstring text = L"a considerably longer item text than the others";
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &wide);
    SelectObject(dc, old);
    ReleaseDC(list.LBhWnd(), dc);

    LRESULT extent = SendMessageW(list.LBhWnd(), LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_EQ(extent, wide.cx + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ListFixture, ListEventsReachTheHost)
{
    list.Add(L"first", 0);
    list.Add(L"second", 0);
    std::vector<int> downs, ups, keys;
    list.MouseDown = [&](int& b) { downs.push_back(b); };
    list.MouseUp = [&](int& b) { ups.push_back(b); };
    list.KeyUp = [&](int& k) { keys.push_back(k); };

    int rowHeight = static_cast<int>(SendMessageW(list.LBhWnd(), LB_GETITEMHEIGHT, 0, 0));
    LPARAM onSecond = MAKELPARAM(20, rowHeight + rowHeight / 2);
    SendMessageW(list.LBhWnd(), WM_LBUTTONDOWN, MK_LBUTTON, onSecond);
    SendMessageW(list.LBhWnd(), WM_LBUTTONUP, 0, onSecond);
    ctl::Pump();
    EXPECT_EQ(list.ListIndex(), 1);
    ASSERT_FALSE(clicks.empty()) << "the user's pick raises Click";
    EXPECT_EQ(clicks.back(), 1);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], 1);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0], 1);

    SendMessageW(list.LBhWnd(), WM_KEYUP, VK_RETURN, 0);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], 13);
}

TEST_F(ListFixture, ControlResizesItsListAndSurvivesItsParent)
{
    MoveWindow(list.hwnd, 0, 0, 180, 90, TRUE);
    RECT rc;
    GetClientRect(list.hwnd, &rc);
    RECT lb;
    GetWindowRect(list.LBhWnd(), &lb);
    EXPECT_EQ(lb.right - lb.left, 180);
    EXPECT_EQ(lb.bottom - lb.top, 90);

    DestroyWindow(host.hwnd);
    host.hwnd = nullptr;
    EXPECT_EQ(list.hwnd, nullptr) << "the control notices its window went with the parent";
    EXPECT_EQ(list.Count(), 0);
    list.Add(L"ignored", 0); // no window: a no-op, not a crash
}
