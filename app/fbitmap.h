#pragma once
// fbitmap: The image viewer of the page tools.
// Loaded hidden at start-up, unloaded at shutdown.
#include "HiddenForm.h"

class fbitmap : public HiddenForm {
public:
    fbitmap() : HiddenForm(L"Image Viewer") {}
};
