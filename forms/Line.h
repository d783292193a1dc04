#pragma once
// Line: a straight line from X1,Y1 to X2,Y2 (twips in its container).
#include "PaintedControl.h"

#include <tuple>

namespace forms {

class Line : public PaintedControl {
public:
    // Places the line on a container; use instead of Control::Place.
    Line& PlaceLine(Container& parent, int x1, int y1, int x2, int y2);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetX1(int v) { SetEnds(v, y1_, x2_, y2_); }
    void SetY1(int v) { SetEnds(x1_, v, x2_, y2_); }
    void SetX2(int v) { SetEnds(x1_, y1_, v, y2_); }
    void SetY2(int v) { SetEnds(x1_, y1_, x2_, v); }
    void SetEnds(int x1, int y1, int x2, int y2);
    OleColor BorderColor() const { return borderColor_; }
    void SetBorderColor(OleColor c);
    int BorderWidth() const { return borderWidth_; } // pixels
    void SetBorderWidth(int v);

    bool Windowless() const override { return true; }
    // The line's box widened by its pen; a slanted line covers a band of it.
    RECT DrawnRect() const override;
    HRGN DrawnRegion() const override;
    bool MouseTransparent() const override { return true; }

protected:
    void Draw(HDC dc, RECT rc) override;

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    OleColor borderColor_ = vbWindowText;
    int borderWidth_ = 1;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<int, int, int, int, OleColor, int> designLine_;
};

} // namespace forms
