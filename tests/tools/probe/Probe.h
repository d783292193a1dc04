#pragma once
// Subcommand registry of the probe driver. A subcommand file defines
//   static probe::Command reg(L"name", L"ARGS", [](const std::vector<std::wstring>& args) { ... });
// and returns the process exit code. A verb of a family is registered under
// its two words, e.g. L"assist members", and receives the arguments after them.
#include <functional>
#include <string>
#include <vector>

namespace probe {

using Handler = std::function<int(const std::vector<std::wstring>& args)>;

struct Command {
    Command(const wchar_t* name, const wchar_t* usage, Handler run);
};

// The Settings folder the engines read: beside probe.exe's program folder.
std::wstring SettingsFolder();
// The program folder (bin/), one level above probe.exe.
std::wstring ProgramFolder();

// Writes bytes to stdout unchanged (no CRLF translation).
void WriteOut(const std::string& bytes);

} // namespace probe
