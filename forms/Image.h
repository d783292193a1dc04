#pragma once
// Image: shows a bitmap or icon (not focusable). Appearance/BorderStyle give
// the flat, raised and pressed looks tool-bar images use: Border::None flat;
// FixedSingle with Appearance 0 raised, with Appearance 1 sunken.
#include "PaintedControl.h"

#include <tuple>

namespace forms {

class Image : public PaintedControl {
public:
    ~Image() override;
    // owned: the Image destroys it.
    void SetPicture(HBITMAP bitmap, bool owned = false);
    // The bitmap shown (null when none or an icon); the Image may own it.
    HBITMAP Picture() const { return bitmap_; }
    void SetIcon(HICON icon, bool owned = false);
    bool Stretch = false;
    Border BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(Border v);
    int Appearance() const { return appearance_; }
    void SetAppearance(int v);

    bool Windowless() const override { return true; }

protected:
    void Draw(HDC dc, RECT rc) override;

private:
    void ReleasePicture();
    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
    bool owned_ = false;
    Border borderStyle_ = Border::None;
    int appearance_ = 0;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<Border, int> designImage_;
};

} // namespace forms
