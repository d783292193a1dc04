#include "Internal.h"

#include "Form.h"
#include "WindowClass.h"
#include "Accessible.h"
#include "Windowless.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace forms {
LRESULT CALLBACK FormWndProc(HWND, UINT, WPARAM, LPARAM);
}

namespace forms::detail {

namespace {

LRESULT CALLBACK OwnControlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// The runtime's class names and window property in this module (a DLL with
// forms and the program never share them).
class ClassRegistry {
public:
    ATOM Form() { return RegisterWindowClass({formName_.c_str(), FormWndProc, IDC_ARROW, nullptr, CS_DBLCLKS}); }
    // The own controls share one device context: Wine makes a new one for
    // each window's first paint (up to 64 of them), at several server calls
    // each, and a form's start paints every frame and picture box. A shared
    // context keeps what a paint leaves in it, so each paint restores it.
    ATOM Own() { return RegisterWindowClass({ownName_.c_str(), OwnControlProc, IDC_ARROW, nullptr, CS_DBLCLKS | CS_CLASSDC}); }
    ClassRegistry()
    {
        wchar_t suffix[32];
        swprintf(suffix, 32, L".%p", static_cast<void*>(ThisModule()));
        formName_ = std::wstring(L"TarnelForm") + suffix;
        ownName_ = std::wstring(L"TarnelFormControl") + suffix;
    }
    std::wstring formName_, ownName_;
};

ClassRegistry& Registry()
{
    static ClassRegistry r;
    return r;
}


LRESULT CALLBACK OwnControlProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return Guarded([&]() -> LRESULT {
        Control* c = ControlFromHwnd(w);
        if (!c)
            return DefWindowProcW(w, msg, wp, lp);
        // The runtime's own windows go without a subclass (each subclassed
        // message costs Wine two server calls): their end is seen here.
        if (msg == WM_DESTROY) {
            WindowlessContainerGoing(w);
            c->WindowDestroying(w);
        } else if (msg == WM_NCDESTROY) {
            LRESULT r = DefWindowProcW(w, msg, wp, lp);
            c->WindowDestroyed(w);
            return r;
        }
        if (LRESULT answer = 0; msg == WM_GETOBJECT && AnswerGetObject(w, wp, lp, answer))
            return answer;
        // A window without border, edge or scroll bar has no non-client area
        // to draw; Wine's default drawing of it still takes a device context
        // and several server calls, for each of a form's many small windows.
        if (msg == WM_NCPAINT && !HasNonClientParts(w))
            return 0;
        c->RelayToToolTip(w, msg, wp, lp);
        if (c->hwnd != w)
            return DefWindowProcW(w, msg, wp, lp);
        auto alive = c->AliveToken();
        LRESULT r = 0;
        if (dynamic_cast<Container*>(c) && ReflectToChild(w, msg, wp, lp, r))
            return r;
        if (!*alive)
            return 0;
        if (RouteToWindowless(w, msg, wp, lp, r))
            return r;
        if (!*alive)
            return 0;
        if (c->OnOwnMessage(msg, wp, lp, r))
            return r;
        if (!*alive)
            return 0;
        if (c->HandleCommonMessage(w, msg, wp, lp, r))
            return r;
        if (!*alive)
            return 0;
        switch (msg) {
        case WM_LBUTTONDOWN:
            SetCapture(w);
            return 0;
        case WM_LBUTTONUP: {
            bool captured = GetCapture() == w;
            if (captured)
                ReleaseCapture();
            RECT rc;
            GetClientRect(w, &rc);
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (captured && PtInRect(&rc, pt))
                c->FireClick();
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            c->FireDblClick();
            return 0;
        default:
            return DefWindowProcW(w, msg, wp, lp);
        }
    });
}

} // namespace

const wchar_t* FormClass()
{
    Registry().Form();
    return Registry().formName_.c_str();
}

ATOM FormClassAtom() { return Registry().Form(); }

const wchar_t* OwnControlClass()
{
    Registry().Own();
    return Registry().ownName_.c_str();
}

ATOM OwnControlClassAtom() { return Registry().Own(); }

bool IsOwnControlWindow(HWND w)
{
    return static_cast<ATOM>(GetClassLongPtrW(w, GCW_ATOM)) == OwnControlClassAtom();
}

bool HasNonClientParts(HWND w)
{
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL)) ||
           (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

namespace {

std::unordered_map<HWND, Control*>& TiedControls()
{
    static std::unordered_map<HWND, Control*> tied;
    return tied;
}

} // namespace

void TieControl(HWND w, Control* c)
{
    if (w)
        TiedControls()[w] = c;
}

void UntieControl(HWND w) { TiedControls().erase(w); }

Control* TiedControl(HWND w)
{
    auto& tied = TiedControls();
    auto it = tied.find(w);
    return it == tied.end() ? nullptr : it->second;
}

UINT PreTranslateMessageId()
{
    static const UINT id = RegisterWindowMessageW(L"TarnelForms.PreTranslate");
    return id;
}

UINT MemberDestroyedMessageId()
{
    static const UINT id = RegisterWindowMessageW(L"TarnelForms.MemberDestroyed");
    return id;
}

UINT MenuStateMessageId()
{
    static const UINT id = RegisterWindowMessageW(kMenuStateMessage);
    return id;
}

void LifetimeFault(const wchar_t* what)
{
    std::wstring text = std::wstring(L"forms: ") + what +
                        L"; tear the form down first (Form::Teardown, Control::Destroy, "
                        L"MenuItem::Remove)\n";
    OutputDebugStringW(text.c_str());
    if (GetEnvironmentVariableW(L"TARNEL_STRICT_LIFETIMES", nullptr, 0) == 0)
        return;
    fputws(text.c_str(), stderr);
    fflush(stderr);
    abort();
}

bool ReflectToChild(HWND container, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND child = nullptr;
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        child = reinterpret_cast<HWND>(lp);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (d->CtlType != ODT_MENU)
            child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType != ODT_MENU)
            child = GetDlgItem(container, static_cast<int>(m->CtlID));
        break;
    }
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(lp)->hwndItem;
        break;
    default:
        return false;
    }
    // The window may be an inner window of a control (a user control's own
    // children): walk up to the window the control owns.
    for (HWND a = child; a && a != container; a = GetAncestor(a, GA_PARENT)) {
        if (Control* c = ControlFromHwnd(a))
            return c->OnParentMessage(msg, wp, lp, result);
    }
    return false;
}

