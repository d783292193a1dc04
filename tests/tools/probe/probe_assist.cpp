// probe assist VERB ARGS: dispatches to the verbs of the code-assistance
// families.
#include "ProbeAssist.h"

#include <cstdio>
#include <map>

namespace probe {
namespace {

struct Verb {
    std::wstring usage;
    Handler run;
};

std::map<std::wstring, Verb>& Verbs()
{
    static std::map<std::wstring, Verb> verbs;
    return verbs;
}

int AssistCommand(const std::vector<std::wstring>& args)
{
    auto& verbs = Verbs();
    if (args.empty() || !verbs.count(args[0])) {
        fwprintf(stderr, L"usage: probe assist VERB ARGS\n");
        for (const auto& [name, verb] : verbs)
            fwprintf(stderr, L"  probe assist %ls %ls\n", name.c_str(), verb.usage.c_str());
        return 2;
    }
    return verbs[args[0]].run(std::vector<std::wstring>(args.begin() + 1, args.end()));
}

Command reg(L"assist", L"VERB ARGS (probe assist for the verbs)", AssistCommand);

} // namespace

AssistVerb::AssistVerb(const wchar_t* name, const wchar_t* usage, Handler run)
{
    Verbs()[name] = Verb{usage, std::move(run)};
}

} // namespace probe
