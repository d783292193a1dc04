#pragma once
// Where the popup list and the parameter tip stand beside the editor's
// caret: arithmetic over rectangles in twips (main window client area), so
// that it is tested without a window.
#include "PopupFace.h"

struct PopupPoint {
    long X = 0, Y = 0;
};

namespace PopupPlacement {

// The list's top left corner for a caret at (caretX, caretY) twips inside
// the editor (caretKnown false: no caret). flag: 0 no caret, 1 right of the
// caret, -1 left of it because it would stick out on the right. Below the
// caret's line unless it would stick out at the bottom, then above it.
PopupPoint GetPopupPosition(const PopupRect& editor, const PopupRect& list, bool caretKnown, long caretX,
                            long caretY, short& flag);

// The tip's top left corner: 315 twips above the caret's line and 50 left
// of the caret, kept within the editor's left and right edges, and moved
// below the line when it would stand above the editor.
PopupPoint TipPosition(const PopupRect& editor, bool caretKnown, long caretX, long caretY, long tipWidth);

} // namespace PopupPlacement
