#pragma once
// Verbs of "probe assist VERB ...", the code-assistance engines. Each family
// of verbs lives in its own probe_assist_*.cpp and registers its verbs with
//   static probe::AssistVerb reg(L"verb", L"ARGS", handler);
#include "Probe.h"

namespace probe {

struct AssistVerb {
    AssistVerb(const wchar_t* name, const wchar_t* usage, Handler run);
};

} // namespace probe
