#pragma once
// The command lines of the Run menu and of the external-program items, and
// the names of the temporary script files, as plain text rules.
#include <windows.h>

#include <string>
#include <vector>

namespace RunCommands {

// The command-line bar's text split at its first "+": switches before it,
// arguments after it, each trimmed. Without "+" everything is arguments.
struct Options {
    std::wstring switches;
    std::wstring arguments;
};
Options SplitOptions(const std::wstring& text);

// A path as one argument of a command line: between double quotes, so that
// blanks in it neither split it nor let the system guess another program.
std::wstring Quoted(const std::wstring& path);

// "host" [switches] "script" [arguments]
std::wstring ScriptCommand(const std::wstring& host, const std::wstring& script, const Options& options);
// "host" //X "script": the script host starts the script under its debugger.
std::wstring DebuggerCommand(const std::wstring& host, const std::wstring& script);

// The host a run uses; "" when that host was not found.
inline const std::wstring& ChosenHost(bool withWScript, const std::wstring& wscript, const std::wstring& cscript)
{
    return withWScript ? wscript : cscript;
}

// What an external-program item does with its path, by extension.
enum class ExternalKind { NotSet, Program, HelpFile, Nothing };
// NotSet for a path shorter than 5 characters; else by extension: EXE a
// program, HLP or CHM a help file, anything else nothing.
ExternalKind ExternalKindOf(const std::wstring& path);

// The temporary script files live in a folder of the program's own under the
// Temp folder; each running program has its own file, named after its
// process id, so two runs or two users never write the same file.
std::wstring ScriptFolder(const std::wstring& tempFolder);
// ".vbs" for VBScript, ".js" for JavaScript.
std::wstring ScriptFileName(DWORD processId, bool javaScript);
// The bytes of the script file: the system code page, as the script host
// reads by default; UTF-16 with a byte-order mark when the code page cannot
// hold every character, which the host also reads, so nothing is lost.
std::string ScriptFileBytes(const std::wstring& text);
// The process id in a name made by ScriptFileName; 0 for any other name.
DWORD ScriptFileProcess(const std::wstring& fileName);
// The files among names that earlier runs left: made by ScriptFileName for a
// process that no longer runs (isRunning is asked for every other id).
template <class IsRunning>
std::vector<std::wstring> LeftoverScripts(const std::vector<std::wstring>& names, IsRunning isRunning)
{
    std::vector<std::wstring> gone;
    for (const std::wstring& n : names) {
        DWORD pid = ScriptFileProcess(n);
        if (pid != 0 && !isRunning(pid))
            gone.push_back(n);
    }
    return gone;
}

} // namespace RunCommands
