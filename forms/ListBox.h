#pragma once
// ListBox: a LISTBOX window. Click when the selection changes (by the user or
// by SetListIndex), DblClick on a double click.
#include "ListControl.h"

namespace forms {

class ListBox : public ListControl {
public:
    ListBox();
    // 0 single selection, 1 simple multiple, 2 extended; set before creation.
    int MultiSelect = 0;
    // 0 none, 1 fixed single; set before creation.
    Border BorderStyle = Border::FixedSingle;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int index);
    // Text of the selected item ("" when none).
    std::wstring Text() const;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool MultiSelectMode() const override { return MultiSelect != 0; }
};

} // namespace forms
