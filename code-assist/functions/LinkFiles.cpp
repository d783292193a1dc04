#include "LinkFiles.h"

#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "LinkMarkers.h"
#include "MainHost.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"

namespace {

// The line numbers follow the lines the marker moved.
void SyncGutter()
{
    if (MainHost* host = Host())
        host->SyncLineNums();
}

} // namespace

FuncLists& DocFuncLists()
{
    static FuncLists lists;
    return lists;
}

void AddLinkFile(const std::wstring& path, bool insertMarker)
{
    DocFuncLists().AddLink(path);
    KvRTB* editor = State().CurrentEditor;
    if (!insertMarker || !editor)
        return;
    const std::wstring text = editor->GetTextRange(0, editor->LenText());
    LinkInsertion insertion = LinkMarkerInsertion(State().EdType, text, path);
    // The caret leaves the call the tip was for.
    if (MainHost* host = Host())
        host->HideTip();
    editor->SetSelStart(insertion.position);
    editor->SetSelColor(static_cast<COLORREF>(Settings().ColorDebug));
    editor->SetSelText(insertion.text);
    editor->SetSelStart(0);
    editor->SetSelColor(0);
    SyncGutter();
}

void RemoveLinkFile(const std::wstring& path)
{
    if (!DocFuncLists().RemoveLink(path))
        return;
    KvRTB* editor = State().CurrentEditor;
    if (!editor)
        return;
    long start = 0, end = 0;
    if (FindLinkMarkerLine(editor->GetTextRange(0, editor->LenText()), path, start, end)) {
        editor->SetSelection(start, end);
        editor->SetSelText(L"");
        editor->SelNone();
        SyncGutter();
    }
}
