#pragma once
// What the type-library tests share: the test library, written once per run.
#include <string>

namespace tlbtest {

// bin/tests/scratch/tlb_tests/TarnelTest.tlb, built on first use.
const std::wstring& TestLibrary();
std::wstring Scratch(const std::wstring& name);
std::wstring SystemFile(const std::wstring& name);

} // namespace tlbtest
