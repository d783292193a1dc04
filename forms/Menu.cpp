#include "Menu.h"

#include "Internal.h"

#include <algorithm>

namespace forms {

namespace {
UINT g_nextMenuId = 20000;
}

MenuItem::MenuItem() : id_(g_nextMenuId++), alive_(std::make_shared<bool>(true))
{
    if (g_nextMenuId > 0xEFFF) // below the system command range
        g_nextMenuId = 20000;
}

MenuItem::~MenuItem()
{
    *alive_ = false;
    for (MenuItem* c : children_)
        c->parent_ = nullptr;
    children_.clear();
    if (parent_) {
        // Still on a form's menu bar while destroyed: the form's members are
        // going, so the form must raise no more events (the bar changing
        // would resize the form).
        MenuItem* root = parent_;
        while (root->parent_)
            root = root->parent_;
        if (root->barWindow_ && IsWindow(root->barWindow_))
            SendMessageW(root->barWindow_, detail::TeardownMessageId(), 0, 0);
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        // Takes this item's sub-menu out of the parent's menu before it is destroyed.
        parent_->Rebuild();
        parent_ = nullptr;
    }
    ReleaseHandle();
}

void MenuItem::ReleaseHandle()
{
    if (!menu_)
        return;
    if (barWindow_ && IsWindow(barWindow_) && GetMenu(barWindow_) == menu_)
        SetMenu(barWindow_, nullptr);
    // RemoveMenu rather than DeleteMenu: sub-menus belong to their own items.
    while (GetMenuItemCount(menu_) > 0)
        RemoveMenu(menu_, 0, MF_BYPOSITION);
    DestroyMenu(menu_);
    menu_ = nullptr;
}

MenuItem& MenuItem::Add(MenuItem& child, const std::wstring& caption)
{
    if (child.parent_)
        child.parent_->Remove(child);
    child.caption_ = caption;
    child.parent_ = this;
    children_.push_back(&child);
    Rebuild();
    // A leaf that gains its first child turns into a sub-menu in its parent.
    if (parent_ && children_.size() == 1)
        parent_->Rebuild();
    return child;
}

void MenuItem::Remove(MenuItem& child)
{
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end())
        return;
    children_.erase(it);
    child.parent_ = nullptr;
    Rebuild();
}

void MenuItem::ParentChanged()
{
    if (parent_)
        parent_->Rebuild();
}

void MenuItem::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    ParentChanged();
}

void MenuItem::SetChecked(bool v)
{
    checked_ = v;
    ParentChanged();
}

void MenuItem::SetEnabled(bool v)
{
    enabled_ = v;
    ParentChanged();
}

void MenuItem::SetVisible(bool v)
{
    visible_ = v;
    ParentChanged();
}

HMENU MenuItem::Handle()
{
    if (!menu_) {
        menu_ = isBar_ ? CreateMenu() : CreatePopupMenu();
        Rebuild();
    }
    return menu_;
}

void MenuItem::Rebuild()
{
    if (!menu_)
        return;
    while (GetMenuItemCount(menu_) > 0)
        RemoveMenu(menu_, 0, MF_BYPOSITION);
    bool anyVisible = false;
    for (MenuItem* c : children_) {
        if (!c->visible_)
            continue;
        anyVisible = true;
        UINT flags = MF_STRING;
        UINT_PTR id = c->id_;
        if (!c->children_.empty()) {
            flags = MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(c->Handle());
        } else if (c->IsSeparator()) {
            flags = MF_SEPARATOR;
        }
        if (c->checked_)
            flags |= MF_CHECKED;
        if (!c->enabled_)
            flags |= MF_GRAYED;
        AppendMenuW(menu_, flags, id, flags & MF_SEPARATOR ? nullptr : c->caption_.c_str());
    }
    if (isBar_ && barWindow_ && IsWindow(barWindow_)) {
        // A bar whose menus are all hidden is no bar at all.
        HMENU want = anyVisible ? menu_ : nullptr;
        if (GetMenu(barWindow_) != want)
            SetMenu(barWindow_, want);
        else
            DrawMenuBar(barWindow_);
    }
}

MenuItem* MenuItem::FindById(UINT id)
{
    for (MenuItem* c : children_) {
        if (c->id_ == id && c->children_.empty())
            return c;
        if (MenuItem* f = c->FindById(id))
            return f;
    }
    return nullptr;
}

MenuItem* MenuItem::FindByHandle(HMENU menu)
{
    if (menu_ && menu_ == menu)
        return this;
    for (MenuItem* c : children_)
        if (MenuItem* f = c->FindByHandle(menu))
            return f;
    return nullptr;
}

bool MenuItem::FireClick()
{
    if (!Click)
        return true;
    auto alive = alive_;
    auto fn = Click; // the handler may destroy this item
    fn();
    return *alive;
}

} // namespace forms
