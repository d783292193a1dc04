// bench_edit_window: starts TARNEL.exe with a generated 10,000-line page
// that has a self-closing tag on most lines and times, through window
// messages sent from outside (each returns when the program has done the
// work): a key typed in the middle of a line and the line left afterwards,
// Comment and Uncomment over 1,000 selected lines (script commands: the
// window is in VBScript mode for them), the switch back to HTML mode with
// the view in the middle of the page, UPPERCASE HTML Tags over the page,
// and a comment opened at line 5,000, which recolours the rest of the page,
// with its undo checked. Each step says what it changed, so a figure is
// never that of a command that did nothing.
//
//   bench_edit_window [lines]      (default 10000)
#include "MenuIds.h"

#include <windows.h>

#include "bench/BenchTools.h"
#include "platform/Files.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Found {
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindMain(HWND w, LPARAM lp)
{
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    if (pid == f->pid && IsWindowVisible(w) && std::wstring(text).rfind(L"TARNEL Editor - HTML - ", 0) == 0 &&
        std::wstring(text).find(L".html") != std::wstring::npos) {
        f->hwnd = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindEditor(HWND w, LPARAM lp)
{
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (IsWindowVisible(w) && (lstrcmpiW(cls, L"RICHEDIT50W") == 0 || lstrcmpiW(cls, L"RichEdit20W") == 0)) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

HWND Editor(HWND main)
{
    HWND re = nullptr;
    EnumChildWindows(main, FindEditor, reinterpret_cast<LPARAM>(&re));
    return re;
}

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_NORMAL, 120000, &r);
    return static_cast<LRESULT>(r);
}

std::wstring Text(HWND re)
{
    LRESULT n = Send(re, WM_GETTEXTLENGTH);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(re, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    return buf;
}

long LineStart(HWND re, long line) { return static_cast<long>(Send(re, EM_LINEINDEX, line)); }

void Key(HWND re, WPARAM vk, wchar_t ch)
{
    Send(re, WM_KEYDOWN, vk, 1);
    if (ch)
        Send(re, WM_CHAR, ch, 1);
    Send(re, WM_KEYUP, vk, 0xC0000001);
}

void Report(const char* what, double ms, double target)
{
    std::printf("%-52s %8.0f ms  (target under %.0f)\n", what, ms, target);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? std::max(100, _wtoi(argv[1])) : 10000;
    const std::wstring dir = bench::TarnelCopy(L"edit_window_run");
    const std::wstring page = dir + L"\\page.html";
    if (!platform::WriteFileSafely(page, bench::LongPage(lines, bench::PageKind::SelfClosing))) {
        std::printf("cannot write the page\n");
        return 1;
    }

    std::wstring cmd = L"\"" + dir + L"\\TARNEL.exe\" " + page;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        std::printf("TARNEL did not start\n");
        return 1;
    }
    CloseHandle(pi.hThread);
    Found found{pi.dwProcessId, nullptr};
    for (int i = 0; i < 600 && !found.hwnd; ++i) {
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
        Sleep(100);
    }
    HWND main = found.hwnd;
    HWND re = main ? Editor(main) : nullptr;
    if (!re) {
        std::printf("no editor window\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    Send(main, WM_NULL);
    std::printf("page: %d lines, self-closing tags on most lines\n", lines);

    // A key in the middle of line 5,000, then the caret leaves the line.
    const long mid = lines / 2 - 1;
    long at = LineStart(re, mid) + 6;
    Send(re, EM_SETSEL, at, at);
    double t0 = bench::Now();
    Key(re, 'X', L'x');
    Report("a key typed mid-line (key down to idle)", bench::Now() - t0, 50);
    t0 = bench::Now();
    Key(re, VK_DOWN, 0);
    std::printf("%-52s %8.0f ms\n", "the line left (recoloured by the typing glue)", bench::Now() - t0);

    // Comment and Uncomment over 1,000 selected lines, in VBScript mode.
    // A long recolouring may show the text in another RichEdit window: each
    // step asks for the shown one.
    t0 = bench::Now();
    Send(main, WM_COMMAND, IDM_mScrShow);
    std::printf("%-52s %8.0f ms\n", "VBScript mode switched on", bench::Now() - t0);
    re = Editor(main);
    const long length = static_cast<long>(Send(re, WM_GETTEXTLENGTH));
    Send(re, EM_SETSEL, LineStart(re, 2000), LineStart(re, 3000));
    t0 = bench::Now();
    Send(main, WM_COMMAND, IDM_mCom);
    Report("Comment over 1,000 selected lines", bench::Now() - t0, 1000);
    re = Editor(main);
    std::printf("%-52s %8ld\n", "  characters added", static_cast<long>(Send(re, WM_GETTEXTLENGTH)) - length);
    Send(re, EM_SETSEL, LineStart(re, 2000), LineStart(re, 3000));
    t0 = bench::Now();
    Send(main, WM_COMMAND, IDM_mUnCom);
    std::printf("%-52s %8.0f ms\n", "Uncomment over the same lines (recolours the page)", bench::Now() - t0);
    re = Editor(main);
    std::printf("%-52s %8ld\n", "  characters added, net", static_cast<long>(Send(re, WM_GETTEXTLENGTH)) - length);
    // Switched back with the view in the middle of the page and a selection.
    re = Editor(main);
    Send(re, EM_SETSEL, LineStart(re, 4000), LineStart(re, 4001));
    Send(re, EM_LINESCROLL, 0, 3990 - Send(re, EM_GETFIRSTVISIBLELINE));
    const LRESULT top = Send(re, EM_GETFIRSTVISIBLELINE);
    DWORD selStart = 0, selEnd = 0;
    Send(re, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    t0 = bench::Now();
    Send(main, WM_COMMAND, IDM_mWebBack);
    Report("HTML mode switched back on", bench::Now() - t0, 1000);
    re = Editor(main);
    DWORD nowStart = 0, nowEnd = 0;
    Send(re, EM_GETSEL, reinterpret_cast<WPARAM>(&nowStart), reinterpret_cast<LPARAM>(&nowEnd));
    std::printf("%-52s %8s\n", "  view and selection kept",
                Send(re, EM_GETFIRSTVISIBLELINE) == top && nowStart == selStart && nowEnd == selEnd ? "yes" : "NO");

    re = Editor(main);
    const std::wstring lower = Text(re);
    t0 = bench::Now();
    Send(main, WM_COMMAND, IDM_mUpHTML);
    Report("UPPERCASE HTML Tags over the whole page", bench::Now() - t0, 3000);
    std::printf("%-52s %8s\n", "  the text changed", Text(Editor(main)) != lower ? "yes" : "NO");

    // A comment opened at line 5,000: the rest of the page turns into it.
    re = Editor(main);
    at = LineStart(re, mid);
    Send(re, EM_SETSEL, at, at);
    const std::wstring before = Text(re);
    t0 = bench::Now();
    for (wchar_t c : std::wstring(L"<!--"))
        Send(re, WM_CHAR, c, 1);
    Key(re, VK_RETURN, L'\r');
    Report("\"<!--\" and Enter at line 5,000 (recolours the rest)", bench::Now() - t0, 1000);
    bool undone = false;
    t0 = bench::Now();
    for (int i = 0; i < 8 && !undone; ++i) {
        Send(main, WM_COMMAND, IDM_mUndo);
        undone = Text(Editor(main)) == before;
    }
    std::printf("%-52s %8.0f ms  (%s)\n", "undo back to the text before the comment", bench::Now() - t0,
                undone ? "undo kept" : "UNDO LOST");

    // Closed without saving.
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    return 0;
}
