#pragma once
// ButSilver2: the push button of every window, one picture drawn by the
// control itself, with a hover frame, a pressed look (the picture shifted
// down-right under an overlay) and a disabled look (the overlay in place).
// Click is raised when the left button, pressed on the button, goes up on it.
// Self-contained: the settings library carries the same control.
#include <windows.h>

#include <functional>
#include <string>

class ButSilver2 {
public:
    // Colours of the two overlays ("shapes") drawn over the picture.
    static constexpr COLORREF HoverFrameColor = RGB(49, 106, 197);
    static constexpr COLORREF OverlayLineColor = RGB(128, 128, 128);
    static constexpr COLORREF OverlayFillColor = RGB(212, 208, 200);

    ButSilver2() = default;
    ~ButSilver2();
    ButSilver2(const ButSilver2&) = delete;
    ButSilver2& operator=(const ButSilver2&) = delete;

    // Creates the button as a child of parent at x, y (pixels). It takes the
    // size of its picture; cx and cy are used while it has none.
    bool Create(HWND parent, int x, int y, int cx = 0, int cy = 0, int id = 0);
    void Move(int x, int y);

    HWND hwnd = nullptr;

    bool Enabled() const { return enabled_; }
    void Enabled(bool flag);
    // Takes a copy of the picture (the caller keeps its own). Like the host's
    // picture swap, the size follows at the next Resize.
    void Image(HBITMAP picture);
    // The button's own copy; valid while the button keeps it.
    HBITMAP Image() const { return picture_; }
    // Takes the size of the picture.
    void Resize();

    std::function<void()> Click;

    // Pressed offset: 20 twips in pixels of the screen (at least one).
    static int PressShift();
    // A picture for a button of that size showing a caption: a silver face,
    // a frame and the centred text. The caller deletes it.
    static HBITMAP CaptionPicture(const std::wstring& caption, int width, int height);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc) const;
    void EndPress();
    SIZE PictureSize() const;

    HBITMAP picture_ = nullptr;
    bool enabled_ = true;
    bool hovering_ = false;
    bool pressed_ = false;          // left button went down on the button
    bool hoverFrame_ = false;       // Shape2
    bool overlay_ = false;          // Shape1
    bool shifted_ = false;          // picture and overlay moved by PressShift
};
