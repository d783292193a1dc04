#include "PopupPlacement.h"

#include <cmath>

namespace PopupPlacement {

namespace {

// Half twips go to the even neighbour (the default rounding mode).
long Whole(double v) { return static_cast<long>(std::nearbyint(v)); }

} // namespace

PopupPoint GetPopupPosition(const PopupRect& editor, const PopupRect& list, bool caretKnown, long caretX,
                            long caretY, short& flag)
{
    flag = 0;
    double x, y;
    if (caretKnown) {
        flag = 1;
        x = caretX + editor.Left + 140.0;
        if (editor.Left + editor.Width - list.Width < x) {
            x -= list.Width + 280.0;
            flag = -1;
        }
        y = caretY + editor.Top + 100.0;
        if (editor.Top + editor.Height - list.Height < y)
            y -= list.Height + 300.0;
    } else {
        x = editor.Left + editor.Width * 0.5;
        y = editor.Top;
    }
    return {Whole(x), Whole(y)};
}

PopupPoint TipPosition(const PopupRect& editor, bool caretKnown, long caretX, long caretY, long tipWidth)
{
    PopupPoint p;
    if (caretKnown) {
        p.X = caretX + editor.Left - 50;
        p.Y = caretY + editor.Top - 315;
    } else {
        p.X = editor.Left;
        p.Y = editor.Top;
    }
    const long right = editor.Left + editor.Width;
    if (p.X + tipWidth > right)
        p.X = right - tipWidth;
    else if (editor.Left > p.X)
        p.X = editor.Left;
    if (editor.Top > p.Y)
        p.Y += 700;
    return p;
}

} // namespace PopupPlacement
