// probe websafe CODE TYPE: the colour picker's check of a typed code. Prints
// the id of the message a bad code gives, or the two code fields, "thex2"
// and "tsafe", as the picker shows them for editor type TYPE (0 to 5).
#include "Probe.h"

#include "picker/WebSafeColor.h"
#include "platform/Text.h"

#include <cstdio>
#include <cwchar>

static probe::Command reg(L"websafe", L"CODE TYPE", [](const std::vector<std::wstring>& args) {
    wchar_t* end = nullptr;
    long type = args.size() == 2 ? std::wcstol(args[1].c_str(), &end, 10) : -1;
    if (args.size() != 2 || end == args[1].c_str() || *end || type < 0 || type > 5) {
        fwprintf(stderr, L"usage: probe websafe CODE TYPE (TYPE 0 to 5)\n");
        return 2;
    }
    std::wstring code = args[0];
    if (UINT message = picker::CheckHexCode(code)) {
        printf("%u\n", message);
        fflush(stdout);
        return 1;
    }
    COLORREF safeColour = 0;
    std::wstring safeCode;
    picker::WebSafeColor(code.substr(0, 2), code.substr(2, 2), code.substr(4, 2), safeColour, safeCode);
    EditorType edType = EditorTypeOf(type);
    probe::WriteOut(platform::ToCodePage(L"thex2 " + picker::DocumentForm(code, edType) + L"\ntsafe " +
                                             picker::DocumentForm(safeCode, edType) + L"\n",
                                         CP_UTF8));
    return 0;
});
