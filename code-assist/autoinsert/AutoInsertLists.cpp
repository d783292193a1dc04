#include "AutoInsertLists.h"

#include "ClsDic.h"
#include "ModFileOps.h"
#include "ModIni.h"
#include "cTypeDic.h"
#include "platform/Text.h"

#include <new>
#include <vector>

namespace AutoInsertLists {

namespace {

std::unique_ptr<cTypeDic>& TypeDicSlot()
{
    static std::unique_ptr<cTypeDic> dic;
    return dic;
}

std::shared_ptr<ClsDic>& VbsSlot()
{
    static std::shared_ptr<ClsDic> list = std::make_shared<ClsDic>();
    return list;
}

bool StartsWith(const std::wstring& text, const wchar_t* head)
{
    return text.compare(0, std::char_traits<wchar_t>::length(head), head) == 0;
}

} // namespace

cTypeDic& TypeDic()
{
    auto& dic = TypeDicSlot();
    if (!dic)
        dic = std::make_unique<cTypeDic>();
    return *dic;
}

void ReleaseTypeDic() { TypeDicSlot().reset(); }

ClsDic& VbsFunctionList() { return *VbsSlot(); }

long LoadObjectList(cTypeDic& dic, const std::wstring& path, ObjectListBox& box)
{
    try {
        if (!ModFileOps::FileExists(path)) {
            ModFileOps::WriteTextFile(path, L"");
            return -2;
        }
        // Read whole, however long: a list cut at a fixed length would end
        // in a cut name and lose the objects after it.
        const std::wstring names = ModIni::GetIniSectionNames(path);
        if (names == L"NA")
            return -3;
        box.Clear();
        size_t from = 0;
        while (from <= names.size()) {
            size_t nul = names.find(L'\0', from);
            if (nul == std::wstring::npos)
                nul = names.size();
            const std::wstring name = names.substr(from, nul - from);
            from = nul + 1;
            if (name.empty())
                continue;
            const bool ticked = ModIni::GetIniValue(path, name, L"Load*Startup") == L"yes";
            AddObjectListItem(box, name, ticked ? 1 : 0);
            if (ticked)
                LoadObjectMembers(dic, path, name);
        }
        return 0;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

void LoadObjectMembers(cTypeDic& dic, const std::wstring& path, const std::wstring& section)
{
    std::vector<std::wstring> keys, values;
    if (ModIni::ReadIniSection(section, path, keys, values) == 0)
        return;
    std::wstring vars;
    for (size_t i = 0; i < keys.size(); ++i)
        if (StartsWith(keys[i], L"var*"))
            vars += L"," + values[i];
    if (vars.empty())
        return;
    vars.erase(0, 1);
    std::wstring type = section;
    dic.MakeObjectTypeList(vars, type, keys, values);
}

void AddObjectListItem(ObjectListBox& box, const std::wstring& name, short flag) { box.Add(name, flag == 1); }

long ResetAutoInsert(const std::wstring& path, ObjectListBox& box)
{
    auto& dic = TypeDicSlot();
    dic.reset();
    dic = std::make_unique<cTypeDic>();
    return LoadObjectList(*dic, path, box);
}

std::shared_ptr<ClsDic> ReadVarList(const std::wstring& path)
{
    if (!ModFileOps::FileExists(path))
        return nullptr;
    std::vector<std::wstring> keys, values;
    if (ModIni::ReadIniSection(L"vbs", path, keys, values) == 0)
        return nullptr;
    auto list = std::make_shared<ClsDic>();
    for (size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].empty())
            list->Add(keys[i], values[i]);  // the first of a name stays
    return list;
}

void LoadVarList(const std::wstring& path)
{
    if (auto list = ReadVarList(path))
        VbsSlot() = list;
}

std::wstring GetVarObject(const std::wstring& name) { return VbsFunctionList().Item(name); }

short CountParams(const std::wstring& text)
{
    size_t p = text.find(L'(');
    if (p == std::wstring::npos)
        return -2;
    short count = 1;
    while ((p = text.find(L',', p)) != std::wstring::npos) {
        ++count;
        ++p;
    }
    return count;
}

long MemberKind(const std::wstring& memberText)
{
    const size_t dash = memberText.find(L'-');
    if (dash == std::wstring::npos)
        return 0;
    static const struct {
        const wchar_t* word;
        long code;
    } kinds[] = {{L"Property", -1}, {L"Method", -2}, {L"Event", -3}};
    for (const auto& k : kinds) {
        size_t at = memberText.find(k.word, dash);
        if (at != std::wstring::npos && at - dash < 5)
            return k.code;
    }
    return 0;
}

std::wstring MemberSignature(const std::wstring& memberText)
{
    const size_t close = memberText.find(L')');
    const size_t dash = memberText.find(L'-');
    if (close == std::wstring::npos || (dash != std::wstring::npos && dash < close))
        return L"";
    return memberText.substr(0, close + 1);
}

bool InStringOrComment(const std::wstring& lineToCaret, bool javaScript)
{
    wchar_t quote = 0;
    for (size_t i = 0; i < lineToCaret.size(); ++i) {
        const wchar_t c = lineToCaret[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == L'"' || (javaScript && c == L'\''))
            quote = c;
        else if (javaScript && c == L'/' && i + 1 < lineToCaret.size() && lineToCaret[i + 1] == L'/')
            return true;
        else if (!javaScript && c == L'\'')
            return true;
        else if (!javaScript && (c == L'R' || c == L'r') && (i == 0 || lineToCaret[i - 1] == L' ' || lineToCaret[i - 1] == L'\t') &&
                 i + 4 <= lineToCaret.size() && platform::SameText(lineToCaret.substr(i, 4), L"Rem ") &&
                 lineToCaret.find_first_not_of(L" \t:") >= i)
            return true;
    }
    return quote != 0;
}

} // namespace AutoInsertLists
