#pragma once
// The Colorcoding page: the seven colour items with their swatches and a
// sample, the colour dialog, PHP colouring, colour coding by default and the
// VBScript comment mark.
#include <cstdint>

#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PageColors {
public:
    explicit PageColors(FSets& form);

    // Swatches from the record, the sample in the tag colour, item 0 chosen.
    void ShowColorSample();

    forms::Frame FrColors;
    forms::ControlArray<forms::OptionButton> OpColors;
    forms::ControlArray<forms::Label> LabColors;
    forms::TextBox tsample;
    SetsButton bpick;
    SetsButton bapply;
    forms::Label LabPHP;
    forms::CheckBox CkPHPCol;
    forms::CheckBox CkColDef;
    forms::Label LabColDef;
    forms::Label LabCom;
    forms::TextBox TCom;
    SetsButton bCom;

private:
    void OpColors_Click(int Index);
    void bpick_Click();
    void bapply_Click();
    void CkPHPCol_Click();
    void CkColDef_Click();
    void bCom_Click();
    int SelectedItem();
    void ShowSample(int32_t color);

    FSets& form_;
    int32_t picked_ = 0;
};
