#pragma once
// PictureBox: a container and paint surface. Paint is raised with a device
// context whenever it must be drawn; a Picture (bitmap) is drawn first.
#include "Control.h"

#include <functional>

#include <tuple>

namespace forms {

class PictureBox : public Control, public Container {
public:
    PictureBox();
    Border BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(Border v);
    // Inner size in twips (inside the border).
    int ScaleWidth() const;
    int ScaleHeight() const;
    // A bitmap drawn at 0,0; owned by the picture box when owned is true.
    void SetPicture(HBITMAP bitmap, bool owned = false);
    HBITMAP Picture() const { return picture_; }
    // Erases the surface and paints it again.
    void Cls();
    std::function<void(HDC dc)> Paint;
    std::function<void()> Resize;

    HWND ContainerHwnd() const override { return hwnd; }
    Form* ContainerForm() override { return OwnerForm(); }
    bool EnsureContainerCreated() override { return EnsureCreated(); }
    FontSpec ContainerFont() const override { return Font(); }
    OleColor ContainerBackColor() const override { return BackColor(); }
    ~PictureBox() override;

    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }
    void OnMoved() override;

private:
    Border borderStyle_ = Border::FixedSingle;
    HBITMAP picture_ = nullptr;
    bool ownsPicture_ = false;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<Border> designPictureBox_;
};

} // namespace forms
