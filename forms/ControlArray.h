#pragma once
// ControlArray<T>: controls that share a name and their event handlers, told
// apart by Index (Lab1(0..9)). Elements are made on first use of arr(i) and
// placed like any control; the array's events receive the element's index.
//
//   forms::ControlArray<forms::Label> LabSetMenu;
//   LabSetMenu(3).Place(*this, 120, 900, 1500, 255);
//   LabSetMenu.Click = [this](int Index) { LabSetMenu_Click(Index); };
//
// MenuArray does the same for menu items.
#include "Control.h"
#include "Menu.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace forms {

template <class T>
class ControlArray {
public:
    std::function<void(int Index)> Click, DblClick, Change, GotFocus, LostFocus;
    std::function<void(int Index, int& KeyCode, int Shift)> KeyDown, KeyUp;
    std::function<void(int Index, int& KeyAscii)> KeyPress;
    std::function<void(int Index, int Button, int Shift, int X, int Y)> MouseDown, MouseUp,
        MouseMove;
    std::function<void(int Index, const std::vector<std::wstring>& Files, int Button, int Shift,
                       int X, int Y)>
        OLEDragDrop;

    // The element with this index, made (unplaced) when missing.
    T& operator()(int index)
    {
        auto it = items_.find(index);
        if (it != items_.end())
            return *it->second;
        auto made = std::make_unique<T>();
        T& c = *made;
        c.SetIndexInArray(index);
        Wire(c, index);
        items_.emplace(index, std::move(made));
        return c;
    }
    bool Exists(int index) const { return items_.count(index) != 0; }
    // Destroys the element (unloads it from the array).
    void Unload(int index)
    {
        auto it = items_.find(index);
        if (it == items_.end())
            return;
        it->second->Destroy();
        items_.erase(it);
    }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    std::vector<int> Indices() const
    {
        std::vector<int> v;
        for (auto& kv : items_)
            v.push_back(kv.first);
        return v;
    }

private:
    void Wire(T& c, int i)
    {
        Control& b = c;
        b.Click = [this, i] { if (Click) Click(i); };
        b.DblClick = [this, i] { if (DblClick) DblClick(i); };
        b.Change = [this, i] { if (Change) Change(i); };
        b.GotFocus = [this, i] { if (GotFocus) GotFocus(i); };
        b.LostFocus = [this, i] { if (LostFocus) LostFocus(i); };
        b.KeyDown = [this, i](int& k, int s) { if (KeyDown) KeyDown(i, k, s); };
        b.KeyUp = [this, i](int& k, int s) { if (KeyUp) KeyUp(i, k, s); };
        b.KeyPress = [this, i](int& k) { if (KeyPress) KeyPress(i, k); };
        b.MouseDown = [this, i](int bt, int s, int x, int y) { if (MouseDown) MouseDown(i, bt, s, x, y); };
        b.MouseUp = [this, i](int bt, int s, int x, int y) { if (MouseUp) MouseUp(i, bt, s, x, y); };
        b.MouseMove = [this, i](int bt, int s, int x, int y) { if (MouseMove) MouseMove(i, bt, s, x, y); };
        b.OLEDragDrop = [this, i](const std::vector<std::wstring>& f, int bt, int s, int x, int y) {
            if (OLEDragDrop) OLEDragDrop(i, f, bt, s, x, y);
        };
    }
    std::map<int, std::unique_ptr<T>> items_;
};

class MenuArray {
public:
    std::function<void(int Index)> Click;
    MenuItem& operator()(int index)
    {
        auto it = items_.find(index);
        if (it != items_.end())
            return *it->second;
        auto made = std::make_unique<MenuItem>();
        MenuItem& m = *made;
        m.SetIndexInArray(index);
        m.Click = [this, index] { if (Click) Click(index); };
        items_.emplace(index, std::move(made));
        return m;
    }
    bool Exists(int index) const { return items_.count(index) != 0; }
    // Removes the item from its menu and destroys it.
    void Unload(int index)
    {
        auto it = items_.find(index);
        if (it == items_.end())
            return;
        if (MenuItem* parent = it->second->ParentItem())
            parent->Remove(*it->second);
        items_.erase(it);
    }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

private:
    std::map<int, std::unique_ptr<MenuItem>> items_;
};

} // namespace forms
