// Times of the typing glue on a generated 10,000-line page in a KvRTB:
// one whole-text colouring, one line edit processed, one park and restore.
// Usage: glue_bench [lines] [noparking]
#include "ClsColor.h"
#include "ClsFile.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "RichEditStream.h"
#include "SettingsRecord.h"
#include "TypingGlue.h"
#include "color/KeywordLists.h"
#include "forms/Form.h"

#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring Page(int lines)
{
    std::wstring t = L"<html><head><title>Benchmark page</title>\r<style>\r";
    int n = 2;
    for (int i = 0; i < 20; ++i, ++n)
        t += L"  .c" + std::to_wstring(i) + L" { color: #123456; margin: 0px; } /* note */\r";
    t += L"</style></head><body>\r";
    n += 1;
    while (n < lines - 2) {
        t += L"<SCRIPT language=vbscript>\r";
        ++n;
        for (int i = 0; i < 15 && n < lines - 2; ++i, ++n)
            t += L"  Dim x" + std::to_wstring(n) + L" : x" + std::to_wstring(n) + L" = \"text\" & Len(y) ' note\r";
        t += L"</SCRIPT>\r";
        ++n;
        for (int i = 0; i < 25 && n < lines - 2; ++i, ++n)
            t += L"<p class=\"c1\" id=\"p" + std::to_wstring(n) + L"\">Some <b>bold</b> text &amp; more</p>\r";
        t += L"<script type=\"text/javascript\">\r";
        ++n;
        for (int i = 0; i < 8 && n < lines - 2; ++i, ++n)
            t += L"  var a" + std::to_wstring(n) + L" = 'x'; // comment\r";
        t += L"</script>\r";
        ++n;
    }
    t += L"</body>\r</html>";
    return t;
}

class fBench : public forms::Form {
public:
    fBench()
    {
        SetCaption(L"Glue benchmark");
        SetClientSize(9000, 6000);
        JT1.Place(*this, 0, 0, 9000, 6000);
    }
    KvRTB JT1;
};

} // namespace

int main(int argc, char** argv)
{
    int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    fBench form;
    form.Show();
    HWND re = form.JT1.RTBhWnd();
    ClsColor colorer;
    std::vector<std::wstring> blocks;
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder = folder.substr(0, folder.find_last_of(L'\\'));          // bin\bench
    folder = folder.substr(0, folder.find_last_of(L'\\'));          // bin
    SetKeywordMessageHook([](const std::wstring& m) { std::printf("keyword lists: %ls\n", m.c_str()); });
    LoadKeywordLists(colorer, folder + L"\\Settings", blocks);
    colorer.FontName(L"Courier New");
    colorer.FontSize(10);
    colorer.Color(L"H", 0xFF0000);
    colorer.Color(L"K", 0xA80080);
    colorer.Color(L"V", 0x0080FF);
    colorer.Color(L"C", 0x008000);
    colorer.Color(L"S", 0x96666E);
    colorer.Color(L"A", 0x96666E);

    EditorState& st = State();
    st.CurrentEditor = &form.JT1;
    st.EditorRichEditHandle = re;
    st.MainWindow = form.hwnd;
    st.Colorer = &colorer;
    st.ColorCodeOn = true;
    Settings().LastEdType = 2;
    SendMessageW(re, EM_SETEVENTMASK, 0, ENM_CHANGE);
    form.JT1.OnChange = [] { State().LineEdited = true; };

    std::wstring page = Page(lines);
    form.JT1.Text(page);
    long total = static_cast<long>(SendMessageW(re, EM_GETLINECOUNT, 0, 0));
    std::printf("page: %ld lines, %zu characters\n", total, page.size());

    double t0 = Now();
    ColorOn();
    double t1 = Now();
    std::printf("whole-text colouring (ColorOn): %.0f ms\n", t1 - t0);

    // One-line edits at line 5,000 (half way for other sizes); then the caret
    // leaves the line and the glue processes it.
    long line = lines >= 10000 ? 4999 : lines / 2;
    auto edit = [&](long column, const wchar_t* typed, const char* what) {
        long start = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line, 0));
        CHARRANGE cr{start + column, start + column};
        SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        st.RememberedCaretLine = line;
        SendMessageW(re, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
        long caret = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line + 1, 0));
        long next = line + 1;
        bool afterEnter = false;
        double a0 = Now();
        LockWindowUpdate(form.hwnd);  // the main window's line event locks it so
        ProcessEditedLine(caret, next, afterEnter);
        LockWindowUpdate(nullptr);
        double a1 = Now();
        std::printf("ProcessEditedLine, line %ld, %s: %.0f ms\n", line + 1, what, a1 - a0);
    };
    edit(0, L"<b>new</b> ", "a tag typed");
    edit(0, L"x", "a letter typed");

    bool parking = argc < 3;
    ClsFile files(std::vector<ExtEntry>{});
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    files.TempFolder(std::wstring(tmp) + L"tarnel-glue-bench");
    files.CurrentFile(files.StoreFile(L"C:\\bench\\page.htm"));
    std::wstring before = RichEditStream::GetRange(re, 0, -1);
    double t6 = Now();
    bool parked = files.Save(0);
    double t7 = Now();
    bool restored = parking && files.Load(0);
    double t8 = Now();
    if (parking)
        std::printf("park (RTF out): %.0f ms, restore (RTF in): %.0f ms, total %.0f ms; %s\n", t7 - t6, t8 - t7,
                t8 - t6, parked && restored && before == RichEditStream::GetRange(re, 0, -1) ? "text intact" : "FAILED");
    files.RemoveFile(0);

    // The worst case: an edit that changes the colours of the rest of the page.
    edit(0, L"<!-- ", "a comment opened (recolours the rest)");
    edit(0, L" -->", "the comment closed (recolours the rest)");

    RemoveDirectoryW((std::wstring(tmp) + L"tarnel-glue-bench").c_str());
    return 0;
}
