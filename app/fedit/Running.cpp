// Running the current script under the script host or its debugger, the
// syntax checks by type, line debugging, and the three external programs.
// Started programs are never waited for.
#include "fedit.h"

#include "EditorState.h"
#include "EditorType.h"
#include "ModFileOps.h"
#include "debug/ModVBSDebug.h"
#include "debug/modHTML.h"
#include "RunCommands.h"
#include "SettingsRecord.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Messages.h"

#include <shellapi.h>

#include <vector>

using platform::MessageStyle::Information;

namespace {

// Starts a command line with a normal, focused window; "" or the system's
// description of the failure.
std::wstring StartProcess(const std::wstring& commandLine)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    std::vector<wchar_t> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back(L'\0');
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        platform::KernelHandle thread(pi.hThread), process(pi.hProcess);
        return L"";
    }
    DWORD err = GetLastError();
    std::wstring message = platform::SystemErrorText(err);
    return message.empty() ? L"Error " + std::to_wstring(err) : message;
}

bool ProcessRunning(DWORD pid)
{
    platform::KernelHandle h(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED;   // another user's program
    return WaitForSingleObject(h.Get(), 0) == WAIT_TIMEOUT;
}

} // namespace

// Scripts of runs that have ended are removed, so the folder does not grow;
// a script of a program still running (another user's, say) stays.
void RemoveLeftoverScripts()
{
    std::wstring folder = RunCommands::ScriptFolder(State().TempFolder);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    platform::FindHandle h(FindFirstFileW((folder + L"\\*").c_str(), &fd));
    if (!h)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (FindNextFileW(h.Get(), &fd));
    const DWORD self = GetCurrentProcessId();
    for (const std::wstring& n : RunCommands::LeftoverScripts(
             names, [self](DWORD pid) { return pid == self || ProcessRunning(pid); }))
        ModFileOps::RemoveFile(folder + L"\\" + n);
}

void fedit::mRunScript_Click()
{
    RunScriptWith(false);
}

void fedit::mRunMSD_Click()
{
    RunScriptWith(true);
}

void fedit::RunScriptWith(bool debugger)
{
    EditorState& s = State();
    EditorType type = State().EdType;
    if (editing_.JT1.LenText() == 0 || (type != EditorType::VBScript && type != EditorType::JavaScript))
        return;
    const std::wstring host = RunCommands::ChosenHost(s.RunWithWScript, s.WScriptPath, s.CScriptPath);
    if (host.empty()) {
        platform::ShowMessage(L"WScript.exe (or CScript.exe) not found. The Windows Script Host must be "
                              L"installed to run scripts.",
                              Information, hwnd);
        return;
    }
    const std::wstring folder = RunCommands::ScriptFolder(s.TempFolder);
    if (!platform::FolderExists(folder))
        CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring script =
        folder + L"\\" + RunCommands::ScriptFileName(GetCurrentProcessId(), type == EditorType::JavaScript);
    std::wstring failure;
    if (!platform::WriteFileSafely(script, RunCommands::ScriptFileBytes(editing_.JT1.Text()), platform::ReadOnlyTarget::Replace))
        failure = L"The script could not be written to " + script;
    else
        failure = StartProcess(debugger ? RunCommands::DebuggerCommand(host, script)
                                        : RunCommands::ScriptCommand(host, script,
                                                                     RunCommands::SplitOptions(panels_.tCommand.Text())));
    if (!failure.empty())
        platform::ShowMessage(L"Error:\r\n" + failure, Information, hwnd, L"Run Script");
}

void fedit::mRunEXE_Click(int Index)
{
    State().RunWithWScript = Index == 0;
    mRunEXE(0).SetChecked(Index == 0);
    mRunEXE(1).SetChecked(Index != 0);
}

void fedit::mShowCommand_Click()
{
    panels_.ShowCommandBar(true);
}

void fedit::bCommand_Click(int Index)
{
    if (Index == 0) {
        panels_.ShowCommandBar(false);
    } else {
        platform::ShowMessage(L"Any text entered in Command Line field will be run with script. Both arguments "
                              L"and switches can applied by using the \"+\" character. See Help.",
                              MB_OK, hwnd);
    }
}

void fedit::mRunDebug_Click()
{
    if (editing_.JT1.LenText() == 0)
        return;
    const long number = EditorTypeNumber(State().EdType);
    // The checker keeps the user's line-debugging choice and gives it back
    // when the check finds nothing or its report closes.
    BeginFormatCheck(EditorTypeOf(number));
    switch (EditorTypeOf(number)) {
    case EditorType::ASP:
    case EditorType::HTML: {
        forms::Hourglass wait;
        editing_.JT1.SetEnabled(false);
        RunHTMLDebug();
        editing_.JT1.SetEnabled(true);
        break;
    }
    case EditorType::VBScript: {
        {
            forms::Hourglass wait;
            editing_.JT1.SetEnabled(false);
            RunVBSDebug();
            editing_.SyncLineNums();
            editing_.JT1.SetEnabled(true);
        }
        editing_.JT1.SetFocus();
        break;
    }
    default:
        break;
    }
}

void fedit::mDoDebug_Click()
{
    State().LineDebugOn = true;
    Settings().NoLineDebug = false;
    SetDebugMode(true);
}

void fedit::mNoDebug_Click()
{
    Settings().NoLineDebug = true;
    State().LineDebugOn = false;
    SetDebugMode(false);
}

void fedit::mex1_Click(int Index)
{
    const SettingsRecord& rec = Settings();
    const std::wstring path = Index == 0 ? rec.ExePath1 : Index == 1 ? rec.ExePath2 : rec.ExePath3;
    const RunCommands::ExternalKind kind = RunCommands::ExternalKindOf(path);
    if (kind == RunCommands::ExternalKind::NotSet) {
        platform::ShowMessage(L"There is no program set to run. Go to Options > Settings to choose one.",
                              Information, hwnd);
        return;
    }
    if (!platform::FileExists(path)) {
        platform::ShowMessage(L"File not found:\r\n" + path, Information, hwnd);
        return;
    }
    if (kind == RunCommands::ExternalKind::Program) {
        if (!StartProcess(RunCommands::Quoted(path)).empty())
            platform::ShowMessage(L"Failure opening the specified program. Check to make sure it hasn't been moved.",
                                  Information, hwnd);
    } else if (kind == RunCommands::ExternalKind::HelpFile) {
        HINSTANCE r = ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(r) < 32)
            platform::ShowMessage(L"Error opening HLP or CHM Help file. If CHM, you may not have HTML Help installed.",
                                  Information, hwnd);
    }
}
