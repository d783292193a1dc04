#include "ControlsTestUtil.h"

#include "forms/Runtime.h"

namespace ctl {

namespace {

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcW(h, m, w, l);
}

} // namespace

HostWindow::HostWindow(int cx, int cy, const wchar_t* caption, bool visible)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"CtlTestHost";
        RegisterClassW(&wc);
        registered = true;
    }
    hwnd = CreateWindowExW(0, L"CtlTestHost", caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 40, 40,
                           cx, cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HostWindow::~HostWindow()
{
    if (hwnd)
        DestroyWindow(hwnd);
}

Canvas::Canvas(int w, int h, COLORREF fill) : cx(w), cy(h)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc, bmp_);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

Canvas::~Canvas()
{
    SelectObject(dc, old_);
    DeleteDC(dc);
    DeleteObject(bmp_);
}

void Pump() { forms::DoEvents(); }

namespace {

struct Search {
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindOurs(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(w))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    if (s->caption == text) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DialogWatcher::DialogWatcher(std::wstring caption, std::function<void(HWND)> act)
{
    thread_ = std::thread([this, caption, act] {
        for (int i = 0; i < 500 && !stop_; ++i) {
            Search s{caption};
            EnumWindows(FindOurs, reinterpret_cast<LPARAM>(&s));
            if (s.found) {
                found_ = true;
                Sleep(200); // let the dialog finish its initialisation
                act(s.found);
                return;
            }
            Sleep(20);
        }
    });
}

DialogWatcher::~DialogWatcher()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

} // namespace ctl
