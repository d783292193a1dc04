// Several documents, each in a RichEdit window of its own, behind one control.
#include "KvRTBFixture.h"

#include "WindowTest.h"

#include <richedit.h>

#include <string>

namespace {

// The form is never shown, so a window's own visible style is what counts.
bool Shown(HWND w) { return (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring TextOf(HWND w)
{
    GETTEXTLENGTHEX gl{GTL_NUMCHARS, 1200};
    long n = static_cast<long>(SendMessageW(w, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0));
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    TEXTRANGEW tr{{0, n}, &s[0]};
    SendMessageW(w, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    s.resize(static_cast<size_t>(n));
    return s;
}

std::wstring FaceOf(HWND w)
{
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(w, EM_SETSEL, 0, 1);
    SendMessageW(w, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.szFaceName;
}

} // namespace

TEST_F(KvRTBTest, SwappedWindowsKeepTheirTextAndTheEventsFollowTheShownOne)
{
    SendMessageW(rtb().RTBhWnd(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    int changes = 0, keys = 0;
    rtb().Change = [&] { ++changes; };
    rtb().KeyPress = [&](int&) { ++keys; };
    rtb().SetText(L"first document");
    HWND first = rtb().RTBhWnd();

    HWND second = rtb().NewDocumentWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(Shown(second));
    EXPECT_EQ(SendMessageW(second, EM_GETEVENTMASK, 0, 0), ENM_CHANGE);
    EXPECT_EQ(rtb().SwapDocumentWindow(second), first);
    EXPECT_EQ(rtb().RTBhWnd(), second);
    EXPECT_FALSE(Shown(first));
    EXPECT_TRUE(Shown(second));
    RECT host{}, shown{};
    GetClientRect(rtb().hwnd, &host);
    GetWindowRect(second, &shown);
    EXPECT_EQ(shown.right - shown.left, host.right);
    EXPECT_EQ(shown.bottom - shown.top, host.bottom);

    rtb().SetText(L"second");
    EXPECT_EQ(TextOf(first), L"first document");
    changes = keys = 0;
    SendMessageW(second, WM_CHAR, L'x', 1);
    EXPECT_EQ(keys, 1);
    EXPECT_GE(changes, 1);
    // The hidden window is no longer the control's: its keys and changes go nowhere.
    changes = keys = 0;
    SendMessageW(first, WM_CHAR, L'y', 1);
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(changes, 0);
    SendMessageW(first, WM_UNDO, 0, 0);

    EXPECT_EQ(rtb().SwapDocumentWindow(first), second);
    EXPECT_EQ(rtb().Text(), L"first document");
    EXPECT_EQ(TextOf(second), L"xsecond");
    // Windows that are not the control's are refused.
    HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.hwnd, nullptr, nullptr, nullptr);
    EXPECT_EQ(rtb().SwapDocumentWindow(stranger), nullptr);
    EXPECT_EQ(rtb().SwapDocumentWindow(nullptr), nullptr);
    EXPECT_EQ(rtb().RTBhWnd(), first);
    DestroyWindow(second);
    DestroyWindow(stranger);
}

TEST_F(KvRTBTest, AWindowShownAgainCatchesUpWithTheSettings)
{
    rtb().SetText(L"kept");
    HWND kept = rtb().SwapDocumentWindow(rtb().NewDocumentWindow());
    ASSERT_NE(kept, nullptr);
    rtb().SetText(L"shown");
    rtb().SetFontName(L"Courier New");
    rtb().SetBackColor(RGB(10, 20, 30));
    EXPECT_EQ(FaceOf(rtb().RTBhWnd()), L"Courier New");
    EXPECT_NE(FaceOf(kept), L"Courier New");
    // A new window starts with them; the kept one gets them when shown again.
    HWND fresh = rtb().NewDocumentWindow();
    SendMessageW(fresh, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"new"));
    EXPECT_EQ(FaceOf(fresh), L"Courier New");
    // Wrapping too: off at first, as in the shown window, then on.
    const std::wstring line(600, L'x');
    SendMessageW(fresh, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    EXPECT_FALSE(rtb().WordWrap());
    EXPECT_EQ(SendMessageW(fresh, EM_GETLINECOUNT, 0, 0), 1);
    // A line of tens of thousands of characters goes into rows of thousands,
    // far beyond the screen's edge: one row of it would take minutes to draw.
    const std::wstring longLine(30000, L'x');
    SendMessageW(fresh, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longLine.c_str()));
    EXPECT_GT(SendMessageW(fresh, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_LT(SendMessageW(fresh, EM_GETLINECOUNT, 0, 0), 30);
    DestroyWindow(fresh);
    rtb().SetWordWrap(true);
    fresh = rtb().NewDocumentWindow();
    SendMessageW(fresh, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    EXPECT_GT(SendMessageW(fresh, EM_GETLINECOUNT, 0, 0), 1);
    DestroyWindow(fresh);
    // The control changed size while the window was kept: it follows.
    RECT r{};
    GetClientRect(rtb().hwnd, &r);
    SetWindowPos(rtb().hwnd, nullptr, 0, 0, r.right - 50, r.bottom - 30, SWP_NOZORDER | SWP_NOMOVE);
    rtb().SwapDocumentWindow(kept);
    EXPECT_EQ(FaceOf(kept), L"Courier New");
    EXPECT_EQ(rtb().Text(), L"kept");
    RECT w{};
    GetWindowRect(kept, &w);
    EXPECT_EQ(w.right - w.left, r.right - 50);
    EXPECT_EQ(w.bottom - w.top, r.bottom - 30);
}

TEST_F(KvRTBTest, AReplacedTextCanKeepItsWindow)
{
    rtb().SetText(L"the old document");
    HWND old = rtb().RTBhWnd();
    HWND givenShown = nullptr, givenNext = nullptr;
    bool keep = true;
    rtb().KeepReplacedWindow = [&](HWND shown, HWND next) {
        givenShown = shown;
        givenNext = next;
        return keep;
    };
    rtb().SetText(L"the new document");
    EXPECT_EQ(givenShown, old);
    EXPECT_EQ(givenNext, rtb().RTBhWnd());
    EXPECT_NE(rtb().RTBhWnd(), old);
    EXPECT_EQ(TextOf(old), L"the old document");
    EXPECT_FALSE(Shown(old));
    EXPECT_EQ(rtb().Text(), L"the new document");

    // Declined: the shown window is emptied and refilled in place.
    keep = false;
    HWND now = rtb().RTBhWnd();
    rtb().ClearAll();
    EXPECT_EQ(rtb().RTBhWnd(), now);
    EXPECT_EQ(rtb().LenText(), 0);
    DestroyWindow(old);
}

// Line breaks as CR LF pairs, as files on disk and the text read back have
// them: each pair is one line break however the RichEdit reads the stream in
// pieces, so no blank lines appear in a long text.
TEST_F(KvRTBTest, LongTextWithCrLfBreaksKeepsEveryLineOnce)
{
    std::wstring crlf;
    for (int i = 0; i < 6000; ++i)
        crlf += L"line " + std::to_wstring(i) + L" \x00e9\r\n";
    rtb().SetText(crlf);
    EXPECT_EQ(rtb().TotalLines(), 6001);
    EXPECT_EQ(rtb().Text(), crlf);

    std::wstring path = wt::ScratchFolder(L"kvrtb_crlf") + L"\\crlf.txt";
    std::string bytes;
    for (wchar_t c : crlf)
        bytes += c == 0x00e9 ? '\xe9' : static_cast<char>(c);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
    rtb().SetText(L"");
    ASSERT_TRUE(rtb().LoadFile(path, false));
    EXPECT_EQ(rtb().TotalLines(), 6001);
    EXPECT_EQ(rtb().Text(), crlf);
    DeleteFileW(path.c_str());
}

// A view a little shorter keeps the text's layout (Wine lays a long text out
// again in minutes); its height back changes nothing; other sizes lay out.
TEST_F(KvRTBTest, AViewALittleShorterKeepsItsLayout)
{
    form.Show();
    rtb().SetText(L"one\rtwo\rthree");
    HWND re = rtb().RTBhWnd();
    auto laidOutBottom = [&] {
        RECT r{};
        SendMessageW(re, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.bottom;
    };
    RECT client{};
    GetClientRect(re, &client);
    const long full = laidOutBottom();
    const int w = rtb().Width(), h = rtb().Height();
    rtb().Move(0, 0, w, h - 300);   // 20 pixels
    GetClientRect(re, &client);
    EXPECT_EQ(laidOutBottom(), full);
    EXPECT_LT(client.bottom, full);
    rtb().Move(0, 0, w, h);
    EXPECT_EQ(laidOutBottom(), full);
    // A window made and shown while the view is shorter (a replace-all
    // writes the page anew in one) is laid out for the taller view too.
    rtb().Move(0, 0, w, h - 300);
    HWND old = rtb().SwapDocumentWindow(rtb().NewDocumentWindow());
    ASSERT_NE(old, nullptr);
    DestroyWindow(old);
    re = rtb().RTBhWnd();
    EXPECT_EQ(laidOutBottom(), full);
    rtb().Move(0, 0, w, h);
    EXPECT_EQ(laidOutBottom(), full);
    rtb().Move(0, 0, w, h - 1500);
    GetClientRect(re, &client);
    EXPECT_EQ(laidOutBottom(), client.bottom);
}
