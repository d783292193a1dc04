// bench_preview: times, in the real TARNEL.exe, of previewing a generated
// 10,000-line HTML page (from the click on "View webpage." until the page is
// laid out and painted in the preview window) and of the way back to the
// editor (until the main window shows and answers).
//
//   bench_preview [lines]      (default 10000)
#include "MenuIds.h"
#include "WindowTest.h"
#include "bench/BenchTools.h"
#include "bench/WindowBench.h"
#include "platform/Files.h"
#include "forms/Menu.h"
#include "preview/BrowserMenuIds.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const UINT kMenuState = RegisterWindowMessageW(forms::kMenuStateMessage);

HWND Browser(wt::Process& p, HWND main)
{
    for (HWND w : p.TopWindows())
        if (w != main && wt::FindChild(w, L"TarnelPageView"))
            return w;
    return nullptr;
}

// The page has arrived (its title item shows) and nothing of it waits to be painted.
bool Painted(HWND browser)
{
    HWND view = wt::FindChild(browser, L"TarnelPageView");
    return view && (wt::Send(browser, kMenuState, BrowserMenu::IDM_mtitle, 0, 60000) & 1) &&
           !GetUpdateRect(view, nullptr, FALSE) && !GetUpdateRect(browser, nullptr, FALSE);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? _wtoi(argv[1]) : 10000;
    const std::wstring folder = bench::TarnelCopy(L"preview_run");
    const std::wstring page = folder + L"\\page.html";
    if (!platform::WriteFileSafely(page, bench::LongPage(lines, bench::PageKind::Mixed, "Preview"))) {
        std::printf("cannot write the page\n");
        return 1;
    }
    wt::Process p;
    HWND main = bench::StartOn(p, folder, page);
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    Sleep(1000);
    std::printf("page: %d lines of HTML\n", lines);
    for (int round = 0; round < 3; ++round) {
        const wt::Drawn button = wt::FindDrawn(main, L"View webpage.");
        double t0 = bench::Now();
        wt::Click(button);
        HWND browser = nullptr;
        bool shown = wt::WaitFor([&] {
            browser = browser ? browser : Browser(p, main);
            return browser && IsWindowVisible(browser) && Painted(browser);
        }, 60000);
        double preview = bench::Now() - t0;
        if (!shown) {
            std::printf("the preview did not show\n");
            break;
        }
        Sleep(300);
        t0 = bench::Now();
        wt::PostCommand(browser, BrowserMenu::IDM_mtextview);
        wt::WaitFor([&] { return IsWindowVisible(main) && !IsWindowVisible(browser); }, 60000);
        wt::Send(main, WM_NULL, 0, 0, 60000);
        double back = bench::Now() - t0;
        std::printf("preview %d: %.0f ms (target under 1000); back to the editor: %.0f ms (target under 300)\n",
                    round + 1, preview, back);
        Sleep(300);
    }
    bench::ExitWithoutSaving(p, main);
    return 0;
}
