#pragma once
// fAuto: The object-list manager of code assistance.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class fAuto : public HiddenForm {
public:
    fAuto() : HiddenForm(L"Auto-Insert Setup") {}
};
