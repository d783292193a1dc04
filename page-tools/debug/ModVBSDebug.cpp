#include "ModVBSDebug.h"

#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"
#include "platform/Module.h"
#include "EditorGlue.h"
#include "fDebug.h"

LineDebugState& LineDebug()
{
    static LineDebugState state;
    return state;
}

void BeginFormatCheck(EditorType edType)
{
    LineDebugState& ld = LineDebug();
    if (edType == EditorType::VBScript) {
        // While a check holds line checking off, NoLineDebug is the check's,
        // not the user's.
        if (!ld.RerunPending && !ld.Held)
            ld.SavedNoLineDebug = Settings().NoLineDebug;
        Settings().NoLineDebug = true;
        ld.Held = true;
    }
    ld.RerunPending = false;
}

void RestoreLineDebugging()
{
    LineDebugState& ld = LineDebug();
    if (ld.Held)
        Settings().NoLineDebug = ld.SavedNoLineDebug;
    ld.Held = false;
    ld.RerunPending = false;
}

vbs::Options CheckerOptions()
{
    const SettingsRecord& rec = Settings();
    vbs::Options o;
    o.autoCorrect = !rec.NoAutoCorrect;
    o.countIfThen = rec.CountIfThen;
    o.debugContinued = rec.DebugContinued;
    o.wholeWord = !rec.NoWholeWord;
    return o;
}

namespace {

void ShowInfo(const std::wstring& text)
{
    if (MainHost* host = Host())
        host->ShowInfo(text);
}

std::wstring ObjectListPath()
{
    return SettingsRecordFile::SettingsFolderOf(platform::ProgramFolder()) + L"\\tarnelo.ini";
}

} // namespace

void AddReportLine(const std::wstring& message, long line)
{
    ReportWindow().AddReportLine(message, line);
}

void RunVBSDebug()
{
    EditorState& st = State();
    KvRTB* editor = st.CurrentEditor;
    if (!editor || !editor->RTBhWnd())
        return;
    fDebug& report = ReportWindow();
    report.ClearReport();
    vbs::RunResult run;
    try {
        run = vbs::RunWholeText(RichEditStream::GetRange(editor->RTBhWnd(), 0, -1), CheckerOptions(),
                                vbs::ReadObjectList(ObjectListPath()));
    } catch (...) {
        return;  // out of memory on a huge text: nothing was changed
    }
    // Only what the check corrected is replaced, each as one undoable edit.
    for (const debugcheck::Edit& e : run.edits) {
        editor->SetSelection(e.start, e.start + e.length);
        editor->SetSelText(e.text, true);
    }
    editor->SetSelStart(0);
    editor->SetSelColor(0);
    if (MainHost* host = Host()) {
        host->SyncLineNums();
        host->ResetLineCol();
    }
    for (const debugcheck::Finding& f : run.findings)
        report.AddReportLine(f.message, f.line);
    // Corrected lines were written as plain text.
    if (!run.edits.empty() && !Settings().NoColorCode && st.ColorCodeOn) {
        bool suppressed = st.SuppressChangeTracking;
        st.SuppressChangeTracking = true;
        ColorOn();
        st.SuppressChangeTracking = suppressed;
    }
    if (report.ReportCount() == 0) {
        ShowInfo(L"OK");
        RestoreLineDebugging();
        ResetChangeTracking();
        editor->SetSelStart(0);
    } else {
        report.ShowReport(L"Format Debugging Report - VBS");
    }
}

void SelectFinding(long start, long end)
{
    KvRTB* editor = State().CurrentEditor;
    if (!editor)
        return;
    editor->SetSelection(start, end);
    editor->SetSelColor(static_cast<COLORREF>(Settings().ColorDebug));
    editor->SetSelStart(start);
    editor->SetSelColor(0);
    State().FindingMarked = true;
}

void CheckVBSLine(long& start, long& end, long& growth, bool& toReport, bool& inPage)
{
    growth = 0;
    KvRTB* editor = State().CurrentEditor;
    HWND re = editor ? editor->RTBhWnd() : nullptr;
    if (!re)
        return;
    long s = start, e = end + 1;
    long line = editor->GetLineFromChar(s);
    if (!Settings().DebugContinued) {
        long from = line > 0 ? editor->GetLineIndex(line - 1) : editor->GetLineIndex(line);
        long to = s + editor->GetLineLength(s);
        if (from >= 0 && vbs::JoinContinuedLine(RichEditStream::GetRange(re, from, to), s - from))
            return;
    }
    if (inPage && State().InVBSBlockPrev == 2 && State().EdType == EditorType::ASP) {
        std::wstring part = RichEditStream::GetRange(re, s, e);
        long a = 0, b = static_cast<long>(part.size());
        vbs::NarrowToServerCode(part, a, b);
        e = s + b;
        s += a;
    }
    if (e <= s + 2 || e < 1)
        return;
    std::wstring text = RichEditStream::GetRange(re, s, e);
    bool autoCorrect = !Settings().NoAutoCorrect;
    vbs::LineResult r;
    try {
        r = vbs::CheckLine(text, autoCorrect);
    } catch (...) {
        return;  // out of memory: the line stays as it is
    }
    if (r.message.empty()) {
        // An unchanged line is left alone: no change, no undo step.
        if (autoCorrect && r.corrected != text) {
            editor->SetSelection(s, e);
            editor->SetSelText(r.corrected, true);
            editor->SelNone();
            growth = static_cast<long>(r.corrected.size()) - static_cast<long>(text.size());
        }
        return;
    }
    long number = editor->GetLineFromChar(s) + 1;
    if (toReport) {
        AddReportLine(r.message, number);
    } else {
        ShowInfo(r.message + L" - Line " + std::to_wstring(number));
        SelectFinding(s, e);
    }
}
