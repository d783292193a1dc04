#include "FuncPopup.h"

#include "EditorState.h"
#include "IncludePanel.h"
#include "KvRTB/KvRTB.h"
#include "LinkFiles.h"
#include "MainHost.h"
#include "SettingsAccess.h"

#include <memory>

namespace {

void RefillMethodsBox()
{
    if (MainHost* host = Host())
        host->FillMethodsBox();
}

// The include panel lives in the print window's other panel, built there on
// first use and kept by that window.
IncludePanel& PanelOfPrintWindow()
{
    fprint& window = PrintWindow();
    if (auto* panel = dynamic_cast<IncludePanel*>(window.PopupContent()))
        return *panel;
    auto made = std::make_unique<IncludePanel>();
    IncludePanel& panel = *made;
    panel.Build(window.PopupPanel());
    window.SetPopupContent(std::move(made));
    return panel;
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
    const EditorType type = State().EdType;
    // A long style sheet's or script file's text is not copied only to be dropped.
    DocFuncLists().Build(type, editor && FuncLists::Lists(type) ? editor->Text() : std::wstring());
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

void FillLinkFileList() { PanelOfPrintWindow().Fill(DocFuncLists().LinkedPaths()); }

void ShowIncludePanel()
{
    FillLinkFileList();
    PrintWindow().ShowPopupPanel(L"Function Popup - Add or Remove");
}
