// Times of the object browser: opening the window and listing every
// registered class, showing the properties of a class with a large type
// library (the scripting runtime's FileSystemObject, members coloured), and
// Find in the list (a match far down the list, then the wrap to "not found").
// Each is run a few times; the first scan reads the registry cold.
// Usage: bench_object_browser [rounds]
#include "BenchTools.h"
#include "browser/fClas.h"
#include "platform/Messages.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 3;
    platform::SetMessageInterceptor([](const std::wstring&, const std::wstring&, UINT) { return IDOK; });
    for (int round = 0; round < rounds; ++round) {
        fClas& f = ObjectBrowserForm();
        double t0 = bench::Now();
        f.Show();
        f.bListCls.Click();
        double t1 = bench::Now();

        int row = f.boxR(0).FindItem(L"Scripting.FileSystemObject");
        f.boxR(1).SetListIndex(row);
        double t2 = bench::Now();
        f.mProps.Click();
        double t3 = bench::Now();
        int entries = f.TLBProps.ClsBoxJ.List.Count();
        long shown = f.TLBProps.ClsT.LenText();
        f.bCloseProp.Click();

        f.OpFind(1).SetValue(true);
        f.tFind.SetText(f.boxR(1).List(f.boxR(1).ListCount() - 2));
        double t4 = bench::Now();
        f.bFind.Click();
        double t5 = bench::Now();
        f.tFind.SetText(L"no such class anywhere");
        double t6 = bench::Now();
        f.bFind.Click();
        double t7 = bench::Now();

        std::printf("round %d: open and scan %d classes %.0f ms; properties (%d classes, %ld characters shown) %.0f ms; "
                    "find %.1f ms, not found %.1f ms\n",
                    round + 1, f.boxR(1).ListCount(), t1 - t0, entries, shown, t3 - t2, t5 - t4, t7 - t6);
        UnloadObjectBrowserForm();
    }
    platform::SetMessageInterceptor(nullptr);
    return 0;
}
