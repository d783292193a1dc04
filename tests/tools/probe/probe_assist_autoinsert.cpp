// probe assist objectlist|members|params|kind|clsid: the auto-insert lists
// and rules as the member popup and the settings window use them. Output is
// UTF-8, one item a line, fields separated by tabs.
//   objectlist INI        each object with its tick (1/0), then "var" lines:
//                         each bound variable with its object
//   members INI VARIABLE  the popup's entries: name, kind code, member text
//   params SIGNATURE      CountParams
//   kind ENTRY            the popup's kind code of one member text
//   clsid TEXT PROGID     the settings window's message id, or OK and the CLSID
#include "Probe.h"

#include "autoinsert/AutoInsertLists.h"
#include "autoinsert/AutoSetupRules.h"
#include "cTypeDic.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

void Print(const std::wstring& text) { probe::WriteOut(platform::ToCodePage(text, CP_UTF8)); }

class PrintedList : public AutoInsertLists::ObjectListBox {
public:
    void Clear() override { text.clear(); }
    void Add(const std::wstring& name, bool ticked) override { text += name + L"\t" + (ticked ? L"1" : L"0") + L"\n"; }
    std::wstring text;
};

bool Usage(const std::vector<std::wstring>& args, size_t count, const wchar_t* usage)
{
    if (args.size() == count)
        return true;
    fwprintf(stderr, L"usage: probe assist %ls\n", usage);
    return false;
}

int ObjectList(const std::vector<std::wstring>& args)
{
    if (!Usage(args, 1, L"objectlist INI"))
        return 2;
    cTypeDic dic;
    PrintedList list;
    long status = AutoInsertLists::LoadObjectList(dic, args[0], list);
    std::wstring out = L"status\t" + std::to_wstring(status) + L"\n" + list.text;
    std::vector<std::wstring> names, types;
    dic.VarBindings(names, types);
    for (size_t i = 0; i < names.size(); ++i)
        out += L"var\t" + names[i] + L"\t" + types[i] + L"\n";
    Print(out);
    return 0;
}

int Members(const std::vector<std::wstring>& args)
{
    if (!Usage(args, 2, L"members INI VARIABLE"))
        return 2;
    cTypeDic dic;
    PrintedList list;
    AutoInsertLists::LoadObjectList(dic, args[0], list);
    std::vector<std::wstring> names, texts;
    if (!dic.GetObjectTypeList(args[1], names, texts)) {
        Print(L"none\n");
        return 1;
    }
    std::wstring out;
    for (size_t i = 0; i < names.size(); ++i)
        out += names[i] + L"\t" + std::to_wstring(AutoInsertLists::MemberKind(texts[i])) + L"\t" + texts[i] + L"\n";
    Print(out);
    return 0;
}

int Params(const std::vector<std::wstring>& args)
{
    if (!Usage(args, 1, L"params SIGNATURE"))
        return 2;
    Print(std::to_wstring(AutoInsertLists::CountParams(args[0])) + L"\n");
    return 0;
}

int Kind(const std::vector<std::wstring>& args)
{
    if (!Usage(args, 1, L"kind ENTRY"))
        return 2;
    Print(std::to_wstring(AutoInsertLists::MemberKind(args[0])) + L"\n");
    return 0;
}

int Clsid(const std::vector<std::wstring>& args)
{
    if (!Usage(args, 2, L"clsid TEXT PROGID"))
        return 2;
    std::wstring clsid = args[0], progId = args[1];
    int id = AutoSetupRules::CheckLookupInput(clsid, progId);
    Print(id ? std::to_wstring(id) + L"\n" : L"OK\t" + clsid + L"\n");
    return 0;
}

probe::Command objectlist(L"assist objectlist", L"INI", ObjectList);
probe::Command members(L"assist members", L"INI VARIABLE", Members);
probe::Command params(L"assist params", L"SIGNATURE", Params);
probe::Command kind(L"assist kind", L"ENTRY", Kind);
probe::Command clsid(L"assist clsid", L"TEXT PROGID", Clsid);

} // namespace
