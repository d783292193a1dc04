#pragma once
// ListControl: the item list that ListBox and ComboBox share (AddItem,
// RemoveItem, Clear, List(i), ListCount, ListIndex, ItemData). Items added
// before the window exists are kept and put in at creation.
#include "Control.h"

#include <string>
#include <vector>

#include <tuple>

namespace forms {

class ListControl : public Control {
public:
    // index -1 appends (or sorts in, when Sorted); returns the new index.
    int AddItem(const std::wstring& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    std::wstring List(int index) const; // "" when out of range
    void SetList(int index, const std::wstring& item);
    int ListCount() const;
    // -1 when nothing is selected. Setting it selects the item and raises
    // Click when the selection changes; out of range values are ignored,
    // except -1, which clears the selection.
    int ListIndex() const;
    void SetListIndex(int index);
    LPARAM ItemData(int index) const;
    void SetItemData(int index, LPARAM data);
    // Index of the item added last.
    int NewIndex() const { return newIndex_; }
    // Sorted list: set before the window is created.
    bool Sorted = false;
    // Index of the first item exactly equal to text (case-insensitive), or -1.
    int FindItem(const std::wstring& text) const;

protected:
    struct Messages {
        UINT add, insert, remove, reset, getText, getTextLen, count, getSel, setSel, setData,
            getData, findExact;
    };
    // Lists are drawn in the window colours, not the button face.
    explicit ListControl(const Messages& m) : msg_(m)
    {
        foreColor_ = vbWindowText;
        backColor_ = vbWindowBackground;
    }
    void OnCreated() override;
    void OnDestroying() override;
    virtual bool MultiSelectMode() const { return false; }
    // Raises Click when the selection moved to a new item.
    bool SelectionChangedByUser();

    struct Item {
        std::wstring text;
        LPARAM data = 0;
    };
    std::vector<Item> items_; // used while the window does not exist
    int listIndex_ = -1;
    int newIndex_ = -1;
    int lastClickIndex_ = -1;

private:
    Messages msg_;

protected:
    void SaveDesignState() override;
    void RestoreDesignState() override;

private:
    std::tuple<std::vector<Item>, int> designListControl_;
};

} // namespace forms
