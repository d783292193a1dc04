#include "RunCommands.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace RunCommands {

namespace {

const wchar_t kPrefix[] = L"wtemp-";

} // namespace

Options SplitOptions(const std::wstring& text)
{
    Options o;
    std::wstring t = platform::TrimBlanksAndTabs(text);
    size_t plus = t.find(L'+');
    if (plus == std::wstring::npos) {
        o.arguments = t;
    } else {
        o.switches = platform::TrimBlanksAndTabs(t.substr(0, plus));
        o.arguments = platform::TrimBlanksAndTabs(t.substr(plus + 1));
    }
    return o;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::wstring ScriptCommand(const std::wstring& host, const std::wstring& script, const Options& options)
{
    std::wstring cmd = Quoted(host);
    if (!options.switches.empty())
        cmd += L" " + options.switches;
    cmd += L" " + Quoted(script);
    if (!options.arguments.empty())
        cmd += L" " + options.arguments;
    return cmd;
}

std::wstring DebuggerCommand(const std::wstring& host, const std::wstring& script)
{
    return Quoted(host) + L" //X " + Quoted(script);
}

ExternalKind ExternalKindOf(const std::wstring& path)
{
    if (path.size() < 5)
        return ExternalKind::NotSet;
    std::wstring ext = platform::Upper(platform::GetExtension(path));
    if (ext == L"EXE")
        return ExternalKind::Program;
    if (ext == L"HLP" || ext == L"CHM")
        return ExternalKind::HelpFile;
    return ExternalKind::Nothing;
}

std::wstring ScriptFolder(const std::wstring& tempFolder)
{
    return platform::JoinPath(tempFolder, L"TARNEL scripts");
}

std::wstring ScriptFileName(DWORD processId, bool javaScript)
{
    return kPrefix + std::to_wstring(processId) + (javaScript ? L".js" : L".vbs");
}

std::string ScriptFileBytes(const std::wstring& text)
{
    if (platform::FitsCodePage(text))
        return platform::ToCodePage(text);
    std::string bytes("\xFF\xFE", 2);
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

DWORD ScriptFileProcess(const std::wstring& fileName)
{
    std::wstring n = platform::Lower(fileName);
    const size_t p = sizeof(kPrefix) / sizeof(kPrefix[0]) - 1;
    if (n.compare(0, p, kPrefix) != 0)
        return 0;
    size_t dot = n.find(L'.', p);
    if (dot == std::wstring::npos || dot == p || dot - p > 10)
        return 0;
    std::wstring ext = n.substr(dot);
    if (ext != L".vbs" && ext != L".js")
        return 0;
    unsigned long long pid = 0;
    for (size_t i = p; i < dot; ++i) {
        if (n[i] < L'0' || n[i] > L'9')
            return 0;
        pid = pid * 10 + static_cast<unsigned>(n[i] - L'0');
    }
    return pid > 0xFFFFFFFFull ? 0 : static_cast<DWORD>(pid);
}

} // namespace RunCommands
