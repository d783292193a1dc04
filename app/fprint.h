#pragma once
// fprint: The print window of the page tools.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class fprint : public HiddenForm {
public:
    fprint() : HiddenForm(L"Print Editor Text") {}
};
