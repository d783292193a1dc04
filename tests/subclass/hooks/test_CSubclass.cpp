#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CSubclass.h"

namespace {

const UINT kPing = WM_APP + 1;    // the window answers 100
const UINT kOther = WM_APP + 2;

std::vector<std::string> g_log;

LRESULT CALLBACK TestWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kPing || msg == kOther) {
        g_log.push_back("window");
        return 100;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SubclassTestWnd";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"SubclassTestWnd", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Logs every call; the test sets what the before call does.
struct Owner : ISubclassOwner {
    std::string name = "owner";
    std::function<void(bool& handled, LRESULT& result, HWND, UINT)> onBefore;
    std::function<void(LRESULT& result, HWND, UINT)> onAfter;
    std::vector<LONG_PTR> userValues;
    int ordinals = 1;
    int lastOrdinal = 0;

    void SubclassBefore(int ordinal, bool& handled, LRESULT& result, HWND hwnd, UINT msg,
                        WPARAM, LPARAM, LONG_PTR& userValue) override
    {
        g_log.push_back(name + " before");
        lastOrdinal = ordinal;
        userValues.push_back(userValue++);
        if (onBefore)
            onBefore(handled, result, hwnd, msg);
    }
    void SubclassAfter(int ordinal, LRESULT& result, HWND hwnd, UINT msg, WPARAM, LPARAM,
                       LONG_PTR&) override
    {
        g_log.push_back(name + " after " + std::to_string(result));
        if (onAfter)
            onAfter(result, hwnd, msg);
    }
    int SubclassOrdinals() const override { return ordinals; }
};

WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

class CSubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        hwnd = MakeWindow();
        ASSERT_NE(hwnd, nullptr);
        hooksBefore = CSubclass::LiveHooks();
    }
    void TearDown() override
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    HWND hwnd = nullptr;
    int hooksBefore = 0;
};

} // namespace

TEST_F(CSubclassTest, RefusesNonWindowsUnknownOrdinalsAndSecondHooks)
{
    CSubclass sc;
    Owner owner;
    owner.ordinals = 2;
    EXPECT_FALSE(sc.Subclass(reinterpret_cast<HWND>(0x12345), 0, 1, &owner));
    EXPECT_FALSE(sc.Subclass(hwnd, 0, 0, &owner));
    EXPECT_FALSE(sc.Subclass(hwnd, 0, 3, &owner));
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);
    EXPECT_EQ(ProcOf(hwnd), TestWndProc);

    ASSERT_TRUE(sc.Subclass(hwnd, 0, 2, &owner));
    sc.AddMsg(hwnd, kPing, CSubclass::kBefore);
    Owner second;
    EXPECT_FALSE(sc.Subclass(hwnd, 0, 1, &second));
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before", "window"}));
    EXPECT_EQ(owner.lastOrdinal, 2);
}

TEST_F(CSubclassTest, BeforeWindowAfterOrderAndUserValueByReference)
{
    CSubclass sc;
    Owner owner;
    bool unicode = true;
    ASSERT_TRUE(sc.Subclass(hwnd, 7, 1, &owner, &unicode));
    EXPECT_TRUE(unicode);
    sc.AddMsg(hwnd, kPing, CSubclass::kBoth);
    sc.AddMsg(hwnd, kOther, CSubclass::kAfter);
    owner.onAfter = [](LRESULT& result, HWND, UINT msg) {
        if (msg == kOther)
            result = 55;
    };

    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_EQ(SendMessageW(hwnd, kOther, 0, 0), 55);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before", "window", "owner after 100",
                                               "window", "owner after 100",
                                               "owner before", "window", "owner after 100"}));
    EXPECT_EQ(owner.userValues, (std::vector<LONG_PTR>{7, 8}));

    sc.DelMsg(hwnd, kPing, CSubclass::kBefore);
    g_log.clear();
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"window", "owner after 100"}));
}

TEST_F(CSubclassTest, HandledBeforeSkipsWindowAndAfter)
{
    CSubclass sc;
    Owner owner;
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
    sc.AddMsg(hwnd, kPing, CSubclass::kBoth);
    owner.onBefore = [](bool& handled, LRESULT& result, HWND, UINT) {
        handled = true;
        result = 42;
    };
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 42);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before"}));
}

TEST_F(CSubclassTest, AllMessagesEntry)
{
    CSubclass sc;
    Owner owner;
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
    sc.AddMsg(hwnd, CSubclass::kAllMessages, CSubclass::kBefore);
    SendMessageW(hwnd, kOther, 0, 0);
    SendMessageW(hwnd, WM_USER + 77, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before", "window", "owner before"}));

    sc.DelMsg(hwnd, CSubclass::kAllMessages, CSubclass::kBefore);
    g_log.clear();
    SendMessageW(hwnd, kOther, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"window"}));
}

