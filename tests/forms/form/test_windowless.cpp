// Windowless controls: which one a container gives the mouse to where they
// overlap (front first, lines and shapes let it through, a disabled one eats
// it), and what it tells accessibility clients.
#include "TestUtil.h"

#include "forms/Controls.h"
#include "forms/Form.h"

#include <gtest/gtest.h>

#include "WindowTest.h"

using namespace forms;

namespace {

class fOverlap : public Form {
public:
    fOverlap()
    {
        SetCaption(L"Overlap");
        SetClientSize(4000, 2000);
        Fr.Place(*this, 0, 0, 4000, 2000);
        // Front is placed first, so it lies over Back where they overlap.
        Front.Place(Fr, 300, 300, 1500, 600);
        Front.SetCaption(L"front");
        Back.Place(Fr, 1200, 300, 1500, 600);
        Back.SetCaption(L"back");
        Across.PlaceLine(Fr, 300, 450, 2700, 450);
        Across.SetBorderWidth(3);
        Across.ZOrder(0);
        Off.Place(Fr, 300, 1200, 1500, 400);
        Off.SetCaption(L"off");
        Off.SetEnabled(false);
        for (Label* l : {&Front, &Back, &Off}) {
            l->Click = [this, l] { Log.push_back(l->Caption() + L" click"); };
            l->MouseDown = [this, l](int, int, int, int) { Log.push_back(l->Caption() + L" down"); };
        }
        Fr.MouseDown = [this](int, int, int, int) { Log.push_back(L"frame down"); };
        Fr.Click = [this] { Log.push_back(L"frame click"); };
    }
    ~fOverlap() override { Teardown(); }

    Frame Fr;
    Label Front, Back, Off;
    Line Across;
    std::vector<std::wstring> Log;
};

// A left click at twips x, y of the frame.
void ClickAt(fOverlap& f, int x, int y)
{
    const LPARAM at = MAKELPARAM(x / 15, y / 15);
    SendMessageW(f.Fr.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(f.Fr.hwnd, WM_LBUTTONUP, 0, at);
}

} // namespace

TEST(Windowless, TheFrontmostControlTakesTheMouseLinesLetItThroughAndADisabledOneEatsIt)
{
    fOverlap f;
    f.Show();
    Pump();
    ASSERT_TRUE(f.Front.Made());
    EXPECT_EQ(f.Front.hwnd, nullptr) << "no window of its own";

    ClickAt(f, 1500, 600); // both labels, and not the line
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"front down", L"front click"}));
    f.Log.clear();
    ClickAt(f, 1500, 450); // the line over both
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"front down", L"front click"}));
    f.Log.clear();
    f.Front.ZOrder(1);
    ClickAt(f, 1500, 600);
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"back down", L"back click"}));
    f.Log.clear();
    ClickAt(f, 600, 1350); // the disabled label: nothing, not even the frame
    EXPECT_TRUE(f.Log.empty());
    ClickAt(f, 3500, 1800); // the frame itself
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"frame down", L"frame click"}));
    f.Log.clear();
    // Pressed on the frame and let go over a label: the frame's click.
    SendMessageW(f.Fr.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3500 / 15, 1800 / 15));
    SendMessageW(f.Fr.hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1500 / 15, 600 / 15));
    SendMessageW(f.Fr.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(1500 / 15, 600 / 15));
    EXPECT_EQ(f.Log, (std::vector<std::wstring>{L"frame down", L"frame click"}));
}

TEST(Windowless, AContainerTellsAccessibilityClientsOfItsDrawnControls)
{
    fOverlap f;
    f.Show();
    Pump();
    f.Back.SetVisible(false);
    std::vector<std::wstring> seen;
    for (const wt::Drawn& d : wt::DrawnIn(f.Fr.hwnd))
        seen.push_back(d.name + (d.visible ? L"" : L" hidden") + (d.enabled ? L"" : L" off"));
    // Front first; the line came to the front, and has no name.
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"", L"front", L"back hidden", L"off off"}));
    const wt::Drawn front = wt::FindDrawn(f.hwnd, L"front");
    RECT frame;
    GetWindowRect(f.Fr.hwnd, &frame);
    EXPECT_EQ(front.screen.left - frame.left, 300 / 15);
    EXPECT_EQ(front.screen.right - front.screen.left, 1500 / 15);
}
