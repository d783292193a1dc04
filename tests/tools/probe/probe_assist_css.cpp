// probe assist csscontext TEXT: the property the CSS popup offers values of,
// for the caret at the end of TEXT. Output is UTF-8.
// probe assist cssrule TEXT: the partial text there, its length and its kind
// (0 a property name, 1 a value), tab-separated.
#include "Probe.h"

#include "css/CSSRules.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

int ContextCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 1) {
        fwprintf(stderr, L"usage: probe assist csscontext TEXT\n");
        return 2;
    }
    const std::wstring& text = args[0];
    probe::WriteOut(platform::ToCodePage(CSSContextOf(text, static_cast<long>(text.size())) + L"\r\n", CP_UTF8));
    return 0;
}

int RuleCommand(const std::vector<std::wstring>& args)
{
    if (args.size() != 1) {
        fwprintf(stderr, L"usage: probe assist cssrule TEXT\n");
        return 2;
    }
    const std::wstring& text = args[0];
    long length = 0;
    CSSRuleKind kind;
    std::wstring partial = CSSRuleOf(text, static_cast<long>(text.size()), length, kind);
    probe::WriteOut(platform::ToCodePage(partial + L"\t" + std::to_wstring(length) + L"\t" +
                                         std::to_wstring(static_cast<long>(kind)) + L"\r\n",
                                         CP_UTF8));
    return 0;
}

probe::Command context(L"assist csscontext", L"TEXT", ContextCommand);
probe::Command rule(L"assist cssrule", L"TEXT", RuleCommand);

} // namespace
