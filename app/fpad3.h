#pragma once
// fpad3, "3 - Clipping Pad": a hidden form whose scratch editor RTBOps takes
// parked documents so they can be saved without touching the visible editor.
#include "HiddenForm.h"

#include "KvRTB/KvRTB.h"

class fpad3 : public HiddenForm {
public:
    fpad3();
    ~fpad3() override { Teardown(); }

    KvRTB RTBOps;

protected:
    void Form_Load() override;
};
