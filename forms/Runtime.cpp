#include "Runtime.h"

#include "MessagePump.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include <vector>

namespace forms {

COLORREF ToColorRef(OleColor c)
{
    if (c & 0x80000000u)
        return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

namespace {

struct ScreenDpi {
    int x = 96, y = 96;
    ScreenDpi()
    {
        if (HDC dc = GetDC(nullptr)) {
            x = GetDeviceCaps(dc, LOGPIXELSX);
            y = GetDeviceCaps(dc, LOGPIXELSY);
            ReleaseDC(nullptr, dc);
        }
        if (x <= 0)
            x = 96;
        if (y <= 0)
            y = 96;
    }
};

const ScreenDpi& Dpi()
{
    static const ScreenDpi dpi;
    return dpi;
}

std::wstring& TitleStore()
{
    static std::wstring title;
    return title;
}

MousePointer g_pointer = MousePointer::Default;

// Clipboard data must have an owner window, or SetClipboardData fails.
class ClipboardWindow {
public:
    HWND Get()
    {
        if (!hwnd_)
            hwnd_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ThisModule(), nullptr);
        return hwnd_;
    }
    ~ClipboardWindow()
    {
        if (hwnd_)
            DestroyWindow(hwnd_);
    }

private:
    HWND hwnd_ = nullptr;
};

ClipboardWindow g_clipWindow;

// Another program may hold the clipboard for a moment.
bool OpenClipboardRetry()
{
    for (int i = 0; i < 20; ++i) {
        if (OpenClipboard(g_clipWindow.Get()))
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

int ScreenDpiX() { return Dpi().x; }
int ScreenDpiY() { return Dpi().y; }
int TwipsPerPixelX() { return 1440 / Dpi().x; }
int TwipsPerPixelY() { return 1440 / Dpi().y; }
int TwipsToPixelsX(int twips) { return MulDiv(twips, Dpi().x, 1440); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, Dpi().y, 1440); }
int PixelsToTwipsX(int pixels) { return MulDiv(pixels, 1440, Dpi().x); }
int PixelsToTwipsY(int pixels) { return MulDiv(pixels, 1440, Dpi().y); }

std::wstring AppPath() { return platform::ProgramFolder(); }

void SetAppTitle(const std::wstring& title) { TitleStore() = title; }

std::wstring AppTitle()
{
    if (!TitleStore().empty())
        return TitleStore();
    std::wstring name = platform::GetFileName(ModulePath(ThisModule()));
    size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

int MsgBox(const std::wstring& prompt, int style, const std::wstring& title, HWND owner)
{
    if (!owner)
        owner = GetActiveWindow();
    std::wstring caption = title.empty() ? AppTitle() : title;
    int r = platform::ShowMessage(prompt, static_cast<UINT>(style), owner, caption);
    return r == 0 ? vbCancel : r;
}

std::wstring ClipboardGetText()
{
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardRetry())
        return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            size_t cap = GlobalSize(h) / sizeof(wchar_t);
            size_t n = 0;
            while (n < cap && p[n])
                ++n;
            text.assign(p, n);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

bool ClipboardSetText(const std::wstring& text)
{
    if (!OpenClipboardRetry())
        return false;
    bool ok = false;
    if (EmptyClipboard()) {
        size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* p = GlobalLock(h)) {
                memcpy(p, text.c_str(), bytes);
                GlobalUnlock(h);
                ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
            }
            if (!ok)
                GlobalFree(h);
        }
    }
    CloseClipboard();
    return ok;
}

bool ClipboardClear()
{
    if (!OpenClipboardRetry())
        return false;
    bool ok = EmptyClipboard() != 0;
    CloseClipboard();
    return ok;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

void SetScreenMousePointer(MousePointer pointer)
{
    g_pointer = pointer;
    SetCursor(LoadCursorW(nullptr, pointer == MousePointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

MousePointer ScreenMousePointer() { return g_pointer; }

Hourglass::Hourglass() : previous_(g_pointer) { SetScreenMousePointer(MousePointer::Hourglass); }

Hourglass::~Hourglass() { SetScreenMousePointer(previous_); }

void DoEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

std::wstring LoadResString(UINT id, HMODULE module)
{
    if (!module)
        module = ThisModule();
    const wchar_t* p = nullptr;
    // A zero buffer size asks for a read-only pointer into the resource.
    int n = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&p), 0);
    if (n > 0 && p)
        return std::wstring(p, static_cast<size_t>(n));
    return L"";
}

int KeyShiftState()
{
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        s |= vbAltMask;
    return s;
}

} // namespace forms
