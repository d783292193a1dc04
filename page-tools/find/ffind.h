#pragma once
// ffind: the small find-and-replace window through which the user drives
// the engine of FindEngine.h: a find field that searches as the user types
// (its colour shows the last search's outcome), a replacement field, four
// search options, replace-in-selection and five buttons. While shown it lies
// over the bottom strip of the main window and stays on top. Made at start-up
// and loaded hidden; the user's close only hides it.
#include "ButSilver2/ButSilver2Control.h"
#include "FindEngine.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class ffind : public forms::Form {
public:
    ffind();
    ~ffind() override;

    forms::TextBox tFind, trep;
    forms::Label Label4;
    // 0 "Start from caret", 1 "Whole Word", 2 "Case Sens.", 3 "Asc"
    forms::ControlArray<forms::CheckBox> CkFind;
    forms::CheckBox CkRep;
    ButSilver2Control bFind, bFindLast, brepone, brepall, bCloseFind;
    forms::Image ImFind;

    // What the engine reads of the window, and the flags of its options.
    modfind::FindField Field() const;
    long Flags() const;

    // The handlers, also driven by the main window's commands and by tests.
    void bFind_Click();
    void bFindLast_Click();
    void brepone_Click();
    void brepall_Click();
    void bCloseFind_Click();

private:
    void Form_Load() override;
    void Form_Resize() override;
    // The check boxes of the second row across a window `width` twips wide.
    void PlaceOptionsRow(int width);
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void tFind_Change();
    void CkFind_Click(int Index);
    void ImFind_MouseDown();
    void ImFind_MouseUp();
    void IncrementalFind();
    // After a search: the field shows its state; a hit's line and column go
    // to the main window; a forward search that ran takes the focus to the field.
    void AfterSearch(const modfind::SearchResult& r, bool focusField);
    void ShowFieldState();
    void HideAndRecolour();

    bool busy_ = false;
};
