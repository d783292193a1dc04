#pragma once
// ListBox: a LISTBOX window. Click when the selection changes (by the user or
// by SetListIndex), DblClick on a double click. With Style 1 every item has
// a check box: Selected(i) is its check mark, and ItemCheck is raised when
// the user changes one (a click on the box, or Space on the selected item).
#include "ListControl.h"

#include <functional>
#include <vector>

namespace forms {

class ListBox : public ListControl {
public:
    ListBox();
    // 0 single selection, 1 simple multiple, 2 extended; set before creation.
    int MultiSelect = 0;
    // 0 plain, 1 check boxes; set before creation.
    int Style = 0;
    std::function<void(int& Index)> ItemCheck;
    // Hide the list's own: the check marks move with their items.
    int AddItem(const std::wstring& item, int index = -1);
    // Appends many items at once: storage reserved for all of them and the
    // list drawn once at the end, not after each item.
    void AddItems(const std::vector<std::wstring>& items);
    void RemoveItem(int index);
    void Clear();
    // 0 none, 1 fixed single; set before creation.
    Border BorderStyle = Border::FixedSingle;
    // A horizontal scroll bar, for items wider than the list (the width to
    // scroll over is the caller's: LB_SETHORIZONTALEXTENT); set before
    // creation.
    bool HScroll = false;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int index);
    // Text of the selected item ("" when none).
    std::wstring Text() const;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND CreateHandle(HWND parent, const RECT& px) override;
    bool MultiSelectMode() const override { return MultiSelect != 0; }
    void OnCreated() override;

private:
    void DrawCheckItem(const DRAWITEMSTRUCT& d);
    void ToggleCheck(int index);
    std::vector<bool> checked_;
};

} // namespace forms
