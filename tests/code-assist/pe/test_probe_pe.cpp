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

// Runs bin/tests/probe.exe with args and gives what it wrote to stdout.
std::string RunProbe(const std::wstring& args, const std::wstring& outFile)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return "(no output file)";
    std::wstring exe = wt::ProgramFolder() + L"\\tests\\probe.exe";
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi{};
    bool started = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(out);
    if (!started)
        return "(probe did not start)";
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::vector<uint8_t> bytes = ReadBytes<std::vector<uint8_t>>(outFile);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ProbePe, ControlCharactersAreEscaped)
{
    PeSpec spec;
    spec.exports = true;
    spec.names = {"Alpha", "Be\nta\x01", "C\\D"};
    spec.imports = {"KERNEL32.dll"};
    std::wstring folder = wt::ScratchFolder(L"probe_pe");
    ASSERT_TRUE(WriteBytes(folder + L"\\names.dll", BuildPe32(spec)));
    std::string out = RunProbe(L"pe \"" + folder + L"\\names.dll\"", folder + L"\\out.txt");
    EXPECT_EQ(out, "GetPEExports\tTrue\tOK\tAlpha^Be\\x0Ata\\x01^C\\\\D\n"
                   "GetDepDLLs\tTrue\tOK.\tKERNEL32.dll\n");
}

} // namespace
} // namespace petest
