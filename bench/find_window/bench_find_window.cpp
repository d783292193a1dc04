// bench_find_window: starts TARNEL.exe on a generated 10,000-line coloured
// page with 1,000 lines holding "needle", and times what the user waits for
// in the find window: opening and closing it (the editor makes room for it
// and takes the room back), the search as the field fills, Find next from
// hit to hit, and Replace all of the 1,000 hits, the first time in the
// session and again. Each step is driven from outside as a user drives it
// (the menu command, clicks on the window's buttons) and ends when the
// program has done the work.
//
//   bench_find_window [lines]      (default 10000)
#include "MenuIds.h"

#include <windows.h>

#include "bench/BenchTools.h"
#include "bench/WindowBench.h"
#include "platform/Files.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Send;

void Report(const char* what, double ms, double target)
{
    std::printf("%-52s %8.1f ms  (target under %.0f)\n", what, ms, target);
}

std::string Page(int lines)
{
    std::string page = "<html><head><title>Find</title></head><body>\r\n";
    for (int n = 1; n < lines; ++n) {
        const std::string k = std::to_string(n);
        page += "<p class=\"line\">Line " + k + " with <b>bold</b>, <a href=\"page.htm\">a link</a> &amp; "
                "<!-- a note --> text";
        if (n % 10 == 0)
            page += " <i>needle</i>";
        page += "</p>\r\n";
    }
    return page + "</body></html>\r\n";
}

// The find window's fields and its buttons from left to right (find next,
// find previous, replace, replace all, close).
struct FindPanel {
    HWND hwnd = nullptr;
    HWND field = nullptr, replacement = nullptr;
    std::vector<HWND> buttons;

    bool Read(wt::Process& p)
    {
        hwnd = p.FindTopWindow(L"", L"Find and Replace", 10000);
        if (!hwnd)
            return false;
        std::vector<HWND> edits;
        wt::FieldsAndImageButtons(hwnd, edits, buttons);
        if (edits.size() != 2 || buttons.size() < 5)
            return false;
        field = edits[0];
        replacement = edits[1];
        return true;
    }
    // A click that returns once its handler has run.
    void Click(int index) const
    {
        Send(buttons[index], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        Send(buttons[index], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

DWORD Selection(HWND main) { return static_cast<DWORD>(Send(bench::Editor(main), EM_GETSEL)); }

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? std::max(100, _wtoi(argv[1])) : 10000;
    const std::wstring dir = bench::TarnelCopy(L"find_window_run");
    const std::wstring page = dir + L"\\page.html";
    if (!platform::WriteFileSafely(page, Page(lines))) {
        std::printf("cannot write the page\n");
        return 1;
    }
    wt::Process p;
    HWND main = bench::StartOn(p, dir, page);
    if (!main) {
        std::printf("no editor window\n");
        return 1;
    }
    std::printf("page: %d coloured lines, \"needle\" on every tenth\n", lines);

    // Open and close, three times: the editor gives up its bottom strip and
    // takes it back each time.
    FindPanel f;
    for (int i = 0; i < 3; ++i) {
        double t0 = bench::Now();
        Send(main, WM_COMMAND, IDM_mFind);
        const double open = bench::Now() - t0;
        if (i == 0 && !f.Read(p)) {
            std::printf("no find window\n");
            p.Kill();
            return 1;
        }
        Report("find window opened", open, 300);
        t0 = bench::Now();
        f.Click(4);
        Send(main, WM_NULL);
        Report("find window closed", bench::Now() - t0, 300);
    }

    Send(main, WM_COMMAND, IDM_mFind);
    Send(bench::Editor(main), EM_SETSEL, 0, 0);
    double t0 = bench::Now();
    Send(f.field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"needle"));
    std::printf("%-52s %8.1f ms\n", "\"needle\" in the field (found from the top)", bench::Now() - t0);
    const int kHits = 100;
    const DWORD first = Selection(main);
    t0 = bench::Now();
    for (int i = 0; i < kHits; ++i)
        f.Click(0);
    const double next = (bench::Now() - t0) / kHits;
    const bool moved = Selection(main) != first;
    Report("Find next, a hit", next, 20);
    std::printf("%-52s %8s\n", "  the selection moved on", moved ? "yes" : "NO");

    // Replace all: the click returns when the count shows.
    auto replaceAll = [&](const wchar_t* what, const wchar_t* with, const char* label) {
        Send(f.field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(what));
        Send(f.replacement, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with));
        const double start = bench::Now();
        PostMessageW(f.buttons[3], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(f.buttons[3], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        wt::Dialog d;
        wt::WaitFor([&] { return (d = wt::FindDialog(p, 50)).hwnd != nullptr; }, 120000);
        Report(label, bench::Now() - start, 1000);
        std::printf("%-52s %8s\n", "  the count shown", d.hwnd ? std::string(d.text.begin(), d.text.end()).c_str()
                                                                : "NONE");
        if (d.hwnd)
            wt::PressButton(d.hwnd, IDOK);
        wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 10000);
    };
    replaceAll(L"needle", L"pin", "Replace all of 1,000 hits, first in the session");
    replaceAll(L"pin", L"needle", "Replace all of 1,000 hits, again");
    t0 = bench::Now();
    f.Click(4);
    Send(main, WM_NULL);
    std::printf("%-52s %8.1f ms\n", "find window closed after the replacements", bench::Now() - t0);

    p.Kill();
    return 0;
}
