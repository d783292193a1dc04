// Times of editing a generated page with self-closing tags on most lines:
// a line edit processed by the typing glue, comment and uncomment of 1,000
// lines and the tag-case pass (the engines on the page's text), and a comment
// opened half way down, which recolours the rest of the page, with the undo
// history checked afterwards. Then find and replace: find next through
// 1,000 hits of the page, replace all of them (undo kept), and the
// multi-file replace over 1,000 files of 50 KB with one hit each. Last, the
// code assistance on long documents.
// Usage: edit_bench [lines]
#include "AssistBench.h"
#include "BenchSetup.h"
#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "LineBlocksEngine.h"
#include "RichEditStream.h"
#include "SettingsRecord.h"
#include "EditorGlue.h"
#include "find/FindEngine.h"
#include "find/ReplaceInFile.h"
#include "color/KeywordLists.h"
#include "forms/Form.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring Page(int lines) { return bench::EditorText(bench::LongPage(lines, bench::PageKind::SelfClosing)); }

// The page with " needle" at the end of every tenth line.
std::wstring PageWithHits(const std::wstring& page, int& hits)
{
    std::wstring out;
    hits = 0;
    int line = 0;
    for (wchar_t c : page) {
        if (c == L'\r' && ++line % 10 == 5) {
            out += L" needle";
            ++hits;
        }
        out += c;
    }
    return out;
}

