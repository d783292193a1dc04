#pragma once
// fCM: the window of the two custom snippet menus. Each menu is a column of
// ten labels whose captions are the user's snippets; a click puts the
// caption into the document at the caret and recolours it. The main window
// fills the captions from the settings record, lays the window out for the
// active menu and shows it at the caret; every way out hides it again.
#include "ButSilver2/ButSilver2Control.h"
#include "ModFormOps.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class fCM : public forms::Form, private ModFormOps::CustomMenuTarget {
public:
    fCM();
    ~fCM() override;

    forms::Frame fr1, fr2;
    forms::ControlArray<forms::Label> Lab1, Lab2;  // 0-9
    forms::CommandButton bcancel;
    forms::ControlArray<forms::Line> LineB;         // the three border lines

    // Sizes the window and its frames to the shown menu's widest caption.
    void LayoutCustomMenus(bool menu1Active, long menu1Width, long menu2Width);
    // Shows a snippet on label i of menu 1 or 2 and gives the width (twips)
    // its menu needs for it: its whole width, or at most kWidestLabel, the
    // label then ending in an ellipsis with the whole snippet in its tip.
    long SetSnippet(bool menu1, int i, const std::wstring& text);
    static constexpr long kWidestLabel = 7200;

    void Lab1_Click(int Index);
    void Lab2_Click(int Index);
    void bcancel_Click();

protected:
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_Resize() override;

private:
    void InsertSnippet(const std::wstring& caption);
    // Hides the window and drops its top-most state; focus: give the editor
    // the focus as well.
    void HideMenu(bool focus);

    // CustomMenuTarget
    long BorderWidth() const override;
    long CancelWidth() const override;
    void SetFormWidth(long width) override;
    void SetLine(int i, long x1, long x2) override;
    void SetFrame(int menu, long left, long width) override;
    void SetCancelLeft(long left) override;
    void SetLabelLeft(int menu, int i, long left) override;

    bool menu1Active_ = true;
    long widths_[2] = {1200, 1200};
};
