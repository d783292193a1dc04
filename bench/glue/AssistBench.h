#pragma once
#include "BenchSetup.h"

namespace bench {
// Prints the code assistance's times on long documents in the form's editor.
void BenchCodeAssist(fBench& form);
}
