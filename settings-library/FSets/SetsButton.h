#pragma once
// SetsButton: the dialog's image push button (ButSilver2) as a control of the
// form runtime. Its picture is drawn here from a short caption; its tool tip
// doubles as the window's text, which names the button to accessibility
// tools and tests.
#include <memory>
#include <string>

#include "ButSilver2/ButSilver2.h"
#include "forms/Control.h"

class SetsButton : public forms::Control {
public:
    SetsButton() = default;
    ~SetsButton() override;

    // Caption drawn on the picture; set before the window is created.
    void SetCaption(const std::wstring& caption) { caption_ = caption; }
    void SetEnabled(bool enabled);
    bool IsFocusable() const override { return false; }

    // The picture of a caption: a silver face, a frame and the centred text.
    static HBITMAP MakePicture(const std::wstring& caption, int width, int height);

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }

private:
    std::wstring caption_;
    std::unique_ptr<ButSilver2> button_;
};

// The dialog's buttons are all 330 twips high, most of them 780 wide.
constexpr int kSetsButtonWidth = 780;
constexpr int kSetsButtonHeight = 330;

// Places b on its frame (twips) with its caption and tool tip.
void PlaceButton(SetsButton& b, forms::Container& on, int left, int top, const wchar_t* caption,
                 const wchar_t* tip, int width = kSetsButtonWidth);
