// Times of the object browser: opening the window and listing every
// registered class, showing the properties of a class with a large type
// library (the scripting runtime's FileSystemObject, members coloured), and
// Find in the list (a match far down the list, then the wrap to "not found").
// Each is run a few times; the first scan reads the registry cold. With a
// number of extra classes, that many more are registered for the run (each
// served by kernel32.dll) and removed again, for the scan of a long list.
// Usage: bench_object_browser [rounds] [extra classes]
#include "BenchTools.h"
#include "browser/ModOrmund.h"
#include "browser/fClas.h"
#include "platform/Messages.h"

#include <cstdio>
#include <cwchar>
#include <string>

#include <windows.h>

namespace {

// The extra classes' CLSIDs: {7A3E9xxx-...}, which nothing else uses.
std::wstring ExtraClsid(int i)
{
    wchar_t text[64];
    std::swprintf(text, 64, L"CLSID\\{7A3E9%03X-51C2-4B8D-9A11-%012d}", i / 4096, i);
    return text;
}

void RemoveExtraClasses(int count)
{
    for (int i = 0; i < count; ++i)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, ExtraClsid(i).c_str());
}

void RegisterExtraClasses(int count)
{
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring server = std::wstring(system) + L"\\kernel32.dll";
    for (int i = 0; i < count; ++i) {
        const std::wstring name = L"Bench Class " + std::to_wstring(i);
        const std::wstring progId = L"Bench.Class" + std::to_wstring(i);
        RegSetValueW(HKEY_CLASSES_ROOT, ExtraClsid(i).c_str(), REG_SZ, name.c_str(), 0);
        RegSetValueW(HKEY_CLASSES_ROOT, (ExtraClsid(i) + L"\\InprocServer32").c_str(), REG_SZ, server.c_str(), 0);
        RegSetValueW(HKEY_CLASSES_ROOT, (ExtraClsid(i) + L"\\ProgID").c_str(), REG_SZ, progId.c_str(), 0);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 3;
    const int extra = argc > 2 ? _wtoi(argv[2]) : 0;
    RemoveExtraClasses(extra);  // a run that was stopped midway
    RegisterExtraClasses(extra);
    platform::SetMessageInterceptor([](const std::wstring&, const std::wstring&, UINT) { return IDOK; });
    for (int round = 0; round < rounds; ++round) {
        fClas& f = ObjectBrowserForm();
        double t0 = bench::Now();
        f.Show();
        double opened = bench::Now();
        f.bListCls.Click();
        double t1 = bench::Now();
        // The registry's part of the scan, read once more on its own.
        double scan0 = bench::Now();
        const size_t scanned = ModOrmund::ListClasses().size();
        double scan1 = bench::Now();

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

        std::printf("round %d: open and scan %d classes %.0f ms (window %.0f ms; registry scan alone %zu classes "
                    "%.0f ms); properties (%d classes, %ld characters shown) %.0f ms; "
                    "find %.1f ms, not found %.1f ms\n",
                    round + 1, f.boxR(1).ListCount(), t1 - t0, opened - t0, scanned, scan1 - scan0, entries, shown, t3 - t2,
                    t5 - t4, t7 - t6);
        UnloadObjectBrowserForm();
    }
    platform::SetMessageInterceptor(nullptr);
    RemoveExtraClasses(extra);
    return 0;
}
