#include "MenuTable.h"

#include <map>
#include <set>
#include <utility>

namespace forms {

namespace {

std::wstring RowName(const MenuRowInfo& r)
{
    std::wstring n = r.Name ? r.Name : L"";
    if (r.Index >= 0)
        n += L"(" + std::to_wstring(r.Index) + L")";
    return n;
}

} // namespace

std::wstring CheckMenuRows(const std::vector<MenuRowInfo>& rows)
{
    std::map<UINT, std::wstring> ids;
    std::set<std::pair<std::wstring, int>> items;
    int previous = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRowInfo& r = rows[i];
        std::wstring where = L"menu row " + std::to_wstring(i + 1) + L" (" + RowName(r) + L"): ";
        if (r.Level < 0 || r.Level > previous + 1)
            return where + L"level " + std::to_wstring(r.Level) + L" does not follow level " +
                   std::to_wstring(previous);
        previous = r.Level;
        if (r.Keys && *r.Keys) {
            bool ok = false;
            ParseShortcut(r.Keys, &ok);
            if (!ok)
                return where + L"\"" + r.Keys + L"\" names no key";
            if (r.Caption && std::wstring(r.Caption) == L"-")
                return where + L"a separator has no shortcut";
        }
        if (r.Id != 0) {
            if (r.Id >= kFirstAutoMenuId)
                return where + L"command id " + std::to_wstring(r.Id) +
                       L" lies in the automatic range";
            auto seen = ids.emplace(r.Id, RowName(r));
            if (!seen.second)
                return where + L"command id " + std::to_wstring(r.Id) + L" is also " +
                       seen.first->second + L"'s";
        }
        if (!items.emplace(r.Name ? r.Name : L"", r.Index).second)
            return where + L"the item is listed twice";
    }
    return L"";
}

namespace detail {

void ApplyMenuRow(MenuItem& parent, MenuItem& item, const MenuRowInfo& row)
{
    item.Name = row.Name ? row.Name : L"";
    if (row.Id != 0)
        item.SetCommandId(row.Id);
    item.SetShortcut(row.Keys ? ParseShortcut(row.Keys) : Shortcut{});
    item.SetChecked(row.Checked);
    item.SetEnabled(row.Enabled);
    item.SetVisible(row.Visible);
    parent.Add(item, row.Caption ? row.Caption : L"");
}

} // namespace detail

} // namespace forms
