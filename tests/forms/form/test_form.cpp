// Forms: loading, showing, unloading with QueryUnload, modal Show, KeyPreview
// and dialog keys.
#include "TestUtil.h"
#include "fSample.h"

#include <gtest/gtest.h>

#include "Drawn.h"

using namespace forms;

namespace {

std::function<void()> g_action;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto a = g_action;
    g_action = nullptr;
    if (a)
        a();
}

// Releases itself from its own close handling, as the settings dialog's owner
// does when the dialog reports that it closed.
class fSelfDeleting : public Form {
public:
    fSelfDeleting()
    {
        SetCaption(L"Self deleting");
        bA.Place(*this, 120, 120, 1000, 375);
    }
    ~fSelfDeleting() override { Teardown(); }
    CommandButton bA;
    bool* deleted = nullptr;

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        Hide();
        Cancel = 1;
        *deleted = true;
        delete this;
    }
};

// Tells its owner when it is gone.
class fLater : public Form {
public:
    fLater() { bA.Place(*this, 120, 120, 1000, 375); }
    ~fLater() override
    {
        Teardown();
        *deleted = true;
    }
    CommandButton bA;
    bool* deleted = nullptr;
};

} // namespace

void AfterDelay(std::function<void()> action, UINT delayMs)
{
    g_action = std::move(action);
    SetTimer(nullptr, 0, delayMs, OnTimer);
}

