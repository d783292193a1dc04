// The page preview of the real TARNEL.exe, driven from outside.
#include <gtest/gtest.h>

#include "Drive.h"
#include "MenuIds.h"
#include "forms/Menu.h"
#include "preview/BrowserMenuIds.h"

using apptest::Tarnel;
using namespace drive;
namespace bm = BrowserMenu;

namespace {

// The visible top-level window of the process that shows a page.
HWND Browser(Tarnel& t, DWORD ms = 10000)
{
    HWND found = nullptr;
    wt::WaitFor([&] {
        for (HWND w : t.Process().TopWindows())
            if (w != t.Main() && wt::FindChild(w, L"TarnelPageView"))
                found = w;
        return found != nullptr;
    }, ms);
    return found;
}

bool Hidden(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN);
}

const UINT kMenuState = RegisterWindowMessageW(forms::kMenuStateMessage);

// A page has arrived: the title item shows.
bool Loaded(HWND browser) { return wt::Send(browser, kMenuState, BrowserMenu::IDM_mtitle) & 1; }

void ViewPage(Tarnel& t) { wt::Click(wt::FindDrawn(t.Main(), L"View webpage.")); }

// Answers the program's message box and gives its text.
std::wstring Message(Tarnel& t)
{
    wt::Dialog d = wt::FindDialog(t.Process());
    if (d.hwnd) {
        wt::PressButton(d.hwnd, IDOK);
        wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
    }
    return d.text;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
    }
    return text;
}

// The element information at a point of the page, as Ctrl+C copies it.
std::wstring InfoAt(HWND browser, HWND view, int x, int y)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    wt::Send(view, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SetForegroundWindow(browser);
    INPUT in[4] = {};
    const WORD keys[4] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    std::wstring text;
    wt::WaitFor([&] { return !(text = ClipboardText()).empty(); }, 3000);
    return text;
}

void Pick(HWND combo, int index)
{
    wt::Send(combo, CB_SETCURSEL, index);
    wt::Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(combo));
}

void Press(HWND button)
{
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

std::string LongPage()
{
    std::string page = "<html><head><style>#logo { color: red } p { margin: 0 }</style></head><body>\r\n"
                       "<img id=\"logo\" src=\"a.gif\" width=\"10\" height=\"20\">\r\n";
    for (int i = 0; i < 300; ++i)
        page += "<p id=\"p" + std::to_string(i) + "\"><a href=\"#p280\">line " + std::to_string(i) + "</a></p>\r\n";
    return page + "</body></html>";
}

} // namespace

TEST(PreviewWindow, SavedPageScrollSizesTipAndSave)
{
    Tarnel t(L"preview_saved");
    const std::wstring doc = t.Folder() + L"\\page.html";
    WriteAll(doc, LongPage());
    WriteAll(t.Folder() + L"\\tarneltemp1.html", "mine");
    ASSERT_TRUE(t.Start(L"\"" + doc + L"\""));
    t.Type(L" ");

    // A file of the user's with the first name is left alone.
    ViewPage(t);
    HWND b = Browser(t);
    ASSERT_NE(b, nullptr);
    const std::wstring page = t.Folder() + L"\\tarneltemp2.html";
    EXPECT_TRUE(Hidden(page));
    EXPECT_EQ(ReadAll(t.Folder() + L"\\tarneltemp1.html"), "mine");
    EXPECT_TRUE(wt::WaitFor([&] { return !IsWindowVisible(t.Main()); }, 5000));
    HWND view = wt::FindChild(b, L"TarnelPageView");
    const bool loaded = wt::WaitFor([&] { return Loaded(b); }, 5000);
    t.Shot(L"preview.bmp");
    ASSERT_TRUE(loaded);

    // The element under the mouse, with its ID rule; Ctrl+C copies it.
    const std::wstring image = InfoAt(b, view, 14, 14);
    EXPECT_EQ(image.substr(0, 5), L"IMG\r\n");
    EXPECT_NE(image.find(L"a.gif\r\nW: 10 H: 20\r\nID: logo\r\n\r\nID Style: "), std::wstring::npos) << image;

    // The offset survives the way back (the paragraph at one spot tells),
    // and the page is gone meanwhile.
    for (int i = 0; i < 3; ++i)
        wt::Send(view, WM_VSCROLL, SB_PAGEDOWN);
    const std::wstring scrolled = InfoAt(b, view, 400, 100);
    EXPECT_EQ(scrolled.substr(0, 8), L"P\r\nID: p") << scrolled;
    EXPECT_GT(scrolled.size() > 8 ? std::stoi(scrolled.substr(8)) : 0, 40) << "not scrolled";
    wt::PostCommand(b, bm::IDM_mtextview);
    EXPECT_TRUE(wt::WaitFor([&] { return IsWindowVisible(t.Main()) && !IsWindowVisible(b); }, 5000));
    EXPECT_TRUE(wt::WaitFor([&] { return !Exists(page); }, 5000));
    ViewPage(t);
    ASSERT_EQ(Browser(t), b);
    ASSERT_TRUE(wt::WaitFor([&] { return Loaded(b); }, 5000));
    // Under load the view can still be taking its size when the page is in.
    std::wstring back;
    wt::WaitFor([&] { return (back = InfoAt(b, view, 400, 100)) == scrolled; }, 3000);
    EXPECT_EQ(back, scrolled);

    // A link to an anchor of the page goes there, and stays.
    wt::Send(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 100));
    wt::Send(view, WM_LBUTTONUP, 0, MAKELPARAM(15, 100));
    Sleep(300);
    const std::wstring jumped = InfoAt(b, view, 400, 10);
    EXPECT_EQ(jumped.substr(0, 8), L"P\r\nID: p") << jumped;
    EXPECT_GE(jumped.size() > 8 ? std::stoi(jumped.substr(8)) : 0, 270) << jumped;

    // The size lists go together; a header entry is no size.
    HWND boxW = wt::FindChild(b, L"ComboBox");
    ASSERT_NE(boxW, nullptr);
    HWND boxH = GetWindow(boxW, GW_HWNDNEXT);
    HWND size = wt::FindChild(b, L"ButSilver2");
    ASSERT_NE(size, nullptr);
    Pick(boxW, 5);
    EXPECT_EQ(wt::Send(boxH, CB_GETCURSEL), 5);
    Press(size);
    EXPECT_EQ(Message(t), L"Numeric values must be selected.");
    Pick(boxW, 9);
    EXPECT_EQ(wt::Send(boxH, CB_GETCURSEL), 9);
    Press(size);
    RECT r{};
    EXPECT_TRUE(wt::WaitFor([&] {
        GetWindowRect(b, &r);
        return r.right - r.left == 954 && r.bottom - r.top == 728;
    }, 5000)) << r.right - r.left << "x" << r.bottom - r.top;

    // Saved from here, the document is saved: leaving asks nothing.
    wt::PostCommand(b, bm::IDM_mbSave);
    EXPECT_TRUE(wt::WaitFor([&] { return ReadAll(doc).substr(0, 7) == " <html>"; }, 5000));
    wt::PostCommand(b, bm::IDM_mexit);
    EXPECT_TRUE(t.Ends());
    EXPECT_FALSE(Exists(page));
}

