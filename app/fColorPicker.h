#pragma once
// fColorPicker: The colour picker of the page tools.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class fColorPicker : public HiddenForm {
public:
    fColorPicker() : HiddenForm(L"Color Picker") {}
};