TEST_F(CSubclassTest, UnSubclassInsideAMessageWaitsForTheOutermostReturn)
{
    CSubclass sc;
    Owner owner;
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
    sc.AddMsg(hwnd, kPing, CSubclass::kBoth);
    sc.AddMsg(hwnd, kOther, CSubclass::kBefore);
    WNDPROC procInside = nullptr;
    LRESULT nested = 0;
    owner.onBefore = [&](bool&, LRESULT&, HWND w, UINT msg) {
        if (msg != kPing)
            return;
        sc.UnSubclass(w);
        EXPECT_FALSE(sc.IsSubclassed(w));
        nested = SendMessageW(w, kOther, 0, 0);   // passes straight to the window
        procInside = ProcOf(w);
    };
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_EQ(nested, 100);
    // Still chained while the message ran, no after call once released.
    EXPECT_NE(procInside, TestWndProc);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before", "window", "window"}));
    EXPECT_EQ(ProcOf(hwnd), TestWndProc);
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);
}

TEST_F(CSubclassTest, ResubclassRightAfterUnsubclassKeepsTheNewHook)
{
    CSubclass sc;
    Owner first;
    Owner second;
    second.name = "second";

    // Outside any message of the window.
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &first));
    sc.AddMsg(hwnd, kPing, CSubclass::kBefore);
    sc.UnSubclass(hwnd);
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &second));
    sc.AddMsg(hwnd, kPing, CSubclass::kBefore);
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"second before", "window", "second before",
                                               "window"}));

    // Inside a message, where the old hook's unhooking is still pending.
    g_log.clear();
    bool swapped = false;
    second.onBefore = [&](bool&, LRESULT&, HWND w, UINT) {
        if (swapped)
            return;
        swapped = true;
        sc.UnSubclass(w);
        ASSERT_TRUE(sc.Subclass(w, 0, 1, &first));
        sc.AddMsg(w, kPing, CSubclass::kBefore);
    };
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"second before", "window", "owner before",
                                               "window", "owner before", "window"}));
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore + 1);
    sc.UnSubclass(hwnd);
    EXPECT_EQ(ProcOf(hwnd), TestWndProc);
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);
}

TEST_F(CSubclassTest, TwoSubclassersOnOneWindowLeaveInAnyOrder)
{
    CSubclass lower;
    CSubclass upper;
    Owner a;
    Owner b;
    b.name = "upper";
    ASSERT_TRUE(lower.Subclass(hwnd, 0, 1, &a));
    lower.AddMsg(hwnd, kPing, CSubclass::kBefore);
    ASSERT_TRUE(upper.Subclass(hwnd, 0, 1, &b));
    upper.AddMsg(hwnd, kPing, CSubclass::kBefore);
    lower.UnSubclass(hwnd);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"upper before", "window"}));
    upper.UnSubclass(hwnd);
    EXPECT_EQ(ProcOf(hwnd), TestWndProc);
}

TEST_F(CSubclassTest, DestroyedWindowReleasesItsHook)
{
    CSubclass sc;
    Owner owner;
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
    sc.AddMsg(hwnd, WM_NCDESTROY, CSubclass::kBefore);
    DestroyWindow(hwnd);
    EXPECT_EQ(g_log, (std::vector<std::string>{"owner before"}));
    EXPECT_FALSE(sc.IsSubclassed(hwnd));
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);

    // Destroyed from inside one of its own messages: released when that returns.
    hwnd = MakeWindow();
    ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
    sc.AddMsg(hwnd, kPing, CSubclass::kAfter);
    owner.onAfter = [](LRESULT&, HWND w, UINT) { DestroyWindow(w); };
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);
}

TEST_F(CSubclassTest, DestructorReleasesEveryWindowAndExceptionsStayInside)
{
    HWND other = MakeWindow();
    Owner owner;
    {
        CSubclass sc;
        ASSERT_TRUE(sc.Subclass(hwnd, 0, 1, &owner));
        ASSERT_TRUE(sc.Subclass(other, 0, 1, nullptr));   // no owner: passes everything on
        sc.AddMsg(hwnd, kPing, CSubclass::kBefore);
        sc.AddMsg(other, kPing, CSubclass::kBoth);
        owner.onBefore = [](bool&, LRESULT&, HWND, UINT) { throw std::runtime_error("boom"); };
        EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
        EXPECT_EQ(SendMessageW(other, kPing, 0, 0), 100);
        EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore + 2);
    }
    EXPECT_EQ(ProcOf(hwnd), TestWndProc);
    EXPECT_EQ(ProcOf(other), TestWndProc);
    EXPECT_EQ(CSubclass::LiveHooks(), hooksBefore);
    DestroyWindow(other);
}
