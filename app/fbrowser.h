#pragma once
// fbrowser: The preview window; the page tools give it its browser, created when first needed.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class fbrowser : public HiddenForm {
public:
    fbrowser() : HiddenForm(L"TARNEL Editor") {}
};
