#include "FuncPopup.h"

void ResetFuncLists() {}                                           // the function pop-up fills this
void BuildFuncPopup() {}                                           // the function pop-up fills this
std::wstring GetFuncSignature(const std::wstring&) { return L""; }  // the function pop-up fills this
std::vector<std::wstring> ProcedureNames() { return {}; }          // the function pop-up fills this
void FillLinkFileList() {}                                         // the include panel fills this
void AddFuncDecl(long, long) {}                                    // the function pop-up fills this
void ShowIncludePanel() {}                                         // the include panel fills this
