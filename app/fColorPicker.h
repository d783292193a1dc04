#pragma once
// fColorPicker: The colour picker of the page tools.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class fColorPicker : public HiddenForm {
public:
    fColorPicker() : HiddenForm(L"Color Picker") {}
};
