#pragma once
// ffind: The find and replace window of the page tools.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class ffind : public HiddenForm {
public:
    ffind() : HiddenForm(L"Find and Replace") {}

protected:
    void Form_Load() override;
};
