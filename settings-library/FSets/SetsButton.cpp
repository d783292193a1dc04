#include "SetsButton.h"

SetsButton::~SetsButton()
{
    // The window goes with the ButSilver2; the runtime must not see it again.
    if (button_ && button_->hwnd)
        Destroy();
}

HBITMAP SetsButton::MakePicture(const std::wstring& caption, int width, int height)
{
    return ButSilver2::CaptionPicture(caption, width, height);
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
