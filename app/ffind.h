#pragma once
// ffind: The find and replace window of the page tools.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class ffind : public HiddenForm {
public:
    ffind() : HiddenForm(L"Find and Replace") {}
};
