#include "ButSilver2/ButSilver2.h"
#include "editor-core/WindowOwner.h"

#include "forms/Runtime.h"
#include "forms/WindowClass.h"
#include "platform/Handles.h"

#include <algorithm>
#include <cstdint>

namespace {

const wchar_t kClass[] = L"ButSilver2";

// A 32-bit top-down DIB the button is composed in, so the overlay can be
// blended per pixel and the result reaches the screen in one blit.
class Canvas {
public:
    Canvas(HDC like, int cx, int cy) : cx_(cx), cy_(cy)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bmp_ = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        dc_ = CreateCompatibleDC(like);
        if (dc_ && bmp_)
            old_ = SelectObject(dc_, bmp_);
    }
    ~Canvas()
    {
        if (old_)
            SelectObject(dc_, old_);
        if (dc_)
            DeleteDC(dc_);
        if (bmp_)
            DeleteObject(bmp_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ok() const { return old_ != nullptr && bits_ != nullptr; }
    HDC Dc() const { return dc_; }

    void Blend(const RECT& r, COLORREF c)
    {
        GdiFlush();
        for (int y = std::max(0L, r.top); y < std::min<long>(cy_, r.bottom); ++y)
            for (int x = std::max(0L, r.left); x < std::min<long>(cx_, r.right); ++x) {
                uint32_t& p = bits_[y * cx_ + x];
                uint32_t b = ((p & 0xFF) + GetBValue(c)) / 2;
                uint32_t g = (((p >> 8) & 0xFF) + GetGValue(c)) / 2;
                uint32_t rr = (((p >> 16) & 0xFF) + GetRValue(c)) / 2;
                p = b | (g << 8) | (rr << 16);
            }
    }

private:
    int cx_, cy_;
    HBITMAP bmp_ = nullptr;
    uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void Frame(HDC dc, const RECT& r, COLORREF c)
{
    platform::GdiObject brush(CreateSolidBrush(c));
    FrameRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

} // namespace

ButSilver2::~ButSilver2()
{
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
    if (picture_)
        DeleteObject(picture_);
}

int ButSilver2::PressShift()
{
    return std::max(1, forms::TwipsToPixelsX(20));
}

bool ButSilver2::Create(HWND parent, int x, int y, int cx, int cy, int id)
{
    if (hwnd)
        return false;
    // The settings library carries this control too: its class must belong to
    // the module whose code runs it.
    HINSTANCE inst = forms::ThisModule();
    if (!forms::RegisterWindowClass({kClass, WndProc}))
        return false;
    if (picture_) {
        SIZE s = PictureSize();
        cx = s.cx;
        cy = s.cy;
    }
    return CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, cx, cy, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, this) != nullptr;
}

void ButSilver2::Move(int x, int y)
{
    if (hwnd)
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButSilver2::Enabled(bool flag)
{
    enabled_ = flag;
    overlay_ = !flag;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, FALSE);
}

void ButSilver2::Image(HBITMAP picture)
{
    HBITMAP copy = picture ? static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
    if (picture_)
        DeleteObject(picture_);
    picture_ = copy;
    if (hwnd)
        InvalidateRect(hwnd, nullptr, FALSE);
}

SIZE ButSilver2::PictureSize() const
{
    BITMAP bm{};
    if (!picture_ || !GetObjectW(picture_, sizeof(bm), &bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void ButSilver2::Resize()
{
    if (!hwnd || !picture_)
        return;
    SIZE s = PictureSize();
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (rc.right != s.cx || rc.bottom != s.cy)
        SetWindowPos(hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButSilver2::Paint(HDC dc) const
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (rc.right <= 0 || rc.bottom <= 0)
        return;
    Canvas canvas(dc, rc.right, rc.bottom);
    if (!canvas.Ok())
        return;
    HDC c = canvas.Dc();
    FillRect(c, &rc, GetSysColorBrush(COLOR_BTNFACE));

    const int shift = shifted_ ? PressShift() : 0;
    SIZE pic = PictureSize();
    if (picture_) {
        HDC src = CreateCompatibleDC(dc);
        if (src) {
            HGDIOBJ old = SelectObject(src, picture_);
            BitBlt(c, shift, shift, pic.cx, pic.cy, src, 0, 0, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
        }
    } else {
        pic = SIZE{rc.right, rc.bottom};
    }
    if (overlay_) {
        RECT o{shift, shift, shift + pic.cx, shift + pic.cy};
        canvas.Blend(o, OverlayFillColor);
        Frame(c, o, OverlayLineColor);
    }
    if (hoverFrame_) {
        RECT f{0, 0, pic.cx, pic.cy};
        Frame(c, f, HoverFrameColor);
    }
    BitBlt(dc, 0, 0, rc.right, rc.bottom, c, 0, 0, SRCCOPY);
}

void ButSilver2::EndPress()
{
    pressed_ = false;
    overlay_ = !enabled_;
    shifted_ = false;
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK ButSilver2::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = WindowOwner<ButSilver2>(hwnd, msg, lp);
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->hwnd = nullptr;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

LRESULT ButSilver2::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc)
            Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        Resize();
        return 0;
    case WM_ENABLE:
        // A form that disables its child windows disables the button too.
        Enabled(wp != 0);
        return 0;
    case WM_MOUSEMOVE:
        if (!hovering_) {
            hovering_ = true;
            hoverFrame_ = !pressed_;
            InvalidateRect(hwnd, nullptr, FALSE);
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&tme);
        }
        return 0;
    case WM_MOUSELEAVE:
        if (hovering_) {
            hovering_ = false;
            hoverFrame_ = false;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (enabled_) {
            pressed_ = true;
            overlay_ = true;
            hoverFrame_ = false;
            shifted_ = true;
            // The release must come back here even off the button, or the
            // pressed look would stay.
            SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!enabled_ || !pressed_)
            return 0;
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        const bool inside = PtInRect(&rc, pt) != FALSE;
        EndPress();
        hovering_ = false;
        hoverFrame_ = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        if (inside && Click) {
            // Last: the handler may close the form and destroy this button.
            try {
                Click();
            } catch (...) {
                // A handler's failure must not unwind through the window procedure.
            }
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Capture taken away mid-press (a dialog, a task switch): no click.
        if (pressed_ && reinterpret_cast<HWND>(lp) != hwnd)
            EndPress();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

namespace {

struct Gdi {
    HGDIOBJ obj;
    explicit Gdi(HGDIOBJ o) : obj(o) {}
    ~Gdi()
    {
        if (obj)
            DeleteObject(obj);
    }
};

} // namespace

HBITMAP ButSilver2::CaptionPicture(const std::wstring& caption, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!dc || !bmp) {
        if (dc)
            DeleteDC(dc);
        if (bmp)
            DeleteObject(bmp);
        return nullptr;
    }
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    // A silver face, lighter at the top, with a grey frame.
    for (int y = 0; y < height; ++y) {
        int shade = 245 - (y * 45) / (height > 1 ? height - 1 : 1);
        Gdi pen(CreatePen(PS_SOLID, 1, RGB(shade, shade, shade + 4 > 255 ? 255 : shade + 4)));
        HGDIOBJ old = SelectObject(dc, pen.obj);
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, width, y);
        SelectObject(dc, old);
    }
    {
        Gdi pen(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
        HGDIOBJ oldPen = SelectObject(dc, pen.obj);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 0, 0, width, height, 4, 4);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r = {0, 0, width, height};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteDC(dc);
    return bmp;
}