TEST(PreviewWindow, UntitledPagesTheTempFolderAndOutsideBrowsers)
{
    Tarnel t(L"preview_untitled");
    const std::wstring web = t.Folder() + L"\\web";
    CreateDirectoryW(web.c_str(), nullptr);
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    rec.WebTempFolder = web;
    t.WriteRecord(rec);
    // A run killed while its page is on show: the next start removes that
    // page, and never a hidden file of the same kind it did not write.
    ASSERT_TRUE(t.Start());
    SetText(t.Editor(), L"<p>killed</p>");
    ViewPage(t);
    ASSERT_TRUE(wt::WaitFor([&] { return Hidden(web + L"\\tarneltemp1.html"); }, 5000));
    t.Process().Kill();
    WriteAll(web + L"\\tarneltemp7.html", "not ours");
    SetFileAttributesW((web + L"\\tarneltemp7.html").c_str(), FILE_ATTRIBUTE_HIDDEN);
    // An outside browser as this prefix's registry names it.
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Chrome.exe";
    const std::wstring chrome = t.Folder() + L"\\chrome.exe";
    WriteAll(chrome, "");
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, chrome.c_str(),
                    static_cast<DWORD>((chrome.size() + 1) * sizeof(wchar_t)));
    ASSERT_TRUE(t.Start());
    EXPECT_FALSE(Exists(web + L"\\tarneltemp1.html"));
    EXPECT_EQ(ReadAll(web + L"\\tarneltemp7.html"), "not ours");
    SetFileAttributesW((web + L"\\tarneltemp7.html").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW((web + L"\\tarneltemp7.html").c_str());

    SetText(t.Editor(), L"<p>hello</p>");
    ViewPage(t);
    HWND b = Browser(t);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(Hidden(web + L"\\tarneltemp1.html"));
    EXPECT_TRUE(wt::Send(b, kMenuState, bm::IDM_mOtherB_0) & 1) << "Chrome found";
    EXPECT_EQ(wt::Send(b, kMenuState, bm::IDM_mOtherB_1) & 1, 0) << "only one browser";
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());

    // Another page: chosen in the Open dialog, shown in the same window.
    WriteAll(t.Folder() + L"\\other.html", "<title>Other one</title><p>other");
    wt::PostCommand(b, bm::IDM_mOther);
    wt::Dialog d = wt::FindDialog(t.Process());
    ASSERT_EQ(d.caption, L"Select webpage to view");
    SetText(GetDlgItem(d.hwnd, cmb13) ? GetDlgItem(d.hwnd, cmb13) : GetDlgItem(d.hwnd, edt1),
            t.Folder() + L"\\other.html");
    wt::PressButton(d.hwnd, IDOK);
    EXPECT_TRUE(wt::WaitFor([&] { return Loaded(b); }, 5000));
    wt::PostCommand(b, bm::IDM_mtextview);
    EXPECT_TRUE(wt::WaitFor([&] { return !Exists(web + L"\\tarneltemp1.html"); }, 5000));

    // Twenty names held by the user: a message, nothing written or lost.
    for (int n = 1; n <= 20; ++n)
        WriteAll(web + L"\\tarneltemp" + std::to_wstring(n) + L".html", "mine");
    ViewPage(t);
    EXPECT_EQ(Message(t), L"Error loading page. If this is new work the Webpage Temp Folder may be invalid.");
    EXPECT_FALSE(Exists(web + L"\\tarneltemp"));
    EXPECT_EQ(ReadAll(web + L"\\tarneltemp20.html"), "mine");
    EXPECT_TRUE(IsWindowVisible(t.Main()));

    // The folder gone: string 130, and the editor stays.
    for (int n = 1; n <= 20; ++n)
        DeleteFileW((web + L"\\tarneltemp" + std::to_wstring(n) + L".html").c_str());
    ASSERT_TRUE(RemoveDirectoryW(web.c_str()));
    ViewPage(t);
    EXPECT_EQ(Message(t), L"Error loading page. The setting for the Webpage Temp Folder may be invalid.");
    EXPECT_TRUE(IsWindowVisible(t.Main()));
    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process(), 3000);
    if (ask.hwnd)
        wt::PressButton(ask.hwnd, IDNO);
    EXPECT_TRUE(t.Ends());
}
