#pragma once
// The control that shows a page: scrolling both ways, the element under the
// mouse, link clicks and jumps to anchors, the page's mouse-over and key
// events, and printing. Navigation runs after the call returns, as a
// browser's does: before navigate, navigate complete, document complete.
#include <windows.h>

#include <memory>
#include <string>

#include "html/document/HtmlDocument.h"

namespace html {

// The events of the browser and of its document, for the window that holds the view.
class PageViewEvents {
public:
    virtual void BeforeNavigate2(const std::wstring& url, bool& cancel) { (void)url, (void)cancel; }
    virtual void NavigateComplete2(const std::wstring& url) { (void)url; }
    virtual void DocumentComplete(const std::wstring& url) { (void)url; }
    virtual void OnMouseOver() {}
    virtual void OnKeyDown() {}
    // False keeps the page's context menu closed.
    virtual bool OnContextMenu() { return false; }
    // The page's script asked the window to take this size.
    virtual void ResizeTo(int width, int height) { (void)width, (void)height; }

protected:
    ~PageViewEvents() = default;
};

class PageView : private PageWindowHost {
public:
    PageView();
    ~PageView();
    PageView(const PageView&) = delete;
    PageView& operator=(const PageView&) = delete;

    bool Create(HWND parent, const RECT& rect, int id, PageViewEvents* events);
    HWND hwnd = nullptr;

    // Starts a navigation to a local page (a path or file: URL, with an
    // optional "#name"); the events follow once messages run.
    void Navigate(const std::wstring& url);
    // The document shown, or null before the first navigation completed.
    HtmlDocument* Document() { return doc.get(); }
    const std::wstring& LocationURL() const { return location; }
    // Prints the whole page on the printer the user picks; false when nothing was printed.
    bool Print(HWND owner);
    // Prints the whole page on a printer's device context, laid out for the paper with the
    // page's print rules, scaled to the paper's width at most.
    bool PrintTo(HDC printer);
    // The browser's offline switch: pages are only ever read from this machine either way.
    void SetOffline(bool offline) { isOffline = offline; }
    bool Offline() const { return isOffline; }
    // The link that has the keyboard focus (Tab moves it, Enter follows it), or null.
    const Node* FocusedLink() const { return focusLink; }
    void ScrollTo(int x, int y);
    // Shows the scroll offset the document was given through its script objects.
    void ShowScroll();
    // Lays the page out again for the control's width (after the document's content changed).
    void Relayout();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void ResizeTo(int width, int height) override;
    void CompleteNavigation();
    void LayoutForClient();
    bool PrintSheets(HDC printer, int dpiX, int dpiY, int pageW, int pageH);
    void UpdateScrollBars();
    void Paint(HDC dc, const RECT& client);
    void OnScroll(int bar, int code);
    void OnMouseMove(int x, int y);
    void OnClick(int x, int y);
    void OnKey(WPARAM key);
    const Node* LinkAt(int x, int y);

    PageViewEvents* events = nullptr;
    std::unique_ptr<HtmlDocument> doc;
    std::wstring location;
    std::wstring pending;
    void MoveFocus(bool forward);
    const Node* hover = nullptr;
    const Node* focusLink = nullptr;
    bool isOffline = false;
    HBITMAP buffer = nullptr;
    int bufferW = 0, bufferH = 0;
};

// The bit of an address after '#', and the address without it.
void SplitFragment(const std::wstring& url, std::wstring& address, std::wstring& fragment);

} // namespace html
