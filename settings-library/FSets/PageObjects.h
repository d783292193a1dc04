#pragma once
// The "VBS Debugging - Object List" page: the object methods that whole-file
// debugging checks, read from tarnelo.ini, and the whole-word option.
#include "forms/Controls.h"

class FSets;

class PageObjects {
public:
    explicit PageObjects(FSets& form);

    // Fills the list from program folder\Settings\tarnelo.ini.
    void LoadDebugObjectList();

    forms::Frame FrObs;
    forms::Label LabExplain;
    forms::Label LabList;
    forms::TextBox tObList;
    forms::Label LabWhole;
    forms::CheckBox CkWhole;
    forms::Label LabWholeNote;

private:
    void CkWhole_Click();
};
