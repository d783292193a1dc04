#pragma once
// What the PE tests share: one call of either reader, and the test images.
#include "CPEFormat.h"

#include <string>

namespace petest {

struct Outcome {
    bool ok = false;
    std::wstring message;
    std::wstring list;
};

// Each starts with the list "before", to see whether the reader changed it.
Outcome Exports(const std::wstring& path);
Outcome Imports(const std::wstring& path);

// bin/tests/pe, where the build puts the compiled images.
std::wstring ImageFolder();

} // namespace petest
