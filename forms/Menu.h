#pragma once
// MenuItem: one item of a form's menu bar or of a popup menu. Items form a
// tree; an item with children is a sub-menu. Caption "-" makes a separator.
//
// Win32 menus have no hidden items, so every item keeps its place in the full
// list of its parent: Visible = false takes it out of the parent's menu,
// Visible = true puts it back where it was, with its pictures. Every other
// change (caption, shortcut, checked, enabled, picture, id) is made on the
// item in place, so pictures set on the Win32 menu from outside
// (SetMenuItemBitmaps) stay.
//
// A form's menus are usually built from a table (MenuTable.h). By hand:
//   Menus.Add(mFile, L"&File");
//   mFile.Add(mSave, L"&Save").SetShortcut(ParseShortcut(L"Ctrl+S"));
//   mFile.Add(mtemp1, L"-");
//   mSave.Click = [this] { mSave_Click(); };
//   mSave.SetChecked(true); mtemp1.SetVisible(false);
//
// Shortcuts show after a tab in the caption and are run by RunMenuShortcut,
// which the message loop (for every form) and the editor control call.
//
// Lifetime: drop an item at run time with Remove() (MenuArray::Unload does).
// An item destroyed while it is still on a loaded form's menu bar is a fault
// of its owner (see Form.h: lifetimes).
#include "Shortcut.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

// Menus cannot be read from another process on every platform, so a form's
// window answers the registered message named kMenuStateMessage for window
// tests: wParam a command id of its menus (the bar or a pop-up menu); the
// result has kMenuVisible, kMenuChecked and kMenuEnabled for the item's own
// state, or is -1 when no item has the id.
constexpr const wchar_t* kMenuStateMessage = L"TarnelForms.MenuState";
constexpr LRESULT kMenuVisible = 1, kMenuChecked = 2, kMenuEnabled = 4;

// Automatic command ids start here; ids a form chooses itself (a menu table's
// IDM_ constants) lie below.
constexpr UINT kFirstAutoMenuId = 20000;

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

    // The control name ("mSaveAs"), for messages and tests.
    std::wstring Name;
    std::wstring Tag;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    forms::Shortcut Shortcut() const { return shortcut_; }
    MenuItem& SetShortcut(forms::Shortcut s);
    // The caption as the menu shows it: the shortcut after a tab.
    std::wstring DisplayText() const;
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // The picture beside the item, checked or not (not owned; null: none).
    // Read from the Win32 menu while the item is in it, so a picture set
    // there from outside counts too.
    HBITMAP Bitmap() const;
    void SetBitmap(HBITMAP bitmap);
    bool IsSeparator() const { return caption_ == L"-"; }

    // Raised when the item is picked; for a sub-menu, when it opens.
    std::function<void()> Click;

    UINT CommandId() const { return id_; }
    // A fixed command id (below kFirstAutoMenuId) instead of the automatic one.
    void SetCommandId(UINT id);
    MenuItem* ParentItem() const { return parent_; }
    const std::vector<MenuItem*>& Items() const { return children_; }
    // Index in a control array of menu items, -1 when not in one.
    int Index() const { return index_; }
    void SetIndexInArray(int index) { index_ = index; }

    // This item and its ancestors are visible and enabled: a pick or a
    // shortcut can reach it.
    bool Reachable() const;
    // This item or a descendant with the command id / menu handle / shortcut
    // (the shortcut only on a reachable leaf).
    MenuItem* FindById(UINT id);
    MenuItem* FindByHandle(HMENU menu);
    MenuItem* FindByShortcut(forms::Shortcut s);

    // ---- For the runtime ----
    // The menu of this item's children (created on first use, kept current).
    HMENU Handle();
    // A menu bar (CreateMenu) rather than a popup menu; set before Handle().
    void SetIsBar(bool bar) { isBar_ = bar; }
    // The window whose menu bar this is, redrawn after changes.
    void SetBarWindow(HWND w);
    HWND BarWindow() const { return barWindow_; }
    // Raises Click; false when the handler destroyed the item.
    bool FireClick();
    // Liveness token: false once the item is destroyed.
    std::shared_ptr<bool> AliveToken() const { return alive_; }

private:
    MenuItem* FindLeaf(const std::function<bool(const MenuItem&)>& match, bool reachableOnly);
    int PositionOf(const MenuItem* child) const; // among the visible items; -1 when hidden
    void InsertChild(MenuItem* child);
    void TakeOutChild(MenuItem* child);
    void UpdateInParent(UINT mask);
    void Reinsert();
    void FillInfo(MENUITEMINFOW& mii, std::wstring& text);
    void BarChanged();
    void ReleaseHandle();
    void Fill();

    std::wstring caption_;
    forms::Shortcut shortcut_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool isBar_ = false;
    UINT id_ = 0;
    int index_ = -1;
    HBITMAP bitmap_ = nullptr;
    HMENU menu_ = nullptr;
    HWND barWindow_ = nullptr;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> children_;
    std::shared_ptr<bool> alive_;
};

// The accelerator step. For a key-down message (WM_KEYDOWN, WM_SYSKEYDOWN)
// whose key and shift state (read now) are the shortcut of a reachable item
// of menus: raises Click of the sub-menus above the item (top first, as
// opening them would), then the item's own Click if it is still reachable.
// True when an item took the key; a shortcut of a disabled or hidden item
// leaves the key to the focused window.
bool RunMenuShortcut(MenuItem& menus, const MSG& msg);
bool RunMenuShortcut(MenuItem& menus, UINT key, int shift);

} // namespace forms
