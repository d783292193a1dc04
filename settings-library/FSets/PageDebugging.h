#pragma once
// The "Debugging, Misc." page: the auto-insert tool bars, the editor undo
// limit and the per-line VBScript debugging options.
#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PageDebugging {
public:
    explicit PageDebugging(FSets& form);

    forms::Frame FrVBS;
    forms::Frame FrBars;
    forms::ControlArray<forms::OptionButton> OpBars;
    SetsButton ButExplain;
    forms::Frame FrUndo;
    forms::TextBox TUndo;
    SetsButton BSetUndo;
    forms::Label LabUndo;
    forms::Frame FrLine;
    forms::ControlArray<forms::CheckBox> CkSets;
    forms::Label LabAutoCorrect;

private:
    void OpBars_Click(int Index);
    void ButExplain_Click();
    void BSetUndo_Click();
    void CkSets_Click(int Index);

    FSets& form_;
};
