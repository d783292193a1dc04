// probe tlb FILE: reads the type library of FILE as the object browser does
// and prints the result code and message, then for each entry of the class
// text dictionary, in the library's order, a line "==== " and the key,
// followed by the value as it is. The output is UTF-8.
#include "Probe.h"

#include "ClsDic.h"
#include "EditorState.h"
#include "ModTLB.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

int TlbCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 1) {
        fwprintf(stderr, L"usage: probe tlb FILE\n");
        return 2;
    }
    std::wstring message;
    long code = ModTLB::LoadTypeLibInfo(args[0], message);
    std::wstring out = std::to_wstring(code) + L"\t" + message + L"\n";
    if (const auto& texts = State().ClassTextDic) {
        std::vector<std::wstring> keys = texts->Keys();
        std::vector<std::wstring> values = texts->Items();
        for (size_t i = 0; i < keys.size() && texts->Count() > 0; ++i)
            out += L"==== " + keys[i] + L"\n" + values[i];
    }
    probe::WriteOut(platform::ToCodePage(out, CP_UTF8));
    return 0;
}

probe::Command reg(L"tlb", L"FILE", TlbCommand);

} // namespace
