#include "Menu.h"

#include "Internal.h"

#include <algorithm>

namespace forms {

namespace {
UINT g_nextMenuId = kFirstAutoMenuId;
}

MenuItem::MenuItem() : id_(g_nextMenuId++), alive_(std::make_shared<bool>(true))
{
    if (g_nextMenuId > 0xEFFF) // below the system command range
        g_nextMenuId = kFirstAutoMenuId;
}

MenuItem::~MenuItem()
{
    *alive_ = false;
    for (MenuItem* c : children_)
        c->parent_ = nullptr;
    children_.clear();
    if (parent_) {
        // Still on a loaded form's menu bar: the form's window goes first, so
        // that the bar's change reaches no half-destroyed form.
        MenuItem* root = parent_;
        while (root->parent_)
            root = root->parent_;
        if (root->barWindow_ && IsWindow(root->barWindow_))
            SendMessageW(root->barWindow_, detail::MemberDestroyedMessageId(), 0, 0);
        if (parent_)
            parent_->Remove(*this);
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

// ---- The Win32 menu, kept in step item by item ------------------------------

int MenuItem::PositionOf(const MenuItem* child) const
{
    if (!child->visible_)
        return -1;
    int pos = 0;
    for (const MenuItem* c : children_) {
        if (c == child)
            return pos;
        if (c->visible_)
            ++pos;
    }
    return -1;
}

void MenuItem::FillInfo(MENUITEMINFOW& mii, std::wstring& text)
{
    mii.fMask |= MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS;
    if (IsSeparator()) {
        mii.fType = MFT_SEPARATOR;
    } else {
        mii.fMask |= MIIM_STRING;
        mii.fType = MFT_STRING;
        text = DisplayText();
        mii.dwTypeData = &text[0];
    }
    mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED);
    mii.wID = id_;
    mii.hSubMenu = children_.empty() ? nullptr : Handle();
    mii.hbmpChecked = mii.hbmpUnchecked = bitmap_;
}

void MenuItem::InsertChild(MenuItem* child)
{
    int pos = menu_ ? PositionOf(child) : -1;
    if (pos < 0)
        return;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    std::wstring text;
    child->FillInfo(mii, text);
    InsertMenuItemW(menu_, static_cast<UINT>(pos), TRUE, &mii);
    BarChanged();
}

void MenuItem::TakeOutChild(MenuItem* child)
{
    int pos = menu_ ? PositionOf(child) : -1;
    if (pos < 0)
        return;
    // The picture may have been put on the Win32 item from outside: keep it
    // for when the item comes back.
    child->bitmap_ = child->Bitmap();
    RemoveMenu(menu_, static_cast<UINT>(pos), MF_BYPOSITION);
    BarChanged();
}

void MenuItem::UpdateInParent(UINT mask)
{
    int pos = parent_ && parent_->menu_ ? parent_->PositionOf(this) : -1;
    if (pos < 0)
        return;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    std::wstring text;
    FillInfo(mii, text);
    mii.fMask = mask;
    SetMenuItemInfoW(parent_->menu_, static_cast<UINT>(pos), TRUE, &mii);
    if (parent_->isBar_ && parent_->barWindow_ && IsWindow(parent_->barWindow_))
        DrawMenuBar(parent_->barWindow_);
}

// For a change of kind (separator, sub-menu): out and in again, picture kept.
void MenuItem::Reinsert()
{
    if (!parent_)
        return;
    parent_->TakeOutChild(this);
    parent_->InsertChild(this);
}

void MenuItem::BarChanged()
{
    if (!isBar_ || !barWindow_ || !IsWindow(barWindow_))
        return;
    // A bar whose menus are all hidden is no bar at all.
    bool anyVisible = std::any_of(children_.begin(), children_.end(),
                                  [](const MenuItem* c) { return c->visible_; });
    HMENU want = anyVisible ? menu_ : nullptr;
    if (GetMenu(barWindow_) != want)
        SetMenu(barWindow_, want);
    else
        DrawMenuBar(barWindow_);
}

void MenuItem::Fill()
{
    for (MenuItem* c : children_)
        InsertChild(c);
}

HMENU MenuItem::Handle()
{
    if (!menu_) {
        menu_ = isBar_ ? CreateMenu() : CreatePopupMenu();
        if (menu_)
            Fill();
    }
    return menu_;
}

void MenuItem::SetBarWindow(HWND w)
{
    barWindow_ = w;
    BarChanged();
}

// ---- Tree -------------------------------------------------------------------

MenuItem& MenuItem::Add(MenuItem& child, const std::wstring& caption)
{
    if (child.parent_)
        child.parent_->Remove(child);
    child.caption_ = caption;
    child.parent_ = this;
    children_.push_back(&child);
    InsertChild(&child);
    // A leaf that gains its first child turns into a sub-menu in its parent.
    if (children_.size() == 1)
        Reinsert();
    return child;
}

void MenuItem::Remove(MenuItem& child)
{
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end())
        return;
    TakeOutChild(&child);
    children_.erase(it);
    child.parent_ = nullptr;
    if (children_.empty())
        Reinsert();
}

// ---- Properties -------------------------------------------------------------

std::wstring MenuItem::DisplayText() const
{
    if (!shortcut_)
        return caption_;
    return caption_ + L"\t" + ShortcutText(shortcut_);
}

void MenuItem::SetCaption(const std::wstring& caption)
{
    bool wasSeparator = IsSeparator();
    caption_ = caption;
    if (wasSeparator != IsSeparator())
        Reinsert();
    else
        UpdateInParent(MIIM_STRING);
}

MenuItem& MenuItem::SetShortcut(forms::Shortcut s)
{
    shortcut_ = s;
    if (!IsSeparator())
        UpdateInParent(MIIM_STRING);
    return *this;
}

void MenuItem::SetChecked(bool v)
{
    checked_ = v;
    UpdateInParent(MIIM_STATE);
}

void MenuItem::SetEnabled(bool v)
{
    enabled_ = v;
    UpdateInParent(MIIM_STATE);
}

void MenuItem::SetVisible(bool v)
{
    if (v == visible_)
        return;
    if (!v && parent_)
        parent_->TakeOutChild(this);
    visible_ = v;
    if (v && parent_)
        parent_->InsertChild(this);
}

HBITMAP MenuItem::Bitmap() const
{
    int pos = parent_ && parent_->menu_ ? parent_->PositionOf(this) : -1;
    if (pos < 0)
        return bitmap_;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS;
    if (!GetMenuItemInfoW(parent_->menu_, static_cast<UINT>(pos), TRUE, &mii))
        return bitmap_;
    return mii.hbmpUnchecked;
}

void MenuItem::SetBitmap(HBITMAP bitmap)
{
    bitmap_ = bitmap;
    UpdateInParent(MIIM_CHECKMARKS);
}

void MenuItem::SetCommandId(UINT id)
{
    id_ = id;
    UpdateInParent(MIIM_ID);
}

// ---- Lookup and events --------------------------------------------------------

bool MenuItem::Reachable() const
{
    for (const MenuItem* p = this; p->parent_; p = p->parent_)
        if (!p->visible_ || !p->enabled_)
            return false;
    return true;
}

MenuItem* MenuItem::FindLeaf(const std::function<bool(const MenuItem&)>& match,
                             bool reachableOnly)
{
    for (MenuItem* c : children_) {
        if (reachableOnly && (!c->visible_ || !c->enabled_))
            continue;
        if (c->children_.empty() && match(*c))
            return c;
        if (MenuItem* f = c->FindLeaf(match, reachableOnly))
            return f;
    }
    return nullptr;
}

MenuItem* MenuItem::FindById(UINT id)
{
    return FindLeaf([id](const MenuItem& m) { return m.id_ == id; }, false);
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

MenuItem* MenuItem::FindByShortcut(forms::Shortcut s)
{
    if (!s)
        return nullptr;
    return FindLeaf([s](const MenuItem& m) { return m.shortcut_ == s && !m.IsSeparator(); }, true);
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

bool RunMenuShortcut(MenuItem& menus, UINT key, int shift)
{
    MenuItem* item = menus.FindByShortcut(Shortcut{key, shift});
    if (!item)
        return false;
    std::vector<std::pair<MenuItem*, std::shared_ptr<bool>>> opening;
    for (MenuItem* p = item->ParentItem(); p && p != &menus; p = p->ParentItem())
        opening.insert(opening.begin(), {p, p->AliveToken()});
    // The sub-menus' Click handlers set their items up as if they opened
    // (enabled, checked); one may disable or remove the item.
    auto alive = item->AliveToken();
    for (auto& m : opening)
        if (!*alive || !*m.second || !m.first->FireClick())
            return true;
    if (*alive && item->Reachable())
        item->FireClick();
    return true;
}

bool RunMenuShortcut(MenuItem& menus, const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    return RunMenuShortcut(menus, static_cast<UINT>(msg.wParam), KeyShiftState());
}

} // namespace forms
