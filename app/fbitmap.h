#pragma once
// fbitmap: The image viewer of the page tools.
// Made at start-up, loaded hidden when first used, unloaded at shutdown.
#include "HiddenForm.h"

class fbitmap : public HiddenForm {
public:
    fbitmap() : HiddenForm(L"Image Viewer") {}
};
