#pragma once
// The File Extensions page: extensions that open as one of the editor types.
#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PageExtensions {
public:
    explicit PageExtensions(FSets& form);

    // The list from the record's aliases; the type of the first one chosen.
    void FillExtensionList();

    forms::Frame FrExt;
    forms::Label LabNote;
    forms::Label LabAssign;
    forms::TextBox TFileExt;
    forms::ControlArray<forms::OptionButton> OpExt;
    forms::ListBox BoxE;
    forms::ControlArray<SetsButton> bAddExt;
    forms::Label LabRestart;

private:
    void bAddExt_Click(int Index);
    void ChangeExtType();
    void RemoveExtension();
    // The type of the selected option: 1..5, or 0 ("none", or nothing set).
    int SelectedType();

    FSets& form_;
};
