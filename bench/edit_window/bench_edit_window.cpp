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
#include "bench/WindowBench.h"
#include "platform/Files.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using bench::Editor;
using bench::Key;
using bench::Send;

std::wstring Text(HWND re)
{
    LRESULT n = Send(re, WM_GETTEXTLENGTH);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(re, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(wcslen(buf.c_str()));
    return buf;
}

long LineStart(HWND re, long line) { return static_cast<long>(Send(re, EM_LINEINDEX, line)); }

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

    wt::Process p;
    HWND main = bench::StartOn(p, dir, page);
    HWND re = main ? Editor(main) : nullptr;
    if (!re) {
        std::printf("no editor window\n");
        return 1;
    }
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
    p.Kill();
    return 0;
}
