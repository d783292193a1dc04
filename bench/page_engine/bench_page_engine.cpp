#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <random>
#include <string>

#include "../BenchTools.h"
#include "html/document/HtmlDocument.h"
#include "html/layout/PageLayout.h"
#include "html/paint/PagePainter.h"
#include "html/parse/TreeBuilder.h"
#include "html/style/StyleResolver.h"

namespace {

// About 1 MB and 20,000 elements: headed items with text, links and a small table each.
std::wstring GeneratedPage(int& elements)
{
    std::wstring page =
        L"<!DOCTYPE html><html><head><title>Generated</title><style>"
        L"body{font-family:Arial;margin:10px} .item{border:1px solid #ccc;padding:4px;margin:6px 0}"
        L".item h3{color:#336;margin:2px 0} table.t{border-collapse:collapse;width:100%}"
        L"table.t td{border:1px solid #999;padding:2px} .note{float:right;width:120px;background:#eef}"
        L"a:link{color:#00c} p b{color:#600}</style></head><body>";
    elements = 0;
    for (int n = 0; page.size() < 1000000; ++n) {
        std::wstring k = std::to_wstring(n);
        page += L"<div class=item id=i" + k + L"><h3>Item " + k + L"</h3>";
        if (n % 10 == 0)
            page += L"<div class=note>Note " + k + L"</div>", ++elements;
        page += L"<p>Text of item " + k + L" with <b>bold words</b> and <a href='#i" + k +
                L"'>a link</a>, then some more words to fill a line or two of text.</p>"
                L"<table class=t><tr><td>cell</td><td>" + k + L"</td><td>more text</td></tr>"
                L"<tr><td colspan=2>wide cell</td><td>end</td></tr></table></div>\n";
        elements += 14;
    }
    return page + L"</body></html>";
}

double WorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize / (1024.0 * 1024.0);
}

} // namespace

int main()
{
    int elements = 0;
    std::wstring text = GeneratedPage(elements);
    printf("page: %zu characters, %d elements\n", text.size(), elements);
    double before = WorkingSetMb();

    const int runs = 3;
    double parseMs = 1e9, styleMs = 1e9, layoutMs = 1e9, totalMs = 1e9;
    for (int r = 0; r < runs; ++r) {
        html::FontCache fonts;
        double t0 = bench::Now();
        html::ParsedPage page = html::ParsePage(text);
        double t1 = bench::Now();
        html::StyledPage styles = html::ResolveStyles(page, html::StyleOptions());
        double t2 = bench::Now();
        html::LayoutInput in{page, styles, fonts, nullptr, 1000, 700};
        html::PageLayout layout = html::LayoutPage(in);
        double t3 = bench::Now();
        parseMs = std::min(parseMs, t1 - t0);
        styleMs = std::min(styleMs, t2 - t1);
        layoutMs = std::min(layoutMs, t3 - t2);
        totalMs = std::min(totalMs, t3 - t0);
        if (r == 0)
            printf("document %d x %d pixels, %zu display items\n", layout.width, layout.height, layout.items.size());
    }
    printf("parse %.1f ms, style %.1f ms, layout %.1f ms, all three %.1f ms (target: under 300 ms)\n", parseMs,
           styleMs, layoutMs, totalMs);

    html::HtmlDocument doc;
    doc.LoadText(text, L"C:\\bench\\page.html");
    doc.Layout(1000, 700);
    printf("memory for the page: %.1f MB (target: under 50 MB)\n", WorkingSetMb() - before);

    // A screen repainted after a scroll, into the view's off-screen bitmap.
    HBITMAP surface = html::CreateSurface(1000, 700, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface);
    html::PaintContext ctx{doc.Page(), doc.Styles(), doc.Boxes(), doc.Fonts(), doc.Images()};
    const int repaints = 50;
    double worst = 0, sum = 0;
    for (int i = 0; i < repaints; ++i) {
        int y = (doc.Boxes().height - 700) * i / repaints;
        double t0 = bench::Now();
        html::PaintPage(dc, ctx, html::Rect{0, y, 1000, 700});
        GdiFlush();
        double t = bench::Now() - t0;
        worst = std::max(worst, t);
        sum += t;
    }
    printf("scroll repaint of a 1000x700 screen: %.2f ms average, %.2f ms worst (target: under 16 ms)\n",
           sum / repaints, worst);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(surface);

    // Kept white space: a 5 MB <pre> of tabs, on one line and in lines of 80.
    for (int perLine : {0, 80}) {
        std::wstring pre = L"<!DOCTYPE html><pre>";
        for (size_t n = 0; pre.size() < 5000000; ++n)
            pre += (perLine && n % (perLine + 1) == size_t(perLine)) ? L'\n' : L'\t';
        pre += L"</pre>";
        double mb0 = WorkingSetMb();
        double t0 = bench::Now();
        html::HtmlDocument tabs;
        tabs.LoadText(pre, L"C:\\bench\\tabs.html");
        tabs.Layout(1000, 700);
        double ms = bench::Now() - t0;
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
        printf("5 MB <pre> of tabs%s: %.0f ms, %.1f MB for the page, peak %.1f MB (target: under 300 MB)\n",
               perLine ? " in lines of 80" : " on one line", ms, WorkingSetMb() - mb0,
               pmc.PeakWorkingSetSize / (1024.0 * 1024.0));
    }

    std::mt19937 rng(7);
    const int hits = 2000;
    double t0 = bench::Now();
    int found = 0;
    for (int i = 0; i < hits; ++i) {
        int x = static_cast<int>(rng() % 1000), y = static_cast<int>(rng() % doc.Boxes().height);
        found += doc.ElementFromPoint(x, y) ? 1 : 0;
    }
    double hitMs = (bench::Now() - t0) / hits;
    printf("hit test: %.3f ms each over %d points (target: under 1 ms)\n", hitMs, found);
    return 0;
}
