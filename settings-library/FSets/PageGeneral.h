#pragma once
// The General page of the settings dialog: Tab spacer, default Save-As
// extension, "Move Text" increment, editor font, caret jump, the webpage
// Temp folder, the EXE+ menu programs and the "Open With TARNEL" verb.
#include "forms/Controls.h"

#include "SetsButton.h"

class FSets;

class PageGeneral {
public:
    explicit PageGeneral(FSets& form);

    // Fills the font list with every screen font, in the system's order.
    void FillFonts();

    forms::Frame FrGen;
    forms::CheckBox CkTab;
    forms::Label LabDefExt;
    forms::ComboBox BoxDefExt;
    forms::Label LabMoveO;
    forms::ComboBox boxMoveO;
    forms::CheckBox CkJump;
    forms::Frame FrFont;
    forms::ComboBox boxface;
    SetsButton bface;
    forms::ComboBox boxsize;
    SetsButton bsize;
    forms::Frame FrTemp;
    forms::TextBox ttemp;
    SetsButton bFindFol;
    SetsButton btemp;
    forms::Frame FrExe;
    forms::ControlArray<forms::OptionButton> opexe;
    forms::Label LabPath;
    forms::TextBox tap;
    SetsButton bbrowse;
    SetsButton bapset;
    forms::Label LabMenu;
    forms::TextBox tmenu;
    SetsButton bmenuset;
    SetsButton bremove;
    forms::Label LabTarnel;
    SetsButton baddtarnel;
    SetsButton bremtarnel;

private:
    void CkTab_Click();
    void BoxDefExt_Click();
    void boxMoveO_Click();
    void bface_Click();
    void bsize_Click();
    void CkJump_Click();
    void bFindFol_Click();
    void btemp_Click();
    void opexe_Click(int Index);
    void bbrowse_Click();
    void bapset_Click();
    void bmenuset_Click();
    void bremove_Click();
    void baddtarnel_Click();
    void bremtarnel_Click();
    // The EXE+ entry 0..2 the options select (2 when neither of the first two is set).
    int SelectedExe();

    FSets& form_;
};
