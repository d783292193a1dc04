// probe assist funcs FILE TYPE: the function popup's tables after a rebuild
// of FILE's text as a document of editor type TYPE (0 to 5): every known
// signature as name TAB signature, then "methods:" and the procedure list.
// probe assist link FILE TYPE PATH: FILE's text after linking PATH to it.
// Output is UTF-8.
#include "Probe.h"

#include "ModFileOps.h"
#include "functions/FuncLists.h"
#include "functions/LinkMarkers.h"
#include "platform/Text.h"

#include <cstdio>
#include <cwchar>

namespace {

bool ParseType(const std::wstring& text, EditorType& type)
{
    wchar_t* end = nullptr;
    long number = std::wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end || number < 0 || number > 5) {
        fwprintf(stderr, L"TYPE must be 0 to 5\n");
        return false;
    }
    type = EditorTypeOf(number);
    return true;
}

bool ReadDocument(const std::wstring& path, std::wstring& text)
{
    if (!ModFileOps::FileExists(path)) {
        fwprintf(stderr, L"cannot read %ls\n", path.c_str());
        return false;
    }
    text = ModFileOps::ReadTextFile(path);
    return true;
}

int FuncsCommand(const std::vector<std::wstring>& args)
{
    EditorType type;
    std::wstring text;
    if (args.size() != 2) {
        fwprintf(stderr, L"usage: probe assist funcs FILE TYPE\n");
        return 2;
    }
    if (!ParseType(args[1], type))
        return 2;
    if (!ReadDocument(args[0], text))
        return 1;
    FuncLists lists;
    lists.Build(type, text);
    std::wstring out;
    for (const auto& [name, signature] : lists.Signatures())
        out += name + L"\t" + signature + L"\r\n";
    out += L"methods:\r\n";
    for (const std::wstring& name : lists.ProcedureNames())
        out += name + L"\r\n";
    probe::WriteOut(platform::ToCodePage(out, CP_UTF8));
    return 0;
}

int LinkCommand(const std::vector<std::wstring>& args)
{
    EditorType type;
    std::wstring text;
    if (args.size() != 3) {
        fwprintf(stderr, L"usage: probe assist link FILE TYPE PATH\n");
        return 2;
    }
    if (!ParseType(args[1], type))
        return 2;
    if (!ReadDocument(args[0], text))
        return 1;
    LinkInsertion insertion = LinkMarkerInsertion(type, text, args[2]);
    text.insert(static_cast<size_t>(insertion.position), insertion.text);
    probe::WriteOut(platform::ToCodePage(text, CP_UTF8));
    return 0;
}

probe::Command funcs(L"assist funcs", L"FILE TYPE", FuncsCommand);
probe::Command link(L"assist link", L"FILE TYPE PATH", LinkCommand);

} // namespace
