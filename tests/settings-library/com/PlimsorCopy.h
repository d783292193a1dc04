#pragma once
// A private program folder for one test: copies of plimsor.dll, DirectCOM.dll
// and sethost.exe, so the test's Settings folder and record are its own.
#include "Bytes.h"
#include <string>

namespace plimsortest {

// Creates (or refreshes) bin/tests/scratch/<name> with the three files and
// an empty Settings folder; returns the folder.
std::wstring MakeProgramCopy(const std::wstring& name);
// The whole file, or empty when it cannot be read.

} // namespace plimsortest
