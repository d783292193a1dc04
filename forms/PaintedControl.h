#pragma once
// PaintedControl: a control drawn here (label, image, shape, line, frame).
// It never takes the focus and is no tab stop. A frame has a window of the
// runtime's own class, which raises the key and mouse events itself, so it
// needs no subclass; the others are windowless (Control::Windowless) and
// drawn by their container.
#include "Control.h"

namespace forms {

class PaintedControl : public Control {
public:
    bool IsFocusable() const override { return false; }
    // Paints through Draw(); the background is not erased first, since Draw()
    // covers the whole window and erasing would only flicker.
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Paints the control into dc as its own paint would, erasing included,
    // with the windowless controls it holds; dc's origin is at the
    // control's client origin.
    void PaintInto(HDC dc, RECT client);

protected:
    PaintedControl();
    // A plain child window of the own class, without text.
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }
    // Draws the window; client is its client rectangle.
    virtual void Draw(HDC dc, RECT client) = 0;

private:
    // Draw(), leaving dc as it was.
    void DrawRestoring(HDC dc, RECT client);
};

} // namespace forms
