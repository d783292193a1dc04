#pragma once
// Menu tables: a form's menu bar and popup menus as data, one row per item,
// built into the form's MenuItem members by one call. The rows need no
// window, so a form's table is tested like any engine.
//
// A row's level says where it goes: 0 directly under the root (the bar's
// menus, or a popup root), 1 under the last row of level 0, and so on. Its
// member, command id and handler all come from the control name, so they
// cannot drift apart:
//
//   // fedit/MenuIds.h:   enum : UINT { IDM_mFile = 1000, IDM_mSave, IDM_mRecent_0, ... };
//   #define ROW(...) FORMS_MENU(fedit, __VA_ARGS__)
//   #define ON(...) FORMS_MENU_CLICK(fedit, __VA_ARGS__)
//   #define ARR(...) FORMS_MENU_ARRAY_CLICK(fedit, __VA_ARGS__)
//   static const forms::MenuRow<fedit> kBar[] = {
//       ROW(0, mFile, L"&File"),
//       ON(1, mSave, L"&Save").Keys(L"Ctrl+S"),          // fedit::mSave_Click()
//       ROW(1, mtemp1, L"-"),
//       ARR(1, mRecent, 0, L"recent").Hidden(),          // fedit::mRecent_Click(int Index)
//       ROW(1, mTools, L"&Tools"),
//       ON(2, mWrap, L"&Word Wrap").Checked(),
//       ROW(2, PopWrap, L"&Word Wrap").On(&fedit::mWrap_Click),   // a twin's handler
//       ROW(2, mPaste2, L"Paste &2").On([](fedit& f) { f.DoPaste(2); }),
//   };
//   forms::BuildMenus(*this, Menus, kBar);   // in fedit's constructor
//
// Members are forms::MenuItem, or forms::MenuArray for rows with an index.
// Tests post WM_COMMAND with the IDM_ constants; CheckMenuRows finds the
// table's faults without a window.
#include "ControlArray.h"
#include "Menu.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms {

// The part of a row that needs no form.
struct MenuRowInfo {
    int Level = 0;
    const wchar_t* Name = L"";
    int Index = -1;              // index in a menu array, -1 for a plain item
    const wchar_t* Caption = L"";
    const wchar_t* Keys = nullptr; // shortcut text (ParseShortcut), nullptr for none
    UINT Id = 0;                 // command id; 0: automatic
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
};

// The first fault of a table, as a message naming the row ("" when none): a
// first row not at level 0, a level more than one below the row above, a
// shortcut that names no key or sits on a separator, a command id used twice
// or in the automatic range, an item (name and index) listed twice.
std::wstring CheckMenuRows(const std::vector<MenuRowInfo>& rows);

template <class F>
struct MenuRow {
    MenuRowInfo Info;
    MenuItem F::*Item = nullptr;
    MenuArray F::*Array = nullptr;
    void (F::*OnClick)() = nullptr;
    void (F::*OnIndexClick)(int Index) = nullptr;
    void (*OnCall)(F& form) = nullptr;   // a plain item's procedure that takes arguments
    void (*OnIndexCall)(F& form, int Index) = nullptr;   // the same for an array's items

    static MenuRow Of(int level, const wchar_t* name, MenuItem F::*item, UINT id,
                      const wchar_t* caption)
    {
        MenuRow r;
        r.Info.Level = level;
        r.Info.Name = name;
        r.Info.Id = id;
        r.Info.Caption = caption;
        r.Item = item;
        return r;
    }
    static MenuRow Of(int level, const wchar_t* name, MenuArray F::*array, int index, UINT id,
                      const wchar_t* caption)
    {
        MenuRow r = Of(level, name, static_cast<MenuItem F::*>(nullptr), id, caption);
        r.Array = array;
        r.Info.Index = index;
        return r;
    }
    MenuRow Keys(const wchar_t* keys) const { MenuRow r = *this; r.Info.Keys = keys; return r; }
    MenuRow Checked() const { MenuRow r = *this; r.Info.Checked = true; return r; }
    MenuRow Disabled() const { MenuRow r = *this; r.Info.Enabled = false; return r; }
    MenuRow Hidden() const { MenuRow r = *this; r.Info.Visible = false; return r; }
    MenuRow On(void (F::*handler)()) const { MenuRow r = *this; r.OnClick = handler; return r; }
    MenuRow On(void (F::*handler)(int)) const
    {
        MenuRow r = *this;
        r.OnIndexClick = handler;
        return r;
    }
    MenuRow On(void (*handler)(F&)) const { MenuRow r = *this; r.OnCall = handler; return r; }
    MenuRow On(void (*handler)(F&, int)) const
    {
        MenuRow r = *this;
        r.OnIndexCall = handler;
        return r;
    }
};

namespace detail {
// Sets an item up as its row says (caption, shortcut, id, state, name).
void ApplyMenuRow(MenuItem& parent, MenuItem& item, const MenuRowInfo& row);
}

// Builds the rows under root (Form::Menus, or a MenuItem used as a popup
// root) and wires the handlers. Returns CheckMenuRows' message and builds
// nothing when the table has a fault.
template <class F>
std::wstring BuildMenus(F& form, MenuItem& root, const MenuRow<F>* rows, size_t count)
{
    std::vector<MenuRowInfo> infos;
    for (size_t i = 0; i < count; ++i)
        infos.push_back(rows[i].Info);
    std::wstring fault = CheckMenuRows(infos);
    if (!fault.empty())
        return fault;
    std::vector<MenuItem*> path{&root};
    for (size_t i = 0; i < count; ++i) {
        const MenuRow<F>& r = rows[i];
        MenuItem* item = nullptr;
        if (r.Array) {
            MenuArray& array = form.*(r.Array);
            item = &array(r.Info.Index);
            if (auto h = r.OnIndexClick)
                array.Click = [&form, h](int Index) { (form.*h)(Index); };
            else if (auto call = r.OnIndexCall)
                array.Click = [&form, call](int Index) { call(form, Index); };
        } else if (r.Item) {
            item = &(form.*(r.Item));
            if (auto h = r.OnClick)
                item->Click = [&form, h] { (form.*h)(); };
            else if (auto call = r.OnCall)
                item->Click = [&form, call] { call(form); };
        } else {
            continue;
        }
        path.resize(static_cast<size_t>(r.Info.Level) + 1);
        detail::ApplyMenuRow(*path.back(), *item, r.Info);
        path.push_back(item);
    }
    return L"";
}

template <class F, size_t N>
std::wstring BuildMenus(F& form, MenuItem& root, const MenuRow<F> (&rows)[N])
{
    return BuildMenus(form, root, rows, N);
}

} // namespace forms

// A row whose control name, member F::name, command id IDM_name and (for the
// _CLICK forms) handler F::name_Click come from one token. Array rows take a
// literal index: IDM_name_index, handler F::name_Click(int Index).
#define FORMS_MENU(F, level, name, caption) \
    ::forms::MenuRow<F>::Of(level, L"" #name, &F::name, IDM_##name, caption)
#define FORMS_MENU_CLICK(F, level, name, caption) \
    FORMS_MENU(F, level, name, caption).On(&F::name##_Click)
#define FORMS_MENU_ARRAY(F, level, name, index, caption) \
    ::forms::MenuRow<F>::Of(level, L"" #name, &F::name, index, IDM_##name##_##index, caption)
#define FORMS_MENU_ARRAY_CLICK(F, level, name, index, caption) \
    FORMS_MENU_ARRAY(F, level, name, index, caption).On(&F::name##_Click)
