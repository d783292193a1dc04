// probe classes list|resolve|props|copyrow: the object browser's class scan.
//   list                  one row per listed class: progid<TAB>clsid<TAB>server
//   resolve NAME          the server path<TAB>InprocServer32|LocalServer32, or
//                         the message the browser would show
//   props NAME            the property panel, one label<TAB>value per line:
//                         the eight fields, then Category, Export and Import rows
//   copyrow NAME          the copy command's text of the class's row
// NAME is a CLSID in braces or a ProgID. The output is UTF-8.
#include "Probe.h"

#include "ModFileOps.h"
#include "GetRegString.h"
#include "ModTLB.h"
#include "browser/ModOrmund.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

using namespace ModOrmund;

void Print(const std::wstring& text)
{
    probe::WriteOut(platform::ToCodePage(text, CP_UTF8));
}

std::wstring SystemFolder()
{
    return ModFileOps::GetSpecialFolder(ModFileOps::SpecialFolder::System);
}

ClassRow RowOf(const std::wstring& clsid)
{
    std::wstring progId = RegisteredProgId(clsid);
    std::wstring name = GetRegString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, L"");
    return {progId.empty() ? L"No ProgID" : progId, clsid, GetServerFile(clsid),
            name.empty() ? L"No Class Name" : name};
}

int List()
{
    std::wstring out;
    for (const ClassRow& row : ListClasses())
        out += row.ProgId + L"\t" + row.Clsid + L"\t" + row.File + L"\n";
    Print(out);
    return 0;
}

int Resolve(const std::wstring& name)
{
    std::wstring clsid = name.size() == 38 ? name : L"", progId = name, out;
    if (!ModTLB::ResolveClass(clsid, progId, out)) {
        Print(out + L"\n");
        return 1;
    }
    ServerKind kind;
    GetServerPath(clsid, kind);
    Print(out + L"\t" + (kind == ServerKind::InProcess ? L"InprocServer32" : L"LocalServer32") + L"\n");
    return 0;
}

int Props(const std::wstring& clsid)
{
    ClassProps props = ShowClassProps(clsid, RowOf(clsid).ProgId, SystemFolder());
    std::wstring out;
    for (int i = 0; i < FieldCount; ++i)
        out += std::wstring(kFieldNames[i]) + L"\t" + props.Fields[i] + L"\n";
    for (const std::wstring& line : props.Categories)
        out += L"Category\t" + line + L"\n";
    if (!props.ServerFile.empty()) {
        bool imageHelp = ModFileOps::FileExists(SystemFolder() + L"\\IMAGEHLP.DLL");
        FileLists lists = ReadFileLists(props.ServerFile, imageHelp);
        for (const std::wstring& line : lists.Exports)
            out += L"Export\t" + line + L"\n";
        for (const std::wstring& line : lists.Imports)
            out += L"Import\t" + line + L"\n";
    }
    Print(out);
    return 0;
}

int ClassesCommand(const std::vector<std::wstring>& args)
{
    if (args.size() == 1 && args[0] == L"list")
        return List();
    if (args.size() == 2 && args[0] == L"resolve")
        return Resolve(args[1]);
    if (args.size() == 2 && (args[0] == L"props" || args[0] == L"copyrow")) {
        std::wstring clsid = ClsidOf(args[1]);
        if (clsid.empty()) {
            Print(L"No CLSID found for ProgID\n");
            return 1;
        }
        if (args[0] == L"props")
            return Props(clsid);
        Print(CopyRow(RowOf(clsid)) + L"\n");
        return 0;
    }
    fwprintf(stderr, L"usage: probe classes list|resolve NAME|props NAME|copyrow NAME\n");
    return 2;
}

probe::Command reg(L"classes", L"list|resolve NAME|props NAME|copyrow NAME", ClassesCommand);

} // namespace
