// bench_startup: starts TARNEL.exe and a minimal window program and
// measures the time until each one's main window accepts input (shown with
// its final caption and answering messages), for TARNEL with no file and
// with a generated 10,000-line HTML page on the command line, which must be
// coloured by then. TARNEL runs from a program folder of its own beside the
// benchmark, so its settings file is not the build's.
//
//   bench_startup [runs] [nofile]   (default 5 runs; the median of the runs is
//                                    shown; nofile leaves out the long page)
#include <windows.h>

#include "bench/BenchTools.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD pid;
    std::wstring caption;
    HWND hwnd;
};

BOOL CALLBACK FindByCaption(HWND w, LPARAM lp)
{
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != f->pid || !IsWindowVisible(w))
        return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    if (f->caption == text) {
        f->hwnd = w;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from the start of exe until a visible window of it has the
// caption and answers a message; -1 when that did not happen in 60 s.
double TimeStart(const std::wstring& exe, const std::wstring& args, const std::wstring& caption, HWND* window)
{
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const double t0 = bench::Now();
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    Found f{pi.dwProcessId, caption, nullptr};
    for (int i = 0; i < 60000; ++i) {
        EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&f));
        DWORD_PTR r = 0;
        if (f.hwnd && SendMessageTimeoutW(f.hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 60000, &r))
            break;
        f.hwnd = nullptr;
        Sleep(1);
    }
    const double t1 = bench::Now();
    *window = f.hwnd;
    // Closed again: WM_CLOSE, as the close box does (nothing is unsaved).
    if (f.hwnd)
        PostMessageW(f.hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    if (!f.hwnd)
        return -1;
    return t1 - t0;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const bool withPage = !(argc > 2 && std::wstring(argv[2]) == L"nofile");
    const std::wstring minimalExe = bench::BinFolder() + L"\\bench\\minimal_window.exe";
    const std::wstring dir = bench::TarnelCopy(L"startup_run");
    const std::wstring tarnel = dir + L"\\TARNEL.exe";
    const std::wstring page = dir + L"\\bench10000.html";
    if (!platform::WriteFileSafely(page, bench::LongPage(10000, bench::PageKind::Dense))) {
        std::printf("cannot write the page\n");
        return 1;
    }

    std::vector<double> minimal, empty, big;
    HWND w = nullptr;
    // One start of each first, so the files are in the cache for every run.
    TimeStart(minimalExe, L"", L"Minimal window", &w);
    TimeStart(tarnel, L"", L"TARNEL Editor - HTML - Untitled", &w);
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(TimeStart(minimalExe, L"", L"Minimal window", &w));
        empty.push_back(TimeStart(tarnel, L"", L"TARNEL Editor - HTML - Untitled", &w));
        if (withPage)
            big.push_back(TimeStart(tarnel, L"\"" + page + L"\"", L"TARNEL Editor - HTML - " + page, &w));
    }
    const double m = Median(minimal), e = Median(empty), b = Median(big);
    std::printf("runs: %d (medians)\n", runs);
    std::printf("minimal window program:            %8.0f ms\n", m);
    std::printf("TARNEL, no file:                   %8.0f ms  (%.2f x the minimal program; target at most 2)\n",
                e, m > 0 ? e / m : 0.0);
    if (withPage)
        std::printf("TARNEL, 10,000-line page coloured: %8.0f ms  (target at most 3000)\n", b);
    return 0;
}
