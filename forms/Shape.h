#pragma once
// Shape: a rectangle, square, oval, circle or rounded rectangle. With a
// transparent fill only the outline is drawn, so the controls inside the
// outline stay visible. It takes no mouse messages.
#include "PaintedControl.h"

#include <tuple>

namespace forms {

class Shape : public PaintedControl {
public:
    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square.
    int ShapeKind() const { return shape_; }
    void SetShape(int v);
    OleColor BorderColor() const { return borderColor_; }
    void SetBorderColor(OleColor c);
    int BorderWidth() const { return borderWidth_; } // pixels
    void SetBorderWidth(int v);
    // 0 solid, 1 transparent (default).
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int v);
    OleColor FillColor() const { return fillColor_; }
    void SetFillColor(OleColor c);

    bool Windowless() const override { return true; }
    HRGN DrawnRegion() const override;
    bool MouseTransparent() const override { return true; }

protected:
    void Draw(HDC dc, RECT rc) override;

private:
    int shape_ = 0;
    OleColor borderColor_ = vbWindowText;
    int borderWidth_ = 1;
    int fillStyle_ = 1;
    OleColor fillColor_ = vbBlack;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<int, OleColor, int, int, OleColor> designShape_;
};

} // namespace forms
