// bench_documents: times, in the real TARNEL.exe, of opening a generated
// 10,000-line HTML page (the load and its colouring, as a dropped file goes
// through LoadDocument), saving it, and switching between two such pages by
// their tabs. TARNEL runs from a program folder of its own beside the
// benchmark; each step is sent to its window and timed until it returns.
//
//   bench_documents [lines]      (default 10000)
#include "MenuIds.h"
#include "WindowTest.h"
#include "bench/BenchTools.h"
#include "platform/Files.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A DROPFILES block for one file, placed in the program's memory.
WPARAM RemoteDrop(DWORD pid, const std::wstring& file)
{
    std::wstring list = file + L'\0' + L'\0';
    std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* df = reinterpret_cast<DROPFILES*>(block.data());
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!proc)
        return 0;
    void* mem = VirtualAllocEx(proc, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (mem)
        WriteProcessMemory(proc, mem, block.data(), block.size(), nullptr);
    CloseHandle(proc);
    return reinterpret_cast<WPARAM>(mem);
}

HWND Editor(HWND main)
{
    for (HWND w : wt::Children(main))
        if (IsWindowVisible(w) && (lstrcmpiW(wt::ClassName(w).c_str(), L"RICHEDIT50W") == 0 ||
                                   lstrcmpiW(wt::ClassName(w).c_str(), L"RichEdit20W") == 0))
            return w;
    return nullptr;
}

// Sends a message and returns the milliseconds until it came back.
double Timed(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    double t0 = bench::Now();
    wt::Send(w, msg, wp, lp, 120000);
    return bench::Now() - t0;
}

// Drops the file on the editor and returns the milliseconds until the
// program shows it as the current document and answers again.
double TimedOpen(HWND main, DWORD pid, const std::wstring& file)
{
    const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    double t0 = bench::Now();
    PostMessageW(Editor(main), WM_DROPFILES, RemoteDrop(pid, file), 0);
    wt::WaitFor([&] {
        std::wstring c = wt::WindowText(main);
        return c.size() >= name.size() && c.compare(c.size() - name.size(), name.size(), name) == 0;
    }, 120000);
    wt::Send(main, WM_NULL, 0, 0, 120000);
    return bench::Now() - t0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? _wtoi(argv[1]) : 10000;
    const std::wstring folder = bench::TarnelCopy(L"documents_run");
    const std::wstring page1 = folder + L"\\page1.html", page2 = folder + L"\\page2.html";
    if (!platform::WriteFileSafely(page1, bench::LongPage(lines, bench::PageKind::Mixed, "Page 1")) ||
        !platform::WriteFileSafely(page2, bench::LongPage(lines, bench::PageKind::Mixed, "Page 2"))) {
        std::printf("cannot write the pages\n");
        return 1;
    }

    wt::Process p;
    if (!p.Start(folder + L"\\TARNEL.exe", L"", folder)) {
        std::printf("TARNEL did not start\n");
        return 1;
    }
    HWND main = nullptr;
    wt::WaitFor([&] {
        for (HWND w : p.TopWindows())
            if (wt::WindowText(w) == L"TARNEL Editor - HTML - Untitled")
                main = w;
        return main != nullptr;
    }, 30000);
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    wt::Send(main, WM_NULL, 0, 0, 30000);   // start-up has ended
    Sleep(500);
    std::printf("page: %d lines of HTML\n", lines);
    double open1 = TimedOpen(main, p.Pid(), page1);
    std::printf("open and colour page 1 (LoadDocument): %.0f ms (target under 3000)\n", open1);
    double open2 = TimedOpen(main, p.Pid(), page2);
    std::printf("open and colour page 2 beside it: %.0f ms\n", open2);
    double save = Timed(main, WM_COMMAND, MAKEWPARAM(IDM_mSavePlain, 0), 0);
    std::printf("save page 2: %.0f ms (target under 500)\n", save);

    HWND tab1 = wt::FindChild(main, L"", L"page1.html"), tab2 = wt::FindChild(main, L"", L"page2.html");
    for (int i = 0; i < 2 && tab1 && tab2; ++i) {
        wt::Send(tab1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        double to1 = Timed(tab1, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        wt::Send(tab2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        double to2 = Timed(tab2, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        std::printf("tab switch to page 1: %.0f ms, back to page 2: %.0f ms (target under 300)\n", to1, to2);
    }

    wt::PostCommand(main, IDM_mExit);
    for (int i = 0; i < 3 && p.WaitExit(3000) == -1; ++i) {
        wt::Dialog d = wt::FindDialog(p, 1000);
        if (d.hwnd)
            wt::PressButton(d.hwnd, IDNO);
    }
    if (p.Running())
        p.Kill();
    return 0;
}
