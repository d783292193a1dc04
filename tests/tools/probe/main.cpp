#include "Probe.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <map>

#include "platform/Module.h"
#include "platform/Paths.h"

namespace probe {
namespace {

struct Entry {
    std::wstring usage;
    Handler run;
};

std::map<std::wstring, Entry>& Registry()
{
    static std::map<std::wstring, Entry> commands;
    return commands;
}

} // namespace

Command::Command(const wchar_t* name, const wchar_t* usage, Handler run)
{
    Registry()[name] = Entry{usage, std::move(run)};
}

std::wstring ProgramFolder()
{
    return platform::GetParentFolder(platform::ModuleFolder(nullptr));
}

std::wstring SettingsFolder()
{
    return ProgramFolder() + L"\\Settings";
}

void WriteOut(const std::string& bytes)
{
    _setmode(_fileno(stdout), _O_BINARY);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

} // namespace probe

int wmain(int argc, wchar_t** argv)
{
    auto& commands = probe::Registry();
    // A family of verbs ("assist members ...") registers each verb under its
    // two-word name, so that its files need not know of one another.
    if (argc >= 3) {
        std::wstring pair = std::wstring(argv[1]) + L" " + argv[2];
        if (commands.count(pair))
            return commands[pair].run(std::vector<std::wstring>(argv + 3, argv + argc));
    }
    if (argc < 2 || !commands.count(argv[1])) {
        fwprintf(stderr, L"usage: probe COMMAND ARGS\n");
        for (const auto& [name, entry] : commands)
            fwprintf(stderr, L"  probe %ls %ls\n", name.c_str(), entry.usage.c_str());
        return 2;
    }
    std::vector<std::wstring> args(argv + 2, argv + argc);
    return commands[argv[1]].run(args);
}
