#include "PageView.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "html/paint/PagePainter.h"
#include "html/parse/PageUrl.h"
#include "WindowOwner.h"

namespace html {
namespace {

const wchar_t* const ClassName = L"TarnelPageView";
constexpr UINT NavigateMessage = WM_APP + 0x31;
constexpr int LineStep = 40;

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void SplitFragment(const std::wstring& url, std::wstring& address, std::wstring& fragment)
{
    size_t hash = url.find(L'#');
    address = url.substr(0, hash);
    fragment = hash == std::wstring::npos ? L"" : url.substr(hash + 1);
}

PageView::PageView() = default;

PageView::~PageView()
{
    if (hwnd)
        DestroyWindow(hwnd);
    if (buffer)
        DeleteObject(buffer);
}

bool PageView::Create(HWND parent, const RECT& rect, int id, PageViewEvents* handler)
{
    events = handler;
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = ClassName;
        registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

void PageView::Navigate(const std::wstring& url)
{
    pending = url;
    if (hwnd)
        PostMessageW(hwnd, NavigateMessage, 0, 0);
}

void PageView::CompleteNavigation()
{
    std::wstring url = pending;
    pending.clear();
    bool cancel = false;
    if (events)
        events->BeforeNavigate2(url, cancel);
    if (cancel || !hwnd)
        return;
    std::wstring address, fragment;
    SplitFragment(url, address, fragment);
    std::wstring path = PathFromUrl(address);
    bool sameDocument = doc && (address.empty() || SameFile(path, doc->Path())) && url.find(L'#') != std::wstring::npos;
    if (!sameDocument) {
        auto next = std::make_unique<HtmlDocument>();
        std::wstring error;
        next->Load(path, error); // an unreadable page shows empty, as a browser shows its error page
        next->parentWindow().SetHost(this);
        doc = std::move(next);
        hover = nullptr;
        focusLink = nullptr;
        LayoutForClient();
    }
    bool hasFragment = url.find(L'#') != std::wstring::npos;
    location = AbsoluteUrl(doc->Path(), hasFragment ? L"#" + fragment : L"");
    if (events)
        events->NavigateComplete2(location);
    if (hasFragment) {
        int top = doc->AnchorTop(fragment);
        if (top >= 0)
            ScrollTo(doc->ScrollLeft(), top);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    if (events)
        events->DocumentComplete(location);
}

void PageView::LayoutForClient()
{
    if (!doc || !hwnd)
        return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    // Laid out first for the window as it is; the scroll bars then show as the page needs them.
    doc->Layout(std::max<LONG>(1, rc.right), std::max<LONG>(1, rc.bottom));
    UpdateScrollBars();
    RECT after;
    GetClientRect(hwnd, &after);
    if (after.right != rc.right || after.bottom != rc.bottom) {
        doc->Layout(std::max<LONG>(1, after.right), std::max<LONG>(1, after.bottom));
        UpdateScrollBars();
    }
}

void PageView::Relayout()
{
    LayoutForClient();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PageView::UpdateScrollBars()
{
    if (!doc)
        return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    si.nMax = std::max(0, doc->Boxes().height - 1);
    si.nPage = static_cast<UINT>(std::max<LONG>(0, rc.bottom));
    si.nPos = doc->ScrollTop();
    si.fMask = SIF_ALL;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    si.nMax = std::max(0, doc->Boxes().width - 1);
    si.nPage = static_cast<UINT>(std::max<LONG>(0, rc.right));
    si.nPos = doc->ScrollLeft();
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
}

void PageView::ScrollTo(int x, int y)
{
    if (!doc)
        return;
    int oldX = doc->ScrollLeft(), oldY = doc->ScrollTop();
    doc->SetScroll(x, y);
    if (doc->ScrollLeft() == oldX && doc->ScrollTop() == oldY)
        return;
    UpdateScrollBars();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PageView::ShowScroll()
{
    if (!doc || !hwnd)
        return;
    UpdateScrollBars();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PageView::ResizeTo(int width, int height)
{
    if (events)
        events->ResizeTo(width, height);
    HWND top = GetAncestor(hwnd, GA_ROOT);
    if (top && width > 0 && height > 0)
        SetWindowPos(top, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageView::Paint(HDC dc, const RECT& client)
{
    int w = std::max<LONG>(1, client.right), h = std::max<LONG>(1, client.bottom);
    if (!buffer || bufferW != w || bufferH != h) {
        if (buffer)
            DeleteObject(buffer);
        buffer = CreateSurface(w, h, nullptr);
        bufferW = w;
        bufferH = h;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, buffer);
    if (doc && doc->IsLaidOut()) {
        PaintContext ctx{doc->Page(), doc->Styles(), doc->Boxes(), doc->Fonts(), doc->Images()};
        PaintPage(mem, ctx, Rect{doc->ScrollLeft(), doc->ScrollTop(), w, h});
        if (focusLink && GetFocus() == hwnd) {
            const Rect& b = doc->Boxes().boxes[focusLink->index];
            RECT focus{b.x - doc->ScrollLeft() - 1, b.y - doc->ScrollTop(), b.Right() - doc->ScrollLeft() + 1,
                       b.Bottom() - doc->ScrollTop()};
            DrawFocusRect(mem, &focus);
        }
    } else {
        RECT all{0, 0, w, h};
        FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void PageView::OnScroll(int bar, int code)
{
    if (!doc)
        return;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &si);
    int pos = si.nPos;
    switch (code) {
    case SB_LINEUP: pos -= LineStep; break;
    case SB_LINEDOWN: pos += LineStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    if (bar == SB_VERT)
        ScrollTo(doc->ScrollLeft(), pos);
    else
        ScrollTo(pos, doc->ScrollTop());
}

const Node* PageView::LinkAt(int x, int y)
{
    if (!doc || !doc->IsLaidOut())
        return nullptr;
    HtmlElement e = doc->ElementFromPoint(x + doc->ScrollLeft(), y + doc->ScrollTop());
    for (const Node* n = e.GetNode(); n && n->IsElement(); n = n->parent)
        if ((n->Is(L"a") || n->Is(L"area")) && n->Attribute(L"href"))
            return n;
    return nullptr;
}

void PageView::OnMouseMove(int x, int y)
{
    if (!doc || !doc->IsLaidOut())
        return;
    HtmlElement e = doc->ElementFromPoint(x + doc->ScrollLeft(), y + doc->ScrollTop());
    if (e.GetNode() == hover)
        return;
    hover = e.GetNode();
    doc->parentWindow().event().srcElement = e;
    if (events)
        events->OnMouseOver();
}

void PageView::OnClick(int x, int y)
{
    const Node* link = LinkAt(x, y);
    if (!link || !doc)
        return;
    std::wstring href = link->AttributeOr(L"href");
    std::wstring address, fragment;
    SplitFragment(href, address, fragment);
    // Only pages on this machine are shown; nothing is fetched from a network.
    if (!address.empty() && ResolveLocalPath(doc->Path(), address).empty())
        return;
    std::wstring target = address.empty() ? doc->Path() : ResolveLocalPath(doc->Path(), address);
    Navigate(href.find(L'#') != std::wstring::npos ? target + L"#" + fragment : target);
}

void PageView::OnKey(WPARAM key)
{
    if (doc) {
        PageEvent& ev = doc->parentWindow().event();
        ev.ctrlKey = GetKeyState(VK_CONTROL) < 0;
        ev.keyCode = static_cast<int>(key);
        if (events)
            events->OnKeyDown();
    }
    switch (key) {
    case VK_TAB: MoveFocus(GetKeyState(VK_SHIFT) >= 0); break;
    case VK_RETURN:
        if (focusLink && doc) {
            const Rect& b = doc->Boxes().boxes[focusLink->index];
            OnClick(b.x - doc->ScrollLeft() + 1, b.y - doc->ScrollTop() + b.h / 2);
        }
        break;
    case VK_UP: OnScroll(SB_VERT, SB_LINEUP); break;
    case VK_DOWN: OnScroll(SB_VERT, SB_LINEDOWN); break;
    case VK_PRIOR: OnScroll(SB_VERT, SB_PAGEUP); break;
    case VK_NEXT:
    case VK_SPACE: OnScroll(SB_VERT, SB_PAGEDOWN); break;
    case VK_HOME: OnScroll(SB_VERT, SB_TOP); break;
    case VK_END: OnScroll(SB_VERT, SB_BOTTOM); break;
    case VK_LEFT: OnScroll(SB_HORZ, SB_LINEUP); break;
    case VK_RIGHT: OnScroll(SB_HORZ, SB_LINEDOWN); break;
    default: break;
    }
}

void PageView::MoveFocus(bool forward)
{
    if (!doc || !doc->IsLaidOut())
        return;
    const auto& nodes = doc->Page().nodes;
    std::vector<const Node*> links;
    for (const Node* n : nodes)
        if (n->Is(L"a") && n->Attribute(L"href") && doc->Boxes().boxes[n->index].w >= 0)
            links.push_back(n);
    if (links.empty())
        return;
    auto at = std::find(links.begin(), links.end(), focusLink);
    if (at == links.end())
        focusLink = forward ? links.front() : links.back();
    else if (forward)
        focusLink = (at + 1 == links.end()) ? links.front() : *(at + 1);
    else
        focusLink = (at == links.begin()) ? links.back() : *(at - 1);
    // The focused link is scrolled into view.
    const Rect& b = doc->Boxes().boxes[focusLink->index];
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (b.y < doc->ScrollTop() || b.Bottom() > doc->ScrollTop() + rc.bottom)
        ScrollTo(doc->ScrollLeft(), b.y - rc.bottom / 3);
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT PageView::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case NavigateMessage:
        if (!pending.empty())
            CompleteNavigation();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        Paint(dc, rc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (doc && doc->IsLaidOut() && LOWORD(lp) != doc->Boxes().viewportWidth)
            LayoutForClient();
        else
            UpdateScrollBars();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wp));
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wp));
        return 0;
    case WM_MOUSEWHEEL:
        if (doc)
            ScrollTo(doc->ScrollLeft(), doc->ScrollTop() - GET_WHEEL_DELTA_WPARAM(wp) * LineStep * 3 / WHEEL_DELTA);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_LBUTTONUP:
        OnClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd, &pt);
            SetCursor(LoadCursor(nullptr, LinkAt(pt.x, pt.y) ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        OnKey(wp);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_CONTEXTMENU:
        if (events && !events->OnContextMenu())
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PageView::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    PageView* self = WindowOwner<PageView>(h, msg, lp);
    if (!self)
        return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->hwnd = nullptr;
        return DefWindowProcW(h, msg, wp, lp);
    }
    return self->Handle(msg, wp, lp);
}

bool PageView::Print(HWND owner)
{
    if (!doc || !doc->IsLaidOut())
        return false;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    if (!PrintDlgW(&pd) || !pd.hDC)
        return false;
    bool ok = PrintTo(pd.hDC);
    DeleteDC(pd.hDC);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    return ok;
}

bool PageView::PrintTo(HDC printer)
{
    if (!doc || !doc->IsLaidOut() || !printer)
        return false;
    int dpiX = std::max(1, GetDeviceCaps(printer, LOGPIXELSX)), dpiY = std::max(1, GetDeviceCaps(printer, LOGPIXELSY));
    int pageW = GetDeviceCaps(printer, HORZRES), pageH = GetDeviceCaps(printer, VERTRES);
    if (pageW <= 0 || pageH <= 0)
        return false;
    // Laid out again for the paper, where the page's print rules hold, and
    // back for the screen afterwards.
    int screenW = doc->Boxes().viewportWidth, screenH = doc->Boxes().viewportHeight;
    doc->Layout(std::max(1, MulDiv(pageW, 96, dpiX)), std::max(1, MulDiv(pageH, 96, dpiY)), true);
    bool ok = PrintSheets(printer, dpiX, dpiY, pageW, pageH);
    doc->Layout(screenW, screenH);
    return ok;
}

bool PageView::PrintSheets(HDC printer, int dpiX, int dpiY, int pageW, int pageH)
{
    // The page at 96 pixels an inch (narrower when it is wider than the
    // paper), cut into sheets as tall as the paper.
    int docW = std::max(1, doc->Boxes().width);
    double scaleX = std::min(dpiX / 96.0, static_cast<double>(pageW) / docW);
    double scaleY = scaleX * dpiY / dpiX;
    int sheetH = std::max(1, static_cast<int>(pageH / scaleY));
    std::wstring title = doc->title().empty() ? L"Page" : doc->title();
    DOCINFOW di{sizeof di, title.c_str(), nullptr, nullptr, 0};
    if (StartDocW(printer, &di) <= 0)
        return false;
    void* bits = nullptr;
    HBITMAP sheet = CreateSurface(docW, sheetH, &bits);
    HDC mem = CreateCompatibleDC(printer);
    PaintContext ctx{doc->Page(), doc->Styles(), doc->Boxes(), doc->Fonts(), doc->Images()};
    bool ok = sheet && mem;
    for (int y = 0; ok && y < std::max(1, doc->Boxes().height); y += sheetH) {
        HGDIOBJ old = SelectObject(mem, sheet);
        PaintPage(mem, ctx, Rect{0, y, docW, sheetH});
        GdiFlush();
        SelectObject(mem, old);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = docW;
        bi.bmiHeader.biHeight = -sheetH;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        ok = StartPage(printer) > 0;
        if (ok) {
            StretchDIBits(printer, 0, 0, static_cast<int>(docW * scaleX), static_cast<int>(sheetH * scaleY), 0, 0,
                          docW, sheetH, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
            ok = EndPage(printer) > 0;
        }
    }
    if (ok)
        EndDoc(printer);
    else
        AbortDoc(printer);
    if (mem)
        DeleteDC(mem);
    if (sheet)
        DeleteObject(sheet);
    return ok;
}

} // namespace html
