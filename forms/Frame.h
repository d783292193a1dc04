#pragma once
// Frame: a container with a caption drawn in its border. Its controls are
// child windows placed relative to it, so they move, hide and disable with it.
// Dialog pages are frames shown, hidden or brought to the front.
#include "PaintedControl.h"

#include <string>

#include <tuple>

namespace forms {

class Frame : public PaintedControl, public Container {
public:
    std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    Border BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(Border v);

    HWND ContainerHwnd() const override { return hwnd; }
    Form* ContainerForm() override { return OwnerForm(); }
    bool EnsureContainerCreated() override { return EnsureCreated(); }
    FontSpec ContainerFont() const override { return Font(); }
    OleColor ContainerBackColor() const override { return BackColor(); }

    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    void Draw(HDC dc, RECT rc) override;

private:
    std::wstring caption_;
    Border borderStyle_ = Border::FixedSingle;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::wstring, Border> designFrame_;
};

} // namespace forms
