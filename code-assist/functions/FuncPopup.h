#pragma once
// The function popup of the document shown: the signatures of its own Subs
// and Functions and of its linked include files, its procedure list, and the
// include-file panel. The tables live in DocFuncLists() (LinkFiles.h).
#include <string>
#include <vector>

// Empty tables and an empty procedure list (a new or cleared document).
void ResetFuncLists();
// The tables and the procedure list rebuilt from the current editor's text
// and the files its markers name.
void BuildFuncPopup();
// The signature of a procedure ("" when unknown).
std::wstring GetFuncSignature(const std::wstring& name);
// The document's own procedure names, in table order.
std::vector<std::wstring> ProcedureNames();
// The include panel's list shows the linked files.
void FillLinkFileList();
// Records a Sub or Function declaration found on the editor's line
// lineStart..lineEnd (inclusive), and refreshes the procedure list.
void AddFuncDecl(long lineStart, long lineEnd);
// Shows the include-file panel in the print window, its list filled.
void ShowIncludePanel();
