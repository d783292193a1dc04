// probe color TYPE FILE: the RTF fragment the colourer of editor type TYPE
// (1 to 5) makes of FILE, with the keyword lists of the program's Settings
// folder and the default colours and font.
#include "Probe.h"

#include "ClsColor.h"
#include "ModFileOps.h"
#include "color/KeywordLists.h"
#include "platform/Messages.h"

#include <cstdio>
#include <cwchar>

namespace {

int ColorCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 2) {
        fwprintf(stderr, L"usage: probe color TYPE FILE\n");
        return 2;
    }
    wchar_t* end = nullptr;
    long type = std::wcstol(args[0].c_str(), &end, 10);
    if (end == args[0].c_str() || *end || type < 1 || type > 5) {
        fwprintf(stderr, L"TYPE must be 1 to 5\n");
        return 2;
    }
    if (!ModFileOps::FileExists(args[1])) {
        fwprintf(stderr, L"cannot read %ls\n", args[1].c_str());
        return 1;
    }
    platform::SetMessageInterceptor([](const std::wstring& message, const std::wstring&, UINT) {
        fwprintf(stderr, L"%ls\n", message.c_str());
        return IDOK;
    });
    ClsColor color;
    std::vector<std::wstring> blocks;
    LoadKeywordLists(color, probe::SettingsFolder(), blocks);
    platform::SetMessageInterceptor(nullptr);
    probe::WriteOut(color.RtfFragment(EditorTypeOf(type), ModFileOps::ReadTextFile(args[1])));
    return 0;
}

probe::Command reg(L"color", L"TYPE FILE", ColorCommand);

} // namespace
