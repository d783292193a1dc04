#include "ToolButtons.h"

#include "forms/Runtime.h"

void PlaceToolButton(ButSilver2Control& b, forms::Container& on, int left, int top, int width, int height,
                     const std::wstring& caption)
{
    b.Place(on, left, top, width, height);
    HBITMAP picture = ButSilver2::CaptionPicture(caption, forms::TwipsToPixelsX(width), forms::TwipsToPixelsY(height));
    if (picture) {
        b.Button.Image(picture);  // the button keeps a copy
        DeleteObject(picture);
    }
}