TEST(Form, LoadCreatesEveryControlBeforeFormLoad)
{
    fSample f;
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.tName.Text(), L"start");
    EXPECT_EQ(f.BoxE.ListCount(), 3);
    // Values set before the windows exist are design-time settings: no events.
    f.CkTab.SetValue(vbGrayed);
    f.opB.SetValue(true);
    f.BoxE.SetListIndex(2);
    EXPECT_TRUE(f.Log.empty());
    ASSERT_TRUE(f.Load());
    EXPECT_EQ(SendMessageW(f.CkTab.hwnd, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(f.opB.hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(f.BoxE.ListIndex(), 2);
    ASSERT_EQ(f.Log.size(), 1u);
    EXPECT_EQ(f.Log[0], L"Form_Load 1");
    EXPECT_FALSE(f.Visible());
    for (Control* c : f.Controls())
        EXPECT_TRUE(c->Made());
    EXPECT_EQ(Text(f.hwnd), L"Forms sample");
    EXPECT_EQ(Text(f.tName.hwnd), L"start");
    EXPECT_TRUE(wt::FindDrawn(f.hwnd, L"Enter path to file:").IsLabel());
    EXPECT_EQ(f.BoxE.ListCount(), 3);
    EXPECT_EQ(f.BoxE.List(2), L"PHP3");
    // The client area is what the constructor asked for, to the pixel.
    EXPECT_NEAR(f.ScaleWidth(), 9000, TwipsPerPixelX());
    EXPECT_NEAR(f.ScaleHeight(), 6000, TwipsPerPixelY());
    // Controls of a frame are its child windows, placed relative to it.
    EXPECT_EQ(GetParent(f.opA.hwnd), f.FrGen.hwnd);
    RECT fr, op;
    GetWindowRect(f.FrGen.hwnd, &fr);
    GetWindowRect(f.opA.hwnd, &op);
    EXPECT_EQ(op.left - fr.left, TwipsToPixelsX(120));
    EXPECT_EQ(op.top - fr.top, TwipsToPixelsY(300));

    f.Show();
    Pump();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(Count(f.Log, L"Form_Resize"), 1);
    EXPECT_EQ(f.Log[1], L"Form_Resize");
    f.Move(kKeep, kKeep, 10000);
    EXPECT_EQ(Count(f.Log, L"Form_Resize"), 2);
    EXPECT_NEAR(f.Width(), 10000, TwipsPerPixelX());
}

// A hidden frame that waits to be shown is made with its controls when
// first shown, in the place in the stacking order its load would have given.
class fWaiting : public Form {
public:
    fWaiting()
    {
        SetCaption(L"Waiting frame");
        frA.Place(*this, 0, 0, 2000, 600);
        fr.Place(*this, 0, 0, 2000, 600);
        inner.Place(fr, 0, 0, 1500, 300);
        frB.Place(*this, 0, 0, 2000, 600);
        fr.SetVisible(false);
        fr.WindowWhenShown = true;
    }
    ~fWaiting() override { Teardown(); }
    Frame frA, fr, frB;
    Label inner;
};

TEST(Form, AFrameThatWaitsToBeShownIsMadeInItsPlaceWhenShown)
{
    fWaiting f;
    ASSERT_TRUE(f.Load());
    EXPECT_EQ(f.fr.hwnd, nullptr);
    EXPECT_FALSE(f.inner.Made());
    f.inner.SetCaption(L"set while waiting");
    f.fr.SetVisible(true);
    ASSERT_NE(f.fr.hwnd, nullptr);
    ASSERT_TRUE(f.inner.Made());
    EXPECT_EQ(wt::FindDrawn(f.hwnd, L"set while waiting").container, f.fr.hwnd);
    EXPECT_EQ(GetWindow(f.frA.hwnd, GW_HWNDNEXT), f.fr.hwnd) << "below the frame placed before it";
    EXPECT_EQ(GetWindow(f.fr.hwnd, GW_HWNDNEXT), f.frB.hwnd) << "above the frame placed after it";
}

// The drawn controls of a form shown for the first time are drawn with the
// form, as their own paints would draw them, and get no paint of their own.
class fDrawnAtShow : public Form {
public:
    fDrawnAtShow()
    {
        SetCaption(L"Drawn at show");
        fr.Place(*this, 300, 300, 3000, 1500);
        fr.SetBackColor(0x0000FF);
        inner.Place(fr, 600, 600, 1200, 600);
        inner.SetBackColor(0x00FF00);
        gone.Place(*this, 3500, 300, 1000, 300);
        gone.SetBackColor(0xFF0000);
    }
    ~fDrawnAtShow() override { Teardown(); }
    Frame fr;
    Label inner, gone;
};

namespace {
int g_ownPaints = 0;
HWND g_watched = nullptr;
LRESULT CALLBACK CountPaints(int code, WPARAM wp, LPARAM lp)
{
    auto* m = reinterpret_cast<CWPSTRUCT*>(lp);
    if (m->message == WM_PAINT && m->hwnd == g_watched)
        ++g_ownPaints;
    return CallNextHookEx(nullptr, code, wp, lp);
}
} // namespace

TEST(Form, DrawnControlsAreDrawnWithTheFormAtItsFirstShowing)
{
    fDrawnAtShow f;
    ASSERT_TRUE(f.Load());
    g_watched = f.fr.hwnd;
    g_ownPaints = 0;
    // Hidden and shown again before the first showing: as last set.
    f.gone.SetVisible(false);
    f.fr.SetVisible(false);
    f.fr.SetVisible(true);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
    f.Show();
    Pump();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_ownPaints, 0);
    EXPECT_TRUE(IsWindowVisible(f.fr.hwnd));
    HDC dc = GetDC(f.hwnd);
    auto at = [&](const Control& c, int x, int y) {
        Spot s = At(c, x, y);
        MapWindowPoints(s.w, f.hwnd, &s.p, 1);
        return GetPixel(dc, s.p.x, s.p.y) & 0xFFFFFF;
    };
    const RECT lr = f.inner.DrawnRect();
    EXPECT_EQ(at(f.inner, (lr.right - lr.left) / 2, lr.bottom - lr.top - 2), 0x00FF00u);
    EXPECT_EQ(at(f.fr, 4, TwipsToPixelsY(1400)), 0x0000FFu);
    EXPECT_NE(at(f.gone, 4, 4), 0xFF0000u) << "the hidden label is not drawn";
    ReleaseDC(f.hwnd, dc);
}

TEST(Form, QueryUnloadCancelKeepsTheForm)
{
    fSample f;
    ASSERT_TRUE(f.Load());
    f.CancelUnload = true;
    PostMessageW(f.hwnd, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(Has(f.Log, L"Form_QueryUnload 0"));
    EXPECT_FALSE(Has(f.Log, L"Form_Unload"));
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(Has(f.Log, L"Form_QueryUnload 1"));
    EXPECT_TRUE(f.Loaded());

    f.CancelUnload = false;
    SetWindowTextW(f.tName.hwnd, L"typed before unload");
    f.BoxE.SetListIndex(1);
    f.BoxE.AddItem(L"added at run time");
    f.CkTab.SetValue(vbChecked);
    f.Lab1.SetCaption(L"changed");
    f.bOK.SetVisible(false);
    f.SetCaption(L"changed too");
    EXPECT_TRUE(f.Unload());
    EXPECT_TRUE(Has(f.Log, L"Form_Unload"));
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.tName.hwnd, nullptr);
    // Unloaded, the form is as designed again, and so is the next Load.
    EXPECT_EQ(f.tName.Text(), L"start");
    EXPECT_EQ(f.BoxE.ListIndex(), -1);
    EXPECT_EQ(f.BoxE.ListCount(), 3);
    EXPECT_EQ(f.CkTab.Value(), vbUnchecked);
    EXPECT_EQ(f.Caption(), L"Forms sample");
    ASSERT_TRUE(f.Load());
    EXPECT_EQ(Text(f.tName.hwnd), L"start");
    EXPECT_TRUE(wt::FindDrawn(f.hwnd, L"Enter path to file:"));
    EXPECT_EQ(Text(f.hwnd), L"Forms sample");
    EXPECT_EQ(f.BoxE.ListCount(), 3);
    EXPECT_EQ(f.BoxE.List(0), L"XYZ");
    EXPECT_EQ(SendMessageW(f.CkTab.hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(f.bOK.Visible());
}

TEST(Form, OwnedFormsUnloadWithTheirOwner)
{
    fSample owner;
    ASSERT_TRUE(owner.Load());
    fModal tool;
    tool.Show(vbModeless, owner);
    Pump();
    ASSERT_TRUE(tool.Loaded());
    EXPECT_TRUE(owner.Unload());
    EXPECT_FALSE(tool.Loaded());
    EXPECT_EQ(tool.queryMode, vbFormOwner);
}

TEST(Form, HandlerMayDeleteItsForm)
{
    bool deleted = false;
    auto* f = new fSelfDeleting;
    f->deleted = &deleted;
    ASSERT_TRUE(f->Load());
    HWND w = f->hwnd;
    PostMessageW(w, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, DestroyLaterDeletesTheFormOnceItsEventReturned)
{
    bool deleted = false, gone = false, aliveInHandler = false;
    auto* f = new fLater;
    f->deleted = &deleted;
    f->bA.Click = [&] {
        DestroyLater(std::unique_ptr<Form>(f), [&] { gone = true; });
        aliveInHandler = !deleted && f->bA.hwnd;
    };
    ASSERT_TRUE(f->Load());
    SendMessageW(f->bA.hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(aliveInHandler);
    Pump();
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(LoadedForms().empty());
}

// Tests run with TARNEL_STRICT_LIFETIMES, which makes the fault abort; here
// the program's own reaction is checked.
TEST(Form, AMemberDestroyedWhileLoadedUnloadsTheFormWhichLoadsAgain)
{
    wchar_t strict[8] = {};
    bool wasStrict = GetEnvironmentVariableW(L"TARNEL_STRICT_LIFETIMES", strict, 8) != 0;
    SetEnvironmentVariableW(L"TARNEL_STRICT_LIFETIMES", nullptr);
    fSample f;
    f.Show();
    auto extra = std::make_unique<TextBox>();
    extra->Place(f, 120, 120, 1000, 285);
    extra.reset();
    EXPECT_FALSE(f.Loaded());
    f.Show();
    auto drawn = std::make_unique<Label>();
    drawn->Place(f, 120, 120, 1000, 285);
    drawn.reset();
    EXPECT_FALSE(f.Loaded()) << "a control drawn without a window of its own too";
    f.Show();
    auto item = std::make_unique<MenuItem>();
    f.mFile.Add(*item, L"extra");
    item.reset();
    EXPECT_FALSE(f.Loaded());
    if (wasStrict)
        SetEnvironmentVariableW(L"TARNEL_STRICT_LIFETIMES", strict);
    // Not silenced for good: loaded again, the form raises its events.
    f.Show();
    f.Log.clear();
    PostMessageW(f.hwnd, WM_COMMAND, f.mNew.CommandId(), 0);
    Pump();
    EXPECT_EQ(f.Log, std::vector<std::wstring>{L"mNew_Click"});
    f.Unload();
}

TEST(FormDeathTest, StrictLifetimesAbortOnAControlDestroyedWhileLoaded)
{
    EXPECT_DEATH(
        {
            SetEnvironmentVariableW(L"TARNEL_STRICT_LIFETIMES", L"1");
            fSample f;
            f.Load();
            auto extra = std::make_unique<TextBox>();
            extra->Place(f, 120, 120, 1000, 285);
            extra.reset();
        },
        "control of a loaded form was destroyed");
}

TEST(Form, DestroyedWhileLoadedRaisesNoEvents)
{
    std::vector<std::wstring> log;
    int resizes = 0;
    {
        fSample f;
        f.Show();
        Pump();
        f.tName.SetFocus();
        f.tName.LostFocus = [&log] { log.push_back(L"LostFocus"); };
        resizes = g_sampleResizes;
    }
    // Neither the focus leaving nor the menu bar going (which resizes the
    // client area) reached the half-destroyed form.
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(g_sampleResizes, resizes);
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, UnloadRaisesNoResize)
{
    fSample f;
    f.Show();
    Pump();
    const int resizes = g_sampleResizes;
    // The menu bar goes with the window, which grows its client area.
    f.Unload();
    EXPECT_EQ(g_sampleResizes, resizes);
    EXPECT_FALSE(f.hwnd);
}

TEST(Form, ControlsLetGoOfWindowsDestroyedFromOutside)
{
    // Picture boxes and frames have no subclass to see their end: their own
    // window procedure must, or they keep a dead handle, and the controls
    // they draw stay made in a window that is gone.
    fSample f;
    f.Im1.Place(f.FrGen, 120, 1000, 480, 480);
    f.Show();
    HWND picture = f.Pic1.hwnd, frame = f.FrGen.hwnd, option = f.opA.hwnd;
    ASSERT_TRUE(picture && frame && option && f.Im1.Made());
    DestroyWindow(picture);
    DestroyWindow(frame);
    for (Control* c : std::initializer_list<Control*>{&f.Pic1, &f.FrGen, &f.opA})
        EXPECT_EQ(c->hwnd, nullptr);
    EXPECT_FALSE(f.Im1.Made());
    for (HWND w : {picture, frame, option})
        EXPECT_EQ(ControlFromHwnd(w), nullptr);
    // Made again, they are found from their new windows.
    ASSERT_TRUE(f.Pic1.EnsureCreated() && f.opA.EnsureCreated() && f.Im1.EnsureCreated());
    EXPECT_EQ(ControlFromHwnd(f.Pic1.hwnd), &f.Pic1);
    EXPECT_EQ(ControlFromHwnd(f.opA.hwnd), &f.opA);
    f.Unload();
}

TEST(Form, MessageLoopEndsWithTheLastForm)
{
    fSample f;
    ASSERT_TRUE(f.Load());
    AfterDelay([&] { PostMessageW(f.hwnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(RunMessageLoop(true), 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, ButtonsAreMadeAndRestoredAsDesigned)
{
    fSample f;
    f.CkTab.Alignment = 1;
    ASSERT_TRUE(f.Load());
    LONG_PTR ck = GetWindowLongPtrW(f.CkTab.hwnd, GWL_STYLE);
    EXPECT_EQ(ck & BS_TYPEMASK, BS_3STATE);
    EXPECT_EQ(ck & (BS_LEFTTEXT | BS_MULTILINE | WS_TABSTOP), BS_LEFTTEXT | BS_MULTILINE | WS_TABSTOP);
    LONG_PTR op = GetWindowLongPtrW(f.opA.hwnd, GWL_STYLE);
    EXPECT_EQ(op & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(op & BS_LEFTTEXT, 0);
    EXPECT_EQ(GetWindowLongPtrW(f.bOK.hwnd, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(f.bCancel.hwnd, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(Text(f.opA.hwnd), L"Menu 1");
    EXPECT_EQ(Text(f.bCancel.hwnd), L"Cancel");

    f.CkTab.SetCaption(L"changed box");
    f.opA.SetCaption(L"changed option");
    f.opA.SetValue(true);
    f.bOK.SetCaption(L"changed button");
    f.bCancel.SetCancel(false);
    EXPECT_EQ(Text(f.CkTab.hwnd), L"changed box");
    EXPECT_EQ(Text(f.bOK.hwnd), L"changed button");
    EXPECT_TRUE(f.Unload());
    // Unloaded, every button is as designed: caption, value and role.
    EXPECT_EQ(f.CkTab.Caption(), L"Use \"Move Text\" spacer in place of Tab character.");
    EXPECT_EQ(f.opA.Caption(), L"Menu 1");
    EXPECT_FALSE(f.opA.Value());
    EXPECT_EQ(f.bOK.Caption(), L"OK");
    EXPECT_TRUE(f.bCancel.Cancel());
    ASSERT_TRUE(f.Load());
    EXPECT_EQ(Text(f.opA.hwnd), L"Menu 1");
    EXPECT_EQ(SendMessageW(f.opA.hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Text(f.bOK.hwnd), L"OK");
}
