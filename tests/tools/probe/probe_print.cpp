// probe printheader TITLE TITLEOPTION NUMBEROPTION PAGE: the header line a
// printed page carries, exactly (tabs included, no line end); nothing when
// neither option is 1.
#include "Probe.h"

#include "platform/Text.h"
#include "print/PrintPages.h"

#include <cstdio>

static probe::Command reg(L"printheader", L"TITLE TITLEOPTION NUMBEROPTION PAGE",
                          [](const std::vector<std::wstring>& args) {
    if (args.size() != 4) {
        fwprintf(stderr, L"usage: probe printheader TITLE TITLEOPTION NUMBEROPTION PAGE\n");
        return 2;
    }
    probe::WriteOut(platform::ToCodePage(
        PrintPages::HeaderLine(args[0], _wtoi(args[1].c_str()) == 1, _wtoi(args[2].c_str()) == 1,
                               _wtol(args[3].c_str())),
        CP_UTF8));
    return 0;
});
