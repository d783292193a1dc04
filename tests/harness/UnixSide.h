#pragma once
// The Linux side of the machine Wine runs on, for tests that measure what
// only it shows (a file's mode, links): a shell command run there, and
// folders under its /tmp, which Wine shows as Z:\tmp.
#include <windows.h>

#include <string>

#include "Bytes.h"

namespace unixside {

// The command's output (stdout and stderr); "" when no shell could be run
// (not under Wine).
inline std::wstring WindowsPath(const std::string& unix)
{
    std::wstring w = L"Z:" + std::wstring(unix.begin(), unix.end());
    for (wchar_t& c : w)
        if (c == L'/')
            c = L'\\';
    return w;
}

inline std::string Run(const std::string& command)
{
    // Wine does not wait for a Unix program: its output is moved into place
    // when complete, and waited for.
    const std::string out = "/tmp/tarnel-unix-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::wstring result = WindowsPath(out);
    DeleteFileW(result.c_str());
    const std::string line = "/bin/sh -c \"(" + command + ") > " + out + ".part 2>&1; mv " + out + ".part " + out + "\"";
    std::wstring cmd(line.begin(), line.end());
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"/bin/sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return "";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && GetFileAttributesW(result.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    std::string text = ReadBytes(result);
    DeleteFileW(result.c_str());
    return text;
}

// A fresh folder under /tmp: its Windows path; unix receives its Linux one.
inline std::wstring Folder(const std::string& name, std::string& unix)
{
    unix = "/tmp/tarnel-" + name + "-" + std::to_string(GetCurrentProcessId());
    Run("rm -rf " + unix + " && mkdir -p " + unix);
    return WindowsPath(unix);
}

} // namespace unixside
