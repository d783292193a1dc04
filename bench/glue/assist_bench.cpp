// Times of the code assistance on long documents: the function popup's
// rebuild of a 10,000-line VBScript page with 500 procedures and two linked
// 2,000-line files, the tip lookup after "(", and the CSS popup's reading of
// a 5,000-line style sheet at the caret.
#include "AssistBench.h"

#include "ModFileOps.h"
#include "css/CSSList.h"
#include "css/CSSRules.h"
#include "EditorState.h"
#include "SettingsAccess.h"
#include "functions/FuncPopup.h"
#include "functions/LinkFiles.h"
#include "functions/LinkMarkers.h"

#include <cstdio>
#include <string>

namespace {

std::wstring Procedures(const std::wstring& prefix, int count, int linesEach)
{
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        text += (i % 2 ? L"Function " : L"Public Sub ") + prefix + n + L"(a" + n + L", b, c)\r";
        for (int k = 2; k < linesEach; ++k)
            text += L"  x" + n + L" = a" + n + L" & \"Sub text(\" ' Sub Not" + n + L"(x)\r";
        text += i % 2 ? L"End Function\r" : L"End Sub\r";
    }
    return text;
}

std::wstring StyleSheet(int lines)
{
    std::wstring text;
    for (int i = 0; i < lines / 5; ++i) {
        const std::wstring n = std::to_wstring(i);
        text += L".c" + n + L" {\r  color: #123456;\r  margin: 0px " + n + L"px;\r  font-size: 10pt;\r}\r";
    }
    return text;
}

} // namespace

namespace bench {

void BenchCodeAssist(fBench& form)
{
    const std::wstring folder = BinFolder() + L"\\bench";
    const std::wstring lib1 = folder + L"\\assist_lib1.vbs", lib2 = folder + L"\\assist_lib2.vbs";
    ModFileOps::WriteTextFile(lib1, Procedures(L"LibOne", 100, 20));
    ModFileOps::WriteTextFile(lib2, Procedures(L"LibTwo", 100, 20));
    std::wstring page = LinkMarkerLine(EditorType::VBScript, lib1) + LinkMarkerLine(EditorType::VBScript, lib2);
    page += Procedures(L"Proc", 500, 20);
    form.JT1.SetText(page);
    std::printf("VBScript page: %ld lines, 500 procedures, two linked files of 2,000 lines\n",
                form.JT1.TotalLines());

    State().EdType = EditorType::VBScript;
    const FuncLists& lists = DocFuncLists();
    double t0 = Now();
    BuildFuncPopup();
    double t1 = Now();
    std::printf("function popup rebuild: %.1f ms, %zu signatures, %zu procedures listed\n", t1 - t0,
                lists.Signatures().size(), lists.ProcedureNames().size());

    long caret = form.JT1.GetLineIndex(5000);
    form.JT1.SetSelStart(caret);
    form.JT1.SetSelText(L"LibTwo77(");
    caret += 9;
    t0 = Now();
    long wordStart = 0;
    std::wstring word = form.JT1.GetLastWord(caret, wordStart);
    std::wstring signature = GetFuncSignature(word);
    t1 = Now();
    std::printf("tip lookup after \"(\": %.2f ms (%ls -> %ls)\n", t1 - t0, word.c_str(), signature.c_str());

    ClsDic cssList;
    ReadCSSList(BinFolder() + L"\\Settings\\tarnelc.ini", cssList);
    form.JT1.SetText(StyleSheet(5000));
    caret = form.JT1.GetLineIndex(2502) + 12;   // after "  margin: 0p" of a rule half way
    t0 = Now();
    long open = form.JT1.FindBack(L"{", 0, caret, 0);
    long length = 0;
    CSSRuleKind kind;
    std::wstring partial = CSSRuleOf(form.JT1.GetTextRange(open, caret), caret - open, length, kind);
    long lineStart = form.JT1.GetLineIndex(form.JT1.GetLineFromChar(caret));
    std::wstring property = CSSContextOf(form.JT1.GetTextRange(lineStart, caret), caret - lineStart);
    std::vector<CSSItem> items;
    CSSPopupItems(cssList, property, items);
    t1 = Now();
    std::printf("CSS popup at the caret of a 5,000-line sheet: %.2f ms (%ls: \"%ls\", %zu values)\n", t1 - t0,
                property.c_str(), partial.c_str(), items.size());
}

} // namespace bench
