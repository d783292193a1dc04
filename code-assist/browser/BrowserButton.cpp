#include "BrowserButton.h"

#include "forms/Runtime.h"

void PlaceCaptionButton(ButSilver2Control& button, forms::Container& on, int left, int top, int width, int height,
                        const std::wstring& caption, const std::wstring& toolTip)
{
    button.Place(on, left, top, width, height);
    HBITMAP picture =
        ButSilver2::CaptionPicture(caption, forms::TwipsToPixelsX(width), forms::TwipsToPixelsY(height));
    if (picture) {
        button.Button.Image(picture);  // the button keeps a copy
        DeleteObject(picture);
    }
    if (!toolTip.empty())
        button.SetToolTipText(toolTip);
}
