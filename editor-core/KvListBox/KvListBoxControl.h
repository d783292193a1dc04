#pragma once
// KvListBoxControl: a KvListBox placed on a form of the form runtime, with
// twips geometry, the form's font and visibility. Items, colours and the
// list's own events (Click with the index, KeyUp, Mouse...) are List's; fill
// it after the form has loaded.
#include "KvListBox/KvListBox.h"
#include "forms/Control.h"

class KvListBoxControl : public forms::Control {
public:
    KvListBoxControl() = default;
    ~KvListBoxControl() override;

    KvListBox List;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool WantsSubclass() const override { return false; }
};
