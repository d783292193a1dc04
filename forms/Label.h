#pragma once
// Label: text drawn by its container, without a window of its own; it
// raises Click, DblClick and the mouse events. It never takes the focus.
#include "PaintedControl.h"

#include <string>

#include <tuple>

namespace forms {

class Label : public PaintedControl {
public:
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    // Width of the caption in the label's font, in twips (as an auto-sized
    // label would take).
    int CaptionWidth() const;
    Align Alignment() const { return alignment_; }
    void SetAlignment(Align v);
    Border BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(Border v);
    int Appearance() const { return appearance_; } // 0 flat, 1 3D (sunken border)
    void SetAppearance(int v);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void SetBackStyle(int v);
    bool UseMnemonic = true;
    bool WordWrap = true;
    // A one-line caption wider than the label ends in an ellipsis.
    bool EndEllipsis = false;

    bool Windowless() const override { return true; }
    std::wstring AccessibleName() const override { return caption_; }
    long AccessibleRole() const override { return 0x29; } // static text

protected:
    void Draw(HDC dc, RECT rc) override;

private:
    std::wstring caption_;
    Align alignment_ = Align::Left;
    Border borderStyle_ = Border::None;
    int appearance_ = 1;
    int backStyle_ = 1;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, Align, Border, int, int> designLabel_;
};

} // namespace forms
