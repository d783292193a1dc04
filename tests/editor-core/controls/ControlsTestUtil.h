#pragma once
// Shared pieces of the controls tests: a host window, off-screen rendering of
// a control, pixel reads and a watcher that answers a dialog of this process.
#include <windows.h>

#include "WindowTest.h"

#include <functional>
#include <string>
#include <thread>

namespace ctl {

// A top-level window that hosts controls; destroyed with the object. Hidden
// unless asked: destroying a shown window costs Wine seconds without a window
// manager.
class HostWindow {
public:
    explicit HostWindow(int cx = 400, int cy = 300, const wchar_t* caption = L"controls test", bool visible = false);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd = nullptr;
};

// A 32-bit memory device context of the given size, filled with fill.
class Canvas {
public:
    Canvas(int cx, int cy, COLORREF fill = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc = nullptr;
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    int cx, cy;

private:
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

using wt::SolidBitmap;

// Lets this thread's pending messages run.
void Pump();

// Runs on a second thread: waits for a top-level window of this process with
// the caption, then calls act(window) on that thread.
class DialogWatcher {
public:
    DialogWatcher(std::wstring caption, std::function<void(HWND)> act);
    ~DialogWatcher();
    bool Found() const { return found_; }

private:
    std::thread thread_;
    volatile bool stop_ = false;
    volatile bool found_ = false;
};

} // namespace ctl
