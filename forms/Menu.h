#pragma once
// MenuItem: one item of a form's menu bar or of a popup menu. Items form a
// tree; an item with children is a sub-menu. Caption "-" makes a separator.
//
// Win32 menus have no hidden items, so every item keeps its place in the full
// list of its parent and the parent's menu is rebuilt from the visible items
// whenever one changes: Visible = true puts an item back where it was.
//
//   Menus.Add(mFile, L"&File");
//   mFile.Add(mSaveAs, L"Save &As...");
//   mFile.Add(mtemp1, L"-");
//   mFile.Add(mExit, L"E&xit");
//   mSaveAs.Click = [this] { mSaveAs_Click(); };
//   mSaveAs.SetChecked(true); mExit.SetVisible(false);
//
// An item destroyed while still on a loaded form's bar means the form's
// members are going: the form raises no more events. To drop an item at run
// time, Remove() it first (MenuArray::Unload does).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class MenuItem {
public:
    MenuItem();
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Appends child as the last item of this menu, with its caption.
    MenuItem& Add(MenuItem& child, const std::wstring& caption);
    // Removes child from this menu (its own children stay with it).
    void Remove(MenuItem& child);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    std::wstring Tag;
    bool IsSeparator() const { return caption_ == L"-"; }

    // Raised when the item is picked; for a sub-menu, when it opens.
    std::function<void()> Click;

    UINT CommandId() const { return id_; }
    MenuItem* ParentItem() const { return parent_; }
    const std::vector<MenuItem*>& Items() const { return children_; }
    // Index in a control array of menu items, -1 when not in one.
    int Index() const { return index_; }
    void SetIndexInArray(int index) { index_ = index; }

    // ---- For the runtime ----
    // The menu of this item's children (created on first use, kept current).
    HMENU Handle();
    // A menu bar (CreateMenu) rather than a popup menu; set before Handle().
    void SetIsBar(bool bar) { isBar_ = bar; }
    // The window whose menu bar this is, redrawn after changes.
    void SetBarWindow(HWND w) { barWindow_ = w; }
    // This item or a descendant with the command id / menu handle.
    MenuItem* FindById(UINT id);
    MenuItem* FindByHandle(HMENU menu);
    // Raises Click; false when the handler destroyed the item.
    bool FireClick();
    // Puts the visible children into Handle() again.
    void Rebuild();

private:
    void ParentChanged();
    void ReleaseHandle();

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool isBar_ = false;
    UINT id_ = 0;
    int index_ = -1;
    HMENU menu_ = nullptr;
    HWND barWindow_ = nullptr;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> children_;
    std::shared_ptr<bool> alive_;
};

} // namespace forms
