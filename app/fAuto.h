#pragma once
// fAuto: The object-list manager of code assistance.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class fAuto : public HiddenForm {
public:
    fAuto() : HiddenForm(L"Auto-Insert Setup") {}
};