void FindAndReplace(KvRTB& editor)
{
    int hits = 0;
    editor.SetText(PageWithHits(RichEditStream::GetRange(editor.RTBhWnd(), 0, -1), hits));
    ColorOn();
    platform::SetMessageInterceptor([](const std::wstring&, const std::wstring&, UINT) { return IDOK; });
    modfind::FindField field;
    field.find = L"needle";
    field.replacement = L"pin";
    modfind::ResetFinder();
    double worst = 0, total = 0;
    int found = 0;
    double f0 = bench::Now();
    modfind::SearchResult r = modfind::FindFromTop(editor, field, 1);
    for (;;) {
        double f1 = bench::Now();
        if (f1 - f0 > worst)
            worst = f1 - f0;
        total += f1 - f0;
        if (r.outcome != modfind::Outcome::Hit)
            break;
        ++found;
        f0 = bench::Now();
        r = modfind::FindNext(editor, field, 1, false);
    }
    std::printf("find next through %d hits (%d found): %.2f ms a hit on average, %.2f ms the slowest\n", hits, found,
                total / (found + 1), worst);

    const std::wstring before = RichEditStream::GetRange(editor.RTBhWnd(), 0, -1);
    editor.SetSelStart(0);
    double r0 = bench::Now();
    long count = modfind::ReplaceAll(editor, field, 1, false);
    double r1 = bench::Now();
    const std::wstring after = RichEditStream::GetRange(editor.RTBhWnd(), 0, -1);
    editor.Undo();
    const std::wstring undone = RichEditStream::GetRange(editor.RTBhWnd(), 0, -1);
    std::printf("replace all of %ld hits: %.0f ms; %s\n", count, r1 - r0,
                after.find(L"needle") == std::wstring::npos && after.size() + 3 * hits == before.size()
                    ? (undone == before ? "text right, one undo brings the old text back" : "text right, UNDO LOST")
                    : "FAILED");

    // 1,000 files of 50 KB, each with one hit half way.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tarnel_multi_bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::string body(50 * 1024, 'x');
    for (size_t i = 79; i < body.size(); i += 80)
        body[i] = '\n';
    body.replace(body.size() / 2, 6, "needle");
    std::vector<std::wstring> paths;
    for (int i = 0; i < 1000; ++i) {
        paths.push_back(folder + L"\\page" + std::to_wstring(i) + L".html");
        platform::WriteFileSafely(paths.back(), body);
    }
    double m0 = bench::Now();
    long processed = modfind::ReplaceInFiles(paths, L"needle", L"pin", false);
    double m1 = bench::Now();
    std::string expected = body;
    expected.replace(body.size() / 2, 6, "pin");
    int right = 0;
    for (const std::wstring& p : paths) {
        std::string got;
        right += platform::ReadWholeFile(p, got) && got == expected;
        DeleteFileW(p.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    std::printf("replace in %ld files of 50 KB: %.0f ms; %d files right\n", processed, m1 - m0, right);
    platform::SetMessageInterceptor(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    bench::fBench form(L"Editing benchmark");
    form.Show();
    ClsColor colorer;
    bench::SetUpColorer(colorer);

    bench::WireEditor(form, colorer);
    EditorState& st = State();

    const std::wstring page = Page(lines);
    form.JT1.SetText(page);
    std::printf("page: %d lines, %zu characters, self-closing tags on most lines\n", lines, page.size());
    double t0 = bench::Now();
    ColorOn();
    std::printf("whole-text colouring (ColorOn): %.0f ms\n", bench::Now() - t0);

    long line = lines / 2 - 1;
    auto edit = [&](long at, const wchar_t* typed, const char* what) {
        HWND re = st.EditorRichEditHandle();
        long start = static_cast<long>(SendMessageW(re, EM_LINEINDEX, at, 0));
        CHARRANGE cr{start, start};
        SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        st.RememberedCaretLine = at;
        SendMessageW(re, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
        long caret = static_cast<long>(SendMessageW(re, EM_LINEINDEX, at + 1, 0));
        long next = at + 1;
        bool afterEnter = false;
        double a0 = bench::Now();
        LockWindowUpdate(form.hwnd);
        ProcessEditedLine(caret, next, afterEnter);
        LockWindowUpdate(nullptr);
        std::printf("line %ld, %s: %.0f ms, %ld characters rewritten or restyled\n", at + 1, what, bench::Now() - a0,
                    ClsColorEditor::LastRewrittenLength());
    };
    edit(line, L"x", "a letter typed, processed by the glue");
    edit(line, L"<br />", "a self-closing tag typed");

    // The engines over the page's text, as the line-block commands give it them.
    std::wstring text = RichEditStream::GetRange(st.EditorRichEditHandle(), 0, -1);
    long s = LineBlocks::LineStart(text, static_cast<long>(text.find(L"\r", text.size() / 3)) + 1), e = s;
    for (int k = 0; k < 1000; ++k)
        e = LineBlocks::LineEnd(text, e) + 1;
    double c0 = bench::Now();
    TextEdit commented = LineBlocks::CommentLines(text, s, e, L"'--");
    double c1 = bench::Now();
    std::wstring after = commented.Apply(text);
    State().EdType = EditorType::VBScript;
    double u0 = bench::Now();
    TextEdit uncommented = LineBlocks::UncommentLines(after, s, commented.selEnd, L"'--", EditorType::VBScript);
    double u1 = bench::Now();
    State().EdType = EditorType::HTML;
    std::printf("comment 1,000 lines: %.1f ms, uncomment: %.1f ms (engine); %s\n", c1 - c0, u1 - u0,
                uncommented.Apply(after) == text ? "text restored" : "FAILED");
    double g0 = bench::Now();
    std::wstring upper = LineBlocks::UpperCaseTags(text);
    double g1 = bench::Now();
    std::printf("UPPERCASE HTML Tags over the whole page: %.0f ms (engine), %zu characters\n", g1 - g0, upper.size());

    // A comment opened half way down: the rest of the page turns into it.
    std::wstring before = RichEditStream::GetRange(st.EditorRichEditHandle(), 0, -1);
    edit(line, L"<!--", "a comment opened (recolours the rest)");
    bool canUndo = form.JT1.CanUndo();
    double z0 = bench::Now();
    form.JT1.Undo();
    double z1 = bench::Now();
    RecolourAfterUndo();
    double z2 = bench::Now();
    std::wstring undone = RichEditStream::GetRange(st.EditorRichEditHandle(), 0, -1);
    std::printf("undo of it: %.0f ms, recolour after the undo: %.0f ms; %s\n", z1 - z0, z2 - z1,
                canUndo && undone == before ? "undo kept" : "UNDO LOST");
    form.JT1.Undo();
    std::printf("the edits before it: %s\n", form.JT1.CanUndo() || form.JT1.CanRedo() ? "still undoable" : "LOST");

    FindAndReplace(form.JT1);
    bench::BenchCodeAssist(form);
    return 0;
}
