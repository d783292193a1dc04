#include "CSSList.h"

#include "ModFileOps.h"
#include "ModIni.h"
#include "CSSRules.h"

#include <algorithm>

long ReadCSSList(const std::wstring& iniPath, ClsDic& list)
{
    if (!ModFileOps::FileExists(iniPath))
        return -1;
    std::vector<std::wstring> names, values;
    ModIni::ReadIniSection(L"css", iniPath, names, values);
    ClsDic read;
    for (size_t i = 0; i < names.size() && i < values.size(); ++i)
        if (!names[i].empty() && !values[i].empty())
            read.Add(names[i], values[i]);
    if (read.Count() == 0)
        return -2;
    list = read;
    return 0;
}

int CSSValueCode(const std::wstring& value)
{
    if (value.find(L'>') != std::wstring::npos)
        return 2;
    return value.find(L'(') != std::wstring::npos ? 1 : 0;
}

std::wstring CSSReferenceTarget(const std::wstring& value)
{
    // A shorter text names no property: cutting three characters off it
    // would leave nothing, or run before its start.
    if (value.find(L'>') == std::wstring::npos || value.size() <= 3)
        return L"";
    return value.substr(0, value.size() - 3);
}

bool CSSPopupItems(const ClsDic& list, const std::wstring& key, std::vector<CSSItem>& items)
{
    items.clear();
    if (key == L"{") {
        for (const std::wstring& name : list.Keys())
            if (!name.empty())
                items.push_back({name, 0});
        return true;
    }
    if (!list.Exists(key))
        return false;
    std::wstring values = list.Item(key);
    size_t start = 0;
    while (start <= values.size()) {
        size_t comma = values.find(L',', start);
        if (comma == std::wstring::npos)
            comma = values.size();
        std::wstring value = values.substr(start, comma - start);
        if (!value.empty())
            items.push_back({value, CSSValueCode(value)});
        start = comma + 1;
    }
    return true;
}

CSSChoice ChooseCSSItem(const ClsDic& list, const std::wstring& item, long caret, long partialLength,
                        CSSRuleKind kind)
{
    CSSChoice choice;
    switch (CSSValueCode(item)) {
    case 1:
        return choice;
    case 2:
        choice.showValuesOf = CSSReferenceTarget(item);
        if (!choice.showValuesOf.empty() && list.Exists(choice.showValuesOf))
            choice.action = CSSChoice::Action::ShowValues;
        else
            choice.showValuesOf.clear();
        return choice;
    default:
        break;
    }
    choice.action = CSSChoice::Action::Replace;
    choice.start = std::max(0L, caret - partialLength);
    if (kind == CSSRuleKind::Property) {
        choice.text = item + L": ";
        choice.showValuesOf = item;
    } else {
        choice.text = item + L"; ";
    }
    return choice;
}
