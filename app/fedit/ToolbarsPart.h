#pragma once
// The main window's tool bars: the info row (info label, line and column,
// the two extra clipboards), the button row with the procedure list, and
// the two auto-insert bars below the editor with their hover outline.
#include "forms/Controls.h"

#include <string>
#include <vector>

class fedit;
struct SettingsRecord;

class ToolbarsPart {
public:
    explicit ToolbarsPart(fedit& form) : form_(form) {}

    // Creation: the two rows above the editor, and the auto-insert bars
    // (placed after the editor, as the form's order of windows needs).
    void PlaceToolBars();
    void PlaceAutoInsertBars();
    void Wire();
    // The window's load: drop targets and the buttons' mouse pointers.
    void Load();

    // The auto-insert buttons take the captions and texts of the record.
    void ApplyButtonTexts(const SettingsRecord& rec);
    void ShowInfo(const std::wstring& text);
    void ClearInfo();
    void ShowLineCol(const std::wstring& line, const std::wstring& column);
    // The procedure list from the current document's procedures.
    void FillMethodsBox();
    // An extra clipboard (1 or 2) was filled: its button shows so, with the tip.
    void ShowClipFilled(int slot, const std::wstring& tip);
    // Draws the hovered tool-bar button flat again (leaving the bar or
    // moving over the editor) and forgets it.
    void FlattenHoveredButton();
    // Hides the auto-insert outline when it is shown.
    void HideOutline();
    // Hides the outline whatever the part last noted.
    void HideOutlineBoxes();
    // The menu table's handlers of the clipboards' menu.
    void mClipClear_Click();
    void mPasteClipP_Click();

private:
    // The form lays the controls out, switches them by mode and gives them pictures.
    friend class fedit;

    forms::Frame TBarA, TBarB, TBarC, TBarD;
    forms::ControlArray<forms::Image> ButB;   // 0-7, 9-19, 22-28
    forms::ControlArray<forms::Line> Line2;   // separators of the tool bar; Line2(4) before TBarC
    forms::ComboBox BoxMethods;
    // Info area of the first row: the info label and the line/column group.
    forms::Frame frinfo, frtbar;
    forms::Label tinfo;
    forms::Label LabLine, LabCol, tlcount, tcount;
    // The auto-insert bars.
    forms::Frame Frame1, Frame2;
    forms::ControlArray<forms::Label> Lht;      // 0-13 in Frame1, 14-27 in Frame2
    forms::ControlArray<forms::Shape> HiBox;    // hover outline, 0 in Frame1, 1 in Frame2
    forms::ControlArray<forms::Image> bsw;      // "Toggle toolbars"
    forms::ControlArray<forms::Image> bview2;   // "View webpage."

    void ButB_Click(int Index);
    void ButB_MouseDown(int Index);
    void ButB_MouseMove(int Index);
    void ButB_MouseUp(int Index, int Button);
    void ButB_OLEDragDrop(int Index, const std::vector<std::wstring>& Files);
    void Lht_Click(int Index);
    void Lht_MouseDown(int Index, int Button);
    void Lht_MouseUp(int Index);
    void Lht_MouseMove(int Index);
    void bsw_Click(int Index);
    void BoxMethods_Click();
    void ShowClipMenu(int Index);

    fedit& form_;
    int HoveredButton = -1;     // the tool-bar button drawn raised, -1 when none
    int clipMenuButton_ = -1;   // the clipboard button the clip menu was opened on
    bool customiseArmed_ = false;
    bool outlineShown_ = false;
};
