#pragma once
// The procedure lists of the current document and its linked files: the
// function pop-up, signatures, and the include panel.
#include <string>
#include <vector>

void ResetFuncLists();
void BuildFuncPopup();
// The signature of a procedure ("" when unknown).
std::wstring GetFuncSignature(const std::wstring& name);
// The procedure names in the order they were found.
std::vector<std::wstring> ProcedureNames();
void FillLinkFileList();
// Records a Sub or Function declaration found on the editor's line
// lineStart..lineEnd (inclusive).
void AddFuncDecl(long lineStart, long lineEnd);
void ShowIncludePanel();
