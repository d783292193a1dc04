#include "modHTML.h"

#include "EditorState.h"
#include "HTMLCheck.h"
#include "KvRTB/KvRTB.h"
#include "ModFileOps.h"
#include "ModIni.h"
#include "MainHost.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"
#include "EditorGlue.h"
#include "platform/Module.h"
#include "fDebug.h"

#include <memory>

namespace {

struct TagData {
    std::unique_ptr<ClsDic> descriptions = std::make_unique<ClsDic>();
    bool loaded = false;
};

TagData& Tags()
{
    static TagData data;
    return data;
}

} // namespace

void RunHTMLDebug()
{
    KvRTB* editor = State().CurrentEditor;
    if (!editor || !editor->RTBhWnd())
        return;
    fDebug& report = ReportWindow();
    report.ClearReport();
    long caret = editor->SelStart();
    std::vector<debugcheck::Finding> findings;
    try {
        EditorType type = State().EdType == EditorType::ASP ? EditorType::ASP : EditorType::HTML;
        findings = html::RunHTMLCheck(RichEditStream::GetRange(editor->RTBhWnd(), 0, -1), type);
    } catch (...) {
        // Out of memory on a huge page: the check ends, the program goes on.
        editor->SetSelStart(caret);
        if (MainHost* host = Host())
            host->ShowInfo(L"Error debugging code.");
        return;
    }
    for (const debugcheck::Finding& f : findings)
        report.AddReportLine(f.message, f.line);
    editor->SetSelStart(caret);
    // The check ends with the page coloured afresh, as the VBScript check
    // does; recolouring is no edit of the user's.
    EditorState& st = State();
    if (!Settings().NoColorCode && st.ColorCodeOn) {
        bool suppressed = st.SuppressChangeTracking;
        st.SuppressChangeTracking = true;
        ColorOn();
        st.SuppressChangeTracking = suppressed;
        editor->SetSelStart(caret);
    }
    if (report.ReportCount() == 0) {
        if (MainHost* host = Host())
            host->ShowInfo(L"OK");
    } else {
        report.ShowReport(L"Format Debugging Report - HTML");
    }
}

void LoadHTMLTags()
{
    TagData& tags = Tags();
    tags.descriptions = std::make_unique<ClsDic>();
    tags.loaded = false;
    std::wstring file = SettingsRecordFile::SettingsFolderOf(platform::ProgramFolder()) + L"\\tarnelh.ini";
    if (!ModFileOps::FileExists(file))
        return;
    std::vector<std::wstring> keys, values;
    long n = ModIni::ReadIniSection(L"tags", file, keys, values);
    for (long i = 0; i < n; ++i) {
        if (!keys[i].empty() && !tags.descriptions->Exists(keys[i]))
            tags.descriptions->Add(keys[i], values[i]);
    }
    tags.loaded = n > 0;
}

ClsDic& TagDescriptions()
{
    return *Tags().descriptions;
}

bool TagsLoaded()
{
    return Tags().loaded;
}
