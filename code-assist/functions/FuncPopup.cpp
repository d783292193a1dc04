#include "FuncPopup.h"

#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "LinkFiles.h"
#include "MainHost.h"
#include "SettingsAccess.h"

namespace {

void RefillMethodsBox()
{
    if (MainHost* host = Host())
        host->FillMethodsBox();
}

} // namespace

void ResetFuncLists()
{
    DocFuncLists().Reset();
    RefillMethodsBox();
}

void BuildFuncPopup()
{
    KvRTB* editor = State().CurrentEditor;
    DocFuncLists().Build(State().EdType, editor ? editor->Text() : std::wstring());
    RefillMethodsBox();
}

std::wstring GetFuncSignature(const std::wstring& name) { return DocFuncLists().Signature(name); }

std::vector<std::wstring> ProcedureNames() { return DocFuncLists().ProcedureNames(); }

void AddFuncDecl(long lineStart, long lineEnd)
{
    KvRTB* editor = State().CurrentEditor;
    if (!editor || lineEnd < lineStart)
        return;
    if (DocFuncLists().AddDecl(editor->GetTextRange(lineStart, lineEnd + 1)))
        RefillMethodsBox();
}

void FillLinkFileList() {}                                         // the include panel fills this
void ShowIncludePanel() {}                                         // the include panel fills this
