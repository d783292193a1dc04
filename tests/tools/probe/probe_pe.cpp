// probe pe FILE: the two lists of the PE reader, one line per call:
//   GetPEExports<TAB>True|False<TAB>message<TAB>list
//   GetDepDLLs<TAB>True|False<TAB>message<TAB>list
// The lists start empty; the output is UTF-8.
#include "Probe.h"

#include "CPEFormat.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string Record(const wchar_t* call, bool ok, const std::wstring& message, const std::wstring& list)
{
    std::wstring line = std::wstring(call) + L"\t" + (ok ? L"True" : L"False") + L"\t" + message + L"\t" + list;
    return platform::ToCodePage(line, CP_UTF8) + "\n";
}

int PeCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 1) {
        fwprintf(stderr, L"usage: probe pe FILE\n");
        return 2;
    }
    CPEFormat pe;
    std::wstring exports, exportsMessage, imports, importsMessage;
    bool exportsOk = pe.GetPEExports(args[0], exports, exportsMessage);
    bool importsOk = pe.GetDepDLLs(args[0], imports, importsMessage);
    probe::WriteOut(Record(L"GetPEExports", exportsOk, exportsMessage, exports) +
                    Record(L"GetDepDLLs", importsOk, importsMessage, imports));
    return 0;
}

probe::Command reg(L"pe", L"FILE", PeCommand);

} // namespace
