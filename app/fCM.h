#pragma once
// fCM: the window of the two custom snippet menus (code assistance fills in
// its picks). The settings bridge puts the menu items' captions on its labels.
#include "HiddenForm.h"

#include "forms/Controls.h"

class fCM : public HiddenForm {
public:
    fCM();
    ~fCM() override { Teardown(); }

    forms::Frame fr1, fr2;
    forms::ControlArray<forms::Label> Lab1, Lab2;   // 0-9
    forms::CommandButton bcancel;
    forms::ControlArray<forms::Line> LineB;          // the three border lines
};
