// The page view in a window: navigation events in order, scrolling, anchor
// jumps from links and addresses, and the element under the mouse.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "PageFixture.h"
#include "html/view/PageView.h"

using namespace html;

namespace {

struct Recorder : PageViewEvents {
    std::vector<std::wstring> log;
    PageView* view = nullptr;
    void BeforeNavigate2(const std::wstring& url, bool&) override { log.push_back(L"before " + url); }
    void NavigateComplete2(const std::wstring& url) override { log.push_back(L"navigated " + url); }
    void DocumentComplete(const std::wstring& url) override { log.push_back(L"complete " + url); }
    void OnMouseOver() override
    {
        log.push_back(L"over " + view->Document()->parentWindow().event().srcElement.id());
    }
};

void Pump()
{
    MSG msg;
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

} // namespace

TEST(PageView, NavigatesScrollsAndJumpsToAnchors)
{
    pagetest::WriteFile(L"view.html",
                        "<!DOCTYPE html><body style='margin:0'><a id=top href='#down'>down</a>"
                        "<div id=spacer style='height:2000px'></div><h2 id=down>Down</h2>"
                        "<div style='height:2000px'></div><a id=back href='#'>back</a>");
    std::wstring path = pagetest::ScratchFolder() + L"\\view.html";
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    Recorder rec;
    PageView view;
    rec.view = &view;
    ASSERT_TRUE(view.Create(parent, RECT{0, 0, 400, 300}, 1, &rec));
    view.Navigate(path);
    EXPECT_TRUE(rec.log.empty()); // nothing happens before messages run
    Pump();
    std::wstring url = L"file:///" + path;
    for (wchar_t& c : url)
        if (c == L'\\')
            c = L'/';
    ASSERT_EQ(rec.log.size(), 3u);
    EXPECT_EQ(rec.log[0], L"before " + path);
    EXPECT_EQ(rec.log[1], L"navigated " + url);
    EXPECT_EQ(rec.log[2], L"complete " + url);
    HtmlDocument* doc = view.Document();
    ASSERT_NE(doc, nullptr);

    SendMessageW(view.hwnd, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(doc->ScrollTop(), 100);
    EXPECT_EQ(doc->documentElement().scrollTop(), doc->ScrollTop()); // standards mode: documentElement scrolls
    EXPECT_EQ(doc->body().scrollTop(), 0);
    doc->documentElement().scrollTop(0);
    EXPECT_EQ(doc->ScrollTop(), 0);

    // A click on the link to "#down" scrolls to the heading.
    rec.log.clear();
    Rect link = doc->Boxes().boxes[doc->Page().nodes[0]->index];
    for (const Node* n : doc->Page().nodes)
        if (n->AttributeOr(L"id") == L"top")
            link = doc->Boxes().boxes[n->index];
    SendMessageW(view.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(link.x + 2, link.y + 2));
    SendMessageW(view.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(link.x + 2, link.y + 2));
    Pump();
    ASSERT_GE(rec.log.size(), 4u);
    EXPECT_EQ(rec.log[0], L"over top");
    EXPECT_EQ(rec.log[1], L"before " + path + L"#down");
    int down = doc->AnchorTop(L"down");
    EXPECT_GT(down, 2000);
    EXPECT_EQ(doc->ScrollTop(), down);
    EXPECT_EQ(view.Document(), doc); // the same document, only scrolled

    view.Navigate(path + L"#");
    Pump();
    EXPECT_EQ(doc->ScrollTop(), 0);

    // Tab gives the first link the focus, Enter follows it.
    SetFocus(view.hwnd);
    SendMessageW(view.hwnd, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_NE(view.FocusedLink(), nullptr);
    EXPECT_EQ(view.FocusedLink()->AttributeOr(L"id"), L"top");
    SendMessageW(view.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(doc->ScrollTop(), down);

    // The whole page goes to the default printer, when there is one.
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (PrintDlgW(&pd) && pd.hDC) {
        EXPECT_TRUE(view.PrintTo(pd.hDC));
        DeleteDC(pd.hDC);
    }
    DestroyWindow(parent);
}
