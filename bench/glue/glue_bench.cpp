// Times of the typing glue on a generated 10,000-line page in a KvRTB:
// one whole-text colouring, one line edit processed, one park and restore.
// Usage: glue_bench [lines] [noparking | cold]
#include "BenchSetup.h"
#include "ClsColor.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "RichEditStream.h"
#include "SettingsRecord.h"
#include "EditorGlue.h"
#include "color/KeywordLists.h"
#include "platform/Messages.h"
#include "forms/Form.h"

#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring Page(int lines) { return bench::EditorText(bench::LongPage(lines, bench::PageKind::Scripted)); }

} // namespace

int main(int argc, char** argv)
{
    int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    bench::fBench form(L"Glue benchmark");
    form.Show();
    HWND re = form.JT1.RTBhWnd();
    ClsColor colorer;
    bench::SetUpColorer(colorer);

    bench::WireEditor(form, colorer);
    EditorState& st = State();

    std::wstring page = Page(lines);
    form.JT1.SetText(page);
    long total = static_cast<long>(SendMessageW(re, EM_GETLINECOUNT, 0, 0));
    std::printf("page: %ld lines, %zu characters\n", total, page.size());

    double t0 = bench::Now();
    ColorOn();
    double t1 = bench::Now();
    re = st.EditorRichEditHandle();   // a long colouring builds the page in a new window
    std::printf("whole-text colouring (ColorOn): %.0f ms\n", t1 - t0);

    // One-line edits at line 5,000 (half way for other sizes); then the caret
    // leaves the line and the glue processes it.
    long line = lines >= 10000 ? 4999 : lines / 2;
    // With caretMoved the caret is on the next line before the glue runs, as
    // the line event after a Down key finds it; otherwise the glue moves it.
    auto edit = [&](long column, const wchar_t* typed, const char* what, bool caretMoved = false) {
        re = st.EditorRichEditHandle();   // a long recolour gives the editor a new window
        long start = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line, 0));
        CHARRANGE cr{start + column, start + column};
        SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        st.RememberedCaretLine = line;
        SendMessageW(re, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
        long caret = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line + 1, 0));
        if (caretMoved) {
            CHARRANGE next{caret, caret};
            SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&next));
        }
        long next = line + 1;
        bool afterEnter = false;
        double a0 = bench::Now();
        LockWindowUpdate(form.hwnd);  // the main window's line event locks it so
        ProcessEditedLine(caret, next, afterEnter);
        LockWindowUpdate(nullptr);
        double a1 = bench::Now();
        std::printf("ProcessEditedLine, line %ld, %s: %.0f ms\n", line + 1, what, a1 - a0);
    };
    edit(0, L"<b>new</b> ", "a tag typed");
    edit(0, L"x", "a letter typed");
    edit(0, L"<i>", "a tag typed, caret already on the next line", true);

    // Park and restore through the document slots, as the file tabs do: the
    // page takes slot 0; opening a short second page parks it; switching
    // back to its tab parks the short page and restores the long one.
    std::string mode = argc > 2 ? argv[2] : "";
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring parkFolder = std::wstring(tmp) + L"tarnel-glue-bench";
    if (mode != "noparking") {
        ClsFile files(std::vector<ExtEntry>{});
        files.TempFolder(parkFolder);
        files.CurrentFile(files.StoreFile(L"C:\\bench\\page.htm"));
        std::string before;
        RichEditStream::StreamOut(re, SF_RTF, before);
        double p0 = bench::Now();
        bool parked = files.ParkCurrent();
        double p1 = bench::Now();
        form.JT1.SetText(Page(100));
        ColorOn();
        files.CurrentFile(files.StoreFile(L"C:\\bench\\short.htm"));
        double r0 = bench::Now();
        bool restored = files.SwitchTo(0);
        double r1 = bench::Now();
        re = st.EditorRichEditHandle();
        std::string after;
        RichEditStream::StreamOut(re, SF_RTF, after);
        std::printf("park: %.0f ms, restore (tab switch back): %.0f ms, total %.0f ms; %s\n", p1 - p0, r1 - r0,
                    (p1 - p0) + (r1 - r0), parked && restored && before == after ? "document intact" : "FAILED");
        if (mode == "cold") {
            // The same restore when the page's own window is gone: read back
            // from its parked file.
            files.SwitchTo(1);
            for (HWND w = GetWindow(form.JT1.hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
                if (w != st.EditorRichEditHandle()) {
                    DestroyWindow(w);
                    break;
                }
            double c0 = bench::Now();
            restored = files.SwitchTo(0);
            double c1 = bench::Now();
            re = st.EditorRichEditHandle();
            RichEditStream::StreamOut(re, SF_RTF, after);
            std::printf("restore from the parked file: %.0f ms; %s\n", c1 - c0,
                        restored && before == after ? "document intact" : "FAILED");
        }
        files.RemoveFile(1);
        files.RemoveFile(0);
    }

    // The worst case: an edit that changes the colours of the rest of the page.
    edit(0, L"<!-- ", "a comment opened (recolours the rest)");
    edit(5, L" -->", "the comment closed (recolours the rest)");

    RemoveDirectoryW(parkFolder.c_str());
    return 0;
}
