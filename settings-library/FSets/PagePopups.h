#pragma once
// The Custom Popups page: the ten items, name, hotkey and active flag of the
// two custom popup menus.
#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PagePopups {
public:
    explicit PagePopups(FSets& form);

    void LoadCustomMenu1();
    void LoadCustomMenu2();

    forms::Frame FrPops;
    forms::Label LabNote;
    forms::ControlArray<forms::OptionButton> op;
    forms::Label LabItems;
    forms::ControlArray<forms::TextBox> tpop;
    SetsButton bSaveMenu;
    forms::Label LabCurrent;
    forms::Label LabName;
    forms::TextBox tmenName;
    forms::Label LabHot;
    forms::TextBox thot;
    forms::CheckBox CKactive;
    SetsButton bSetMenu;

private:
    void op_Click(int Index);
    void bSaveMenu_Click();
    void bSetMenu_Click();
    void LoadCustomMenu(int menu);
    // 0 "Menu 1"; 1 "Menu 2", also when neither is set.
    int EditedMenu();

    FSets& form_;
};
