#pragma once
// The HotKeys page: a Ctrl+letter box for each of the 23 configurable actions.
#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PageHotKeys {
public:
    explicit PageHotKeys(FSets& form);

    // The boxes from the record: a letter where a hotkey is set.
    void ShowHotKeys();

    forms::Frame FrKeyB;
    forms::ControlArray<forms::Label> LabKeys;
    forms::ControlArray<forms::TextBox> TKeys;
    forms::ControlArray<forms::Label> LabCtrl;
    SetsButton bSetKeys;
    forms::Label LabRestart;

private:
    void bSetKeys_Click();

    FSets& form_;
};
