// probe pe FILE: the two lists of the PE reader, one line per call:
//   GetPEExports<TAB>True|False<TAB>message<TAB>list
//   GetDepDLLs<TAB>True|False<TAB>message<TAB>list
// The lists start empty; the output is UTF-8. A control character in a
// message or a name (a damaged image can name an export "a<LF>b") is
// written as \xHH and a backslash as \\, so every record keeps its line.
#include "Probe.h"

#include "CPEFormat.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdio>

namespace {

std::wstring Escaped(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\\') {
            out += L"\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            wchar_t code[8];
            swprintf(code, 8, L"\\x%02X", static_cast<unsigned>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Record(const wchar_t* call, bool ok, const std::wstring& message, const std::wstring& list)
{
    std::wstring line = std::wstring(call) + L"\t" + (ok ? L"True" : L"False") + L"\t" + Escaped(message) + L"\t" +
                        Escaped(list);
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
