#pragma once
// fDebug: The syntax-check report window of the page tools.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class fDebug : public HiddenForm {
public:
    fDebug() : HiddenForm(L"Syntax Check") {}
};
