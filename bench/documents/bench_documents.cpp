// bench_documents: times, in the real TARNEL.exe, of opening a generated
// 10,000-line HTML page (the load and its colouring, as a dropped file goes
// through LoadDocument), saving it, and switching between two such pages by
// their tabs; then of opening pages written as real manuals are (long lines,
// nested tables, inline styles and scripts, entities), with Windows and with
// Unix line breaks, and a 5 MB one of 52,763 lines, in which one typed
// letter is undone; then of a page of about 1 MB written on one line, as
// generated and minified pages are. TARNEL runs from a program folder of its own beside the
// benchmark; each step is sent to its window and timed until it returns,
// and each opened page is looked at to see that it shows coloured.
//
//   bench_documents [lines]      (default 10000)
#include "MenuIds.h"
#include "Drawn.h"
#include "WindowTest.h"
#include "bench/BenchTools.h"
#include "bench/WindowBench.h"
#include "platform/Files.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Editor;
using bench::Key;

// Sends a message and returns the milliseconds until it came back.
double Timed(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    double t0 = bench::Now();
    wt::Send(w, msg, wp, lp, 120000);
    return bench::Now() - t0;
}

// Drops the file on the editor and returns the milliseconds until the
// program shows it as the current document and answers again.
double TimedOpen(HWND main, const wt::Process& p, const std::wstring& file)
{
    const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    double t0 = bench::Now();
    wt::DropFiles(p, Editor(main), {file});
    wt::WaitFor([&] {
        std::wstring c = wt::WindowText(main);
        return c.size() >= name.size() && c.compare(c.size() - name.size(), name.size(), name) == 0;
    }, 120000);
    wt::Send(main, WM_NULL, 0, 0, 120000);
    return bench::Now() - t0;
}

// True when the editor shows coloured text: pixels that are neither grey
// nor the white of the page.
bool ShowsColour(HWND main)
{
    HWND re = Editor(main);
    const std::wstring shot = bench::BinFolder() + L"\\bench\\documents_run\\shown.bmp";
    wt::Screenshot seen;
    return re && wt::ScreenshotShowing(shot, re, seen, [](const wt::Screenshot& s) {
        int coloured = 0;
        for (COLORREF c : s.pixels) {
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            coloured += std::max({r, g, b}) - std::min({r, g, b}) > 80;
        }
        return coloured > 50;
    }, 2000);
}

// Opens the file as TimedOpen does and prints the figure, whether the page
// shows coloured, and the target.
double ReportOpen(HWND main, const wt::Process& p, const std::wstring& file, const char* what, double target)
{
    const double ms = TimedOpen(main, p, file);
    std::printf("%-52s %6.0f ms  %s (target under %.0f)\n", what, ms,
                ShowsColour(main) ? "coloured" : "NOT COLOURED", target);
    return ms;
}

long TextLength(HWND main) { return static_cast<long>(wt::Send(Editor(main), WM_GETTEXTLENGTH, 0, 0, 120000)); }

// A letter typed in the middle of the page (and the line left, so that the
// letter is coloured, when leave), then Undo: the milliseconds the Undo
// took, or -1 when it did not take the letter back.
double TypedLetterUndone(HWND main, bool leave)
{
    HWND re = Editor(main);
    const long before = TextLength(main);
    const long line = static_cast<long>(wt::Send(re, EM_GETLINECOUNT, 0, 0, 120000)) / 2;
    const long at = static_cast<long>(wt::Send(re, EM_LINEINDEX, line, 0, 120000)) + 3;
    wt::Send(re, EM_SETSEL, at, at, 120000);
    Key(re, 'X', L'x');
    if (leave)
        Key(re, VK_DOWN, 0);
    if (TextLength(main) != before + 1)
        return -1;
    const double ms = Timed(main, WM_COMMAND, MAKEWPARAM(IDM_mUndo, 0), 0);
    return TextLength(main) == before ? ms : -1;
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
    double open1 = TimedOpen(main, p, page1);
    std::printf("open and colour page 1 (LoadDocument): %.0f ms (target under 3000)\n", open1);
    double open2 = TimedOpen(main, p, page2);
    std::printf("open and colour page 2 beside it: %.0f ms\n", open2);
    double save = Timed(main, WM_COMMAND, MAKEWPARAM(IDM_mSavePlain, 0), 0);
    std::printf("save page 2: %.0f ms (target under 500)\n", save);

    // The tabs are drawn by their strip, so a click goes to the strip at the tab.
    const wt::Drawn tab1 = wt::FindDrawn(main, L"page1.html"), tab2 = wt::FindDrawn(main, L"page2.html");
    auto timedClick = [](const wt::Drawn& tab) {
        POINT at{tab.screen.left + 5, tab.screen.top + 5};
        ScreenToClient(tab.container, &at);
        wt::Send(tab.container, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        return Timed(tab.container, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    };
    if (!tab1 || !tab2)
        std::printf("tab switch: the tabs were not found\n");
    for (int i = 0; i < 2 && tab1 && tab2; ++i) {
        double to1 = timedClick(tab1);
        double to2 = timedClick(tab2);
        std::printf("tab switch to page 1: %.0f ms, back to page 2: %.0f ms (target under 300)\n", to1, to2);
    }

    // Pages as real manuals are written, opened beside the others.
    const std::wstring manual = folder + L"\\manual.html", manualUnix = folder + L"\\manual-unix.html",
                       big = folder + L"\\big.html";
    const std::string manualPage = bench::ManualPage(10000), bigPage = bench::ManualPage(52763, "\n");
    if (platform::WriteFileSafely(manual, manualPage) &&
        platform::WriteFileSafely(manualUnix, bench::ManualPage(10000, "\n")) &&
        platform::WriteFileSafely(big, bigPage)) {
        std::printf("manual pages: 10,000 lines (%.0f KB), 52,763 lines (%.1f MB)\n", manualPage.size() / 1024.0,
                    bigPage.size() / 1048576.0);
        ReportOpen(main, p, manual, "open and colour a manual page (CR LF)", 3000);
        ReportOpen(main, p, manualUnix, "open and colour a manual page (LF)", 3000);
        ReportOpen(main, p, big, "open and colour a 5 MB manual page (LF)", 10000);
        for (bool leave : {false, true}) {
            const char* what = leave ? "undo of a letter typed, its line left (5 MB page)"
                                     : "undo of one typed letter in the 5 MB page";
            const double undo = TypedLetterUndone(main, leave);
            if (undo < 0)
                std::printf("%-52s %9s\n", what, "NOT UNDONE");
            else
                std::printf("%-52s %6.0f ms  (target under 1000)\n", what, undo);
        }
    }

    // The manual page with no line breaks at all, cut at about 1 MB.
    const std::wstring oneLine = folder + L"\\one-line.html";
    std::string onePage = bench::ManualPage(10000, "");
    onePage.resize(std::min<size_t>(onePage.size(), 1024 * 1024));
    if (platform::WriteFileSafely(oneLine, onePage))
        ReportOpen(main, p, oneLine, "open and colour a 1 MB page on one line", 2000);

    bench::ExitWithoutSaving(p, main);
    return 0;
}
