#pragma once
// Window: what a form and a control share, the handle and the few operations
// that act on it alone (focus, z-order, repaint, accepting dropped files).
// Each does nothing while the window does not exist.
#include <windows.h>

namespace forms {

class Window {
public:
    HWND hwnd = nullptr;

    void SetFocus();
    // 0: to the front of its siblings; 1: to the back.
    void ZOrder(int position = 0);
    void Refresh();
    // Accept files dropped from the shell (raises OLEDragDrop); 0 none, 1 manual.
    // Kept until the window is made, which then takes it.
    void SetOLEDropMode(int mode);

protected:
    Window() = default;
    ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int oleDropMode_ = 0;
};

// Whether w takes files dropped from the shell (WM_DROPFILES): the window's
// WS_EX_ACCEPTFILES, as DragAcceptFiles sets it, without loading the shell's
// library for it at the start (TARNEL loads shell32.dll when first used).
void AcceptDroppedFiles(HWND w, bool accept);

} // namespace forms
