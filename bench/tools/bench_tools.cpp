// bench_tools: times, on the real TARNEL.exe driven from outside,
// - printing a generated 10,000-line page to the PDF printer: from the print
//   button to the finished PDF (its last page read back);
// - View Image of a 4000 x 3000 PNG: from the open dialog's OK to the shown
//   viewer; and the decode alone, in this process.
//
//   bench_tools [lines]      (default 10000)
#include "Drive.h"
#include "ImageSamples.h"
#include "MenuIds.h"
#include "PrintedPdf.h"
#include "ToolDrive.h"
#include "bench/BenchTools.h"
#include "images/ImageFile.h"

#include <cstdio>
#include <string>

using namespace tooldrive;

namespace {

void PrintBench(apptest::Tarnel& t, int lines)
{
    const std::wstring doc = t.Folder() + L"\\long.html";
    drive::WriteAll(doc, bench::LongPage(lines, bench::PageKind::Dense));
    if (!t.Start(doc))
        return;
    t.Command(IDM_mPrint);
    HWND w = Shown(t, L"Print Editor Text");
    std::vector<HWND> edits = w ? ChildrenOf(w, L"Edit") : std::vector<HWND>{};
    std::vector<HWND> buttons = w ? ChildrenOf(w, L"ButSilver2") : std::vector<HWND>{};
    if (edits.size() != 1 || buttons.size() != 3) {
        printf("print: no print window\n");
        return;
    }
    const std::wstring title = printed::UniqueTitle(L"Bench");
    drive::SetText(edits[0], title);
    wt::Send(wt::FindChild(w, L"Button", L"Print page numbers."), BM_CLICK);
    const double start = bench::Now();
    Press(buttons[0]);
    const bool finished = printed::Finished(title, 120000);
    const double pdf = bench::Now();
    std::vector<std::wstring> pages = printed::Pages(title, 1000);
    const bool whole = !pages.empty() && pages.back().find(L"Line " + std::to_wstring(lines - 1) + L" ") != std::wstring::npos;
    printf("print %d lines: %s in %.0f ms, %zu pages%s\n", lines, finished ? "PDF finished" : "no PDF", pdf - start,
           pages.size(), whole ? ", last line on the last page" : ", LAST LINE MISSING");
    drive::ExitWithoutSaving(t);
}

void ImageBench(apptest::Tarnel& t)
{
    const std::wstring path = t.Folder() + L"\\large.png";
    WriteBytes(path, samples::MakeImage(L"PNG", 4000, 3000, RGB(40, 90, 200), RGB(0, 0, 0)));
    double start = bench::Now();
    images::LoadedImage image;
    images::LoadResult result = images::LoadImageFile(path, L"PNG", 0xDDDDDD, image);
    printf("decode 4000x3000 PNG: %.0f ms (%s)\n", bench::Now() - start, result == images::LoadResult::Ok ? "ok" : "failed");
    if (!t.Start())
        return;
    t.Command(IDM_mSample);
    wt::Dialog d = wt::FindDialog(t.Process());
    if (!d.hwnd) {
        printf("view image: no open dialog\n");
        return;
    }
    HWND edit = GetDlgItem(d.hwnd, edt1) ? GetDlgItem(d.hwnd, edt1) : GetDlgItem(d.hwnd, cmb13);
    wt::WaitFor([&] {
        Sleep(100);
        drive::SetText(edit, path);
        Sleep(100);
        return wt::WindowText(edit) == path;
    }, 3000);
    start = bench::Now();
    wt::PressButton(d.hwnd, IDOK);
    HWND viewer = Shown(t, L"View Image - Note: Image has been cropped to fit screen.", 30000);
    printf("view 4000x3000 PNG: %s in %.0f ms\n", viewer ? "shown" : "NOT SHOWN", bench::Now() - start);
    drive::ExitWithoutSaving(t);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int lines = argc > 1 ? _wtoi(argv[1]) : 10000;
    {
        apptest::Tarnel t(L"bench_print");
        PrintBench(t, lines);
    }
    {
        apptest::Tarnel t(L"bench_image");
        ImageBench(t);
    }
    return 0;
}
