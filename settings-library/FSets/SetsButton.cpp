#include "SetsButton.h"

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

SetsButton::~SetsButton()
{
    // The window goes with the ButSilver2; the runtime must not see it again.
    if (button_ && button_->hwnd)
        Destroy();
}

HBITMAP SetsButton::MakePicture(const std::wstring& caption, int width, int height)
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

void SetsButton::SetEnabled(bool enabled)
{
    forms::Control::SetEnabled(enabled);
    if (button_)
        button_->Enabled(enabled);
}

HWND SetsButton::CreateHandle(HWND parent, const RECT& px)
{
    button_ = std::make_unique<ButSilver2>();
    const int w = px.right - px.left;
    const int h = px.bottom - px.top;
    if (!button_->Create(parent, px.left, px.top, w, h))
        return nullptr;
    HBITMAP picture = MakePicture(caption_, w, h);
    if (picture) {
        button_->Image(picture);  // the button keeps a copy
        DeleteObject(picture);
        button_->Resize();
    }
    button_->Enabled(Enabled());
    SetWindowTextW(button_->hwnd, ToolTipText().c_str());
    button_->Click = [this] {
        if (Enabled())
            FireClick();
    };
    return button_->hwnd;
}

void PlaceButton(SetsButton& b, forms::Container& on, int left, int top, const wchar_t* caption,
                 const wchar_t* tip, int width)
{
    b.Place(on, left, top, width, kSetsButtonHeight);
    b.SetCaption(caption);
    b.SetToolTipText(tip);
}
