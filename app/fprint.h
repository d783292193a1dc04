#pragma once
// fprint: The print window of the page tools.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class fprint : public HiddenForm {
public:
    fprint() : HiddenForm(L"Print Editor Text") {}
};