int MouseButtons(WPARAM wp)
{
    int b = 0;
    if (wp & MK_LBUTTON)
        b |= vbLeftButton;
    if (wp & MK_RBUTTON)
        b |= vbRightButton;
    if (wp & MK_MBUTTON)
        b |= vbMiddleButton;
    return b;
}

int MessageButton(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return vbLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return vbRightButton;
    default:
        return vbMiddleButton;
    }
}

int MouseShift(WPARAM wp)
{
    int s = 0;
    if (wp & MK_SHIFT)
        s |= vbShiftMask;
    if (wp & MK_CONTROL)
        s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        s |= vbAltMask;
    return s;
}

POINT TwipsInControl(HWND w, HWND controlWindow, LPARAM lp)
{
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (controlWindow && w != controlWindow)
        MapWindowPoints(w, controlWindow, &pt, 1);
    return POINT{PixelsToTwipsX(pt.x), PixelsToTwipsY(pt.y)};
}

std::vector<std::wstring> DroppedFiles(HDROP drop, POINT* at)
{
    std::vector<std::wstring> files;
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        UINT len = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring f(len + 1, L'\0');
        DragQueryFileW(drop, i, &f[0], len + 1);
        f.resize(len);
        files.push_back(f);
    }
    if (at)
        DragQueryPoint(drop, at);
    DragFinish(drop);
    return files;
}

std::wstring ReadWindowText(HWND w)
{
    int n = GetWindowTextLengthW(w);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(w, &s[0], n + 1);
    s.resize(static_cast<size_t>(std::max(0, n)));
    return s;
}

Selection ReadSelection(HWND w, UINT getSel)
{
    DWORD start = 0, end = 0;
    SendMessageW(w, getSel, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return Selection{static_cast<int>(start), static_cast<int>(end)};
}

void FillClient(HWND w, HDC dc, HBRUSH brush)
{
    RECT rc;
    GetClientRect(w, &rc);
    FillRect(dc, &rc, brush);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, const RECT* stretch)
{
    BITMAP bm{};
    GetObjectW(bitmap, sizeof(bm), &bm);
    HDC mem = CreateCompatibleDC(dc);
    if (!mem)
        return;
    HGDIOBJ old = SelectObject(mem, bitmap);
    if (stretch) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, stretch->left, stretch->top, stretch->right - stretch->left,
                   stretch->bottom - stretch->top, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    } else {
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

} // namespace forms::detail
