#pragma once
// ButSilver2Control: a ButSilver2 placed on a form of the form runtime, with
// twips geometry, the form's Enabled and the form's Click event. Give the
// picture to Button before the form loads; the button takes its size.
#include "ButSilver2/ButSilver2.h"
#include "forms/Control.h"

class ButSilver2Control : public forms::Control {
public:
    ButSilver2Control() = default;
    ~ButSilver2Control() override;

    ButSilver2 Button;

    bool IsFocusable() const override { return false; }

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }
};
