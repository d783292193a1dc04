#pragma once
// The main window's panels: the status row with its scroll buttons, the
// command-line bar over it, the CSS bar, the image frame, and code
// assistance's pop-up list and parameter tip over the editor.
#include "forms/Controls.h"

#include "ButSilver2/ButSilver2Control.h"
#include "KvListBox/KvListBoxControl.h"

#include <string>

class fedit;

class PanelsPart {
public:
    explicit PanelsPart(fedit& form) : form_(form) {}

    // The pop-up list's state, shared by the editor's keys and the list's picks.
    bool popupItemChosen = false;   // a pick by click or Enter, not a move through the list
    bool cssPopup = false;          // the list shows CSS items (in a page too)
    short popupShift = 0;           // columns the list follows the typed text by
    short tipSpaceCount = 0;        // spaces typed before the parameter tip goes
    bool spaceTip = false;          // the tip was opened by a typed space

    // Creation, in the form's order of windows: the image frame and the
    // status row below the editor, the pop-ups last.
    void PlaceImageFrame();
    void PlaceStatusRow();
    void PlacePopups();
    void Wire();

    void ShowStatus(const std::wstring& text);
    void ClearStatus();
    // The command-line bar over the status text; the status scroll buttons
    // rest while it is shown.
    void ShowCommandBar(bool show);
    // The menu table's handler of the status menu.
    void mStatusCopy_Click();
    // The image frame: shown over the auto-insert bars, with the image's
    // size and path, and the colour sampled from it.
    void ShowImageTools(bool visible);
    void ShowImageFacts(const std::wstring& size, const std::wstring& path, bool tagButton);
    void ShowSampledColor(unsigned long colour, const std::wstring& text);
    // The pop-up list and the tip as the editor's keys drive them.
    bool ListShown() const { return FrPop.Visible(); }
    KvListBox& List() { return BoxPopJ.List; }
    void FocusList() { BoxPopJ.SetFocus(); }
    void HideList() { FrPop.SetVisible(false); }
    // Moves the list along the typed text by popupShift columns.
    void ShiftList() { FrPop.SetLeft(FrPop.Left() + popupShift * 60); }
    bool TipShown() const { return FrTip.Visible(); }
    void HideTip() { FrTip.SetVisible(false); }
    // The CSS bar's buttons: 0 the properties list, 1 the values of the
    // property on the caret's line.
    void bPropCSS_Click(int Index);
    // Takes the pop-up list's item Index when it was picked (popupItemChosen):
    // clicked, or Enter in the list or in the editor.
    void BoxPopJ_Click(int Index);

private:
    // The form lays the panels out and switches them by mode; the pop-up
    // face of code assistance fills and places the list and the tip.
    friend class fedit;
    friend class PopupPanels;

    // ---- Image frame ----
    forms::Frame FrImageOps;
    forms::PictureBox picsmall;
    forms::TextBox thex, tsize, tgrfil;
    forms::CommandButton bbitcol, bspec;
    // ---- Status row, command-line bar, CSS bar ----
    forms::Frame FrStatus;
    forms::Label LabStatus;
    forms::ControlArray<ButSilver2Control> bStatScroll;
    forms::Frame FrCommand;
    forms::Label LabCommand;
    forms::TextBox tCommand;
    forms::ControlArray<forms::CommandButton> bCommand;
    forms::Frame FrCSS;
    forms::ControlArray<ButSilver2Control> bPropCSS;
    // ---- Pop-up list and tip panel ----
    forms::Frame FrPop;
    KvListBoxControl BoxPopJ;
    forms::ListBox BoxPopX;
    forms::Frame FrTip;
    forms::Label Label2;   // the tip's left part, behind its two buttons
    forms::Label LabTip;
    forms::ControlArray<forms::CommandButton> bTipX;

    void bStatScroll_Click(int Index);
    void LabStatus_MouseUp(int Button);
    void BoxPopJ_KeyUp(int KeyCode);
    void bTipX_Click(int Index);

    fedit& form_;
};
