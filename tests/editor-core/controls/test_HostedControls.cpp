#include <gtest/gtest.h>

#include "ButSilver2/ButSilver2Control.h"
#include "ControlsTestUtil.h"
#include "KvListBox/KvListBoxControl.h"
#include "forms/Form.h"

namespace {

class fHost : public forms::Form {
public:
    fHost()
    {
        SetCaption(L"hosted controls");
        SetClientSize(6000, 4000);
        BoxPopJ.Place(*this, 150, 150, 3000, 1500);
        bok.Place(*this, 3600, 150, 600, 450);
        bok.Click = [this] { ++okClicks; };
    }
    ~fHost() override { Teardown(); }
    KvListBoxControl BoxPopJ;
    ButSilver2Control bok;
    int okClicks = 0;
};

} // namespace

TEST(HostedControls, ListAndButtonLiveOnAFormWithTwipsGeometry)
{
    HBITMAP pic = ctl::SolidBitmap(32, 22, RGB(0, 128, 0));
    int listClicks = -2;
    {
        fHost f;
        f.bok.Button.Image(pic);
        ASSERT_TRUE(f.Load());
        ASSERT_NE(f.BoxPopJ.hwnd, nullptr);
        ASSERT_EQ(f.BoxPopJ.hwnd, f.BoxPopJ.List.hwnd);
        RECT rc;
        GetClientRect(f.BoxPopJ.hwnd, &rc);
        EXPECT_EQ(rc.right, forms::TwipsToPixelsX(3000));
        EXPECT_EQ(rc.bottom, forms::TwipsToPixelsY(1500));

        f.BoxPopJ.List.Click = [&](int& index) { listClicks = index; };
        f.BoxPopJ.List.Add(L"Count", -1);
        f.BoxPopJ.List.Add(L"Item", -2);
        f.BoxPopJ.List.SelWord(L"it");
        EXPECT_EQ(listClicks, 1);

        ASSERT_EQ(f.bok.hwnd, f.bok.Button.hwnd);
        GetClientRect(f.bok.hwnd, &rc);
        EXPECT_EQ(rc.right, 32) << "the button keeps its picture's size";
        SendMessageW(f.bok.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(f.bok.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        EXPECT_EQ(f.okClicks, 1) << "the form's Click handler runs";

        f.bok.SetEnabled(false);
        EXPECT_FALSE(f.bok.Button.Enabled()) << "the disabled look follows the form's Enabled";
        f.bok.SetEnabled(true);
        EXPECT_TRUE(f.bok.Button.Enabled());
        f.Unload();
        EXPECT_EQ(f.bok.Button.hwnd, nullptr);
        EXPECT_EQ(f.BoxPopJ.List.hwnd, nullptr);
    }
    DeleteObject(pic);
}
