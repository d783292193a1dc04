// The console driver's PE records: a name holding control characters keeps
// its record on one line.
#include "PeTest.h"
#include "PeWriter.h"
#include "WindowTest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace petest {
namespace {

TEST(ProbePe, ControlCharactersAreEscaped)
{
    PeSpec spec;
    spec.exports = true;
    spec.names = {"Alpha", "Be\nta\x01", "C\\D"};
    spec.imports = {"KERNEL32.dll"};
    std::wstring folder = wt::ScratchFolder(L"probe_pe");
    ASSERT_TRUE(WriteBytes(folder + L"\\names.dll", BuildPe32(spec)));
    std::string out = wt::RunProbe(L"pe \"" + folder + L"\\names.dll\"", folder + L"\\out.txt");
    EXPECT_EQ(out, "GetPEExports\tTrue\tOK\tAlpha^Be\\x0Ata\\x01^C\\\\D\n"
                   "GetDepDLLs\tTrue\tOK.\tKERNEL32.dll\n");
}

} // namespace
} // namespace petest
